// Painting what lies behind a transparent control: its parent's background and the windowless siblings before it.
#pragma once

#include <windows.h>

#include <functional>
#include <span>

#include "framework/Geometry.h"

// A windowless sibling that comes before the control in its parent's child order: its bounds in the parent's
// client coordinates, whether it is visible, and how it paints itself (in its own coordinates).
struct GraphicSibling {
    fw::Rect bounds;
    bool visible = true;
    std::function<void(HDC)> paint;
};

// Paints into dc (the control's canvas, origin at the control's top-left corner) what the control covers: the
// parent erases its background there with the origin moved by minus the control's position and the clip set to
// its client area (a multi-document form lets its client window erase it); a parent that is not a form then
// paints its own content (WM_PRINTCLIENT); then every visible sibling that overlaps the control paints itself
// with the origin at its own position and the clip set to its size.
void PaintParentBackground(HWND control, HDC dc, std::span<const GraphicSibling> siblings = {});
