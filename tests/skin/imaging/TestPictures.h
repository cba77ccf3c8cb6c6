// Test pictures whose pixels say where they came from: red = x, green = y, blue = a tag.
#pragma once

#include <ostream>

#include "framework/Bitmap.h"

namespace testpic {

inline fw::Bitmap coords(int w, int h, int tag = 0x5A) {
    fw::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.at(x, y) = fw::makePixel(x, y, tag);
    return b;
}

// The source coordinates a pixel of a coords() picture carries, or (-1, -1) for an undrawn pixel (0).
inline fw::Point from(fw::Pixel p) {
    if (p == 0) return {-1, -1};
    return {fw::pixelR(p), fw::pixelG(p)};
}

}  // namespace testpic

namespace fw {
inline std::ostream& operator<<(std::ostream& os, const Point& p) { return os << "(" << p.x << "," << p.y << ")"; }
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
}  // namespace fw
