#include "skin/frame/FrameGeometry.h"

int DefaultFrameCaptionHeight(bool ToolWindow) { return ToolWindow ? 15 : 19; }
int DefaultFrameButtonSize(bool ToolWindow) { return ToolWindow ? 13 : 17; }

TkvStretchedGeometry StretchFrameGeometry(const TkvSkinData& s, int width, int height) {
    const int pw = s.FramePicture.width(), ph = s.FramePicture.height();
    const int dx = width - pw, dy = height - ph;
    TkvStretchedGeometry g;
    g.StretchedLeftTop = s.LeftTopPoint;
    g.StretchedRightTop = {s.RightTopPoint.x + dx, s.RightTopPoint.y};
    g.StretchedLeftBottom = {s.LeftBottomPoint.x, s.LeftBottomPoint.y + dy};
    g.StretchedRightBottom = {s.RightBottomPoint.x + dx, s.RightBottomPoint.y + dy};
    g.StretchedClientRect = {s.ClientRect.left, s.ClientRect.top, s.ClientRect.right + dx, s.ClientRect.bottom + dy};
    g.StretchedCaptionRect = s.CaptionRect;
    if (!s.CaptionRect.empty()) g.StretchedCaptionRect.right += dx;
    g.StretchedButtonsRect = s.ButtonsRect;
    if (!s.ButtonsRect.empty() && s.ButtonsRect.left > pw / 2) g.StretchedButtonsRect = s.ButtonsRect.offset(dx, 0);
    g.ButtonsOffset = s.ButtonsOffset;
    g.ButtonsInLeft = s.ButtonsInLeft;
    g.HitLeftTop = s.HitTestLeftTopPoint;
    g.HitRightTop = {s.HitTestRightTopPoint.x + dx, s.HitTestRightTopPoint.y};
    g.HitLeftBottom = {s.HitTestLeftBottomPoint.x, s.HitTestLeftBottomPoint.y + dy};
    g.HitRightBottom = {s.HitTestRightBottomPoint.x + dx, s.HitTestRightBottomPoint.y + dy};
    g.StretchedMaskRect = {s.MaskRectArea.left, s.MaskRectArea.top, s.MaskRectArea.right + dx,
                           s.MaskRectArea.bottom + dy};
    return g;
}

