#include "skin/imaging/kveffects.h"

#include "skin/imaging/ChannelMap.h"
#include "skin/imaging/ColumnMix.h"
#include "skin/imaging/FixedBlend.h"
#include "skin/imaging/GreyLevel.h"
#include "skin/imaging/PixelKernels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

using fw::Bitmap;
using fw::Pixel;

namespace {

double clampUnit(double k) { return k < 0 ? 0 : k > 1 ? 1 : k; }

// Calls f(row, newRow) for every row of the old image and the same row of the new one.
template <class F>
void eachRowPair(fw::Bitmap& old, const fw::Bitmap& neu, F f) {
    for (int y = 0; y < old.height(); ++y) f(old.scanline(y), neu.scanline(y));
}

// round(W·k) for a progress k already limited to 0 … 1.
int scaled(int length, double k) { return static_cast<int>(std::nearbyint(length * k)); }

// Small, fast uniform generator (xorshift32); the noise needs no particular sequence.
constexpr std::uint32_t nextRandom(std::uint32_t& s) {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return s;
}

}  // namespace

TkvEffectBmp::TkvEffectBmp(fw::ConstPixelView src) {
    image_.resize(std::max(src.width, 0), std::max(src.height, 0));
    fw::copyPixels(src, src.rect(), image_, 0, 0);
}

void TkvEffectBmp::ApplyBrightness(double k) {
    k = clampUnit(k);
    if (k == kHalfwayBrightness) return BrightenHalfway(image_);
    MapColourChannels(image_, LinearChannelTable(1 - k, 255 * k), 1 - k, 255 * k);
}

void TkvEffectBmp::ApplyDarkness(double k) {
    k = clampUnit(k);
    if (k == kInactiveDarkness) return DarkenInactive(image_);
    MapColourChannels(image_, LinearChannelTable(1 - k, 0), 1 - k, 0);
}

void TkvEffectBmp::ApplyGrayscale() {
    if (image_.empty()) return;
    // Every pixel on its own, and the rows follow each other: one span.
    const int n = Width() * Height();
    fw::Pixel* px = image_.scanline(0);
    for (int x = ActivePixelKernels().grey(px, n); x < n; ++x) {
        const fw::Pixel p = px[x];
        // round(0.3 R + 0.59 G + 0.11 B) in exact integer arithmetic: hundredths, ties to even.
        const auto channel = [p](int shift) { return static_cast<std::uint16_t>((p >> shift) & 0xFF); };
        const std::uint32_t g =
            GreyOf(static_cast<std::uint16_t>(30 * channel(16) + 59 * channel(8) + 11 * channel(0)));
        px[x] = (p & 0xFF000000u) | (g * 0x010101u);
    }
}

void TkvEffectBmp::ApplyNoise(int amount) { ApplyNoise(amount, kNoiseSeed); }

namespace {
// The generator is linear over bits, so Q steps are one fixed 32 x 32 bit matrix, kept as what it makes of each byte
// of a state (four look-ups per jump). With it, eight or sixteen stretches of Q values each are generated side by
// side from their own start states (PixelKernels::noise), and the values are exactly the single sequence's.
struct LaneJump {
    std::array<std::array<std::uint32_t, 256>, 4> byteImage{};
    std::uint32_t operator()(std::uint32_t s) const {
        return byteImage[0][s & 0xFF] ^ byteImage[1][(s >> 8) & 0xFF] ^ byteImage[2][(s >> 16) & 0xFF] ^
               byteImage[3][s >> 24];
    }
};
template <int Q>
constexpr LaneJump laneJump() {
    std::array<std::uint32_t, 32> column{};  // where bit b alone goes
    for (int b = 0; b < 32; ++b) {
        std::uint32_t s = 1u << b;
        for (int i = 0; i < Q; ++i) nextRandom(s);
        column[b] = s;
    }
    LaneJump j;
    for (int k = 0; k < 4; ++k)
        for (std::uint32_t v = 0; v < 256; ++v)
            for (int b = 0; b < 8; ++b)
                if (v & (1u << b)) j.byteImage[k][v] ^= column[8 * k + b];
    return j;
}
constexpr int kMaxNoiseLanes = 16;
// A lane of 32 values, and whole blocks of 8 and 16 such lanes. Longer lanes jump less often; a block of 16 lanes
// of 32 still fits a small image's pixels well.
constexpr int kLaneLength = 32;
constexpr LaneJump kJumpLane = laneJump<kLaneLength>(), kJump256 = laneJump<8 * kLaneLength>(),
                   kJump512 = laneJump<16 * kLaneLength>();

// One pixel moved by the offset r − half on all three colour channels, each clamped to a byte.
fw::Pixel shifted(fw::Pixel v, std::int32_t o) {
    return (v & 0xFF000000u) | (fw::Pixel(std::clamp(std::int32_t((v >> 16) & 0xFF) + o, 0, 255)) << 16) |
           (fw::Pixel(std::clamp(std::int32_t((v >> 8) & 0xFF) + o, 0, 255)) << 8) |
           fw::Pixel(std::clamp(std::int32_t(v & 0xFF) + o, 0, 255));
}

// The start states of the lanes of a block from the state s before its first pixel: Q, 2Q, … steps on.
void laneStarts(std::uint32_t s, const LaneJump& jump, int lanes, std::uint32_t* start) {
    start[0] = s;
    for (int j = 1; j < lanes; ++j) start[j] = jump(start[j - 1]);
}
}  // namespace

