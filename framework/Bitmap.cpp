#include "framework/Bitmap.h"

#include <cstring>

#include <algorithm>
#include <string>

namespace fw {

void checkBitmapSize(int width, int height) {
    if (width < 0 || height < 0 || width > Bitmap::kMaxSide || height > Bitmap::kMaxSide ||
        static_cast<std::int64_t>(width) * height > Bitmap::kMaxPixels) {
        throw BitmapSizeError("bitmap size refused: " + std::to_string(width) + " x " + std::to_string(height));
    }
}

void Bitmap::resize(int width, int height, Pixel fill) {
    checkBitmapSize(width, height);
    const std::size_t n = static_cast<std::size_t>(width) * height;
    pixels_.resize(n);
    // Zero, the common fill (pixels a composition does not reach), is one block clear.
    if (n == 0) {
        // nothing to fill (and an empty vector's data() may be null, which memset must not get)
    } else if (fill == 0) {
        std::memset(pixels_.data(), 0, n * sizeof(Pixel));
    } else {
        std::fill_n(pixels_.data(), n, fill);
    }
    width_ = width;
    height_ = height;
}

void Bitmap::resizeForOverwrite(int width, int height) {
    checkBitmapSize(width, height);
    pixels_.resize(static_cast<std::size_t>(width) * height);
    width_ = width;
    height_ = height;
}

void Bitmap::fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void copyPixels(ConstPixelView src, Rect srcRect, PixelView dst, int x, int y) {
    // Clip the source rectangle to the source, then the destination placement to the destination.
    Rect s = srcRect.intersect(src.rect());
    x += s.left - srcRect.left;
    y += s.top - srcRect.top;
    Rect d = Rect::fromSize(x, y, s.width(), s.height()).intersect(dst.rect());
    if (d.empty()) return;
    const int sx = s.left + (d.left - x);
    const int sy = s.top + (d.top - y);
    for (int row = 0; row < d.height(); ++row) {
        std::copy_n(src.scanline(sy + row) + sx, d.width(), dst.scanline(d.top + row) + d.left);
    }
}

void fillPixels(PixelView dst, Rect r, Pixel p) {
    Rect d = r.intersect(dst.rect());
    for (int y = d.top; y < d.bottom; ++y) std::fill_n(dst.scanline(y) + d.left, d.width(), p);
}

}  // namespace fw
