#include "skin/controls/kvSkinLabel.h"

#include "skin/controls/SkinControlFont.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/TextEffects.h"

TkvSkinLabel::TkvSkinLabel(fw::Component* owner) : TkvSkinCustomControl(owner) {
    skinDataName_ = "label";
    setBounds(0, 0, 75, 21);
    setKeepsImage(true);  // its look changes only through invalidate(): a repaint copies the kept picture
}

void TkvSkinLabel::SetAutoSize(bool v) {
    autoSize_ = v;
    if (v) FitWidthToText();
}

void TkvSkinLabel::FetchSkinDescription() {
    TkvSkinCustomControl::FetchSkinDescription();
    described_ = false;
    if (DescriptionIndex == -1) return;
    if (auto* d = SkinData()->ControlAs<TkvDataSkinLabelControl>(DescriptionIndex)) {
        described_ = true;
        skinFontName_ = d->FontName;
        skinFontHeight_ = d->FontHeight;
        skinFontStyle_ = d->FontStyle;
        skinFontColor_ = d->FontColor;
    }
    if (SizingMode == 0) autoSize_ = false;
    if (!UseSkinSize) SkinMaskPicture = nullptr;  // the window is clipped to the mask only at the skin's size
}

const fw::Font& TkvSkinLabel::TextFont(const std::wstring& text) const {
    const bool skin = DescriptionIndex != -1 && described_;
    fw::Font f = SkinControlFont(UseSkinFont && skin, skin ? &skinFontName_ : nullptr, skinFontHeight_, skinFontStyle_,
                                 const_cast<TkvSkinLabel*>(this)->DefaultFont(), SkinData(), text);
    if (skin && UseSkinFontColor) f.setColor(skinFontColor_);
    textFont_.assign(f);
    return textFont_;
}

int TkvSkinLabel::TextOverflow() {
    const std::wstring text = caption();
    fw::MemoryDC dc(nullptr);
    const fw::Font& font = TextFont(text);
    fw::SelectGuard select(dc.get(), font.handle());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    if (DescriptionIndex == -1) return size.cx + 4 - width();
    return SizingMode != 0 ? size.cx - CurClientRect.width() : 0;
}

void TkvSkinLabel::CalcSkinSize(int& width, int& height) {
    if (UseSkinSize || SizingMode == 1) {
        TkvSkinCustomControl::CalcSkinSize(width, height);
    } else if (DescriptionIndex != -1 && SizingMode >= 0) {
        // Free size: only the right-hand parts follow the width.
        const int dW = width - SrcSkinRect.width();
        CurLeftTop = SrcLeftTop;
        CurRightTop = {SrcRightTop.x + dW, SrcRightTop.y};
        CurClientRect = {SrcClientRect.left, SrcClientRect.top, SrcClientRect.right + dW, SrcClientRect.bottom};
    }
    if (autoSize_) {
        const int over = TextOverflow();
        if (over > 0) width += over;
    }
}

void TkvSkinLabel::FitWidthToText() {
    const fw::Align a = align();
    if (a == fw::Align::Top || a == fw::Align::Bottom || a == fw::Align::Client) return;
    FetchSkinDescription();
    RefreshCurrentPoints();
    const int over = TextOverflow();
    if (over != 0) setWidth(width() + over);
}

void TkvSkinLabel::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    c.setBrushColor(fw::clBtnFace);
    c.fillRect(bitmap.rect());
    DrawSkinBevel(c, bitmap.rect(), BorderStyle);
    DrawLabelText(bitmap, {3, 3, bitmap.width() - 3, bitmap.height() - 3});
}

void TkvSkinLabel::DrawSkinImage(fw::DibSection& bitmap) {
    if (!SkinPicture) {
        DrawDefaultImage(bitmap);
        return;
    }
    if (UseSkinSize || SizingMode == 1) {
        DrawSkinImageFrom(bitmap, SrcSkinRect);
        DrawLabelText(bitmap, CurClientRect);
        return;
    }
    const int w = bitmap.width(), h = bitmap.height();
    const SkinCorners plain = PlainCorners(SrcClientRect);
    fw::Bitmap image;
    ComposeSkinImage(image, SkinPicture->view(), SrcSkinRect, plain,
                     ResizeCorners(plain, w - SrcSkinRect.width(), h - SrcSkinRect.height()), w, h, PlainStretch(),
                     true);
    bitmap.assign(image.view());
    fw::Rect r = CurClientRect;
    r.bottom += h - SrcSkinRect.height();
    DrawLabelText(bitmap, r);
}

void TkvSkinLabel::DrawLabelText(fw::DibSection& bitmap, fw::Rect r) {
    std::wstring text = caption();
    if (text.empty()) return;
    const fw::Font& font = TextFont(text);
    const HDC dc = bitmap.dc();
    fw::SelectGuard select(dc, font.handle());
    auto measure = [dc](const std::wstring& s) {
        SIZE size{};
        GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
    };
    if (EllipsType == kvetEllips) text = EllipsizeText(text, r.width(), measure);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const fw::Point at = LabelTextOrigin(r, Alignment, size.cx, size.cy);
    const COLORREF colour = fw::resolveColor(font.color());
    if (ShadowEffect) {
        fw::Color shadow = ShadowColor;
        if (DescriptionIndex != -1 && UseSkinFontColor) {
            // The skin's button face darkened by 70 %.
            const COLORREF face = fw::resolveColor(SkinData()->SkinColors().CBtnFace);
            shadow = fw::rgb(GetRValue(face) * 3 / 10, GetGValue(face) * 3 / 10, GetBValue(face) * 3 / 10);
        }
        const UINT format = DT_SINGLELINE | DT_NOPREFIX |
                            (Alignment == TextAlign::Right    ? DT_RIGHT
                             : Alignment == TextAlign::Center ? DT_CENTER
                                                              : 0);
        DrawShadowText(bitmap, text, {r.left, at.y, r.right, r.bottom}, format, colour, fw::resolveColor(shadow),
                       ShadowSize, ShadowOffset);
    } else if (ReflectionEffect) {
        if (!r.empty()) DrawReflectionText(bitmap, text, at.x, at.y, colour, ReflectionOffset);
    } else {
        fw::SavedDC saved(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour);
        TextOutW(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
    }
}

void TkvSkinLabel::wndProc(fw::Message& m) {
    switch (m.msg) {
        case fw::CM_TEXTCHANGED:
            if (autoSize_) FitWidthToText();
            invalidate();
            return;
        default: TkvSkinCustomControl::wndProc(m);
    }
}
