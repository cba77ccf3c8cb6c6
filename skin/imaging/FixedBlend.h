// The blend morph in integers: each byte becomes round(fl(fl(1 − k)·a) + fl(k·b)) (to nearest, ties to even),
// computed as (a·(2^n − K) + b·K) / 2^n with K = round(k·2^n), n 14 or 22 bits. The two agree exactly when K is k
// itself (then both are exact) or when no difference b − a puts d·k so near a half that the fixed point's error
// could cross it; ExactFixedBlend checks that once per progress value, the coarser precision first (one 16-bit
// multiply-add per byte instead of two), and otherwise there is no integer form.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/Bitmap.h"

struct FixedBlend {
    std::uint32_t k;  // the new image's weight, in units of 2^-bits
    int bits;         // 14 or 22
    bool exact;       // k·2^bits is the progress itself: ties occur and round to even
};

// The integer form for a progress k in 0 … 1 when it gives exactly the floating-point blend for every pair of bytes.
std::optional<FixedBlend> ExactFixedBlend(double k);

// Blends the n pixels of row (the old image, all four bytes) towards nrow, in place.
void BlendRow(const FixedBlend& f, fw::Pixel* row, const fw::Pixel* nrow, int n);
