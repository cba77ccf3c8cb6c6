#include "skin/controls/kvSkinScrollBar.h"

#include <algorithm>

#include <windowsx.h>

#include "skin/imaging/PixelOps.h"
#include "skin/imaging/SkinCompose.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatDelay = 400;     // ms before a held button starts repeating
constexpr UINT kRepeatInterval = 50;   // ms between repeats
constexpr int kDefaultThumbMin = 8;    // the plain look's least thumb length
// The default look's colours for pressable parts (platform colour values 0x00BBGGRR).
constexpr fw::Color kDefaultFrame = 0x800000, kDefaultPressedFill = 0xB59385, kDefaultHotFill = 0xD2BDB6;

// A small arrow pointing left, right, up or down, centred in r.
void drawArrow(fw::Canvas& c, fw::Rect r, bool vertical, bool towardsStart, fw::Color colour) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    c.setBrushColor(colour);
    for (int i = 0; i < 4; ++i) {
        const int d = towardsStart ? i : 3 - i;  // distance from the arrow's tip row
        if (vertical) c.fillRect({cx - d, cy - 2 + i, cx + d + 1, cy - 1 + i});
        else c.fillRect({cx - 2 + i, cy - d, cx - 1 + i, cy + d + 1});
    }
}

void copyPiece(fw::PixelView dst, fw::ConstPixelView src, fw::Rect area, bool transparent, fw::Color key) {
    if (transparent) TransparentCopy(src, dst, area.left, area.top, key);
    else CopyPixelsFast(src, {0, 0, src.width, src.height}, dst, area.left, area.top);
}

}  // namespace

TkvSkinScrollBar::TkvSkinScrollBar(fw::Component* owner) : TkvSkinCustomControl(owner) {
    skinDataName_ = "hscrollbar";
    setBounds(0, 0, 121, 19);
}

void TkvSkinScrollBar::createParams(CreateParams& p) {
    TkvSkinCustomControl::createParams(p);
    p.className = L"TkvSkinScrollBar";
}

void TkvSkinScrollBar::SetKind(TkvScrollKind k) {
    if (k == kind_) return;
    kind_ = k;
    skinDataName_ = k == skVertical ? "vscrollbar" : "hscrollbar";
    if (!loading()) setBounds(left(), top(), height(), width());
    ChangeSkinData();
}

void TkvSkinScrollBar::SetParams(int min, int max, int page, int position) {
    params_.Min = min;
    params_.Max = std::max(max, min);
    params_.Page = std::max(page, 0);
    params_.Position = params_.Clamp(position);
    invalidate();
}

void TkvSkinScrollBar::SetPosition(int position) {
    position = params_.Clamp(position);
    if (position == params_.Position) return;
    params_.Position = position;
    invalidate();
}

bool TkvSkinScrollBar::Active() const { return enabled() && !params_.Fits(); }

int TkvSkinScrollBar::ButtonSize() const {
    if (described_) {
        const fw::Rect& r = upRect_[0];
        if (!r.empty()) return Vertical() ? r.height() : r.width();
    }
    return Vertical() ? width() : height();  // square buttons
}

TkvScrollLayout TkvSkinScrollBar::Layout() const {
    const int minThumb = described_ ? std::max(thumbMinSize_, thumbOffset1_ + thumbOffset2_ + 1) : kDefaultThumbMin;
    return LayoutScrollBar(Vertical(), width(), height(), ButtonSize(), minThumb, params_, Active());
}

// ---- Skin ------------------------------------------------------------------------------------------------------

void TkvSkinScrollBar::FetchSkinDescription() {
    TkvSkinCustomControl::FetchSkinDescription();
    described_ = false;
    if (DescriptionIndex == -1) return;
    const auto* d = SkinData()->ControlAs<TkvDataSkinScrollBarControl>(DescriptionIndex);
    if (!d || !SkinPicture) return;
    described_ = true;
    upRect_[0] = d->UpButtonRect;
    upRect_[1] = d->ActiveUpButtonRect;
    upRect_[2] = d->DownUpButtonRect;
    downRect_[0] = d->DownButtonRect;
    downRect_[1] = d->ActiveDownButtonRect;
    downRect_[2] = d->DownDownButtonRect;
    thumbRect_[0] = d->ThumbRect;
    thumbRect_[1] = d->ActiveThumbRect;
    thumbRect_[2] = d->DownThumbRect;
    glyphRect_[0] = d->GlyphRect;
    glyphRect_[1] = d->ActiveGlyphRect;
    glyphRect_[2] = d->DownGlyphRect;
    thumbOffset1_ = d->ThumbOffset1;
    thumbOffset2_ = d->ThumbOffset2;
    thumbMinSize_ = d->ThumbMinSize;
    thumbTransparent_ = d->ThumbTransparent;
    thumbTransparentColor_ = d->ThumbTransparentColor;
    thumbStretch_ = d->ThumbStretchEffect;
    glyphTransparent_ = d->GlyphTransparent;
    glyphTransparentColor_ = d->GlyphTransparentColor;
}

