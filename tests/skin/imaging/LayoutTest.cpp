#include <gtest/gtest.h>

#include "TestPictures.h"
#include "skin/imaging/FocusRect.h"
#include "skin/imaging/GlowFade.h"
#include "skin/imaging/GlyphLayout.h"

using fw::Point;
using fw::Rect;

namespace {

TEST(LayoutGlyphAndText, FixedMarginOnEachSide) {
    const Rect r{10, 20, 110, 60};  // centre (60, 40)
    // glyph 16 x 12, text 30 x 10, margin 4, spacing 3
    EXPECT_EQ(LayoutGlyphAndText(0, r, 16, 12, 30, 10, 4, 3), (GlyphTextPlace{{14, 34}, {33, 35}}));
    EXPECT_EQ(LayoutGlyphAndText(1, r, 16, 12, 30, 10, 4, 3), (GlyphTextPlace{{90, 34}, {57, 35}}));
    EXPECT_EQ(LayoutGlyphAndText(2, r, 16, 12, 30, 10, 4, 3), (GlyphTextPlace{{52, 24}, {45, 39}}));
    EXPECT_EQ(LayoutGlyphAndText(3, r, 16, 12, 30, 10, 4, 3), (GlyphTextPlace{{52, 44}, {45, 31}}));
}

TEST(LayoutGlyphAndText, CentredAsOneGroup) {
    const Rect r{0, 0, 100, 40};  // centre (50, 20)
    // hw = (16 + 30 + 4) / 2 = 25: glyph starts at 25, text ends at 75.
    const GlyphTextPlace p = LayoutGlyphAndText(0, r, 16, 12, 30, 10, -1, 4);
    EXPECT_EQ(p, (GlyphTextPlace{{25, 14}, {45, 15}}));
    EXPECT_EQ(p.text.x - (p.glyph.x + 16), 4);  // the spacing sits between them
    EXPECT_EQ(LayoutGlyphAndText(1, r, 16, 12, 30, 10, -1, 4), (GlyphTextPlace{{59, 14}, {25, 15}}));
    // hh = (12 + 10 + 4) / 2 = 13
    EXPECT_EQ(LayoutGlyphAndText(2, r, 16, 12, 30, 10, -1, 4), (GlyphTextPlace{{42, 7}, {35, 23}}));
    EXPECT_EQ(LayoutGlyphAndText(3, r, 16, 12, 30, 10, -1, 4), (GlyphTextPlace{{42, 21}, {35, 7}}));
}

TEST(LayoutGlyphAndText, NoGlyphIgnoresSpacingAndOddSizesTruncate) {
    const Rect r{0, 0, 101, 41};  // centre (50, 20): 101 / 2 = 50
    // Without a glyph the text sits at the margin, not margin + spacing.
    EXPECT_EQ(LayoutGlyphAndText(0, r, 0, 0, 30, 10, 5, 8).text, (Point{5, 15}));
    // Centred without a glyph: hw = 31 / 2 = 15, the text ends at cx + hw.
    EXPECT_EQ(LayoutGlyphAndText(0, r, 0, 0, 31, 11, -1, 8).text, (Point{34, 15}));
    // A rect left of the origin: division truncates toward zero.
    EXPECT_EQ(LayoutGlyphAndText(2, Rect{-11, -11, 0, 0}, 3, 3, 0, 0, -1, 0).glyph, (Point{-7, -7}));
}

fw::Bitmap focusOn(Rect r, int w, int h) {
    fw::Bitmap b(w, h);
    DrawDottedFocusRect(b, r, 1);
    return b;
}

// The outline as a string, row by row: '#' set, '.' clear.
std::string pattern(const fw::Bitmap& b) {
    std::string s;
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) s += b.at(x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

TEST(DrawDottedFocusRect, DotsRunEvenlyAroundTheCorners) {
    // 6 x 4: shrunk to 5 x 3 (odd), so the first pixel is set.
    EXPECT_EQ(pattern(focusOn({0, 0, 6, 4}, 6, 4)),
              "#.#.#.\n"
              ".....#\n"
              "#.....\n"
              ".#.#.#\n");
    // 5 x 5: shrunk to 4 x 4 (both even), so the first pixel is skipped; the corner (0, 0) stays clear.
    EXPECT_EQ(pattern(focusOn({0, 0, 5, 5}, 5, 5)),
              ".#.#.\n"
              "#...#\n"
              ".....\n"
              "#...#\n"
              ".#.#.\n");
}

TEST(DrawDottedFocusRect, ClipsAndIgnoresEmptyRects) {
    EXPECT_EQ(pattern(focusOn({2, 2, 2, 5}, 4, 4)), "....\n....\n....\n....\n");
    // Reaching past the bitmap: the visible part is drawn, nothing outside is touched (sanitizers watch).
    const fw::Bitmap b = focusOn({-3, -3, 10, 10}, 4, 4);
    EXPECT_EQ(b.at(0, 0), 0u);
    const fw::Bitmap one = focusOn({1, 1, 2, 2}, 3, 3);  // a single pixel: 0 x 0 after shrinking, both even
    EXPECT_EQ(pattern(one), "...\n...\n...\n");
}

TEST(GlowFade, ReachesFullOpacityInElevenSteps) {
    std::vector<int> steps;
    for (int o = 0; o != 255;) steps.push_back(o = nextFadeOpacity(o, 255));
    const std::vector<int> expect = {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255};
    EXPECT_EQ(steps, expect);
    EXPECT_EQ(nextFadeOpacity(120, 128), 128);  // the last step is clamped
    // A faint glow still arrives (one unit per step) instead of fading forever.
    EXPECT_EQ(nextFadeOpacity(0, 5), 1);
    EXPECT_EQ(nextFadeOpacity(5, 5), 5);
}

}  // namespace
