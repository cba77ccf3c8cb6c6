// The dotted focus rectangle of skinned controls, drawn into the control's off-screen image.
#pragma once

#include "framework/Bitmap.h"

// Sets every other pixel of r's outline to colour (the canvas font colour), walking clockwise from the top-left
// corner so that the dots run on evenly around the corners. Pixels outside dst are skipped.
void DrawDottedFocusRect(fw::PixelView dst, fw::Rect r, fw::Pixel colour);
