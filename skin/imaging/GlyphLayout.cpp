#include "skin/imaging/GlyphLayout.h"

GlyphTextPlace LayoutGlyphAndText(int layout, fw::Rect r, int gw, int gh, int tw, int th, int margin, int spacing) {
    if (gw == 0) spacing = 0;
    // C++ integer division truncates toward zero, as the layout rules require.
    const int cx = r.left + r.width() / 2;
    const int cy = r.top + r.height() / 2;
    const int gx = cx - gw / 2, tx = cx - tw / 2;
    const int gy = cy - gh / 2, ty = cy - th / 2;
    GlyphTextPlace p;
    if (margin == -1) {
        const int hw = (gw + tw + spacing) / 2;
        const int hh = (gh + th + spacing) / 2;
        switch (layout) {
            case glyphRight: p = {{cx + hw - gw, gy}, {cx - hw, ty}}; break;
            case glyphTop: p = {{gx, cy - hh}, {tx, cy + hh - th}}; break;
            case glyphBottom: p = {{gx, cy + hh - gh}, {tx, cy - hh}}; break;
            default: p = {{cx - hw, gy}, {cx + hw - tw, ty}}; break;
        }
        return p;
    }
    switch (layout) {
        case glyphRight: {
            const int x = r.right - gw - margin;
            p = {{x, gy}, {x - spacing - tw, ty}};
            break;
        }
        case glyphTop: {
            const int y = r.top + margin;
            p = {{gx, y}, {tx, y + gh + spacing}};
            break;
        }
        case glyphBottom: {
            const int y = r.bottom - gh - margin;
            p = {{gx, y}, {tx, y - spacing - th}};
            break;
        }
        default: p = {{r.left + margin, gy}, {r.left + margin + gw + spacing, ty}}; break;
    }
    return p;
}
