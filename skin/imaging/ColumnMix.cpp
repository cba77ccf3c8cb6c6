#include "skin/imaging/ColumnMix.h"

#include <algorithm>
#include <cstring>

#include "skin/imaging/PixelKernels.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KV_MIX_SSE2 1
#endif

namespace {
constexpr int kBits = 14;
constexpr std::int32_t kOne = 1 << kBits;
// Integer values this close to a half (in units of 2^-14) may round differently from the floating-point value.
constexpr std::int32_t kNear = 127;
// The AVX2 loop's weights have one bit more (a 16-bit signed lane holds them, u = 1 taken as 1 − 2^-15).
constexpr std::int32_t kWideOne = 1 << 15;
// Rounded to nearest (ties to even) by the addition of 1.5 · 2^52, as nearbyint without a library call.
constexpr double kShift = 6755399441055744.0;
}  // namespace

fw::Pixel MixPixel(fw::Pixel a, fw::Pixel b, double w) {
    fw::Pixel out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= fw::Pixel(RoundClampByte(w * ca + (1 - w) * cb)) << shift;
    }
    return out;
}

ColumnMix::ColumnMix(std::vector<double> weights)
    : weight_(std::move(weights)), mixColumns_(ActivePixelKernels().mixColumns) {
    const std::size_t n = weight_.size();
    if (mixColumns_) {
        shares_.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const auto k = static_cast<std::int32_t>(((1 - weight_[i]) * kWideOne + kShift) - kShift);
            shares_[i] = static_cast<std::int16_t>(std::min(k, kWideOne - 1));
        }
        return;
    }
    pairs_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto k = static_cast<std::int32_t>(((1 - weight_[i]) * kOne + kShift) - kShift);
        pairs_[i].fill(static_cast<std::int32_t>(std::uint32_t(kOne - k) | (std::uint32_t(k) << 16)));
    }
}

#ifdef KV_MIX_SSE2
namespace {
// One byte of a mixed pixel from the floating-point mix: the same expression as MixPixel's for that byte.
void mixByte(fw::Pixel& out, fw::Pixel a, fw::Pixel b, double w, int shift) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out = (out & ~(fw::Pixel(0xFF) << shift)) | (fw::Pixel(RoundClampByte(w * ca + (1 - w) * cb)) << shift);
}
}  // namespace
#endif

void ColumnMix::MixWide(fw::Pixel* row, const fw::Pixel* nrow, int from, int to) const {
    constexpr int kStretch = 128;
    std::array<fw::Pixel, kStretch> old;
    std::array<std::uint32_t, kStretch / 8> nearBytes;
    auto* outBytes = reinterpret_cast<unsigned char*>(row);
    const auto* newBytes = reinterpret_cast<const unsigned char*>(nrow);
    const auto* oldBytes = reinterpret_cast<const unsigned char*>(old.data());
    // Mixes the groups of n pixels at x whose old values are at a, then puts right the bytes near a half.
    const auto mixStretch = [&](int x, const fw::Pixel* a, int n) {
        mixColumns_(row + x, a, nrow + x, shares_.data() + x, n, old.data(), nearBytes.data());
        for (int g = 0; g < n / 8; ++g) {
            for (std::uint32_t m = nearBytes[g]; m != 0; m &= m - 1) {
                // Byte t of the stretch: byte t % 4 of its pixel t / 4 (the pixels' bytes in memory order).
                const int t = 32 * g + __builtin_ctz(m), px = x + t / 4;
                const double w = weight_[px];
                const auto v = static_cast<int>(((w * oldBytes[t] + (1 - w) * newBytes[4 * x + t]) + kShift) - kShift);
                outBytes[4 * x + t] = static_cast<unsigned char>(std::clamp(v, 0, 255));
            }
        }
    };
    // A span that is not a whole number of groups ends with a group overlapping the one before it, mixed from the
    // old pixels kept here.
    std::array<fw::Pixel, 8> endOld;
    const bool overlapEnd = (to - from) % 8 != 0;
    if (overlapEnd) std::memcpy(endOld.data(), row + to - 8, sizeof endOld);
    int x = from;
    for (; to - x >= 8; x += kStretch) mixStretch(x, row + x, std::min(kStretch, (to - x) & ~7));
    if (overlapEnd) mixStretch(to - 8, endOld.data(), 8);
}

