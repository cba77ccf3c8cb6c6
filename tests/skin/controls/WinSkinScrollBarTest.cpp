// The skinned scroll bar under Wine: painted from its description, arrows and track clicks stepping, the thumb
// dragged, and no reaction while the range fits.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/controls/kvSkinScrollBar.h"

namespace {

class SkinScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::LoadEmbeddedSkin(stored, model);
        form.setBounds(100, 100, 300, 250);
        bar.setParent(&form);
        bar.SetKind(skVertical);
        bar.setBounds(10, 10, 19, 160);
        bar.SetSkinData(&model);
        bar.SetParams(0, 99, 20, 0);
        bar.OnScroll = [this](int code, int pos) { log.emplace_back(code, pos); };
        bar.handle();
    }
    void click(int x, int y) {
        bar.perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        bar.perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();
    TkvSkinScrollBar& bar = form.create<TkvSkinScrollBar>();
    std::vector<std::pair<int, int>> log;
};

TEST_F(SkinScrollBarTest, PaintsTheArrowButtonsFromTheSkin) {
    ASSERT_NE(bar.DescriptionIndex, -1);
    EXPECT_EQ(bar.width(), 19) << "the skin's width";
    const auto* d = model.ControlAs<TkvDataSkinScrollBarControl>(bar.DescriptionIndex);
    ASSERT_NE(d, nullptr);
    const fw::Bitmap& picture = model.ActivePictures.at(static_cast<std::size_t>(d->PictureIndex));
    fw::DibSection target(bar.width(), bar.height());
    bar.paintTo(target.dc());
    const TkvScrollLayout l = bar.Layout();
    EXPECT_EQ(l.UpButton, (fw::Rect{0, 0, 19, 19}));
    ASSERT_FALSE(l.Thumb.empty());
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(target.pixels().at(i, i) & 0xFFFFFFu,
                  picture.at(d->UpButtonRect.left + i, d->UpButtonRect.top + i) & 0xFFFFFFu);
        EXPECT_EQ(target.pixels().at(i, bar.height() - 19 + i) & 0xFFFFFFu,
                  picture.at(d->DownButtonRect.left + i, d->DownButtonRect.top + i) & 0xFFFFFFu);
    }
}

TEST_F(SkinScrollBarTest, ArrowsAndTrackStepAndTheThumbDrags) {
    click(9, 150);  // the down arrow
    click(9, 140);  // the track below the thumb
    click(9, 5);    // the up arrow
    const std::vector<std::pair<int, int>> expected{{SB_LINEDOWN, 1}, {SB_ENDSCROLL, 1}, {SB_PAGEDOWN, 21},
                                                    {SB_ENDSCROLL, 21}, {SB_LINEUP, 20}, {SB_ENDSCROLL, 20}};
    EXPECT_EQ(log, expected);

    log.clear();
    const fw::Rect thumb = bar.Layout().Thumb;
    const int x = 9, y = thumb.top + 2;
    bar.perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    bar.perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 500));  // far past the end
    bar.perform(WM_LBUTTONUP, 0, MAKELPARAM(x, 500));
    const std::vector<std::pair<int, int>> dragged{{SB_THUMBTRACK, 80}, {SB_THUMBPOSITION, 80}, {SB_ENDSCROLL, 80}};
    EXPECT_EQ(log, dragged);
    EXPECT_EQ(bar.Position(), 80) << "the last position a page can start at";
}

TEST_F(SkinScrollBarTest, NothingHappensWhileTheRangeFitsOrTheBarIsDisabled) {
    bar.SetParams(0, 9, 10, 0);
    EXPECT_TRUE(bar.Layout().Thumb.empty());
    click(9, 150);
    bar.SetParams(0, 99, 20, 0);
    bar.setEnabled(false);
    click(9, 150);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(bar.Position(), 0);
}

}  // namespace
