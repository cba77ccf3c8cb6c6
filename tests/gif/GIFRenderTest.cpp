// Frame bitmaps: masks, palettes and dithering to the colour cube.
#include <gtest/gtest.h>

#include "gif/GIFImageData.h"
#include "tests/gif/GIFTestBuilder.h"

using giftest::Builder;
using giftest::Bytes;
using giftest::LoadImage;

namespace {

TEST(GIFRender, MaskHasOneBitPerTransparentPixelInSixteenBitRows) {
    Bytes pixels(18 * 2, 0);
    pixels[0] = 1;        // row 0, x 0
    pixels[9] = 1;        // row 0, x 9
    pixels[18 + 17] = 1;  // row 1, x 17
    auto image = LoadImage(Builder().Header(18, 2).Gce(0, 0, 1).Image(0, 0, 18, 2, pixels).Trailer().bytes());
    const GIFFrameBitmap& bmp = image.GetBitmap(*image.Images[0]);
    ASSERT_TRUE(bmp.HasMask());
    EXPECT_EQ(bmp.MaskStride, 4);
    EXPECT_EQ(bmp.Mask, (Bytes{0x80, 0x40, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00}));
    EXPECT_TRUE(bmp.Masked(17, 1));
    EXPECT_FALSE(bmp.Masked(16, 1));
    // The indexes are the frame's own, unchanged.
    EXPECT_EQ(Bytes(bmp.Pixels, bmp.Pixels + 36), pixels);
    // The same bitmap is returned on later calls.
    EXPECT_EQ(&image.GetBitmap(*image.Images[0]), &bmp);
}

TEST(GIFRender, NoMaskWithoutTransparentPixels) {
    auto image = LoadImage(Builder().Header(2, 1).Gce(0, 0, 3).Image(0, 0, 2, 1, {0, 1}).Trailer().bytes());
    EXPECT_FALSE(image.GetBitmap(*image.Images[0]).HasMask());
    auto opaque = LoadImage(Builder().Header(2, 1).Image(0, 0, 2, 1, {0, 1}).Trailer().bytes());
    EXPECT_FALSE(opaque.GetBitmap(*opaque.Images[0]).HasMask());
}

TEST(GIFRender, PaletteComesFromLocalGlobalOrFirstFrame) {
    // Global table of 4 greys; frame 0 has a local table of 8; frame 1 none.
    auto both = LoadImage(Builder().Header(1, 1, 1).Image(0, 0, 1, 1, {0}, 2).Image(0, 0, 1, 1, {0}).Trailer().bytes());
    EXPECT_EQ(both.CurrentPalette(*both.Images[0]).Count(), 8);
    EXPECT_EQ(both.CurrentPalette(*both.Images[1]).Count(), 4);
    EXPECT_EQ(both.CurrentPalette().Count(), 4);

    // No global table: frames without their own use the first frame's.
    auto localOnly = LoadImage(
        Builder().Header(1, 1, -1).Image(0, 0, 1, 1, {0}, 2).Image(0, 0, 1, 1, {0}).Trailer().bytes());
    EXPECT_EQ(localOnly.CurrentPalette().Count(), 8);
    EXPECT_EQ(localOnly.CurrentPalette(*localOnly.Images[1]).Count(), 8);

    // Dithering always gives the cube.
    localOnly.SetDithering(true);
    EXPECT_EQ(localOnly.CurrentPalette(*localOnly.Images[0]), GIFCubePalette());
}

TEST(GIFRender, NoColourTableFailsWhenRendered) {
    auto image = LoadImage(Builder().Header(1, 1, -1).Image(0, 0, 1, 1, {0}).Trailer().bytes());
    ASSERT_EQ(image.Images.size(), 1u);
    try {
        image.GetBitmap(*image.Images[0]);
        FAIL() << "rendered without a palette";
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "No global or local color table defined");
    }
    // Dithered, the cube serves as the palette and the missing colours are black.
    image.SetDithering(true);
    const GIFFrameBitmap& bmp = image.GetBitmap(*image.Images[0]);
    EXPECT_EQ(bmp.Pixels[0], 0);
}

TEST(GIFRender, CubeEntries) {
    const TGIFColorMap& cube = GIFCubePalette();
    ASSERT_EQ(cube.Count(), 216);
    EXPECT_EQ(cube.Colors[0], (TGIFRGB{0, 0, 0}));
    EXPECT_EQ(cube.Colors[36 * 1 + 6 * 2 + 3], (TGIFRGB{51, 102, 153}));
    EXPECT_EQ(cube.Colors[215], (TGIFRGB{255, 255, 255}));
}

TGIFColorMap Colors(std::initializer_list<TGIFRGB> c) {
    TGIFColorMap m;
    m.Colors = c;
    return m;
}

TEST(GIFRender, CubeColoursDitherExactly) {
    const auto colors = Colors({{0, 0, 0}, {51, 102, 153}, {255, 255, 255}, {204, 0, 51}});
    const Bytes src = giftest::Ramp(64, 4);
    Bytes dst(64);
    GIFDitherToCube(src.data(), 8, 8, colors, dst.data());
    const std::uint8_t expected[4] = {0, 36 + 12 + 3, 215, 36 * 4 + 1};
    for (int i = 0; i < 64; ++i) ASSERT_EQ(dst[i], expected[src[i]]) << i;
}

TEST(GIFRender, ErrorDiffusionKeepsTheAverageColour) {
    // 77 lies between cube levels 51 and 102; without diffusion every pixel would be one of them.
    const auto colors = Colors({{77, 200, 10}});
    const int w = 64, h = 64;
    Bytes src(w * h, 0), dst(w * h);
    GIFDitherToCube(src.data(), w, h, colors, dst.data());
    const TGIFColorMap& cube = GIFCubePalette();
    double r = 0, g = 0, b = 0;
    for (auto i : dst) {
        r += cube.Colors[i].Red;
        g += cube.Colors[i].Green;
        b += cube.Colors[i].Blue;
    }
    EXPECT_NEAR(r / (w * h), 77, 1.0);
    EXPECT_NEAR(g / (w * h), 200, 1.0);
    EXPECT_NEAR(b / (w * h), 10, 1.0);
}

TEST(GIFRender, OddRowsAreScannedRightToLeft) {
    // Worked by hand: grey 25 on a 2 x 2 frame. Row 0 stays black and pushes its error down; scanning row 1 from
    // the right puts the first step up (index 43 = 51,51,51) at x 0. A left-to-right scan would put it at x 1.
    const auto colors = Colors({{25, 25, 25}});
    Bytes src(4, 0), dst(4);
    GIFDitherToCube(src.data(), 2, 2, colors, dst.data());
    EXPECT_EQ(dst, (Bytes{0, 0, 43, 0}));
}

TEST(GIFRender, DitheredFrameUsesTheCubeAndKeepsItsMask) {
    auto image = LoadImage(Builder().Header(2, 1, 1).Gce(0, 0, 3).Image(0, 0, 2, 1, {3, 0}).Trailer().bytes());
    image.SetDithering(true);
    const GIFFrameBitmap& bmp = image.GetBitmap(*image.Images[0]);
    EXPECT_EQ(bmp.Palette, GIFCubePalette());
    EXPECT_EQ(bmp.Pixels[0], 215);  // white of the grey ramp
    EXPECT_TRUE(bmp.HasMask());
    EXPECT_TRUE(bmp.Masked(0, 0));
    EXPECT_FALSE(bmp.Masked(1, 0));
}

}  // namespace
