#include "skin/controls/kvSkinButton.h"

#include <algorithm>
#include <cwctype>

#include <windowsx.h>

#include "framework/Form.h"
#include "skin/controls/DefaultPressLook.h"
#include "skin/controls/ParentImage.h"
#include "skin/controls/SkinControlFont.h"
#include "skin/imaging/FocusRect.h"
#include "skin/imaging/GlyphCaption.h"
#include "skin/imaging/PixelOps.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/kveffects.h"

namespace {

constexpr UINT kRepeatDelay = 500;  // ms before auto-repeat starts
constexpr UINT kMorphInterval = 20;

// The character after the caption's single '&' (lower case), or 0.
wchar_t accelerator(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(std::towlower(caption[i + 1]));
    }
    return 0;
}

// Draws cell `cell` (1-based) of a strip of `cells` equal cells at (x, y), leaving out the colour of the cell's
// bottom-left pixel.
void drawGlyphCell(fw::PixelView dst, const fw::Bitmap& strip, int cells, int cell, int x, int y) {
    const int gw = strip.width() / cells, gh = strip.height();
    if (gw <= 0 || gh <= 0) return;
    const int sx = gw * (cell - 1);
    const fw::Pixel transparent = strip.at(sx, gh - 1) & 0x00FFFFFFu;
    for (int row = 0; row < gh; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= dst.height) continue;
        const fw::Pixel* s = strip.scanline(row) + sx;
        fw::Pixel* d = dst.scanline(ty);
        for (int col = 0; col < gw; ++col) {
            const int tx = x + col;
            if (tx < 0 || tx >= dst.width || (s[col] & 0x00FFFFFFu) == transparent) continue;
            d[tx] = s[col] | 0xFF000000u;
        }
    }
}

}  // namespace

TkvSkinButton::TkvSkinButton(fw::Component* owner) : TkvSkinCustomControl(owner) {
    skinDataName_ = "button";
    setBounds(0, 0, 75, 25);
    setTabStop(true);
}

TkvSkinButton::~TkvSkinButton() = default;

// ---- Properties ----------------------------------------------------------------------------------------------

void TkvSkinButton::SetGlyph(fw::Bitmap glyph) {
    glyph_ = std::move(glyph);
    invalidate();
}

void TkvSkinButton::SetNumGlyphs(int n) {
    numGlyphs_ = std::clamp(n, 1, 4);
    invalidate();
}

void TkvSkinButton::SetLayout(TkvButtonLayout l) {
    layout_ = l;
    invalidate();
}

void TkvSkinButton::SetMargin(int m) {
    if (m < -1) return;
    margin_ = m;
    invalidate();
}

void TkvSkinButton::SetSpacing(int s) {
    spacing_ = s;
    invalidate();
}

void TkvSkinButton::SetDefault(bool v) {
    default_ = v;
    if (!handleAllocated() || !canFocused_) return;
    // Whether this button answers Enter depends on where the focus is now (the other buttons' roles do not
    // depend on this one's flag).
    fw::Form* f = parentForm();
    FocusChanged(f ? f->activeControl() : nullptr);
}

void TkvSkinButton::SetCanFocused(bool v) {
    canFocused_ = v;
    setTabStop(v);
}

void TkvSkinButton::SetGroupIndex(int g) {
    groupIndex_ = g;
    if (g != 0) SetCanFocused(false);
}

void TkvSkinButton::SetFlat(bool v) {
    flat_ = v;
    invalidate();
}

void TkvSkinButton::SetDown(bool v) {
    down_ = v;
    if (MorphOn()) {
        morphPhase_ = 1;
        if (v) {
            stopTimer(kMorphTimer);
            morphRunning_ = false;
        } else if (!morphRunning_ && handleAllocated()) {
            morphRunning_ = true;
            startTimer(kMorphTimer, kMorphInterval);
        }
    }
    invalidate();
    if (groupIndex_ == 0 || !v || AllowAllUp || !parent()) return;
    for (fw::Control* c : parent()->controls()) {
        auto* other = dynamic_cast<TkvSkinButton*>(c);
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) other->SetDown(false);
    }
}

