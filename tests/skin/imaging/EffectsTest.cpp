#include "skin/imaging/kveffects.h"

#include "skin/imaging/ColumnMix.h"
#include "skin/imaging/PixelKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using fw::Bitmap;
using fw::makePixel;
using fw::Pixel;

namespace {

// A one-row image of the given grey levels (or colours).
TkvEffectBmp row(std::initializer_list<Pixel> pixels) {
    Bitmap b(static_cast<int>(pixels.size()), 1);
    int x = 0;
    for (Pixel p : pixels) b.at(x++, 0) = p;
    return TkvEffectBmp(b);
}
Pixel grey(int v) { return makePixel(v, v, v); }
TkvEffectBmp uniform(int w, int h, Pixel p) { return TkvEffectBmp(Bitmap(w, h, p)); }

TEST(InactiveEffects, BrightnessAndDarknessRoundHalfToEven) {
    TkvEffectBmp e = row({grey(101), grey(255), grey(0), grey(100), grey(102), makePixel(101, 0, 255, 7)});
    e.ApplyBrightness(0.5);
    EXPECT_EQ(e.Image().at(0, 0), grey(178));
    EXPECT_EQ(e.Image().at(1, 0), grey(255));                    // white stays white
    EXPECT_EQ(e.Image().at(2, 0), grey(128));                    // 127.5 -> 128
    EXPECT_EQ(e.Image().at(3, 0), grey(178));                    // 177.5 -> 178
    EXPECT_EQ(e.Image().at(4, 0), grey(178));                    // 178.5 -> 178
    EXPECT_EQ(e.Image().at(5, 0), makePixel(178, 128, 255, 7));  // alpha kept
    TkvEffectBmp d = row({grey(100), grey(255), grey(0)});
    d.ApplyDarkness(0.3);
    EXPECT_EQ(d.Image().at(0, 0), grey(70));
    EXPECT_EQ(d.Image().at(1, 0), grey(178));
    EXPECT_EQ(d.Image().at(2, 0), grey(0));
    // k outside 0 … 1 is limited.
    TkvEffectBmp k = row({grey(40)});
    k.ApplyBrightness(3.0);
    EXPECT_EQ(k.Image().at(0, 0), grey(255));
    k.ApplyDarkness(-1.0);
    EXPECT_EQ(k.Image().at(0, 0), grey(255));
}

TEST(InactiveEffects, GrayscaleInvertAndDispatch) {
    TkvEffectBmp g = row({makePixel(0, 255, 0), makePixel(0, 0, 50), makePixel(1, 0, 20), makePixel(255, 255, 255)});
    g.ApplyGrayscale();
    EXPECT_EQ(g.Image().at(0, 0), grey(150));  // 150.45
    EXPECT_EQ(g.Image().at(1, 0), grey(6));    // 5.5 -> 6
    EXPECT_EQ(g.Image().at(2, 0), grey(2));    // 2.5 -> 2
    EXPECT_EQ(g.Image().at(3, 0), grey(255));

    const Bitmap start = row({makePixel(10, 20, 30, 200), makePixel(0, 128, 255)}).Image();
    TkvEffectBmp inv(start);
    inv.ApplyInvert();
    EXPECT_EQ(inv.Image().at(0, 0), makePixel(245, 235, 225, 200));
    inv.ApplyInvert();
    EXPECT_EQ(inv.Image(), start);

    TkvEffectBmp via = row({grey(100)});
    via.ApplyInactiveEffect(iedarkness);
    EXPECT_EQ(via.Image().at(0, 0), grey(70));
    via.ApplyInactiveEffect(iebrightness);
    EXPECT_EQ(via.Image().at(0, 0), grey(162));  // 35 + 127.5 = 162.5 -> 162
}

TEST(InactiveEffects, NoiseMovesAllChannelsOfAPixelByOneOffsetInRange) {
    TkvEffectBmp e = uniform(64, 16, makePixel(100, 120, 140));
    e.ApplyNoise(50, 12345);
    int lowest = 99, highest = -99;
    bool varied = false;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Pixel p = e.Image().at(x, y);
            const int o = fw::pixelR(p) - 100;
            EXPECT_EQ(fw::pixelG(p) - 120, o);
            EXPECT_EQ(fw::pixelB(p) - 140, o);
            lowest = std::min(lowest, o);
            highest = std::max(highest, o);
            varied |= o != fw::pixelR(e.Image().at(0, 0)) - 100;
        }
    }
    EXPECT_TRUE(varied);
    EXPECT_EQ(lowest, -25);  // r − amount div 2 with r in 0 … 49: offsets −25 … 24, all hit in 1024 draws
    EXPECT_EQ(highest, 24);
    // Clamped at the ends; nothing for an amount of 0.
    TkvEffectBmp w = uniform(32, 4, grey(250));
    w.ApplyNoise(50, 7);
    for (int x = 0; x < 32; ++x) EXPECT_GE(fw::pixelR(w.Image().at(x, 0)), 225);
    // Without a seed the grain is the same on every repaint.
    TkvEffectBmp r1 = uniform(16, 4, grey(128)), r2 = uniform(16, 4, grey(128));
    r1.ApplyNoise(50);
    r2.ApplyNoise(50);
    EXPECT_EQ(r1.Image(), r2.Image());
    TkvEffectBmp z = uniform(4, 4, grey(9));
    z.ApplyNoise(0);
    EXPECT_EQ(z.Image(), Bitmap(4, 4, grey(9)));
}

