// Scaling and tiling primitives that the skin compositions are built from. All of them clip to the
// destination view, so callers may pass spans that reach outside it.
#pragma once

#include <cstring>

#include "framework/Bitmap.h"

// Copies n pixels between rows that do not overlap. Skin pieces and tiles are mostly narrow and come row by row:
// runs up to kInlineRun pixels are copied in place, in 16-byte steps with a last step that may overlap the one
// before, instead of through a library call each.
constexpr int kInlineRun = 96;
inline void CopyRun(fw::Pixel* d, const fw::Pixel* s, int n) {
    if (n > kInlineRun) {
        std::memcpy(d, s, sizeof(fw::Pixel) * static_cast<std::size_t>(n));
        return;
    }
    if (n >= 4) {
        for (int i = 0; i + 4 < n; i += 4) std::memcpy(d + i, s + i, 4 * sizeof(fw::Pixel));
        std::memcpy(d + n - 4, s + n - 4, 4 * sizeof(fw::Pixel));
        return;
    }
    if (n >= 2) {
        std::memcpy(d, s, 2 * sizeof(fw::Pixel));
        std::memcpy(d + n - 2, s + n - 2, 2 * sizeof(fw::Pixel));
    } else if (n == 1) {
        d[0] = s[0];
    }
}

// The part r of v (r must lie inside v).
fw::ConstPixelView SubView(fw::ConstPixelView v, fw::Rect r);
fw::PixelView SubView(fw::PixelView v, fw::Rect r);

// Stretches the whole of src onto dstRect (nearest pixel, sampled at pixel centres); pixels of dstRect that fall
// outside dst are skipped. Nothing happens when src or dstRect is empty.
void StretchPixels(fw::ConstPixelView src, fw::PixelView dst, fw::Rect dstRect);

// Repeats tile over area: tiles are laid on a grid whose origin is at origin, so the tile at origin is whole and
// every tile that reaches past area's right or bottom edge is cut there. Nothing happens when tile is empty.
void TilePixels(fw::ConstPixelView tile, fw::PixelView dst, fw::Point origin, fw::Rect area);

// fw::copyPixels (the same clipping) through CopyRun, for the many short rows of skin pieces. Returns the part of
// dst it wrote.
fw::Rect CopyPixelsFast(fw::ConstPixelView src, fw::Rect srcRect, fw::PixelView dst, int x, int y);

// Copies the segment seg of pic into scratch (resized to the segment's size; parts of the segment outside pic stay
// 0) and returns a view of it. Stretching always goes through such a copy, so that a stretch never reads outside
// the segment and a damaged skin geometry never reads outside the picture.
fw::ConstPixelView CopySegment(fw::ConstPixelView pic, fw::Rect seg, fw::Bitmap& scratch);

// The segment seg of pic for tiling: a direct view when seg lies inside pic, otherwise a clipped copy in scratch.
fw::ConstPixelView SegmentForTiling(fw::ConstPixelView pic, fw::Rect seg, fw::Bitmap& scratch);

// Copies src to dst at (x, y), leaving out the pixels whose colour (alpha ignored) equals key, a platform colour
// 0x00BBGGRR. The software form of the platform's transparent copy.
void TransparentCopy(fw::ConstPixelView src, fw::PixelView dst, int x, int y, fw::Color key);
