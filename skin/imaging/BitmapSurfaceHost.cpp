// The storage of a TkvBitmap where there is no platform surface: plain memory.
#include "skin/imaging/BitmapSurface.h"
#include "skin/imaging/kvBitmap.h"

std::unique_ptr<TkvBitmapSurface> createBitmapSurface(int w, int h) {
    auto s = std::make_unique<TkvBitmapSurface>();
    s->memory.resize(w, h);
    s->pixels = s->memory.view();
    return s;
}

fw::PixelView surfacePixels(TkvBitmapSurface& s) { return s.pixels; }
