// The AVX2 set of the hot pixel loops (see PixelKernels.h), the only code built with AVX2 instructions. It runs only
// when the processor has them, so nothing here may be shared with other units: intrinsics and plain pointers only,
// no inline function or template from a header (the linker could pick this build of it for everyone).
#include "skin/imaging/PixelKernels.h"

#include "skin/imaging/GreyLevel.h"

#if defined(__AVX2__)
#include <immintrin.h>

namespace {

__m256i load(const fw::Pixel* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
void store(fw::Pixel* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
// A 16-byte table in both halves of a vector, for the byte lookups (which look up within each half).
__m256i table(const void* bytes) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(static_cast<const __m128i*>(bytes)));
}
// Where the alpha bytes are: the blends take them from the original pixel.
__m256i alphaBytes() { return _mm256_set1_epi32(int(0xFF000000u)); }

// As the SSE2 form: the rounded-up mean of c and 255, less one where c = 2 mod 4.
int brightenHalfway(fw::Pixel* row, int n) {
    const __m256i colourOnes = _mm256_set1_epi32(0x00FFFFFF), lowBits = _mm256_set1_epi32(0x00030303);
    const __m256i two = _mm256_set1_epi8(2);
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i p = load(row + x);
        const __m256i up = _mm256_avg_epu8(p, _mm256_or_si256(p, colourOnes));
        store(row + x, _mm256_add_epi8(up, _mm256_cmpeq_epi8(_mm256_and_si256(p, lowBits), two)));
    }
    return x;
}

// Whole parts of both nibbles' entries added, plus one where their fraction bytes carry: high part > 255 − low
// part, found as a non-zero saturated difference.
int mapNibbles(fw::Pixel* row, int n, const NibbleMap& map) {
    const __m256i highWhole = table(&map.highWhole), highPart = table(&map.highPart);
    const __m256i lowWhole = table(&map.lowWhole);
    const __m256i lowRoom = _mm256_xor_si256(table(&map.lowPart), _mm256_set1_epi8(-1));
    const __m256i nibble = _mm256_set1_epi8(0x0F), one = _mm256_set1_epi8(1), alpha = alphaBytes();
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i p = load(row + x);
        const __m256i lo = _mm256_and_si256(p, nibble), hi = _mm256_and_si256(_mm256_srli_epi16(p, 4), nibble);
        const __m256i whole = _mm256_add_epi8(_mm256_shuffle_epi8(highWhole, hi), _mm256_shuffle_epi8(lowWhole, lo));
        const __m256i carry = _mm256_min_epu8(_mm256_subs_epu8(_mm256_shuffle_epi8(highPart, hi),
                                                               _mm256_shuffle_epi8(lowRoom, lo)),
                                              one);
        store(row + x, _mm256_blendv_epi8(_mm256_add_epi8(whole, carry), p, alpha));
    }
    return x;
}

// 11 B + 59 G and 30 R in the two 16-bit halves of each pixel (one byte multiply-add), summed by a 16-bit one; the
// grey level as in GreyOf on the 16-bit halves (the upper ones stay 0), then put into the three colour bytes.
int grey(fw::Pixel* row, int n) {
    const __m256i weights = _mm256_set1_epi32((30 << 16) | (59 << 8) | 11), ones = _mm256_set1_epi16(1);
    const __m256i fifty = _mm256_set1_epi32(50), hundred = _mm256_set1_epi32(100), low = _mm256_set1_epi32(1);
    const __m256i reciprocal = _mm256_set1_epi32(kGreyReciprocal);
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1,  //
                                            0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1);
    const __m256i alpha = alphaBytes();
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i p = load(row + x);
        const __m256i sum = _mm256_madd_epi16(_mm256_maddubs_epi16(p, weights), ones);
        const __m256i v = _mm256_add_epi16(sum, fifty);
        const __m256i q = _mm256_srli_epi16(_mm256_mulhi_epu16(v, reciprocal), kGreyShift);
        const __m256i tie = _mm256_cmpeq_epi32(v, _mm256_mullo_epi16(q, hundred));
        const __m256i g = _mm256_sub_epi32(q, _mm256_and_si256(tie, _mm256_and_si256(q, low)));
        store(row + x, _mm256_or_si256(_mm256_shuffle_epi8(g, spread), _mm256_and_si256(p, alpha)));
    }
    return x;
}

