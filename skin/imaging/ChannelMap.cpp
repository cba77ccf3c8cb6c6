#include "skin/imaging/ChannelMap.h"

#include <cmath>
#include <optional>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KV_MAP_SSE2 1
#endif

namespace {

// A linear map c -> round(c·m / 2^16 + add / 2^8) with ties to even, in 16-bit integers only (8.8 fixed point
// after the multiplication). For scale ≤ 1 and scale·255 + offset ≤ 255 no step leaves 16 bits.
struct LinearMap {
    std::uint16_t m, add;
    std::uint8_t operator()(std::uint8_t c) const {
        const std::uint16_t high = static_cast<std::uint16_t>((std::uint32_t(std::uint16_t(c << 8)) * m) >> 16);
        const std::uint16_t v = static_cast<std::uint16_t>(high + add);
        return static_cast<std::uint8_t>((v + 127 + ((v >> 8) & 1)) >> 8);
    }
};

// The form with the bytes it gets wrong (few: where the floating-point value lies within rounding noise of a
// half) and what the table says for them.
constexpr int kMaxExceptions = 4;
struct ExactMap {
    LinearMap map;
    std::array<std::uint8_t, kMaxExceptions> from{}, to{};
    int exceptions = 0;
};

// The number of bytes in which f differs from table, and f's own table in mapped. Both loops vectorise.
int differences(LinearMap f, const ChannelTable& table, ChannelTable& mapped) {
    for (int c = 0; c < 256; ++c) mapped[c] = f(static_cast<std::uint8_t>(c));
    int n = 0;
    for (int c = 0; c < 256; ++c) n += mapped[c] != table[c];
    return n;
}

std::optional<ExactMap> exactLinearMap(const ChannelTable& table, double scale, double offset) {
    const long m0 = std::lround(scale * 65536), a0 = std::lround(offset * 256);
    ExactMap e{};
    ChannelTable mapped, best{};
    int fewest = 256;
    for (long dm : {0, 1, -1}) {
        for (long da : {0, 1, -1}) {
            const long m = m0 + dm, a = a0 + da;
            if (m < 0 || m > 65535 || a < 0 || 255 * m / 256 + a > 65535 - 128) continue;
            const LinearMap f{std::uint16_t(m), std::uint16_t(a)};
            const int wrong = differences(f, table, mapped);
            if (wrong < fewest) {
                fewest = wrong;
                e.map = f;
                best = mapped;
            }
            if (fewest == 0) return e;
        }
    }
    if (fewest > kMaxExceptions) return std::nullopt;
    for (int c = 0; c < 256; ++c) {
        if (best[c] == table[c]) continue;
        e.from[e.exceptions] = std::uint8_t(c);
        e.to[e.exceptions++] = table[c];
    }
    return e;
}

std::uint8_t mapByte(const ExactMap& f, std::uint8_t c) {
    std::uint8_t v = f.map(c);
    for (int e = 0; e < f.exceptions; ++e) v = c == f.from[e] ? f.to[e] : v;
    return v;
}

void mapRow(const ExactMap& f, fw::Pixel* row, int n) {
    int x = 0;
#ifdef KV_MAP_SSE2
    // The low bytes (blue, red) and the high bytes (green, alpha) of each 16-bit lane are mapped side by side,
    // each as c·2^8 in its lane, so that no byte is unpacked.
    const __m128i m = _mm_set1_epi16(static_cast<short>(f.map.m)), add = _mm_set1_epi16(static_cast<short>(f.map.add));
    const __m128i justBelowHalf = _mm_set1_epi16(127), one = _mm_set1_epi16(1);
    const __m128i highBytes = _mm_set1_epi16(static_cast<short>(0xFF00)), alpha = _mm_set1_epi32(int(0xFF000000u));
    __m128i from[kMaxExceptions], delta[kMaxExceptions];
    for (int e = 0; e < f.exceptions; ++e) {
        from[e] = _mm_set1_epi8(static_cast<char>(f.from[e]));
        delta[e] = _mm_set1_epi8(static_cast<char>(f.to[e] - f.map(f.from[e])));
    }
    // v / 2^8 rounded, ties to even: v + 127, and one more when the integer part is odd.
    const auto rounded = [&](__m128i v) {
        return _mm_add_epi16(_mm_add_epi16(v, justBelowHalf), _mm_and_si128(_mm_srli_epi16(v, 8), one));
    };
    for (; x + 4 <= n; x += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        const __m128i low = _mm_add_epi16(_mm_mulhi_epu16(_mm_slli_epi16(p, 8), m), add);
        const __m128i high = _mm_add_epi16(_mm_mulhi_epu16(_mm_and_si128(p, highBytes), m), add);
        __m128i out = _mm_or_si128(_mm_srli_epi16(rounded(low), 8), _mm_and_si128(rounded(high), highBytes));
        // The exception bytes are distinct: at most one correction applies to a byte.
        for (int e = 0; e < f.exceptions; ++e)
            out = _mm_add_epi8(out, _mm_and_si128(_mm_cmpeq_epi8(p, from[e]), delta[e]));
        out = _mm_or_si128(_mm_andnot_si128(alpha, out), _mm_and_si128(p, alpha));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), out);
    }
#endif
    for (; x < n; ++x) {
        const fw::Pixel p = row[x];
        row[x] = (p & 0xFF000000u) | (fw::Pixel(mapByte(f, std::uint8_t(p >> 16))) << 16) |
                 (fw::Pixel(mapByte(f, std::uint8_t(p >> 8))) << 8) | fw::Pixel(mapByte(f, std::uint8_t(p)));
    }
}

}  // namespace

void MapColourChannels(fw::Bitmap& img, const ChannelTable& table, double scale, double offset) {
    const int w = img.width();
    if (img.empty()) return;
    if (const std::optional<ExactMap> f = exactLinearMap(table, scale, offset)) {
        for (int y = 0; y < img.height(); ++y) mapRow(*f, img.scanline(y), w);
        return;
    }
    for (int y = 0; y < img.height(); ++y) {
        fw::Pixel* row = img.scanline(y);
        for (int x = 0; x < w; ++x) {
            const fw::Pixel p = row[x];
            row[x] = (p & 0xFF000000u) | (fw::Pixel(table[(p >> 16) & 0xFF]) << 16) |
                     (fw::Pixel(table[(p >> 8) & 0xFF]) << 8) | fw::Pixel(table[p & 0xFF]);
        }
    }
}
