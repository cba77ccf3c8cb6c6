#include "tools/skinart/Glyphs.h"

namespace skinart {

void drawCaptionGlyph(PixelView v, Rect r, Glyph g, Pixel p) {
    // Symbols live on a 10 x 10 grid whose origin centres it in r.
    const int x = r.left + (r.width() - 10) / 2, y = r.top + (r.height() - 10) / 2;
    switch (g) {
        case Glyph::Close:
            // Two-pixel strokes so the cross reads clearly at 1:1.
            line(v, x + 1, y + 1, x + 8, y + 8, p);
            line(v, x + 2, y + 1, x + 9, y + 8, p);
            line(v, x + 8, y + 1, x + 1, y + 8, p);
            line(v, x + 9, y + 1, x + 2, y + 8, p);
            break;
        case Glyph::Maximize:
            frame(v, {x + 1, y + 1, x + 10, y + 9}, p);
            hLine(v, x + 1, x + 10, y + 2, p);
            break;
        case Glyph::Restore: {
            // The window behind shows only where the front window does not cover it.
            const Rect back{x + 3, y, x + 10, y + 7}, front{x + 1, y + 3, x + 8, y + 10};
            for (int py = back.top; py < back.bottom; ++py)
                for (int px = back.left; px < back.right; ++px) {
                    const bool edge = py == back.top || py == back.top + 1 || py == back.bottom - 1 ||
                                      px == back.left || px == back.right - 1;
                    if (edge && !front.contains({px, py})) plot(v, px, py, p);
                }
            frame(v, front, p);
            hLine(v, front.left, front.right, front.top + 1, p);
            break;
        }
        case Glyph::Minimize: fill(v, {x + 1, y + 7, x + 9, y + 9}, p); break;
        case Glyph::RollUp:
            drawArrow(v, {x, y + 1, x + 10, y + 9}, Arrow::Up, 4, p);
            hLine(v, x + 1, x + 10, y + 1, p);
            break;
        case Glyph::RollDown:
            drawArrow(v, {x, y + 1, x + 10, y + 9}, Arrow::Down, 4, p);
            hLine(v, x + 1, x + 10, y + 8, p);
            break;
        case Glyph::Tray:
            fill(v, {x + 2, y + 5, x + 8, y + 9}, p);
            hLine(v, x + 1, x + 10, y + 9, p);
            break;
    }
}

void drawArrow(PixelView v, Rect r, Arrow a, int size, Pixel p) {
    const int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    for (int i = 0; i < size; ++i) {
        switch (a) {
            case Arrow::Up: hLine(v, cx - i, cx + i + 1, cy - size / 2 + i, p); break;
            case Arrow::Down: hLine(v, cx - i, cx + i + 1, cy + (size - 1) / 2 - i, p); break;
            case Arrow::Left: vLine(v, cx - size / 2 + i, cy - i, cy + i + 1, p); break;
            case Arrow::Right: vLine(v, cx + (size - 1) / 2 - i, cy - i, cy + i + 1, p); break;
        }
    }
}

void drawCheck(PixelView v, Rect r, Pixel p) {
    const int x = r.left + (r.width() - 9) / 2, y = r.top + (r.height() - 7) / 2;
    for (int i = 0; i < 2; ++i) {
        line(v, x, y + 3 + i, x + 2, y + 5 + i, p);
        line(v, x + 2, y + 5 + i, x + 8, y - 1 + i + 1, p);
    }
}

void drawDots(PixelView v, Rect r, Pixel p) {
    const int x = r.left + (r.width() - 8) / 2, y = r.top + r.height() / 2 + 2;
    for (int i = 0; i < 3; ++i) fill(v, {x + 3 * i, y, x + 3 * i + 2, y + 2}, p);
}

void drawGrip(PixelView v, Rect r, bool vertical, Pixel dark, Pixel light) {
    // Four dots along the long side, each a dark pixel with a light one below-right.
    const int n = 4;
    const int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    for (int i = 0; i < n; ++i) {
        const int off = (i - n / 2) * 3;
        const int x = vertical ? cx - 1 : cx + off, y = vertical ? cy + off : cy - 1;
        plot(v, x + 1, y + 1, light);
        plot(v, x, y, dark);
    }
}

}  // namespace skinart
