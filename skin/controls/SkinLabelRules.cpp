#include "skin/controls/SkinLabelRules.h"

std::wstring EllipsizeText(const std::wstring& text, int width,
                           const std::function<int(const std::wstring&)>& measure) {
    if (measure(text) <= width) return text;
    std::wstring s = text;
    while (!s.empty()) {
        s.pop_back();
        if (measure(s + L"...") <= width) break;
    }
    return s + L"...";
}

fw::Point LabelTextOrigin(fw::Rect r, TextAlign align, int tw, int th) {
    const int y = r.top + r.height() / 2 - th / 2;
    switch (align) {
        case TextAlign::Right: return {r.right - tw, y};
        case TextAlign::Center: return {r.left + r.width() / 2 - tw / 2, y};
        default: return {r.left, y};
    }
}

fw::Rect MapSkinRect(const TkvSkinFitData& d, fw::Rect r, int width, int height) {
    const int dW = width - d.SrcSkinRect.width(), dH = height - d.SrcSkinRect.height();
    const int sw = d.SrcSkinRect.width(), sh = d.SrcSkinRect.height();
    auto inside = [](fw::Rect outer, fw::Rect q) {
        return q.left >= outer.left && q.top >= outer.top && q.right <= outer.right && q.bottom <= outer.bottom;
    };
    switch (d.SizingMode) {
        case 1: {
            const fw::Rect lt{0, 0, d.SrcLeftTop.x, d.SrcLeftTop.y};
            const fw::Rect rt{d.SrcRightTop.x, 0, sw, d.SrcRightTop.y};
            const fw::Rect lb{0, d.SrcLeftBottom.y, d.SrcLeftBottom.x, sh};
            const fw::Rect rb{d.SrcRightBottom.x, d.SrcRightBottom.y, sw, sh};
            const fw::Point a{r.left, r.top}, b{r.right - 1, r.bottom - 1};
            auto in = [](fw::Rect q, fw::Point p) { return q.contains(p); };
            if (inside(lt, r)) return r;
            if (inside(rt, r)) return r.offset(dW, 0);
            if (inside(lb, r)) return r.offset(0, dH);
            if (inside(rb, r)) return r.offset(dW, dH);
            if (in(lt, a) && in(rb, b)) return {r.left, r.top, r.right + dW, r.bottom + dH};
            if (in(lt, a) && in(rt, b)) return {r.left, r.top, r.right + dW, r.bottom};
            if (in(lb, a) && in(rb, b)) return {r.left, r.top + dH, r.right + dW, r.bottom + dH};
            if (in(lt, a) && in(lb, b)) return {r.left, r.top, r.right, r.bottom + dH};
            if (in(rt, a) && in(rb, b)) return {r.left + dW, r.top, r.right + dW, r.bottom + dH};
            return r;
        }
        case 2:
            if (r.left <= d.SrcLeftTop.x && r.right >= d.SrcRightTop.x) return {r.left, r.top, r.right + dW, r.bottom};
            if (r.left >= d.SrcRightTop.x) return r.offset(dW, 0);
            return r;
        case 3:
            if (r.top <= d.SrcLeftTop.y && r.bottom >= d.SrcLeftBottom.y)
                return {r.left, r.top, r.right, r.bottom + dH};
            if (r.top >= d.SrcLeftBottom.y) return r.offset(0, dH);
            return r;
        default: return r;
    }
}