void TkvEffectBmp::ApplyNoise(int amount, std::uint32_t seed) {
    if (amount <= 0 || image_.empty()) return;
    std::uint32_t s = seed ? seed : 1u;  // xorshift never leaves 0
    const std::uint32_t a = static_cast<std::uint32_t>(amount);
    const std::int32_t half = amount / 2;
    // The image's rows follow each other in memory, so pixel n takes the (n + 1)-th value of the sequence.
    fw::Pixel* px = image_.scanline(0);
    const std::size_t total = std::size_t(Width()) * std::size_t(Height());
    std::size_t n = 0;
    const PixelKernels& kernels = ActivePixelKernels();
    if (a < 256 && kernels.noise) {
        const int lanes = kernels.noiseLanes;
        const std::size_t block = kLaneLength * std::size_t(lanes);
        // Each lane of the next block starts a whole block after the same lane of this one: independent jumps.
        const LaneJump& wholeBlock = lanes == 16 ? kJump512 : kJump256;
        std::array<std::uint32_t, kMaxNoiseLanes> start;
        laneStarts(s, kJumpLane, lanes, start.data());
        for (; n + block <= total; n += block) {
            kernels.noise(px + n, start.data(), kLaneLength, a);
            for (int j = 0; j < lanes; ++j) start[j] = wholeBlock(start[j]);
        }
        if (n < total) {
            // The last pixels go through a whole block's room; the values past the image's end are not used.
            std::array<fw::Pixel, kLaneLength * kMaxNoiseLanes> room{};
            const std::size_t bytes = (total - n) * sizeof(fw::Pixel);
            std::memcpy(room.data(), px + n, bytes);
            kernels.noise(room.data(), start.data(), kLaneLength, a);
            std::memcpy(px + n, room.data(), bytes);
        }
        return;
    }
    // One offset per pixel, the same for its three channels: r in 0 … amount − 1 by scaling the 32-bit random value
    // (no division per pixel).
    for (; n < total; ++n) {
        const std::uint32_t r = static_cast<std::uint32_t>((std::uint64_t(nextRandom(s)) * a) >> 32);
        px[n] = shifted(px[n], static_cast<std::int32_t>(r) - half);
    }
}

namespace {
// The average of four pixels' colour channels (rounded down), with the alpha of self. Red and blue are summed side
// by side in one word (each sum fits its 16 bits), green on its own.
fw::Pixel average4(fw::Pixel a, fw::Pixel b, fw::Pixel c, fw::Pixel d, fw::Pixel self) {
    const std::uint32_t rb = (a & 0x00FF00FFu) + (b & 0x00FF00FFu) + (c & 0x00FF00FFu) + (d & 0x00FF00FFu);
    const std::uint32_t g = ((a >> 8) & 0xFFu) + ((b >> 8) & 0xFFu) + ((c >> 8) & 0xFFu) + ((d >> 8) & 0xFFu);
    return (self & 0xFF000000u) | ((rb >> 2) & 0x00FF00FFu) | ((g << 6) & 0xFF00u);
}
}  // namespace