void TkvSkinScrollBar::DrawSkinImage(fw::DibSection& bitmap) {
    if (!described_) {
        DrawDefaultImage(bitmap);
        return;
    }
    DrawSkinImageFrom(bitmap, SrcSkinRect);
    const TkvScrollLayout l = Layout();
    DrawSkinButton(bitmap, l.UpButton, true);
    DrawSkinButton(bitmap, l.DownButton, false);
    if (!l.Thumb.empty()) DrawSkinThumb(bitmap, l.Thumb);
}

void TkvSkinScrollBar::DrawSkinButton(fw::DibSection& bitmap, fw::Rect area, bool up) {
    const TkvScrollPart part = up ? TkvScrollPart::UpButton : TkvScrollPart::DownButton;
    const fw::Rect* rects = up ? upRect_ : downRect_;
    int state = 0;
    if (Active() && pressed_ == part && hot_ == part) state = 2;
    else if (Active() && hot_ == part) state = 1;
    fw::Rect source = rects[state].empty() ? rects[0] : rects[state];
    if (source.empty() || area.empty()) return;
    fw::Bitmap scratch;
    StretchPixels(CopySegment(SkinPicture->view(), source, scratch), bitmap.pixels(), area);
}

void TkvSkinScrollBar::DrawSkinThumb(fw::DibSection& bitmap, fw::Rect thumb) {
    const int state = pressed_ == TkvScrollPart::Thumb ? 2 : hot_ == TkvScrollPart::Thumb ? 1 : 0;
    const fw::Rect source = thumbRect_[state].empty() ? thumbRect_[0] : thumbRect_[state];
    if (source.empty()) return;
    const fw::ConstPixelView pic = SkinPicture->view();
    // The thumb image made as long as the thumb, its two ends fixed; then fitted across the bar.
    fw::Bitmap piece = Vertical() ? ComposeHeightOnly(pic, source, thumbOffset1_, thumbOffset2_, thumb.height(),
                                                      thumbStretch_)
                                  : ComposeWidthOnly(pic, source, thumbOffset1_, thumbOffset2_, thumb.width(),
                                                     thumbStretch_);
    if (piece.empty()) return;
    if (piece.width() != thumb.width() || piece.height() != thumb.height()) {
        fw::Bitmap fitted(thumb.width(), thumb.height());
        StretchPixels(piece.view(), fitted.view(), fitted.rect());
        piece = std::move(fitted);
    }
    copyPiece(bitmap.pixels(), piece.view(), thumb, thumbTransparent_, thumbTransparentColor_);
    // The grip in the middle, when the thumb is long enough to hold it between its ends.
    const fw::Rect grip = glyphRect_[state].empty() ? glyphRect_[0] : glyphRect_[state];
    const int room = (Vertical() ? thumb.height() : thumb.width()) - thumbOffset1_ - thumbOffset2_;
    if (grip.empty() || room < (Vertical() ? grip.height() : grip.width())) return;
    fw::Bitmap scratch;
    const fw::ConstPixelView g = CopySegment(pic, grip, scratch);
    const int x = thumb.left + (thumb.width() - grip.width()) / 2, y = thumb.top + (thumb.height() - grip.height()) / 2;
    copyPiece(bitmap.pixels(), g, fw::Rect::fromSize(x, y, grip.width(), grip.height()), glyphTransparent_,
              glyphTransparentColor_);
}

void TkvSkinScrollBar::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    const TkvScrollLayout l = Layout();
    c.setBrushColor(fw::clScrollBar);
    c.fillRect(bitmap.rect());
    auto part = [&](fw::Rect r, TkvScrollPart which) {
        const bool active = Active();
        const bool pressed = active && pressed_ == which && hot_ == which;
        const bool hot = active && !pressed && hot_ == which;
        c.setBrushColor(pressed ? kDefaultPressedFill : hot ? kDefaultHotFill : fw::clBtnFace);
        c.fillRect(r);
        c.setBrushColor(pressed || hot ? kDefaultFrame : fw::clBtnShadow);
        c.frameRect(r);
        return pressed;
    };
    const fw::Color arrow = Active() ? fw::clBtnText : fw::clBtnShadow;
    const bool upPressed = part(l.UpButton, TkvScrollPart::UpButton);
    drawArrow(c, upPressed ? l.UpButton.offset(1, 1) : l.UpButton, Vertical(), true, arrow);
    const bool downPressed = part(l.DownButton, TkvScrollPart::DownButton);
    drawArrow(c, downPressed ? l.DownButton.offset(1, 1) : l.DownButton, Vertical(), false, arrow);
    if (!l.Thumb.empty()) part(l.Thumb, TkvScrollPart::Thumb);
}

