#include "skin/data/kvBmp.h"

#include <gtest/gtest.h>

#include "tests/skin/data/TestSkin.h"

using namespace fw;

namespace {
// Hand-made BMP bytes: file header fields are given explicitly so that tests can make them lie.
std::vector<std::uint8_t> rawBmp(int w, int h, int bits, std::uint32_t compression, std::uint32_t sizeImage,
                                 std::uint32_t clrUsed, const std::vector<std::uint32_t>& extra,
                                 const std::vector<std::uint8_t>& rows, std::uint32_t fileSize = 0xDEAD,
                                 std::uint32_t offBits = 0xBEEF, std::uint16_t planes = 1) {
    std::vector<std::uint8_t> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLE32(&b[2], fileSize);
    PutLE32(&b[10], offBits);
    PutLE32(&b[14], 40);
    PutLE32(&b[18], static_cast<std::uint32_t>(w));
    PutLE32(&b[22], static_cast<std::uint32_t>(h));
    PutLE16(&b[26], planes);
    PutLE16(&b[28], static_cast<std::uint16_t>(bits));
    PutLE32(&b[30], compression);
    PutLE32(&b[34], sizeImage);
    PutLE32(&b[46], clrUsed);
    for (std::uint32_t v : extra) {
        std::uint8_t e[4];
        PutLE32(e, v);
        b.insert(b.end(), e, e + 4);
    }
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

BmpImage readAll(const std::vector<std::uint8_t>& bytes, std::size_t* endPos = nullptr) {
    MemoryStream s(bytes);
    BmpImage img = BmpImage::Read(s);
    if (endPos) *endPos = s.position();
    return img;
}
}  // namespace

TEST(Bmp, TwentyFourBitRowsAreBottomUpUnlessHeightIsNegative) {
    // 2 x 2: row bytes 6 rounded to 8. Stored first row is the bottom one.
    std::vector<std::uint8_t> rows = {1, 2, 3, 4, 5, 6, 0, 0, 10, 20, 30, 40, 50, 60, 0, 0};
    Bitmap up = readAll(rawBmp(2, 2, 24, 0, 0, 0, {}, rows)).Decode();
    EXPECT_EQ(up.at(0, 1), makePixel(3, 2, 1));
    EXPECT_EQ(up.at(1, 0), makePixel(60, 50, 40));
    Bitmap down = readAll(rawBmp(2, -2, 24, 0, 0, 0, {}, rows)).Decode();
    EXPECT_EQ(down.at(0, 0), makePixel(3, 2, 1));
    EXPECT_EQ(down.at(1, 1), makePixel(60, 50, 40));
}

TEST(Bmp, PaletteDepthsUseTheirTables) {
    std::vector<std::uint32_t> pal2 = {0x000000, 0xFFFFFF};
    Bitmap one = readAll(rawBmp(3, 1, 1, 0, 0, 0, pal2, {0xA0, 0, 0, 0})).Decode();  // bits 1 0 1
    EXPECT_EQ(one.at(0, 0), makePixel(255, 255, 255));
    EXPECT_EQ(one.at(1, 0), makePixel(0, 0, 0));
    EXPECT_EQ(one.at(2, 0), makePixel(255, 255, 255));

    std::vector<std::uint32_t> pal16(16, 0);
    pal16[3] = 0x112233;
    pal16[12] = 0x445566;
    Bitmap four = readAll(rawBmp(2, 1, 4, 0, 0, 0, pal16, {0x3C, 0, 0, 0})).Decode();
    EXPECT_EQ(four.at(0, 0), makePixel(0x11, 0x22, 0x33));
    EXPECT_EQ(four.at(1, 0), makePixel(0x44, 0x55, 0x66));

    // Used-colours field 2: the table holds two entries, then the rows follow at once.
    Bitmap eight = readAll(rawBmp(2, 1, 8, 0, 0, 2, {0x0000FF, 0x00FF00}, {1, 0, 0, 0})).Decode();
    EXPECT_EQ(eight.at(0, 0), makePixel(0, 255, 0));
    EXPECT_EQ(eight.at(1, 0), makePixel(0, 0, 255));
}

TEST(Bmp, SixteenAndThirtyTwoBitsWithAndWithoutBitFields) {
    // 5-5-5 plain: 0x7C00 is full red.
    Bitmap plain = readAll(rawBmp(1, 1, 16, 0, 0, 0, {}, {0x00, 0x7C, 0, 0})).Decode();
    EXPECT_EQ(plain.at(0, 0), makePixel(255, 0, 0));
    // 5-6-5 bit fields: 0x07E0 is full green.
    Bitmap fields = readAll(rawBmp(1, 1, 16, 3, 0, 0, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0, 0})).Decode();
    EXPECT_EQ(fields.at(0, 0), makePixel(0, 255, 0));
    Bitmap wide =
        readAll(rawBmp(1, 1, 32, 3, 0, 0, {0x0000FF00, 0x00FF0000, 0xFF000000}, {0x00, 0x11, 0x22, 0x33})).Decode();
    EXPECT_EQ(wide.at(0, 0), makePixel(0x11, 0x22, 0x33));
    Bitmap bgrx = readAll(rawBmp(1, 1, 32, 0, 0, 0, {}, {0x33, 0x22, 0x11, 0x99})).Decode();
    EXPECT_EQ(bgrx.at(0, 0), makePixel(0x11, 0x22, 0x33));
}