void TkvEffectBmp::ApplySplitBlur(int d) {
    const int w = Width(), h = Height();
    if (d <= 0 || w <= 0 || h <= 0) return;
    // Rows are done top to bottom, so the upper row has already been blurred when it is read. Near the bottom and
    // right edges the partner row and column are (height − y) and (width − x); they are kept inside the image,
    // which matters for images no larger than the distance.
    const auto leftCol = [&](int x) { return x - d < 0 ? x : x - d; };
    const auto rightCol = [&](int x) { return std::min(x + d >= w ? w - x : x + d, w - 1); };
    // Columns d … w − d − 1 have both partners at ±d; the others follow the edge rules.
    const int inFrom = std::min(d, w), inTo = std::max(inFrom, w - d);
    std::vector<fw::Pixel> buffer(static_cast<std::size_t>(w));
    const auto average4Run = ActivePixelKernels().average4;
    for (int y = 0; y < h; ++y) {
        const int up = y - d < 0 ? y : y - d;
        const int lo = std::min(y + d >= h ? h - y : y + d, h - 1);
        const fw::Pixel* u = image_.scanline(up);
        const fw::Pixel* l = image_.scanline(lo);
        fw::Pixel* self = image_.scanline(y);
        // A row that is its own partner is read while it is written: it goes through a buffer.
        fw::Pixel* out = up == y || lo == y ? buffer.data() : self;
        for (int x = 0; x < inFrom; ++x)
            out[x] = average4(u[leftCol(x)], l[leftCol(x)], u[rightCol(x)], l[rightCol(x)], self[x]);
        int x = inFrom + average4Run(out + inFrom, self + inFrom, u + inFrom, l + inFrom, d, inTo - inFrom);
        for (; x < inTo; ++x) out[x] = average4(u[x - d], l[x - d], u[x + d], l[x + d], self[x]);
        for (int x = inTo; x < w; ++x)
            out[x] = average4(u[leftCol(x)], l[leftCol(x)], u[rightCol(x)], l[rightCol(x)], self[x]);
        if (out != self) std::memcpy(self, out, sizeof(fw::Pixel) * static_cast<std::size_t>(w));
    }
}

void TkvEffectBmp::ApplyInvert() {
    const int w = Width();
    for (int y = 0; y < Height(); ++y) {
        fw::Pixel* row = image_.scanline(y);
        for (int x = 0; x < w; ++x) row[x] ^= 0x00FFFFFFu;
    }
}

void TkvEffectBmp::ApplyInactiveEffect(TkvInactiveEffect e) {
    switch (e) {
        case iebrightness: ApplyBrightness(0.5); break;
        case iedarkness: ApplyDarkness(0.3); break;
        case iegrayscale: ApplyGrayscale(); break;
        case ienoise: ApplyNoise(50); break;
        case iesplitblur: ApplySplitBlur(1); break;
        case ieinvert: ApplyInvert(); break;
    }
}

void TkvEffectBmp::MorphBlend(const TkvEffectBmp& n, double k) {
    if (!SameSize(n)) return;
    k = clampUnit(k);
    if (const std::optional<FixedBlend> f = ExactFixedBlend(k)) {
        // Every pixel on its own, and the rows of both images follow each other: one span.
        if (!image_.empty()) BlendRow(*f, image_.scanline(0), n.image_.scanline(0), Width() * Height());
        return;
    }
    // A progress whose integer form could round some byte differently: the floating-point blend itself.
    std::array<double, 256> oldPart, newPart;
    for (int c = 0; c < 256; ++c) {
        oldPart[c] = (1 - k) * c;
        newPart[c] = k * c;
    }
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        for (int x = 0; x < Width(); ++x) {
            fw::Pixel out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                out |= fw::Pixel(RoundClampByte(oldPart[(row[x] >> shift) & 0xFF] + newPart[(nrow[x] >> shift) & 0xFF]))
                       << shift;
            }
            row[x] = out;
        }
    });
}

