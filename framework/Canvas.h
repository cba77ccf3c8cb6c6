// Drawing on a device context with a current font, pen and brush. The canvas does not own the DC; it owns the pen,
// brush and font handles it creates, selects them only while they are needed and puts the DC's original objects
// back when it is destroyed.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string_view>

#include "framework/Bitmap.h"
#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/Geometry.h"
#include "framework/Handles.h"

namespace fw {

inline RECT toRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline Rect fromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

enum class BrushStyle { Solid, Clear };

class Canvas {
public:
    explicit Canvas(HDC dc);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC handle() const { return dc_; }

    // Current font (changes apply to the next text call).
    Font& font() { return font_; }
    void setFont(const Font& f) { font_.assign(f); }

    // Pen: colour, width, platform style (PS_SOLID, PS_DOT, ...).
    Color penColor() const { return penColor_; }
    void setPenColor(Color c);
    void setPenWidth(int w);
    void setPenStyle(int s);
    // Brush: colour and style; a clear brush fills nothing and draws text transparently.
    Color brushColor() const { return brushColor_; }
    void setBrushColor(Color c);
    void setBrushStyle(BrushStyle s);
    BrushStyle brushStyle() const { return brushStyle_; }

    // Shapes.
    void fillRect(const Rect& r);   // with the brush, no outline
    void frameRect(const Rect& r);  // one-pixel frame in the brush colour
    void rectangle(const Rect& r);  // pen outline, brush inside
    void moveTo(int x, int y);
    void lineTo(int x, int y);  // from the current position; the end point is not drawn
    void polyline(std::span<const Point> points);
    void setPixel(int x, int y, Color c);
    Color pixel(int x, int y) const;  // CLR_INVALID outside the clip area

    // Text with the current font and its colour; background filled with the brush unless the brush is clear.
    void textOut(int x, int y, std::wstring_view text);
    Size textExtent(std::wstring_view text);
    int textWidth(std::wstring_view text) { return textExtent(text).width; }
    int textHeight(std::wstring_view text) { return textExtent(text).height; }
    // DrawText with DT_* flags; r is updated by DT_CALCRECT. Returns the text height.
    int drawText(std::wstring_view text, Rect& r, UINT flags);

    // Clipping: save()/restore() bracket any change of clip or origin.
    int save() { return SaveDC(dc_); }
    void restore(int id) { RestoreDC(dc_, id); }
    void intersectClip(const Rect& r) { IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom); }
    void excludeClip(const Rect& r) { ExcludeClipRect(dc_, r.left, r.top, r.right, r.bottom); }
    Rect clipRect() const;

    // Copies (stretching when sizes differ) from another DC or canvas.
    void copyRect(const Rect& dst, HDC src, const Rect& srcRect, DWORD rop = SRCCOPY);
    void copyRect(const Rect& dst, const Canvas& src, const Rect& srcRect) { copyRect(dst, src.handle(), srcRect); }

private:
    void usePen();
    void useBrush();
    void useFont();

    HDC dc_;
    Font font_;
    Color penColor_ = clBlack;
    int penWidth_ = 1;
    int penStyle_ = PS_SOLID;
    Color brushColor_ = clWhite;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Pen pen_;
    Brush brush_;
    bool penDirty_ = true;
    bool brushDirty_ = true;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

// Pixel drawing onto a DC. srcRect is clipped to the source.
void drawPixels(HDC dc, int x, int y, ConstPixelView src, Rect srcRect);
void drawPixels(HDC dc, int x, int y, ConstPixelView src);
void stretchPixels(HDC dc, const Rect& dst, ConstPixelView src, Rect srcRect);
// Blends src over the DC using each pixel's alpha (straight, not premultiplied) times opacity / 255.
void alphaBlendPixels(HDC dc, int x, int y, ConstPixelView src, Rect srcRect, int opacity = 255);

}  // namespace fw
