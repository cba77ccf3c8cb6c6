// The platform side of TkvBitmap: its drawing surface, reading platform bitmaps, and the three drawing modes.
#include <vector>

#include "skin/imaging/BitmapSurface.h"
#include "skin/imaging/PixelOps.h"
#include "skin/imaging/kvBitmap.h"

HDC TkvBitmap::DC() const { return surface_ ? surface_->dc.get() : nullptr; }

HBITMAP TkvBitmap::Handle() const { return surface_ ? surface_->dib.get() : nullptr; }

TkvBitmap* TkvBitmap::FromDC(HDC dc) {
    if (!dc) return nullptr;
    for (TkvBitmap* b : LiveBitmaps())
        if (b->DC() == dc) return b;
    return nullptr;
}

// Reads a platform bitmap as 32-bit top-down pixels into dst (resized). Pictures of fewer than 32 bits carry no
// alpha; they come out opaque.
bool readPlatformBitmap(HBITMAP bitmap, fw::Bitmap& dst) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
    const int w = info.bmWidth, h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    dst.resize(w, h);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    fw::WindowDC screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, h, dst.view().data, &bi, DIB_RGB_COLORS) != h) return false;
    if (info.bmBitsPixel < 32) {
        for (int y = 0; y < h; ++y)
            for (fw::Pixel* p = dst.scanline(y); p != dst.scanline(y) + w; ++p) *p |= 0xFF000000u;
    }
    return true;
}

void TkvBitmap::AssignBitmap(HBITMAP bitmap) {
    fw::Bitmap pixels;
    if (readPlatformBitmap(bitmap, pixels)) Assign(pixels);
}

namespace {

using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The platform's transparent copy, where it exists (looked up once; it lives in a library not every system has).
TransparentBltFn transparentBlt() {
    static const TransparentBltFn fn = [] {
        HMODULE lib = LoadLibraryW(L"msimg32.dll");
        return lib ? reinterpret_cast<TransparentBltFn>(reinterpret_cast<void*>(GetProcAddress(lib, "TransparentBlt")))
                   : nullptr;
    }();
    return fn;
}

}  // namespace

// Drawing modes: alpha-blended (the colours are premultiplied into a scratch surface, the form per-pixel alpha
// blending expects, so the stored pixels stay as they are); transparent, leaving out kTransparentKey through the
// platform's transparent copy on screens of 24 bits or more and in software otherwise; else a plain copy.
void TkvBitmap::Draw(HDC dst, int x, int y) const {
    if (!surface_ || !dst) return;
    if (AlphaBlend) {
        auto scratch = createBitmapSurface(width_, height_);
        premultiplyAlpha(Pixels(), surfacePixels(*scratch));
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(dst, x, y, width_, height_, scratch->dc.get(), 0, 0, width_, height_, blend);
        return;
    }
    if (Transparent) {
        const TransparentBltFn tb = transparentBlt();
        if (tb && GetDeviceCaps(dst, BITSPIXEL) >= 24) {
            // Some implementations compare the whole 32-bit value with the key, so an opaque key pixel would be
            // drawn; the copy handed over carries colour only.
            auto colour = createBitmapSurface(width_, height_);
            const fw::ConstPixelView src = Pixels();
            const fw::PixelView out = surfacePixels(*colour);
            for (int row = 0; row < height_; ++row)
                for (int col = 0; col < width_; ++col) out.at(col, row) = src.at(col, row) & 0x00FFFFFFu;
            tb(dst, x, y, width_, height_, colour->dc.get(), 0, 0, width_, height_, kTransparentKey);
        } else {
            DrawTransparentSoftware(dst, x, y);
        }
        return;
    }
    BitBlt(dst, x, y, width_, height_, DC(), 0, 0, SRCCOPY);
}

void TkvBitmap::DrawTransparentSoftware(HDC dst, int x, int y) const {
    if (!surface_ || !dst) return;
    auto area = createBitmapSurface(width_, height_);
    BitBlt(area->dc.get(), 0, 0, width_, height_, dst, x, y, SRCCOPY);
    transparentCopy(Pixels(), surfacePixels(*area), 0, 0, kTransparentKey);
    BitBlt(dst, x, y, width_, height_, area->dc.get(), 0, 0, SRCCOPY);
}
