// Drawing TkvBitmap and TkvEffectBmp onto platform devices, and painting a parent's background.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Handles.h"
#include "skin/imaging/ParentBackground.h"
#include "skin/imaging/kvBitmap.h"
#include "skin/imaging/kveffects.h"

using fw::Bitmap;
using fw::makePixel;
using fw::Pixel;

namespace {

// Colour of a pixel, alpha ignored (GDI leaves it undefined after most calls).
fw::Color rgb(Pixel p) { return fw::pixelToColor(p); }

// A destination: a TkvBitmap filled with one colour.
void fillTarget(TkvBitmap& t, int w, int h, Pixel p) { t.Assign(Bitmap(w, h, p)); }

// A 3 x 1 source: a colour, the key colour, another colour.
void keyedSource(TkvBitmap& s) {
    Bitmap b(3, 1);
    b.at(0, 0) = makePixel(200, 10, 10);
    b.at(1, 0) = makePixel(0x7F, 0, 0x7F);  // opaque: the key is matched by colour alone
    b.at(2, 0) = makePixel(10, 200, 10);
    s.Assign(b);
}

TEST(TkvBitmapDraw, PlainTransparentAndSoftwareTransparent) {
    TkvBitmap src;
    keyedSource(src);
    EXPECT_EQ(TkvBitmap::FromDC(src.DC()), &src);
    EXPECT_EQ(TkvBitmap::FromDC(nullptr), nullptr);

    TkvBitmap dst;
    fillTarget(dst, 6, 2, makePixel(1, 2, 3));
    src.Draw(dst.DC(), 1, 1);  // plain copy: the key colour is copied too
    EXPECT_EQ(rgb(dst.Pixels().at(1, 1)), 0x0A0AC8u);
    EXPECT_EQ(rgb(dst.Pixels().at(2, 1)), 0x7F007Fu);
    EXPECT_EQ(rgb(dst.Pixels().at(3, 1)), 0x0AC80Au);

    src.Transparent = true;
    for (bool software : {false, true}) {
        fillTarget(dst, 6, 2, makePixel(1, 2, 3));
        if (software) src.DrawTransparentSoftware(dst.DC(), 2, 0);
        else src.Draw(dst.DC(), 2, 0);
        EXPECT_EQ(rgb(dst.Pixels().at(2, 0)), 0x0A0AC8u) << software;
        EXPECT_EQ(rgb(dst.Pixels().at(3, 0)), 0x030201u) << software;  // the key pixel left out
        EXPECT_EQ(rgb(dst.Pixels().at(4, 0)), 0x0AC80Au) << software;
        EXPECT_EQ(rgb(dst.Pixels().at(1, 0)), 0x030201u) << software;
    }
}

TEST(TkvBitmapDraw, AlphaBlendedUsesStraightAlphaPixels) {
    TkvBitmap src;
    Bitmap b(2, 1);
    b.at(0, 0) = makePixel(255, 0, 0, 128);    // half-transparent red
    b.at(1, 0) = makePixel(255, 255, 255, 0);  // fully transparent white
    src.Assign(b);
    src.CheckAlpha();
    ASSERT_TRUE(src.AlphaBlend);
    TkvBitmap dst;
    fillTarget(dst, 2, 1, makePixel(0, 0, 255));
    src.Draw(dst.DC(), 0, 0);
    const Pixel p = dst.Pixels().at(0, 0);
    EXPECT_NEAR(fw::pixelR(p), 128, 2);
    EXPECT_NEAR(fw::pixelB(p), 127, 2);
    EXPECT_EQ(fw::pixelG(p), 0);
    // A transparent white pixel leaves the destination as it was (no white halo from unpremultiplied colour).
    EXPECT_EQ(rgb(dst.Pixels().at(1, 0)), 0xFF0000u);
    EXPECT_EQ(src.Pixels().at(0, 0), makePixel(255, 0, 0, 128));  // the stored pixels are unchanged
}

TEST(TkvBitmapDraw, PlatformBitmapsInAndOut) {
    // A 24-bit platform bitmap: read as opaque pixels by both image classes.
    TkvBitmap canvas;
    fillTarget(canvas, 4, 3, makePixel(9, 8, 7));
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 4, 3);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(ddb, nullptr);
    {
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, ddb);
        BitBlt(mem, 0, 0, 4, 3, canvas.DC(), 0, 0, SRCCOPY);
        SetPixelV(mem, 3, 2, RGB(40, 50, 60));
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    TkvEffectBmp e(ddb);
    ASSERT_EQ(e.Width(), 4);
    ASSERT_EQ(e.Height(), 3);
    EXPECT_EQ(rgb(e.Image().at(0, 0)), 0x070809u);
    EXPECT_EQ(rgb(e.Image().at(3, 2)), 0x3C3228u);
    TkvBitmap t;
    t.AssignBitmap(ddb);
    EXPECT_EQ(t.Width(), 4);
    EXPECT_EQ(rgb(t.Pixels().at(3, 2)), 0x3C3228u);
    DeleteObject(ddb);

