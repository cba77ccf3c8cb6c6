#include "skin/imaging/kveffects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using fw::Bitmap;
using fw::Pixel;

namespace {

using Lut = std::array<std::uint8_t, 256>;

// Rounds to the nearest integer with ties to the even one and clamps to a byte. Adding and taking away 1.5 · 2^52
// leaves no fraction bits, so the addition itself rounds in the default mode (to nearest, ties to even); it is the
// same result as nearbyint without a library call per channel. Valid for |v| < 2^51, far beyond pixel values.
int roundClamp(double v) {
    constexpr double kShift = 6755399441055744.0;
    const double r = (v + kShift) - kShift;
    return r <= 0 ? 0 : r >= 255 ? 255 : static_cast<int>(r);
}

double clampUnit(double k) { return k < 0 ? 0 : k > 1 ? 1 : k; }

// Maps red, green and blue of every pixel through lut; alpha is kept.
void mapChannels(fw::Bitmap& img, const Lut& lut) {
    for (int y = 0; y < img.height(); ++y) {
        fw::Pixel* row = img.scanline(y);
        for (int x = 0; x < img.width(); ++x) {
            const fw::Pixel p = row[x];
            row[x] = (p & 0xFF000000u) | (fw::Pixel(lut[(p >> 16) & 0xFF]) << 16) |
                     (fw::Pixel(lut[(p >> 8) & 0xFF]) << 8) | fw::Pixel(lut[p & 0xFF]);
        }
    }
}

// w·a + (1 − w)·b for all four bytes, rounded and clamped.
fw::Pixel mix(fw::Pixel a, fw::Pixel b, double w) {
    fw::Pixel out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= fw::Pixel(roundClamp(w * ca + (1 - w) * cb)) << shift;
    }
    return out;
}

// Calls f(row, newRow) for every row of the old image and the same row of the new one.
template <class F>
void eachRowPair(fw::Bitmap& old, const fw::Bitmap& neu, F f) {
    for (int y = 0; y < old.height(); ++y) f(old.scanline(y), neu.scanline(y));
}

// round(W·k) for a progress k already limited to 0 … 1.
int scaled(int length, double k) { return static_cast<int>(std::nearbyint(length * k)); }

// Small, fast uniform generator (xorshift32); the noise needs no particular sequence.
std::uint32_t nextRandom(std::uint32_t& s) {
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
    Lut lut;
    for (int c = 0; c < 256; ++c) lut[c] = static_cast<std::uint8_t>(roundClamp((1 - k) * c + 255 * k));
    mapChannels(image_, lut);
}

void TkvEffectBmp::ApplyDarkness(double k) {
    k = clampUnit(k);
    Lut lut;
    for (int c = 0; c < 256; ++c) lut[c] = static_cast<std::uint8_t>(roundClamp((1 - k) * c));
    mapChannels(image_, lut);
}

void TkvEffectBmp::ApplyGrayscale() {
    for (int y = 0; y < Height(); ++y) {
        fw::Pixel* row = image_.scanline(y);
        for (int x = 0; x < Width(); ++x) {
            const fw::Pixel p = row[x];
            // round(0.3 R + 0.59 G + 0.11 B) in exact integer arithmetic: hundredths, ties to even.
            const int v = 30 * fw::pixelR(p) + 59 * fw::pixelG(p) + 11 * fw::pixelB(p);
            int g = v / 100;
            const int rest = v % 100;
            if (rest > 50 || (rest == 50 && (g & 1))) ++g;
            row[x] = (p & 0xFF000000u) | (fw::Pixel(g) << 16) | (fw::Pixel(g) << 8) | fw::Pixel(g);
        }
    }
}

void TkvEffectBmp::ApplyNoise(int amount) { ApplyNoise(amount, kNoiseSeed); }

void TkvEffectBmp::ApplyNoise(int amount, std::uint32_t seed) {
    if (amount <= 0) return;
    std::uint32_t s = seed ? seed : 1u;  // xorshift never leaves 0
    const int half = amount / 2;
    for (int y = 0; y < Height(); ++y) {
        fw::Pixel* row = image_.scanline(y);
        for (int x = 0; x < Width(); ++x) {
            // One offset per pixel, the same for its three channels: r in 0 … amount − 1 by scaling the 32-bit
            // random value (no division per pixel).
            const int o = static_cast<int>((std::uint64_t(nextRandom(s)) * std::uint32_t(amount)) >> 32) - half;
            const fw::Pixel p = row[x];
            row[x] = (p & 0xFF000000u) | (fw::Pixel(std::clamp(fw::pixelR(p) + o, 0, 255)) << 16) |
                     (fw::Pixel(std::clamp(fw::pixelG(p) + o, 0, 255)) << 8) |
                     fw::Pixel(std::clamp(fw::pixelB(p) + o, 0, 255));
        }
    }
}

