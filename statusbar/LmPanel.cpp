#include "statusbar/LmPanel.h"

namespace {

// Platform bevel edges for the two-colour styles.
UINT edgeOf(TFrameStyleEx style) {
    switch (style) {
        case TFrameStyleEx::fsGroove: return EDGE_ETCHED;
        case TFrameStyleEx::fsBump: return EDGE_BUMP;
        case TFrameStyleEx::fsLowered:
        case TFrameStyleEx::fsStatus: return BDR_SUNKENOUTER;
        case TFrameStyleEx::fsButtonDown: return EDGE_SUNKEN;
        case TFrameStyleEx::fsRaised:
        case TFrameStyleEx::fsPopup: return BDR_RAISEDINNER;
        case TFrameStyleEx::fsButtonUp: return EDGE_RAISED;
        default: return 0;
    }
}

UINT edgeSides(unsigned sides) {
    return ((sides & sdLeft) ? BF_LEFT : 0) | ((sides & sdTop) ? BF_TOP : 0) | ((sides & sdRight) ? BF_RIGHT : 0) |
           ((sides & sdBottom) ? BF_BOTTOM : 0);
}

}  // namespace

int FrameStyleWidth(TFrameStyleEx style) {
    switch (style) {
        case TFrameStyleEx::fsNone: return 0;
        case TFrameStyleEx::fsGroove:
        case TFrameStyleEx::fsBump:
        case TFrameStyleEx::fsButtonDown:
        case TFrameStyleEx::fsButtonUp:
        case TFrameStyleEx::fsFlatBold: return 2;
        default: return 1;
    }
}

void DrawFrameStyle(fw::Canvas& canvas, const fw::Rect& r, TFrameStyleEx style, fw::Color flatColor, unsigned sides) {
    if (r.empty() || style == TFrameStyleEx::fsNone) return;
    if (style == TFrameStyleEx::fsFlat || style == TFrameStyleEx::fsFlatBold || style == TFrameStyleEx::fsFlatRounded) {
        const int w = FrameStyleWidth(style);
        // Flat edges stop short of the corners, so the frame's corner pixels keep the background; the rounded
        // style moves its edges one pixel further from the corners and closes them with a diagonal pixel.
        const int cut = style == TFrameStyleEx::fsFlatRounded ? 2 : 1;
        canvas.setBrushColor(flatColor);
        for (int i = 0; i < w; ++i) {
            const fw::Rect e = r.inflate(-i, -i);
            if (sides & sdLeft) canvas.fillRect({e.left, e.top + cut, e.left + 1, e.bottom - cut});
            if (sides & sdRight) canvas.fillRect({e.right - 1, e.top + cut, e.right, e.bottom - cut});
            if (sides & sdTop) canvas.fillRect({e.left + cut, e.top, e.right - cut, e.top + 1});
            if (sides & sdBottom) canvas.fillRect({e.left + cut, e.bottom - 1, e.right - cut, e.bottom});
        }
        if (cut == 2) {
            for (const fw::Point p : {fw::Point{r.left + 1, r.top + 1}, fw::Point{r.right - 2, r.top + 1},
                                      fw::Point{r.left + 1, r.bottom - 2}, fw::Point{r.right - 2, r.bottom - 2}})
                canvas.fillRect({p.x, p.y, p.x + 1, p.y + 1});
        }
        return;
    }
    RECT rc = fw::toRECT(r);
    DrawEdge(canvas.handle(), &rc, edgeOf(style), edgeSides(sides));
}

TLmCustomPanel::TLmCustomPanel(fw::Component* owner) : fw::Panel(owner) {
    setBevelOuter(fw::BevelStyle::None);
    setShowCaption(false);
}

void TLmCustomPanel::SetBorderInner(TFrameStyleEx v) {
    borderInner_ = v;
    BordersChanged();
}

void TLmCustomPanel::SetBorderOuter(TFrameStyleEx v) {
    borderOuter_ = v;
    BordersChanged();
}

void TLmCustomPanel::SetBorderSides(unsigned v) {
    borderSides_ = v & sdAll;
    BordersChanged();
}

void TLmCustomPanel::SetBorderWidth(int v) {
    borderWidth_ = v < 0 ? 0 : v;
    BordersChanged();
}

void TLmCustomPanel::BordersChanged() {
    alignControls();
    invalidate();
}

fw::Rect TLmCustomPanel::alignRect() const {
    fw::Rect r = clientRect();
    const int w = FrameStyleWidth(borderOuter_) + borderWidth_ + FrameStyleWidth(borderInner_);
    if (borderSides_ & sdLeft) r.left += w;
    if (borderSides_ & sdTop) r.top += w;
    if (borderSides_ & sdRight) r.right -= w;
    if (borderSides_ & sdBottom) r.bottom -= w;
    return r;
}

void TLmCustomPanel::paint(fw::Canvas& canvas) {
    fw::Rect r = clientRect();
    canvas.setBrushColor(color());
    canvas.fillRect(r);
    DrawFrameStyle(canvas, r, borderOuter_, fw::clBtnShadow, borderSides_);
    const int outer = FrameStyleWidth(borderOuter_) + borderWidth_;
    const fw::Rect inner{r.left + ((borderSides_ & sdLeft) ? outer : 0), r.top + ((borderSides_ & sdTop) ? outer : 0),
                         r.right - ((borderSides_ & sdRight) ? outer : 0),
                         r.bottom - ((borderSides_ & sdBottom) ? outer : 0)};
    DrawFrameStyle(canvas, inner, borderInner_, fw::clBtnShadow, borderSides_);
}