    e.ApplyInvert();
    TkvBitmap out;
    fillTarget(out, 6, 5, makePixel(0, 0, 0));
    e.Draw(out.DC(), 2, 2);
    EXPECT_EQ(rgb(out.Pixels().at(2, 2)), 0xF8F7F6u);
    EXPECT_EQ(rgb(out.Pixels().at(5, 4)), 0xC3CDD7u);
    EXPECT_EQ(rgb(out.Pixels().at(1, 1)), 0u);
    TkvEffectBmp none(static_cast<HBITMAP>(nullptr));
    EXPECT_EQ(none.Width(), 0);
}

TEST(TkvBitmapDraw, EveryModeFreesWhatItMade) {
    const long before = fw::gdiLiveCount();
    {
        TkvBitmap src, dst;
        keyedSource(src);
        fillTarget(dst, 8, 8, makePixel(1, 2, 3));
        EXPECT_GT(fw::gdiLiveCount(), before);  // the two surfaces hold a DC and a DIB each
        src.Draw(dst.DC(), 0, 0);
        src.Transparent = true;
        src.Draw(dst.DC(), 0, 0);
        src.DrawTransparentSoftware(dst.DC(), 0, 0);
        src.Transparent = false;
        src.AlphaBlend = true;
        src.Draw(dst.DC(), 0, 0);
        src.SetSize(20, 20);  // a new buffer: the old one is freed
        dst.SetSize(-20, 20);
    }
    EXPECT_EQ(fw::gdiLiveCount(), before);
}

// A parent window that erases its background in one colour and paints a square of another at (5, 5, 15, 15).
constexpr COLORREF kErase = RGB(200, 0, 0);
constexpr COLORREF kContent = RGB(0, 0, 200);

LRESULT CALLBACK parentProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        HBRUSH b = CreateSolidBrush(kErase);
        RECT r;
        GetClientRect(w, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, b);
        DeleteObject(b);
        return 1;
    }
    if (msg == WM_PRINTCLIENT) {
        HBRUSH b = CreateSolidBrush(kContent);
        RECT r{5, 5, 15, 15};
        FillRect(reinterpret_cast<HDC>(wp), &r, b);
        DeleteObject(b);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

class ParentBackground : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvTestParent";
        RegisterClassW(&wc);
        form_ = CreateWindowExW(0, L"KvTestParent", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
        panel_ = CreateWindowExW(0, L"KvTestParent", L"", WS_CHILD | WS_VISIBLE, 30, 30, 40, 40, form_, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(panel_, nullptr);
    }
    void TearDown() override { DestroyWindow(form_); }
    HWND form_ = nullptr;
    HWND panel_ = nullptr;
};

TEST_F(ParentBackground, PanelParentErasesAndPaintsItsContentBehindTheControl) {
    HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, panel_, nullptr, nullptr,
                                   nullptr);
    TkvBitmap canvas;
    fillTarget(canvas, 20, 20, makePixel(0, 255, 0));
    int siblingCalls = 0;
    const GraphicSibling siblings[] = {
        {{25, 25, 35, 35},
         true,
         [&](HDC dc) {  // overlaps the control's bottom-right corner
             ++siblingCalls;
             SetPixelV(dc, 0, 0, RGB(1, 2, 3));  // its own (0, 0) is parent (25, 25) = control (15, 15)
             SetPixelV(dc, 9, 9, RGB(4, 5, 6));
         }},
        {{25, 25, 35, 35}, false, [&](HDC) { ++siblingCalls; }},  // hidden
        {{0, 0, 5, 5}, true, [&](HDC) { ++siblingCalls; }},       // does not overlap
    };
    PaintParentBackground(control, canvas.DC(), siblings);
    EXPECT_EQ(siblingCalls, 1);
    // Control pixel (0, 0) is panel (10, 10): inside the painted square.
    EXPECT_EQ(rgb(canvas.Pixels().at(0, 0)), kContent);
    EXPECT_EQ(rgb(canvas.Pixels().at(4, 4)), kContent);
    EXPECT_EQ(rgb(canvas.Pixels().at(5, 5)), kErase);  // panel (15, 15): erased background
    EXPECT_EQ(rgb(canvas.Pixels().at(15, 15)), 0x030201u);
    EXPECT_EQ(rgb(canvas.Pixels().at(19, 19)), kErase);  // the sibling's pixel (9, 9) lies outside the control
    DestroyWindow(control);
}

TEST_F(ParentBackground, FormParentOnlyErasesAndTheClipStopsAtItsClientArea) {
    // A control reaching past the form's client area on the right: the part outside stays untouched.
    HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 190, 0, 20, 20, form_, nullptr, nullptr,
                                   nullptr);
    TkvBitmap canvas;
    fillTarget(canvas, 20, 20, makePixel(0, 255, 0));
    PaintParentBackground(control, canvas.DC());
    EXPECT_EQ(rgb(canvas.Pixels().at(0, 0)), kErase);
    EXPECT_EQ(rgb(canvas.Pixels().at(9, 9)), kErase);
    EXPECT_EQ(rgb(canvas.Pixels().at(10, 0)), 0x00FF00u);
    // A form is not asked for its content: a control over (5, 5) would otherwise show the square.
    HWND low = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, form_, nullptr, nullptr,
                               nullptr);
    PaintParentBackground(low, canvas.DC());
    EXPECT_EQ(rgb(canvas.Pixels().at(6, 6)), kErase);
    DestroyWindow(low);
    DestroyWindow(control);
}

}  // namespace
