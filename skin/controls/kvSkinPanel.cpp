#include "skin/controls/kvSkinPanel.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/controls/ParentImage.h"
#include "skin/controls/SkinControlFont.h"
#include "skin/imaging/PixelOps.h"

namespace {

constexpr int kCheckBoxSize = 14, kArrowWidth = 10, kSkinArrowRoom = 12;

TextAlign fromSkin(TkvAlignment a) {
    return a == taleftjustify ? TextAlign::Left : a == tarightjustify ? TextAlign::Right : TextAlign::Center;
}

// Rows of 1, 3, 5 and 7 pixels about (cx, cy), pointing up or down.
void drawArrow(fw::Canvas& c, int cx, int cy, bool up) {
    for (int i = 0; i < 4; ++i) {
        const int y = up ? cy - 2 + i : cy + 1 - i;
        c.fillRect({cx - i, y, cx + i + 1, y + 1});
    }
}

// Copies src into dst at (x, y), leaving out the colour of src's bottom-left pixel.
void copyTransparent(fw::PixelView dst, fw::ConstPixelView src, int x, int y) {
    if (src.empty()) return;
    TransparentCopy(src, dst, x, y, fw::pixelToColor(src.at(0, src.height - 1)));
}

// Tiles (or, by the stretch kind, stretches and repeats) a picture over area of dst.
void fillWithPicture(fw::PixelView dst, fw::ConstPixelView pic, fw::Rect area, bool stretch, TkvStretchType kind) {
    if (pic.empty() || area.empty()) return;
    if (!stretch) {
        TilePixels(pic, dst, area.topLeft(), area);
        return;
    }
    if (kind == stfull) {
        StretchPixels(pic, dst, area);
        return;
    }
    // One stretched strip, repeated along the other direction until the area is covered.
    const int w = kind == sthorz ? pic.width : area.width(), h = kind == sthorz ? area.height() : pic.height;
    fw::Bitmap strip(w, h);
    StretchPixels(pic, strip.view(), strip.rect());
    TilePixels(strip.view(), dst, area.topLeft(), area);
}

}  // namespace

TkvSkinPanel::TkvSkinPanel(fw::Component* owner) : TkvSkinCustomControl(owner) {
    skinDataName_ = "panel";
    ForceBackgroundPaint = true;
    setBounds(0, 0, 150, 150);
    setKeepsImage(true);  // see SetTransparentMode
}

// ---- Properties ----------------------------------------------------------------------------------------------

void TkvSkinPanel::SetBorderStyle(TkvSkinBorderStyle s) {
    borderStyle_ = s;
    alignControls();
    invalidate();
}

void TkvSkinPanel::SetCaptionMode(bool v) {
    captionMode_ = v;
    alignControls();
    invalidate();
}

void TkvSkinPanel::SetDefaultCaptionHeight(int h) {
    defaultCaptionHeight_ = h;
    if (DescriptionIndex == -1 && captionMode_) {
        alignControls();
        invalidate();
    }
}

void TkvSkinPanel::SetCheckedMode(bool v) {
    checkedMode_ = v;
    if (captionMode_) invalidate();
}

void TkvSkinPanel::SetChecked(bool v) {
    checked_ = v;
    if (!checkedMode_) return;
    invalidate();
    if (AutoEnabledControls)
        for (fw::Control* c : controls()) c->setEnabled(v);
    if (OnChecked) OnChecked(this);
}

void TkvSkinPanel::SetRollUpMode(bool v) {
    rollUpMode_ = v;
    if (captionMode_) invalidate();
}

