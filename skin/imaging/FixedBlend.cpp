#include "skin/imaging/FixedBlend.h"

#include <cmath>
#include <cstring>

#include "skin/imaging/PixelKernels.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KV_BLEND_SSE2 1
#endif

namespace {

constexpr int kFine = 22, kCoarse = 14;

// round((a·(2^bits − k) + b·k) / 2^bits), ties to even; at most 255 · 2^22, so 32 bits hold every step.
std::uint8_t blendByte(std::uint32_t a, std::uint32_t b, std::uint32_t k, int bits) {
    const std::uint32_t one = 1u << bits;
    const std::uint32_t v = a * (one - k) + b * k;
    return static_cast<std::uint8_t>((v + (one / 2 - 1) + ((v >> bits) & 1)) >> bits);
}

// Whether a fixed point of the given precision rounds every byte as the floating-point blend. The floating-point
// value is a + d·k within 2^-42 (d = b − a), the fixed point's within 255 · 2^-(bits + 1): they round alike unless
// some d·k lies closer than their sum to a half. frac(−d·k) mirrors frac(d·k).
bool clearOfHalves(double k, int bits) {
    const double margin = 255.0 / double(2u << bits) + std::ldexp(1.0, -40);
    // |frac(x) − 1/2| ≤ margin is x's distance from its nearest whole number being at least 1/2 − margin (exact:
    // both sides have few bits). The nearest whole number comes from the rounding of adding 1.5 · 2^52, without a
    // conversion to an integer; d = 0 is never near.
    const double farFromWhole = 0.5 - margin;
    constexpr double kShift = 6755399441055744.0;
#ifdef KV_BLEND_SSE2
    const __m128d kk = _mm_set1_pd(k), shift = _mm_set1_pd(kShift), limit = _mm_set1_pd(farFromWhole);
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    __m128i d = _mm_setr_epi32(0, 1, 0, 0);
    __m128d nearHalf = _mm_setzero_pd();
    for (int i = 0; i < 128; ++i, d = _mm_add_epi32(d, _mm_set1_epi32(2))) {
        const __m128d x = _mm_mul_pd(_mm_cvtepi32_pd(d), kk);
        const __m128d distance = _mm_and_pd(_mm_sub_pd(x, _mm_sub_pd(_mm_add_pd(x, shift), shift)), magnitude);
        nearHalf = _mm_or_pd(nearHalf, _mm_cmpge_pd(distance, limit));
    }
    return _mm_movemask_pd(nearHalf) == 0;
#else
    int nearHalf = 0;
    for (int d = 0; d < 256; ++d) {
        const double x = d * k;
        nearHalf |= std::fabs(x - ((x + kShift) - kShift)) >= farFromWhole;
    }
    return nearHalf == 0;
#endif
}

}  // namespace

std::optional<FixedBlend> ExactFixedBlend(double k) {
    if (!(k >= 0 && k <= 1)) return std::nullopt;
    for (int bits : {kCoarse, kFine}) {
        const double scaled = std::ldexp(k, bits);  // exact: a power of two
        const double K = std::nearbyint(scaled);
        if (K == scaled) return FixedBlend{static_cast<std::uint32_t>(K), bits, true};
        if (clearOfHalves(k, bits)) return FixedBlend{static_cast<std::uint32_t>(K), bits, false};
    }
    return std::nullopt;
}

namespace {
#ifdef KV_BLEND_SSE2
// Bytes of the two rows interleaved as 16-bit pairs (a, b), one pixel per vector: a multiply-add gives a·w1 + b·w2
// for its four bytes. blend4 turns those four pairs into four rounded 32-bit results.
template <class Blend4>
int blendVectors(fw::Pixel* row, const fw::Pixel* nrow, int n, Blend4 blend4) {
    const __m128i zero = _mm_setzero_si128();
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nrow + x));
        const __m128i lo = _mm_unpacklo_epi8(a, b), hi = _mm_unpackhi_epi8(a, b);
        const __m128i r0 = blend4(_mm_unpacklo_epi8(lo, zero)), r1 = blend4(_mm_unpackhi_epi8(lo, zero));
        const __m128i r2 = blend4(_mm_unpacklo_epi8(hi, zero)), r3 = blend4(_mm_unpackhi_epi8(hi, zero));
        const __m128i out = _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), out);
    }
    return x;
}
#endif
}  // namespace

void BlendRow(const FixedBlend& f, fw::Pixel* row, const fw::Pixel* nrow, int n) {
    int x = 0;
#ifdef KV_BLEND_SSE2
    const std::uint32_t one = 1u << f.bits, k1 = one - f.k;
    const __m128i one32 = _mm_set1_epi32(1);
    if (f.bits == kCoarse) {
        // Both weights fit a signed 16-bit lane. Without exact ties the plain rounding is the rounding to even.
        const __m128i w = _mm_set1_epi32(static_cast<int>((f.k << 16) | k1));
        const __m128i half = _mm_set1_epi32(static_cast<int>(one / 2 - (f.exact ? 1 : 0)));
        if (f.exact) {
            x = blendVectors(row, nrow, n, [&](__m128i pairs) {
                const __m128i v = _mm_madd_epi16(pairs, w);
                const __m128i odd = _mm_and_si128(_mm_srli_epi32(v, kCoarse), one32);
                return _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(v, half), odd), kCoarse);
            });
        } else {
            x = ActivePixelKernels().blendCoarse(row, nrow, n, f.k);
        }
    } else {
        // The weights split into 11-bit halves so that each fits a signed 16-bit lane.
        const __m128i high = _mm_set1_epi32(static_cast<int>(((f.k >> 11) << 16) | (k1 >> 11)));
        const __m128i low = _mm_set1_epi32(static_cast<int>(((f.k & 0x7FF) << 16) | (k1 & 0x7FF)));
        const __m128i half = _mm_set1_epi32(static_cast<int>(one / 2 - 1));
        x = blendVectors(row, nrow, n, [&](__m128i pairs) {
            const __m128i v =
                _mm_add_epi32(_mm_slli_epi32(_mm_madd_epi16(pairs, high), 11), _mm_madd_epi16(pairs, low));
            const __m128i odd = _mm_and_si128(_mm_srli_epi32(v, kFine), one32);
            return _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(v, half), odd), kFine);
        });
    }
#endif
    auto* o = reinterpret_cast<std::uint8_t*>(row + x);
    const auto* b = reinterpret_cast<const std::uint8_t*>(nrow + x);
    const std::size_t bytes = std::size_t(n - x) * sizeof(fw::Pixel);
    for (std::size_t i = 0; i < bytes; ++i) o[i] = blendByte(o[i], b[i], f.k, f.bits);
}
