#include "gif/GIFRender.h"

#include <algorithm>

const TGIFColorMap& GIFCubePalette() {
    static const TGIFColorMap cube = [] {
        TGIFColorMap m;
        m.Colors.reserve(216);
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    m.Colors.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                        static_cast<std::uint8_t>(b * 51)});
        return m;
    }();
    return cube;
}

TGIFSubImage::TGIFSubImage() = default;
TGIFSubImage::~TGIFSubImage() = default;

namespace {

// Errors are carried in sixteenths; applying one rounds to the nearest whole value.
int round16(int e) { return e >= 0 ? (e + 8) >> 4 : -((-e + 8) >> 4); }

}  // namespace

void GIFDitherToCube(const std::uint8_t* src, int width, int height, const TGIFColorMap& colors, std::uint8_t* dst) {
    // Two rows of per-channel errors with a guard cell at each end.
    std::vector<int> cur(static_cast<std::size_t>(width + 2) * 3, 0);
    std::vector<int> next(cur.size(), 0);
    const int count = colors.Count();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = src + static_cast<std::size_t>(y) * width;
        std::uint8_t* out = dst + static_cast<std::size_t>(y) * width;
        const bool leftToRight = (y & 1) == 0;
        const int dir = leftToRight ? 1 : -1;
        std::fill(next.begin(), next.end(), 0);
        for (int i = 0; i < width; ++i) {
            const int x = leftToRight ? i : width - 1 - i;
            const std::uint8_t idx = in[x];
            const TGIFRGB c = idx < count ? colors.Colors[idx] : TGIFRGB{};
            const int value[3] = {c.Red, c.Green, c.Blue};
            int level[3];
            for (int ch = 0; ch < 3; ++ch) {
                const int v = std::clamp(value[ch] + round16(cur[(x + 1) * 3 + ch]), 0, 255);
                level[ch] = (v + 3) / 51;
                const int e = v - level[ch] * 51;
                cur[(x + 1 + dir) * 3 + ch] += e * 7;
                next[(x + 1 - dir) * 3 + ch] += e * 3;
                next[(x + 1) * 3 + ch] += e * 5;
                next[(x + 1 + dir) * 3 + ch] += e;
            }
            out[x] = static_cast<std::uint8_t>(36 * level[0] + 6 * level[1] + level[2]);
        }
        std::swap(cur, next);
    }
}

void GIFRenderFrame(const TGIFSubImage& frame, const TGIFColorMap& palette, bool dither, const TGIFColorMap& active,
                    GIFFrameBitmap& out) {
    out = GIFFrameBitmap{};
    out.Width = frame.Width();
    out.Height = frame.Height();
    out.Palette = dither ? GIFCubePalette() : palette;
    if (frame.Empty()) return;
    if (dither) {
        out.Dithered.resize(frame.Data.size());
        GIFDitherToCube(frame.Data.data(), out.Width, out.Height, active, out.Dithered.data());
        out.Pixels = out.Dithered.data();
    } else {
        out.Pixels = frame.Data.data();
    }
    if (!frame.Transparent || !frame.GraphicControlExtension) return;
    const std::uint8_t key = frame.GraphicControlExtension->TransparentColorIndex;
    out.MaskStride = ((out.Width + 15) / 16) * 2;
    out.Mask.assign(static_cast<std::size_t>(out.MaskStride) * out.Height, 0);
    bool any = false;
    for (int y = 0; y < out.Height; ++y) {
        const std::uint8_t* row = frame.Data.data() + static_cast<std::size_t>(y) * out.Width;
        std::uint8_t* bits = out.Mask.data() + static_cast<std::size_t>(y) * out.MaskStride;
        for (int x = 0; x < out.Width; ++x) {
            if (row[x] == key) {
                bits[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
                any = true;
            }
        }
    }
    if (!any) {
        out.Mask.clear();
        out.MaskStride = 0;
    }
}
