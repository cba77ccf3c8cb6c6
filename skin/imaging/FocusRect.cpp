#include "skin/imaging/FocusRect.h"

void DrawDottedFocusRect(fw::PixelView dst, fw::Rect r, fw::Pixel colour) {
    // The outline pixels: right and bottom edges lie one pixel inside the half-open rect.
    const int l = r.left, t = r.top, rr = r.right - 1, bb = r.bottom - 1;
    const int w = rr - l, h = bb - t;
    if (w < 0 || h < 0) return;
    const fw::Rect clip = dst.rect();
    bool on = !(w % 2 == 0 && h % 2 == 0);
    auto plot = [&](int x, int y) {
        if (on && clip.contains({x, y})) dst.at(x, y) = colour;
    };
    // Each edge includes both of its corners; the corner it shares with the edge before keeps that edge's state.
    struct Edge {
        int x, y, dx, dy, n;
    };
    const Edge edges[] = {{l, t, 1, 0, w}, {rr, t, 0, 1, h}, {rr, bb, -1, 0, w}, {l, bb, 0, -1, h}};
    for (const Edge& e : edges) {
        plot(e.x, e.y);
        for (int i = 1; i <= e.n; ++i) {
            on = !on;
            plot(e.x + e.dx * i, e.y + e.dy * i);
        }
    }
}
