// The generated pictures: layouts the package needs, masks that round the window, and images that tile cleanly.
#include <gtest/gtest.h>

#include <set>

#include "tools/skinart/BmpOut.h"
#include "tools/skinart/Layout.h"
#include "tools/skinart/Pictures.h"

namespace skinart {
namespace {

namespace L = layout;
using fw::Bitmap;
using fw::Pixel;
using fw::Rect;

constexpr Pixel kBlack = fw::makePixel(0, 0, 0);
constexpr Pixel kWhite = fw::makePixel(255, 255, 255);

TEST(SkinPictures, PackageOrderSizesDepthsAndByteLengths) {
    struct Want {
        const char* name;
        int w, h, bits;
        std::size_t bytes;
    };
    const Want want[] = {{"main.bmp", 285, 210, 24, 179814},     {"mask.bmp", 285, 210, 8, 61558},
                         {"active.bmp", 75, 263, 24, 60018},     {"hintwindow.bmp", 28, 21, 24, 1818},
                         {"pw.bmp", 93, 55, 24, 15454},          {"menuitems.bmp", 132, 126, 24, 49950},
                         {"controls.bmp", 556, 410, 24, 683934}, {"mdibg.bmp", 219, 178, 24, 117534},
                         {"pwmask.bmp", 93, 55, 4, 2758},        {"hintwindowmask.bmp", 28, 21, 1, 146}};
    const std::vector<SkinPicture> pics = renderSkin();
    ASSERT_EQ(pics.size(), std::size(want));
    for (std::size_t i = 0; i < pics.size(); ++i) {
        SCOPED_TRACE(want[i].name);
        const BmpImage& img = pics[i].image;
        EXPECT_EQ(pics[i].fileName, want[i].name);
        EXPECT_EQ(img.width, want[i].w);
        EXPECT_EQ(img.height, want[i].h);  // positive: bottom-up
        EXPECT_EQ(img.bitCount, want[i].bits);
        EXPECT_EQ(img.compression, 0u);  // plain rows
        EXPECT_EQ(img.ToBytes().size(), want[i].bytes);
    }
}

TEST(SkinPictures, DrawingIsReproducible) {
    const std::vector<SkinPicture> a = renderSkin(), b = renderSkin();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].image.ToBytes(), b[i].image.ToBytes()) << a[i].fileName;
}

// Indexed masks decode (by the skin-data reader) to exactly the black and white that were drawn.
TEST(SkinPictures, GreyEncodingSurvivesDecodingAtEveryDepth) {
    Bitmap m(13, 5, kBlack);  // odd width: exercises partial bytes and row padding
    for (int x = 0; x < 13; x += 3) m.at(x, 1) = kWhite;
    m.at(12, 4) = kWhite;
    m.at(0, 0) = kWhite;
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const BmpImage img = encodeGrey(m, bits);
        EXPECT_EQ(img.colors.size(), std::size_t(1) << bits);
        EXPECT_EQ(img.Decode(), m);
    }
    EXPECT_THROW(encodeGrey(m, 24), std::invalid_argument);
}

bool inside(const Bitmap& mask, int x, int y) { return mask.at(x, y) == kBlack; }

TEST(SkinPictures, WindowMaskRoundsOnlyTheTopCorners) {
    const Bitmap mask = mainMask();
    std::set<Pixel> colours;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) colours.insert(mask.at(x, y));
    EXPECT_EQ(colours, (std::set<Pixel>{kBlack, kWhite}));

    const int w = mask.width(), h = mask.height();
    EXPECT_FALSE(inside(mask, 0, 0));
    EXPECT_FALSE(inside(mask, w - 1, 0));
    EXPECT_TRUE(inside(mask, L::kCornerRadius, 0));  // the top edge starts after the curve
    EXPECT_TRUE(inside(mask, 0, L::kCornerRadius));  // and the side edge below it
    EXPECT_TRUE(inside(mask, 0, h - 1));             // bottom corners stay square
    EXPECT_TRUE(inside(mask, w - 1, h - 1));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(inside(mask, x, y), inside(mask, w - 1 - x, y)) << x << "," << y;  // both corners alike
            // The cut stays inside the fixed corner pieces, away from any part the frame repeats.
            if (!inside(mask, x, y))
                ASSERT_TRUE(y < L::kCornerRadius && (x < L::kCornerRadius || x >= w - L::kCornerRadius));
        }
}

