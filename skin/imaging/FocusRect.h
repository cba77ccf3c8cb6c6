// The dotted focus rectangle of skinned controls.
#pragma once

#include "framework/Bitmap.h"

#ifdef _WIN32
#include <windows.h>
#endif

// Calls plot(x, y) for every other pixel of r's outline, walking clockwise from the top-left corner so that the
// dots run on evenly around the corners: each edge includes both of its corners, and the corner an edge shares
// with the edge before keeps that edge's state. The first pixel is skipped when the outline's width and height
// (r shrunk by one pixel at its right and bottom) are both even.
template <class Plot>
void walkDottedOutline(fw::Rect r, Plot plot) {
    const int l = r.left, t = r.top, rr = r.right - 1, bb = r.bottom - 1;
    const int w = rr - l, h = bb - t;
    if (w < 0 || h < 0) return;
    bool on = !(w % 2 == 0 && h % 2 == 0);
    struct Edge {
        int x, y, dx, dy, n;
    };
    const Edge edges[] = {{l, t, 1, 0, w}, {rr, t, 0, 1, h}, {rr, bb, -1, 0, w}, {l, bb, 0, -1, h}};
    for (const Edge& e : edges) {
        if (on) plot(e.x, e.y);
        for (int i = 1; i <= e.n; ++i) {
            on = !on;
            if (on) plot(e.x + e.dx * i, e.y + e.dy * i);
        }
    }
}

// Into an off-screen image: sets the dots to colour (the canvas font colour); pixels outside dst are skipped.
void DrawDottedFocusRect(fw::PixelView dst, fw::Rect r, fw::Pixel colour);

#ifdef _WIN32
// On a device context, in the given colour (the canvas font colour).
void DrawDottedFocusRect(HDC dc, fw::Rect r, COLORREF colour);
#endif
