#include "skin/controls/SkinButtonRules.h"

void TkvSkinButtonLook::CopyFrom(const TkvDataSkinButtonControl& d) {
    SkinFontName = d.FontName;
    SkinFontHeight = d.FontHeight;
    SkinFontStyle = d.FontStyle;
    SkinFontColor = d.FontColor;
    SkinActiveFontColor = d.ActiveFontColor;
    SkinDownFontColor = d.DownFontColor;
    SkinDisabledFontColor = d.DisabledFontColor == d.FontColor ? fw::Color(0x808080) : d.DisabledFontColor;
    SrcActiveRect = d.ActiveSkinRect.empty() ? d.SkinRect : d.ActiveSkinRect;
    SrcDownRect = d.DownSkinRect.empty() ? SrcActiveRect : d.DownSkinRect;
    SrcFocusedRect = d.FocusedSkinRect;
    SrcDisabledRect = d.DisabledSkinRect;
    MorphEnabled = d.Morphing;
    SkinMorphKind = d.MorphKind;
    SrcAnimateRect = d.AnimateSkinRect;
    FrameTotal = d.FrameCount;
    FrameInterval = d.AnimateInterval;
    ShowFocusRect = d.ShowFocus;
    GlowPictureIndex = d.GlowLayerPictureIndex;
    GlowMaskPictureIndex = d.GlowLayerMaskPictureIndex;
    GlowOffsetLeft = d.GlowLayerOffsetLeft;
    GlowOffsetTop = d.GlowLayerOffsetTop;
    GlowOffsetRight = d.GlowLayerOffsetRight;
    GlowOffsetBottom = d.GlowLayerOffsetBottom;
    GlowShowOffsetX = d.GlowLayerShowOffsetX;
    GlowShowOffsetY = d.GlowLayerShowOffsetY;
    GlowAlpha = d.GlowLayerAlphaBlendValue;
}

bool ButtonPressedLook(const ButtonPaintState& s) {
    return s.down && (s.grouped || s.mouseInside || (s.focusLook && !s.mouseButtonHeld));
}

ButtonStateImage ChooseButtonState(fw::Rect skinRect, const TkvSkinButtonLook& look, const ButtonPaintState& s) {
    if (!s.enabled && !look.SrcDisabledRect.empty()) return {look.SrcDisabledRect, false, false};
    if (ButtonPressedLook(s)) return {look.SrcDownRect, true, true};
    if (s.focusLook && !look.SrcFocusedRect.empty() && !s.animating) return {look.SrcFocusedRect, false, true};
    if (s.focusLook || s.mouseInside) return {look.SrcActiveRect, false, true};
    if (s.morphOn && s.morphPhase == 1.0) return {look.SrcActiveRect, false, true};
    return {skinRect, false, false};
}

int ButtonGlyphCell(bool down, bool active, bool enabled, int numGlyphs) {
    if (down && active && numGlyphs > 2) return 3;
    if (active && numGlyphs > 3) return 4;
    if (enabled || numGlyphs < 2) return 1;
    return 2;
}

fw::Color ButtonFontColor(const TkvSkinButtonLook& look, bool enabled, bool useSkinFontColor, bool down, bool active,
                          fw::Color defaultColor) {
    if (enabled && !useSkinFontColor) return defaultColor;
    if (!enabled) return look.SkinDisabledFontColor;
    if (down && active) return look.SkinDownFontColor;
    if (active) return look.SkinActiveFontColor;
    return look.SkinFontColor;
}

fw::Rect AnimationFrameRect(fw::Rect strip, fw::Rect skinRect, int frameTotal, int n) {
    if (frameTotal <= 0) return {};
    if (strip.width() > skinRect.width()) {
        const int fw = strip.width() / frameTotal;
        return {strip.left + fw * (n - 1), strip.top, strip.left + fw * n, strip.bottom};
    }
    const int fh = strip.height() / frameTotal;
    return {strip.left, strip.top + fh * (n - 1), strip.right, strip.top + fh * n};
}

MorphStep NextMorphPhase(double phase, bool hot) {
    // The steps of 0.2 are compared with a little slack: five additions of 0.2 do not give exactly 1.
    constexpr double kStep = 0.2, kSlack = 1e-9;
    if (hot && phase < 1 - kSlack) {
        const double next = phase + kStep;
        return next >= 1 - kSlack ? MorphStep{1, false} : MorphStep{next, false};
    }
    if (!hot && phase > kSlack) {
        const double next = phase - kStep;
        return next <= kSlack ? MorphStep{0, false} : MorphStep{next, false};
    }
    return {hot ? 1.0 : 0.0, true};
}
