// The default look of a pressable part without a skin (a button, a combo box's button, a scroll bar's arrows and
// thumb): a navy frame filled light when hot and darker when pressed, else a button-shadow frame on the face.
#pragma once

#include "framework/Canvas.h"

inline void DrawDefaultPressable(fw::Canvas& c, fw::Rect r, bool pressed, bool hot) {
    // Platform colour values 0x00BBGGRR.
    constexpr fw::Color kFrame = 0x800000, kPressedFill = 0xB59385, kHotFill = 0xD2BDB6;
    c.setBrushColor(pressed ? kPressedFill : hot ? kHotFill : fw::clBtnFace);
    c.fillRect(r);
    c.setBrushColor(pressed || hot ? kFrame : fw::clBtnShadow);
    c.frameRect(r);
}
