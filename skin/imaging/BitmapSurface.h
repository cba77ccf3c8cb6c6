// The storage of a TkvBitmap: a DIB section selected into its own memory DC on Windows, plain memory elsewhere.
#pragma once

#include "framework/Bitmap.h"

#ifdef _WIN32
#include <windows.h>

#include "framework/Handles.h"

struct TkvBitmapSurface {
    fw::MemoryDC dc;
    fw::BitmapHandle dib;
    HGDIOBJ previous = nullptr;  // the DC's own bitmap, put back before DC and DIB are freed
    fw::PixelView pixels;
    TkvBitmapSurface() = default;
    TkvBitmapSurface(const TkvBitmapSurface&) = delete;
    TkvBitmapSurface& operator=(const TkvBitmapSurface&) = delete;
    ~TkvBitmapSurface() {
        if (previous) SelectObject(dc.get(), previous);
    }
};
#else
struct TkvBitmapSurface {
    fw::Bitmap memory;
    fw::PixelView pixels;
};
#endif