// ---- Skin ----------------------------------------------------------------------------------------------------

bool TkvSkinButton::EffectsOn() const { return SkinReady() && SkinData()->EnableSkinEffects; }

bool TkvSkinButton::FocusLook() const { return canFocused_ && handleAllocated() && focused(); }

void TkvSkinButton::FetchSkinDescription() {
    TkvSkinCustomControl::FetchSkinDescription();
    if (DescriptionIndex == -1) {
        look_.SrcAnimateRect = {};
        return;
    }
    if (auto* d = SkinData()->ControlAs<TkvDataSkinButtonControl>(DescriptionIndex)) look_.CopyFrom(*d);
    if (!UseSkinSize) SkinMaskPicture = nullptr;
}

void TkvSkinButton::CalcSkinSize(int& width, int& height) {
    if (UseSkinSize) {
        TkvSkinCustomControl::CalcSkinSize(width, height);
        return;
    }
    // The size stays the caller's, but a skin that stretches both ways is still drawn through its corner points
    // and client rectangle, so those are laid out for that size. Without them the hot and pressed looks of a
    // freely sized button came out black.
    int w = width, h = height;
    TkvSkinCustomControl::CalcSkinSize(w, h);
}

void TkvSkinButton::ChangeSkinData() {
    stopTimer(kMorphTimer);
    morphRunning_ = false;
    StopAnimation();
    morphPhase_ = 0;
    TkvSkinCustomControl::ChangeSkinData();
    if (MorphOn() && DescriptionIndex != -1 && (mouseInside_ || FocusLook())) morphPhase_ = 1;
    if (mouseInside_ && handleAllocated()) PostMessageW(handle(), SKIN_MSG_SHOW_GLOW, 0, 0);
}

void TkvSkinButton::BeforeChangeSkinData() {
    HideGlow();
    TkvSkinCustomControl::BeforeChangeSkinData();
}

// ---- Painting ------------------------------------------------------------------------------------------------

ButtonPaintState TkvSkinButton::PaintState() const {
    ButtonPaintState s;
    s.enabled = enabled();
    s.down = down_;
    s.grouped = groupIndex_ != 0;
    s.mouseInside = mouseInside_;
    s.mouseButtonHeld = mouseButtonHeld_;
    s.focusLook = FocusLook();
    s.morphOn = MorphOn();
    s.morphPhase = morphPhase_;
    s.animating = frameRunning_;
    return s;
}

void TkvSkinButton::PaintControl(fw::Canvas& canvas) {
    if (width() < 1 || height() < 1) return;
    FetchSkinDescription();
    RefreshCurrentPoints();
    fw::DibSection& bitmap = PaintBuffer();
    if (FlatAtRest()) PaintFlat(bitmap);
    else if (DescriptionIndex == -1) DrawDefaultImage(bitmap);
    else PaintImage(bitmap);
    if (!bitmap.empty()) bitmap.drawTo(canvas.handle(), 0, 0);
}

bool TkvSkinButton::FlatAtRest() const {
    return flat_ && !down_ && !mouseInside_ && !FocusLook() && !ButtonPressedLook(PaintState());
}

void TkvSkinButton::PaintFlat(fw::DibSection& bitmap) {
    if (handleAllocated()) PaintParentBackground(*this, bitmap.dc());
    const bool skinned = DescriptionIndex != -1 && SkinPicture;
    const fw::Rect area = skinned && (UseSkinSize || SizingMode == 1) && !CurClientRect.empty() ? CurClientRect
                                                                                                : bitmap.rect();
    const std::wstring text = caption();
    const fw::Font font = SkinControlFont(skinned && UseSkinFont, skinned ? &look_.SkinFontName : nullptr,
                                          look_.SkinFontHeight, look_.SkinFontStyle, DefaultFont(), SkinData(), text);
    const fw::Color colour = skinned ? ButtonFontColor(look_, enabled(), UseSkinFontColor, false, false,
                                                       DefaultFont().color())
                                     : (enabled() ? DefaultFont().color() : fw::clBtnShadow);
    DrawGlyphAndCaption(bitmap, area, font, colour, ButtonGlyphCell(false, false, enabled(), numGlyphs_), false);
}

