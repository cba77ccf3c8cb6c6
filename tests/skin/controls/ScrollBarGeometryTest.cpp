// Where a scroll bar's parts lie, what a point hits and the position a dragged thumb stands for.
#include <gtest/gtest.h>

#include "skin/controls/ScrollBarGeometry.h"

namespace fw {
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
}  // namespace fw

namespace {

TEST(ScrollBarGeometry, ThumbLengthFollowsThePageAndItsPlaceThePosition) {
    // 200 wide: buttons of 20, a track of 160. Range 0..99 with a page of 25 → thumb 40, 76 steps over 120 px.
    TkvScrollParams p{0, 99, 25, 0};
    EXPECT_EQ(p.MaxPosition(), 75);
    TkvScrollLayout l = LayoutScrollBar(false, 200, 19, 20, 12, p, true);
    EXPECT_EQ(l.UpButton, (fw::Rect{0, 0, 20, 19}));
    EXPECT_EQ(l.DownButton, (fw::Rect{180, 0, 200, 19}));
    EXPECT_EQ(l.Track, (fw::Rect{20, 0, 180, 19}));
    EXPECT_EQ(l.Thumb, (fw::Rect{20, 0, 60, 19}));
    p.Position = 75;
    EXPECT_EQ(LayoutScrollBar(false, 200, 19, 20, 12, p, true).Thumb, (fw::Rect{140, 0, 180, 19}));
    p.Position = 500;  // beyond the end: drawn at the end
    EXPECT_EQ(LayoutScrollBar(false, 200, 19, 20, 12, p, true).Thumb, (fw::Rect{140, 0, 180, 19}));

    // Vertical, a huge range: the thumb keeps its least length.
    const TkvScrollLayout v = LayoutScrollBar(true, 19, 100, 19, 12, {0, 100000, 10, 50000}, true);
    EXPECT_EQ(v.Thumb.height(), 12);
    EXPECT_EQ(v.Thumb.top, 19 + (62 - 12) * 50000 / (100000 - 9));
    // Page 0: the thumb is as long as a button.
    EXPECT_EQ(LayoutScrollBar(true, 19, 100, 19, 12, {0, 10, 0, 0}, true).Thumb, (fw::Rect{0, 19, 19, 38}));
}

TEST(ScrollBarGeometry, NoThumbWhenNothingScrollsOrThereIsNoRoom) {
    EXPECT_TRUE(LayoutScrollBar(false, 200, 19, 20, 12, {0, 99, 100, 0}, true).Thumb.empty()) << "the range fits";
    EXPECT_TRUE(LayoutScrollBar(false, 200, 19, 20, 12, {0, 0, 0, 0}, true).Thumb.empty()) << "empty range";
    EXPECT_TRUE(LayoutScrollBar(false, 200, 19, 20, 12, {0, 99, 10, 0}, false).Thumb.empty()) << "disabled";
    const TkvScrollLayout tiny = LayoutScrollBar(false, 30, 19, 20, 12, {0, 99, 10, 0}, true);
    EXPECT_EQ(tiny.UpButton, (fw::Rect{0, 0, 15, 19})) << "buttons share a bar that is too short";
    EXPECT_TRUE(tiny.Thumb.empty());
    EXPECT_TRUE(TkvScrollParams({5, 5, 0, 5}).Fits());
    EXPECT_FALSE(TkvScrollParams({0, 99, 99, 0}).Fits());
}

TEST(ScrollBarGeometry, PartsUnderThePointAndTheDraggedPosition) {
    const TkvScrollParams p{0, 99, 25, 30};
    const TkvScrollLayout l = LayoutScrollBar(false, 200, 19, 20, 12, p, true);
    ASSERT_EQ(l.Thumb, (fw::Rect{20 + 120 * 30 / 75, 0, 20 + 120 * 30 / 75 + 40, 19}));
    EXPECT_EQ(l.PartAt({5, 5}), TkvScrollPart::UpButton);
    EXPECT_EQ(l.PartAt({195, 5}), TkvScrollPart::DownButton);
    EXPECT_EQ(l.PartAt({30, 5}), TkvScrollPart::PageUp);
    EXPECT_EQ(l.PartAt({l.Thumb.left, 5}), TkvScrollPart::Thumb);
    EXPECT_EQ(l.PartAt({l.Thumb.right, 5}), TkvScrollPart::PageDown);
    EXPECT_EQ(l.PartAt({250, 5}), TkvScrollPart::None);

    EXPECT_EQ(ScrollPositionAt(l, p, 20), 0);
    EXPECT_EQ(ScrollPositionAt(l, p, 140), 75);
    EXPECT_EQ(ScrollPositionAt(l, p, 80), 38) << "half way, rounded to the nearest";
    EXPECT_EQ(ScrollPositionAt(l, p, -50), 0);
    EXPECT_EQ(ScrollPositionAt(l, p, 900), 75);
    EXPECT_EQ(ScrollPositionAt(l, p, l.Thumb.left), 30) << "the thumb where it is gives the position back";
}

}  // namespace
