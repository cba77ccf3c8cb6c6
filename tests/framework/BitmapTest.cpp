#include "framework/Bitmap.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(Bitmap, RefusesSillySizes) {
    EXPECT_THROW(Bitmap(-1, 5), BitmapSizeError);
    EXPECT_THROW(Bitmap(40000, 1), BitmapSizeError);
    EXPECT_THROW(Bitmap(30000, 30000), BitmapSizeError);
    EXPECT_NO_THROW(Bitmap(0, 0));
}

TEST(Bitmap, CopyClipsOnBothSides) {
    Bitmap src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) src.at(x, y) = Pixel(y * 10 + x);
    Bitmap dst(3, 3, 0xFFFFFFFF);
    // Source rect reaches outside the source on the left; placement reaches outside the destination on the right.
    copyPixels(src, Rect{-1, 1, 3, 3}, dst, 0, 1);
    EXPECT_EQ(dst.at(0, 1), 0xFFFFFFFFu);  // the column that had no source pixel stays
    EXPECT_EQ(dst.at(1, 1), 10u);
    EXPECT_EQ(dst.at(2, 1), 11u);
    EXPECT_EQ(dst.at(2, 2), 21u);
    EXPECT_EQ(dst.at(0, 0), 0xFFFFFFFFu);
}

TEST(Bitmap, ColourAndPixelConvert) {
    EXPECT_EQ(colorToPixel(0x00FF8040), makePixel(0x40, 0x80, 0xFF));
    EXPECT_EQ(pixelToColor(makePixel(1, 2, 3)), 0x00030201u);
}
