#include "skin/imaging/SkinCompose.h"

#include "skin/imaging/PixelOps.h"

#include <gtest/gtest.h>

#include "TestPictures.h"

using fw::Bitmap;
using fw::Point;
using fw::Rect;
using testpic::from;

namespace {

// The button skin: 42 x 22 at (5, 7) of a larger picture, LT = (3, 9), RT = (35, 11), no bottom points.
const Rect kButtonRect{5, 7, 47, 29};

TEST(SkinSizingMode, ChosenFromTheCornerPoints) {
    EXPECT_EQ(SkinSizingMode({0, 0, 0, 22}, {{3, 9}, {35, 11}, {}, {}, {}}), -1);
    EXPECT_EQ(SkinSizingMode(kButtonRect, {{3, 9}, {35, 11}, {}, {}, {}}), 2);  // the button: width only
    EXPECT_EQ(SkinSizingMode(kButtonRect, {{3, 9}, {35, 11}, {3, 15}, {35, 15}, {}}), 1);
    EXPECT_EQ(SkinSizingMode(kButtonRect, {{3, 9}, {35, 11}, {3, 15}, {35, 0}, {}}), 2);  // RB needs both
    EXPECT_EQ(SkinSizingMode(kButtonRect, {{3, 9}, {}, {0, 15}, {}, {}}), 3);
    EXPECT_EQ(SkinSizingMode(kButtonRect, {{3, 9}, {}, {}, {}, {}}), 0);
}

// Tiles of every small size from origins on every side of areas that reach past the destination: each pixel of
// the visible area is the tile pixel under it on the tile grid, and nothing outside the area is touched.
TEST(TilePixels, EveryPixelFromTheGridAndNothingElse) {
    const fw::Pixel keep = fw::makePixel(1, 2, 3);
    for (int tw = 1; tw <= 5; ++tw) {
        for (int th = 1; th <= 3; ++th) {
            Bitmap tile(tw, th);
            for (int y = 0; y < th; ++y)
                for (int x = 0; x < tw; ++x) tile.at(x, y) = fw::makePixel(x, y, 200);
            for (const Point origin : {Point{0, 0}, Point{3, 2}, Point{-7, -4}, Point{40, 9}}) {
                for (const Rect area : {Rect{0, 0, 37, 7}, Rect{2, 1, 30, 6}, Rect{-3, -2, 50, 12}}) {
                    Bitmap dst(37, 7, keep);
                    TilePixels(tile, dst, origin, area);
                    for (int y = 0; y < 7; ++y) {
                        for (int x = 0; x < 37; ++x) {
                            const int tx = ((x - origin.x) % tw + tw) % tw, ty = ((y - origin.y) % th + th) % th;
                            const fw::Pixel expect = area.contains({x, y}) ? tile.at(tx, ty) : keep;
                            ASSERT_EQ(dst.at(x, y), expect) << tw << "x" << th << " at " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST(ComposeWidthOnly, ButtonAtWidth100RepeatsMiddleAndCutsLastTile) {
    const Bitmap pic = testpic::coords(60, 40);
    const int a = 3, b = 42 - 35;
    const Bitmap img = ComposeWidthOnly(pic, kButtonRect, a, b, 100, false);
    ASSERT_EQ(img.width(), 100);
    ASSERT_EQ(img.height(), 22);
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 100; ++x) {
            int sx;
            if (x < 3) sx = x;                     // left piece
            else if (x >= 93) sx = 35 + (x - 93);  // right piece
            else sx = 3 + (x - 3) % 32;            // tiles at 3, 35, 67; the third one cut to 26
            ASSERT_EQ(from(img.at(x, y)), (Point{5 + sx, 7 + y})) << "x=" << x << " y=" << y;
        }
    }
    // The third tile really is cut: column 92 is the tile's 26th column, column 93 starts the right piece.
    EXPECT_EQ(from(img.at(92, 0)).x, 5 + 3 + 25);
    EXPECT_EQ(from(img.at(93, 0)).x, 5 + 35);
}

TEST(ComposeWidthOnly, AtSkinWidthReproducesTheSkinRect) {
    const Bitmap pic = testpic::coords(60, 40);
    for (bool stretch : {false, true}) {
        const Bitmap img = ComposeWidthOnly(pic, kButtonRect, 3, 7, 42, stretch);
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 42; ++x) ASSERT_EQ(img.at(x, y), pic.at(5 + x, 7 + y)) << x << "," << y;
    }
}

TEST(ComposeWidthOnly, ExactlyDividingSpanLeavesNoGap) {
    const Bitmap pic = testpic::coords(10, 2);
    // Middle of 4 columns (2..6) over a span of 8 (2..10): two whole tiles, the third has no width.
    const Bitmap img = ComposeWidthOnly(pic, {0, 0, 10, 2}, 2, 4, 14, false);
    const int expect[14] = {0, 1, 2, 3, 4, 5, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int x = 0; x < 14; ++x) EXPECT_EQ(from(img.at(x, 1)).x, expect[x]) << x;
}

TEST(ComposeWidthOnly, StretchedMiddleCoversSpanFromItsOwnColumnsOnly) {
    // The middle is the last column of the picture's skin rect neighbourhood: a stretch must never sample the
    // pieces beside it or pixels outside the skin rect.
    const Bitmap pic = testpic::coords(20, 3);
    const Bitmap img = ComposeWidthOnly(pic, {4, 0, 10, 3}, 2, 2, 30, true);  // middle = columns 6..8 of pic
    for (int x = 2; x < 28; ++x) {
        const int sx = from(img.at(x, 0)).x;
        EXPECT_GE(sx, 6) << x;
        EXPECT_LE(sx, 7) << x;
    }
    // Monotone and both middle columns used about equally (13 each).
    int firsts = 0;
    for (int x = 2; x < 28; ++x) firsts += from(img.at(x, 0)).x == 6;
    EXPECT_EQ(firsts, 13);
    EXPECT_EQ(from(img.at(0, 2)), (Point{4, 2}));
    EXPECT_EQ(from(img.at(29, 2)), (Point{9, 2}));
}

TEST(ComposeWidthOnly, VariantsAndNarrowTargets) {
    const Bitmap pic = testpic::coords(10, 1);
    // Without the right piece the middle runs to the right edge.
    Bitmap img = ComposeWidthOnly(pic, {0, 0, 10, 1}, 2, 3, 12, false, WidthPieces::LeftOnly);
    const int left[12] = {0, 1, 2, 3, 4, 5, 6, 2, 3, 4, 5, 6};
    for (int x = 0; x < 12; ++x) EXPECT_EQ(from(img.at(x, 0)).x, left[x]) << x;
    // Without either piece the middle (still without the pieces) starts at column 0.
    img = ComposeWidthOnly(pic, {0, 0, 10, 1}, 2, 3, 7, false, WidthPieces::None);
    const int none[7] = {2, 3, 4, 5, 6, 2, 3};
    for (int x = 0; x < 7; ++x) EXPECT_EQ(from(img.at(x, 0)).x, none[x]) << x;
    // Narrower than both pieces: no middle, the right piece is drawn over the left one.
    img = ComposeWidthOnly(pic, {0, 0, 10, 1}, 2, 3, 4, false);
    const int narrow[4] = {0, 7, 8, 9};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(from(img.at(x, 0)).x, narrow[x]) << x;
    // A middle of no width repeats one column (the first of the right piece).
    img = ComposeWidthOnly(pic, {0, 0, 10, 1}, 5, 5, 13, false);
    EXPECT_EQ(from(img.at(5, 0)).x, 5);
    EXPECT_EQ(from(img.at(7, 0)).x, 5);
    EXPECT_EQ(from(img.at(8, 0)).x, 5);
    // Zero width gives an empty image instead of failing.
    EXPECT_TRUE(ComposeWidthOnly(pic, {0, 0, 10, 1}, 2, 3, 0, false).empty());
}

TEST(ComposeHeightOnly, RepeatsAndStretchesAlongRows) {
    const Bitmap pic = testpic::coords(3, 10);
    Bitmap img = ComposeHeightOnly(pic, {0, 0, 3, 10}, 2, 3, 16, false);
    ASSERT_EQ(img.width(), 3);
    ASSERT_EQ(img.height(), 16);
    const int rows[16] = {0, 1, 2, 3, 4, 5, 6, 2, 3, 4, 5, 6, 2, 7, 8, 9};
    for (int y = 0; y < 16; ++y) EXPECT_EQ(from(img.at(1, y)), (Point{1, rows[y]})) << y;
    img = ComposeHeightOnly(pic, {0, 0, 3, 10}, 2, 3, 20, true);
    for (int y = 2; y < 17; ++y) {
        EXPECT_GE(from(img.at(0, y)).y, 2);
        EXPECT_LE(from(img.at(0, y)).y, 6);
    }
    // A middle with no rows repeats nothing: the rows between the pieces stay undrawn.
    img = ComposeHeightOnly(pic, {0, 0, 3, 10}, 5, 5, 14, false);
    EXPECT_EQ(img.at(0, 6), 0u);
    EXPECT_EQ(from(img.at(0, 13)), (Point{0, 9}));
}

// A skin with every part distinct: 12 x 10, client (3, 2, 9, 7), LT (4, 3), RT (7, 4), LB (5, 5), RB (9, 6).
const SkinCorners kSkin{{4, 3}, {7, 4}, {5, 5}, {9, 6}, {3, 2, 9, 7}};

// Where the full composition takes destination pixel (x, y) from, written out from the composition rules part by
// part, later parts first (they are drawn over the earlier ones). (-1, -1) for an undrawn pixel.
Point expectedSource(const SkinCorners& s, const SkinCorners& d, int sw, int sh, int w, int h, int x, int y,
                     bool client) {
    auto in = [&](Rect r) { return r.contains({x, y}); };
    auto rep = [](int v, int start, int len, int srcStart) { return srcStart + (v - start) % len; };
    const Rect& c = s.client;
    const Rect& n = d.client;
    if (client && in(n)) return {rep(x, n.left, c.width(), c.left), rep(y, n.top, c.height(), c.top)};
    struct Piece {
        Rect src;
        Point at;
    };
    const Piece pieces[8] = {
        {{0, 0, s.lt.x, c.top}, {0, 0}},
        {{0, c.top, c.left, s.lt.y}, {0, n.top}},
        {{s.rt.x, 0, sw, c.top}, {d.rt.x, 0}},
        {{c.right, c.top, sw, s.rt.y}, {n.right, n.top}},
        {{0, s.lb.y, c.left, sh}, {0, d.lb.y}},
        {{c.left, c.bottom, s.lb.x, sh}, {n.left, n.bottom}},
        {{s.rb.x, c.bottom, sw, sh}, {d.rb.x, n.bottom}},
        {{c.right, s.rb.y, sw, c.bottom}, {n.right, d.rb.y}},
    };
    for (int i = 7; i >= 0; --i) {
        const Rect at = Rect::fromSize(pieces[i].at.x, pieces[i].at.y, pieces[i].src.width(), pieces[i].src.height());
        if (!pieces[i].src.empty() && in(at)) return {pieces[i].src.left + x - at.left, pieces[i].src.top + y - at.top};
    }
    if (in({n.right, d.rt.y, w, d.rb.y})) return {c.right + x - n.right, rep(y, d.rt.y, s.rb.y - s.rt.y, s.rt.y)};
    if (in({0, d.lt.y, n.left, d.lb.y})) return {x, rep(y, d.lt.y, s.lb.y - s.lt.y, s.lt.y)};
    if (in({d.lb.x, n.bottom, d.rb.x, h})) return {rep(x, d.lb.x, s.rb.x - s.lb.x, s.lb.x), c.bottom + y - n.bottom};
    if (in({d.lt.x, 0, d.rt.x, n.top})) return {rep(x, d.lt.x, s.rt.x - s.lt.x, s.lt.x), y};
    return {-1, -1};
}

TEST(ComposeSkinImage, RepeatedCompositionFollowsEveryPartRule) {
    const Bitmap pic = testpic::coords(30, 30);
    const Rect skinRect{6, 8, 18, 18};
    for (Point size : {Point{12, 10}, Point{20, 15}, Point{41, 33}, Point{13, 11}}) {
        const SkinCorners d = ResizeCorners(kSkin, size.x - 12, size.y - 10);
        for (bool client : {false, true}) {
            const Bitmap img = ComposeSkinImage(pic, skinRect, kSkin, d, size.x, size.y, SkinStretch{}, client);
            ASSERT_EQ(img.width(), size.x);
            ASSERT_EQ(img.height(), size.y);
            for (int y = 0; y < size.y; ++y) {
                for (int x = 0; x < size.x; ++x) {
                    Point e = expectedSource(kSkin, d, 12, 10, size.x, size.y, x, y, client);
                    if (e.x >= 0) e = {e.x + 6, e.y + 8};
                    ASSERT_EQ(from(img.at(x, y)), e) << "size " << size << " pixel (" << x << "," << y << ")";
                }
            }
        }
    }
}

TEST(ComposeSkinImage, AtSkinSizeReproducesSkinRectWhateverTheFlags) {
    const Bitmap pic = testpic::coords(30, 30);
    const Rect skinRect{6, 8, 18, 18};
    for (int flags = 0; flags < 32; ++flags) {
        const SkinStretch st{bool(flags & 1), bool(flags & 2),  bool(flags & 4),
                             bool(flags & 8), bool(flags & 16), TkvStretchType(flags % 3)};
        const Bitmap img = ComposeSkinImage(pic, skinRect, kSkin, kSkin, 12, 10, st, true);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) ASSERT_EQ(img.at(x, y), pic.at(6 + x, 8 + y)) << flags << " " << x << "," << y;
    }
}

TEST(ComposeSkinImage, PlainFormStretchesEverythingInsideTheBorder) {
    // 2 x 2 colour blocks at the corners of a 6 x 6 skin with a 2-pixel border; the middle is one colour.
    Bitmap pic(6, 6, fw::makePixel(9, 9, 9));
    const Rect cl{2, 2, 4, 4};
    const Bitmap img = ComposeSkinImage(pic, pic.rect(), PlainCorners(cl), ResizeCorners(PlainCorners(cl), 14, 4), 20,
                                        10, PlainStretch(), true);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(img.at(x, y), fw::makePixel(9, 9, 9));
    // With a coordinate picture, the stretched top edge samples only skin columns 2..3.
    const Bitmap cp = testpic::coords(6, 6);
    const Bitmap img2 = ComposeSkinImage(cp, cp.rect(), PlainCorners(cl), ResizeCorners(PlainCorners(cl), 14, 4), 20,
                                         10, PlainStretch(), true);
    for (int x = 2; x < 18; ++x) EXPECT_EQ(from(img2.at(x, 0)).x, x < 10 ? 2 : 3) << x;
    for (int y = 2; y < 8; ++y) EXPECT_EQ(from(img2.at(0, y)).y, y < 5 ? 2 : 3) << y;
    EXPECT_EQ(from(img2.at(19, 9)), (Point{5, 5}));
}

TEST(ComposeSkinImage, ClientStretchKinds) {
    const Bitmap pic = testpic::coords(10, 10);
    const SkinCorners s = PlainCorners({2, 2, 6, 5});  // client 4 x 3
    const SkinCorners d = ResizeCorners(s, 6, 5);      // client 10 x 8 at (2, 2)
    SkinStretch st = PlainStretch();
    st.kind = sthorz;
    Bitmap img = ComposeSkinImage(pic, pic.rect(), s, d, 16, 15, st, true);
    // Horizontal: the client keeps its 4-column width and repeats across; rows are stretched 3 -> 8.
    for (int x = 2; x < 12; ++x) EXPECT_EQ(from(img.at(x, 2)).x, 2 + (x - 2) % 4) << x;
    EXPECT_EQ(from(img.at(2, 2)).y, 2);
    EXPECT_EQ(from(img.at(2, 9)).y, 4);
    st.kind = stvert;
    img = ComposeSkinImage(pic, pic.rect(), s, d, 16, 15, st, true);
    for (int y = 2; y < 10; ++y) EXPECT_EQ(from(img.at(2, y)).y, 2 + (y - 2) % 3) << y;
    EXPECT_EQ(from(img.at(11, 2)).x, 5);
    st.kind = stfull;
    img = ComposeSkinImage(pic, pic.rect(), s, d, 16, 15, st, true);
    EXPECT_EQ(from(img.at(2, 2)), (Point{2, 2}));
    EXPECT_EQ(from(img.at(11, 9)), (Point{5, 4}));
    // Not asked for: the client stays undrawn.
    img = ComposeSkinImage(pic, pic.rect(), s, d, 16, 15, st, false);
    EXPECT_EQ(img.at(5, 5), 0u);
}

TEST(ComposeSkinImage, GuardsDrawNothingButKeepTheSize) {
    const Bitmap pic = testpic::coords(30, 30);
    SkinCorners flat = kSkin;
    flat.rb.x = flat.lt.x;  // RB shares its x with LT
    Bitmap img = ComposeSkinImage(pic, {6, 8, 18, 18}, flat, ResizeCorners(flat, 8, 5), 20, 15, SkinStretch{}, true);
    EXPECT_EQ(img, Bitmap(20, 15));
    img = ComposeSkinImage(fw::ConstPixelView{}, {6, 8, 18, 18}, kSkin, kSkin, 12, 10, SkinStretch{}, true);
    EXPECT_EQ(img, Bitmap(12, 10));
    // A skin rect reaching outside the picture is clipped, never read outside it (the sanitizers watch this).
    img = ComposeSkinImage(pic, {24, 24, 36, 34}, kSkin, ResizeCorners(kSkin, 30, 20), 42, 30, PlainStretch(), true);
    EXPECT_EQ(img.width(), 42);
    img = ComposeSkinImage(pic, {24, 24, 36, 34}, kSkin, ResizeCorners(kSkin, 30, 20), 42, 30, SkinStretch{}, true);
    EXPECT_EQ(from(img.at(0, 0)), (Point{24, 24}));
    // Negative sizes give an empty image.
    EXPECT_TRUE(ComposeSkinImage(pic, {6, 8, 18, 18}, kSkin, kSkin, -5, 10, SkinStretch{}, true).empty());
}

TEST(ComposeBorderBands, BandsAreTheBorderOfTheFullComposition) {
    // LT.y = RT.y = client top, so the side bands repeat from the same row as the full composition.
    const SkinCorners s{{4, 2}, {7, 2}, {5, 7}, {9, 7}, {3, 2, 9, 7}};
    const Bitmap pic = testpic::coords(12, 10);
    // The bands are composed into memory that is not cleared first: a skin rect reaching outside the picture leaves
    // pieces cut short, and what they do not reach must still be 0, as in the full composition.
    for (int flags = 0; flags < 32; ++flags) {
        const SkinStretch st{bool(flags & 1), bool(flags & 2), bool(flags & 4), bool(flags & 8), false, stfull};
        const Rect skin = flags & 16 ? Rect{-2, -1, 10, 9} : pic.rect();
        const SkinCorners d = ResizeCorners(s, 19, 13);
        const Bitmap full = ComposeSkinImage(pic, skin, s, d, 31, 23, st, false);
        const BorderBands bands = ComposeBorderBands(pic, skin, s, d, 31, 23, st);
        struct Check {
            const Bitmap& band;
            Rect place;
        };
        const Check checks[] = {{bands.top, {0, 0, 31, 2}},
                                {bands.bottom, {0, 20, 31, 23}},
                                {bands.left, {0, 2, 3, 20}},
                                {bands.right, {28, 2, 31, 20}}};
        for (const Check& c : checks) {
            ASSERT_EQ(c.band.width(), c.place.width());
            ASSERT_EQ(c.band.height(), c.place.height());
            for (int y = 0; y < c.place.height(); ++y)
                for (int x = 0; x < c.place.width(); ++x)
                    ASSERT_EQ(c.band.at(x, y), full.at(c.place.left + x, c.place.top + y))
                        << "flags " << flags << " band " << c.place << " at " << x << "," << y;
        }
    }
}

TEST(ComposeBorderBands, SideBandsRepeatFromTheirFirstRowAndEmptyBandsStayEmpty) {
    const Bitmap pic = testpic::coords(12, 10);
    // Left middle rows 3..5 (LT.y = 3 lies below the client top 2).
    const SkinCorners s{{4, 3}, {7, 3}, {5, 6}, {9, 6}, {3, 2, 9, 7}};
    const BorderBands bands = ComposeBorderBands(pic, pic.rect(), s, ResizeCorners(s, 0, 6), 12, 16, SkinStretch{});
    ASSERT_EQ(bands.left.height(), 11);
    // Band row 0 is the fixed piece (skin row 2); tiles start at band row 0, so rows 1..9 show 4,5,3,... and
    // row 10 is the bottom-left piece (skin row 6).
    const int rows[11] = {2, 4, 5, 3, 4, 5, 3, 4, 5, 3, 6};
    for (int y = 0; y < 11; ++y) EXPECT_EQ(from(bands.left.at(0, y)).y, rows[y]) << y;
    // A band whose middle has no length is left empty.
    SkinCorners noTop = s;
    noTop.rt.x = noTop.lt.x;
    EXPECT_TRUE(
        ComposeBorderBands(pic, pic.rect(), noTop, ResizeCorners(noTop, 4, 4), 16, 14, SkinStretch{}).top.empty());
    // A band of no thickness is left empty.
    SkinCorners noLeft = s;
    noLeft.client.left = 0;
    EXPECT_TRUE(
        ComposeBorderBands(pic, pic.rect(), noLeft, ResizeCorners(noLeft, 4, 4), 16, 14, SkinStretch{}).left.empty());
}

}  // namespace
