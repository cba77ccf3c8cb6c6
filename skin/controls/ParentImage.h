// What a transparent control shows of its parent: the parent's background and own drawing, then the windowless
// siblings beneath it.
#pragma once

#include <windows.h>

#include "framework/WindowedControl.h"

// Paints into dc (origin at the control's top-left corner) the parent's background, the parent's own drawing
// (never its windowless children as a whole) and, once each, the visible windowless siblings that come before the
// control in the parent's child order. Siblings after it are above it and are left out.
void PaintParentBackground(fw::WindowedControl& control, HDC dc);
