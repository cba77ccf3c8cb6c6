// The SSE2 set of the hot pixel loops (see PixelKernels.h); PixelKernelsAvx2.cpp holds the same loops twice as wide.
#include "skin/imaging/PixelKernels.h"

#include "skin/imaging/GreyLevel.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KV_KERNELS_SSE2 1
#endif

namespace {

#ifdef KV_KERNELS_SSE2
__m128i load(const fw::Pixel* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void store(fw::Pixel* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// round(c/2 + 127.5) with ties to even is the rounded-up mean of c and 255, less one where c/2 + 127 is even
// (c = 2 mod 4). The alpha byte is averaged with itself and left alone by the correction.
int brightenHalfway(fw::Pixel* row, int n) {
    const __m128i colourOnes = _mm_set1_epi32(0x00FFFFFF), lowBits = _mm_set1_epi32(0x00030303);
    const __m128i two = _mm_set1_epi8(2);
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const __m128i p = load(row + x);
        const __m128i up = _mm_avg_epu8(p, _mm_or_si128(p, colourOnes));
        store(row + x, _mm_add_epi8(up, _mm_cmpeq_epi8(_mm_and_si128(p, lowBits), two)));
    }
    return x;
}

// Eight pixels' weighted sums 30 R + 59 G + 11 B as 16-bit lanes: blue and red, then green and alpha, side by side
// in the 16-bit halves of each pixel, one multiply-add each.
__m128i weightedSums(__m128i p0, __m128i p1) {
    const __m128i lowBytes = _mm_set1_epi16(0xFF);
    const __m128i blueRed = _mm_set1_epi32((30 << 16) | 11), green = _mm_set1_epi32(59);
    const auto sums = [&](__m128i p) {
        return _mm_add_epi32(_mm_madd_epi16(_mm_and_si128(p, lowBytes), blueRed),
                             _mm_madd_epi16(_mm_and_si128(_mm_srli_epi16(p, 8), lowBytes), green));
    };
    return _mm_packs_epi32(sums(p0), sums(p1));  // at most 25500: no saturation
}
// GreyOf on eight 16-bit lanes, step for step.
__m128i greyOf8(__m128i v) {
    const __m128i x = _mm_add_epi16(v, _mm_set1_epi16(50));
    const __m128i q = _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(kGreyReciprocal))),
                                     kGreyShift);
    const __m128i tie = _mm_cmpeq_epi16(x, _mm_mullo_epi16(q, _mm_set1_epi16(100)));
    return _mm_sub_epi16(q, _mm_and_si128(tie, _mm_and_si128(q, _mm_set1_epi16(1))));
}
// Four grey levels (32-bit lanes below 256) as grey pixels with the alpha of p: g · 0x10101 as one 16-bit multiply
// of (g, g) by (0x101, 1).
__m128i greyPixels(__m128i g, __m128i p) {
    const __m128i spread = _mm_mullo_epi16(_mm_or_si128(g, _mm_slli_epi32(g, 16)), _mm_set1_epi32(0x00010101));
    return _mm_or_si128(spread, _mm_and_si128(p, _mm_set1_epi32(int(0xFF000000u))));
}
int grey(fw::Pixel* row, int n) {
    const __m128i zero = _mm_setzero_si128();
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m128i p0 = load(row + x), p1 = load(row + x + 4);
        const __m128i g = greyOf8(weightedSums(p0, p1));
        store(row + x, greyPixels(_mm_unpacklo_epi16(g, zero), p0));
        store(row + x + 4, greyPixels(_mm_unpackhi_epi16(g, zero), p1));
    }
    return x;
}

// Bytes of the two rows interleaved as 16-bit pairs (a, b), one pixel per vector: one multiply-add gives
// a·(2^14 − k) + b·k for its four bytes, rounded half up by adding 2^13.
int blendCoarse(fw::Pixel* row, const fw::Pixel* nrow, int n, std::uint32_t k) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i w = _mm_set1_epi32(static_cast<int>((k << 16) | ((1u << 14) - k)));
    const __m128i half = _mm_set1_epi32(1 << 13);
    const auto blend4 = [&](__m128i pairs) { return _mm_srli_epi32(_mm_add_epi32(_mm_madd_epi16(pairs, w), half), 14); };
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const __m128i a = load(row + x), b = load(nrow + x);
        const __m128i lo = _mm_unpacklo_epi8(a, b), hi = _mm_unpackhi_epi8(a, b);
        const __m128i r0 = blend4(_mm_unpacklo_epi8(lo, zero)), r1 = blend4(_mm_unpackhi_epi8(lo, zero));
        const __m128i r2 = blend4(_mm_unpacklo_epi8(hi, zero)), r3 = blend4(_mm_unpackhi_epi8(hi, zero));
        store(row + x, _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3)));
    }
    return x;
}

// floor((a + b + c + d) / 4) per byte without widening: with the rounded-down means h1 of a and b and h2 of c and
// d (the rounded-up mean less the lost low bit), the sum is 2·(h1 + h2) + e1 + e2 for the lost bits e1, e2, so the
// result is the mean of h1 and h2 rounded up when both bits were lost and down otherwise.
__m128i floorMean(__m128i a, __m128i b, __m128i one) {
    return _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), one));
}
int average4(fw::Pixel* out, const fw::Pixel* self, const fw::Pixel* u, const fw::Pixel* l, int d, int n) {
    const __m128i one = _mm_set1_epi8(1), alpha = _mm_set1_epi32(int(0xFF000000u));
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        const __m128i a = load(u + x - d), b = load(l + x - d), c = load(u + x + d), e = load(l + x + d);
        const __m128i h1 = floorMean(a, b, one), h2 = floorMean(c, e, one);
        const __m128i bothLost = _mm_and_si128(_mm_xor_si128(a, b), _mm_xor_si128(c, e));
        const __m128i down = _mm_andnot_si128(bothLost, _mm_and_si128(_mm_xor_si128(h1, h2), one));
        const __m128i mean = _mm_sub_epi8(_mm_avg_epu8(h1, h2), down);
        store(out + x, _mm_or_si128(_mm_andnot_si128(alpha, mean), _mm_and_si128(load(self + x), alpha)));
    }
    return x;
}
#else
int brightenHalfway(fw::Pixel*, int) { return 0; }
int grey(fw::Pixel*, int) { return 0; }
int blendCoarse(fw::Pixel*, const fw::Pixel*, int, std::uint32_t) { return 0; }
int average4(fw::Pixel*, const fw::Pixel*, const fw::Pixel*, const fw::Pixel*, int, int) { return 0; }
#endif

}  // namespace

const PixelKernels& Sse2PixelKernels() {
    static constexpr PixelKernels kSet{"sse2", brightenHalfway, nullptr, grey, blendCoarse, average4};
    return kSet;
}
