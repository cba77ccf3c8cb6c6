#include "skin/imaging/FixedBlend.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KV_BLEND_SSE2 1
#endif

namespace {

constexpr int kBits = 22;
constexpr std::uint32_t kOne = 1u << kBits;

// round((a·(2^22 − k) + b·k) / 2^22), ties to even; at most 255 · 2^22, so 32 bits hold every step.
std::uint8_t blendByte(std::uint32_t a, std::uint32_t b, std::uint32_t k) {
    const std::uint32_t v = a * (kOne - k) + b * k;
    return static_cast<std::uint8_t>((v + (kOne / 2 - 1) + ((v >> kBits) & 1)) >> kBits);
}

}  // namespace

std::optional<FixedBlend> ExactFixedBlend(double k) {
    if (!(k >= 0 && k <= 1)) return std::nullopt;
    const double scaled = k * kOne;  // exact: a power of two
    const double K = std::nearbyint(scaled);
    if (K != scaled) {
        // The floating-point value is a + d·k within 2^-42 (d = b − a), the fixed point's within 255 · 2^-23: they
        // round alike unless some d·k lies closer than their sum to a half. frac(−d·k) mirrors frac(d·k).
        const double margin = 255.0 / (2.0 * kOne) + std::ldexp(1.0, -40);
        int nearHalf = 0;
        for (int d = 1; d < 256; ++d) {
            const double x = d * k;
            const double f = x - static_cast<double>(static_cast<int>(x));
            nearHalf |= std::fabs(f - 0.5) <= margin;
        }
        if (nearHalf) return std::nullopt;
    }
    return FixedBlend{static_cast<std::uint32_t>(K)};
}

void BlendRow(const FixedBlend& f, fw::Pixel* row, const fw::Pixel* nrow, int n) {
    int x = 0;
#ifdef KV_BLEND_SSE2
    // Bytes of the two rows interleaved as 16-bit pairs (a, b): one multiply-add gives a·w1 + b·w2 for four bytes.
    // The weights are split into 11-bit halves so that each fits a signed 16-bit lane.
    const std::uint32_t k1 = kOne - f.k;
    const __m128i high = _mm_set1_epi32(static_cast<int>(((f.k >> 11) << 16) | (k1 >> 11)));
    const __m128i low = _mm_set1_epi32(static_cast<int>(((f.k & 0x7FF) << 16) | (k1 & 0x7FF)));
    const __m128i half = _mm_set1_epi32(static_cast<int>(kOne / 2 - 1)), one = _mm_set1_epi32(1);
    const __m128i zero = _mm_setzero_si128();
    const auto blend4 = [&](__m128i pairs) {
        const __m128i v = _mm_add_epi32(_mm_slli_epi32(_mm_madd_epi16(pairs, high), 11), _mm_madd_epi16(pairs, low));
        const __m128i odd = _mm_and_si128(_mm_srli_epi32(v, kBits), one);
        return _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(v, half), odd), kBits);
    };
    for (; x + 4 <= n; x += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nrow + x));
        const __m128i lo = _mm_unpacklo_epi8(a, b), hi = _mm_unpackhi_epi8(a, b);
        const __m128i r0 = blend4(_mm_unpacklo_epi8(lo, zero)), r1 = blend4(_mm_unpackhi_epi8(lo, zero));
        const __m128i r2 = blend4(_mm_unpacklo_epi8(hi, zero)), r3 = blend4(_mm_unpackhi_epi8(hi, zero));
        const __m128i out = _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), out);
    }
#endif
    auto* o = reinterpret_cast<std::uint8_t*>(row + x);
    const auto* b = reinterpret_cast<const std::uint8_t*>(nrow + x);
    const std::size_t bytes = std::size_t(n - x) * sizeof(fw::Pixel);
    for (std::size_t i = 0; i < bytes; ++i) o[i] = blendByte(o[i], b[i], f.k);
}