void ColumnMix::Mix(fw::Pixel* row, const fw::Pixel* nrow, int from, int to) const {
    if (mixColumns_) {
        if (to - from >= 8) return MixWide(row, nrow, from, to);
        for (int x = from; x < to; ++x) row[x] = MixPixel(row[x], nrow[x], weight_[x]);
        return;
    }
    int x = from;
#ifdef KV_MIX_SSE2
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(kOne / 2), nearMargin = _mm_set1_epi32(kNear);
    const __m128i fraction = _mm_set1_epi32(kOne - 1), nearWidth = _mm_set1_epi32(2 * kNear);
    // Groups of four pixels with bytes near a half are listed without a branch (the list grows only when there
    // are some) and put right after each stretch of groups, byte by byte.
    struct NearBytes {
        int x;
        unsigned bytes;  // bit 4·i + c: byte c of pixel x + i
        alignas(16) fw::Pixel old[4];
    };
    // Mixes the four pixels at gx whose old values are a, and notes in entry the bytes near a half.
    const auto mixGroup = [&](int gx, __m128i a, NearBytes& entry) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nrow + gx));
        const __m128i lo = _mm_unpacklo_epi8(a, b), hi = _mm_unpackhi_epi8(a, b);
        // Each pixel's four bytes as (old, new) pairs of 16-bit values; one multiply-add weighs all four.
        const __m128i pairs[4] = {_mm_unpacklo_epi8(lo, zero), _mm_unpackhi_epi8(lo, zero),
                                  _mm_unpacklo_epi8(hi, zero), _mm_unpackhi_epi8(hi, zero)};
        __m128i rounded[4], clear[4];
        for (int i = 0; i < 4; ++i) {
            const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pairs_[gx + i].data()));
            const __m128i v = _mm_add_epi32(_mm_madd_epi16(pairs[i], w), half);
            rounded[i] = _mm_srli_epi32(v, kBits);
            // Clear of a half when the fraction of v + near lies beyond 2 · near.
            clear[i] = _mm_cmpgt_epi32(_mm_and_si128(_mm_add_epi32(v, nearMargin), fraction), nearWidth);
        }
        const __m128i out =
            _mm_packus_epi16(_mm_packs_epi32(rounded[0], rounded[1]), _mm_packs_epi32(rounded[2], rounded[3]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + gx), out);
        const __m128i clearBytes =
            _mm_packs_epi16(_mm_packs_epi32(clear[0], clear[1]), _mm_packs_epi32(clear[2], clear[3]));
        entry.x = gx;
        entry.bytes = ~unsigned(_mm_movemask_epi8(clearBytes)) & 0xFFFFu;
        _mm_store_si128(reinterpret_cast<__m128i*>(entry.old), a);
    };
    const auto fixUp = [&](const NearBytes& entry) {
        for (unsigned m = entry.bytes; m != 0; m &= m - 1) {
            const int j = __builtin_ctz(m), i = j / 4, px = entry.x + i;
            mixByte(row[px], entry.old[i], nrow[px], weight_[px], 8 * (j % 4));
        }
    };
    // A span of more than four pixels that is not a whole number of groups ends with a group overlapping the one
    // before it, mixed from the old pixels kept here (it writes the overlapped pixels' values again).
    const bool overlapEnd = to - from > 4 && (to - from) % 4 != 0;
    alignas(16) fw::Pixel endOld[4];
    if (overlapEnd) std::memcpy(endOld, row + to - 4, sizeof endOld);
    constexpr int kStretch = 32;
    std::array<NearBytes, kStretch> nearList;
    while (x + 4 <= to) {
        int listed = 0;
        for (int g = 0; g < kStretch && x + 4 <= to; ++g, x += 4) {
            mixGroup(x, _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), nearList[listed]);
            listed += nearList[listed].bytes != 0;
        }
        for (int e = 0; e < listed; ++e) fixUp(nearList[e]);
    }
    if (overlapEnd) {
        mixGroup(to - 4, _mm_load_si128(reinterpret_cast<const __m128i*>(endOld)), nearList[0]);
        fixUp(nearList[0]);
        x = to;
    }
#endif
    for (; x < to; ++x) row[x] = MixPixel(row[x], nrow[x], weight_[x]);
}
