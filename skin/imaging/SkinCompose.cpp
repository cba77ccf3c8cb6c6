#include "skin/imaging/SkinCompose.h"

#include <algorithm>
#include <array>

#include "skin/imaging/PixelOps.h"

using fw::Bitmap;
using fw::ConstPixelView;
using fw::PixelView;
using fw::Point;
using fw::Rect;

SkinCorners ResizeCorners(const SkinCorners& c, int dx, int dy) {
    return {c.lt,
            {c.rt.x + dx, c.rt.y},
            {c.lb.x, c.lb.y + dy},
            {c.rb.x + dx, c.rb.y + dy},
            {c.client.left, c.client.top, c.client.right + dx, c.client.bottom + dy}};
}

int SkinSizingMode(fw::Rect skinRect, const SkinCorners& c) {
    const auto set = [](fw::Point p) { return p.x != 0 || p.y != 0; };
    if (skinRect.empty()) return -1;
    if (c.rb.x != 0 && c.rb.y != 0) return 1;
    if (set(c.rt)) return 2;
    if (set(c.lb)) return 3;
    return 0;
}

SkinCorners PlainCorners(fw::Rect client) {
    return {{client.left, client.top},
            {client.right, client.top},
            {client.left, client.bottom},
            {client.right, client.bottom},
            client};
}

SkinStretch PlainStretch() { return {true, true, true, true, true, stfull}; }

namespace {

// Where a composition draws: full-image coordinates minus offset are coordinates of view, and view's bounds clip.
// The whole image uses offset (0, 0); a border band uses its own place in the whole image.
struct Target {
    fw::PixelView view;
    fw::Point offset;
    fw::Rect Local(fw::Rect r) const { return r.offset(-offset.x, -offset.y); }
    fw::Point Local(fw::Point p) const { return {p.x - offset.x, p.y - offset.y}; }
};

// The parts of its target a composition has written (at most its four middles, eight pieces and client area), so
// that a target which was not cleared first can be filled around them.
struct Written {
    std::array<fw::Rect, 13> rects;
    int count = 0;
    void Add(fw::Rect r) {
        if (!r.empty()) rects[count++] = r;
    }
};

// Fills the pixels of view that no rectangle of written covers: the rectangles' top and bottom edges cut view into
// slabs that each rectangle spans wholly or not at all, and in each slab the gaps between the spanning rectangles'
// columns are filled.
void fillUnwritten(fw::PixelView view, const Written& written, fw::Pixel fill) {
    std::array<int, 2 * 13 + 2> ys;
    int ny = 0;
    ys[ny++] = 0;
    ys[ny++] = view.height;
    for (int i = 0; i < written.count; ++i) {
        ys[ny++] = std::clamp(written.rects[i].top, 0, view.height);
        ys[ny++] = std::clamp(written.rects[i].bottom, 0, view.height);
    }
    std::sort(ys.begin(), ys.begin() + ny);
    ny = int(std::unique(ys.begin(), ys.begin() + ny) - ys.begin());
    for (int j = 0; j + 1 < ny; ++j) {
        std::array<std::pair<int, int>, 13> spans;  // columns [left, right) of the rectangles spanning the slab
        int n = 0;
        for (int i = 0; i < written.count; ++i) {
            const fw::Rect& r = written.rects[i];
            if (r.top <= ys[j] && r.bottom >= ys[j + 1]) spans[n++] = {r.left, r.right};
        }
        std::sort(spans.begin(), spans.begin() + n);
        int x = 0;
        const auto gap = [&](int to) {
            for (int y = ys[j]; y < ys[j + 1] && x < to; ++y) std::fill_n(view.scanline(y) + x, to - x, fill);
        };
        for (int i = 0; i < n; ++i) {
            gap(std::min(spans[i].first, view.width));
            x = std::max(x, spans[i].second);
        }
        gap(view.width);
    }
}

// Draws the parts of one composition; seg and piece rectangles are relative to the skin rect.
class Composer {
public:
    Composer(fw::ConstPixelView picture, fw::Rect skinRect, Target target, Written* written = nullptr)
        : picture_(picture), skin_(skinRect), target_(target), written_(written) {}

    // A fixed piece, copied at its own size with its top-left corner at at.
    void Piece(fw::Rect seg, fw::Point at) const {
        if (seg.empty()) return;
        const fw::Point p = target_.Local(at);
        Wrote(CopyPixelsFast(picture_, InPicture(seg), target_.view, p.x, p.y));
    }

