// The bordered panel under the status bar, and the frame styles that the panel's borders and the status panes
// share. Drawn in the platform's classic style; the skin takes no part.
#pragma once

#include "framework/StdControls.h"

enum class TFrameStyleEx {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};

// Sides a border is drawn on (any combination).
enum TLmBorderSide : unsigned { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8, sdAll = 15 };

// How far a frame of this style reaches into the rectangle it is drawn on.
int FrameStyleWidth(TFrameStyleEx style);

// Draws a frame of the style on the sides given, just inside r. fsFlat and fsFlatBold use flatColor (a plain or
// system colour) in one- or two-pixel lines that leave the corner pixels out; the other styles draw the
// platform's two-colour bevels.
void DrawFrameStyle(fw::Canvas& canvas, const fw::Rect& r, TFrameStyleEx style, fw::Color flatColor,
                    unsigned sides = sdAll);

// A panel with an inner and an outer border of any frame style and a plain gap of BorderWidth between them.
class TLmCustomPanel : public fw::Panel {
public:
    explicit TLmCustomPanel(fw::Component* owner);

    TFrameStyleEx BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyleEx v);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyleEx v);
    unsigned BorderSides() const { return borderSides_; }
    void SetBorderSides(unsigned v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);

    // The client area less the borders on their sides: where aligned children go.
    fw::Rect alignRect() const override;

protected:
    void paint(fw::Canvas& canvas) override;

private:
    void BordersChanged();

    TFrameStyleEx borderInner_ = TFrameStyleEx::fsNone;
    TFrameStyleEx borderOuter_ = TFrameStyleEx::fsNone;
    unsigned borderSides_ = sdAll;
    int borderWidth_ = 0;
};
