// Scaling and tiling primitives that the skin compositions are built from. All of them clip to the
// destination view, so callers may pass spans that reach outside it.
#pragma once

#include "framework/Bitmap.h"

namespace fw {

// The part r of v (r must lie inside v).
ConstPixelView subView(ConstPixelView v, Rect r);
PixelView subView(PixelView v, Rect r);

// Stretches the whole of src onto dstRect (nearest pixel, sampled at pixel centres); pixels of dstRect that fall
// outside dst are skipped. Nothing happens when src or dstRect is empty.
void stretchPixels(ConstPixelView src, PixelView dst, Rect dstRect);

// Repeats tile over area: tiles are laid on a grid whose origin is at origin, so the tile at origin is whole and
// every tile that reaches past area's right or bottom edge is cut there. Nothing happens when tile is empty.
void tilePixels(ConstPixelView tile, PixelView dst, Point origin, Rect area);

// Copies the segment seg of pic into scratch (resized to the segment's size; parts of the segment outside pic stay
// 0) and returns a view of it. Stretching always goes through such a copy, so that a stretch never reads outside
// the segment and a damaged skin geometry never reads outside the picture.
ConstPixelView copySegment(ConstPixelView pic, Rect seg, Bitmap& scratch);

// The segment seg of pic for tiling: a direct view when seg lies inside pic, otherwise a clipped copy in scratch.
ConstPixelView segmentForTiling(ConstPixelView pic, Rect seg, Bitmap& scratch);

// Copies src to dst at (x, y), leaving out the pixels whose colour (alpha ignored) equals key, a platform colour
// 0x00BBGGRR. The software form of the platform's transparent copy.
void transparentCopy(ConstPixelView src, PixelView dst, int x, int y, Color key);

}  // namespace fw
