// The glow layer window: its window kind, the 25 ms fade to the requested opacity, and hiding.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "skin/imaging/kvLayerWindow.h"

using fw::Bitmap;

namespace {

// Pumps messages until done() or the time runs out, calling watch() after every message.
template <class Done, class Watch>
bool pumpUntil(Done done, Watch watch, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            watch();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

TEST(TkvLayerManager, FadesInStepByStepToTheRequestedOpacity) {
    ASSERT_TRUE(TkvLayerManager::Available());
    const Bitmap image(30, 12, fw::makePixel(255, 200, 0));
    const Bitmap mask(30, 12, fw::makePixel(255, 255, 255));
    TkvLayerManager m;
    m.Show(100, 120, 255, image, mask);
    HWND w = m.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(m.Opacity(), 0);
    EXPECT_TRUE(m.Fading());
    EXPECT_TRUE(IsWindowVisible(w));
    const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 30);
    EXPECT_EQ(r.bottom - r.top, 12);
    // A click never activates it.
    EXPECT_EQ(SendMessageW(w, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)), MA_NOACTIVATE);
    EXPECT_NE(GetActiveWindow(), w);

    std::vector<int> steps;
    ASSERT_TRUE(pumpUntil([&] { return !m.Fading(); },
                          [&] {
                              if (steps.empty() || steps.back() != m.Opacity()) steps.push_back(m.Opacity());
                          },
                          3000));
    const std::vector<int> expect = {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255};
    EXPECT_EQ(steps, expect);
    EXPECT_EQ(m.Opacity(), 255);
    // The timer has stopped: more time brings no change.
    Sleep(80);
    pumpUntil([] { return false; }, [] {}, 60);
    EXPECT_EQ(m.Opacity(), 255);
    // On screen the glow shows the image's colour at full opacity.
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, 110, 125);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(shown, RGB(255, 200, 0));

    m.Hide();
    EXPECT_EQ(m.Window(), nullptr);
    EXPECT_FALSE(IsWindow(w));
}

TEST(TkvLayerManager, ShowReplacesTheGlowAndTopMostCanBeOff) {
    const Bitmap image(8, 8, fw::makePixel(10, 20, 30));
    TkvLayerManager m;
    m.TopMost = false;
    m.Show(10, 10, 100, image, fw::ConstPixelView{});
    HWND first = m.Window();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(GetWindowLongW(first, GWL_EXSTYLE) & WS_EX_TOPMOST);
    m.Show(20, 20, 100, image, image);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(m.Window(), nullptr);
    // The last step is clamped: 10 steps of 10 reach 100 exactly.
    std::vector<int> steps;
    ASSERT_TRUE(pumpUntil([&] { return !m.Fading(); },
                          [&] {
                              if (steps.empty() || steps.back() != m.Opacity()) steps.push_back(m.Opacity());
                          },
                          3000));
    EXPECT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps.back(), 100);
    HWND second = m.Window();
    {
        TkvLayerManager gone;
        gone.Show(0, 0, 50, image, image);
        second = gone.Window();
        EXPECT_TRUE(IsWindow(second));
    }
    EXPECT_FALSE(IsWindow(second));                                 // destroying the manager frees its window
    m.Show(0, 0, 255, fw::ConstPixelView{}, fw::ConstPixelView{});  // nothing to show
    EXPECT_EQ(m.Window(), nullptr);
}

}  // namespace
