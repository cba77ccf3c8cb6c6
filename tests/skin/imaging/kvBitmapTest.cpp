#include "skin/imaging/kvBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "skin/imaging/PixelOps.h"

using fw::Bitmap;
using fw::makePixel;
using fw::Pixel;

namespace {

TEST(TkvBitmap, SetSizeTakesAbsoluteValuesAndIgnoresZeroAndSameSize) {
    TkvBitmap b;
    EXPECT_TRUE(b.Empty());
    b.SetSize(-5, 3);
    ASSERT_FALSE(b.Empty());
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.Pixels().at(4, 2), 0u);
    b.Pixels().at(1, 1) = 77;
    b.SetSize(5, -3);  // same size: the buffer is kept
    EXPECT_EQ(b.Pixels().at(1, 1), 77u);
    b.SetSize(0, 9);  // zero: nothing changes
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Pixels().at(1, 1), 77u);
    b.SetSize(6, 3);  // a new buffer
    EXPECT_EQ(b.Pixels().at(1, 1), 0u);
    // A silly size is refused and leaves no buffer behind.
    EXPECT_THROW(b.SetSize(40000, 40000), std::length_error);
    EXPECT_TRUE(b.Empty());
    EXPECT_TRUE(b.Pixels().empty());
}

TEST(TkvBitmap, LiveBitmapsListFollowsLifetime) {
    const auto before = TkvBitmap::LiveBitmaps().size();
    {
        TkvBitmap a, b;
        EXPECT_EQ(TkvBitmap::LiveBitmaps().size(), before + 2);
        EXPECT_NE(std::find(TkvBitmap::LiveBitmaps().begin(), TkvBitmap::LiveBitmaps().end(), &b),
                  TkvBitmap::LiveBitmaps().end());
    }
    EXPECT_EQ(TkvBitmap::LiveBitmaps().size(), before);
}

TEST(TkvBitmap, MaskToAlphaWhiteOpaqueBlackTransparent) {
    TkvBitmap b;
    b.Assign(Bitmap(4, 2, makePixel(10, 20, 30, 99)));
    Bitmap mask(4, 2, makePixel(255, 255, 255));
    mask.at(1, 0) = makePixel(0, 0, 0);
    mask.at(2, 0) = makePixel(10, 20, 31);  // 61 / 3 = 20.33 -> 20
    mask.at(3, 0) = makePixel(10, 20, 32);  // 62 / 3 = 20.67 -> 21
    b.MaskToAlpha(mask);
    EXPECT_EQ(b.Pixels().at(0, 0), makePixel(10, 20, 30, 255));
    EXPECT_EQ(b.Pixels().at(1, 0), makePixel(10, 20, 30, 0));
    EXPECT_EQ(fw::pixelA(b.Pixels().at(2, 0)), 20);
    EXPECT_EQ(fw::pixelA(b.Pixels().at(3, 0)), 21);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(fw::pixelA(b.Pixels().at(x, 1)), 255);
    // All black gives alpha 0 everywhere; a mask of another size changes nothing.
    b.MaskToAlpha(Bitmap(4, 2, makePixel(0, 0, 0)));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(fw::pixelA(b.Pixels().at(x, 1)), 0);
    b.MaskToAlpha(Bitmap(3, 2, makePixel(255, 255, 255)));
    EXPECT_EQ(fw::pixelA(b.Pixels().at(0, 0)), 0);
}

TEST(TkvBitmap, CheckAlphaFindsPartialAlphaAndSwitchesToBlending) {
    TkvBitmap b;
    Bitmap src(3, 3, makePixel(1, 2, 3, 255));
    src.at(0, 0) = makePixel(1, 2, 3, 0);
    b.Assign(src);
    b.CheckAlpha();
    EXPECT_FALSE(b.PartialAlpha());
    EXPECT_FALSE(b.AlphaBlend);
    b.Pixels().at(2, 2) = makePixel(1, 2, 3, 128);
    b.CheckAlpha();
    EXPECT_TRUE(b.PartialAlpha());
    EXPECT_TRUE(b.AlphaBlend);
}

// The blur written out directly: each pass sums (r + 1 − |i|) · p[clamp(x + i)] and divides by (r + 1)².
Bitmap referenceBlur(const Bitmap& src, int r) {
    Bitmap a = src, b = src;
    const int div = (r + 1) * (r + 1);
    auto pass = [&](const Bitmap& in, Bitmap& out, bool rows) {
        for (int y = 0; y < in.height(); ++y) {
            for (int x = 0; x < in.width(); ++x) {
                int sum[3] = {};
                for (int i = -r; i <= r; ++i) {
                    const int sx = rows ? std::clamp(x + i, 0, in.width() - 1) : x;
                    const int sy = rows ? y : std::clamp(y + i, 0, in.height() - 1);
                    const Pixel p = in.at(sx, sy);
                    const int w = r + 1 - std::abs(i);
                    sum[0] += w * fw::pixelR(p);
                    sum[1] += w * fw::pixelG(p);
                    sum[2] += w * fw::pixelB(p);
                }
                out.at(x, y) = makePixel(sum[0] / div, sum[1] / div, sum[2] / div, fw::pixelA(in.at(x, y)));
            }
        }
    };
    pass(src, a, true);
    pass(a, b, false);
    return b;
}

TEST(TkvBitmap, StackBlurMatchesTheTriangularBlur) {
    std::mt19937 rng(42);
    Bitmap src(23, 17);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x) src.at(x, y) = rng();
    for (int r : {1, 2, 3, 7, 30}) {
        TkvBitmap b;
        b.Assign(src);
        b.StackBlur(r);
        const Bitmap expect = referenceBlur(src, r);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23; ++x)
                ASSERT_EQ(b.Pixels().at(x, y), expect.at(x, y)) << "r=" << r << " " << x << "," << y;
    }
    TkvBitmap same;
    same.Assign(src);
    same.StackBlur(0);
    same.StackBlur(-3);
    for (int x = 0; x < 23; ++x) EXPECT_EQ(same.Pixels().at(x, 5), src.at(x, 5));
}

TEST(PixelOps, TransparentCopyLeavesOutTheKeyColour) {
    Bitmap src(3, 1);
    src.at(0, 0) = makePixel(1, 2, 3);
    src.at(1, 0) = makePixel(0x7F, 0, 0x7F, 0);  // key colour, whatever its alpha
    src.at(2, 0) = makePixel(0x7F, 0, 0x7E);
    Bitmap dst(4, 2, makePixel(9, 9, 9));
    TransparentCopy(src, dst, 2, 1, TkvBitmap::kTransparentKey);
    EXPECT_EQ(dst.at(2, 1), makePixel(1, 2, 3));
    EXPECT_EQ(dst.at(3, 1), makePixel(9, 9, 9));  // the key pixel is left out
    EXPECT_EQ(dst.at(1, 1), makePixel(9, 9, 9));  // the third source pixel lies outside: clipped
}

TEST(PixelOps, PremultiplyScalesColourByAlpha) {
    Bitmap src(2, 1);
    src.at(0, 0) = makePixel(255, 100, 10, 128);
    src.at(1, 0) = makePixel(255, 255, 255, 0);
    Bitmap dst(2, 1);
    PremultiplyAlpha(src, dst);
    EXPECT_EQ(dst.at(0, 0), makePixel(128, 50, 5, 128));
    EXPECT_EQ(dst.at(1, 0), makePixel(0, 0, 0, 0));
}

}  // namespace
