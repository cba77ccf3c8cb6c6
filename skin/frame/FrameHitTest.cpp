#include "skin/frame/FrameHitTest.h"

#include <cstdlib>

namespace {
bool black(const fw::Bitmap* b, int x, int y) {
    if (!b || x < 0 || y < 0 || x >= b->width() || y >= b->height()) return false;
    return (b->at(x, y) & 0x00FFFFFFu) == 0;
}

int insideAnswer(fw::Point p, const TkvStretchedGeometry& g, bool inCaption) {
    if (g.StretchedClientRect.contains(p)) return kHitClient;
    return inCaption ? kHitCaption : kHitObject;
}
}  // namespace

bool MaskOpaque(fw::Point q, const fw::Rect& r, const FrameMaskPieces& m) {
    if (r.contains(q)) return true;
    if (q.y <= r.top) return black(m.top, q.x, q.y);
    if (q.y < r.bottom) {
        if (q.x > r.left) return black(m.right, q.x - r.right, q.y - r.top);
        return black(m.left, q.x, q.y - r.top);
    }
    return black(m.bottom, q.x, q.y - r.bottom);
}

int SkinnedHitTest(fw::Point p, const TkvStretchedGeometry& g, int bw, const FrameMaskPieces* mask,
                   const std::vector<fw::Rect>& captions, const FrameHitState& s) {
    bool inCaption = false;
    for (const fw::Rect& c : captions)
        if (c.contains(p)) inCaption = true;
    if (s.rolledUp || s.minimized) return inCaption ? kHitCaption : kHitObject;
    if (s.objectHot && !inCaption && !g.StretchedClientRect.contains(p) && !s.inSizeMove) return kHitObject;
    if (s.maximized || !s.canSize) return insideAnswer(p, g, inCaption);

    const fw::Point probes[] = {{p.x - bw, p.y}, {p.x, p.y - bw}, {p.x + bw, p.y}, {p.x, p.y + bw}};
    bool nearEdge = false;
    if (!mask) {
        const fw::Rect window{0, 0, s.width, s.height};
        for (fw::Point q : probes)
            if (!window.contains(q)) nearEdge = true;
    } else if (!g.StretchedMaskRect.contains(p)) {
        for (fw::Point q : probes)
            if (!MaskOpaque(q, g.StretchedMaskRect, *mask)) nearEdge = true;
    }
    if (!nearEdge) return insideAnswer(p, g, inCaption);

    const fw::Rect& cr = g.StretchedClientRect;
    if (p.x <= g.HitLeftTop.x && p.y <= g.HitLeftTop.y) return kHitTopLeft;
    if (p.x >= g.HitRightTop.x && p.y <= g.HitRightTop.y) return kHitTopRight;
    if (p.x <= g.HitLeftBottom.x && p.y >= g.HitLeftBottom.y) return kHitBottomLeft;
    if (p.x >= g.HitRightBottom.x && p.y >= g.HitRightBottom.y) return kHitBottomRight;
    if (fw::Rect{g.HitLeftTop.x, 0, g.HitRightTop.x, cr.top}.contains(p)) return kHitTop;
    if (fw::Rect{g.HitLeftBottom.x, cr.bottom, g.HitRightBottom.x, s.height}.contains(p)) return kHitBottom;
    if (fw::Rect{0, g.HitLeftTop.y, cr.left, g.HitLeftBottom.y}.contains(p)) return kHitLeft;
    if (fw::Rect{cr.right, g.HitRightTop.y, s.width, g.HitRightBottom.y}.contains(p)) return kHitRight;
    return insideAnswer(p, g, inCaption);
}

int DefaultHitTest(fw::Point p, const fw::Rect& caption, int captionHeight, const FrameHitState& s) {
    const int W = s.width, H = s.height;
    if (s.canSize && !s.maximized && !s.minimized && !s.rolledUp) {
        if (s.objectHot) return kHitObject;
        if (p.x <= 2 && p.y <= 2) return kHitTopLeft;
        if (p.x >= W - 2 && p.y <= 2) return kHitTopRight;
        if (p.x <= 2 && p.y >= H - 2) return kHitBottomLeft;
        if (p.x >= W - 2 && p.y >= H - 2) return kHitBottomRight;
        if (p.x <= 2) return kHitLeft;
        if (p.y <= 2) return kHitTop;
        if (p.x >= W - 2) return kHitRight;
        if (p.y >= H - 2) return kHitBottom;
    }
    if (caption.contains(p)) return kHitCaption;
    if (fw::Rect{3, captionHeight + 3, W - 3, H - 3}.contains(p)) return kHitClient;
    return kHitObject;
}

namespace {
// One axis of the docking: `pos` is the proposed edge position, `edge` the work-area edge.
int stick(int pos, int edge, int size, int cursor, int& anchor, bool& stuck) {
    const bool close = edge - size < pos && pos < edge + size;
    int result = pos;
    if (stuck) result = std::abs(cursor - anchor) > size ? cursor + edge - anchor : edge;
    else if (close) {
        result = edge;
        anchor = cursor;
    }
    stuck = close;
    return result;
}
}  // namespace

fw::Rect MagneticMove(fw::Rect proposed, fw::Size form, const fw::Rect& a, int size, fw::Point cursor,
                      MagneticState& s) {
    int x = stick(proposed.left, a.left, size, cursor.x, s.anchorX, s.left);
    int y = stick(proposed.top, a.top, size, cursor.y, s.anchorY, s.top);
    x = stick(x + form.width, a.right, size, cursor.x, s.anchorX, s.right) - form.width;
    y = stick(y + form.height, a.bottom, size, cursor.y, s.anchorY, s.bottom) - form.height;
    return {x, y, x + form.width, y + form.height};
}

fw::Point ParkingSlot(const fw::Rect& area, int barW, int barH, const std::function<bool(int, int)>& occupied) {
    const fw::Point first{area.left, area.bottom - barH};
    if (barW <= 0 || barH <= 0) return first;
    int x = first.x, y = first.y;
    while (occupied(x, y)) {
        x += barW;
        if (x + barW > area.right) {
            x = area.left;
            y -= barH;
            if (y < area.top) return first;
        }
    }
    return {x, y};
}
