#include "framework/Canvas.h"

#include <algorithm>
#include <vector>

#include "framework/DibSection.h"

namespace fw {

Canvas::Canvas(HDC dc) : dc_(dc) {}

Canvas::~Canvas() {
    // Our objects must leave the DC before they are deleted.
    if (oldPen_) SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    if (oldFont_) SelectObject(dc_, oldFont_);
}

void Canvas::setPenColor(Color c) {
    if (c != penColor_) {
        penColor_ = c;
        penDirty_ = true;
    }
}
void Canvas::setPenWidth(int w) {
    if (w != penWidth_) {
        penWidth_ = w;
        penDirty_ = true;
    }
}
void Canvas::setPenStyle(int s) {
    if (s != penStyle_) {
        penStyle_ = s;
        penDirty_ = true;
    }
}
void Canvas::setBrushColor(Color c) {
    if (c != brushColor_) {
        brushColor_ = c;
        brushDirty_ = true;
    }
}
void Canvas::setBrushStyle(BrushStyle s) {
    if (s != brushStyle_) {
        brushStyle_ = s;
        brushDirty_ = true;
    }
}

void Canvas::usePen() {
    if (!penDirty_) return;
    Pen fresh(CreatePen(penStyle_, penWidth_, resolveColor(penColor_)));
    HGDIOBJ prev = SelectObject(dc_, fresh.get());
    if (!oldPen_) oldPen_ = prev;
    pen_ = std::move(fresh);  // the previous pen of ours is no longer selected, so it may go
    penDirty_ = false;
}

void Canvas::useBrush() {
    if (!brushDirty_) return;
    Brush fresh(brushStyle_ == BrushStyle::Clear ? nullptr : CreateSolidBrush(resolveColor(brushColor_)));
    HGDIOBJ prev = SelectObject(dc_, fresh ? static_cast<HGDIOBJ>(fresh.get()) : GetStockObject(NULL_BRUSH));
    if (!oldBrush_) oldBrush_ = prev;
    brush_ = std::move(fresh);
    brushDirty_ = false;
}

void Canvas::useFont() {
    HGDIOBJ prev = SelectObject(dc_, font_.handle());
    if (!oldFont_) oldFont_ = prev;
    SetTextColor(dc_, resolveColor(font_.color()));
    if (brushStyle_ == BrushStyle::Clear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, resolveColor(brushColor_));
    }
}

void Canvas::fillRect(const Rect& r) {
    if (brushStyle_ == BrushStyle::Clear || r.empty()) return;
    useBrush();
    RECT rc = toRECT(r);
    FillRect(dc_, &rc, brush_.get());
}

void Canvas::frameRect(const Rect& r) {
    if (brushStyle_ == BrushStyle::Clear || r.empty()) return;
    useBrush();
    RECT rc = toRECT(r);
    FrameRect(dc_, &rc, brush_.get());
}

void Canvas::rectangle(const Rect& r) {
    usePen();
    useBrush();
    Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void Canvas::moveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void Canvas::lineTo(int x, int y) {
    usePen();
    LineTo(dc_, x, y);
}

void Canvas::polyline(std::span<const Point> points) {
    if (points.empty()) return;
    usePen();
    std::vector<POINT> pts(points.size());
    std::transform(points.begin(), points.end(), pts.begin(), [](Point p) { return POINT{p.x, p.y}; });
    Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
}

void Canvas::setPixel(int x, int y, Color c) { SetPixelV(dc_, x, y, resolveColor(c)); }
Color Canvas::pixel(int x, int y) const { return GetPixel(dc_, x, y); }

void Canvas::textOut(int x, int y, std::wstring_view text) {
    useFont();
    TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

Size Canvas::textExtent(std::wstring_view text) {
    useFont();
    SIZE sz{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &sz);
    return {sz.cx, sz.cy};
}

int Canvas::drawText(std::wstring_view text, Rect& r, UINT flags) {
    useFont();
    RECT rc = toRECT(r);
    int h = DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &rc, flags);
    r = fromRECT(rc);
    return h;
}

Rect Canvas::clipRect() const {
    RECT rc{};
    GetClipBox(dc_, &rc);
    return fromRECT(rc);
}

void Canvas::copyRect(const Rect& dst, HDC src, const Rect& s, DWORD rop) {
    if (dst.width() == s.width() && dst.height() == s.height()) {
        BitBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), src, s.left, s.top, rop);
    } else {
        SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, dst.left, dst.top, dst.width(), dst.height(), src, s.left, s.top, s.width(), s.height(), rop);
    }
}

namespace {
// Header for rows of a view starting at row `top`: a top-down DIB as wide as the stride.
BITMAPINFO dibHeader(const ConstPixelView& v, int rows) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = v.stride;
    bi.bmiHeader.biHeight = -rows;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}
}  // namespace

void stretchPixels(HDC dc, const Rect& dst, ConstPixelView src, Rect s) {
    s = s.intersect(src.rect());
    if (s.empty() || dst.empty()) return;
    // Hand the platform only the rows we need, so that the row origin convention cannot matter.
    BITMAPINFO bi = dibHeader(src, s.height());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, dst.left, dst.top, dst.width(), dst.height(), s.left, 0, s.width(), s.height(),
                  src.scanline(s.top), &bi, DIB_RGB_COLORS, SRCCOPY);
}

void drawPixels(HDC dc, int x, int y, ConstPixelView src, Rect s) {
    Rect clipped = s.intersect(src.rect());
    if (clipped.empty()) return;
    x += clipped.left - s.left;
    y += clipped.top - s.top;
    stretchPixels(dc, Rect::fromSize(x, y, clipped.width(), clipped.height()), src, clipped);
}

void drawPixels(HDC dc, int x, int y, ConstPixelView src) { drawPixels(dc, x, y, src, src.rect()); }

void alphaBlendPixels(HDC dc, int x, int y, ConstPixelView src, Rect s, int opacity) {
    Rect clipped = s.intersect(src.rect());
    if (clipped.empty() || opacity <= 0) return;
    x += clipped.left - s.left;
    y += clipped.top - s.top;
    // The platform blends premultiplied pixels only.
    DibSection tmp(clipped.width(), clipped.height());
    PixelView out = tmp.pixels();
    for (int row = 0; row < out.height; ++row) {
        const Pixel* in = src.scanline(clipped.top + row) + clipped.left;
        Pixel* o = out.scanline(row);
        for (int col = 0; col < out.width; ++col) {
            Pixel p = in[col];
            int a = pixelA(p);
            o[col] = makePixel(pixelR(p) * a / 255, pixelG(p) * a / 255, pixelB(p) * a / 255, a);
        }
    }
    BLENDFUNCTION bf{AC_SRC_OVER, 0, static_cast<BYTE>(std::min(opacity, 255)), AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, out.width, out.height, tmp.dc(), 0, 0, out.width, out.height, bf);
}

}  // namespace fw
