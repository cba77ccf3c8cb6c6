// The storage of a TkvBitmap on Windows: a 32-bit top-down DIB section selected into its own memory DC.
#include <stdexcept>

#include "skin/imaging/BitmapSurface.h"
#include "skin/imaging/kvBitmap.h"

std::unique_ptr<TkvBitmapSurface> createBitmapSurface(int w, int h) {
    auto s = std::make_unique<TkvBitmapSurface>();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    s->dib.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!s->dib || !bits) throw std::runtime_error("Can't allocate the DIB handle");
    s->dc = fw::MemoryDC(nullptr);
    if (!s->dc.get()) throw std::runtime_error("Can't create compatible DC");
    const HGDIOBJ previous = SelectObject(s->dc.get(), s->dib.get());
    if (!previous || previous == HGDI_ERROR) throw std::runtime_error("Can't kvlect an object into DC");
    s->previous = previous;
    s->pixels = {static_cast<fw::Pixel*>(bits), w, h, w};
    return s;
}

fw::PixelView surfacePixels(TkvBitmapSurface& s) {
    GdiFlush();  // finish pending GDI drawing before the pixels are touched directly
    return s.pixels;
}