void TkvSkinPanel::SetRollUpState(bool v) {
    if (!rollUpMode_ || v == rollUpState_) {
        if (!rollUpMode_) rollUpState_ = false;
        return;
    }
    rolling_ = true;
    rollUpState_ = v;
    if (v) {
        realHeight_ = height();
        for (fw::Control* c : controls()) c->setVisible(false);
        FetchSkinDescription();
        RefreshCurrentPoints();
        setHeight(DescriptionIndex == -1 ? defaultCaptionHeight_ + 1 : height() - CurrentClientRect().height());
    } else {
        const int h = realHeight_;
        realHeight_ = -1;
        setHeight(h);
        for (fw::Control* c : controls()) c->setVisible(true);
        alignControls();
    }
    rolling_ = false;
    invalidate();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TkvSkinPanel::SetTransparentMode(bool v) {
    transparentMode_ = v;
    // Its picture is kept between paints unless it shows what lies behind it, which changes without telling it.
    setKeepsImage(!v);
    invalidate();
    if (!loading()) TellChildren();
}

void TkvSkinPanel::TellChildren() {
    for (fw::Control* c : controls()) {
        if (fw::WindowedControl* w = c->asWindowed()) {
            if (w->handleAllocated()) SendMessageW(w->handle(), SKIN_MSG_PARENT_IMAGE_CHANGED, 0, 0);
        } else {
            c->perform(SKIN_MSG_PARENT_IMAGE_CHANGED, 0, 0);
        }
    }
}

void TkvSkinPanel::ParentImageChanged() {
    if (!transparentMode_) return;
    invalidate();
    TellChildren();
}

// ---- Skin ----------------------------------------------------------------------------------------------------

void TkvSkinPanel::FetchSkinDescription() {
    TkvSkinCustomControl::FetchSkinDescription();
    described_ = false;
    if (DescriptionIndex == -1) return;
    if (auto* d = SkinData()->ControlAs<TkvDataSkinPanelControl>(DescriptionIndex)) {
        described_ = true;
        captionRect_ = d->CaptionRect;
        captionAlignment_ = d->Alignment;
        fontName_ = d->FontName;
        fontHeight_ = d->FontHeight;
        fontStyle_ = d->FontStyle;
        fontColor_ = d->FontColor;
        bgPictureIndex_ = d->BGPictureIndex;
        checkImageRect_ = d->CheckImageRect;
        uncheckImageRect_ = d->UnCheckImageRect;
    }
}

void TkvSkinPanel::ChangeSkinData() {
    const bool rolled = rollUpState_;
    if (rolled) {
        // The rolled-up height belongs to the old skin: unroll, take the new skin, roll up again.
        SetRollUpState(false);
    }
    TkvSkinCustomControl::ChangeSkinData();
    alignControls();
    if (rolled) SetRollUpState(true);
}

fw::Rect TkvSkinPanel::CurrentClientRect() const {
    TkvSkinFitData fit = *this;
    int w = width(), h = height();
    fit.CalcSkinSize(DescriptionIndex != -1, w, h);
    return fit.CurClientRect;
}

fw::Rect TkvSkinPanel::alignRect() const {
    const fw::Rect client = clientRect();
    if (DescriptionIndex == -1) {
        fw::Rect r = borderStyle_ == bvNone ? client : client.inflate(-1, -1);
        if (captionMode_) r.top += defaultCaptionHeight_;
        return r;
    }
    const bool borderless = borderStyle_ == bvNone && SizingMode == 1 && !captionMode_;
    if (bgPictureIndex_ >= 0 || borderless) return client;
    return CurrentClientRect();
}

// ---- Painting ------------------------------------------------------------------------------------------------

void TkvSkinPanel::PaintControl(fw::Canvas& canvas) {
    if (width() < 1 || height() < 1) return;
    FetchSkinDescription();
    RefreshCurrentPoints();
    const bool borderless = borderStyle_ == bvNone && SizingMode == 1 && !captionMode_;
    if (DescriptionIndex != -1 && (transparentMode_ || borderless || bgPictureIndex_ >= 0)) {
        PaintWholeImage(canvas);
        return;
    }
    TkvSkinCustomControl::PaintControl(canvas);
}

// The looks that are one image of the whole panel: over the parent, borderless, or on a background picture.
void TkvSkinPanel::PaintWholeImage(fw::Canvas& canvas) {
    fw::DibSection& bitmap = PaintBuffer();
    const fw::Rect all = bitmap.rect();
    const COLORREF shadow = fw::resolveColor(SkinData()->SkinColors().CBtnShadow);
    if (transparentMode_) {
        PaintParentBackground(*this, bitmap.dc());
        GdiFlush();
        fw::Canvas& c = bitmap.canvas();
        c.setBrushColor(shadow);
        if (!captionMode_) {
            if (borderStyle_ != bvNone) c.frameRect(all);
        } else {
            // A group frame from the middle of the caption line, the caption over it at x 5.
            const int lineH = std::max(fontHeight_, 1);
            c.frameRect({0, lineH / 2, all.right, all.bottom});
            DrawSkinCaption(bitmap, {5, 0, all.right - 5, lineH}, false);
        }
    } else if (bgPictureIndex_ >= 0) {
        const auto& pics = SkinData()->ActivePictures;
        if (bgPictureIndex_ < static_cast<int>(pics.size())) {
            const fw::Bitmap& pic = pics[static_cast<std::size_t>(bgPictureIndex_)];
            fillWithPicture(bitmap.pixels(), pic.view(), StretchClient ? CurClientRect : all, StretchClient,
                            StretchKind);
        }
    } else if (SkinPicture) {
        fw::Bitmap scratch;
        const fw::ConstPixelView client = CopySegment(SkinPicture->view(),
                                                      SrcClientRect.offset(SrcSkinRect.left, SrcSkinRect.top), scratch);
        fillWithPicture(bitmap.pixels(), client, all, StretchClient, StretchKind);
    }
    bitmap.drawTo(canvas.handle(), 0, 0);
}

void TkvSkinPanel::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    c.setBrushColor(fw::clBtnFace);
    c.fillRect(bitmap.rect());
    DrawSkinBevel(c, bitmap.rect(), borderStyle_);
    if (captionMode_) DrawDefaultCaption(bitmap);
}