// a + round((b − a)·k / 2^14) rounding half up, as one rounding multiply of 2(b − a) by k: it gives
// floor((2(b − a)·k + 2^14) / 2^15), the SSE2 form's value. Bytes widened to 16 bits within each half.
int blendCoarse(fw::Pixel* row, const fw::Pixel* nrow, int n, std::uint32_t k) {
    const __m256i zero = _mm256_setzero_si256(), weight = _mm256_set1_epi16(static_cast<short>(k));
    const auto blend = [&](__m256i a, __m256i b) {
        const __m256i twice = _mm256_slli_epi16(_mm256_sub_epi16(b, a), 1);
        return _mm256_add_epi16(a, _mm256_mulhrs_epi16(twice, weight));
    };
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i a = load(row + x), b = load(nrow + x);
        const __m256i lo = blend(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero));
        const __m256i hi = blend(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero));
        store(row + x, _mm256_packus_epi16(lo, hi));
    }
    return x;
}

// a + round((b − a)·k / 2^15) rounding half up, as one rounding multiply per byte with the weight of its pixel, two
// pixels per 128-bit half as the byte widening leaves them; a byte is near a half when the fraction of
// (b − a)·k + 2^14 (its low 15 bits) lies within 127 of 0.
void mixColumns(fw::Pixel* out, const fw::Pixel* a, const fw::Pixel* b, const std::int16_t* newShares, int n,
                fw::Pixel* old, std::uint32_t* nearBytes) {
    const __m256i zero = _mm256_setzero_si256(), fraction = _mm256_set1_epi16(0x7FFF);
    const __m256i toHalf = _mm256_set1_epi16((1 << 14) + 127), nearWidth = _mm256_set1_epi16(255);
    // The weights of pixels 0, 1 | 4, 5 and 2, 3 | 6, 7 of a group, each four times, as the byte widening pairs them.
    const __m256i firstPairs = _mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 2, 3, 2, 3, 2, 3,  //
                                                8, 9, 8, 9, 8, 9, 8, 9, 10, 11, 10, 11, 10, 11, 10, 11);
    const __m256i secondPairs = _mm256_add_epi8(firstPairs, _mm256_set1_epi8(4));
    for (int x = 0; x < n; x += 8) {
        const __m256i pa = load(a + x), pb = load(b + x);
        store(old + x, pa);
        const __m256i w = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(newShares + x)));
        __m256i mixed[2], close[2];
        const __m256i weights[2] = {_mm256_shuffle_epi8(w, firstPairs), _mm256_shuffle_epi8(w, secondPairs)};
        const __m256i olds[2] = {_mm256_unpacklo_epi8(pa, zero), _mm256_unpackhi_epi8(pa, zero)};
        const __m256i news[2] = {_mm256_unpacklo_epi8(pb, zero), _mm256_unpackhi_epi8(pb, zero)};
        for (int i = 0; i < 2; ++i) {
            const __m256i d = _mm256_sub_epi16(news[i], olds[i]);
            mixed[i] = _mm256_add_epi16(olds[i], _mm256_mulhrs_epi16(d, weights[i]));
            const __m256i rest = _mm256_and_si256(_mm256_add_epi16(_mm256_mullo_epi16(d, weights[i]), toHalf),
                                                  fraction);
            close[i] = _mm256_cmpgt_epi16(nearWidth, rest);
        }
        store(out + x, _mm256_packus_epi16(mixed[0], mixed[1]));
        nearBytes[x / 8] = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_packs_epi16(close[0], close[1])));
    }
}

