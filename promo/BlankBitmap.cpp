#include "promo/BlankBitmap.h"

#include <algorithm>

BlankBitmap::BlankBitmap(int width, int height) {
    dib_.resize(std::max(width, 0), std::max(height, 0));
    if (dib_.empty()) return;
    fw::PixelView px = dib_.pixels();
    for (int y = 0; y < px.height; ++y) std::fill_n(px.scanline(y), px.width, fw::makePixel(255, 255, 255));
}

void BlankBitmap::draw(fw::Canvas& canvas, const fw::Rect& dst) {
    if (!dib_.empty()) canvas.copyRect(dst, dib_.dc(), dib_.rect());
}

void BlankBitmap::loadFromStream(fw::Stream&) { throw fw::PictureError("A drawn bitmap cannot be loaded"); }