void TkvSkinButton::PaintImage(fw::DibSection& bitmap) {
    const ButtonPaintState s = PaintState();
    if (s.morphOn && morphPhase_ > 0 && morphPhase_ < 1 && s.enabled) {
        DrawButtonState(bitmap, SrcSkinRect, false, false);
        fw::DibSection active(width(), height());
        DrawButtonState(active, look_.SrcActiveRect, false, true);
        TkvEffectBmp a(bitmap.pixels()), b(active.pixels());
        a.Morph(look_.SkinMorphKind, b, morphPhase_);
        bitmap.assign(a.Image().view());
        return;
    }
    // A running frame animation stands in for the active image while rising and the normal one while falling.
    TkvSkinButtonLook look = look_;
    fw::Rect normal = SrcSkinRect;
    if (EffectsOn() && frameRunning_ && animationFrame_ >= 1 && animationFrame_ <= look_.FrameTotal) {
        const fw::Rect frame = AnimationFrameRect(look_.SrcAnimateRect, SrcSkinRect, look_.FrameTotal, animationFrame_);
        if (animationRising_) look.SrcActiveRect = frame;
        else normal = frame;
    }
    const ButtonStateImage img = ChooseButtonState(normal, look, s);
    DrawButtonState(bitmap, img.source, img.down, img.active);
}

void TkvSkinButton::DrawButtonState(fw::DibSection& bitmap, fw::Rect source, bool down, bool active) {
    fw::Rect textArea;
    if (UseSkinSize || SizingMode == 1) {
        DrawSkinImageFrom(bitmap, source);
        textArea = CurClientRect;
    } else if (SkinPicture) {
        const int bw = bitmap.width(), bh = bitmap.height();
        fw::Bitmap image;
        if (SizingMode == 0) {
            fw::Bitmap scratch;
            const fw::ConstPixelView seg = CopySegment(SkinPicture->view(), source, scratch);
            image.resize(bw, bh);
            StretchPixels(seg, image.view(), image.rect());
        } else {
            ComposeSkinImage(image, SkinPicture->view(), source, PlainCorners(SrcClientRect),
                             ResizeCorners(PlainCorners(SrcClientRect), bw - source.width(), bh - source.height()), bw,
                             bh, PlainStretch(), true);
        }
        if (!image.empty()) bitmap.assign(image.view());
        textArea = {SrcClientRect.left, SrcClientRect.top, SrcClientRect.right + bw - source.width(),
                    SrcClientRect.bottom + bh - source.height()};
    } else {
        DrawDefaultImage(bitmap);
        return;
    }

    const std::wstring text = caption();
    captionFont_.assign(SkinControlFont(UseSkinFont, &look_.SkinFontName, look_.SkinFontHeight, look_.SkinFontStyle,
                                        DefaultFont(), SkinData(), text));
    const fw::Font& font = captionFont_;
    const fw::Color colour = fw::resolveColor(
        ButtonFontColor(look_, enabled(), UseSkinFontColor, down, active, DefaultFont().color()));
    if (look_.ShowFocusRect && handleAllocated() && focused())
        DrawDottedFocusRect(bitmap.pixels(), textArea, fw::colorToPixel(colour) | 0xFF000000u);

    bool drawDefault = true;
    if (OnPaint) OnPaint(this, bitmap.canvas(), textArea, down, active, drawDefault);
    if (!drawDefault) return;
    DrawGlyphAndCaption(bitmap, textArea, font, colour, ButtonGlyphCell(down, active, enabled(), numGlyphs_),
                        down && active);
}

