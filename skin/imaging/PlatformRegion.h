// Turns a region kept as a list of rectangles into a platform region in one call, and gives windows their regions.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "skin/imaging/MaskRegion.h"

// The platform region made of r's rectangles (an empty region when there are none); null when the platform
// refuses it.
fw::Region CreatePlatformRegion(const MaskRegion& r);

// Gives `window` a copy of `region` as its window region, or removes the window's region when `region` is none. The
// platform owns a region once it is set, so the caller keeps `region` as its own.
void SetWindowRegionCopy(HWND window, const fw::Region& region);
