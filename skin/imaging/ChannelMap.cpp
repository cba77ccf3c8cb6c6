#include "skin/imaging/ChannelMap.h"

#include <optional>

#include "skin/imaging/PixelKernels.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KV_MAP_SSE2 1
#endif

namespace {

// A linear map c -> round(c·m / 2^16 + add / 2^8) with ties to even, in 16-bit integers only (8.8 fixed point
// after the multiplication). For scale ≤ 1 and scale·255 + offset ≤ 255 no step leaves 16 bits.
struct LinearMap {
    std::uint16_t m, add;
    constexpr std::uint8_t operator()(std::uint8_t c) const {
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
constexpr int differences(LinearMap f, const ChannelTable& table, ChannelTable& mapped) {
    for (int c = 0; c < 256; ++c) mapped[c] = f(static_cast<std::uint8_t>(c));
    int n = 0;
    for (int c = 0; c < 256; ++c) n += mapped[c] != table[c];
    return n;
}

// x rounded to the nearest integer, halves up, for 0 ≤ x < 2^31.
constexpr long roundedUp(double x) {
    const auto whole = static_cast<long>(x);
    return x - static_cast<double>(whole) >= 0.5 ? whole + 1 : whole;
}

constexpr std::optional<ExactMap> exactLinearMap(const ChannelTable& table, double scale, double offset) {
    const long m0 = roundedUp(scale * 65536), a0 = roundedUp(offset * 256);
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

void mapRow(const ExactMap& f, fw::Pixel* row, int x, int n) {
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

// Pixels from x on through the table itself.
void lookUpRow(const ChannelTable& table, fw::Pixel* row, int x, int n) {
    for (; x < n; ++x) {
        const fw::Pixel p = row[x];
        row[x] = (p & 0xFF000000u) | (fw::Pixel(table[(p >> 16) & 0xFF]) << 16) |
                 (fw::Pixel(table[(p >> 8) & 0xFF]) << 8) | fw::Pixel(table[p & 0xFF]);
    }
}

// The nibble map of a table, when it has one: values A[h] and B[l] in 0 … 65535 with
// 256·t ≤ A[h] + B[l] ≤ 256·t + 255 for every byte c = 16h + l mapped to t. That is a system of differences
// (in A[h] and −B[l]), solved as shortest paths (Bellman–Ford); a path that keeps shrinking means there is none.
constexpr std::optional<NibbleMap> nibbleMapOf(const ChannelTable& table) {
    // Nodes 0 … 15 are A[h], 16 … 31 are −B[l], 32 is zero; an edge (from, to, length) says x[to] ≤ x[from] + length.
    struct Edge {
        int from, to;
        long length;
    };
    std::array<Edge, 2 * 256 + 4 * 16> edges{};
    int n = 0;
    for (int c = 0; c < 256; ++c) {
        const long t = table[c];
        const int h = c >> 4, l = 16 + (c & 15);
        edges[n++] = {l, h, 256 * t + 255};
        edges[n++] = {h, l, -256 * t};
    }
    for (int i = 0; i < 16; ++i) {
        edges[n++] = {32, i, 65535};
        edges[n++] = {i, 32, 0};
        edges[n++] = {32, 16 + i, 0};
        edges[n++] = {16 + i, 32, 65535};
    }
    std::array<long, 33> x{};
    for (int round = 0; round <= 33; ++round) {
        bool changed = false;
        for (const Edge& e : edges) {
            if (x[e.from] + e.length < x[e.to]) {
                x[e.to] = x[e.from] + e.length;
                changed = true;
            }
        }
        if (changed) continue;
        NibbleMap m;
        for (int i = 0; i < 16; ++i) {
            const long a = x[i] - x[32], b = x[32] - x[16 + i];
            m.highWhole[i] = static_cast<std::uint8_t>(a >> 8);
            m.highPart[i] = static_cast<std::uint8_t>(a & 0xFF);
            m.lowWhole[i] = static_cast<std::uint8_t>(b >> 8);
            m.lowPart[i] = static_cast<std::uint8_t>(b & 0xFF);
        }
        return m;
    }
    return std::nullopt;
}

// The byte c through a nibble map, as the vector loop computes it.
constexpr std::uint8_t nibbleMapped(const NibbleMap& m, int c) {
    const int h = c >> 4, l = c & 15;
    return static_cast<std::uint8_t>(m.highWhole[h] + m.lowWhole[l] + (m.highPart[h] + m.lowPart[l] >= 256 ? 1 : 0));
}

constexpr bool mapsAll(const ChannelTable& table, const NibbleMap& m) {
    for (int c = 0; c < 256; ++c)
        if (nibbleMapped(m, c) != table[c]) return false;
    return true;
}

// Brightness 0.5: c/2 + 127.5 is exact, and its rounding to even is the rounded-up mean of c and 255 less one
// where c = 2 mod 4, the form the vector loops take.
constexpr ChannelTable kHalfwayTable = LinearChannelTable(1 - kHalfwayBrightness, 255 * kHalfwayBrightness);
constexpr bool halfwayFormIsExact() {
    for (int c = 0; c < 256; ++c)
        if (((c + 255 + 1) >> 1) - ((c & 3) == 2 ? 1 : 0) != kHalfwayTable[c]) return false;
    return true;
}
static_assert(halfwayFormIsExact(), "brightness 0.5 must be the corrected mean for every byte");

// Darkness 0.3: its bytes near a half (c = 5 mod 10) round to even as exact halves, except three whose product
// falls just below the half. The nibble map gives every byte (vector byte lookups); without those, the fixed-point
// form with its three exceptions.
constexpr ChannelTable kInactiveDarkTable = LinearChannelTable(1 - kInactiveDarkness, 0);
constexpr NibbleMap kInactiveDarkNibbles = *nibbleMapOf(kInactiveDarkTable);
static_assert(mapsAll(kInactiveDarkTable, kInactiveDarkNibbles), "the nibble map must give every byte");
constexpr ExactMap kInactiveDarkForm = *exactLinearMap(kInactiveDarkTable, 1 - kInactiveDarkness, 0);

}  // namespace

// Both maps take every pixel on its own, and a bitmap's rows follow each other: the whole image is one span.
void BrightenHalfway(fw::Bitmap& img) {
    if (img.empty()) return;
    fw::Pixel* px = img.scanline(0);
    const int n = img.width() * img.height();
    lookUpRow(kHalfwayTable, px, ActivePixelKernels().brightenHalfway(px, n), n);
}

void DarkenInactive(fw::Bitmap& img) {
    if (img.empty()) return;
    fw::Pixel* px = img.scanline(0);
    const int n = img.width() * img.height();
    if (const auto mapNibbles = ActivePixelKernels().mapNibbles)
        lookUpRow(kInactiveDarkTable, px, mapNibbles(px, n, kInactiveDarkNibbles), n);
    else mapRow(kInactiveDarkForm, px, 0, n);
}

void MapColourChannels(fw::Bitmap& img, const ChannelTable& table, double scale, double offset) {
    const int w = img.width();
    if (img.empty()) return;
    if (const std::optional<ExactMap> f = exactLinearMap(table, scale, offset)) {
        for (int y = 0; y < img.height(); ++y) mapRow(*f, img.scanline(y), 0, w);
        return;
    }
    for (int y = 0; y < img.height(); ++y) lookUpRow(table, img.scanline(y), 0, w);
}
