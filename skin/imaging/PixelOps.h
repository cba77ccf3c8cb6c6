// Scaling and tiling primitives that the skin compositions are built from. All of them clip to the
// destination view, so callers may pass spans that reach outside it.
#pragma once

#include "framework/Bitmap.h"

// The part r of v (r must lie inside v).
fw::ConstPixelView subView(fw::ConstPixelView v, fw::Rect r);
fw::PixelView subView(fw::PixelView v, fw::Rect r);

// Stretches the whole of src onto dstRect (nearest pixel, sampled at pixel centres); pixels of dstRect that fall
// outside dst are skipped. Nothing happens when src or dstRect is empty.
void stretchPixels(fw::ConstPixelView src, fw::PixelView dst, fw::Rect dstRect);

// Repeats tile over area: tiles are laid on a grid whose origin is at origin, so the tile at origin is whole and
// every tile that reaches past area's right or bottom edge is cut there. Nothing happens when tile is empty.
void tilePixels(fw::ConstPixelView tile, fw::PixelView dst, fw::Point origin, fw::Rect area);

// Copies the segment seg of pic into scratch (resized to the segment's size; parts of the segment outside pic stay
// 0) and returns a view of it. Stretching always goes through such a copy, so that a stretch never reads outside
// the segment and a damaged skin geometry never reads outside the picture.
fw::ConstPixelView copySegment(fw::ConstPixelView pic, fw::Rect seg, fw::Bitmap& scratch);

// The segment seg of pic for tiling: a direct view when seg lies inside pic, otherwise a clipped copy in scratch.
fw::ConstPixelView segmentForTiling(fw::ConstPixelView pic, fw::Rect seg, fw::Bitmap& scratch);

// Copies src to dst at (x, y), leaving out the pixels whose colour (alpha ignored) equals key, a platform colour
// 0x00BBGGRR. The software form of the platform's transparent copy.
void transparentCopy(fw::ConstPixelView src, fw::PixelView dst, int x, int y, fw::Color key);
