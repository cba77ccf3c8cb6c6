// The skinned edit's portable rules with the program's own "buttonedit" numbers: the text area, the browse
// button, its state images, the height, and the context menu's enabling.
#include <gtest/gtest.h>

#include "skin/controls/SkinEditRules.h"

namespace {

// The skin's "buttonedit": an 80 x 21 strip whose button sits in the fixed right part.
TkvSkinEditLook buttonEdit() {
    TkvDataSkinEditControl d;
    d.SkinRect = {120, 25, 200, 46};
    d.LeftTopPoint = {4, 4};
    d.RightTopPoint = {60, 4};
    d.ClientRect = {3, 3, 60, 18};
    d.ActiveSkinRect = {200, 25, 280, 46};
    d.ButtonRect = {62, 2, 78, 19};
    d.ActiveButtonRect = {280, 27, 296, 44};
    d.DownButtonRect = {296, 27, 312, 44};
    d.UnEnabledButtonRect = {312, 27, 328, 44};
    TkvSkinEditLook look;
    look.CopyFrom(d);
    return look;
}

TEST(SkinEditRules, TheTextAreaAndTheButtonFollowTheWidthAndTheSkinFixesTheHeight) {
    const TkvSkinEditLook look = buttonEdit();
    EXPECT_EQ(look.LeftPartWidth, 4);
    EXPECT_EQ(look.RightPartWidth, 20);
    // The main window's 329-pixel field: the button keeps its place in the right part.
    EXPECT_EQ(EditAreaOf(&look, true, true, 329, 21), (fw::Rect{3, 3, 309, 18}));
    EXPECT_EQ(EditButtonAreaOf(&look, true, 329, 21), (fw::Rect{311, 2, 327, 19}));
    // 21 pixels whatever the form asks for, with the skin font; without it the font decides and the areas grow.
    EXPECT_EQ(EditHeightFor(&look, true, 20, 30), 21);
    EXPECT_EQ(EditHeightFor(&look, true, 40, 30), 21);
    EXPECT_EQ(EditHeightFor(&look, false, 40, EditFontFittedHeight(16, &look)), 22);
    EXPECT_EQ(EditAreaOf(&look, true, false, 329, 25).bottom, 22);
    EXPECT_EQ(EditButtonAreaOf(&look, false, 329, 25).bottom, 23);
    // Without a description: 2 pixels of frame, and a square button at the right end.
    EXPECT_EQ(EditAreaOf(nullptr, false, true, 100, 20), (fw::Rect{2, 2, 98, 18}));
    EXPECT_EQ(EditButtonAreaOf(nullptr, true, 100, 20), (fw::Rect{80, 0, 100, 20}));
    EXPECT_EQ(EditAreaOf(nullptr, true, true, 100, 20), (fw::Rect{2, 2, 78, 18}));
    EXPECT_EQ(EditHeightFor(nullptr, true, 33, 18), 33);
    EXPECT_EQ(EditFontFittedHeight(16, nullptr), 20);
}

TEST(SkinEditRules, TheButtonShowsItsStateImage) {
    TkvSkinEditLook look = buttonEdit();
    EXPECT_TRUE(EditButtonSource(look, true, false, false).empty()) << "the skin image's own button";
    EXPECT_EQ(EditButtonSource(look, true, false, true), (fw::Rect{280, 27, 296, 44}));
    EXPECT_EQ(EditButtonSource(look, true, true, true), (fw::Rect{296, 27, 312, 44}));
    EXPECT_TRUE(EditButtonSource(look, true, true, false).empty()) << "pressed but dragged off: normal";
    EXPECT_EQ(EditButtonSource(look, false, false, true), (fw::Rect{312, 27, 328, 44}));
    // A description without a down image presses with the active one, and without an active state rect the
    // field stays on its normal image.
    TkvDataSkinEditControl d;
    d.SkinRect = {0, 0, 40, 21};
    d.ActiveButtonRect = {1, 2, 3, 4};
    look.CopyFrom(d);
    EXPECT_EQ(look.SrcDownButtonRect, (fw::Rect{1, 2, 3, 4}));
    EXPECT_EQ(look.SrcActiveRect, d.SkinRect);
}

TEST(SkinEditRules, TheContextMenuEnablesWhatTheStateAllows) {
    // Text "abcdef", "cd" selected, an undo step, text on the clipboard.
    TkvEditMenuState s = EditMenuState(true, 2, 4, 6, false, true);
    EXPECT_TRUE(s.Undo && s.Cut && s.Copy && s.Paste && s.Delete && s.SelectAll);
    // Read-only: only copying and selecting remain.
    s = EditMenuState(true, 2, 4, 6, true, true);
    EXPECT_FALSE(s.Undo || s.Cut || s.Paste || s.Delete);
    EXPECT_TRUE(s.Copy && s.SelectAll);
    // Nothing selected, an empty clipboard.
    s = EditMenuState(false, 3, 3, 6, false, false);
    EXPECT_FALSE(s.Undo || s.Cut || s.Copy || s.Paste || s.Delete);
    EXPECT_TRUE(s.SelectAll);
    // All of the text selected already.
    EXPECT_FALSE(EditMenuState(false, 0, 6, 6, false, false).SelectAll);
    EXPECT_FALSE(EditMenuState(false, 0, 0, 0, false, false).SelectAll);
}

}  // namespace
