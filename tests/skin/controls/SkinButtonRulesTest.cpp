// The skin button's windowless rules: fallbacks of the copied description, the state image of a paint, glyph
// cells, animation frames and the morph's steps.
#include <gtest/gtest.h>

#include "skin/controls/SkinButtonRules.h"

namespace {

TkvDataSkinButtonControl buttonDescription() {
    TkvDataSkinButtonControl d;
    d.SkinRect = {0, 0, 42, 22};
    d.FontColor = 0x3A261C;
    d.DisabledFontColor = 0x3A261C;
    return d;
}

TEST(SkinButtonRules, CopiedRectsFallBackAndADisabledColourLikeTheNormalOneIsGray) {
    TkvDataSkinButtonControl d = buttonDescription();
    TkvSkinButtonLook look;
    look.CopyFrom(d);
    EXPECT_EQ(look.SrcActiveRect, d.SkinRect);
    EXPECT_EQ(look.SrcDownRect, d.SkinRect);
    EXPECT_TRUE(look.SrcDisabledRect.empty());
    EXPECT_EQ(look.SkinDisabledFontColor, 0x808080u);
    d.ActiveSkinRect = {42, 0, 84, 22};
    d.DisabledFontColor = 0x123456;
    look.CopyFrom(d);
    EXPECT_EQ(look.SrcDownRect, d.ActiveSkinRect) << "the down image falls back to the active one";
    EXPECT_EQ(look.SkinDisabledFontColor, 0x123456u);
}

TEST(SkinButtonRules, StateImageFollowsTheFirstRuleThatHolds) {
    TkvSkinButtonLook look;
    const fw::Rect normal{0, 0, 42, 22};
    look.SrcActiveRect = {42, 0, 84, 22};
    look.SrcDownRect = {84, 0, 126, 22};
    look.SrcFocusedRect = {126, 0, 168, 22};
    ButtonPaintState s;
    EXPECT_EQ(ChooseButtonState(normal, look, s).source, normal);
    s.enabled = false;
    EXPECT_EQ(ChooseButtonState(normal, look, s).source, normal) << "no disabled image: the normal one";
    look.SrcDisabledRect = {168, 0, 210, 22};
    EXPECT_EQ(ChooseButtonState(normal, look, s).source, look.SrcDisabledRect);
    s = {};
    s.down = true;
    EXPECT_EQ(ChooseButtonState(normal, look, s).source, normal) << "down but the pointer has left";
    s.mouseInside = true;
    const ButtonStateImage pressed = ChooseButtonState(normal, look, s);
    EXPECT_EQ(pressed.source, look.SrcDownRect);
    EXPECT_TRUE(pressed.down && pressed.active);
    s = {};
    s.focusLook = true;
    EXPECT_EQ(ChooseButtonState(normal, look, s).source, look.SrcFocusedRect);
    s.animating = true;
    EXPECT_EQ(ChooseButtonState(normal, look, s).source, look.SrcActiveRect);
    s = {};
    s.morphOn = true;
    s.morphPhase = 1;
    EXPECT_EQ(ChooseButtonState(normal, look, s).source, look.SrcActiveRect) << "a fade-out starts from active";
}

TEST(SkinButtonRules, GlyphCellsAndAnimationFrames) {
    EXPECT_EQ(ButtonGlyphCell(true, true, true, 3), 3);
    EXPECT_EQ(ButtonGlyphCell(true, true, true, 2), 1);
    EXPECT_EQ(ButtonGlyphCell(false, true, true, 4), 4);
    EXPECT_EQ(ButtonGlyphCell(false, false, false, 2), 2);
    EXPECT_EQ(ButtonGlyphCell(false, false, false, 1), 1);
    const fw::Rect skin{0, 0, 40, 20};
    EXPECT_EQ(AnimationFrameRect({0, 30, 160, 50}, skin, 4, 2), (fw::Rect{40, 30, 80, 50})) << "side by side";
    EXPECT_EQ(AnimationFrameRect({0, 30, 40, 110}, skin, 4, 4), (fw::Rect{0, 90, 40, 110})) << "stacked";
}

TEST(SkinButtonRules, MorphArrivesInFiveStepsExactly) {
    double phase = 0;
    for (int i = 0; i < 5; ++i) {
        const MorphStep s = NextMorphPhase(phase, true);
        EXPECT_FALSE(s.done);
        phase = s.phase;
    }
    EXPECT_EQ(phase, 1.0);
    EXPECT_TRUE(NextMorphPhase(phase, true).done);
    for (int i = 0; i < 5; ++i) phase = NextMorphPhase(phase, false).phase;
    EXPECT_EQ(phase, 0.0);
}

}  // namespace
