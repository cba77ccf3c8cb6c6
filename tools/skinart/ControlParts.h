// Building blocks shared by the control images: faces of pressable parts and frames of fields.
#pragma once

#include "tools/skinart/Layout.h"
#include "tools/skinart/Theme.h"

namespace skinart {

// The face of a push button in one of the five states, filling r.
void buttonFace(PixelView v, Rect r, layout::State s, int radius = 3);
// A flat part (tool button, header) that shows a face only when hot or pressed; `back` lies under it.
void flatFace(PixelView v, Rect r, layout::State s, Pixel backTop, Pixel backBottom);
// A field: white inside a one-pixel frame, hot/focused with a blue frame and a pale inner ring.
void fieldFrame(PixelView v, Rect r, bool active, int radius = 2);
// A small arrow button (scroll bars, up-downs, combo drop buttons).
void arrowButton(PixelView v, Rect r, layout::State s, int arrow, int size);

}  // namespace skinart
