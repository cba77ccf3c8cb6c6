// The skinned scroll bar: drawn from its "hscrollbar" or "vscrollbar" description (the bar image, the arrow
// buttons' normal, hot and pressed images, the thumb composed to its length between its fixed ends with its grip
// glyph), or a plain look without one. Arrow buttons and track clicks repeat while held, the thumb drags, and every
// move is reported with the platform's SB_* codes. Disabled (no thumb, no reaction) when Enabled is false or the
// whole range fits in a page.
#pragma once

#include <functional>

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/kvSkinCtrls.h"

enum TkvScrollKind { skHorizontal, skVertical };

class TkvSkinScrollBar : public TkvSkinCustomControl {
public:
    explicit TkvSkinScrollBar(fw::Component* owner);

    TkvScrollKind Kind() const { return kind_; }
    // Also picks the description ("hscrollbar" or "vscrollbar") and turns the bar's size.
    void SetKind(TkvScrollKind k);
    // The range, the page (0: no page, the thumb as long as a button) and the position (clamped to the range).
    void SetParams(int min, int max, int page, int position);
    int Min() const { return params_.Min; }
    int Max() const { return params_.Max; }
    int Page() const { return params_.Page; }
    int Position() const { return params_.Position; }
    void SetPosition(int position);
    // Whether the bar reacts: enabled and something to scroll.
    bool Active() const;
    int SmallChange = 1;  // an arrow button's step
    int LargeChange = 0;  // a track click's step; 0 means one page

    // (code, new position) after the bar moved: SB_LINEUP/SB_LINEDOWN (arrows), SB_PAGEUP/SB_PAGEDOWN (track),
    // SB_THUMBTRACK while dragging, SB_THUMBPOSITION on release, SB_ENDSCROLL when the press ends.
    std::function<void(int code, int position)> OnScroll;

    // The parts at the present size.
    TkvScrollLayout Layout() const;

    void FetchSkinDescription() override;
    void DrawSkinImage(fw::DibSection& bitmap) override;
    void DrawDefaultImage(fw::DibSection& bitmap) override;

protected:
    void wndProc(fw::Message& m) override;
    void createParams(CreateParams& p) override;

private:
    bool Vertical() const { return kind_ == skVertical; }
    int ButtonSize() const;
    void Step(TkvScrollPart part);
    void Press(fw::Point p);
    void Drag(fw::Point p);
    void Release();
    void SetHot(TkvScrollPart part);
    void DrawSkinButton(fw::DibSection& bitmap, fw::Rect area, bool up);
    void DrawSkinThumb(fw::DibSection& bitmap, fw::Rect thumb);

    TkvScrollKind kind_ = skHorizontal;
    TkvScrollParams params_{0, 100, 0, 0};
    TkvScrollPart hot_ = TkvScrollPart::None;
    TkvScrollPart pressed_ = TkvScrollPart::None;
    bool repeatFirst_ = false;
    int grabOffset_ = 0;  // where along the thumb it was taken

    // Copied from the description.
    bool described_ = false;
    fw::Rect upRect_[3], downRect_[3], thumbRect_[3];  // normal, hot, pressed
    int thumbOffset1_ = 0, thumbOffset2_ = 0, thumbMinSize_ = 0;
    bool thumbTransparent_ = false, thumbStretch_ = false;
    fw::Color thumbTransparentColor_ = 0;
    fw::Rect glyphRect_[3];
    bool glyphTransparent_ = false;
    fw::Color glyphTransparentColor_ = 0;
};
