#include "skin/imaging/MaskRegion.h"

#include <gtest/gtest.h>

#include "TestPictures.h"

using fw::Bitmap;
using fw::Rect;

namespace {

const fw::Pixel kBlack = fw::makePixel(0, 0, 0);
const fw::Pixel kWhite = fw::makePixel(255, 255, 255);

// Whether (x, y) lies in any rectangle of the region.
bool inside(const MaskRegion& r, int x, int y) {
    for (const Rect& rc : r.rects)
        if (rc.contains({x, y})) return true;
    return false;
}

TEST(MaskToRegion, RowsOfRunsInScanOrder) {
    Bitmap m(6, 4, kWhite);
    for (int x = 0; x < 6; ++x) m.at(x, 0) = kBlack;  // all black: one run as wide as the mask
    // row 1: no black at all
    m.at(0, 2) = kBlack;
    m.at(2, 2) = kBlack;
    m.at(3, 2) = kBlack;
    m.at(5, 2) = kBlack;
    m.at(5, 3) = fw::makePixel(0, 0, 0, 0);  // alpha does not matter: still black
    m.at(4, 3) = fw::makePixel(0, 0, 1);     // almost black is outside
    const MaskRegion r = MaskToRegion(m, 10, 20);
    EXPECT_EQ(r.bounds, (Rect{10, 20, 16, 24}));
    const std::vector<Rect> expect = {
        {10, 20, 16, 21}, {10, 22, 11, 23}, {12, 22, 14, 23}, {15, 22, 16, 23}, {15, 23, 16, 24}};
    EXPECT_EQ(r.rects, expect);
}

TEST(MaskToRegion, EmptyMaskAndManyRuns) {
    EXPECT_TRUE(MaskToRegion(fw::ConstPixelView{}, 0, 0).rects.empty());
    // A checkerboard of 300 x 100 has 15,000 runs: more than a fixed table of 10,000 would hold.
    Bitmap m(300, 100, kWhite);
    for (int y = 0; y < 100; ++y)
        for (int x = (y & 1); x < 300; x += 2) m.at(x, y) = kBlack;
    const MaskRegion r = MaskToRegion(m, 0, 0);
    ASSERT_EQ(r.rects.size(), 15000u);
    EXPECT_EQ(r.rects.back(), (Rect{299, 99, 300, 100}));
}

// A 10 x 8 mask: white (outside) corners of 2 x 2 at the four corners with a black middle column notch pattern
// in the top band, everything else black. Client (2, 2, 8, 6); LT (2, 2), RT (8, 2), LB (2, 6), RB (8, 6).
Bitmap windowMask() {
    Bitmap m(10, 8, kBlack);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            m.at(x, y) = kWhite;
            m.at(9 - x, y) = kWhite;
            m.at(x, 7 - y) = kWhite;
            m.at(9 - x, 7 - y) = kWhite;
        }
    m.at(3, 0) = kWhite;  // a notch in the top middle: repeats with period 6 from new LT.x
    return m;
}
const SkinCorners kMaskSkin{{2, 2}, {8, 2}, {2, 6}, {8, 6}, {2, 2, 8, 6}};

// Long runs that start and end anywhere relative to the scan's blocks, in rows of many widths: every pixel is
// inside the region exactly when it is black, and runs are maximal (no two touch in a row).
TEST(MaskToRegion, LongRunsEndAnywhere) {
    std::uint32_t seed = 1;
    const auto next = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    for (int w : {1, 15, 16, 17, 31, 32, 33, 64, 100, 285}) {
        Bitmap m(w, 12, kWhite);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < w;) {
                const int len = 1 + static_cast<int>(next(70));
                const bool black = next(2) == 0;
                // Black with any alpha, or a colour with a single channel set (any one of the three decides).
                for (int i = x; i < std::min(w, x + len); ++i)
                    m.at(i, y) = (next(256) << 24) | (black ? 0u : (1 + next(255)) << (8 * next(3)));
                x += len;
            }
        }
        const MaskRegion r = MaskToRegion(m, 0, 0);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(inside(r, x, y), (m.at(x, y) & 0x00FFFFFFu) == 0) << w << " " << x << "," << y;
        for (std::size_t i = 1; i < r.rects.size(); ++i) {
            if (r.rects[i].top == r.rects[i - 1].top) {
                EXPECT_LT(r.rects[i - 1].right, r.rects[i].left) << w;
            }
        }
    }
}

TEST(ComposeMaskRegion, RegionOfALargerWindow) {
    const Bitmap m = windowMask();
    const int w = 25, h = 17;
    const SkinCorners d = ResizeCorners(kMaskSkin, w - 10, h - 8);
    const auto r = ComposeMaskRegion(m, kMaskSkin, d, w, h);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->bounds, (Rect{0, 0, w, h}));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool corner = (x < 2 || x >= w - 2) && (y < 2 || y >= h - 2);
            const bool notch = y == 0 && x >= 2 && x < w - 2 && (x - 2) % 6 == 1;
            EXPECT_EQ(inside(*r, x, y), !corner && !notch) << x << "," << y;
        }
    }
}

TEST(ComposeMaskRegion, AtMaskSizeEqualsTheMaskItself) {
    const Bitmap m = windowMask();
    const auto r = ComposeMaskRegion(m, kMaskSkin, kMaskSkin, 10, 8);
    ASSERT_TRUE(r.has_value());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(inside(*r, x, y), m.at(x, y) == kBlack) << x << "," << y;
}

TEST(ComposeMaskRegion, NoRegionForWindowsNarrowerThanTheirCornersOrWithoutClient) {
    const Bitmap m = windowMask();
    // 3 pixels narrower than the mask: new RT.x = 5 < ... still >= LT.x; 7 narrower: RT.x = 1 < LT.x = 2.
    EXPECT_TRUE(ComposeMaskRegion(m, kMaskSkin, ResizeCorners(kMaskSkin, -3, 0), 7, 8).has_value());
    EXPECT_FALSE(ComposeMaskRegion(m, kMaskSkin, ResizeCorners(kMaskSkin, -7, 0), 3, 8).has_value());
    EXPECT_FALSE(ComposeMaskRegion(m, kMaskSkin, ResizeCorners(kMaskSkin, 0, -5), 10, 3).has_value());
    // Client rect collapses to nothing while the corners still fit: no region either.
    EXPECT_FALSE(ComposeMaskRegion(m, kMaskSkin, ResizeCorners(kMaskSkin, -6, 0), 4, 8).has_value());
}

TEST(ComposeMaskRegion, FixedPiecesShapeAWindowWhoseBandHasNoMiddle) {
    // Top band corners RT.x = LT.x: nothing repeats there, yet its fixed pieces still belong to the region, and
    // the columns no piece reaches are outside rather than undefined.
    const Bitmap m = windowMask();
    SkinCorners s = kMaskSkin;
    s.rt.x = s.lt.x;
    const auto r = ComposeMaskRegion(m, s, ResizeCorners(s, 6, 0), 16, 8);
    ASSERT_TRUE(r.has_value());
    EXPECT_FALSE(inside(*r, 0, 0));  // the top-left piece's own white corner
    EXPECT_FALSE(inside(*r, 5, 1));  // between the pieces nothing is drawn: outside
    EXPECT_TRUE(inside(*r, 8, 1));   // the top-right piece starts at new RT.x = 8
    EXPECT_FALSE(inside(*r, 9, 0));  // and carries the notch of mask column 3
    EXPECT_TRUE(inside(*r, 8, 4));   // client
}

}  // namespace
