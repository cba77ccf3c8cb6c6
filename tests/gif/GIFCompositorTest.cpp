// Drawing frames into pixels and the disposal procedure with its work bitmaps.
#include <gtest/gtest.h>

#include "gif/GIFCompositor.h"
#include "tests/gif/GIFTestBuilder.h"

using giftest::Builder;
using giftest::Bytes;
using giftest::LoadImage;

namespace {

// Grey ramp of the builder's 4-entry table.
const fw::Pixel kGrey[4] = {fw::makePixel(0, 0, 0), fw::makePixel(85, 85, 85), fw::makePixel(170, 170, 170),
                            fw::makePixel(255, 255, 255)};
const fw::Pixel kUnder = fw::makePixel(10, 200, 30);  // what was on the target before the image

TEST(GIFCompositor, FramePlaceIsScaledAndRounded) {
    auto image = LoadImage(Builder().Header(10, 10).Image(2, 3, 4, 5, giftest::Repeat(1, 20)).bytes());
    EXPECT_EQ(GIFScaledFrameRect(*image.Images[0], 10, 10, {100, 100, 120, 120}), (fw::Rect{104, 106, 112, 116}));
    auto third = LoadImage(Builder().Header(3, 3).Image(1, 2, 1, 1, {1}).bytes());
    // 1 x 10 / 3 = 3.33 -> 3, 2 x 10 / 3 = 6.67 -> 7, 3 x 10 / 3 = 10.
    EXPECT_EQ(GIFScaledFrameRect(*third.Images[0], 3, 3, {0, 0, 10, 10}), (fw::Rect{3, 7, 7, 10}));
    // A frame far outside a 1 x 1 screen scaled into a wide rectangle stays off the target without overflow.
    auto far = LoadImage(Builder().Header(1, 1).Image(65000, 0, 65000, 1, {}).bytes());
    const fw::Rect r = GIFScaledFrameRect(*far.Images[0], 1, 1, {0, 0, 30000, 10});
    EXPECT_GT(r.left, 30000);
    EXPECT_GE(r.right, r.left);
}

TEST(GIFCompositor, TransparentPixelsLeaveTheTargetUnchanged) {
    auto image = LoadImage(Builder().Header(2, 1).Gce(0, 0, 0).Image(0, 0, 2, 1, {0, 2}).bytes());
    fw::Bitmap target(4, 2, kUnder);
    GIFDrawFirstFrame(image, target, {0, 0, 4, 2}, GIFDrawOption::Default);
    // Stretched 2x: the left half is transparent.
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(target.at(0, y), kUnder);
        EXPECT_EQ(target.at(1, y), kUnder);
        EXPECT_EQ(target.at(2, y), kGrey[2]);
        EXPECT_EQ(target.at(3, y), kGrey[2]);
    }
    // Without DrawTransparent the transparent index is painted in its colour.
    GIFDrawFirstFrame(image, target, {0, 0, 4, 2}, GIFDrawOption::Default & ~GIFDrawOption::DrawTransparent);
    EXPECT_EQ(target.at(0, 0), kGrey[0]);
}

TEST(GIFCompositor, ChannelsKeepTheirOrder) {
    Bytes b = Builder().Header(3, 1, 1).Image(0, 0, 3, 1, {0, 1, 2}).bytes();
    // Global table entries 0..2 (from byte 13): red, green, blue.
    const std::uint8_t rgb[9] = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    std::copy(rgb, rgb + 9, b.begin() + 13);
    auto image = LoadImage(b);
    fw::Bitmap target(3, 1);
    GIFDrawFirstFrame(image, target, target.rect(), GIFDrawOption::Default);
    EXPECT_EQ(target.at(0, 0), fw::makePixel(255, 0, 0));
    EXPECT_EQ(target.at(1, 0), fw::makePixel(0, 255, 0));
    EXPECT_EQ(target.at(2, 0), fw::makePixel(0, 0, 255));
}

TEST(GIFCompositor, TileRepeatsAtTheImageSizeAndClipsToTheRectangle) {
    auto image = LoadImage(Builder().Header(2, 2).Image(0, 0, 2, 2, {0, 1, 2, 3}).bytes());
    fw::Bitmap target(7, 4, kUnder);
    GIFDrawFirstFrame(image, target, {1, 1, 6, 4}, GIFDrawOption::Default | GIFDrawOption::Tile);
    EXPECT_EQ(target.at(0, 0), kUnder);
    EXPECT_EQ(target.at(1, 1), kGrey[0]);
    EXPECT_EQ(target.at(2, 1), kGrey[1]);
    EXPECT_EQ(target.at(3, 1), kGrey[0]);
    EXPECT_EQ(target.at(5, 2), kGrey[2]);
    EXPECT_EQ(target.at(6, 1), kUnder);  // outside the rectangle
    EXPECT_EQ(target.at(1, 3), kGrey[0]);
}

