// The skinned frame's geometry rules with the frame values of the program's skin.
#include <gtest/gtest.h>

#include "skin/frame/FrameBackground.h"
#include "skin/frame/FrameGeometry.h"
#include "ProgramFrame.h"

namespace {

class FrameGeometryTest : public ::testing::Test {
protected:
    FrameGeometryTest() { kvtest::programFrame(skin); }
    TkvSkinData skin{nullptr, nullptr};
};

TEST_F(FrameGeometryTest, MainWindowSizeGivesTheKnownRectangles) {
    const TkvStretchedGeometry g = StretchFrameGeometry(skin, 556, 323);
    EXPECT_EQ(g.StretchedClientRect, (fw::Rect{4, 27, 552, 319}));
    EXPECT_EQ(g.StretchedCaptionRect, (fw::Rect{3, 5, 553, 24}));
    EXPECT_EQ(g.StretchedMaskRect, (fw::Rect{4, 3, 553, 319}));
    EXPECT_EQ(g.StretchedRightBottom, (fw::Point{526, 319}));
    EXPECT_EQ(g.HitRightTop, (fw::Point{526, 27}));
}

TEST_F(FrameGeometryTest, EmptyCaptionRectStaysEmptyAndButtonsRectAnchorsByItsLeft) {
    skin.CaptionRect = {};
    skin.ButtonsRect = {142, 5, 280, 24};  // Left exactly PW div 2: not anchored right
    TkvStretchedGeometry g = StretchFrameGeometry(skin, 800, 400);
    EXPECT_TRUE(g.StretchedCaptionRect.empty());
    EXPECT_EQ(g.StretchedButtonsRect, (fw::Rect{142, 5, 280, 24}));
    skin.ButtonsRect = {143, 5, 280, 24};
    g = StretchFrameGeometry(skin, 800, 400);
    EXPECT_EQ(g.StretchedButtonsRect, (fw::Rect{658, 5, 795, 24}));
}

TEST_F(FrameGeometryTest, ClientRectOfTheSkinAndOfTheDefaultFrame) {
    EXPECT_EQ(FrameClientRect({100, 50, 656, 373}, &skin, 19), (fw::Rect{104, 77, 652, 369}));
    EXPECT_EQ(FrameClientRect({0, 0, 200, 100}, nullptr, DefaultFrameCaptionHeight(false)), (fw::Rect{3, 22, 197, 97}));
    EXPECT_EQ(FrameClientRect({0, 0, 200, 100}, nullptr, DefaultFrameCaptionHeight(true)), (fw::Rect{3, 18, 197, 97}));
    // Narrower and lower than the borders: an empty client area, never a negative one.
    EXPECT_EQ(FrameClientRect({10, 10, 15, 20}, &skin, 19), (fw::Rect{14, 37, 14, 37}));
}

TEST_F(FrameGeometryTest, SizeLimits) {
    EXPECT_EQ(FrameMinWidthFor(&skin, 0, false), 200);
    EXPECT_EQ(FrameMinHeightFor(&skin, 0, 19, false, false), 31);
    EXPECT_EQ(FrameMinWidthFor(&skin, 400, false), 400) << "own limit above the picture";
    EXPECT_EQ(FrameMinWidthFor(&skin, 250, true), 200) << "minimised: the skin's minimum";
    EXPECT_EQ(FrameMinHeightFor(&skin, 100, 19, false, false), 100);
    EXPECT_EQ(FrameMinHeightFor(&skin, 100, 19, true, false), 31) << "rolled up";
    skin.FormMinWidth = 0;
    EXPECT_EQ(FrameMinWidthFor(&skin, 0, false), 285);
    EXPECT_EQ(FrameMinWidthFor(nullptr, 0, false), 120);
    EXPECT_EQ(FrameMinHeightFor(nullptr, 0, 19, false, false), 25);
    EXPECT_EQ(FrameMaxFor(1024, 0), 1024);
    EXPECT_EQ(FrameMaxFor(1024, 800), 800);
    EXPECT_EQ(FrameMaxFor(1024, 2000), 1024);
}

FrameLayoutItem item(FrameObjectKind k, TkvStdCommand c, fw::Rect r, bool inHot = true) {
    FrameLayoutItem i;
    i.kind = k;
    i.command = c;
    i.normalRect = r;
    i.normalInHotPicture = inHot;
    return i;
}

TEST_F(FrameGeometryTest, LayoutOfTheMainWindowsObjects) {
    std::vector<FrameLayoutItem> items{
        item(FrameObjectKind::StdButton, cmclose, {0, 0, 21, 21}),
        item(FrameObjectKind::StdButton, cmmaximize, {0, 0, 21, 21}),
        item(FrameObjectKind::StdButton, cmminimize, {0, 0, 21, 21}),
        item(FrameObjectKind::StdButton, cmrollup, {0, 0, 21, 21}),
        item(FrameObjectKind::StdButton, cmsysmenu, {0, 0, 14, 12}),
        item(FrameObjectKind::Caption, cmdefault, {17, 4, 263, 24}, false),
        item(FrameObjectKind::StdButton, cmminimizetotray, {0, 0, 21, 21}),
    };
    items[6].shown = false;
    LayoutFrameObjects(items, skin, StretchFrameGeometry(skin, 556, 323), {16, 16});
    EXPECT_EQ(items[0].placed, (fw::Rect{532, 5, 553, 26}));
    EXPECT_EQ(items[1].placed, (fw::Rect{509, 5, 530, 26}));
    EXPECT_EQ(items[2].placed, (fw::Rect{486, 5, 507, 26}));
    EXPECT_EQ(items[3].placed, (fw::Rect{463, 5, 484, 26}));
    EXPECT_EQ(items[4].placed, (fw::Rect{3, 8, 17, 20}));
    EXPECT_EQ(items[5].placed, (fw::Rect{17, 4, 463, 24}));
    EXPECT_TRUE(items[6].placed.empty()) << "a hidden button is not placed";
}

TEST_F(FrameGeometryTest, CaptionAloneRunsToTheRightEdgeOfTheCaptionRect) {
    std::vector<FrameLayoutItem> items{item(FrameObjectKind::Caption, cmdefault, {17, 4, 263, 24}, false)};
    LayoutFrameObjects(items, skin, StretchFrameGeometry(skin, 556, 323), {16, 16});
    EXPECT_EQ(items[0].placed, (fw::Rect{17, 4, 555, 24}));
}

TEST_F(FrameGeometryTest, MappedRectsFollowTheirCornerZones) {
    const TkvStretchedGeometry g = StretchFrameGeometry(skin, 385, 310);  // dx 100, dy 100
    EXPECT_EQ(MapSkinRect({2, 2, 20, 20}, skin, g), (fw::Rect{2, 2, 20, 20}));
    EXPECT_EQ(MapSkinRect({260, 2, 280, 20}, skin, g), (fw::Rect{360, 2, 380, 20}));
    EXPECT_EQ(MapSkinRect({2, 207, 20, 209}, skin, g), (fw::Rect{2, 307, 20, 309}));
    EXPECT_EQ(MapSkinRect({260, 207, 280, 209}, skin, g), (fw::Rect{360, 307, 380, 309}));
    EXPECT_EQ(MapSkinRect({17, 4, 263, 24}, skin, g), (fw::Rect{17, 4, 363, 24}));
    EXPECT_EQ(MapSkinRect({2, 2, 20, 209}, skin, g), (fw::Rect{2, 2, 20, 309}));
    EXPECT_EQ(MapSkinRect({100, 100, 120, 120}, skin, g), (fw::Rect{100, 100, 120, 120})) << "middle: unchanged";
}

TEST(CaptionText, LongCaptionEndsWithAnEllipsis) {
    auto measure = [](const std::wstring& s) { return static_cast<int>(s.size()) * 7; };
    EXPECT_EQ(EllipsizeCaption(L"Short", 35, measure), L"Short");
    EXPECT_EQ(EllipsizeCaption(L"Compactor window", 70, measure), L"Compact...") << "ten characters of 7 fit in 70";
    EXPECT_EQ(EllipsizeCaption(L"Compactor", 10, measure), L"...") << "nothing fits: the dots alone";
}

TEST(CaptionText, AnimationSlicesRunAlongTheLongerSide) {
    const fw::Rect skin{0, 0, 100, 20};
    EXPECT_EQ(CaptionAnimationSlice({0, 40, 100, 100}, skin, 3, 1), (fw::Rect{0, 40, 100, 60}));
    EXPECT_EQ(CaptionAnimationSlice({0, 40, 100, 100}, skin, 3, 3), (fw::Rect{0, 80, 100, 100}));
    EXPECT_EQ(CaptionAnimationSlice({10, 0, 410, 20}, skin, 4, 2), (fw::Rect{110, 0, 210, 20}));
    EXPECT_TRUE(CaptionAnimationSlice({10, 0, 410, 20}, skin, 4, 0).empty()) << "0: the normal image";
    EXPECT_TRUE(CaptionAnimationSlice({10, 0, 410, 20}, skin, 4, 5).empty()) << "framecount + 1: the normal image";
}

TEST(CaptionText, TextRectGrowsWithTheCaptionAndAlignmentPlacesTheText) {
    TkvDataSkinCaption d;
    d.SkinRect = {17, 4, 263, 24};
    d.TextRect = {4, 0, 242, 20};
    const fw::Rect t = CaptionTextRect(d, 446);
    EXPECT_EQ(t, (fw::Rect{4, 0, 442, 20}));
    EXPECT_EQ(CaptionTextOrigin(t, taleftjustify, 100, 16), (fw::Point{4, 2}));
    EXPECT_EQ(CaptionTextOrigin(t, tarightjustify, 100, 16), (fw::Point{342, 2}));
    EXPECT_EQ(CaptionTextOrigin(t, tacenter, 100, 16), (fw::Point{173, 2}));
    d.TextRect = {};
    EXPECT_TRUE(CaptionTextRect(d, 446).empty());
}

TEST_F(FrameGeometryTest, ClientBackgroundRepeatsTheClientPartOfTheMainPicture) {
    for (int y = 0; y < 210; ++y)
        for (int x = 0; x < 285; ++x) skin.FramePicture.at(x, y) = fw::makePixel(x, y, 7);
    const fw::Bitmap bg = ComposeClientBackground(skin, 546, 296, 554, 327);
    ASSERT_EQ(bg.width(), 546);
    EXPECT_EQ(bg.at(0, 0), skin.FramePicture.at(4, 27));
    EXPECT_EQ(bg.at(277, 179), skin.FramePicture.at(4, 27)) << "the 277 x 179 tile repeats";
    EXPECT_EQ(bg.at(545, 295), skin.FramePicture.at(4 + 545 - 277, 27 + 295 - 179));
    EXPECT_TRUE(ComposeClientBackground(skin, 0, 296, 554, 327).empty());
    skin.ClientRect = {};
    EXPECT_TRUE(ComposeClientBackground(skin, 546, 296, 554, 327).empty()) << "no tile: caller fills";
}

}  // namespace