void TkvSkinButton::DrawGlyphAndCaption(fw::DibSection& bitmap, fw::Rect area, const fw::Font& font, fw::Color colour,
                                        int cell, bool pressed) {
    const std::wstring text = caption();
    const HDC dc = bitmap.dc();
    fw::SelectGuard select(dc, font.handle());
    const bool hasGlyph = !glyph_.empty();
    const int gw = hasGlyph ? glyph_.width() / numGlyphs_ : 0, gh = hasGlyph ? glyph_.height() : 0;
    const GlyphCaptionPlace place = PlaceGlyphAndCaption(dc, layout_, area, gw, gh, text, margin_,
                                                         hasGlyph ? spacing_ : 0, pressed);
    if (hasGlyph) drawGlyphCell(bitmap.pixels(), glyph_, numGlyphs_, cell, place.glyph.x, place.glyph.y);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fw::resolveColor(colour));
    DrawCaption(dc, text, place.text);
}

void TkvSkinButton::DrawDefaultImage(fw::DibSection& bitmap) {
    const ButtonPaintState s = PaintState();
    const bool pressed = ButtonPressedLook(s);
    const bool hot = !pressed && (s.mouseInside || s.focusLook);
    fw::Canvas& c = bitmap.canvas();
    const fw::Rect r = bitmap.rect();
    DrawDefaultPressable(c, r, pressed, hot);

    const std::wstring text = caption();
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, c, r, down_, mouseInside_, drawDefault);
    if (!drawDefault) return;
    captionFont_.assign(SkinControlFont(false, nullptr, 0, {}, DefaultFont(), SkinData(), text));
    DrawGlyphAndCaption(bitmap, r, captionFont_, enabled() ? DefaultFont().color() : fw::clBtnShadow,
                        ButtonGlyphCell(down_, mouseInside_, enabled(), numGlyphs_), pressed);
}

// ---- Clicks --------------------------------------------------------------------------------------------------

void TkvSkinButton::PerformClick() {
    if (!enabled()) return;  // also for clicks asked for in code, a timer's or a key's
    if (canFocused_)
        if (fw::Form* f = parentForm(); f && f != static_cast<fw::Control*>(this)) f->setModalResult(ModalResult);
    if (onClick) onClick(this);
}

bool TkvSkinButton::canFocus() const { return canFocused_ && TkvSkinCustomControl::canFocus(); }

bool TkvSkinButton::dialogKey(WPARAM key, bool isFocused) {
    if (!canFocused_) return false;
    if (key == VK_RETURN && ((isFocused && FocusLook()) || (actsOnEnter_ && enabled()))) {
        PerformClick();
        return true;
    }
    const fw::ShiftState s = fw::shiftState();
    if (key == VK_ESCAPE && Cancel && !s.shift && !s.ctrl && !s.alt && canFocus()) {
        PerformClick();
        return true;
    }
    return false;
}

bool TkvSkinButton::dialogChar(wchar_t ch) {
    const wchar_t a = accelerator(caption());
    if (a == 0 || a != std::towlower(ch) || !canFocused_ || !canFocus()) return false;
    setFocus();
    PerformClick();
    return true;
}

// ---- Mouse ---------------------------------------------------------------------------------------------------

void TkvSkinButton::MouseDown() {
    StopAnimation();
    mouseButtonHeld_ = true;
    if (!down_) {
        mouseInside_ = true;
        SetDown(true);
        if (RepeatMode && groupIndex_ == 0) StartRepeat();
        else if (groupIndex_ != 0) PerformClick();
        allowAllUpArmed_ = false;
    } else if (groupIndex_ != 0) {
        allowAllUpArmed_ = true;
    }
}

