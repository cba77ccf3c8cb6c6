#include "skin/data/kvSkinText.h"

#include <gtest/gtest.h>

#include "skin/data/kvSkinData.h"

using namespace fw;

TEST(SkinText, FontRuleTakesFaceFromTheDescriptionAndCharsetFromResourceStrings) {
    Component form;
    TkvSkinData& model = form.create<TkvSkinData>(nullptr);
    SkinFontSpec label{"Arial", 14, {}, 1};
    SkinFontSpec own{"SimSun", 12, {true, false, false, false}, 1};  // the label's own font, default character set

    SkinFontSpec drawn = SkinDrawingFont(true, &label, own, &model);
    EXPECT_EQ(drawn.name, "Arial");
    EXPECT_EQ(drawn.height, 14);
    EXPECT_FALSE(drawn.style.bold);
    EXPECT_EQ(drawn.charset, 1);  // no resource strings: the default font's

    TkvResourceStrData& strings = form.create<TkvResourceStrData>();
    strings.CharSet = 134;
    model.SetResourceStrData(&strings);
    drawn = SkinDrawingFont(true, &label, own, &model);
    EXPECT_EQ(drawn.name, "Arial");
    EXPECT_EQ(drawn.charset, 134);

    // Without UseSkinFont, or without a description, the default font is copied; the charset rule still applies.
    drawn = SkinDrawingFont(false, &label, own, &model);
    EXPECT_EQ(drawn.name, "SimSun");
    EXPECT_TRUE(drawn.style.bold);
    EXPECT_EQ(drawn.charset, 134);
    EXPECT_EQ(SkinDrawingFont(true, nullptr, own, nullptr), own);
}

TEST(SkinText, ColourRule) {
    EXPECT_EQ(SkinTextColor(true, true, 0x0000FF, 0x808080, 0x000000), 0x0000FFu);
    EXPECT_EQ(SkinTextColor(false, true, 0x0000FF, 0x808080, 0x112233), 0x112233u);
    EXPECT_EQ(SkinTextColor(false, false, 0x0000FF, 0x808080, 0x112233), 0x808080u);
    EXPECT_EQ(SkinTextColor(true, false, 0x0000FF, 0x808080, 0x112233), 0x808080u);
}

TEST(SkinText, ResourceTextsComeFromTheAttachedComponentOrTheBuiltInOnes) {
    Component form;
    TkvSkinData& model = form.create<TkvSkinData>(nullptr);
    EXPECT_EQ(SkinResourceStr(&model, "MSG_BTN_CANCEL"), "Cancel");
    EXPECT_EQ(SkinResourceStr(nullptr, "MI_CLOSECAPTION"), "&Close");
    TkvResourceStrData& strings = form.create<TkvResourceStrData>();
    strings.SetResStrings({"MSG_BTN_CANCEL=取消", "MSG_BTN_OK="});
    model.SetResourceStrData(&strings);
    EXPECT_EQ(SkinResourceStr(&model, "msg_btn_cancel"), "取消");
    EXPECT_EQ(SkinResourceStr(&model, "MSG_BTN_OK"), "");  // shown empty, not the built-in text
    EXPECT_EQ(SkinResourceStr(&model, "MI_CLOSECAPTION"), "");
    form.destroyComponent(&strings);
    EXPECT_EQ(SkinResourceStr(&model, "MSG_BTN_OK"), "OK");
}
