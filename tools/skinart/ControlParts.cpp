#include "tools/skinart/ControlParts.h"

#include "tools/skinart/Glyphs.h"

namespace skinart {

namespace T = theme;
using layout::State;

namespace {

const T::Face& faceOf(State s) {
    switch (s) {
        case State::Hot: return T::kHot;
        case State::Down: return T::kDown;
        case State::Disabled: return T::kDisabled;
        default: return T::kNormal;
    }
}

}  // namespace

void buttonFace(PixelView v, Rect r, State s, int radius) {
    fill(v, r, T::kClient);  // what shows through the rounded corners
    const T::Face& f = faceOf(s);
    roundBox(v, r, radius, f.border, f.top, f.bottom);
    if (s == State::Focused) {
        // Focus: the normal face with a blue ring just inside its border.
        roundFrame(v, r, radius, T::kHot.border);
        roundFrame(v, r.inflate(-1, -1), radius > 0 ? radius - 1 : 0, T::kFocusRing);
    }
}

void flatFace(PixelView v, Rect r, State s, Pixel backTop, Pixel backBottom) {
    // A disabled part lies flat on a greyed bar, so it reads as unavailable even before its glyph is drawn.
    if (s == State::Disabled)
        vGradient(v, r, mix(backTop, T::kDisabled.top, 160), mix(backBottom, T::kDisabled.bottom, 160));
    else vGradient(v, r, backTop, backBottom);
    if (s == State::Hot || s == State::Focused) roundBox(v, r, 2, T::kHot.border, T::kHot.top, T::kHot.bottom);
    if (s == State::Down) roundBox(v, r, 2, T::kDown.border, T::kDown.top, T::kDown.bottom);
}

void fieldFrame(PixelView v, Rect r, bool active, int radius) {
    fill(v, r, T::kClient);
    roundBox(v, r, radius, active ? T::kFieldBorderHot : T::kFieldBorder, T::kField, T::kField);
    if (active) frame(v, r.inflate(-1, -1), T::kFieldInnerHot);
}

void arrowButton(PixelView v, Rect r, State s, int arrow, int size) {
    const T::Face& f = faceOf(s);
    fill(v, r, T::kClient);
    roundBox(v, r, 2, f.border, f.top, f.bottom);
    const int shift = s == State::Down ? 1 : 0;
    drawArrow(v, r.offset(shift, shift), static_cast<Arrow>(arrow), size, f.glyph);
}

}  // namespace skinart