    // A middle part: seg stretched onto area, or repeated over area with whole tiles starting at origin. Either
    // writes all of area that lies in the target (a segment reaching outside the picture is copied padded).
    void Middle(fw::Rect seg, fw::Rect area, fw::Point origin, bool stretch) {
        if (seg.empty() || area.empty()) return;
        const fw::Rect visible = target_.Local(area).intersect(target_.view.rect());
        if (visible.empty()) return;  // another band's part
        Wrote(visible);
        if (stretch) {
            StretchPixels(CopySegment(picture_, InPicture(seg), scratch_), target_.view, target_.Local(area));
        } else {
            TilePixels(SegmentForTiling(picture_, InPicture(seg), scratch_), target_.view, target_.Local(origin),
                       target_.Local(area));
        }
    }

    // The client area: stretched by kind, or repeated in both directions from the client rect's top-left corner.
    void Client(fw::Rect seg, fw::Rect area, bool stretch, TkvStretchType kind) {
        if (seg.empty() || area.empty()) return;
        Wrote(target_.Local(area).intersect(target_.view.rect()));
        if (!stretch) {
            Middle(seg, area, area.topLeft(), false);
            return;
        }
        const fw::ConstPixelView src = CopySegment(picture_, InPicture(seg), scratch_);
        switch (kind) {
            case stfull: StretchPixels(src, target_.view, target_.Local(area)); return;
            case sthorz:
                strip_.resize(src.width, area.height());
                StretchPixels(src, strip_, strip_.rect());
                break;
            case stvert:
                strip_.resize(area.width(), src.height);
                StretchPixels(src, strip_, strip_.rect());
                break;
        }
        TilePixels(strip_, target_.view, target_.Local(area.topLeft()), target_.Local(area));
    }

private:
    fw::Rect InPicture(fw::Rect seg) const { return seg.offset(skin_.left, skin_.top); }
    void Wrote(fw::Rect r) const {
        if (written_) written_->Add(r);
    }

    fw::ConstPixelView picture_;
    fw::Rect skin_;
    Target target_;
    Written* written_;
    fw::Bitmap scratch_;
    fw::Bitmap strip_;
};

// The whole composition onto target. bandOrigins makes the left and right middles repeat from the first row of
// their band (the new client top) instead of from the new corner points.
void composeFrame(Target target, fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& s,
                  const SkinCorners& d, int width, int height, const SkinStretch& st, bool drawClient,
                  bool bandOrigins, Written* written = nullptr) {
    if (s.rb.x == s.lt.x || s.rb.y == s.lt.y || picture.empty() || skinRect.empty()) return;
    const int sw = skinRect.width(), sh = skinRect.height();
    const fw::Rect& c = s.client;
    const fw::Rect& nc = d.client;
    Composer k(picture, skinRect, target, written);

    // The four middles.
    k.Middle({s.lt.x, 0, s.rt.x, c.top}, {d.lt.x, 0, d.rt.x, nc.top}, {d.lt.x, 0}, st.top);
    k.Middle({s.lb.x, c.bottom, s.rb.x, sh}, {d.lb.x, nc.bottom, d.rb.x, height}, {d.lb.x, nc.bottom}, st.bottom);
    k.Middle({0, s.lt.y, c.left, s.lb.y}, {0, d.lt.y, nc.left, d.lb.y}, {0, bandOrigins ? nc.top : d.lt.y}, st.left);
    k.Middle({c.right, s.rt.y, sw, s.rb.y}, {nc.right, d.rt.y, width, d.rb.y},
             {nc.right, bandOrigins ? nc.top : d.rt.y}, st.right);

    // The eight fixed pieces, over the middles.
    k.Piece({0, 0, s.lt.x, c.top}, {0, 0});
    k.Piece({0, c.top, c.left, s.lt.y}, {0, nc.top});
    k.Piece({s.rt.x, 0, sw, c.top}, {d.rt.x, 0});
    k.Piece({c.right, c.top, sw, s.rt.y}, {nc.right, nc.top});
    k.Piece({0, s.lb.y, c.left, sh}, {0, d.lb.y});
    k.Piece({c.left, c.bottom, s.lb.x, sh}, {nc.left, nc.bottom});
    k.Piece({s.rb.x, c.bottom, sw, sh}, {d.rb.x, nc.bottom});
    k.Piece({c.right, s.rb.y, sw, c.bottom}, {nc.right, d.rb.y});

    if (drawClient) k.Client(c, nc, st.client, st.kind);
}

}  // namespace

void ComposeSkinImage(fw::Bitmap& out, fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& src,
                      const SkinCorners& dst, int width, int height, const SkinStretch& stretch, bool drawClient) {
    out.resize(std::max(width, 0), std::max(height, 0));
    composeFrame({out.view(), {0, 0}}, picture, skinRect, src, dst, width, height, stretch, drawClient, false);
}

fw::Bitmap ComposeSkinImage(fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& src,
                            const SkinCorners& dst, int width, int height, const SkinStretch& stretch,
                            bool drawClient) {
    fw::Bitmap out;
    ComposeSkinImage(out, picture, skinRect, src, dst, width, height, stretch, drawClient);
    return out;
}

