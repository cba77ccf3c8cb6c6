#include "skin/imaging/PixelOps.h"

#include <algorithm>
#include <cstring>

#include "skin/imaging/PixelKernels.h"

fw::ConstPixelView SubView(fw::ConstPixelView v, fw::Rect r) {
    return {v.data + static_cast<std::ptrdiff_t>(r.top) * v.stride + r.left, r.width(), r.height(), v.stride};
}

fw::PixelView SubView(fw::PixelView v, fw::Rect r) {
    return {v.data + static_cast<std::ptrdiff_t>(r.top) * v.stride + r.left, r.width(), r.height(), v.stride};
}

namespace {
// Source index for destination index i of a span of length dstLen over a source of length srcLen: the source
// pixel under the destination pixel's centre. 64-bit so that large spans cannot overflow.
int sampleIndex(int i, int srcLen, int dstLen) {
    return static_cast<int>(((2 * static_cast<std::int64_t>(i) + 1) * srcLen) /
                            (2 * static_cast<std::int64_t>(dstLen)));
}
}  // namespace

void StretchPixels(fw::ConstPixelView src, fw::PixelView dst, fw::Rect dstRect) {
    if (src.empty() || dstRect.empty()) return;
    const fw::Rect vis = dstRect.intersect(dst.rect());
    if (vis.empty()) return;
    const int dw = dstRect.width(), dh = dstRect.height();
    for (int y = vis.top; y < vis.bottom; ++y) {
        const fw::Pixel* s = src.scanline(sampleIndex(y - dstRect.top, src.height, dh));
        fw::Pixel* d = dst.scanline(y);
        if (dw == src.width) {
            std::memcpy(d + vis.left, s + (vis.left - dstRect.left), sizeof(fw::Pixel) * vis.width());
            continue;
        }
        for (int x = vis.left; x < vis.right; ++x) d[x] = s[sampleIndex(x - dstRect.left, src.width, dw)];
    }
}

namespace {
// Non-negative remainder, so that tiles line up with an origin that lies right of or below the area.
int floorMod(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

}  // namespace

void TilePixels(fw::ConstPixelView tile, fw::PixelView dst, fw::Point origin, fw::Rect area) {
    if (tile.empty()) return;
    const fw::Rect vis = area.intersect(dst.rect());
    if (vis.empty()) return;
    const int firstCol = floorMod(vis.left - origin.x, tile.width);
    int tileRowIndex = floorMod(vis.top - origin.y, tile.height);
    const int w = vis.width(), rows = vis.height(), direct = std::min(rows, tile.height);
    const auto tileRow = ActivePixelKernels().tileRow;
    for (int r = 0; r < direct; ++r) {
        fw::Pixel* d = dst.scanline(vis.top + r) + vis.left;
        const fw::Pixel* s = tile.scanline(tileRowIndex);
        // A narrow band's rows lie within one tile: a plain copy, without a call per row.
        if (tile.width - firstCol >= w) CopyRun(d, s + firstCol, w);
        else tileRow(d, w, s, tile.width, firstCol);
        if (++tileRowIndex == tile.height) tileRowIndex = 0;
    }
    // From the tile's height on, every row repeats the destination row one tile height above it. Where the area
    // spans whole rows that follow each other in memory (a narrow border band), whole blocks of rows are repeated,
    // each copy doubling what is done, instead of one copy per row.
    if (vis.left == 0 && w == dst.stride) {
        fw::Pixel* first = dst.scanline(vis.top);
        for (int done = direct; done < rows;) {
            const int k = std::min(done, rows - done);  // done stays a whole number of tile heights
            std::memcpy(first + std::ptrdiff_t(done) * w, first, sizeof(fw::Pixel) * std::size_t(k) * std::size_t(w));
            done += k;
        }
        return;
    }
    for (int r = direct; r < rows; ++r)
        CopyRun(dst.scanline(vis.top + r) + vis.left, dst.scanline(vis.top + r - tile.height) + vis.left, w);
}

fw::Rect CopyPixelsFast(fw::ConstPixelView src, fw::Rect srcRect, fw::PixelView dst, int x, int y) {
    const fw::Rect s = srcRect.intersect(src.rect());
    x += s.left - srcRect.left;
    y += s.top - srcRect.top;
    const fw::Rect d = fw::Rect::fromSize(x, y, s.width(), s.height()).intersect(dst.rect());
    if (d.empty()) return {};
    const int sx = s.left + (d.left - x), sy = s.top + (d.top - y);
    for (int row = 0; row < d.height(); ++row)
        CopyRun(dst.scanline(d.top + row) + d.left, src.scanline(sy + row) + sx, d.width());
    return d;
}

fw::ConstPixelView CopySegment(fw::ConstPixelView pic, fw::Rect seg, fw::Bitmap& scratch) {
    if (seg.empty()) {
        scratch.resize(0, 0);
        return scratch.view();
    }
    scratch.resize(seg.width(), seg.height());
    fw::copyPixels(pic, seg, scratch, 0, 0);
    return scratch.view();
}

fw::ConstPixelView SegmentForTiling(fw::ConstPixelView pic, fw::Rect seg, fw::Bitmap& scratch) {
    if (seg.empty()) return {};
    if (seg.intersect(pic.rect()) == seg) return SubView(pic, seg);
    return CopySegment(pic, seg, scratch);
}

void TransparentCopy(fw::ConstPixelView src, fw::PixelView dst, int x, int y, fw::Color key) {
    const fw::Rect d = fw::Rect::fromSize(x, y, src.width, src.height).intersect(dst.rect());
    const fw::Pixel keyRgb = fw::colorToPixel(key) & 0x00FFFFFFu;
    for (int row = d.top; row < d.bottom; ++row) {
        const fw::Pixel* s = src.scanline(row - y) + (d.left - x);
        fw::Pixel* o = dst.scanline(row) + d.left;
        for (int i = 0; i < d.width(); ++i) {
            if ((s[i] & 0x00FFFFFFu) != keyRgb) o[i] = s[i];
        }
    }
}
