#include "statusbar/LmStatusText.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace {

constexpr int kHlsMax = 240;  // hue, lightness and saturation all run 0..240
constexpr int kRgbMax = 255;

struct Hls {
    double h = 0, l = 0, s = 0;
};

Hls toHls(int r, int g, int b) {
    const int maxC = std::max({r, g, b});
    const int minC = std::min({r, g, b});
    Hls out;
    out.l = (static_cast<double>(maxC + minC) * kHlsMax) / (2.0 * kRgbMax);
    if (maxC == minC) return out;  // a grey: no hue, no saturation
    const double delta = maxC - minC;
    const double sum = maxC + minC;
    out.s = (out.l <= kHlsMax / 2.0) ? delta * kHlsMax / sum : delta * kHlsMax / (2.0 * kRgbMax - sum);
    const double rd = (maxC - r) / delta, gd = (maxC - g) / delta, bd = (maxC - b) / delta;
    double h = (r == maxC) ? bd - gd : (g == maxC) ? 2.0 + rd - bd : 4.0 + gd - rd;
    h *= kHlsMax / 6.0;
    if (h < 0) h += kHlsMax;
    out.h = h;
    return out;
}

double hueToComponent(double n1, double n2, double hue) {
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue < kHlsMax / 6.0) return n1 + (n2 - n1) * hue / (kHlsMax / 6.0);
    if (hue < kHlsMax / 2.0) return n2;
    if (hue < kHlsMax * 2.0 / 3.0) return n1 + (n2 - n1) * (kHlsMax * 2.0 / 3.0 - hue) / (kHlsMax / 6.0);
    return n1;
}

int component(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, kRgbMax); }

void appendNumber(std::wstring& out, int value, int digits) {
    std::wstring text = std::to_wstring(value);
    if (static_cast<int>(text.size()) < digits) out.append(digits - text.size(), L'0');
    out += text;
}

wchar_t lowerOf(wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); }

// A day or month number out of range names the nearest one rather than reading past the names.
// (By value: std::clamp's reference to a temporary bound draws a false warning from the compiler.)
std::size_t nameIndex(int value, int last) {
    return static_cast<std::size_t>(value < 0 ? 0 : value > last ? last : value);
}

bool startsWithNoCase(std::wstring_view text, std::size_t pos, std::wstring_view what) {
    if (text.size() - pos < what.size()) return false;
    for (std::size_t i = 0; i < what.size(); ++i)
        if (lowerOf(text[pos + i]) != what[i]) return false;
    return true;
}

}  // namespace

fw::Color AdjustLightness(fw::Color color, int adjustment) {
    if (adjustment == 0) return color;
    const int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    Hls hls = toHls(r, g, b);
    hls.l = std::clamp(std::round(hls.l) + adjustment, 0.0, static_cast<double>(kRgbMax));
    int nr, ng, nb;
    if (hls.s == 0) {
        nr = ng = nb = component(hls.l * kRgbMax / kHlsMax);
    } else {
        const double m2 = (hls.l <= kHlsMax / 2.0) ? hls.l * (kHlsMax + hls.s) / kHlsMax
                                                   : hls.l + hls.s - hls.l * hls.s / kHlsMax;
        const double m1 = 2 * hls.l - m2;
        nr = component(hueToComponent(m1, m2, hls.h + kHlsMax / 3.0) * kRgbMax / kHlsMax);
        ng = component(hueToComponent(m1, m2, hls.h) * kRgbMax / kHlsMax);
        nb = component(hueToComponent(m1, m2, hls.h - kHlsMax / 3.0) * kRgbMax / kHlsMax);
    }
    return fw::Color(nr) | (fw::Color(ng) << 8) | (fw::Color(nb) << 16);
}

std::wstring DefaultClockText(const TLmDateTime& t, std::wstring_view shortDate, std::wstring_view longTime) {
    std::wstring text(shortDate);
    if (!t.midnight()) {
        text += L' ';
        text += longTime;
    }
    return text;
}

std::wstring FormatDateTime(std::wstring_view p, const TLmDateTime& t, const TLmDateNames& names) {
    // A 12-hour marker anywhere in the pattern turns the hours into 12-hour ones.
    bool twelveHour = false;
    for (std::size_t i = 0; i < p.size(); ++i)
        if (startsWithNoCase(p, i, L"am/pm") || startsWithNoCase(p, i, L"a/p")) twelveHour = true;

    std::wstring out;
    bool afterHour = false;  // an m or mm here means minutes
    std::size_t i = 0;
    while (i < p.size()) {
        const wchar_t c = p[i];
        const wchar_t lc = lowerOf(c);
        std::size_t run = 1;
        while (i + run < p.size() && lowerOf(p[i + run]) == lc) ++run;
        if (c == L'"' || c == L'\'') {
            const std::size_t end = p.find(c, i + 1);
            const std::size_t stop = end == std::wstring_view::npos ? p.size() : end;
            out.append(p.substr(i + 1, stop - i - 1));
            i = end == std::wstring_view::npos ? p.size() : end + 1;
            continue;
        }
        if (startsWithNoCase(p, i, L"am/pm")) {
            out += t.hour < 12 ? names.am : names.pm;
            i += 5;
            continue;
        }
        if (startsWithNoCase(p, i, L"a/p")) {
            out += t.hour < 12 ? L'a' : L'p';
            i += 3;
            continue;
        }
        switch (lc) {
            case L'y': appendNumber(out, run <= 2 ? t.year % 100 : t.year, run <= 2 ? 2 : 4); break;
            case L'd':
                if (run == 1 || run == 2) appendNumber(out, t.day, static_cast<int>(run));
                else out += (run == 3 ? names.shortDays : names.longDays)[nameIndex(t.dayOfWeek, 6)];
                break;
            case L'm':
                if (afterHour && run <= 2) {
                    appendNumber(out, t.minute, static_cast<int>(run));
                } else if (run <= 2) {
                    appendNumber(out, t.month, static_cast<int>(run));
                } else {
                    out += (run == 3 ? names.shortMonths : names.longMonths)[nameIndex(t.month - 1, 11)];
                }
                break;
            case L'h': {
                int h = t.hour;
                if (twelveHour) h = (h % 12 == 0) ? 12 : h % 12;
                appendNumber(out, h, run >= 2 ? 2 : 1);
                break;
            }
            case L'n': appendNumber(out, t.minute, run >= 2 ? 2 : 1); break;
            case L's': appendNumber(out, t.second, run >= 2 ? 2 : 1); break;
            case L'z': appendNumber(out, t.millisecond, run >= 3 ? 3 : 1); break;
            case L'/': out.append(run, names.dateSeparator); break;
            case L':': out.append(run, names.timeSeparator); break;
            default: out.append(p.substr(i, run)); break;
        }
        if (lc == L'h') afterHour = true;
        else if (lc != L':' && lc != L' ') afterHour = false;
        i += run;
    }
    return out;
}
