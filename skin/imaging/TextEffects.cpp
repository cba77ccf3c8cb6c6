#include "skin/imaging/TextEffects.h"

#include <algorithm>

#include "skin/imaging/kvBitmap.h"

namespace {

// The text's shape: white on black at (x, y) in a bitmap of the target's size, with the target's font.
fw::DibSection textShape(fw::DibSection& target, std::wstring_view text, fw::Rect r, UINT format) {
    fw::DibSection shape(target.width(), target.height());
    HGDIOBJ font = GetCurrentObject(target.dc(), OBJ_FONT);
    const HGDIOBJ old = SelectObject(shape.dc(), font);
    SetBkMode(shape.dc(), TRANSPARENT);
    SetTextColor(shape.dc(), RGB(255, 255, 255));
    RECT rc{r.left, r.top, r.right, r.bottom};
    DrawTextW(shape.dc(), text.data(), static_cast<int>(text.size()), &rc, format);
    SelectObject(shape.dc(), old);
    GdiFlush();
    return shape;
}

// Blends colour into the target where the shape is light, scaled by `strength` (0..256), moved by (dx, dy).
void blendShape(fw::DibSection& target, const fw::DibSection& shape, COLORREF colour, int dx, int dy,
                int (*strength)(int row, int height), bool mirror, int mirrorTop, int mirrorBottom) {
    GdiFlush();
    fw::PixelView dst = target.pixels();
    const fw::ConstPixelView src = shape.pixels();
    const int cr = GetRValue(colour), cg = GetGValue(colour), cb = GetBValue(colour);
    for (int y = 0; y < dst.height; ++y) {
        int sy = y - dy;
        if (mirror) sy = mirrorBottom - 1 - (y - dy - mirrorBottom);
        if (sy < 0 || sy >= src.height || (mirror && (sy < mirrorTop || y - dy < mirrorBottom))) continue;
        const int k = strength ? strength(y - dy - mirrorBottom, mirrorBottom - mirrorTop) : 256;
        if (k <= 0) continue;
        const fw::Pixel* s = src.scanline(sy);
        fw::Pixel* d = dst.scanline(y);
        for (int x = 0; x < dst.width; ++x) {
            const int sx = x - dx;
            if (sx < 0 || sx >= src.width) continue;
            const int a = static_cast<int>(s[sx] & 0xFF) * k / 256;  // the shape's blue channel is its coverage
            if (a == 0) continue;
            const fw::Pixel p = d[x];
            const int r = static_cast<int>((p >> 16) & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
                      b = static_cast<int>(p & 0xFF);
            d[x] = fw::makePixel(r + (cr - r) * a / 255, g + (cg - g) * a / 255, b + (cb - b) * a / 255);
        }
    }
}

// The reflection fades from half strength at its top to nothing at the height of the text.
int fading(int row, int height) { return height <= 0 ? 0 : std::max(0, 128 - 128 * row / height); }

}  // namespace

void DrawShadowText(fw::DibSection& target, std::wstring_view text, fw::Rect r, UINT format, COLORREF textColour,
                    COLORREF shadowColour, int blur, int offset) {
    if (target.empty() || text.empty()) return;
    fw::DibSection shape = textShape(target, text, r, format);
    if (blur > 0) StackBlurPixels(shape.pixels(), blur);
    blendShape(target, shape, shadowColour, offset, offset, nullptr, false, 0, 0);
    SetBkMode(target.dc(), TRANSPARENT);
    SetTextColor(target.dc(), textColour);
    RECT rc{r.left, r.top, r.right, r.bottom};
    DrawTextW(target.dc(), text.data(), static_cast<int>(text.size()), &rc, format);
}

void DrawReflectionText(fw::DibSection& target, std::wstring_view text, int x, int y, COLORREF colour, int offset) {
    if (target.empty() || text.empty()) return;
    SIZE size{};
    GetTextExtentPoint32W(target.dc(), text.data(), static_cast<int>(text.size()), &size);
    const fw::Rect cell = fw::Rect::fromSize(x, y, size.cx, size.cy);
    fw::DibSection shape = textShape(target, text, cell, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
    blendShape(target, shape, colour, 0, offset, fading, true, cell.top, cell.bottom);
    SetBkMode(target.dc(), TRANSPARENT);
    SetTextColor(target.dc(), colour);
    TextOutW(target.dc(), x, y, text.data(), static_cast<int>(text.size()));
}