void TkvEffectBmp::MorphCentreGradient(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || image_.empty()) return;
    k = clampUnit(k);
    const int w = Width(), h = Height();
    const bool horizontal = w >= h;
    const int len = horizontal ? w : h;
    const int a = scaled(len, k);
    double step;
    if (horizontal) {
        const int b = (w - a) / 2;
        step = b == 0 ? 1.0 : 1.0 / b;
    } else {
        const int b = (h - a - 1) / 2;
        step = b == 0 ? 0.0 : 1.0 / b;
    }
    const int g = std::max(0, len / 2 - a / 2);
    const int e = std::min(len - 1, len / 2 + a / 2);
    // The current image's weight grows with the distance from the new image's own span [g, e].
    const auto weightAt = [&](int i) { return std::min(1.0, (i < g ? g - i : i - e) * step); };
    if (horizontal) {
        // The new span is a copy; the ramps on both sides mix column by column. The mixer holds the ramps' weights
        // one after the other: its column i is column i of the left ramp, or column i + shift of the right one.
        const int shift = e + 1 - g;
        std::vector<double> weight(static_cast<std::size_t>(w - shift));
        for (int i = 0; i < g; ++i) weight[i] = std::min(1.0, (g - i) * step);
        for (int i = g; i < w - shift; ++i) weight[i] = std::min(1.0, (i + shift - e) * step);
        const ColumnMix mixer(std::move(weight));
        eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
            mixer.Mix(row, nrow, 0, g);
            std::memcpy(row + g, nrow + g, sizeof(fw::Pixel) * static_cast<std::size_t>(shift));
            mixer.Mix(row + shift, nrow + shift, g, w - shift);
        });
        return;
    }
    for (int y = 0; y < h; ++y) {
        fw::Pixel* row = image_.scanline(y);
        const fw::Pixel* nrow = n.image_.scanline(y);
        const bool inSpan = y >= g && y <= e;
        const double wt = inSpan ? 0 : weightAt(y);
        for (int x = 0; x < w; ++x) row[x] = inSpan ? nrow[x] : MixPixel(row[x], nrow[x], wt);
    }
}

void TkvEffectBmp::MorphLeftGradient(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || Width() < 2) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 1, w - 1);
    const double step = 1.0 / a;
    std::vector<double> weight(static_cast<std::size_t>(a) + 1);
    for (int x = 0; x <= a; ++x) weight[x] = std::min(1.0, x * step);
    const ColumnMix mixer(std::move(weight));
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) { mixer.Mix(row, nrow, 0, a + 1); });
}

void TkvEffectBmp::MorphRightGradient(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || image_.empty()) return;
    const int w = Width();
    const int b = std::clamp(w - scaled(w, clampUnit(k)), 0, w - 1);
    const double step = w - b <= 0 ? 1.0 : 1.0 / (w - b);
    // Only columns b … w − 1 mix: the mixer's column i is column b + i.
    std::vector<double> weight(static_cast<std::size_t>(w - b));
    for (int i = 0; i < w - b; ++i) weight[i] = std::min(1.0, (w - 1 - b - i) * step);
    const ColumnMix mixer(std::move(weight));
    eachRowPair(image_, n.image_,
                [&](fw::Pixel* row, const fw::Pixel* nrow) { mixer.Mix(row + b, nrow + b, 0, w - b); });
}

void TkvEffectBmp::MorphLeftSlide(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || Width() < 2) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 1, w - 1);
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        // w − a + i stays below w for i < a: the new row's last a columns.
        std::memcpy(row, nrow + (w - a), sizeof(fw::Pixel) * static_cast<std::size_t>(a));
    });
}

void TkvEffectBmp::MorphRightSlide(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || Width() < 2) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 1, w - 1);
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        std::memcpy(row + (w - a), nrow, sizeof(fw::Pixel) * static_cast<std::size_t>(a));
    });
}

void TkvEffectBmp::MorphPush(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || image_.empty()) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 0, w - 1);
    const std::size_t moved = static_cast<std::size_t>(w - a - 1), coming = static_cast<std::size_t>(a + 1);
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        // The old row moves right by a + 1 columns; the new row's last a + 1 columns come in from the left.
        std::memmove(row + coming, row, sizeof(fw::Pixel) * moved);
        std::memcpy(row, nrow + moved, sizeof(fw::Pixel) * coming);
    });
}

void TkvEffectBmp::Morph(TkvMorphKind kind, const TkvEffectBmp& n, double k) {
    switch (kind) {
        case mkdefault: MorphBlend(n, k); break;
        case mkgradient: MorphCentreGradient(n, k); break;
        case mkleftgradient: MorphLeftGradient(n, k); break;
        case mkrightgradient: MorphRightGradient(n, k); break;
        case mkleftslide: MorphLeftSlide(n, k); break;
        case mkrightslide: MorphRightSlide(n, k); break;
        case mkpush: MorphPush(n, k); break;
    }
}
