// Stack blur: triangular weights r + 1 − |i| over offsets −r … r, run as running sums so that the cost per pixel
// does not depend on the radius; the division by (r + 1)² goes through a lookup table.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/imaging/kvBitmap.h"

namespace {

// The table holds 256 · (r + 1)² bytes; this radius keeps it near 1 MB, far above any glow size.
constexpr int kMaxBlurRadius = 64;

// Blurs one line of n pixels that lie step pixels apart, starting at p. line is a scratch copy of the line.
void blurLine(fw::Pixel* p, int n, std::ptrdiff_t step, int r, const std::uint8_t* div, std::vector<fw::Pixel>& line) {
    for (int i = 0; i < n; ++i) line[i] = p[i * step];
    auto at = [&](int i) { return line[std::clamp(i, 0, n - 1)]; };
    int sum[3] = {}, out[3] = {}, in[3] = {};
    for (int i = -r; i <= r; ++i) {
        const fw::Pixel q = at(i);
        const int w = r + 1 - (i < 0 ? -i : i);
        for (int c = 0; c < 3; ++c) {
            const int v = (q >> (8 * c)) & 0xFF;
            sum[c] += w * v;
            if (i <= 0) out[c] += v;
        }
    }
    for (int i = 1; i <= r + 1; ++i) {
        const fw::Pixel q = at(i);
        for (int c = 0; c < 3; ++c) in[c] += (q >> (8 * c)) & 0xFF;
    }
    for (int x = 0; x < n; ++x) {
        p[x * step] = (line[x] & 0xFF000000u) | (fw::Pixel(div[sum[2]]) << 16) | (fw::Pixel(div[sum[1]]) << 8) |
                      fw::Pixel(div[sum[0]]);
        const fw::Pixel leaving = at(x - r), centre = at(x + 1), entering = at(x + r + 2);
        for (int c = 0; c < 3; ++c) {
            const int sh = 8 * c;
            sum[c] += in[c] - out[c];
            out[c] += int((centre >> sh) & 0xFF) - int((leaving >> sh) & 0xFF);
            in[c] += int((entering >> sh) & 0xFF) - int((centre >> sh) & 0xFF);
        }
    }
}

}  // namespace

void stackBlur(fw::PixelView v, int radius) {
    if (radius <= 0 || v.empty()) return;
    const int r = std::min(radius, kMaxBlurRadius);
    const int weight = (r + 1) * (r + 1);
    std::vector<std::uint8_t> div(static_cast<std::size_t>(256) * weight);
    for (std::size_t i = 0; i < div.size(); ++i) div[i] = static_cast<std::uint8_t>(i / weight);
    std::vector<fw::Pixel> line(static_cast<std::size_t>(std::max(v.width, v.height)));
    for (int y = 0; y < v.height; ++y) blurLine(v.scanline(y), v.width, 1, r, div.data(), line);
    for (int x = 0; x < v.width; ++x) blurLine(v.data + x, v.height, v.stride, r, div.data(), line);
}