TEST(InactiveEffects, SplitBlurEdgeRulesAndInPlaceRows) {
    // One row: the partner row of y = 0 near the bottom is (height − y), kept inside the image; the right partner
    // of the last column is column (width − x) = 1.
    TkvEffectBmp r = row({grey(0), grey(100), grey(200), grey(40)});
    r.ApplySplitBlur(1);
    const Pixel expectRow[4] = {grey(50), grey(100), grey(70), grey(150)};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(r.Image().at(x, 0), expectRow[x]) << x;
    // One column of three: rows are done top to bottom, and the upper row is read after it has been blurred.
    Bitmap col(1, 3);
    col.at(0, 0) = grey(0);
    col.at(0, 1) = grey(100);
    col.at(0, 2) = grey(200);
    TkvEffectBmp c(col);
    c.ApplySplitBlur(1);
    EXPECT_EQ(c.Image().at(0, 0), grey(50));   // (0 + 100) / 2
    EXPECT_EQ(c.Image().at(0, 1), grey(125));  // (50 + 200) / 2: row 0 already blurred
    EXPECT_EQ(c.Image().at(0, 2), grey(125));  // rows 1 and (3 − 2) = 1, both blurred
    // Distance 0 does nothing; distances beyond the image stay inside it.
    TkvEffectBmp same = row({grey(1), grey(2)});
    same.ApplySplitBlur(0);
    EXPECT_EQ(same.Image().at(1, 0), grey(2));
    TkvEffectBmp beyond = uniform(3, 2, grey(80));
    beyond.ApplySplitBlur(9);
    EXPECT_EQ(beyond.Image(), Bitmap(3, 2, grey(80)));
}

// Old image all grey(0), new image all grey(100), w pixels wide and h high.
struct MorphPair {
    TkvEffectBmp old, neu;
    MorphPair(int w, int h) : old(uniform(w, h, grey(0))), neu(uniform(w, h, grey(100))) {}
    int at(int x, int y = 0) const { return fw::pixelR(old.Image().at(x, y)); }
};

TEST(Morphs, BlendEndPointsAndTies) {
    const Bitmap oldImg = row({grey(10), makePixel(10, 10, 10, 0), grey(250)}).Image();
    const TkvEffectBmp neu = row({grey(21), makePixel(23, 23, 23, 255), grey(0)});
    TkvEffectBmp m(oldImg);
    m.MorphBlend(neu, 0);
    EXPECT_EQ(m.Image(), oldImg);
    m.MorphBlend(neu, 1);
    EXPECT_EQ(m.Image(), neu.Image());
    TkvEffectBmp half(oldImg);
    half.MorphBlend(neu, 0.5);
    EXPECT_EQ(half.Image().at(0, 0), grey(16));                    // 15.5 -> 16
    EXPECT_EQ(half.Image().at(1, 0), makePixel(16, 16, 16, 128));  // 16.5 -> 16, alpha 127.5 -> 128
    EXPECT_EQ(half.Image().at(2, 0), grey(125));
    // Different sizes: nothing happens.
    TkvEffectBmp other(oldImg);
    other.MorphBlend(uniform(2, 2, grey(99)), 0.5);
    EXPECT_EQ(other.Image(), oldImg);
}

TEST(Morphs, LeftAndRightGradients) {
    MorphPair p(100, 2);
    p.old.MorphLeftGradient(p.neu, 1.0);  // a = 99
    EXPECT_EQ(p.at(0), 100);
    EXPECT_EQ(p.at(99), 0);     // the last column still shows the old image
    EXPECT_EQ(p.at(98, 1), 1);  // w = 98/99: 1.01 -> 1
    EXPECT_EQ(p.at(33), 67);    // w = 1/3
    MorphPair q(10, 1);
    q.old.MorphLeftGradient(q.neu, 0.0);  // a at least 1: column 0 new, column 1 old
    EXPECT_EQ(q.at(0), 100);
    EXPECT_EQ(q.at(1), 0);
    MorphPair r(10, 1);
    r.old.MorphRightGradient(r.neu, 0.3);  // b = 7, step 1/3 from column 9 down to 7
    const int expect[10] = {0, 0, 0, 0, 0, 0, 0, 33, 67, 100};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(r.at(x), expect[x]) << x;
}