// As the SSE2 form with sixteen lanes: two independent chains of eight lanes, each in one vector (lanes 8c … 8c + 3
// in the low half, 8c + 4 … 8c + 7 in the high half). The transpose works within each half, so each result holds
// four pixels of lane 8c + j and four of lane 8c + 4 + j. The offset r − half is spread into the colour bytes by a
// byte shuffle and added with signed saturation to the bytes moved by 128, which clamps them to 0 … 255.
void noise(fw::Pixel* px, const std::uint32_t* start, int q, std::uint32_t amount) {
    const __m256i amount16 = _mm256_set1_epi16(static_cast<short>(amount));
    const __m256i half = _mm256_set1_epi32(static_cast<int>((amount / 2) * 0x010101u));
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1,  //
                                            0, 0, 0, -1, 4, 4, 4, -1, 8, 8, 8, -1, 12, 12, 12, -1);
    const __m256i bias = _mm256_set1_epi8(-128);
    // Four steps of one chain, each value scaled to 0 … amount − 1, turned into four offsets of consecutive pixels
    // per lane and applied to the chain's lanes' pixels.
    const auto fourSteps = [&](__m256i& v, fw::Pixel* lanes, int t) {
        __m256i r[4];
        for (int i = 0; i < 4; ++i) {
            v = _mm256_xor_si256(v, _mm256_slli_epi32(v, 13));
            v = _mm256_xor_si256(v, _mm256_srli_epi32(v, 17));
            v = _mm256_xor_si256(v, _mm256_slli_epi32(v, 5));
            const __m256i top = _mm256_mulhi_epu16(v, amount16);
            r[i] = _mm256_srli_epi32(_mm256_add_epi32(top, _mm256_srli_epi32(_mm256_mullo_epi16(v, amount16), 16)), 16);
        }
        const __m256i t01 = _mm256_unpacklo_epi32(r[0], r[1]), t23 = _mm256_unpacklo_epi32(r[2], r[3]);
        const __m256i u01 = _mm256_unpackhi_epi32(r[0], r[1]), u23 = _mm256_unpackhi_epi32(r[2], r[3]);
        const __m256i perLane[4] = {_mm256_unpacklo_epi64(t01, t23), _mm256_unpackhi_epi64(t01, t23),
                                    _mm256_unpacklo_epi64(u01, u23), _mm256_unpackhi_epi64(u01, u23)};
        for (int j = 0; j < 4; ++j) {
            const __m256i offset = _mm256_sub_epi8(_mm256_shuffle_epi8(perLane[j], spread), half);
            auto* low = reinterpret_cast<__m128i*>(lanes + j * q + t);
            auto* high = reinterpret_cast<__m128i*>(lanes + (4 + j) * q + t);
            const __m256i p = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(low)),
                                                      _mm_loadu_si128(high), 1);
            const __m256i out = _mm256_xor_si256(_mm256_adds_epi8(_mm256_xor_si256(p, bias), offset), bias);
            _mm_storeu_si128(low, _mm256_castsi256_si128(out));
            _mm_storeu_si128(high, _mm256_extracti128_si256(out, 1));
        }
    };
    __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(start));
    __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(start + 8));
    for (int t = 0; t < q; t += 4) {
        fourSteps(first, px, t);
        fourSteps(second, px + 8 * q, t);
    }
}

// As the SSE2 form: the mean of the two rounded-down means, rounded up only where both lost a bit.
__m256i floorMean(__m256i a, __m256i b, __m256i one) {
    return _mm256_sub_epi8(_mm256_avg_epu8(a, b), _mm256_and_si256(_mm256_xor_si256(a, b), one));
}
int average4(fw::Pixel* out, const fw::Pixel* self, const fw::Pixel* u, const fw::Pixel* l, int d, int n) {
    const __m256i one = _mm256_set1_epi8(1), alpha = alphaBytes();
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i a = load(u + x - d), b = load(l + x - d), c = load(u + x + d), e = load(l + x + d);
        const __m256i h1 = floorMean(a, b, one), h2 = floorMean(c, e, one);
        const __m256i bothLost = _mm256_and_si256(_mm256_xor_si256(a, b), _mm256_xor_si256(c, e));
        const __m256i down = _mm256_andnot_si256(bothLost, _mm256_and_si256(_mm256_xor_si256(h1, h2), one));
        store(out + x, _mm256_blendv_epi8(_mm256_sub_epi8(_mm256_avg_epu8(h1, h2), down), load(self + x), alpha));
    }
    return x;
}

// Copies n pixels between rows that do not overlap: 32-byte steps with a last step that may overlap the one before;
// long runs through the library.
void copyRun(fw::Pixel* d, const fw::Pixel* s, int n) {
    if (n > 96) {
        __builtin_memcpy(d, s, sizeof(fw::Pixel) * static_cast<unsigned>(n));
    } else if (n >= 8) {
        for (int i = 0; i + 8 < n; i += 8) store(d + i, load(s + i));
        store(d + n - 8, load(s + n - 8));
    } else if (n >= 4) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), first);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - 4), last);
    } else {
        for (int i = 0; i < n; ++i) d[i] = s[i];
    }
}
// As the SSE2 form, with the wider copies.
void tileRow(fw::Pixel* d, int n, const fw::Pixel* s, int period, int first) {
    const int head = period - first < n ? period - first : n;
    copyRun(d, s + first, head);
    if (head == n) return;
    const int whole = period < n - head ? period : n - head;
    copyRun(d + head, s, whole);
    int done = head + whole;
    while (done < n) {
        const int k = done - head < n - done ? done - head : n - done;
        copyRun(d + done, d + head, k);
        done += k;
    }
}

}  // namespace

const PixelKernels* Avx2PixelKernels() {
    static constexpr PixelKernels kSet{"avx2",     brightenHalfway, mapNibbles, grey,    blendCoarse,
                                       mixColumns, noise,           16,         tileRow, average4};
    return &kSet;
}
#else
const PixelKernels* Avx2PixelKernels() { return nullptr; }
#endif
