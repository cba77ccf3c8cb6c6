#include "skin/controls/kvSkinStdLabel.h"

#include "framework/Utf.h"

TkvSkinStdLabel::TkvSkinStdLabel(fw::Component* owner) : fw::Label(owner) { setTransparent(true); }

void TkvSkinStdLabel::SetSkinData(TkvSkinData* data) {
    skinData_.Set(data);
    if (!skinData_) return;
    ChangeSkinData();
}

void TkvSkinStdLabel::SetEllipsType(TkvEllipsType t) {
    if (t == ellipsType_) return;
    ellipsType_ = t;
    invalidate();
}

void TkvSkinStdLabel::FetchSkinDescription() {
    DescriptionIndex = skinData_ && !skinData_->Empty() ? skinData_->GetControlIndex(SkinDataName) : -1;
    // A name that matches no standard-label description counts as none.
    const auto* d = skinData_ ? skinData_->ControlAs<TkvDataSkinStdLabelControl>(DescriptionIndex) : nullptr;
    if (!d) {
        DescriptionIndex = -1;
        return;
    }
    SkinFontName = d->FontName;
    SkinFontHeight = d->FontHeight;
    SkinFontStyle = d->FontStyle;
    SkinFontColor = d->FontColor;
}

void TkvSkinStdLabel::ChangeSkinData() {
    FetchSkinDescription();
    if (autoSize()) adjustSize();
    invalidate();
}

void TkvSkinStdLabel::drawLabelText(fw::Canvas& canvas, fw::Rect& r, UINT flags) {
    FetchSkinDescription();
    std::wstring text = caption();
    if ((flags & DT_CALCRECT) && text.empty()) text = L" ";
    if (ellipsType_ == kvetEndEllips) flags |= DT_END_ELLIPSIS;
    else if (ellipsType_ == kvetPathEllips) flags |= DT_PATH_ELLIPSIS;

    fw::Font f;
    if (DescriptionIndex == -1) {
        f = UseSkinFont ? defaultFont_ : font();
    } else {
        f = UseSkinFont ? defaultFont_ : font();
        if (UseSkinFont) {
            f.setName(fw::utf8ToWide(SkinFontName));
            f.setStyle({SkinFontStyle.bold, SkinFontStyle.italic, SkinFontStyle.underline, SkinFontStyle.strikeOut});
            f.setHeight(SkinFontHeight);
        }
        f.setColor(UseSkinColor ? SkinFontColor : font().color());
    }
    f.setCharset(skinData_ && skinData_->ResourceStrData() ? skinData_->ResourceStrData()->CharSet
                                                           : defaultFont_.charset());
    if (f.charset() == DEFAULT_CHARSET)
        for (wchar_t ch : text)
            if (ch > 0xFF) {
                f.setCharset(GB2312_CHARSET);  // as the system code page of the program's users would give it
                break;
            }
    canvas.setFont(f);
    canvas.setBrushStyle(fw::BrushStyle::Clear);
    if (enabled() || (flags & DT_CALCRECT)) {
        canvas.drawText(text, r, flags);
        return;
    }
    // Disabled: highlight one pixel down-right, then shadow on top where the text belongs.
    const bool skinned = DescriptionIndex != -1 && skinData_;
    fw::Rect moved = r.offset(1, 1);
    canvas.font().setColor(skinned ? skinData_->SkinColors().CBtnHighlight : fw::clBtnHighlight);
    canvas.drawText(text, moved, flags);
    canvas.font().setColor(skinned ? skinData_->SkinColors().CBtnShadow : fw::clBtnShadow);
    canvas.drawText(text, r, flags);
}
