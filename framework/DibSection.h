// A 32-bit top-down DIB section selected into its own memory DC: fw::Bitmap pixel code draws into pixels(), GDI
// code draws through canvas(), and the result is copied to a window in one piece.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Handles.h"

namespace fw {

class DibSection {
public:
    DibSection() = default;
    DibSection(int width, int height) { resize(width, height); }
    ~DibSection();
    DibSection(DibSection&&) noexcept;
    DibSection& operator=(DibSection&&) noexcept;

    // Makes a new section of this size (contents zeroed); 0 x 0 frees it. Sizes are checked like fw::Bitmap. The
    // same size again reuses the section, zeroed and with its DC's state as new.
    void resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    Rect rect() const { return {0, 0, width_, height_}; }

    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    // Direct pixel access; pending GDI drawing is flushed first.
    PixelView pixels();
    ConstPixelView pixels() const;
    // GDI drawing into the section (valid until the next resize).
    Canvas& canvas();

    // Copies the whole section to dc at (x, y).
    void drawTo(HDC dc, int x, int y) const;
    // Copies src into this section at (0, 0), resizing to src's size.
    void assign(ConstPixelView src);

private:
    void release();

    int width_ = 0;
    int height_ = 0;
    Pixel* bits_ = nullptr;
    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    bool savedState_ = false;  // the DC's state as made is saved (SaveDC), for a reuse to go back to
    std::unique_ptr<Canvas> canvas_;
};

}  // namespace fw