void TkvSkinButton::MouseUp(bool inside) {
    mouseButtonHeld_ = false;
    if (groupIndex_ == 0) {
        const bool wasDown = down_;
        if (inside) {
            SetDown(false);
            StopRepeat();
            if (wasDown) PerformClick();
        } else {
            down_ = false;
            StopRepeat();
        }
    } else if (down_ && AllowAllUp && allowAllUpArmed_ && inside) {
        SetDown(false);
        PerformClick();
    }
}

void TkvSkinButton::Enter() {
    mouseInside_ = true;
    const bool lookChanges = groupIndex_ != 0 ? !down_ : (!FocusLook() || down_);
    if (lookChanges) {
        if (down_) {
            if (MorphOn()) morphPhase_ = 1;
            invalidate();
        } else {
            StartAnimation(true);
            HoverChanged();
        }
    }
    if (down_ && groupIndex_ == 0 && RepeatMode) StartRepeat();
    if (handleAllocated()) PostMessageW(handle(), SKIN_MSG_SHOW_GLOW, 0, 0);
}

void TkvSkinButton::Leave() {
    // A default button that answers Enter while another control has the focus keeps its hot look.
    if (!(canFocused_ && default_ && actsOnEnter_ && !FocusLook())) mouseInside_ = false;
    const bool lookChanges = groupIndex_ != 0 ? !down_ : (!FocusLook() || down_);
    if (lookChanges) {
        StartAnimation(false);
        HoverChanged();
    }
    if (down_ && groupIndex_ == 0 && RepeatMode) StopRepeat();
    if (handleAllocated()) PostMessageW(handle(), SKIN_MSG_HIDE_GLOW, 0, 0);
}

// ---- Morph, animation, repeat --------------------------------------------------------------------------------

void TkvSkinButton::HoverChanged() {
    if (MorphOn() && DescriptionIndex != -1 && handleAllocated()) {
        if (!morphRunning_) {
            morphRunning_ = true;
            startTimer(kMorphTimer, kMorphInterval);
        }
    } else {
        invalidate();
    }
}

void TkvSkinButton::MorphTick() {
    const bool hot = mouseInside_ || FocusLook();
    bool done = true;
    if (DescriptionIndex == -1 || !MorphOn()) {
        morphPhase_ = hot ? 1 : 0;
    } else {
        const MorphStep step = NextMorphPhase(morphPhase_, hot);
        morphPhase_ = step.phase;
        done = step.done;
    }
    if (done) {
        stopTimer(kMorphTimer);
        morphRunning_ = false;
    }
    invalidate();
}

void TkvSkinButton::StartAnimation(bool rising) {
    if (!EffectsOn() || DescriptionIndex == -1 || look_.SrcAnimateRect.empty() || !handleAllocated()) return;
    animationRising_ = rising;
    animationFrame_ = rising ? 1 : look_.FrameTotal;
    frameRunning_ = true;
    startTimer(kFrameTimer, static_cast<UINT>(std::max(look_.FrameInterval, 1)));
}

void TkvSkinButton::StopAnimation() {
    if (frameRunning_) stopTimer(kFrameTimer);
    frameRunning_ = false;
    animationFrame_ = 0;
}

void TkvSkinButton::FrameTick() {
    if (animationRising_) {
        if (animationFrame_ <= look_.FrameTotal) {
            ++animationFrame_;
            invalidate();
        }
        if (animationFrame_ > look_.FrameTotal) StopAnimation();
    } else {
        if (animationFrame_ >= 0) {
            --animationFrame_;
            invalidate();
        }
        if (animationFrame_ <= 0) StopAnimation();
    }
}

void TkvSkinButton::StartRepeat() {
    if (!handleAllocated()) return;
    repeatRunning_ = true;
    repeatFirst_ = true;
    startTimer(kRepeatTimer, kRepeatDelay);
}

void TkvSkinButton::StopRepeat() {
    if (repeatRunning_) stopTimer(kRepeatTimer);
    repeatRunning_ = false;
}

