#include "skin/imaging/kvBitmap.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "skin/imaging/BitmapSurface.h"

namespace {
// The registry of live bitmaps. The skin engine runs on the user-interface thread only.
std::vector<TkvBitmap*>& registry() {
    static std::vector<TkvBitmap*> list;
    return list;
}
}  // namespace

TkvBitmap::TkvBitmap() { registry().push_back(this); }

TkvBitmap::~TkvBitmap() {
    auto& r = registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

const std::vector<TkvBitmap*>& TkvBitmap::LiveBitmaps() { return registry(); }

void TkvBitmap::SetSize(int width, int height) {
    width = std::abs(width);
    height = std::abs(height);
    if (width == 0 || height == 0 || (surface_ && width == width_ && height == height_)) return;
    surface_.reset();
    width_ = height_ = 0;
    partialAlpha_ = false;
    fw::checkBitmapSize(width, height);
    surface_ = createBitmapSurface(width, height);
    width_ = width;
    height_ = height;
}

fw::PixelView TkvBitmap::Pixels() { return surface_ ? surfacePixels(*surface_) : fw::PixelView{}; }

fw::ConstPixelView TkvBitmap::Pixels() const { return surface_ ? surfacePixels(*surface_) : fw::PixelView{}; }

void TkvBitmap::Assign(fw::ConstPixelView src) {
    if (src.empty()) return;
    SetSize(src.width, src.height);
    fw::copyPixels(src, src.rect(), Pixels(), 0, 0);
}

void TkvBitmap::MaskToAlpha(fw::ConstPixelView mask) {
    const fw::PixelView v = Pixels();
    if (v.empty() || mask.width != v.width || mask.height != v.height) return;
    for (int y = 0; y < v.height; ++y) {
        fw::Pixel* row = v.scanline(y);
        const fw::Pixel* m = mask.scanline(y);
        for (int x = 0; x < v.width; ++x) {
            // (sum + 1) / 3 rounds sum / 3 to nearest; thirds never tie.
            const int a = (fw::pixelR(m[x]) + fw::pixelG(m[x]) + fw::pixelB(m[x]) + 1) / 3;
            row[x] = (row[x] & 0x00FFFFFFu) | (fw::Pixel(a) << 24);
        }
    }
}

void TkvBitmap::StackBlur(int radius) { stackBlur(Pixels(), radius); }

void TkvBitmap::CheckAlpha() {
    const fw::ConstPixelView v = Pixels();
    partialAlpha_ = false;
    for (int y = 0; y < v.height && !partialAlpha_; ++y) {
        const fw::Pixel* row = v.scanline(y);
        for (int x = 0; x < v.width; ++x) {
            const int a = fw::pixelA(row[x]);
            if (a != 0 && a != 255) {
                partialAlpha_ = true;
                break;
            }
        }
    }
    if (partialAlpha_) AlphaBlend = true;
}

void premultiplyAlpha(fw::ConstPixelView src, fw::PixelView dst) {
    const int w = std::min(src.width, dst.width), h = std::min(src.height, dst.height);
    for (int y = 0; y < h; ++y) {
        const fw::Pixel* s = src.scanline(y);
        fw::Pixel* d = dst.scanline(y);
        for (int x = 0; x < w; ++x) {
            const fw::Pixel p = s[x];
            const unsigned a = fw::pixelA(p);
            auto mul = [a](unsigned c) { return (c * a + 127) / 255; };
            d[x] = (p & 0xFF000000u) | (mul(fw::pixelR(p)) << 16) | (mul(fw::pixelG(p)) << 8) | mul(fw::pixelB(p));
        }
    }
}
