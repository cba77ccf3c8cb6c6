#include "skin/imaging/FocusRect.h"

void DrawDottedFocusRect(fw::PixelView dst, fw::Rect r, fw::Pixel colour) {
    const fw::Rect clip = dst.rect();
    walkDottedOutline(r, [&](int x, int y) {
        if (clip.contains({x, y})) dst.at(x, y) = colour;
    });
}

#ifdef _WIN32
void DrawDottedFocusRect(HDC dc, fw::Rect r, COLORREF colour) {
    if (!dc) return;
    walkDottedOutline(r, [&](int x, int y) { SetPixelV(dc, x, y, colour); });
}
#endif
