#include "skin/controls/SkinEditRules.h"

#include <algorithm>

#include "skin/controls/SkinControlFit.h"

void TkvSkinEditLook::CopyFrom(const TkvDataSkinEditControl& d) {
    SrcSkinRect = d.SkinRect;
    SrcActiveRect = d.ActiveSkinRect.empty() ? d.SkinRect : d.ActiveSkinRect;
    SrcClientRect = d.ClientRect;
    LeftPartWidth = d.LeftTopPoint.x;
    RightPartWidth = d.SkinRect.width() - d.RightTopPoint.x;
    RightTopX = d.RightTopPoint.x;
    StretchClient = d.StretchEffect;
    SkinFontName = d.FontName;
    SkinFontHeight = d.FontHeight;
    SkinFontStyle = d.FontStyle;
    SkinFontColor = d.FontColor;
    SkinDisabledFontColor = d.DisabledFontColor;
    SkinActiveFontColor = d.ActiveFontColor;
    SrcButtonRect = d.ButtonRect;
    SrcActiveButtonRect = d.ActiveButtonRect;
    SrcDownButtonRect = d.DownButtonRect.empty() ? d.ActiveButtonRect : d.DownButtonRect;
    SrcDisabledButtonRect = d.UnEnabledButtonRect;
}

const fw::Bitmap* FetchEditLook(TkvSkinEditLook& look, const TkvSkinData& data, int index) {
    const auto* d = data.ControlAs<TkvDataSkinEditControl>(index);
    if (!d) return nullptr;
    TkvSkinFitData fit;
    const fw::Bitmap* picture = FetchFitData(fit, data, index).picture;
    if (!picture || d->SkinRect.empty()) return nullptr;
    look.CopyFrom(*d);
    return picture;
}

fw::Rect EditAreaOf(const TkvSkinEditLook* look, bool buttonMode, bool useSkinFont, int w, int h) {
    if (!look) {
        const int right = buttonMode ? EditButtonAreaOf(nullptr, useSkinFont, w, h).left - 2 : w - 2;
        return {2, 2, right, h - 2};
    }
    fw::Rect r = look->SrcClientRect;
    r.right += w - look->SrcSkinRect.width();
    if (!useSkinFont) r.bottom += h - look->SrcSkinRect.height();
    return r;
}

fw::Rect EditButtonAreaOf(const TkvSkinEditLook* look, bool useSkinFont, int w, int h) {
    if (!look) return {w - h, 0, w, h};
    fw::Rect r = look->SrcButtonRect;
    if (r.left >= look->RightTopX) r = r.offset(w - look->SrcSkinRect.width(), 0);
    if (!useSkinFont) r.bottom += h - look->SrcSkinRect.height();
    return r;
}

fw::Rect EditButtonSource(const TkvSkinEditLook& look, bool enabled, bool pressed, bool hot) {
    if (!enabled) return look.SrcDisabledButtonRect;
    if (pressed && hot) return look.SrcDownButtonRect;
    if (hot) return look.SrcActiveButtonRect;
    return {};
}

int EditFontFittedHeight(int textHeight, const TkvSkinEditLook* look) {
    if (!look) return textHeight + 4;
    return textHeight + look->SrcSkinRect.height() - look->SrcClientRect.height();
}

int EditHeightFor(const TkvSkinEditLook* look, bool useSkinFont, int asked, int fontFitted) {
    if (!useSkinFont) return fontFitted;
    return look ? look->SrcSkinRect.height() : asked;
}

TkvEditMenuState EditMenuState(bool canUndo, int selStart, int selEnd, int length, bool readOnly,
                               bool clipboardHasText) {
    const bool selected = selEnd > selStart;
    TkvEditMenuState s;
    s.Undo = canUndo && !readOnly;
    s.Cut = selected && !readOnly;
    s.Copy = selected;
    s.Paste = clipboardHasText && !readOnly;
    s.Delete = selected && !readOnly;
    s.SelectAll = !(selStart == 0 && selEnd >= length);
    return s;
}
