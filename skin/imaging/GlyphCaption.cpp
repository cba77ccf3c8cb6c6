#include "skin/imaging/GlyphCaption.h"

#include <algorithm>

namespace {
constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
}

GlyphCaptionPlace PlaceGlyphAndCaption(HDC dc, int layout, fw::Rect r, int gw, int gh, std::wstring_view caption,
                                       int margin, int spacing, bool pressed) {
    const bool beside = layout == glyphLeft || layout == glyphRight;
    RECT box{0, 0, std::max(r.width() - (beside ? gw : 0), 0), std::max(r.height() - (beside ? 0 : gh), 0)};
    int tw = 0, th = 0;
    if (!caption.empty() && dc) {
        DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &box, kCaptionFormat | DT_CALCRECT);
        tw = box.right - box.left;
        th = box.bottom - box.top;
    }
    const GlyphTextPlace p = LayoutGlyphAndText(layout, r, gw, gh, tw, th, margin, spacing);
    const int shift = pressed ? 1 : 0;
    return {{p.glyph.x + shift, p.glyph.y + shift}, fw::Rect::fromSize(p.text.x + shift, p.text.y + shift, tw + 2, th)};
}

void DrawCaption(HDC dc, std::wstring_view caption, fw::Rect text) {
    if (!dc || caption.empty()) return;
    RECT rc{text.left, text.top, text.right, text.bottom};
    DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &rc, kCaptionFormat);
}