// ---- Mouse -----------------------------------------------------------------------------------------------------

void TkvSkinScrollBar::Step(TkvScrollPart part) {
    const int page = LargeChange > 0 ? LargeChange : std::max(params_.Page, 1);
    int code = 0, delta = 0;
    switch (part) {
        case TkvScrollPart::UpButton: code = SB_LINEUP, delta = -SmallChange; break;
        case TkvScrollPart::DownButton: code = SB_LINEDOWN, delta = SmallChange; break;
        case TkvScrollPart::PageUp: code = SB_PAGEUP, delta = -page; break;
        case TkvScrollPart::PageDown: code = SB_PAGEDOWN, delta = page; break;
        default: return;
    }
    SetPosition(params_.Position + delta);
    if (OnScroll) OnScroll(code, params_.Position);
}

void TkvSkinScrollBar::Press(fw::Point p) {
    if (!Active()) return;
    const TkvScrollLayout l = Layout();
    pressed_ = l.PartAt(p);
    hot_ = pressed_;
    if (pressed_ == TkvScrollPart::None) return;
    SetCapture(handle());
    if (pressed_ == TkvScrollPart::Thumb) {
        grabOffset_ = Vertical() ? p.y - l.Thumb.top : p.x - l.Thumb.left;
        invalidate();
        return;
    }
    Step(pressed_);
    repeatFirst_ = true;
    startTimer(kRepeatTimer, kRepeatDelay);
    invalidate();
}

void TkvSkinScrollBar::Drag(fw::Point p) {
    const TkvScrollLayout l = Layout();
    if (pressed_ == TkvScrollPart::Thumb) {
        const int pos = ScrollPositionAt(l, params_, (Vertical() ? p.y : p.x) - grabOffset_);
        if (pos != params_.Position) {
            params_.Position = pos;
            invalidate();
            if (OnScroll) OnScroll(SB_THUMBTRACK, pos);
        }
        return;
    }
    SetHot(l.PartAt(p));
}

void TkvSkinScrollBar::Release() {
    const TkvScrollPart was = pressed_;
    pressed_ = TkvScrollPart::None;
    stopTimer(kRepeatTimer);
    if (GetCapture() == handle()) ReleaseCapture();
    invalidate();
    if (was == TkvScrollPart::None) return;
    if (was == TkvScrollPart::Thumb && OnScroll) OnScroll(SB_THUMBPOSITION, params_.Position);
    if (OnScroll) OnScroll(SB_ENDSCROLL, params_.Position);
}

void TkvSkinScrollBar::SetHot(TkvScrollPart part) {
    if (part == hot_) return;
    hot_ = part;
    invalidate();
}

void TkvSkinScrollBar::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
            break;
        case WM_MOUSEMOVE:
            Drag({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
            break;
        case WM_LBUTTONUP: Release(); break;
        case WM_CAPTURECHANGED:
            if (pressed_ != TkvScrollPart::None && reinterpret_cast<HWND>(m.lParam) != handle()) Release();
            break;
        case WM_TIMER:
            if (m.wParam != kRepeatTimer) break;
            if (repeatFirst_) {
                repeatFirst_ = false;
                startTimer(kRepeatTimer, kRepeatInterval);
            }
            // A held track click stops once the thumb has come under the pointer.
            if (pressed_ != TkvScrollPart::None && pressed_ == hot_) {
                POINT pt{};
                GetCursorPos(&pt);
                ScreenToClient(handle(), &pt);
                const TkvScrollPart under = Layout().PartAt({pt.x, pt.y});
                const bool page = pressed_ == TkvScrollPart::PageUp || pressed_ == TkvScrollPart::PageDown;
                if (!page || under == pressed_) Step(pressed_);
            }
            m.result = 0;
            return;
        case WM_MOUSEWHEEL:
            if (Active()) Step(GET_WHEEL_DELTA_WPARAM(m.wParam) > 0 ? TkvScrollPart::UpButton : TkvScrollPart::DownButton);
            m.result = 0;
            return;
        case fw::CM_MOUSELEAVE:
            if (pressed_ == TkvScrollPart::None) SetHot(TkvScrollPart::None);
            break;
        case fw::CM_ENABLEDCHANGED:
            Release();
            hot_ = TkvScrollPart::None;
            invalidate();
            break;
        default: break;
    }
    TkvSkinCustomControl::wndProc(m);
}
