// The gradient morphs' mix of two rows with a weight per column, in integers where that rounds exactly as the
// floating-point mix and through the floating-point mix itself where it might not.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"

// v rounded to the nearest integer (ties to even) and clamped to a byte. Adding and taking away 1.5 · 2^52 leaves
// no fraction bits, so the addition itself rounds in the default mode (to nearest, ties to even): nearbyint without
// a library call, and without a branch, so that loops of it vectorise. Valid for |v| < 2^51.
constexpr int RoundClampByte(double v) {
    constexpr double kShift = 6755399441055744.0;
    const double r = (v + kShift) - kShift;
    return static_cast<int>(std::min(std::max(r, 0.0), 255.0));
}

// w·a + (1 − w)·b for each of the four bytes, rounded and clamped: the definition of a mixed pixel.
fw::Pixel MixPixel(fw::Pixel a, fw::Pixel b, double w);

// Per column the old image's weight w (0 … 1) and its integer form: with u = fl(1 − w) and K = round(u · 2^14),
// a byte pair mixes to round((a·(2^14 − K) + b·K) / 2^14). That value is within 255·2^-15 + 2^-40 of the
// floating-point one (K's error is at most 2^-15 per unit of b − a, each of the three floating-point steps adds at
// most 2^-46, and w + u differs from 1 by at most 2^-53), so both round alike unless the integer value lies within
// 127 units of 2^-14 of a half. Those few bytes, found in the same pass, are then mixed in floating point one by one.
class ColumnMix {
public:
    explicit ColumnMix(std::vector<double> weights);

    // Mixes columns [from, to) of row (the old image) with nrow, in place.
    void Mix(fw::Pixel* row, const fw::Pixel* nrow, int from, int to) const;

private:
    // The same through PixelKernels::mixColumns, for spans of at least 8 pixels.
    void MixWide(fw::Pixel* row, const fw::Pixel* nrow, int from, int to) const;

private:
    std::vector<double> weight_;
    // The set's loop of whole groups (null where it has none: the SSE2 loop here is used).
    void (*mixColumns_)(fw::Pixel*, const fw::Pixel*, const fw::Pixel*, const std::int16_t*, int, fw::Pixel*,
                        std::uint32_t*);
    // Per column the pair (2^14 − K, K) in the two 16-bit halves of a word, four times: one vector per pixel.
    std::vector<std::array<std::int32_t, 4>> pairs_;
    // For the AVX2 loop the same with 15 bits, K = round(u · 2^15) but at most 2^15 − 1 (the value for u = 1 is an
    // integer, which that still gives): per column K. Half as many bytes fall near a half.
    std::vector<std::int16_t> shares_;
};
