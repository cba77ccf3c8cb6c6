// The region handed to the platform: built in one call from the run list, and applied to a window.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/PlatformRegion.h"

using fw::Bitmap;

namespace {

const fw::Pixel kBlack = fw::makePixel(0, 0, 0);
const fw::Pixel kWhite = fw::makePixel(255, 255, 255);

TEST(PlatformRegion, HoldsExactlyTheBlackPixelsOfTheMask) {
    Bitmap m(9, 7, kWhite);
    for (int y = 1; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            if ((x + y) % 3 != 0) m.at(x, y) = kBlack;
    const MaskRegion runs = MaskToRegion(m, 4, 6);
    fw::Region rgn = CreatePlatformRegion(runs);
    ASSERT_TRUE(rgn);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(PtInRegion(rgn.get(), x + 4, y + 6) != 0, m.at(x, y) == kBlack) << x << "," << y;
    RECT box{};
    GetRgnBox(rgn.get(), &box);
    EXPECT_EQ(box.top, 7);
    EXPECT_EQ(box.bottom, 12);
}

TEST(PlatformRegion, TakesMoreThanTenThousandRunsInOneCall) {
    Bitmap m(300, 100, kWhite);
    for (int y = 0; y < 100; ++y)
        for (int x = (y & 1); x < 300; x += 2) m.at(x, y) = kBlack;
    const MaskRegion runs = MaskToRegion(m, 0, 0);
    ASSERT_EQ(runs.rects.size(), 15000u);
    fw::Region rgn = CreatePlatformRegion(runs);
    ASSERT_TRUE(rgn);
    EXPECT_TRUE(PtInRegion(rgn.get(), 298, 98));
    EXPECT_FALSE(PtInRegion(rgn.get(), 299, 98));
    EXPECT_TRUE(PtInRegion(rgn.get(), 299, 99));
    EXPECT_FALSE(PtInRegion(rgn.get(), 0, 99));
}

TEST(PlatformRegion, WindowRegionOfAResizedMaskedWindow) {
    // A 10 x 8 mask with white 2 x 2 corners; the window is 40 x 30.
    Bitmap m(10, 8, kBlack);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            m.at(x, y) = m.at(9 - x, y) = kWhite;
            m.at(x, 7 - y) = m.at(9 - x, 7 - y) = kWhite;
        }
    const SkinCorners s{{2, 2}, {8, 2}, {2, 6}, {8, 6}, {2, 2, 8, 6}};
    const auto runs = ComposeMaskRegion(m, s, ResizeCorners(s, 30, 22), 40, 30);
    ASSERT_TRUE(runs.has_value());
    fw::Region rgn = CreatePlatformRegion(*runs);
    ASSERT_TRUE(rgn);
    fw::Region expect(CreateRectRgn(0, 0, 40, 30));
    for (RECT c : {RECT{0, 0, 2, 2}, RECT{38, 0, 40, 2}, RECT{0, 28, 2, 30}, RECT{38, 28, 40, 30}}) {
        fw::Region corner(CreateRectRgnIndirect(&c));
        CombineRgn(expect.get(), expect.get(), corner.get(), RGN_DIFF);
    }
    EXPECT_TRUE(EqualRgn(rgn.get(), expect.get()));

    // Handed to a window, the platform keeps that shape.
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ASSERT_NE(SetWindowRgn(w, rgn.release(), FALSE), 0);  // the window owns it now
    fw::Region applied(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(w, applied.get()), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(applied.get(), expect.get()));
    DestroyWindow(w);
}

TEST(PlatformRegion, WindowRegionCopyChangesTheShapeOnlyWhenItDiffers) {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(w, nullptr);
    // A cross, as a mask with cut corners gives.
    const fw::Region cross(CreateRectRgn(0, 5, 40, 25));
    const fw::Region upright(CreateRectRgn(5, 0, 35, 30));
    CombineRgn(cross.get(), cross.get(), upright.get(), RGN_OR);
    const fw::Region box(CreateRectRgn(2, 2, 38, 28));
    fw::Region applied(CreateRectRgn(0, 0, 0, 0));
    SetWindowRegionCopy(w, cross);
    ASSERT_NE(GetWindowRgn(w, applied.get()), ERROR);
    EXPECT_TRUE(EqualRgn(applied.get(), cross.get()));
    // The same shape again keeps it and still repaints the window, as setting it does.
    ValidateRect(w, nullptr);
    SetWindowRegionCopy(w, cross);
    EXPECT_TRUE(GetUpdateRect(w, nullptr, FALSE));
    ASSERT_NE(GetWindowRgn(w, applied.get()), ERROR);
    EXPECT_TRUE(EqualRgn(applied.get(), cross.get()));
    SetWindowRegionCopy(w, box);
    ASSERT_NE(GetWindowRgn(w, applied.get()), ERROR);
    EXPECT_TRUE(EqualRgn(applied.get(), box.get()));
    SetWindowRegionCopy(w, fw::Region());
    EXPECT_EQ(GetWindowRgn(w, applied.get()), ERROR);
    DestroyWindow(w);
}

TEST(PlatformRegion, NoRunsGiveAnEmptyRegion) {
    MaskRegion none;
    fw::Region rgn = CreatePlatformRegion(none);
    ASSERT_TRUE(rgn);
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(rgn.get(), &box), NULLREGION);
}

}  // namespace
