// The frame's hit-test, docking and parking rules, and the default caption-button look.
#include <gtest/gtest.h>

#include "ProgramFrame.h"
#include "skin/frame/DefaultButtonFace.h"
#include "skin/frame/FrameHitTest.h"

namespace {

constexpr fw::Pixel kBlack = fw::makePixel(0, 0, 0), kWhite = fw::makePixel(255, 255, 255);

struct SizeableForm : ::testing::Test {
    SizeableForm() {
        kvtest::programFrame(skin);
        g = StretchFrameGeometry(skin, 556, 323);
        state.width = 556;
        state.height = 323;
        state.canSize = true;
        // Mask pieces: opaque except the outermost column and row of the window.
        const fw::Rect& m = g.StretchedMaskRect;
        top = fw::Bitmap(556, m.top + 1, kBlack);
        left = fw::Bitmap(m.left, m.height(), kBlack);
        right = fw::Bitmap(556 - m.right, m.height(), kBlack);
        bottom = fw::Bitmap(556, 323 - m.bottom, kBlack);
        for (int y = 0; y < left.height(); ++y) left.at(0, y) = kWhite;
        for (int y = 0; y < right.height(); ++y) right.at(right.width() - 1, y) = kWhite;
        for (int x = 0; x < 556; ++x) top.at(x, 0) = bottom.at(x, bottom.height() - 1) = kWhite;
    }
    int hit(int x, int y, bool withMask = true) {
        const FrameMaskPieces pieces{&top, &bottom, &left, &right};
        return SkinnedHitTest({x, y}, g, 3, withMask ? &pieces : nullptr, {{17, 4, 463, 24}}, state);
    }
    TkvSkinData skin{nullptr, nullptr};
    TkvStretchedGeometry g;
    FrameHitState state;
    fw::Bitmap top, bottom, left, right;
};

TEST_F(SizeableForm, EdgesAnswerSizingCodesOutsideTheMaskRectangleOnly) {
    EXPECT_EQ(hit(1, 150), kHitLeft);
    EXPECT_EQ(hit(1, 150, false), kHitLeft);
    EXPECT_EQ(hit(554, 150), kHitRight);
    EXPECT_EQ(hit(1, 1), kHitTopLeft);
    EXPECT_EQ(hit(554, 321), kHitBottomRight);
    EXPECT_EQ(hit(200, 1), kHitTop);
    // Inside the stretched mask rectangle: never a sizing code, though a probe would leave the window's edge.
    EXPECT_EQ(hit(5, 150), kHitClient);
    EXPECT_EQ(hit(100, 10), kHitCaption);
    // A hot object wins on an edge, not on the caption.
    state.objectHot = true;
    EXPECT_EQ(hit(1, 150), kHitObject);
    EXPECT_EQ(hit(100, 10), kHitCaption);
    // Rolled up or minimised: the caption, else the frame's own.
    state = {556, 323, true, false, false, true};
    EXPECT_EQ(hit(100, 10), kHitCaption);
    EXPECT_EQ(hit(1, 150), kHitObject);
    EXPECT_EQ(hit(300, 200), kHitObject);
}

TEST(DefaultFrame, HitTestOfASizeableFormWithoutSkin) {
    FrameHitState s{200, 100, false, false, false, true};
    const fw::Rect caption{20, 3, 150, 19};
    EXPECT_EQ(DefaultHitTest({1, 1}, caption, 19, s), kHitTopLeft);
    EXPECT_EQ(DefaultHitTest({198, 50}, caption, 19, s), kHitRight);
    EXPECT_EQ(DefaultHitTest({50, 10}, caption, 19, s), kHitCaption);
    EXPECT_EQ(DefaultHitTest({50, 50}, caption, 19, s), kHitClient);
    EXPECT_EQ(DefaultHitTest({160, 10}, caption, 19, s), kHitObject);
    s.maximized = true;
    EXPECT_EQ(DefaultHitTest({1, 50}, caption, 19, s), kHitObject);
}

TEST(Magnetic, SnapsWithinTheSizeAndLetsGoWhenThePointerMovesFurther) {
    const fw::Rect area{0, 0, 1280, 1024};
    MagneticState s;
    auto moveTo = [&](int x, int cursorX) {
        return MagneticMove({x, 300, x + 556, 623}, {556, 323}, area, 5, {cursorX, 500}, s).left;
    };
    EXPECT_EQ(moveTo(20, 420), 20);
    EXPECT_EQ(moveTo(5, 405), 5) << "5 pixels is not near";
    EXPECT_EQ(moveTo(4, 404), 0);
    EXPECT_EQ(moveTo(-1, 399), 0) << "pointer 5 pixels from where it snapped: held";
    EXPECT_EQ(moveTo(-2, 398), -6) << "6 pixels: the window follows the pointer";
    // The right edge likewise, and a size change forgets the snapping.
    s.clear();
    EXPECT_EQ(moveTo(1280 - 556 + 3, 900), 1280 - 556);
    EXPECT_TRUE(s.right);
}

TEST(Parking, MinimisedFormsFillRowsFromTheBottomLeft) {
    const fw::Rect area{0, 0, 500, 400};
    std::vector<fw::Point> taken;
    auto occupied = [&](int x, int y) {
        for (fw::Point p : taken)
            if (p.x == x && p.y == y) return true;
        return false;
    };
    EXPECT_EQ(ParkingSlot(area, 200, 31, occupied), (fw::Point{0, 369}));
    taken = {{0, 369}, {200, 369}};
    EXPECT_EQ(ParkingSlot(area, 200, 31, occupied), (fw::Point{0, 338})) << "a third bar does not fit: next row";
    EXPECT_EQ(ParkingSlot(area, 200, 31, [](int, int) { return true; }), (fw::Point{0, 369})) << "none free: first";
}

TEST(DefaultButtonLook, FaceFollowsTheStateAndTheGlyphItsCommand) {
    const DefaultButtonColors c{fw::makePixel(212, 208, 200), fw::makePixel(0, 0, 0)};
    const fw::Bitmap plain = DrawDefaultButtonFace(17, 17, DefaultGlyph::Close, false, false, c);
    EXPECT_EQ(plain.at(0, 0), c.face);
    // Close glyph at (W div 2 - 5, H div 2 - 4) = (3, 4): its first diagonal, without the end point.
    EXPECT_EQ(plain.at(4, 5), c.glyph);
    EXPECT_EQ(plain.at(11, 12), c.glyph);
    EXPECT_EQ(plain.at(12, 13), c.face);
    const fw::Bitmap hot = DrawDefaultButtonFace(17, 17, DefaultGlyph::Minimize, false, true, c);
    EXPECT_EQ(hot.at(0, 0), fw::makePixel(0, 0, 128));
    EXPECT_EQ(hot.at(1, 1), fw::makePixel(182, 189, 210));
    EXPECT_EQ(hot.at(4, 12), c.glyph) << "minimise bar at y + 8";
    const fw::Bitmap down = DrawDefaultButtonFace(17, 17, DefaultGlyph::Minimize, true, true, c);
    EXPECT_EQ(down.at(1, 1), fw::makePixel(133, 147, 181));
    EXPECT_EQ(down.at(5, 13), c.glyph) << "pressed: the glyph moves one pixel right and down";
    EXPECT_EQ(down.at(4, 12), fw::makePixel(133, 147, 181));
}

}  // namespace