fw::Rect FrameClientRect(fw::Rect r, const TkvSkinData* skin, int defaultCaptionHeight) {
    if (skin) {
        r.left += skin->ClientRect.left;
        r.top += skin->ClientRect.top;
        r.right -= skin->FramePicture.width() - skin->ClientRect.right;
        r.bottom -= skin->FramePicture.height() - skin->ClientRect.bottom;
    } else {
        r.left += kDefaultFrameBorder;
        r.top += defaultCaptionHeight + kDefaultFrameBorder;
        r.right -= kDefaultFrameBorder;
        r.bottom -= kDefaultFrameBorder;
    }
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

int FrameMinWidthFor(const TkvSkinData* skin, int minWidth, bool minimized) {
    if (!skin) return minWidth > 0 ? minWidth : 120;
    const int pw = skin->FramePicture.width();
    if (pw < minWidth && !minimized) return minWidth;
    if (skin->FormMinWidth > 0) return (skin->FormMinWidth >= minWidth || minimized) ? skin->FormMinWidth : minWidth;
    return pw;
}

int FrameMinHeightFor(const TkvSkinData* skin, int minHeight, int defaultCaptionHeight, bool rolledUp, bool minimized) {
    const int h = skin ? skin->FramePicture.height() - skin->ClientRect.height() : defaultCaptionHeight + 6;
    return (h >= minHeight || rolledUp || minimized) ? h : minHeight;
}

int FrameMaxFor(int areaSize, int limit) { return (limit != 0 && limit < areaSize) ? limit : areaSize; }

fw::Rect MapSkinRect(fw::Rect r, const TkvSkinData& s, const TkvStretchedGeometry& g) {
    const int pw = s.FramePicture.width(), ph = s.FramePicture.height();
    const fw::Point lt = s.LeftTopPoint, rt = s.RightTopPoint, lb = s.LeftBottomPoint, rb = s.RightBottomPoint;
    const int dx = g.StretchedRightBottom.x - rb.x, dy = g.StretchedRightBottom.y - rb.y;
    const fw::Rect zLT{0, 0, lt.x, lt.y}, zRT{rt.x, 0, pw, rt.y}, zLB{0, lb.y, lb.x, ph}, zRB{rb.x, rb.y, pw, ph};
    const fw::Point tl{r.left, r.top}, br{r.right, r.bottom};
    auto in = [](const fw::Rect& z, fw::Point p) { return z.contains(p); };
    if (in(zLT, tl) && in(zLT, br)) return r;
    if (in(zRT, tl) && in(zRT, br)) return r.offset(dx, 0);
    if (in(zLB, tl) && in(zLB, br)) return r.offset(0, dy);
    if (in(zRB, tl) && in(zRB, br)) return r.offset(dx, dy);
    if (in(zLT, tl) && in(zRB, br)) return {r.left, r.top, r.right + dx, r.bottom + dy};
    if (in(zLT, tl) && in(zRT, br)) return {r.left, r.top, r.right + dx, r.bottom};
    if (in(zLB, tl) && in(zRB, br)) return {r.left, r.top + dy, r.right + dx, r.bottom + dy};
    if (in(zLT, tl) && in(zLB, br)) return {r.left, r.top, r.right, r.bottom + dy};
    if (in(zRT, tl) && in(zRB, br)) return {r.left + dx, r.top, r.right + dx, r.bottom + dy};
    return r;
}

namespace {
bool isCommandObject(const FrameLayoutItem& i) {
    return i.kind == FrameObjectKind::StdButton || i.kind == FrameObjectKind::Animate;
}
bool placeable(const FrameLayoutItem& i, TkvStdCommand c) {
    return isCommandObject(i) && i.command == c && i.shown && i.normalInHotPicture;
}
FrameLayoutItem* firstCaption(std::vector<FrameLayoutItem>& items) {
    for (auto& i : items)
        if (i.kind == FrameObjectKind::Caption) return &i;
    return nullptr;
}
constexpr TkvStdCommand kButtonOrder[] = {cmclose, cmmaximize, cmminimize, cmrollup, cmminimizetotray};
}  // namespace

void LayoutFrameObjects(std::vector<FrameLayoutItem>& items, const TkvSkinData& skin, const TkvStretchedGeometry& g,
                        fw::Size smallIcon) {
    for (auto& i : items)
        if (!i.normalInHotPicture) i.placed = MapSkinRect(i.normalRect, skin, g);
    fw::Rect area;
    const bool noButtonsRect = skin.ButtonsRect.empty();
    if (!noButtonsRect) area = g.StretchedButtonsRect;
    else if (!skin.CaptionRect.empty()) area = g.StretchedCaptionRect;
    else return;
    const int y = area.top;
    const int off = g.ButtonsOffset;
    auto sizeOf = [&](const FrameLayoutItem& i) {
        if (i.kind == FrameObjectKind::StdButton && i.showIcon) return smallIcon;
        return fw::Size{i.normalRect.width(), i.normalRect.height()};
    };
    // The commands in their order, each placed once, then the custom objects in list order.
    auto forEachButton = [&](auto&& place) {
        for (TkvStdCommand c : kButtonOrder)
            for (auto& i : items)
                if (placeable(i, c)) {
                    place(i);
                    break;
                }
        for (auto& i : items)
            if (placeable(i, cmdefault)) place(i);
    };
    FrameLayoutItem* sysMenu = nullptr;
    for (auto& i : items)
        if (placeable(i, cmsysmenu)) {
            sysMenu = &i;
            break;
        }
    if (!g.ButtonsInLeft) {
        int x = area.right;
        forEachButton([&](FrameLayoutItem& i) {
            const fw::Size s = sizeOf(i);
            i.placed = {x - s.width, y, x, y + s.height};
            x -= off + s.width;
        });
        if (noButtonsRect)
            if (FrameLayoutItem* cap = firstCaption(items)) cap->placed.right = x + off;
        if (!sysMenu) return;
        const fw::Rect& cr = g.StretchedCaptionRect;
        int sx = cr.left;
        const fw::Size s = sizeOf(*sysMenu);
        const int top = cr.top + cr.height() / 2 - s.height / 2;
        sysMenu->placed = {sx, top, sx + s.width, top + s.height};
        sx += off + s.width;
        if (FrameLayoutItem* cap = firstCaption(items)) cap->placed.left = sx - off;
    } else {
        int x = area.left;
        auto place = [&](FrameLayoutItem& i) {
            const fw::Size s = sizeOf(i);
            i.placed = {x, y, x + s.width, y + s.height};
            x += off + s.width;
        };
        forEachButton(place);
        if (noButtonsRect) {
            if (sysMenu) place(*sysMenu);
            if (FrameLayoutItem* cap = firstCaption(items)) cap->placed.left = x + off;
        }
    }
}

fw::Rect DefaultCaptionRectFor(int width, int captionHeight) {
    return {kDefaultFrameBorder, kDefaultFrameBorder, width - kDefaultFrameBorder, captionHeight};
}

std::wstring EllipsizeCaption(const std::wstring& text, int width,
                              const std::function<int(const std::wstring&)>& measure) {
    if (measure(text) <= width) return text;
    std::wstring rest = text;
    while (!rest.empty()) {
        rest.pop_back();
        if (measure(rest + L"...") <= width) break;
    }
    return rest + L"...";
}

fw::Rect CaptionTextRect(const TkvDataSkinCaption& d, int objectWidth) {
    fw::Rect t = d.TextRect;
    if (!t.empty()) t.right = objectWidth + d.TextRect.right - d.SkinRect.width();
    if (!d.FrameRect.empty()) {
        t.top += d.FrameTextRect.top;
        t.left += d.FrameTextRect.left;
        t.right += d.FrameTextRect.right - d.FrameRect.width();
    }
    return t;
}

fw::Point CaptionTextOrigin(fw::Rect t, TkvAlignment a, int w, int h) {
    const int y = t.top + t.height() / 2 - h / 2;
    switch (a) {
        case taleftjustify: return {t.left, y};
        case tarightjustify: return {t.right - w, y};
        case tacenter: break;
    }
    return {t.left + t.width() / 2 - w / 2, y};
}

fw::Rect CaptionAnimationSlice(fw::Rect animate, fw::Rect skin, int frameCount, int n) {
    if (frameCount <= 0 || n < 1 || n > frameCount || animate.empty()) return {};
    if (animate.height() > skin.height()) {
        const int h = animate.height() / frameCount;
        const int top = animate.top + (n - 1) * h;
        return {animate.left, top, animate.right, top + h};
    }
    const int w = animate.width() / frameCount;
    const int left = animate.left + (n - 1) * w;
    return {left, animate.top, left + w, animate.bottom};
}