namespace {

// Lays out one axis of a width-only or height-only composition along x; the height-only form swaps the axes of
// its rectangles through the accessors below.
struct Axis {
    bool vertical;
    fw::Rect MakeRect(int a0, int b0, int a1, int b1) const {
        return vertical ? fw::Rect{b0, a0, b1, a1} : fw::Rect{a0, b0, a1, b1};
    }
    fw::Point MakePoint(int a, int b) const { return vertical ? fw::Point{b, a} : fw::Point{a, b}; }
};

fw::Bitmap composeOneAxis(fw::ConstPixelView picture, fw::Rect srcRect, int first, int last, int length, bool stretch,
                          WidthPieces pieces, bool vertical, bool middleAtLeastOne) {
    const Axis ax{vertical};
    const int along = vertical ? srcRect.height() : srcRect.width();
    const int across = vertical ? srcRect.width() : srcRect.height();
    length = std::max(length, 0);
    const int a = first, b = last;
    int m = along - a - b;
    // The pieces and a real middle, all inside the picture, write every pixel: then the image is not cleared first.
    const bool covered = srcRect.intersect(picture.rect()) == srcRect && a >= 0 && b >= 0 && m > 0;
    fw::Bitmap out;
    const int outW = vertical ? std::max(across, 0) : length, outH = vertical ? length : std::max(across, 0);
    if (covered) out.resizeForOverwrite(outW, outH);
    else out.resize(outW, outH);
    if (out.empty() || picture.empty()) return out;

    Composer k(picture, srcRect, Target{out.view(), {0, 0}});
    if (m == 0 && middleAtLeastOne) m = 1;  // a middle of no width still repeats one column

    int start = 0, end = length;
    if (pieces == WidthPieces::Both || pieces == WidthPieces::LeftOnly) {
        k.Piece(ax.MakeRect(0, 0, a, across), ax.MakePoint(0, 0));
        start = a;
    }
    if (pieces == WidthPieces::Both) {
        k.Piece(ax.MakeRect(along - b, 0, along, across), ax.MakePoint(length - b, 0));
        end = length - b;
    }
    if (m > 0 && end - start >= 0) {
        k.Middle(ax.MakeRect(a, 0, a + m, across), ax.MakeRect(start, 0, end, across), ax.MakePoint(start, 0), stretch);
    }
    return out;
}

}  // namespace

fw::Bitmap ComposeWidthOnly(fw::ConstPixelView picture, fw::Rect srcRect, int leftWidth, int rightWidth, int width,
                            bool stretch, WidthPieces pieces) {
    return composeOneAxis(picture, srcRect, leftWidth, rightWidth, width, stretch, pieces, false, true);
}

fw::Bitmap ComposeHeightOnly(fw::ConstPixelView picture, fw::Rect srcRect, int topHeight, int bottomHeight, int height,
                             bool stretch) {
    return composeOneAxis(picture, srcRect, topHeight, bottomHeight, height, stretch, WidthPieces::Both, true, false);
}

BorderBands ComposeBands(fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& s, const SkinCorners& d,
                         int width, int height, const SkinStretch& stretch, bool dropBandsWithoutMiddle,
                         fw::Pixel fill) {
    const fw::Rect& nc = d.client;
    struct Band {
        fw::Bitmap& image;
        fw::Rect place;  // in the whole image
        int middle;      // length of the band's repeatable middle in the skin
    };
    BorderBands bands;
    const Band list[] = {
        {bands.top, {0, 0, width, nc.top}, s.rt.x - s.lt.x},
        {bands.bottom, {0, nc.bottom, width, height}, s.rb.x - s.lb.x},
        {bands.left, {0, nc.top, nc.left, nc.bottom}, s.lb.y - s.lt.y},
        {bands.right, {nc.right, nc.top, width, nc.bottom}, s.rb.y - s.rt.y},
    };
    for (const Band& b : list) {
        if (b.place.empty() || (dropBandsWithoutMiddle && b.middle <= 0)) continue;
        // Composed into memory that is not cleared first: only what no part wrote is filled afterwards.
        b.image.resizeForOverwrite(b.place.width(), b.place.height());
        Written written;
        composeFrame({b.image.view(), b.place.topLeft()}, picture, skinRect, s, d, width, height, stretch, false, true,
                     &written);
        fillUnwritten(b.image.view(), written, fill);
    }
    return bands;
}

BorderBands ComposeBorderBands(fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& src,
                               const SkinCorners& dst, int width, int height, const SkinStretch& stretch) {
    return ComposeBands(picture, skinRect, src, dst, width, height, stretch, true, 0);
}
