// Size rules of the skinned control base: the sizing mode from the corner points, fitting a requested size to the
// skin, the normal image and the window region from the mask.
#include <gtest/gtest.h>

#include "skin/controls/SkinControlFit.h"

namespace {

TkvDataSkinCustomControl description(fw::Rect skin, fw::Point lt, fw::Point rt, fw::Point lb, fw::Point rb,
                                     fw::Rect client) {
    TkvDataSkinCustomControl d;
    d.SkinRect = skin;
    d.LeftTopPoint = lt;
    d.RightTopPoint = rt;
    d.LeftBottomPoint = lb;
    d.RightBottomPoint = rb;
    d.ClientRect = client;
    return d;
}

TEST(SkinControlFit, SizingModeFollowsTheFirstCornerRuleThatHolds) {
    TkvSkinFitData f;
    f.CopyFrom(description({0, 0, 0, 20}, {}, {}, {}, {}, {}));
    EXPECT_EQ(f.SizingMode, -1);
    f.CopyFrom(description({0, 0, 40, 20}, {3, 3}, {37, 3}, {3, 17}, {37, 17}, {3, 3, 37, 17}));
    EXPECT_EQ(f.SizingMode, 1);
    f.CopyFrom(description({0, 0, 40, 20}, {3, 0}, {37, 0}, {}, {37, 0}, {3, 0, 37, 20}));
    EXPECT_EQ(f.SizingMode, 2) << "right-bottom with one zero coordinate does not make it stretch both ways";
    f.CopyFrom(description({0, 0, 40, 20}, {0, 3}, {}, {0, 17}, {}, {0, 3, 40, 17}));
    EXPECT_EQ(f.SizingMode, 3);
    f.CopyFrom(description({5, 5, 45, 25}, {}, {}, {}, {}, {2, 2, 38, 18}));
    EXPECT_EQ(f.SizingMode, 0);
    f.CopyFromOther();
    EXPECT_EQ(f.SizingMode, 0);
    EXPECT_EQ(f.PictureIndex, -1);
    EXPECT_EQ(f.MaskPictureIndex, -1);
}

TEST(SkinControlFit, StretchTypeReachesTheCompositionAsTheDescriptionSaysIt) {
    for (TkvStretchType t : {stfull, sthorz, stvert}) {
        TkvSkinFitData f;
        TkvDataSkinCustomControl d = description({0, 0, 40, 20}, {}, {}, {}, {}, {});
        d.StretchType = t;
        f.CopyFrom(d);
        EXPECT_EQ(f.StretchKind, t);
        EXPECT_EQ(f.Stretch().kind, t);
    }
}

TEST(SkinControlFit, FixedControlAlwaysTakesTheSkinSize) {
    TkvSkinFitData f;
    f.CopyFrom(description({10, 10, 50, 31}, {}, {}, {}, {}, {2, 2, 38, 19}));
    int w = 300, h = 5;
    f.CalcSkinSize(true, w, h);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 21);
    EXPECT_EQ(f.CurClientRect, (fw::Rect{2, 2, 38, 19}));
}

TEST(SkinControlFit, WidthOnlyForcesTheSkinHeightAndMovesTheRightTopPoint) {
    TkvSkinFitData f;
    f.CopyFrom(description({0, 0, 40, 20}, {3, 0}, {37, 0}, {}, {}, {3, 2, 37, 18}));
    int w = 100, h = 77;
    f.CalcSkinSize(true, w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 20);
    EXPECT_EQ(f.CurRightTop, (fw::Point{97, 0}));
    EXPECT_EQ(f.CurClientRect, (fw::Rect{3, 2, 97, 18}));
}

TEST(SkinControlFit, HeightOnlyForcesTheSkinWidth) {
    TkvSkinFitData f;
    f.CopyFrom(description({0, 0, 16, 40}, {0, 4}, {}, {0, 36}, {}, {2, 4, 14, 36}));
    int w = 90, h = 60;
    f.CalcSkinSize(true, w, h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 60);
    EXPECT_EQ(f.CurLeftBottom, (fw::Point{0, 56}));
    EXPECT_EQ(f.CurClientRect, (fw::Rect{2, 4, 14, 56}));
}

TEST(SkinControlFit, BothWaysKeepsTheSizeAndMovesEveryPoint) {
    TkvSkinFitData f;
    f.CopyFrom(description({0, 0, 40, 20}, {3, 3}, {37, 3}, {3, 17}, {37, 17}, {3, 3, 37, 17}));
    int w = 140, h = 50;
    f.CalcSkinSize(true, w, h);
    EXPECT_EQ(w, 140);
    EXPECT_EQ(h, 50);
    EXPECT_EQ(f.CurLeftTop, (fw::Point{3, 3}));
    EXPECT_EQ(f.CurRightTop, (fw::Point{137, 3}));
    EXPECT_EQ(f.CurLeftBottom, (fw::Point{3, 47}));
    EXPECT_EQ(f.CurRightBottom, (fw::Point{137, 47}));
    EXPECT_EQ(f.CurClientRect, (fw::Rect{3, 3, 137, 47}));
}

TEST(SkinControlFit, NoDescriptionOrUnusableSkinRectLeavesTheSizeAlone) {
    TkvSkinFitData f;
    f.CopyFrom(description({10, 10, 50, 31}, {}, {}, {}, {}, {}));
    int w = 300, h = 5;
    f.CalcSkinSize(false, w, h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 5);
    f.CopyFrom(description({10, 10, 10, 31}, {}, {}, {}, {}, {}));
    f.CalcSkinSize(true, w, h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 5);
}