void TkvSkinButton::RepeatTick() {
    if (repeatFirst_) {
        // The delay is over: from now on the timer runs at the repeat interval.
        repeatFirst_ = false;
        startTimer(kRepeatTimer, static_cast<UINT>(std::max(RepeatInterval, 1)));
        return;
    }
    PerformClick();
}

// ---- Focus ---------------------------------------------------------------------------------------------------

void TkvSkinButton::createParams(CreateParams& p) {
    TkvSkinCustomControl::createParams(p);
    p.className = L"TkvSkinButton";  // so that other programs can find the buttons by their kind
}

void TkvSkinButton::windowCreated() {
    TkvSkinCustomControl::windowCreated();
    actsOnEnter_ = default_;
}

void TkvSkinButton::FocusGained() {
    if (!canFocused_) return;
    StartAnimation(true);
    HoverChanged();
}

void TkvSkinButton::FocusLost() {
    StopRepeat();
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        spaceDown_ = false;
    }
    if (!canFocused_) return;
    StartAnimation(false);
    HoverChanged();
}

void TkvSkinButton::FocusChanged(fw::WindowedControl* focused) {
    auto* button = dynamic_cast<TkvSkinButton*>(focused);
    actsOnEnter_ = button ? button == this : default_;
    if (!canFocused_ || !default_ || focused == this) return;
    if (button) {
        mouseInside_ = false;
    } else if (focused) {
        mouseInside_ = true;
        if (MorphOn()) morphPhase_ = 1;
    }
    invalidate();
}

// ---- Glow ----------------------------------------------------------------------------------------------------

