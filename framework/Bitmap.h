// The one pixel type of the project: 32-bit pixels, rows top-down.
// A pixel is laid out as the platform's 32-bit DIB: bytes B, G, R, A (0xAARRGGBB as a uint32_t).
// Pixel code works on views (PixelView), so that the same functions run on a Bitmap's own memory
// and, on Windows, on the memory of a DIB section.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "framework/Geometry.h"

namespace fw {

using Pixel = std::uint32_t;

// A platform colour value 0x00BBGGRR (system colours, 0xFF0000nn, are resolved before reaching pixels).
using Color = std::uint32_t;

constexpr Pixel makePixel(int r, int g, int b, int a = 255) {
    return (Pixel(a) << 24) | (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}
constexpr int pixelR(Pixel p) { return (p >> 16) & 0xFF; }
constexpr int pixelG(Pixel p) { return (p >> 8) & 0xFF; }
constexpr int pixelB(Pixel p) { return p & 0xFF; }
constexpr int pixelA(Pixel p) { return (p >> 24) & 0xFF; }
// Colour 0x00BBGGRR to an opaque pixel and back.
constexpr Pixel colorToPixel(Color c) { return makePixel(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
constexpr Color pixelToColor(Pixel p) { return Color(pixelR(p)) | (Color(pixelG(p)) << 8) | (Color(pixelB(p)) << 16); }

// Non-owning access to pixels; stride is in pixels.
struct PixelView {
    Pixel* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    Pixel* scanline(int y) const { return data + static_cast<std::ptrdiff_t>(y) * stride; }
    Pixel& at(int x, int y) const { return scanline(y)[x]; }
    Rect rect() const { return {0, 0, width, height}; }
    bool empty() const { return width <= 0 || height <= 0; }
};

struct ConstPixelView {
    const Pixel* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    ConstPixelView() = default;
    ConstPixelView(const Pixel* d, int w, int h, int s) : data(d), width(w), height(h), stride(s) {}
    ConstPixelView(const PixelView& v) : data(v.data), width(v.width), height(v.height), stride(v.stride) {}
    const Pixel* scanline(int y) const { return data + static_cast<std::ptrdiff_t>(y) * stride; }
    Pixel at(int x, int y) const { return scanline(y)[x]; }
    Rect rect() const { return {0, 0, width, height}; }
    bool empty() const { return width <= 0 || height <= 0; }
};

// Leaves new pixels uninitialised when the pixel vector grows: resize fills every pixel itself right after, with
// one block fill instead of a value-initialisation followed by a second pass.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

class BitmapSizeError : public std::length_error {
public:
    using std::length_error::length_error;
};

// An owning bitmap. Sizes are checked: a side above kMaxSide or more than kMaxPixels pixels is refused,
// so that a damaged file or a silly request cannot make us allocate gigabytes.
class Bitmap {
public:
    static constexpr int kMaxSide = 32767;               // the platform's coordinate range
    static constexpr std::int64_t kMaxPixels = 1 << 26;  // 64 Mpixel = 256 MB, far beyond any window or skin picture

    Bitmap() = default;
    Bitmap(int width, int height, Pixel fill = 0) { resize(width, height, fill); }

    void resize(int width, int height, Pixel fill = 0);
    // The same size check and storage, but the pixels keep whatever they hold: for a caller that writes every
    // pixel before reading any (one pass over the image instead of a clear and a pass).
    void resizeForOverwrite(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    Rect rect() const { return {0, 0, width_, height_}; }

    Pixel* scanline(int y) { return pixels_.data() + static_cast<std::ptrdiff_t>(y) * width_; }
    const Pixel* scanline(int y) const { return pixels_.data() + static_cast<std::ptrdiff_t>(y) * width_; }
    Pixel& at(int x, int y) { return scanline(y)[x]; }
    Pixel at(int x, int y) const { return scanline(y)[x]; }

    PixelView view() { return {pixels_.data(), width_, height_, width_}; }
    ConstPixelView view() const { return {pixels_.data(), width_, height_, width_}; }
    operator PixelView() { return view(); }
    operator ConstPixelView() const { return view(); }

    void fill(Pixel p);
    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel, UninitialisedAllocator<Pixel>> pixels_;
};

// Checks a requested size against the limits; throws BitmapSizeError when it is refused.
void checkBitmapSize(int width, int height);

// Copies src (clipped to both views) to dst at (x, y).
void copyPixels(ConstPixelView src, Rect srcRect, PixelView dst, int x, int y);
// Fills r (clipped) with p.
void fillPixels(PixelView dst, Rect r, Pixel p);

}  // namespace fw