void TkvEffectBmp::ApplySplitBlur(int d) {
    const int w = Width(), h = Height();
    if (d <= 0 || w <= 0 || h <= 0) return;
    // Rows are done top to bottom into a row buffer and written back, so the upper row has already been blurred
    // when it is read. Near the bottom and right edges the partner row and column are (height − y) and
    // (width − x); they are kept inside the image, which matters for images no larger than the distance.
    std::vector<fw::Pixel> out(static_cast<std::size_t>(w));
    std::vector<int> leftCol(static_cast<std::size_t>(w)), rightCol(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) {
        leftCol[x] = x - d < 0 ? x : x - d;
        rightCol[x] = std::min(x + d >= w ? w - x : x + d, w - 1);
    }
    for (int y = 0; y < h; ++y) {
        const int up = y - d < 0 ? y : y - d;
        const int lo = std::min(y + d >= h ? h - y : y + d, h - 1);
        const fw::Pixel* u = image_.scanline(up);
        const fw::Pixel* l = image_.scanline(lo);
        const fw::Pixel* self = image_.scanline(y);
        for (int x = 0; x < w; ++x) {
            const fw::Pixel ul = u[leftCol[x]], ll = l[leftCol[x]], ur = u[rightCol[x]], lr = l[rightCol[x]];
            fw::Pixel p = self[x] & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int sum = ((ul >> shift) & 0xFF) + ((ll >> shift) & 0xFF) + ((ur >> shift) & 0xFF) +
                                ((lr >> shift) & 0xFF);
                p |= fw::Pixel(sum >> 2) << shift;
            }
            out[x] = p;
        }
        std::copy(out.begin(), out.end(), image_.scanline(y));
    }
}

void TkvEffectBmp::ApplyInvert() {
    for (int y = 0; y < Height(); ++y) {
        fw::Pixel* row = image_.scanline(y);
        for (int x = 0; x < Width(); ++x) row[x] ^= 0x00FFFFFFu;
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
    std::array<double, 256> oldPart, newPart;
    for (int c = 0; c < 256; ++c) {
        oldPart[c] = (1 - k) * c;
        newPart[c] = k * c;
    }
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        for (int x = 0; x < Width(); ++x) {
            fw::Pixel out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                out |= fw::Pixel(roundClamp(oldPart[(row[x] >> shift) & 0xFF] + newPart[(nrow[x] >> shift) & 0xFF]))
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
    // Weight of the current image at each position along the morph's axis; −1 marks the new image's own span.
    std::vector<double> weight(static_cast<std::size_t>(len));
    for (int i = 0; i < len; ++i) {
        if (i >= g && i <= e) weight[i] = -1;
        else weight[i] = std::min(1.0, (i < g ? g - i : i - e) * step);
    }
    for (int y = 0; y < h; ++y) {
        fw::Pixel* row = image_.scanline(y);
        const fw::Pixel* nrow = n.image_.scanline(y);
        for (int x = 0; x < w; ++x) {
            const double wt = weight[horizontal ? x : y];
            row[x] = wt < 0 ? nrow[x] : mix(row[x], nrow[x], wt);
        }
    }
}

void TkvEffectBmp::MorphLeftGradient(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || Width() < 2) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 1, w - 1);
    const double step = 1.0 / a;
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        for (int x = 0; x <= a; ++x) row[x] = mix(row[x], nrow[x], std::min(1.0, x * step));
    });
}

void TkvEffectBmp::MorphRightGradient(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || image_.empty()) return;
    const int w = Width();
    const int b = std::clamp(w - scaled(w, clampUnit(k)), 0, w - 1);
    const double step = w - b <= 0 ? 1.0 : 1.0 / (w - b);
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        for (int x = w - 1; x >= b; --x) row[x] = mix(row[x], nrow[x], std::min(1.0, (w - 1 - x) * step));
    });
}

void TkvEffectBmp::MorphLeftSlide(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || Width() < 2) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 1, w - 1);
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        for (int i = 0; i < a; ++i) row[i] = nrow[std::min(w - a + i, w - 1)];
    });
}

void TkvEffectBmp::MorphRightSlide(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || Width() < 2) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 1, w - 1);
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        for (int i = 0; i < a; ++i) row[w - a + i] = nrow[i];
    });
}

void TkvEffectBmp::MorphPush(const TkvEffectBmp& n, double k) {
    if (!SameSize(n) || image_.empty()) return;
    const int w = Width();
    const int a = std::clamp(scaled(w, clampUnit(k)), 0, w - 1);
    std::vector<fw::Pixel> old(static_cast<std::size_t>(w));
    eachRowPair(image_, n.image_, [&](fw::Pixel* row, const fw::Pixel* nrow) {
        std::copy(row, row + w, old.begin());
        // The old row moves right by a + 1 columns; the new row's last a + 1 columns come in from the left.
        for (int j = w - 1; j > a; --j) row[j] = old[j - a - 1];
        for (int i = 0; i <= a; ++i) row[i] = nrow[std::min(w - a - 1 + i, w - 1)];
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
