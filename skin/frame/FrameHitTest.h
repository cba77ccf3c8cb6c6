// The frame's answers to the platform's hit-test question, the mask opacity they read, the docking of a moved
// window to the work-area edges and the parking slot of a minimised form. Portable, so every rule is tested natively.
#pragma once

#include <functional>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Geometry.h"
#include "skin/frame/FrameGeometry.h"

// Hit-test codes, equal to the platform's values.
enum FrameHit : int {
    kHitClient = 1,
    kHitCaption = 2,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
    kHitObject = 19,  // a frame area the frame handles itself; the platform ignores it
};

// The frame's state as the hit test sees it.
struct FrameHitState {
    int width = 0, height = 0;  // the form's size
    bool rolledUp = false, minimized = false, maximized = false;
    bool canSize = false;     // sizeable border or AlwaysResize
    bool objectHot = false;   // a frame object is hot
    bool inSizeMove = false;  // the platform's size/move loop runs
};

// The four stretched mask pieces kept by the last region build.
struct FrameMaskPieces {
    const fw::Bitmap* top = nullptr;
    const fw::Bitmap* bottom = nullptr;
    const fw::Bitmap* left = nullptr;
    const fw::Bitmap* right = nullptr;
};

// Whether window point q is inside the window's mask (black mask pixels are inside).
bool MaskOpaque(fw::Point q, const fw::Rect& maskRect, const FrameMaskPieces& m);

// Hit test of the skinned frame. `captions` are the placed rectangles of the caption objects; `mask` is null when
// the skin has no mask picture.
int SkinnedHitTest(fw::Point p, const TkvStretchedGeometry& g, int borderWidth, const FrameMaskPieces* mask,
                   const std::vector<fw::Rect>& captions, const FrameHitState& s);

// Hit test of the frame without skin (three-pixel border, default caption rectangle).
int DefaultHitTest(fw::Point p, const fw::Rect& defaultCaptionRect, int captionHeight, const FrameHitState& s);

// Docking of a moved window to the edges of a work area: which edges it sticks to and where the pointer was when
// it stuck. Cleared by every size change.
struct MagneticState {
    bool left = false, top = false, right = false, bottom = false;
    int anchorX = 0, anchorY = 0;
    void clear() { left = top = right = bottom = false; }
};

// The proposed window position adjusted so that it sticks to an edge of `area` it comes within `size` pixels of,
// until the pointer has moved more than `size` pixels from where it stuck. Returns the rectangle to use.
fw::Rect MagneticMove(fw::Rect proposed, fw::Size form, const fw::Rect& area, int size, fw::Point cursor,
                      MagneticState& s);

// Top-left of the slot for a minimised form parked as a bar of barW x barH in `area`: rows from the bottom left,
// left to right, then one bar higher; a slot is taken when `occupied(x, y)` says so. When no slot is free the
// first one is used.
fw::Point ParkingSlot(const fw::Rect& area, int barW, int barH, const std::function<bool(int x, int y)>& occupied);
