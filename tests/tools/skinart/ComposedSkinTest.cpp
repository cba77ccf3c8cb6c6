// The packed skin put together by the skin-imaging composition, as frames and controls will draw it: no seams
// where parts repeat, corners kept, and a window region that rounds the top corners at any size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/SkinCompose.h"
#include "tests/tools/skinart/StoredSkin.h"
#include "tools/skinart/BmpOut.h"

namespace skinart::test {
namespace {

using fw::Bitmap;
using fw::Point;
using fw::Rect;

SkinCorners frameCorners(const TkvSkinData& s, Rect inner) {
    return {s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, inner};
}

// The whole window picture at a size, assembled from the four bands and the client background as the frame does.
Bitmap composeWindow(const TkvSkinData& s, int w, int h) {
    const int dx = w - s.FramePicture.width(), dy = h - s.FramePicture.height();
    const SkinCorners src = frameCorners(s, s.ClientRect), dst = ResizeCorners(src, dx, dy);
    const SkinStretch stretch{s.LeftStretch, s.TopStretch, s.RightStretch, s.BottomStretch, false, stfull};
    const BorderBands b = ComposeBorderBands(s.FramePicture, s.FramePicture.rect(), src, dst, w, h, stretch);
    Bitmap out(w, h);
    fw::copyPixels(b.top, b.top.rect(), out, 0, 0);
    fw::copyPixels(b.left, b.left.rect(), out, 0, b.top.height());
    fw::copyPixels(b.right, b.right.rect(), out, w - b.right.width(), b.top.height());
    fw::copyPixels(b.bottom, b.bottom.rect(), out, 0, h - b.bottom.height());
    // The client background: the main picture's client region, repeated (it is one colour).
    const fw::Pixel back = s.FramePicture.at(s.ClientRect.left, s.ClientRect.top);
    fw::fillPixels(out, dst.client, back);
    return out;
}

void previewIfAsked(const Bitmap& b, const char* name) {
    if (const char* dir = std::getenv("SKINART_PREVIEW_DIR"))
        WriteFileBytes(std::string(dir) + "/" + name, BmpImage::Encode(b, 24).ToBytes());
}

TEST(ComposedSkin, TheMainWindowFrameHasNoSeams) {
    const TkvSkinData& s = programSkin();
    const Bitmap win = composeWindow(s, 556, 323);
    previewIfAsked(win, "window556x323.bmp");
    const Bitmap& pic = s.FramePicture;
    const int pw = pic.width(), dx = 556 - pw;
    for (int y = 0; y < 27; ++y) {
        for (int x = 0; x < s.LeftTopPoint.x; ++x) ASSERT_EQ(win.at(x, y), pic.at(x, y));         // left corner
        for (int x = s.RightTopPoint.x; x < pw; ++x) ASSERT_EQ(win.at(x + dx, y), pic.at(x, y));  // right
        for (int x = s.LeftTopPoint.x; x < s.RightTopPoint.x + dx; ++x) ASSERT_EQ(win.at(x, y), pic.at(100, y));
    }
    for (int y = 27; y < 323 - 4; ++y)
        for (int x = 0; x < 4; ++x) {
            ASSERT_EQ(win.at(x, y), pic.at(x, 100));
            ASSERT_EQ(win.at(555 - x, y), pic.at(pw - 1 - x, 100));
        }
}

bool inRegion(const MaskRegion& r, int x, int y) {
    for (const Rect& q : r.rects)
        if (q.contains({x, y})) return true;
    return false;
}

TEST(ComposedSkin, TheWindowRegionRoundsTheTopCornersAtAnySize) {
    const TkvSkinData& s = programSkin();
    for (auto [w, h] : {std::pair{556, 323}, std::pair{200, 31}, std::pair{800, 600}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const int dx = w - s.FrameMask.width(), dy = h - s.FrameMask.height();
        const SkinCorners src = frameCorners(s, s.MaskRectArea);
        const auto region = ComposeMaskRegion(s.FrameMask, src, ResizeCorners(src, dx, dy), w, h);
        ASSERT_TRUE(region.has_value());
        EXPECT_FALSE(inRegion(*region, 0, 0));
        EXPECT_FALSE(inRegion(*region, w - 1, 0));
        EXPECT_TRUE(inRegion(*region, w / 2, 0));
        EXPECT_TRUE(inRegion(*region, 0, 8));
        EXPECT_TRUE(inRegion(*region, w - 1, 8));
        EXPECT_TRUE(inRegion(*region, 0, h - 1));  // square bottom corners
        EXPECT_TRUE(inRegion(*region, w - 1, h - 1));
        EXPECT_TRUE(inRegion(*region, w / 2, h / 2));
    }
}

TEST(ComposedSkin, AWideButtonKeepsItsCornersAndRepeatsItsMiddle) {
    TkvSkinData& s = programSkin();
    auto* b = s.ControlAs<TkvDataSkinButtonControl>(s.GetControlIndex("button"));
    ASSERT_NE(b, nullptr);
    const Bitmap& pic = s.ActivePictures.at(static_cast<std::size_t>(b->PictureIndex));
    const int left = b->LeftTopPoint.x, right = b->SkinRect.width() - b->RightTopPoint.x;
    for (Rect state : {b->SkinRect, b->ActiveSkinRect, b->DownSkinRect, b->FocusedSkinRect, b->DisabledSkinRect}) {
        const Bitmap img = ComposeWidthOnly(pic, state, left, right, 75, b->StretchEffect);
        previewIfAsked(img, "button75.bmp");
        ASSERT_EQ(img.height(), 22);
        for (int y = 0; y < 22; ++y) {
            for (int x = 0; x < left; ++x) ASSERT_EQ(img.at(x, y), pic.at(state.left + x, state.top + y));
            for (int x = 0; x < right; ++x)
                ASSERT_EQ(img.at(75 - right + x, y), pic.at(state.right - right + x, state.top + y));
            for (int x = left; x < 75 - right; ++x) ASSERT_EQ(img.at(x, y), img.at(left, y)) << x << "," << y;
        }
    }
}

TEST(ComposedSkin, TheBrowseButtonStaysAtTheRightEndOfAWideField) {
    TkvSkinData& s = programSkin();
    auto* e = s.ControlAs<TkvDataSkinEditControl>(s.GetControlIndex("buttonedit"));
    ASSERT_NE(e, nullptr);
    const Bitmap& pic = s.ActivePictures.at(static_cast<std::size_t>(e->PictureIndex));
    const int w = 400, skinW = e->SkinRect.width();
    const int left = e->LeftTopPoint.x, right = skinW - e->RightTopPoint.x;
    const Bitmap img = ComposeWidthOnly(pic, e->SkinRect, left, right, w, e->StretchEffect);
    previewIfAsked(img, "buttonedit400.bmp");
    const Rect button = e->ButtonRect.offset(w - skinW, 0);  // where the edit places its browse button
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x)
            ASSERT_EQ(img.at(x, y),
                      pic.at(e->SkinRect.left + e->ButtonRect.left + x - button.left, e->SkinRect.top + y));
}

}  // namespace
}  // namespace skinart::test
