#include "skin/imaging/MaskRegion.h"

#include <algorithm>

namespace {
bool isBlack(fw::Pixel p) { return (p & 0x00FFFFFFu) == 0; }

// Rows are scanned a block at a time: a mask changes colour a few times per row, so almost every block is one
// colour, and the test for that is a branch-free reduction over the block (a few vector operations).
constexpr int kBlock = 32;
bool anyBlack(const fw::Pixel* p) {
    unsigned found = 0;
    for (int i = 0; i < kBlock; ++i) found |= (p[i] & 0x00FFFFFFu) == 0 ? 1u : 0u;
    return found != 0;
}
bool anyColour(const fw::Pixel* p) {
    fw::Pixel bits = 0;
    for (int i = 0; i < kBlock; ++i) bits |= p[i];
    return (bits & 0x00FFFFFFu) != 0;
}
}  // namespace

void AppendMaskRuns(fw::ConstPixelView mask, int ox, int oy, std::vector<fw::Rect>& rects) {
    const int w = mask.width;
    for (int y = 0; y < mask.height; ++y) {
        const fw::Pixel* row = mask.scanline(y);
        int x = 0;
        while (x < w) {
            while (x + kBlock <= w && !anyBlack(row + x)) x += kBlock;
            while (x < w && !isBlack(row[x])) ++x;
            if (x == w) break;
            const int x0 = x;
            while (x + kBlock <= w && !anyColour(row + x)) x += kBlock;
            while (x < w && isBlack(row[x])) ++x;
            rects.push_back({x0 + ox, y + oy, x + ox, y + oy + 1});
        }
    }
}

MaskRegion MaskToRegion(fw::ConstPixelView mask, int ox, int oy) {
    MaskRegion r;
    if (mask.empty()) return r;
    r.bounds = fw::Rect::fromSize(ox, oy, mask.width, mask.height);
    AppendMaskRuns(mask, ox, oy, r.rects);
    return r;
}

std::optional<MaskRegion> ComposeMaskRegion(fw::ConstPixelView mask, const SkinCorners& src, const SkinCorners& dst,
                                            int width, int height) {
    if (dst.rt.x < dst.lt.x || dst.lb.y < dst.lt.y) return std::nullopt;
    const fw::Rect& nc = dst.client;
    if (nc.empty()) return std::nullopt;

    // Masks are always repeated; pixels no tile or piece reaches stay white (outside).
    const SkinStretch repeat{};
    const BorderBands bands = ComposeBands(mask, mask.rect(), src, dst, width, height, repeat, false,
                                           fw::makePixel(255, 255, 255));

    MaskRegion r;
    r.bounds = fw::Rect{0, 0, std::max(width, 0), std::max(height, 0)};
    // Top to bottom: the top band, the left band's runs, the client rectangle, the right band's runs, the bottom
    // band. The pieces do not overlap; the platform unites them in one call.
    AppendMaskRuns(bands.top, 0, 0, r.rects);
    std::vector<fw::Rect> left, right;
    AppendMaskRuns(bands.left, 0, nc.top, left);
    AppendMaskRuns(bands.right, nc.right, nc.top, right);
    r.rects.insert(r.rects.end(), left.begin(), left.end());
    r.rects.push_back(nc);
    r.rects.insert(r.rects.end(), right.begin(), right.end());
    AppendMaskRuns(bands.bottom, 0, nc.bottom, r.rects);
    return r;
}