void TkvSkinPanel::DrawDefaultCaption(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    const int W = bitmap.width();
    fw::Rect bar = borderStyle_ == bvNone ? fw::Rect{0, 0, W, defaultCaptionHeight_}
                                          : fw::Rect{1, 1, W - 1, defaultCaptionHeight_};
    DrawSkinBevel(c, bar, bvLowered);
    DrawSkinBevel(c, bar.inflate(-1, -1), bvRaised);
    fw::Rect area = bar.inflate(-2, -2);
    if (checkedMode_) {
        const int top = bar.top + (bar.height() - kCheckBoxSize) / 2;
        const fw::Rect box = fw::Rect::fromSize(5, top, kCheckBoxSize, kCheckBoxSize);
        c.setBrushColor(fw::clBtnShadow);
        c.frameRect(box);
        if (checked_) {
            // A tick of two strokes at (+3, +2).
            c.setBrushColor(fw::clBtnText);
            const int x = box.left + 3, y = box.top + 2;
            for (int i = 0; i < 3; ++i) c.fillRect({x + i, y + 4 + i, x + i + 1, y + 7 + i});
            for (int i = 0; i < 5; ++i) c.fillRect({x + 3 + i, y + 5 - i, x + 4 + i, y + 8 - i});
        }
        area.left = box.right + 6;
    }
    if (rollUpMode_) {
        c.setBrushColor(fw::clBtnText);
        drawArrow(c, bar.right - kArrowWidth / 2 - 1, bar.top + bar.height() / 2, !rollUpState_);
        area.right = bar.right - kArrowWidth;
    }
    fw::SelectGuard select(bitmap.dc(), DefaultFont().handle());
    SetTextColor(bitmap.dc(), fw::resolveColor(DefaultFont().color()));
    DrawCaptionText(bitmap.dc(), area, DefaultAlignment);
}

void TkvSkinPanel::DrawSkinImage(fw::DibSection& bitmap) {
    if (bitmap.width() == width() && bitmap.height() == height()) {
        DrawSkinImageFrom(bitmap, SrcSkinRect);
    }
    // The forced-background path hands only the top strip: the caption lives there.
    if (!captionMode_ || captionRect_.empty()) return;
    const fw::Rect r = SizingMode == 0 ? captionRect_ : MapSkinRect(*this, captionRect_, width(), height());
    DrawSkinCaption(bitmap, r, true);
}

