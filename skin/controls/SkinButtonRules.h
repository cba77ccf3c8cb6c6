// The rules of the skin button that need no window: what a button copies from its description, which state
// image a paint shows, the glyph cell, the caption colour, the frames of the animation strip and the hover morph's
// steps. Portable, so that each rule is tested natively.
#pragma once

#include "framework/Bitmap.h"
#include "skin/data/kvSkinControls.h"

// The values a button copies from a button description, with the fallbacks applied.
struct TkvSkinButtonLook {
    std::string SkinFontName = "Arial";
    int SkinFontHeight = 14;
    TkvFontStyles SkinFontStyle;
    fw::Color SkinFontColor = 0, SkinActiveFontColor = 0, SkinDownFontColor = 0, SkinDisabledFontColor = 0;
    fw::Rect SrcActiveRect, SrcDownRect, SrcFocusedRect, SrcDisabledRect;
    bool MorphEnabled = false;
    TkvMorphKind SkinMorphKind = mkdefault;
    fw::Rect SrcAnimateRect;
    int FrameTotal = 0, FrameInterval = 25;
    bool ShowFocusRect = false;
    int GlowPictureIndex = -1, GlowMaskPictureIndex = -1;
    int GlowOffsetLeft = 0, GlowOffsetTop = 0, GlowOffsetRight = 0, GlowOffsetBottom = 0;
    int GlowShowOffsetX = 0, GlowShowOffsetY = 0, GlowAlpha = 255;

    // An empty active rect falls back to the skin rect, an empty down rect to the active one, and a disabled
    // colour equal to the normal colour becomes gray.
    void CopyFrom(const TkvDataSkinButtonControl& d);
};

// Everything the choice of the state image depends on at one paint.
struct ButtonPaintState {
    bool enabled = true;
    bool down = false;     // the Down property
    bool grouped = false;  // GroupIndex is not 0
    bool mouseInside = false;
    bool mouseButtonHeld = false;
    bool focusLook = false;  // focused and focusable
    bool morphOn = false;
    double morphPhase = 0;
    bool animating = false;  // a frame animation is running
};

struct ButtonStateImage {
    fw::Rect source;
    bool down = false;
    bool active = false;
};

// The pressed look: Down, and either grouped, or hovered, or focused while the mouse button is not held.
bool ButtonPressedLook(const ButtonPaintState& s);
// The state image of a paint without a morph in progress (the first rule that holds).
ButtonStateImage ChooseButtonState(fw::Rect skinRect, const TkvSkinButtonLook& look, const ButtonPaintState& s);
// Glyph cell (1-based) of a strip of numGlyphs cells: 3 pressed, 4 hot, 1 up, 2 disabled, as far as the strip has them.
int ButtonGlyphCell(bool down, bool active, bool enabled, int numGlyphs);
// The caption colour of a state.
fw::Color ButtonFontColor(const TkvSkinButtonLook& look, bool enabled, bool useSkinFontColor, bool down, bool active,
                          fw::Color defaultColor);
// Frame n (1-based) of an animation strip of frameTotal frames: side by side when the strip is wider than the
// skin rect, else stacked.
fw::Rect AnimationFrameRect(fw::Rect strip, fw::Rect skinRect, int frameTotal, int n);

// One tick of the hover morph: the phase rises (hot) or falls by 0.2; `done` when it has arrived, with the phase
// set to exactly 1 or 0.
struct MorphStep {
    double phase;
    bool done;
};
MorphStep NextMorphPhase(double phase, bool hot);
