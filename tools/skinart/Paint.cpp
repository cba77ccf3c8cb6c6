#include "tools/skinart/Paint.h"

#include <cmath>
#include <cstdlib>

namespace skinart {

Pixel mix(Pixel a, Pixel b, int t) {
    auto ch = [t](int x, int y) { return x + ((y - x) * t) / 256; };
    return fw::makePixel(ch(fw::pixelR(a), fw::pixelR(b)), ch(fw::pixelG(a), fw::pixelG(b)),
                         ch(fw::pixelB(a), fw::pixelB(b)));
}

void fill(PixelView v, Rect r, Pixel p) { fw::fillPixels(v, r, p); }

void vGradient(PixelView v, Rect r, Pixel top, Pixel bottom) {
    const int h = r.height();
    for (int y = r.top; y < r.bottom; ++y) {
        const int t = h > 1 ? ((y - r.top) * 256) / (h - 1) : 0;
        fill(v, {r.left, y, r.right, y + 1}, mix(top, bottom, t));
    }
}

void plot(PixelView v, int x, int y, Pixel p) {
    if (x >= 0 && y >= 0 && x < v.width && y < v.height) v.at(x, y) = p;
}

void hLine(PixelView v, int x0, int x1, int y, Pixel p) { fill(v, {x0, y, x1, y + 1}, p); }
void vLine(PixelView v, int x, int y0, int y1, Pixel p) { fill(v, {x, y0, x + 1, y1}, p); }

void frame(PixelView v, Rect r, Pixel p) {
    if (r.empty()) return;
    hLine(v, r.left, r.right, r.top, p);
    hLine(v, r.left, r.right, r.bottom - 1, p);
    vLine(v, r.left, r.top, r.bottom, p);
    vLine(v, r.right - 1, r.top, r.bottom, p);
}

void line(PixelView v, int x0, int y0, int x1, int y1, Pixel p) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(v, x0, y0, p);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

namespace {

// How many pixels row `i` (0 = outermost) of a corner of the given radius is cut in.
int cornerCut(int radius, int i) {
    static constexpr int kCuts[6][5] = {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {2, 1, 0, 0, 0},
                                        {3, 1, 1, 0, 0}, {4, 2, 1, 1, 0}, {5, 3, 2, 1, 1}};
    return (radius <= 0 || i >= 5) ? 0 : kCuts[radius > 5 ? 5 : radius][i];
}

bool inside(Rect r, int radius, int x, int y) {
    if (!r.contains({x, y})) return false;
    const int fromTop = y - r.top, fromBottom = r.bottom - 1 - y;
    const int cut = cornerCut(radius, fromTop < fromBottom ? fromTop : fromBottom);
    return x >= r.left + cut && x < r.right - cut;
}

bool onBorder(Rect r, int radius, int x, int y) {
    return inside(r, radius, x, y) && (!inside(r, radius, x - 1, y) || !inside(r, radius, x + 1, y) ||
                                       !inside(r, radius, x, y - 1) || !inside(r, radius, x, y + 1));
}

// Pixels just outside a rounded corner that touch the shape on two sides; they get a half-tone.
bool cornerShade(Rect r, int radius, int x, int y) {
    if (radius < 2 || !r.contains({x, y}) || inside(r, radius, x, y)) return false;
    const int n = inside(r, radius, x - 1, y) + inside(r, radius, x + 1, y) + inside(r, radius, x, y - 1) +
                  inside(r, radius, x, y + 1);
    return n >= 2;
}

}  // namespace

void roundFrame(PixelView v, Rect r, int radius, Pixel border) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            if (x < 0 || y < 0 || x >= v.width || y >= v.height) continue;
            if (onBorder(r, radius, x, y)) v.at(x, y) = border;
            else if (cornerShade(r, radius, x, y)) v.at(x, y) = mix(v.at(x, y), border, 100);
        }
}

void roundBox(PixelView v, Rect r, int radius, Pixel border, Pixel top, Pixel bottom) {
    if (r.empty()) return;
    const int h = r.height();
    for (int y = r.top; y < r.bottom; ++y) {
        const Pixel p = mix(top, bottom, h > 1 ? ((y - r.top) * 256) / (h - 1) : 0);
        for (int x = r.left; x < r.right; ++x)
            if (inside(r, radius, x, y)) plot(v, x, y, p);
    }
    roundFrame(v, r, radius, border);
}

bool insideRound(Rect r, int radius, int x, int y) { return inside(r, radius, x, y); }

void disc(PixelView v, Rect r, Pixel p) {
    const double cx = r.left + r.width() / 2.0, cy = r.top + r.height() / 2.0, rad = r.width() / 2.0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            // Coverage from a 4 x 4 supersample of the pixel.
            int in = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x + (sx + 0.5) / 4 - cx, py = y + (sy + 0.5) / 4 - cy;
                    in += (px * px + py * py <= rad * rad) ? 1 : 0;
                }
            if (in > 0 && x >= 0 && y >= 0 && x < v.width && y < v.height) v.at(x, y) = mix(v.at(x, y), p, in * 16);
        }
}

void ring(PixelView v, Rect r, Pixel p) {
    const double cx = r.left + r.width() / 2.0, cy = r.top + r.height() / 2.0, ro = r.width() / 2.0, ri = ro - 1.0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            int in = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x + (sx + 0.5) / 4 - cx, py = y + (sy + 0.5) / 4 - cy, d = px * px + py * py;
                    in += (d <= ro * ro && d >= ri * ri) ? 1 : 0;
                }
            if (in > 0 && x >= 0 && y >= 0 && x < v.width && y < v.height) v.at(x, y) = mix(v.at(x, y), p, in * 16);
        }
}

}  // namespace skinart
