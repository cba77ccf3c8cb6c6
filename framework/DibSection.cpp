#include "framework/DibSection.h"

#include <cstring>

namespace fw {

DibSection::~DibSection() { release(); }

DibSection::DibSection(DibSection&& o) noexcept { *this = std::move(o); }

DibSection& DibSection::operator=(DibSection&& o) noexcept {
    if (this != &o) {
        release();
        width_ = std::exchange(o.width_, 0);
        height_ = std::exchange(o.height_, 0);
        bits_ = std::exchange(o.bits_, nullptr);
        dc_ = std::move(o.dc_);
        bitmap_ = std::move(o.bitmap_);
        oldBitmap_ = std::exchange(o.oldBitmap_, nullptr);
        savedState_ = std::exchange(o.savedState_, false);
        canvas_ = std::move(o.canvas_);
    }
    return *this;
}

void DibSection::release() {
    canvas_.reset();  // restores the DC's objects before the bitmap leaves it
    if (dc_.get() && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    savedState_ = false;
    bitmap_.reset();
    dc_ = MemoryDC();
    bits_ = nullptr;
    width_ = height_ = 0;
}

void DibSection::resize(int width, int height) {
    if (width == width_ && height == height_ && bits_) {
        // The same section again, as if new: no canvas objects, the DC's state as made, the pixels zeroed. A
        // control that paints through one section every time saves making and freeing it on each paint.
        canvas_.reset();
        if (savedState_) {
            RestoreDC(dc_.get(), -1);
            savedState_ = SaveDC(dc_.get()) != 0;
        }
        GdiFlush();
        std::memset(bits_, 0, sizeof(Pixel) * static_cast<size_t>(width_) * height_);
        return;
    }
    if (width <= 0 || height <= 0) {
        release();
        return;
    }
    checkBitmapSize(width, height);
    release();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp || !bits) throw BitmapSizeError("cannot create a device-independent bitmap");
    dc_ = MemoryDC(nullptr);
    oldBitmap_ = SelectObject(dc_.get(), bmp.get());
    savedState_ = SaveDC(dc_.get()) != 0;
    bitmap_ = std::move(bmp);
    bits_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
}

PixelView DibSection::pixels() {
    GdiFlush();
    return {bits_, width_, height_, width_};
}

ConstPixelView DibSection::pixels() const {
    GdiFlush();
    return {bits_, width_, height_, width_};
}

Canvas& DibSection::canvas() {
    if (!canvas_) {
        if (!dc_.get()) dc_ = MemoryDC(nullptr);  // an empty section still gives a (1 x 1) drawing surface
        canvas_ = std::make_unique<Canvas>(dc_.get());
    }
    return *canvas_;
}

void DibSection::drawTo(HDC dc, int x, int y) const {
    if (!empty()) BitBlt(dc, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

void DibSection::assign(ConstPixelView src) {
    resize(src.width, src.height);
    if (!empty()) copyPixels(src, src.rect(), pixels(), 0, 0);
}

}  // namespace fw