fw::Bitmap numbered(int w, int h) {
    fw::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.at(x, y) = fw::makePixel(x * 4, y * 4, 100);
    return b;
}

TEST(SkinControlFit, FixedImageIsTheSourceCopiedOneToOne) {
    const fw::Bitmap pic = numbered(60, 40);
    TkvSkinFitData f;
    f.CopyFrom(description({10, 5, 30, 15}, {}, {}, {}, {}, {}));
    fw::Bitmap out;
    ComposeControlImage(out, pic, f.SrcSkinRect, f, 99, 99, false);
    ASSERT_EQ(out.width(), 20);
    ASSERT_EQ(out.height(), 10);
    EXPECT_EQ(out.at(0, 0), pic.at(10, 5));
    EXPECT_EQ(out.at(19, 9), pic.at(29, 14));
}

TEST(SkinControlFit, WidthOnlyImageKeepsBothEndsAndTilesTheMiddle) {
    const fw::Bitmap pic = numbered(60, 40);
    TkvSkinFitData f;
    f.CopyFrom(description({0, 0, 20, 10}, {4, 0}, {16, 0}, {}, {}, {4, 0, 16, 10}));
    int w = 50, h = 10;
    f.CalcSkinSize(true, w, h);
    fw::Bitmap out;
    ComposeControlImage(out, pic, f.SrcSkinRect, f, w, h, false);
    ASSERT_EQ(out.width(), 50);
    ASSERT_EQ(out.height(), 10);
    EXPECT_EQ(out.at(3, 2), pic.at(3, 2));
    EXPECT_EQ(out.at(49, 2), pic.at(19, 2)) << "the right part ends at the right edge";
    EXPECT_EQ(out.at(4 + 12, 2), pic.at(4, 2)) << "the middle is repeated";
}

TEST(SkinControlFit, PanelsBothWaysImageIsNotComposedInFull) {
    const fw::Bitmap pic = numbered(60, 40);
    TkvSkinFitData f;
    f.CopyFrom(description({0, 0, 40, 20}, {3, 3}, {37, 3}, {3, 17}, {37, 17}, {3, 3, 37, 17}));
    int w = 80, h = 30;
    f.CalcSkinSize(true, w, h);
    fw::Bitmap out;
    ComposeControlImage(out, pic, f.SrcSkinRect, f, w, h, true);
    EXPECT_TRUE(out.empty());
    ComposeControlImage(out, pic, f.SrcSkinRect, f, w, h, false);
    EXPECT_EQ(out.width(), 80);
    EXPECT_EQ(out.at(79, 29), pic.at(39, 19));
}

fw::Bitmap roundMask(int w, int h) {
    fw::Bitmap m(w, h, fw::makePixel(0, 0, 0));
    // The four corner pixels are outside (white).
    for (fw::Point p : {fw::Point{0, 0}, fw::Point{w - 1, 0}, fw::Point{0, h - 1}, fw::Point{w - 1, h - 1}})
        m.at(p.x, p.y) = fw::makePixel(255, 255, 255);
    return m;
}

bool inside(const MaskRegion& r, int x, int y) {
    for (const fw::Rect& q : r.rects)
        if (q.contains({x, y})) return true;
    return false;
}

TEST(SkinControlFit, MaskRegionFollowsTheSizingMode) {
    const fw::Bitmap mask = roundMask(20, 10);
    TkvSkinFitData f;
    // Width only, as the skin's one-way descriptions are written: bottom corners left at zero.
    f.CopyFrom(description({0, 0, 20, 10}, {4, 3}, {16, 3}, {}, {}, {4, 3, 16, 7}));
    int w = 50, h = 10;
    f.CalcSkinSize(true, w, h);
    std::optional<MaskRegion> r = ControlMaskRegion(mask, f, w, h);
    ASSERT_TRUE(r);
    EXPECT_FALSE(inside(*r, 0, 0));
    EXPECT_FALSE(inside(*r, 49, 0)) << "the right corner moved with the width";
    EXPECT_TRUE(inside(*r, 48, 0));
    EXPECT_TRUE(inside(*r, 25, 5));
    EXPECT_TRUE(inside(*r, 1, 5)) << "the left side between the corners is inside";
    EXPECT_FALSE(inside(*r, 49, 9));
    EXPECT_TRUE(inside(*r, 30, 9));

    // Height only: the bottom corners move down with the height, the sides stay.
    const fw::Bitmap tall = roundMask(10, 20);
    f.CopyFrom(description({0, 0, 10, 20}, {3, 4}, {}, {3, 16}, {}, {3, 4, 7, 16}));
    w = 10, h = 50;
    f.CalcSkinSize(true, w, h);
    r = ControlMaskRegion(tall, f, w, h);
    ASSERT_TRUE(r);
    EXPECT_FALSE(inside(*r, 0, 0));
    EXPECT_FALSE(inside(*r, 9, 49)) << "the bottom corner moved with the height";
    EXPECT_TRUE(inside(*r, 9, 48));
    EXPECT_TRUE(inside(*r, 5, 25));
    EXPECT_FALSE(inside(*r, 10, 25));
    EXPECT_TRUE(inside(*r, 8, 30)) << "the right side between the corners is inside";

    f.CopyFrom(description({0, 0, 20, 10}, {}, {}, {}, {}, {}));
    r = ControlMaskRegion(mask, f, 20, 10);
    ASSERT_TRUE(r);
    EXPECT_FALSE(inside(*r, 19, 9));
    EXPECT_TRUE(inside(*r, 18, 9));

    f.SizingMode = -1;
    EXPECT_FALSE(ControlMaskRegion(mask, f, 20, 10));
}

}  // namespace