TEST(Morphs, CentreGradientBothOrientations) {
    MorphPair h(20, 2);
    h.old.MorphCentreGradient(h.neu, 0.5);  // a = 10, ramp 5, columns 5 … 15 new
    const int hx[20] = {0, 20, 40, 60, 80, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 80, 60, 40, 20};
    for (int x = 0; x < 20; ++x) EXPECT_EQ(h.at(x, 1), hx[x]) << x;
    MorphPair v(2, 20);
    v.old.MorphCentreGradient(v.neu, 0.5);  // a = 10, ramp (20 − 10 − 1) div 2 = 4, rows 5 … 15 new
    const int vy[20] = {0, 0, 25, 50, 75, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 75, 50, 25, 0};
    for (int y = 0; y < 20; ++y) EXPECT_EQ(v.at(1, y), vy[y]) << y;
    MorphPair v2(2, 20);
    v2.old.MorphCentreGradient(v2.neu, 0.95);  // ramp length 0: step 0, every row takes the new image
    for (int y = 0; y < 20; ++y) EXPECT_EQ(v2.at(0, y), 100) << y;
}

// A one-row image whose pixel x holds grey(base + x).
TkvEffectBmp ramp(int w, int base) {
    Bitmap b(w, 1);
    for (int x = 0; x < w; ++x) b.at(x, 0) = grey(base + x);
    return TkvEffectBmp(b);
}