TEST(SkinPictures, SmallWindowMasksCutTheirCorners) {
    for (const Bitmap& m : {popupMask(), hintMask()}) {
        EXPECT_EQ(m.at(0, 0), kWhite);
        EXPECT_EQ(m.at(m.width() - 1, m.height() - 1), kWhite);
        EXPECT_EQ(m.at(m.width() / 2, 0), kBlack);
        EXPECT_EQ(m.at(m.width() / 2, m.height() / 2), kBlack);
    }
}

// The frame repeats the middle of each band; a seam would show if those parts were not uniform.
TEST(SkinPictures, FrameBandsRepeatWithoutSeams) {
    const Bitmap main = mainPicture();
    const int ltx = 30, rtx = 255, top = L::kClient.top, bottom = L::kClient.bottom;
    for (int y = 0; y < top; ++y)
        for (int x = ltx; x < rtx; ++x) ASSERT_EQ(main.at(x, y), main.at(ltx, y)) << x << "," << y;
    for (int y = bottom; y < main.height(); ++y)
        for (int x = ltx; x < rtx; ++x) ASSERT_EQ(main.at(x, y), main.at(ltx, y)) << x << "," << y;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < L::kClient.left; ++x) ASSERT_EQ(main.at(x, y), main.at(x, top)) << x << "," << y;
        for (int x = L::kClient.right; x < main.width(); ++x)
            ASSERT_EQ(main.at(x, y), main.at(x, top)) << x << "," << y;
    }
    // The client region is one flat colour, so its repetition over the client area is invisible.
    const Pixel c = main.at(L::kClient.left, L::kClient.top);
    for (int y = L::kClient.top; y < L::kClient.bottom; ++y)
        for (int x = L::kClient.left; x < L::kClient.right; ++x) ASSERT_EQ(main.at(x, y), c);
}

bool same(const Bitmap& a, Rect ra, const Bitmap& b, Rect rb) {
    if (ra.width() != rb.width() || ra.height() != rb.height()) return false;
    for (int y = 0; y < ra.height(); ++y)
        for (int x = 0; x < ra.width(); ++x)
            if (a.at(ra.left + x, ra.top + y) != b.at(rb.left + x, rb.top + y)) return false;
    return true;
}

TEST(SkinPictures, CaptionButtonsShowThreeDistinctLooksAndSitInvisiblyOnTheCaption) {
    const Bitmap act = captionButtons(), main = mainPicture();
    for (int row = L::RowClose; row <= L::RowTray; ++row) {
        SCOPED_TRACE(row);
        const Rect n = L::capButton(row, L::kCapColNormal), h = L::capButton(row, L::kCapColHot),
                   d = L::capButton(row, L::kCapColDown);
        EXPECT_FALSE(same(act, n, act, h));
        EXPECT_FALSE(same(act, n, act, d));
        EXPECT_FALSE(same(act, h, act, d));
        // The normal image's corner shows the caption strip exactly as the frame has it at the button's rows.
        EXPECT_EQ(act.at(n.left, n.top), main.at(100, L::kCaption.top));
        EXPECT_EQ(act.at(n.left, n.bottom - 1), main.at(100, L::kCaption.top + L::kCapBtn - 1));
    }
    // Disabled images differ from the usable ones.
    EXPECT_FALSE(same(act, L::capButton(L::RowDisabledA, 0), act, L::capButton(L::RowClose, 0)));
    // System-menu button: three looks too.
    EXPECT_FALSE(same(act, L::sysButton(0), act, L::sysButton(1)));
    EXPECT_FALSE(same(act, L::sysButton(1), act, L::sysButton(2)));
}

}  // namespace
}  // namespace skinart