void TkvSkinPanel::DrawSkinCaption(fw::DibSection& bitmap, fw::Rect r, bool) {
    if (caption().empty() || r.empty()) return;
    fw::Rect area = r;
    const fw::Rect check = checked_ ? checkImageRect_ : uncheckImageRect_;
    if (checkedMode_ && SkinPicture && !check.empty()) {
        fw::Bitmap scratch;
        const fw::ConstPixelView img = CopySegment(SkinPicture->view(), check, scratch);
        copyTransparent(bitmap.pixels(), img, area.left, area.top + (area.height() - img.height) / 2);
        area.left += img.width + 2;
    }
    if (rollUpMode_) area.right -= kSkinArrowRoom;
    captionFont_.assign(
        SkinControlFont(UseSkinFont, &fontName_, fontHeight_, fontStyle_, DefaultFont(), SkinData(), caption()));
    fw::SelectGuard select(bitmap.dc(), captionFont_.handle());
    SetTextColor(bitmap.dc(), fw::resolveColor(fontColor_));
    DrawCaptionText(bitmap.dc(), area, fromSkin(captionAlignment_));
    if (rollUpMode_) {
        fw::Canvas& c = bitmap.canvas();
        c.setBrushColor(fontColor_);
        drawArrow(c, r.right - kSkinArrowRoom / 2, r.top + r.height() / 2, !rollUpState_);
    }
}

// Caption text (after the glyph, or with the glyph at the left edge) vertically centred in area.
void TkvSkinPanel::DrawCaptionText(HDC dc, fw::Rect area, TextAlign align) {
    const std::wstring text = caption();
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int cells = std::max(NumGlyphs, 1);
    const int gw = Glyph.empty() ? 0 : Glyph.width() / cells, gh = Glyph.height();
    const int room = gw > 0 ? gw + Spacing : 0;
    fw::Point at = LabelTextOrigin(area, align, size.cx + (ImagePosition == kvipDefault ? room : 0), size.cy);
    if (gw > 0) {
        const int cell = (!enabled() && cells == 2) ? 1 : 0;
        const int gx = ImagePosition == kvipLeft ? area.left + 2 : at.x;
        fw::DibSection tmp;
        fw::Bitmap scratch;
        const fw::ConstPixelView g = CopySegment(Glyph.view(), fw::Rect::fromSize(cell * gw, 0, gw, gh), scratch);
        tmp.assign(g);
        TransparentBlt(dc, gx, area.top + (area.height() - gh) / 2, gw, gh, tmp.dc(), 0, 0, gw, gh,
                       fw::pixelToColor(g.at(0, gh - 1)) & 0xFFFFFF);
        if (ImagePosition == kvipDefault) at.x += room;
        else at.x = std::max(at.x, gx + gw + Spacing);
    }
    SetBkMode(dc, TRANSPARENT);
    RECT clip{area.left, area.top, area.right, area.bottom};
    ExtTextOutW(dc, at.x, at.y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

fw::Rect TkvSkinPanel::CaptionArea() {
    if (!captionMode_) return {};
    FetchSkinDescription();
    if (DescriptionIndex == -1) return {1, 1, width() - 1, defaultCaptionHeight_};
    return SizingMode == 0 ? captionRect_ : MapSkinRect(*this, captionRect_, width(), height());
}

void TkvSkinPanel::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_LBUTTONUP:
            if (captionMode_ && CaptionArea().contains({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)})) {
                if (checkedMode_) SetChecked(!checked_);
                if (rollUpMode_) SetRollUpState(!rollUpState_);
            }
            break;
        case WM_MOVE:
            TkvSkinCustomControl::wndProc(m);
            if (transparentMode_) ParentImageChanged();
            return;
        default: break;
    }
    TkvSkinCustomControl::wndProc(m);
}
