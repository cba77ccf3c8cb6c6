// The grey level of a pixel, round(0.3 R + 0.59 G + 0.11 B) with ties to even, in 16-bit integer steps that the
// vector loops repeat lane by lane.
#pragma once

#include <cstdint>

// x · kGreyReciprocal / 2^(16 + kGreyShift) is x div 100 for every x the grey level meets (at most 25550).
constexpr std::uint16_t kGreyReciprocal = 41944;
constexpr int kGreyShift = 6;

// round(v / 100) with ties to even for v = 30 R + 59 G + 11 B (0 … 25500): q = (v + 50) div 100 through the
// reciprocal (the high half of a 16 x 16-bit product), less one on a tie whose rounded-up quotient is odd.
constexpr std::uint16_t GreyOf(std::uint16_t v) {
    const std::uint16_t x = static_cast<std::uint16_t>(v + 50);
    const auto high = static_cast<std::uint16_t>((std::uint32_t(x) * kGreyReciprocal) >> 16);
    const auto q = static_cast<std::uint16_t>(high >> kGreyShift);
    const std::uint16_t tie = x == static_cast<std::uint16_t>(q * 100) ? 1 : 0;
    return static_cast<std::uint16_t>(q - (tie & q));
}

namespace grey_detail {
constexpr bool greyOfIsExact() {
    for (std::uint32_t v = 0; v <= 25500; ++v) {
        std::uint32_t g = v / 100;
        const std::uint32_t rest = v % 100;
        if (rest > 50 || (rest == 50 && (g & 1))) ++g;
        if (GreyOf(static_cast<std::uint16_t>(v)) != g) return false;
    }
    return true;
}
static_assert(greyOfIsExact(), "the reciprocal must give the exact rounded hundredths");
}  // namespace grey_detail
