// The status bar's text and colour rules without the platform: the flat frame colour of a pane, and the clock's
// date-and-time text, so that both can be checked exactly on any host.
#pragma once

#include <string>
#include <string_view>

#include "framework/Colors.h"

// A plain colour (0x00BBGGRR) made lighter or darker: converted to hue, lightness and saturation on the scale
// 0..240, the adjustment added to the lightness (kept within 0..255), and converted back with every component
// limited to 0..255. An adjustment of 0 keeps the colour exactly.
fw::Color AdjustLightness(fw::Color color, int adjustment);

// A calendar moment with the fields the clock shows.
struct TLmDateTime {
    int year = 0, month = 1, day = 1;  // month 1..12, day 1..31
    int dayOfWeek = 0;                 // 0 = Sunday
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool midnight() const { return hour == 0 && minute == 0 && second == 0; }
};

// Names a pattern may spell out; index 0 is January or Sunday.
struct TLmDateNames {
    std::wstring shortMonths[12], longMonths[12], shortDays[7], longDays[7];
    std::wstring am = L"AM", pm = L"PM";
    wchar_t dateSeparator = L'/', timeSeparator = L':';
};

// The clock's text with no pattern of its own: the locale's short date, then, unless the moment is exactly
// 00:00:00, a space and the locale's long time.
std::wstring DefaultClockText(const TLmDateTime& t, std::wstring_view shortDate, std::wstring_view longTime);

// The moment written by a date-and-time pattern:
//   d dd ddd dddd   day, two digits, short and long day name      m mm mmm mmmm   month likewise
//   yy yyyy         year in two or four digits                     h hh            hour (24 h, or 12 h with am/pm)
//   n nn            minute (m or mm right after an hour is the minute too)          s ss     second
//   z zzz           millisecond                                    am/pm a/p       12-hour marker, written as given
//   /  :            the date and time separators                   "…" '…'         literal text
// Any other character is copied as it stands.
std::wstring FormatDateTime(std::wstring_view pattern, const TLmDateTime& t, const TLmDateNames& names);
