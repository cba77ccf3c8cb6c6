// The one-pixel bevel of the default looks of labels and panels.
#pragma once

#include "framework/Canvas.h"

enum TkvSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

// bvFrame: button shadow all round; bvRaised: highlight top-left, shadow bottom-right; bvLowered the reverse.
inline void DrawSkinBevel(fw::Canvas& c, fw::Rect r, TkvSkinBorderStyle style) {
    if (style == bvNone || r.empty()) return;
    const fw::Color topLeft = style == bvRaised ? fw::clBtnHighlight : fw::clBtnShadow;
    const fw::Color bottomRight = style == bvLowered ? fw::clBtnHighlight : fw::clBtnShadow;
    c.setBrushColor(topLeft);
    c.fillRect({r.left, r.top, r.right, r.top + 1});
    c.fillRect({r.left, r.top, r.left + 1, r.bottom});
    c.setBrushColor(bottomRight);
    c.fillRect({r.left, r.bottom - 1, r.right, r.bottom});
    c.fillRect({r.right - 1, r.top, r.right, r.bottom});
}