void TkvSkinButton::ShowGlow() {
    if (!SkinReady() || !TkvLayerManager::Available() || DescriptionIndex == -1) return;
    if (!(SkinData()->ShowButtonGlowFrames || AlwaysShowLayeredFrame) || look_.GlowPictureIndex == -1) return;
    const auto& pictures = SkinData()->ActivePictures;
    auto pictureAt = [&](int i) -> const fw::Bitmap* {
        return i >= 0 && i < static_cast<int>(pictures.size()) ? &pictures[static_cast<std::size_t>(i)] : nullptr;
    };
    const fw::Bitmap* picture = pictureAt(look_.GlowPictureIndex);
    const fw::Bitmap* mask = pictureAt(look_.GlowMaskPictureIndex);
    if (!picture) return;
    const int dW = width() - SrcSkinRect.width(), dH = height() - SrcSkinRect.height();
    fw::Bitmap image, maskImage;
    switch (SizingMode) {
        case 0:
            image = *picture;
            if (mask) maskImage = *mask;
            break;
        case 2:
            if (!UseSkinSize) return;
            image = ComposeWidthOnly(picture->view(), picture->rect(), look_.GlowOffsetLeft, look_.GlowOffsetRight,
                                     picture->width() + dW, true);
            if (mask)
                maskImage = ComposeWidthOnly(mask->view(), mask->rect(), look_.GlowOffsetLeft, look_.GlowOffsetRight,
                                             mask->width() + dW, true);
            break;
        case 1: {
            auto grow = [&](const fw::Bitmap& src) {
                const fw::Rect inner{look_.GlowOffsetLeft, look_.GlowOffsetTop, src.width() - look_.GlowOffsetRight,
                                     src.height() - look_.GlowOffsetBottom};
                const SkinCorners c{inner.topLeft(),
                                    {inner.right, inner.top},
                                    {inner.left, inner.bottom},
                                    {inner.right, inner.bottom},
                                    inner};
                SkinStretch all = PlainStretch();
                return ComposeSkinImage(src.view(), src.rect(), c, ResizeCorners(c, dW, dH), src.width() + dW,
                                        src.height() + dH, all, true);
            };
            image = grow(*picture);
            if (mask) maskImage = grow(*mask);
            break;
        }
        default: return;
    }
    if (!glow_) glow_ = std::make_unique<TkvLayerManager>();
    fw::Form* form = parentForm();
    glow_->TopMost = form && form->handleAllocated() &&
                     (GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    const fw::Point origin = clientToScreen({0, 0});
    glow_->Show(origin.x - look_.GlowShowOffsetX, origin.y - look_.GlowShowOffsetY, look_.GlowAlpha, image.view(),
                maskImage.view());
}

void TkvSkinButton::HideGlow() {
    if (glow_) glow_->Hide();
}

// ---- Messages ------------------------------------------------------------------------------------------------

void TkvSkinButton::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (canFocused_ && !focused()) {
                clicksSuppressed_ = true;
                setFocus();
                clicksSuppressed_ = false;
                if (!focused()) return;
            }
            SetCapture(handle());
            MouseDown();
            TkvSkinCustomControl::wndProc(m);
            return;
        case WM_LBUTTONUP: {
            if (GetCapture() == handle()) ReleaseCapture();
            const bool inside = clientRect().contains({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
            MouseUp(inside);
            if (handleAllocated() && visible()) TkvSkinCustomControl::wndProc(m);
            return;
        }
        case WM_MOUSEMOVE:
            // While the button is held the pointer is captured: leaving and re-entering are seen here.
            if (mouseButtonHeld_) {
                const bool inside = clientRect().contains({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
                if (inside && !mouseInside_) Enter();
                else if (!inside && mouseInside_) Leave();
                invalidate();
                return;
            }
            break;
        case fw::CM_MOUSEENTER:
            TkvSkinCustomControl::wndProc(m);
            if (!mouseButtonHeld_ && !mouseInside_) Enter();
            return;
        case fw::CM_MOUSELEAVE:
            TkvSkinCustomControl::wndProc(m);
            if (!mouseButtonHeld_) Leave();
            return;
        case fw::CM_ENABLEDCHANGED:
            stopTimer(kMorphTimer);
            morphRunning_ = false;
            morphPhase_ = 0;
            mouseInside_ = false;
            if (!enabled()) {
                // A press or a held Space in progress ends without a click.
                StopRepeat();
                mouseButtonHeld_ = spaceDown_ = false;
                if (groupIndex_ == 0) down_ = false;
                if (handleAllocated() && GetCapture() == handle()) ReleaseCapture();
            }
            TkvSkinCustomControl::wndProc(m);  // the window itself follows (and repaints)
            return;
        case fw::CM_FOCUSCHANGED: FocusChanged(reinterpret_cast<fw::WindowedControl*>(m.lParam)); return;
        case WM_KEYDOWN:
            if (canFocused_ && m.wParam == VK_SPACE) {
                if (!(m.lParam & 0x40000000) || RepeatMode) {  // a held key repeats only in repeat mode
                    StopAnimation();
                    spaceDown_ = true;
                    SetDown(true);
                    if (RepeatMode) PerformClick();
                }
                m.result = 0;
                return;
            }
            break;
        case WM_KEYUP:
            if (canFocused_ && m.wParam == VK_SPACE && spaceDown_) {
                spaceDown_ = false;
                SetDown(false);
                PerformClick();
                m.result = 0;
                return;
            }
            break;
        case WM_SETFOCUS:
            TkvSkinCustomControl::wndProc(m);
            FocusGained();
            return;
        case WM_KILLFOCUS:
            TkvSkinCustomControl::wndProc(m);
            FocusLost();
            return;
        case WM_TIMER:
            switch (m.wParam) {
                case kMorphTimer: MorphTick(); return;
                case kFrameTimer: FrameTick(); return;
                case kRepeatTimer: RepeatTick(); return;
                default: break;
            }
            break;
        case BM_CLICK:  // the platform's "click this button", as other programs and tests send it
            if (enabled()) PerformClick();
            m.result = 0;
            return;
        case SKIN_MSG_SHOW_GLOW: ShowGlow(); return;
        case SKIN_MSG_HIDE_GLOW: HideGlow(); return;
        case WM_DESTROY: HideGlow(); break;
        default: break;
    }
    TkvSkinCustomControl::wndProc(m);
}
