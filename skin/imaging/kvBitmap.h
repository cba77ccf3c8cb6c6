// TkvBitmap: a 32-bit image with an alpha channel (blue, green, red, alpha per pixel, rows top-down), used for
// glow frames and glowing text. Its pixels live in a platform surface: a DIB section with its own device context
// on Windows, plain memory elsewhere, so that the pixel work is the same and is tested natively.
#pragma once

#include <memory>
#include <vector>

#include "framework/Bitmap.h"

#ifdef _WIN32
#include <windows.h>
#endif

// The platform storage behind a TkvBitmap (BitmapSurface.h).
struct TkvBitmapSurface;

class TkvBitmap {
public:
    TkvBitmap();
    ~TkvBitmap();
    TkvBitmap(const TkvBitmap&) = delete;
    TkvBitmap& operator=(const TkvBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !surface_; }

    // Takes absolute values; a width or height of 0, or the current size, changes nothing. Otherwise the old
    // buffer is released and a new one (all pixels 0) made. A failure raises std::runtime_error with the message
    // of the failing step, and the bitmap then holds no buffer.
    void SetSize(int width, int height);

    fw::PixelView Pixels();
    fw::ConstPixelView Pixels() const;

    // Takes size and pixels of src.
    void Assign(fw::ConstPixelView src);

    // Alpha of every pixel from the mask pixel at the same place: round((R + G + B) / 3), so white is opaque and
    // black transparent. Nothing happens when the sizes differ.
    void MaskToAlpha(fw::ConstPixelView mask);

    // Blurs red, green and blue with triangular weights over radius pixels each way, first along rows, then along
    // columns; alpha is not blurred. A radius of 0 or less does nothing.
    void StackBlur(int radius);

    // Scans the alpha channel: PartialAlpha() becomes true when some alpha is neither 0 nor 255, and then the
    // bitmap draws alpha-blended.
    void CheckAlpha();

    bool PartialAlpha() const { return partialAlpha_; }
    bool AlphaBlend = false;   // draw with per-pixel alpha
    bool Transparent = false;  // draw leaving out the key colour kTransparentKey

    // The key colour of transparent drawing, a platform colour value.
    static constexpr fw::Color kTransparentKey = 0x7F007F;

    // Every live TkvBitmap, so that a drawing routine given only a drawing surface can find the bitmap behind it.
    static const std::vector<TkvBitmap*>& LiveBitmaps();

#ifdef _WIN32
    HDC DC() const;
    HBITMAP Handle() const;
    // The live TkvBitmap whose drawing surface is dc, or none.
    static TkvBitmap* FromDC(HDC dc);
    // Takes size and pixels of a platform bitmap.
    void AssignBitmap(HBITMAP bitmap);
    // Draws at (x, y): alpha-blended, transparent, or as a plain copy (see kvBitmapWin.cpp).
    void Draw(HDC dst, int x, int y) const;
    // The transparent mode done in software on a copy of the destination area, which is then copied back.
    void DrawTransparentSoftware(HDC dst, int x, int y) const;
#endif

private:
    std::unique_ptr<TkvBitmapSurface> surface_;
    int width_ = 0;
    int height_ = 0;
    bool partialAlpha_ = false;
};

// Creates the platform storage for w x h pixels (all 0); throws std::runtime_error with the failing step's message.
std::unique_ptr<TkvBitmapSurface> createBitmapSurface(int w, int h);
fw::PixelView surfacePixels(TkvBitmapSurface& s);

// The stack blur on any 32-bit view (colour channels only).
void stackBlur(fw::PixelView v, int radius);
// Premultiplies colour by alpha, the form per-pixel alpha drawing expects (src and dst may be the same view).
void premultiplyAlpha(fw::ConstPixelView src, fw::PixelView dst);
#ifdef _WIN32
// Reads a platform bitmap as 32-bit pixels; false when it cannot be read.
bool readPlatformBitmap(HBITMAP bitmap, fw::Bitmap& dst);
#endif