TEST(Bmp, EndOfImageComesFromHeaderFieldsNotFileSizeOrOffset) {
    std::vector<std::uint8_t> rows(8, 7);
    auto bytes = rawBmp(1, 2, 24, 0, 0, 0, {}, rows, /*fileSize*/ 9999, /*offBits*/ 3);
    bytes.push_back(0x42);  // the next item of a package
    std::size_t end = 0;
    BmpImage img = readAll(bytes, &end);
    EXPECT_EQ(end, 54u + 8u);
    // An image-size field larger than the rows takes exactly that many bytes.
    auto padded = rawBmp(1, 1, 24, 0, 12, 0, {}, std::vector<std::uint8_t>(12, 1));
    padded.push_back(0x42);
    readAll(padded, &end);
    EXPECT_EQ(end, 54u + 12u);
}

TEST(Bmp, DamagedHeadersAreRefused) {
    std::vector<std::uint8_t> rows(4, 0);
    auto bad = rawBmp(1, 1, 24, 0, 0, 0, {}, rows);
    bad[0] = 'X';
    EXPECT_THROW(readAll(bad), EInvalidGraphic);
    EXPECT_THROW(readAll(rawBmp(1, 1, 24, 0, 0, 0, {}, rows, 0, 0, /*planes*/ 2)), EInvalidGraphic);
    EXPECT_THROW(readAll(rawBmp(1, 1, 8, 1, 0, 0, {}, rows)), EInvalidGraphic);   // run-length
    EXPECT_THROW(readAll(rawBmp(1, 1, 24, 3, 0, 0, {}, rows)), EInvalidGraphic);  // bit fields need 16 or 32
    EXPECT_THROW(readAll(rawBmp(1, 1, 2, 0, 0, 0, {}, rows)), EInvalidGraphic);
    EXPECT_THROW(readAll(rawBmp(1, 2, 24, 0, 4, 0, {}, rows)), EInvalidGraphic);  // image size too small
    EXPECT_THROW(readAll(rawBmp(100000, 100000, 24, 0, 0, 0, {}, rows)), EInvalidGraphic);
    EXPECT_THROW(readAll(rawBmp(4, 4, 24, 0, 0, 0, {}, rows)), StreamError);     // rows cut short
    EXPECT_THROW(readAll(rawBmp(1, 1, 8, 0, 0, 60000, {}, rows)), StreamError);  // table past the end
}

TEST(Bmp, WriterNormalisesOffsetsAndSizes) {
    BmpImage pal = kvtest::paletteImage(5, 3, 4, 0);
    auto bytes = pal.ToBytes();
    EXPECT_EQ(GetLE32(&bytes[10]), 14u + 40u + 4u * 16u);
    EXPECT_EQ(GetLE32(&bytes[2]), bytes.size());
    EXPECT_EQ(bytes.size(), pal.ImageSize());
    MemoryStream s(bytes);
    BmpImage back = BmpImage::Read(s);
    EXPECT_EQ(back.ToBytes(), bytes);
    EXPECT_EQ(back.Decode(), pal.Decode());
}

TEST(Bmp, FilesWithGapsAndLongHeadersLoadNormalised) {
    BmpImage img = kvtest::patternImage(3, 2, 5);
    auto tight = img.ToBytes();
    // A file with 10 bytes between the header and the rows, its pixel offset saying so.
    std::vector<std::uint8_t> gapped(tight.begin(), tight.begin() + 54);
    gapped.insert(gapped.end(), 10, 0xEE);
    gapped.insert(gapped.end(), tight.begin() + 54, tight.end());
    PutLE32(&gapped[10], 64);
    EXPECT_EQ(BmpImage::FromFile(gapped).ToBytes(), tight);
    // A 124-byte information header, as many tools write.
    std::vector<std::uint8_t> v5(tight.begin(), tight.begin() + 54);
    v5.insert(v5.end(), 84, 0);
    v5.insert(v5.end(), tight.begin() + 54, tight.end());
    PutLE32(&v5[14], 124);
    PutLE32(&v5[10], 14 + 124);
    EXPECT_EQ(BmpImage::FromFile(v5).ToBytes(), tight);
    // A file cut off inside a long bit-field header: its masks are not there to read.
    std::vector<std::uint8_t> cut(54, 0);
    cut[0] = 'B';
    cut[1] = 'M';
    PutLE32(&cut[14], 56);
    PutLE32(&cut[18], 1);
    PutLE32(&cut[22], 1);
    PutLE16(&cut[26], 1);
    PutLE16(&cut[28], 32);
    PutLE32(&cut[30], 3);
    EXPECT_THROW(BmpImage::FromFile(cut), StreamError);
}

TEST(Bmp, EncodeKeepsEveryPixel) {
    Bitmap b(3, 2, makePixel(0, 0, 0));
    b.at(0, 0) = makePixel(1, 2, 3);
    b.at(2, 1) = makePixel(200, 100, 50);
    for (int bits : {24, 32}) {
        BmpImage img = BmpImage::Encode(b, bits);
        EXPECT_GT(img.height, 0);
        EXPECT_EQ(img.Decode(), b) << bits;
    }
    EXPECT_TRUE(BmpImage::Encode(Bitmap()).Empty());
}
