// Skin label, panel and standard label under Wine with the program's skin: the label's height and centred text,
// the panel's client area and rolling up, the standard label's measuring and disabled look.
#include <windows.h>

#include <gtest/gtest.h>

#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/controls/kvSkinLabel.h"
#include "skin/controls/kvSkinPanel.h"
#include "skin/controls/kvSkinStdLabel.h"

namespace {

class SkinLabelTest : public ::testing::Test {
protected:
    void SetUp() override { kvtest::LoadEmbeddedSkin(stored, model); }
    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();
};

// Rows of the image that hold a pixel of the colour.
std::pair<int, int> rowsWith(fw::ConstPixelView img, COLORREF c) {
    const fw::Pixel p = fw::colorToPixel(c) & 0xFFFFFFu;
    int first = -1, last = -1;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if ((img.at(x, y) & 0xFFFFFFu) == p) {
                if (first < 0) first = y;
                last = y;
            }
    return {first, last};
}

TEST_F(SkinLabelTest, LabelTakesTheSkinHeightAndCentresItsText) {
    auto& l = form.create<TkvSkinLabel>();
    l.setParent(&form);
    l.setBounds(0, 0, 200, 40);
    l.setCaption(L"Label text");
    l.SetSkinData(&model);
    const auto* d = model.ControlAs<TkvDataSkinLabelControl>(l.DescriptionIndex);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(l.height(), d->SkinRect.height());
    fw::DibSection img(l.width(), l.height());
    l.perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(img.dc()), 0);
    GdiFlush();
    const auto [first, last] = rowsWith(img.pixels(), fw::resolveColor(d->FontColor));
    ASSERT_GE(first, 0) << "the caption is drawn in the skin's colour";
    const int textMiddle = (first + last + 1) / 2, clientMiddle = (d->ClientRect.top + d->ClientRect.bottom) / 2;
    EXPECT_LE(std::abs(textMiddle - clientMiddle), 2);
}

TEST_F(SkinLabelTest, PanelAlignsChildrenInsideTheSkinAndRollsUpToItsBorders) {
    auto& p = form.create<TkvSkinPanel>();
    p.setParent(&form);
    p.setBounds(0, 0, 546, 49);
    auto& child = form.create<TkvSkinPanel>();
    child.setParent(&p);
    child.setAlign(fw::Align::Client);
    p.SetSkinData(&model);
    p.handle();
    EXPECT_EQ(child.boundsRect(), (fw::Rect{2, 2, 544, 47})) << "2 pixels inside each edge";
    p.SetCaptionMode(true);
    p.SetRollUpMode(true);
    p.SetRollUpState(true);
    EXPECT_EQ(p.height(), 4) << "only the skin's top and bottom border parts remain";
    EXPECT_FALSE(child.visible());
    p.SetRollUpState(false);
    EXPECT_EQ(p.height(), 49);
    EXPECT_EQ(p.RealHeight(), -1);
    EXPECT_TRUE(child.visible());
}

TEST_F(SkinLabelTest, StandardLabelMeasuresOneLineWhenEmptyAndDrawsDisabledTextTwice) {
    auto& l = form.create<TkvSkinStdLabel>();
    l.setParent(&form);
    l.SetSkinData(&model);
    l.setAutoSize(true);
    l.setCaption({});
    EXPECT_GT(l.height(), 8) << "an empty label still measures a line";
    l.setCaption(L"Two\nlines");
    const int twoLines = l.height();
    l.setCaption(L"One");
    EXPECT_GT(twoLines, l.height());
    l.setEnabled(false);
    fw::DibSection img(l.width() + 2, l.height() + 2);
    img.canvas().setBrushColor(fw::clBlack);
    img.canvas().fillRect(img.rect());
    l.paint(img.canvas());
    GdiFlush();
    const COLORREF hi = fw::resolveColor(model.SkinColors().CBtnHighlight);
    const COLORREF sh = fw::resolveColor(model.SkinColors().CBtnShadow);
    const auto hiRows = rowsWith(img.pixels(), hi), shRows = rowsWith(img.pixels(), sh);
    ASSERT_GE(hiRows.first, 0);
    ASSERT_GE(shRows.first, 0);
    EXPECT_EQ(hiRows.second, shRows.second + 1) << "the highlight copy lies one pixel lower, under the shadow";
}

}  // namespace
