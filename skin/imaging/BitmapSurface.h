// The storage of a TkvBitmap: a DIB section selected into its own memory DC on Windows, plain memory elsewhere.
#pragma once

#include "framework/Bitmap.h"

#ifdef _WIN32
#include <windows.h>

#include <memory>

#include "skin/imaging/GdiHandles.h"

struct TkvBitmapSurface {
    fw::imaging::MemoryDC dc;
    fw::imaging::BitmapHandle dib;
    std::unique_ptr<fw::imaging::SelectGuard> selected;  // freed first: deselects the DIB before DC and DIB go
    fw::PixelView pixels;
    ~TkvBitmapSurface() { selected.reset(); }
};
#else
struct TkvBitmapSurface {
    fw::Bitmap memory;
    fw::PixelView pixels;
};
#endif
