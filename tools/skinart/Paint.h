// Small drawing primitives for generating skin pictures: solid and graded fills, lines, rounded boxes.
// Everything is integer and crisp at 1:1; the only softening is the blended pixel in a rounded corner.
#pragma once

#include "framework/Bitmap.h"

namespace skinart {

using fw::Pixel;
using fw::PixelView;
using fw::Rect;

constexpr Pixel rgb(int r, int g, int b) { return fw::makePixel(r, g, b); }
// Mixes a toward b: t = 0 gives a, t = 256 gives b.
Pixel mix(Pixel a, Pixel b, int t);

void fill(PixelView v, Rect r, Pixel p);
// Vertical gradient: row r.top is `top`, the last row is `bottom`.
void vGradient(PixelView v, Rect r, Pixel top, Pixel bottom);
void hLine(PixelView v, int x0, int x1, int y, Pixel p);  // [x0, x1)
void vLine(PixelView v, int x, int y0, int y1, Pixel p);  // [y0, y1)
void frame(PixelView v, Rect r, Pixel p);                 // one-pixel outline inside r
// Line from (x0, y0) to (x1, y1), both ends drawn.
void line(PixelView v, int x0, int y0, int x1, int y1, Pixel p);
void plot(PixelView v, int x, int y, Pixel p);

// A box with its four corners cut by `radius` (0..5) pixels: outline `border`, inside a vertical gradient.
// The outermost corner pixel is blended with what lies under it, so small radii still look round.
void roundBox(PixelView v, Rect r, int radius, Pixel border, Pixel top, Pixel bottom);
// The same outline only, leaving the inside alone.
void roundFrame(PixelView v, Rect r, int radius, Pixel border);
// Whether (x, y) lies inside the rounded box (used for masks).
bool insideRound(Rect r, int radius, int x, int y);
// Filled disc centred in r (r square), edge pixels blended.
void disc(PixelView v, Rect r, Pixel p);
// Ring (one pixel wide) centred in r.
void ring(PixelView v, Rect r, Pixel p);

}  // namespace skinart
