// The SSE2 set of the hot pixel loops (see PixelKernels.h); PixelKernelsAvx2.cpp holds the same loops twice as wide.
#include "skin/imaging/PixelKernels.h"

#include <algorithm>

#include "skin/imaging/GreyLevel.h"
#include "skin/imaging/PixelOps.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KV_KERNELS_SSE2 1
#endif

namespace {

#ifdef KV_KERNELS_SSE2
__m128i load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void store(std::uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

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
    const auto blend4 = [&](__m128i pairs) {
        return _mm_srli_epi32(_mm_add_epi32(_mm_madd_epi16(pairs, w), half), 14);
    };
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
// Two vectors of four lanes: independent chains of shifts, as one chain would bound the whole effect by its
// latency. Every four steps the lanes' values are turned (a 4 x 4 transpose) into four offsets of consecutive pixels
// per lane.
void noise(fw::Pixel* px, const std::uint32_t* start, int q, std::uint32_t amount) {
    const __m128i amount16 = _mm_set1_epi16(static_cast<short>(amount));
    const __m128i half = _mm_set1_epi32(static_cast<int>((amount / 2) * 0x010101u));
    __m128i chain[2] = {load(start), load(start + 4)};
    const __m128i spread = _mm_set1_epi32(0x00010101);
    for (int t = 0; t < q; t += 4) {
        for (int c = 0; c < 2; ++c) {
            __m128i r[4];
            for (int i = 0; i < 4; ++i) {
                __m128i& v = chain[c];
                v = _mm_xor_si128(v, _mm_slli_epi32(v, 13));
                v = _mm_xor_si128(v, _mm_srli_epi32(v, 17));
                v = _mm_xor_si128(v, _mm_slli_epi32(v, 5));
                // floor(v · amount / 2^32) from 16-bit products: with v = high · 2^16 + low, the high halves of the
                // two products (high · amount and floor(low · amount / 2^16)) plus the low half of the first
                // make high · amount + floor(low · amount / 2^16), whose top is the scaled value (amount < 2^8:
                // no carry leaves the lane).
                const __m128i top = _mm_mulhi_epu16(v, amount16);
                r[i] = _mm_srli_epi32(_mm_add_epi32(top, _mm_srli_epi32(_mm_mullo_epi16(v, amount16), 16)), 16);
            }
            const __m128i t01 = _mm_unpacklo_epi32(r[0], r[1]), t23 = _mm_unpacklo_epi32(r[2], r[3]);
            const __m128i u01 = _mm_unpackhi_epi32(r[0], r[1]), u23 = _mm_unpackhi_epi32(r[2], r[3]);
            const __m128i perLane[4] = {_mm_unpacklo_epi64(t01, t23), _mm_unpackhi_epi64(t01, t23),
                                        _mm_unpacklo_epi64(u01, u23), _mm_unpackhi_epi64(u01, u23)};
            for (int j = 0; j < 4; ++j) {
                // r in the three colour bytes (r | r << 16, times 0x101 and 1 in the 16-bit halves); the offset
                // r − half as a raise and a drop, one of them 0, applied with saturation.
                const __m128i rb = _mm_mullo_epi16(_mm_or_si128(perLane[j], _mm_slli_epi32(perLane[j], 16)), spread);
                fw::Pixel* p = px + (4 * c + j) * q + t;
                const __m128i up = _mm_subs_epu8(rb, half), down = _mm_subs_epu8(half, rb);
                store(p, _mm_subs_epu8(_mm_adds_epu8(load(p), up), down));
            }
        }
    }
}
#define KV_SSE2_NOISE noise
#else
#define KV_SSE2_NOISE nullptr
int brightenHalfway(fw::Pixel*, int) { return 0; }
int grey(fw::Pixel*, int) { return 0; }
int blendCoarse(fw::Pixel*, const fw::Pixel*, int, std::uint32_t) { return 0; }
int average4(fw::Pixel*, const fw::Pixel*, const fw::Pixel*, const fw::Pixel*, int, int) { return 0; }
#endif

// So that a narrow tile costs a few block copies per row instead of one per tile.
void tileRow(fw::Pixel* d, int n, const fw::Pixel* s, int period, int first) {
    const int head = std::min(period - first, n);
    CopyRun(d, s + first, head);
    if (head == n) return;
    const int whole = std::min(period, n - head);
    CopyRun(d + head, s, whole);
    int done = head + whole;
    while (done < n) {
        const int k = std::min(done - head, n - done);
        CopyRun(d + done, d + head, k);
        done += k;
    }
}

}  // namespace

const PixelKernels& Sse2PixelKernels() {
    static constexpr PixelKernels kSet{"sse2",  brightenHalfway, nullptr, grey,    blendCoarse,
                                       nullptr, KV_SSE2_NOISE,   8,       tileRow, average4};
    return kSet;
}
