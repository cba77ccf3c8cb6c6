// Shortening captions with "..." and moving skin rectangles with the control's size.
#include <gtest/gtest.h>

#include "skin/controls/SkinLabelRules.h"

namespace {

int charsWide(const std::wstring& s) { return static_cast<int>(s.size()) * 10; }

TEST(SkinLabelRules, EllipsisKeepsTheLongestPrefixThatFitsAndFallsBackToDotsAlone) {
    EXPECT_EQ(EllipsizeText(L"abcdef", 60, charsWide), L"abcdef");
    EXPECT_EQ(EllipsizeText(L"abcdef", 59, charsWide), L"ab...");
    EXPECT_EQ(EllipsizeText(L"abcdef", 20, charsWide), L"...") << "too narrow even for the dots";
    EXPECT_EQ(LabelTextOrigin({0, 0, 100, 19}, TextAlign::Left, 30, 12), (fw::Point{0, 3}));
    EXPECT_EQ(LabelTextOrigin({0, 0, 100, 19}, TextAlign::Right, 30, 12), (fw::Point{70, 3}));
    EXPECT_EQ(LabelTextOrigin({10, 0, 100, 19}, TextAlign::Center, 30, 12), (fw::Point{40, 3}));
}

TEST(SkinLabelRules, SkinRectanglesFollowTheirCorner) {
    TkvSkinFitData d;
    TkvDataSkinCustomControl c;
    c.SkinRect = {0, 0, 60, 40};
    c.LeftTopPoint = {10, 10};
    c.RightTopPoint = {50, 10};
    c.LeftBottomPoint = {10, 30};
    c.RightBottomPoint = {50, 30};
    c.ClientRect = {10, 10, 50, 30};
    d.CopyFrom(c);
    EXPECT_EQ(MapSkinRect(d, {2, 2, 8, 8}, 100, 50), (fw::Rect{2, 2, 8, 8}));
    EXPECT_EQ(MapSkinRect(d, {52, 2, 58, 8}, 100, 50), (fw::Rect{92, 2, 98, 8}));
    EXPECT_EQ(MapSkinRect(d, {2, 2, 58, 8}, 100, 50), (fw::Rect{2, 2, 98, 8})) << "left-top to right-top grows";
    EXPECT_EQ(MapSkinRect(d, {2, 32, 58, 38}, 100, 50), (fw::Rect{2, 42, 98, 48}));
    c.RightBottomPoint = {};
    c.LeftBottomPoint = {};
    d.CopyFrom(c);
    ASSERT_EQ(d.SizingMode, 2);
    EXPECT_EQ(MapSkinRect(d, {5, 0, 55, 20}, 100, 40), (fw::Rect{5, 0, 95, 20}));
    EXPECT_EQ(MapSkinRect(d, {52, 0, 58, 20}, 100, 40), (fw::Rect{92, 0, 98, 20}));
}

}  // namespace
