// Caption placement measured with a real font, and the dotted focus rectangle on a device context.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/imaging/FocusRect.h"
#include "skin/imaging/GlyphCaption.h"
#include "skin/imaging/kvBitmap.h"

namespace {

class Caption : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_.SetSize(200, 100);
        font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        ASSERT_NE(font_, nullptr);
        old_ = SelectObject(canvas_.DC(), font_);
    }
    void TearDown() override {
        SelectObject(canvas_.DC(), old_);
        DeleteObject(font_);
    }
    SIZE extent(const wchar_t* s) {
        SIZE sz{};
        GetTextExtentPoint32W(canvas_.DC(), s, lstrlenW(s), &sz);
        return sz;
    }
    TkvBitmap canvas_;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST_F(Caption, MeasuredSizePlusTwoPixelsPlacedBesideTheGlyph) {
    const SIZE sz = extent(L"Compact");
    const fw::Rect r{0, 0, 120, 30};
    const GlyphCaptionPlace p = PlaceGlyphAndCaption(canvas_.DC(), glyphLeft, r, 16, 16, L"Compact", 4, 3, false);
    EXPECT_EQ(p.glyph, (fw::Point{4, 15 - 8}));
    EXPECT_EQ(p.text.left, 4 + 16 + 3);
    EXPECT_EQ(p.text.width(), sz.cx + 2);
    EXPECT_EQ(p.text.height(), sz.cy);
    EXPECT_EQ(p.text.top, 15 - sz.cy / 2);
    // Pressed: both move one pixel right and down.
    const GlyphCaptionPlace q = PlaceGlyphAndCaption(canvas_.DC(), glyphLeft, r, 16, 16, L"Compact", 4, 3, true);
    EXPECT_EQ(q.glyph, (fw::Point{p.glyph.x + 1, p.glyph.y + 1}));
    EXPECT_EQ(q.text, p.text.offset(1, 1));
}

TEST_F(Caption, WrapsInsideTheBoxNarrowedByTheGlyph) {
    const wchar_t* text = L"one two three four five six";
    const SIZE line = extent(text);
    // The box is the rect's width less the glyph: narrower than the text, so it wraps onto more lines.
    const fw::Rect r{0, 0, line.cx / 2 + 20, 90};
    const GlyphCaptionPlace p = PlaceGlyphAndCaption(canvas_.DC(), glyphRight, r, 20, 10, text, -1, 2, false);
    EXPECT_LE(p.text.width() - 2, r.width() - 20);
    EXPECT_GE(p.text.height(), 2 * line.cy);
    // Layouts above and below narrow the height instead: the full line fits the width.
    const GlyphCaptionPlace top = PlaceGlyphAndCaption(canvas_.DC(), glyphTop, {0, 0, 400, 60}, 20, 10, text, 2, 2,
                                                       false);
    EXPECT_EQ(top.text.width(), line.cx + 2);
    EXPECT_EQ(top.text.top, 2 + 10 + 2);
    // The caption is drawn: some pixel of its place changes.
    fw::PixelView px = canvas_.Pixels();
    for (int y = 0; y < px.height; ++y)
        for (int x = 0; x < px.width; ++x) px.at(x, y) = 0x00FFFFFF;
    SetTextColor(canvas_.DC(), RGB(0, 0, 0));
    SetBkMode(canvas_.DC(), TRANSPARENT);
    DrawCaption(canvas_.DC(), text, top.text);
    GdiFlush();
    int dark = 0;
    for (int y = top.text.top; y < top.text.bottom; ++y)
        for (int x = top.text.left; x < top.text.right; ++x) dark += (canvas_.Pixels().at(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(dark, 20);
    // No glyph and no caption: nothing measured, no spacing.
    const GlyphCaptionPlace none = PlaceGlyphAndCaption(canvas_.DC(), glyphLeft, r, 0, 0, L"", 5, 9, false);
    EXPECT_EQ(none.text, fw::Rect::fromSize(5, 45, 2, 0));
}

TEST(DrawDottedFocusRectOnDC, SameDotsAsInAnImage) {
    TkvBitmap a;
    a.SetSize(12, 9);
    DrawDottedFocusRect(a.DC(), fw::Rect{1, 1, 11, 8}, RGB(255, 0, 0));
    GdiFlush();
    fw::Bitmap b(12, 9);
    DrawDottedFocusRect(b.view(), fw::Rect{1, 1, 11, 8}, 1);
    int dots = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool set = (a.Pixels().at(x, y) & 0xFFFFFF) == 0xFF0000;
            EXPECT_EQ(set, b.at(x, y) != 0) << x << "," << y;
            dots += set;
        }
    EXPECT_EQ(dots, 15);  // an outline of 30 pixels, every other one set
}

}  // namespace