TEST(Morphs, SlidesAndPushMoveColumns) {
    const TkvEffectBmp neu = ramp(10, 100);
    auto cols = [](const TkvEffectBmp& e) {
        std::vector<int> v;
        for (int x = 0; x < e.Width(); ++x) v.push_back(fw::pixelR(e.Image().at(x, 0)));
        return v;
    };
    TkvEffectBmp l = ramp(10, 0);
    l.MorphLeftSlide(neu, 0.3);
    EXPECT_EQ(cols(l), (std::vector<int>{107, 108, 109, 3, 4, 5, 6, 7, 8, 9}));
    TkvEffectBmp r = ramp(10, 0);
    r.MorphRightSlide(neu, 0.3);
    EXPECT_EQ(cols(r), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 100, 101, 102}));
    TkvEffectBmp p = ramp(10, 0);
    p.MorphPush(neu, 0.3);
    EXPECT_EQ(cols(p), (std::vector<int>{106, 107, 108, 109, 0, 1, 2, 3, 4, 5}));
    TkvEffectBmp p0 = ramp(10, 0);
    p0.Morph(mkpush, neu, 0.0);  // a = 0: the old row moves one column, the new row's last comes in
    EXPECT_EQ(cols(p0), (std::vector<int>{109, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
    TkvEffectBmp s1 = ramp(10, 0);
    s1.Morph(mkleftslide, neu, 1.0);  // a at most W − 1
    EXPECT_EQ(cols(s1), (std::vector<int>{101, 102, 103, 104, 105, 106, 107, 108, 109, 9}));
    // One-pixel images are left alone rather than read out of range.
    TkvEffectBmp one = ramp(1, 5);
    for (int k = 0; k <= 6; ++k) one.Morph(TkvMorphKind(k), ramp(1, 50), 0.5);
    // Blend gives 27.5 -> 28; the centre gradient (a = 0, column 0 is its centre) then takes the new pixel.
    EXPECT_EQ(fw::pixelR(one.Image().at(0, 0)), 50);
}

// The integer mix of the gradients against its definition, for every pair of old and new byte in every column of
// gradients whose weights have many exact halves (multiples of 1/2, 1/4, 1/6, … of a byte difference), so that the
// bytes found near a half and mixed in floating point are exercised as much as the integer path; and weights just
// off a half or a quarter, whose integer form ties where the floating-point mix does not.
TEST(ColumnMix, EveryBytePairOfEveryColumnMixesAsTheFloatingPointMix) {
    // Byte slot s of the row (pixel s / 4) holds old byte s / 256 and new byte s % 256: all 65536 pairs.
    std::vector<Pixel> oldRow(16384), newRow(16384);
    for (int s = 0; s < 65536; ++s) {
        oldRow[s / 4] |= Pixel(s >> 8) << (8 * (s % 4));
        newRow[s / 4] |= Pixel(s & 255) << (8 * (s % 4));
    }
    const auto check = [&](double w, const char* what, int x) {
        const ColumnMix mix(std::vector<double>(oldRow.size(), w));
        std::vector<Pixel> row = oldRow;
        mix.Mix(row.data(), newRow.data(), 0, int(row.size()));
        for (std::size_t i = 0; i < row.size(); ++i)
            ASSERT_EQ(row[i], MixPixel(oldRow[i], newRow[i], w)) << what << " " << x << " pixel " << i;
    };
    for (int a : {84, 62, 12})
        for (int x = 0; x <= a; ++x) check(std::min(1.0, x * (1.0 / a)), "a left gradient's column", x);
    check(0.5 + 1e-9, "a half and a bit", 0);
    check(0.75 - 1e-9, "three quarters less a bit", 0);
}

// FNV-1a over every pixel: a fingerprint of an effect's whole output.
std::uint64_t fingerprint(const Bitmap& b) {
    std::uint64_t h = 14695981039346656037ull;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) h = (h ^ b.at(x, y)) * 1099511628211ull;
    return h;
}

// Two 256 x 256 images that between them hold every pair of channel values (old x, new y) in each channel, so a
// blend sees every rounding case of its progress.
Bitmap everyPair(bool second) {
    Bitmap b(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            b.at(x, y) = second ? makePixel(y, 255 - y, y ^ 0x5A, (y * 7) & 255) : makePixel(x, x, 255 - x, x);
    return b;
}

// Every effect and morph over every channel pair at progresses that give exact ties, near ties and none; the
// expected fingerprints were taken from the straightforward floating-point implementation, so any faster one
// must round every channel the same way.
TEST(Effects, OutputsStayExactlyTheSame) {
    using Apply = std::function<void(TkvEffectBmp&, const TkvEffectBmp&)>;
    const double ks[] = {0.1, 0.3, 0.5, 0.7, 1.0 / 3, 0.123456789, 0.99};
    struct Case {
        std::string name;
        Apply apply;
    };
    std::vector<Case> cases;
    for (double k : ks) {
        const std::string n = std::to_string(k);
        cases.push_back({"brightness " + n, [k](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyBrightness(k); }});
        cases.push_back({"darkness " + n, [k](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyDarkness(k); }});
        for (int kind = 0; kind <= 6; ++kind)
            cases.push_back({"morph " + std::to_string(kind) + " " + n,
                             [k, kind](TkvEffectBmp& e, const TkvEffectBmp& t) { e.Morph(TkvMorphKind(kind), t, k); }});
    }
    cases.push_back({"grayscale", [](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyGrayscale(); }});
    cases.push_back({"invert", [](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyInvert(); }});
    cases.push_back({"noise 50", [](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyNoise(50); }});
    cases.push_back({"noise 7", [](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyNoise(7, 99); }});
    cases.push_back({"noise 70000", [](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyNoise(70000, 5); }});
    for (int d : {1, 2, 5})
        cases.push_back(
            {"splitblur " + std::to_string(d), [d](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplySplitBlur(d); }});

    // Wide, tall (the centre gradient's other orientation) and odd-sized crops of the pair images.
    const Bitmap a = everyPair(false), b = everyPair(true);
    const fw::Rect crops[] = {{0, 0, 256, 256}, {3, 5, 212, 27}, {7, 1, 30, 200}};
    std::uint64_t all = 14695981039346656037ull;
    for (const fw::Rect& r : crops) {
        Bitmap ca(r.width(), r.height()), cb(r.width(), r.height());
        fw::copyPixels(a, r, ca, 0, 0);
        fw::copyPixels(b, r, cb, 0, 0);
        const TkvEffectBmp target(cb);
        for (const Case& c : cases) {
            TkvEffectBmp e(ca);
            c.apply(e, target);
            all = (all ^ fingerprint(e.Image())) * 1099511628211ull;
        }
    }
    EXPECT_EQ(all, 1657976516507305464u);
}

// These tests run twice: on the widest loops the processor has, and with KV_PIXEL_KERNELS=sse2 on the baseline.
TEST(Effects, TheLoopsInUseAreTheOnesAskedFor) {
    const char* forced = std::getenv("KV_PIXEL_KERNELS");
    const bool baseline = forced && std::string(forced) == "sse2";
    const bool wide = Avx2PixelKernels() && __builtin_cpu_supports("avx2") && !baseline;
    EXPECT_STREQ(ActivePixelKernels().name, wide ? "avx2" : "sse2");
}

}  // namespace
