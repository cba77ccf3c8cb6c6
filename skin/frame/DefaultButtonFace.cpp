#include "skin/frame/DefaultButtonFace.h"

namespace {
constexpr fw::Pixel kNavy = fw::makePixel(0, 0, 128);
constexpr fw::Pixel kPressedFill = fw::makePixel(133, 147, 181);
constexpr fw::Pixel kHotFill = fw::makePixel(182, 189, 210);

void put(const fw::PixelView& b, int x, int y, fw::Pixel c) {
    if (x >= 0 && y >= 0 && x < b.width && y < b.height) b.at(x, y) = c;
}

// A horizontal or 45-degree line from (x0, y0) towards (x1, y1), the end point left out (as the platform's LineTo).
void line(const fw::PixelView& b, int x0, int y0, int x1, int y1, fw::Pixel c) {
    const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) put(b, x, y, c);
}

// The outline of (l, t, r, b), right and bottom edge left out.
void outline(const fw::PixelView& b, int l, int t, int r, int btm, fw::Pixel c) {
    line(b, l, t, r, t, c);
    line(b, l, btm - 1, r, btm - 1, c);
    line(b, l, t, l, btm, c);
    line(b, r - 1, t, r - 1, btm, c);
}
}  // namespace

void DrawDefaultGlyph(const fw::PixelView& b, int x, int y, DefaultGlyph glyph, fw::Pixel c) {
    switch (glyph) {
        case DefaultGlyph::Close:
            line(b, x + 1, y + 1, x + 9, y + 9, c);
            line(b, x + 9, y + 1, x + 1, y + 9, c);
            line(b, x + 2, y + 1, x + 10, y + 9, c);
            line(b, x + 8, y + 1, x, y + 9, c);
            break;
        case DefaultGlyph::Maximize:
            outline(b, x, y, x + 11, y + 10, c);
            outline(b, x, y, x + 11, y + 2, c);
            break;
        case DefaultGlyph::Restore:
            outline(b, x + 2, y, x + 10, y + 6, c);
            outline(b, x + 2, y, x + 10, y + 2, c);
            outline(b, x, y + 4, x + 7, y + 10, c);
            outline(b, x, y + 4, x + 7, y + 6, c);
            break;
        case DefaultGlyph::Minimize:
            line(b, x + 1, y + 8, x + 9, y + 8, c);
            line(b, x + 1, y + 9, x + 9, y + 9, c);
            break;
        case DefaultGlyph::SystemMenu: outline(b, x + 1, y + 3, x + 9, y + 6, c); break;
        case DefaultGlyph::RollUp:
            for (int i = 0; i <= 4; ++i) line(b, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i, c);
            break;
        case DefaultGlyph::RollDown:
            for (int i = 0; i <= 4; ++i) line(b, x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i, c);
            break;
        case DefaultGlyph::ToTray: fw::fillPixels(b, {x + 2, y + 2, x + 7, y + 7}, c); break;
    }
}

fw::Bitmap DrawDefaultButtonFace(int w, int h, DefaultGlyph glyph, bool pressed, bool hovered,
                                 const DefaultButtonColors& colors) {
    if (w <= 0 || h <= 0) return {};
    fw::Bitmap b(w, h, colors.face);
    if (hovered) {
        b.fill(kNavy);
        fw::fillPixels(b.view(), {1, 1, w - 1, h - 1}, pressed ? kPressedFill : kHotFill);
    }
    const bool down = pressed && hovered;
    DrawDefaultGlyph(b.view(), w / 2 - (down ? 4 : 5), h / 2 - (down ? 3 : 4), glyph, colors.glyph);
    return b;
}
