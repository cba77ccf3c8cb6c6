#include "statusbar/LmStatusText.h"

#include <gtest/gtest.h>

namespace {

TEST(AdjustLightness, LightensAndDarkensOnTheHlsScale) {
    const fw::Color gray = fw::rgb(128, 128, 128);
    EXPECT_EQ(AdjustLightness(gray, 0), gray);
    // The flat pane frame: the button shadow grey made 30 steps (of 240) lighter.
    EXPECT_EQ(AdjustLightness(gray, 30), fw::rgb(159, 159, 159));
    EXPECT_EQ(AdjustLightness(gray, -30), fw::rgb(96, 96, 96));
    // Lightness beyond the scale saturates to white, below it to black.
    EXPECT_EQ(AdjustLightness(fw::rgb(250, 250, 250), 100), fw::clWhite);
    EXPECT_EQ(AdjustLightness(fw::rgb(10, 10, 10), -100), fw::clBlack);
    // A colour keeps its hue: pure red lightened turns pink, not grey or orange.
    const fw::Color pink = AdjustLightness(fw::rgb(255, 0, 0), 60);
    EXPECT_EQ(pink & 0xFF, 255u);
    EXPECT_EQ((pink >> 8) & 0xFF, (pink >> 16) & 0xFF);
    EXPECT_GT((pink >> 8) & 0xFF, 100u);
}

TEST(ClockText, DateAloneAtMidnight) {
    TLmDateTime t{2026, 12, 9, 3, 0, 0, 0, 0};
    EXPECT_EQ(DefaultClockText(t, L"2026/12/9", L"0:00:00"), L"2026/12/9");
    t.second = 1;
    EXPECT_EQ(DefaultClockText(t, L"2026/12/9", L"0:00:01"), L"2026/12/9 0:00:01");
}

TEST(ClockText, PatternsWriteEveryField) {
    TLmDateNames names;
    names.shortMonths[11] = L"Dec";
    names.longDays[3] = L"Wednesday";
    names.dateSeparator = L'-';
    const TLmDateTime t{2026, 12, 9, 3, 14, 5, 7, 42};
    EXPECT_EQ(FormatDateTime(L"yyyy/mm/dd hh:nn:ss", t, names), L"2026-12-09 14:05:07");
    EXPECT_EQ(FormatDateTime(L"yy m d h:mm", t, names), L"26 12 9 14:05");  // m after an hour is minutes
    EXPECT_EQ(FormatDateTime(L"dddd, d mmm \"at\" h am/pm zzz", t, names), L"Wednesday, 9 Dec at 2 PM 042");
    EXPECT_EQ(FormatDateTime(L"'unterminated", t, names), L"unterminated");
}

}  // namespace
