// The Windows test pipeline itself: a real window under Wine keeps Chinese text intact through the wide API.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WinSmoke, WindowTextRoundTripsUtf16) {
    const wchar_t* title = L"KovraAccess数据库压缩器 V1.0";
    HWND hwnd = CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    wchar_t buf[64] = {};
    GetWindowTextW(hwnd, buf, 64);
    EXPECT_STREQ(buf, title);
    DestroyWindow(hwnd);
}
