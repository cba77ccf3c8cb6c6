// Turns a region kept as a list of rectangles into a platform region in one call.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "skin/imaging/MaskRegion.h"

// The platform region made of r's rectangles (an empty region when there are none); null when the platform
// refuses it.
fw::Region CreatePlatformRegion(const MaskRegion& r);