TEST(GIFCompositor, RestoreToBackgroundShowsWhatWasUnderneath) {
    // Frame 0 covers the left column and is disposed to background; frame 1 is drawn in the right column.
    auto image = LoadImage(
        Builder().Header(2, 2).Gce(2, 5, 0).Image(0, 0, 1, 2, {3, 3}).Gce(1, 5, 0).Image(1, 0, 1, 2, {2, 2}).bytes());
    fw::Bitmap target(2, 2, kUnder);
    GIFCompositor c(image, GIFDrawOption::Default, 0x0000FF, target, target.rect());
    EXPECT_TRUE(c.HasWorkBitmaps());
    EXPECT_TRUE(c.HasBackgroundCopy());
    c.PaintFrame(0, 2, 1, target);
    EXPECT_EQ(target.at(0, 0), kGrey[3]);
    EXPECT_EQ(target.at(1, 0), kUnder);
    c.PaintFrame(1, 1, 2, target);
    EXPECT_EQ(target.at(0, 0), kUnder);  // frame 0's area restored to what was under the image
    EXPECT_EQ(target.at(0, 1), kUnder);
    EXPECT_EQ(target.at(1, 1), kGrey[2]);

    // Without DrawTransparent the area is filled with the background colour instead.
    fw::Bitmap opaque(2, 2, kUnder);
    const std::uint16_t noTransparent = GIFDrawOption::Default & ~GIFDrawOption::DrawTransparent;
    GIFCompositor o(image, noTransparent, 0x0000FF, opaque, opaque.rect());
    EXPECT_FALSE(o.HasBackgroundCopy());
    o.PaintFrame(0, 2, 1, opaque);
    o.PaintFrame(1, 1, 2, opaque);
    EXPECT_EQ(opaque.at(0, 0), fw::makePixel(255, 0, 0));
}

TEST(GIFCompositor, RestoreToPreviousBringsBackTheEarlierState) {
    auto image = LoadImage(Builder()
                               .Header(2, 1)
                               .Gce(1, 5)
                               .Image(0, 0, 2, 1, {1, 1})
                               .Gce(3, 5)
                               .Image(0, 0, 1, 1, {3})
                               .Gce(1, 5, 0)
                               .Image(1, 0, 1, 1, {2})
                               .bytes());
    fw::Bitmap target(2, 1, kUnder);
    GIFCompositor c(image, GIFDrawOption::Default, 0, target, target.rect());
    c.PaintFrame(0, 1, 1, target);
    c.PaintFrame(1, 3, 1, target);
    EXPECT_EQ(target.at(0, 0), kGrey[3]);
    c.PaintFrame(2, 1, 3, target);
    EXPECT_EQ(target.at(0, 0), kGrey[1]);  // frame 1 is gone
    EXPECT_EQ(target.at(1, 0), kGrey[2]);
}

TEST(GIFCompositor, RestoreToPreviousAfterBackgroundUsesTheFrameBuffer) {
    auto image = LoadImage(Builder()
                               .Header(2, 1)
                               .Gce(2, 5)
                               .Image(0, 0, 1, 1, {1})
                               .Gce(3, 5)
                               .Image(1, 0, 1, 1, {3})
                               .Gce(1, 5)
                               .Image(1, 0, 1, 1, {2})
                               .bytes());
    fw::Bitmap target(2, 1, kUnder);
    GIFCompositor c(image, GIFDrawOption::Default, 0, target, target.rect());
    c.PaintFrame(0, 2, 1, target);
    c.PaintFrame(1, 3, 2, target);
    // The frame buffer starts from the backup, where frame 0 was already cleared.
    EXPECT_EQ(target.at(0, 0), kUnder);
    EXPECT_EQ(target.at(1, 0), kGrey[3]);
    // A disposal of 4 or more draws nothing.
    fw::Bitmap before = target;
    c.PaintFrame(2, 5, 1, target);
    EXPECT_EQ(target, before);
    c.PaintFrame(2, 3, 4, target);
    EXPECT_EQ(target, before);
}

TEST(GIFCompositor, WithoutRestoringDisposalsFramesAccumulateOnTheTarget) {
    auto image = LoadImage(
        Builder().Header(2, 1).Gce(1, 5).Image(0, 0, 1, 1, {1}).Gce(0, 5).Image(1, 0, 1, 1, {2}).bytes());
    fw::Bitmap target(4, 3, kUnder);
    GIFCompositor c(image, GIFDrawOption::Default, 0, target, {2, 1, 4, 2});
    EXPECT_FALSE(c.HasWorkBitmaps());
    c.PaintFrame(0, 1, 1, target);
    c.PaintFrame(1, 0, 1, target);
    EXPECT_EQ(target.at(2, 1), kGrey[1]);
    EXPECT_EQ(target.at(3, 1), kGrey[2]);
    EXPECT_EQ(target.at(1, 1), kUnder);
}

TEST(GIFCompositor, ClearOnLoopClearsAtTheFirstFrame) {
    auto image = LoadImage(
        Builder().Header(2, 1).Gce(1, 5).Image(0, 0, 1, 1, {1}).Gce(1, 5).Image(1, 0, 1, 1, {2}).bytes());
    fw::Bitmap target(2, 1, kUnder);
    const std::uint16_t opts = (GIFDrawOption::Default | GIFDrawOption::ClearOnLoop) & ~GIFDrawOption::DrawTransparent;
    GIFCompositor c(image, opts, 0xFFFFFF, target, target.rect());
    ASSERT_TRUE(c.HasWorkBitmaps());
    c.PaintFrame(0, 1, 1, target);
    c.PaintFrame(1, 1, 1, target);
    EXPECT_EQ(target.at(1, 0), kGrey[2]);
    c.PaintFrame(0, 1, 1, target);  // second pass
    EXPECT_EQ(target.at(0, 0), kGrey[1]);
    EXPECT_EQ(target.at(1, 0), fw::makePixel(255, 255, 255));
}

}  // namespace
