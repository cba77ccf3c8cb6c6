#include "skin/data/kvSkinPackage.h"

#include <gtest/gtest.h>

#include "skin/data/kvCompressedStoredSkin.h"
#include "skin/data/kvSkinIni.h"
#include "skin/data/kvZlibStreams.h"
#include "tests/skin/data/TestSkin.h"

using namespace fw;

namespace {
// Reads the package, and checks that decoding it in place gives every picture as reading it and decoding each
// picture does (and fails where that fails).
SkinPackage readBack(const std::vector<std::uint8_t>& bytes) {
    MemoryStream d(bytes);
    std::optional<DecodedSkinPackage> decoded;
    bool decodeFailed = false;
    try {
        decoded = DecodeSkinPackage(d);
    } catch (const std::exception&) {
        decodeFailed = true;
    }
    MemoryStream s(bytes);
    std::optional<SkinPackage> p;
    try {
        p = ReadSkinPackage(s);
    } catch (const std::exception&) {
        EXPECT_TRUE(decodeFailed);
        throw;
    }
    EXPECT_FALSE(decodeFailed);
    EXPECT_EQ(decoded.has_value(), p.has_value());
    if (!p) throw std::runtime_error("newer version");
    if (decoded) {
        EXPECT_EQ(decoded->picture, p->picture.Decode());
        EXPECT_EQ(decoded->inactivePicture, p->inactivePicture.Decode());
        EXPECT_EQ(decoded->mask, p->mask.Decode());
        EXPECT_EQ(decoded->activePictures.size(), p->activePictures.size());
        for (std::size_t i = 0; i < p->activePictures.size() && i < decoded->activePictures.size(); ++i)
            EXPECT_EQ(decoded->activePictures[i], p->activePictures[i].Decode()) << i;
        EXPECT_EQ(decoded->text, p->text);
    }
    return *p;
}
void expectSamePictures(const SkinPackage& a, const SkinPackage& b) {
    EXPECT_EQ(a.picture.ToBytes(), b.picture.ToBytes());
    EXPECT_EQ(a.inactivePicture.Empty(), b.inactivePicture.Empty());
    EXPECT_EQ(a.mask.ToBytes(), b.mask.ToBytes());
    ASSERT_EQ(a.activePictures.size(), b.activePictures.size());
    for (std::size_t i = 0; i < a.activePictures.size(); ++i)
        EXPECT_EQ(a.activePictures[i].ToBytes(), b.activePictures[i].ToBytes()) << i;
}
}  // namespace

TEST(SkinPackage, WriteAndReadBack) {
    SkinPackage p = kvtest::smallPackage("[VERSION]\r\nskinname=x\r\n", 3);
    auto bytes = p.ToBytes();
    EXPECT_EQ(GetLE32(bytes.data()), 3u);
    EXPECT_EQ(bytes[4], 0);  // main picture present
    SkinPackage back = readBack(bytes);
    expectSamePictures(p, back);
    EXPECT_TRUE(back.inactivePicture.Empty());
    EXPECT_EQ(back.text, p.text);
}

TEST(SkinPackage, EmptySlotIsOneFlagByteAndTheNextSlotFollows) {
    SkinPackage p = kvtest::smallPackage("t", 0);
    auto bytes = p.ToBytes();
    std::size_t mainLen = p.picture.ImageSize();
    EXPECT_EQ(bytes[4 + 1 + mainLen], 1);      // inactive slot: flag 1 only
    EXPECT_EQ(bytes[4 + 1 + mainLen + 1], 0);  // mask slot right after it
    EXPECT_EQ(bytes[4 + 1 + mainLen + 2], 'B');
}

TEST(SkinPackage, VersionTwoSkipsTwoExtraSlots) {
    SkinPackage p = kvtest::smallPackage("[VERSION]\r\n", 2);
    MemoryStream s;
    WriteInt32(s, 2);
    for (const BmpImage* img : {&p.picture, &p.inactivePicture, &p.mask}) {
        if (img->Empty()) {
            WriteByte(s, 1);
        } else {
            WriteByte(s, 0);
            img->Write(s);
        }
    }
    WriteByte(s, 0);
    kvtest::patternImage(9, 9, 42).Write(s);  // an extra slot holding a picture
    WriteByte(s, 1);                          // and an empty one
    WriteInt32(s, static_cast<std::int32_t>(p.activePictures.size()));
    for (const auto& img : p.activePictures) img.Write(s);
    s.write(p.text.data(), p.text.size());
    SkinPackage v2 = readBack(s.data());
    EXPECT_EQ(v2.version, 2);
    expectSamePictures(p, v2);
    EXPECT_EQ(v2.text, p.text);
}

TEST(SkinPackage, ZeroOrNegativeCountMeansNoActivePictures) {
    for (std::int32_t count : {0, -5}) {
        MemoryStream s;
        WriteInt32(s, 3);
        WriteByte(s, 1);
        WriteByte(s, 1);
        WriteByte(s, 1);
        WriteInt32(s, count);
        s.write("[VERSION]", 9);
        SkinPackage p = readBack(s.data());
        EXPECT_TRUE(p.activePictures.empty());
        EXPECT_TRUE(p.picture.Empty());
        EXPECT_EQ(p.text, "[VERSION]");
    }
}

TEST(SkinPackage, NewerVersionReadsNothing) {
    MemoryStream s;
    WriteInt32(s, 4);
    s.write("garbage", 7);
    s.setPosition(0);
    EXPECT_FALSE(ReadSkinPackage(s).has_value());
}

TEST(SkinPackage, DamagedPackagesThrow) {
    auto bytes = kvtest::smallPackage("text", 2).ToBytes();
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + 40);
    EXPECT_THROW(readBack(cut), StreamError);
    auto badSig = bytes;
    badSig[5] = 'X';
    EXPECT_THROW(readBack(badSig), EInvalidGraphic);
    // A huge active count with little data fails on the first missing picture instead of allocating.
    MemoryStream s;
    WriteInt32(s, 3);
    WriteByte(s, 1);
    WriteByte(s, 1);
    WriteByte(s, 1);
    WriteInt32(s, 0x7FFFFFFF);
    EXPECT_THROW(readBack(s.data()), StreamError);
}

TEST(CompressedFraming, FramedLayoutAndItsLimits) {
    TkvCompressedStoredSkin stored;
    stored.SetCompressedData({0x78, 0xDA, 1, 2, 3});
    MemoryStream out;
    out.write("xx", 2);  // written at the stream's position
    stored.SaveToCompressedStream(out);
    EXPECT_EQ(out.size(), 2u + 8u + 5u);
    EXPECT_EQ(GetLE32(out.data().data() + 2), 3u);
    EXPECT_EQ(GetLE32(out.data().data() + 6), 5u);

    MemoryStream framed(FrameCompressedSkin(stored.CompressedData()));
    framed.setPosition(7);  // read from position 0 whatever the position
    TkvCompressedStoredSkin back;
    back.LoadFromCompressedStream(framed);
    EXPECT_EQ(back.CompressedData(), stored.CompressedData());

    // Length 0 reads back empty; a newer framed version gives an empty skin, not an error.
    TkvCompressedStoredSkin empty;
    MemoryStream e;
    empty.SaveToCompressedStream(e);
    back.LoadFromCompressedStream(e);
    EXPECT_TRUE(back.IsEmpty());
    MemoryStream newer;
    WriteInt32(newer, 4);
    WriteInt32(newer, 5);
    newer.write("12345", 5);
    stored.LoadFromCompressedStream(newer);
    EXPECT_TRUE(stored.IsEmpty());

    // A length past the data is a read error.
    MemoryStream shortData;
    WriteInt32(shortData, 3);
    WriteInt32(shortData, 100);
    shortData.write("abc", 3);
    EXPECT_THROW(back.LoadFromCompressedStream(shortData), StreamError);
}

TEST(CompressedStoredSkin, LoadFromSkinFileBuildsTheSamePackage) {
    kvtest::TempDir dir;
    std::string ini = kvtest::writeTestSkin(dir.path());
    TkvCompressedStoredSkin stored;
    ASSERT_TRUE(stored.LoadFromSkinFile(ini));
    ASSERT_GE(stored.CompressedData().size(), 2u);
    EXPECT_EQ(stored.CompressedData()[0], 0x78);
    EXPECT_EQ(stored.CompressedData()[1], 0xDA);

    MemoryStream raw;
    stored.DecompressTo(raw);
    raw.setPosition(0);
    auto p = ReadSkinPackage(raw);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->version, 3);
    EXPECT_EQ(p->picture.ToBytes(), readFile(dir.file("main.bmp")));
    EXPECT_TRUE(p->inactivePicture.Empty());
    EXPECT_EQ(p->mask.ToBytes(), readFile(dir.file("mask.bmp")));
    const char* names[] = {"active.bmp",   "hintwindow.bmp", "pw.bmp",     "menuitems.bmp",
                           "controls.bmp", "mdibg.bmp",      "pwmask.bmp", "hintwindowmask.bmp"};
    ASSERT_EQ(p->activePictures.size(), 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(p->activePictures[i].ToBytes(), readFile(dir.file(names[i]))) << i;
    EXPECT_EQ(p->activePictures[6].bitCount, 4);
    EXPECT_EQ(p->activePictures[7].bitCount, 1);
    EXPECT_EQ(SplitLines(p->text), SplitLines(kvtest::testSkinDescription()));
    EXPECT_EQ(p->text.substr(p->text.size() - 2), "\r\n");
}

TEST(CompressedStoredSkin, DescriptionWithoutARequiredSectionChangesNothing) {
    kvtest::TempDir dir;
    std::string ini = kvtest::writeTestSkin(dir.path());
    std::string text = kvtest::testSkinDescription();
    for (const char* section : {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"}) {
        std::string broken = text;
        broken.replace(broken.find(section), std::string(section).size(), "[OTHER]");
        WriteFileBytes(dir.file("broken.ini"),
                       std::span(reinterpret_cast<const std::uint8_t*>(broken.data()), broken.size()));
        TkvCompressedStoredSkin stored;
        stored.SetCompressedData({1, 2, 3});
        EXPECT_FALSE(stored.LoadFromSkinFile(dir.file("broken.ini"))) << section;
        EXPECT_EQ(stored.CompressedData(), (std::vector<std::uint8_t>{1, 2, 3})) << section;
    }
}

TEST(CompressedStoredSkin, MissingPictureFileRaisesAndLeavesNoData) {
    kvtest::TempDir dir;
    std::string ini = kvtest::writeTestSkin(dir.path());
    std::filesystem::remove(dir.file("pw.bmp"));
    TkvCompressedStoredSkin stored;
    stored.SetCompressedData({1, 2, 3});
    EXPECT_THROW(stored.LoadFromSkinFile(ini), StreamError);
    EXPECT_TRUE(stored.IsEmpty());
}

TEST(CompressedStoredSkin, FileNameSettersLoadOnlyWhileDesigning) {
    kvtest::TempDir dir;
    std::string ini = kvtest::writeTestSkin(dir.path());
    TkvCompressedStoredSkin stored;
    stored.SetFileName(ini);
    EXPECT_EQ(stored.FileName(), ini);
    EXPECT_TRUE(stored.IsEmpty());
    stored.SetDesigning(true);
    stored.setLoading(true);
    stored.SetFileName(ini);
    EXPECT_TRUE(stored.IsEmpty());
    stored.setLoading(false);
    stored.SetFileName(ini);
    EXPECT_EQ(stored.FileName(), "skin.ini");
    EXPECT_FALSE(stored.IsEmpty());

    // The compressed-file setter of a list item follows the list's state.
    MemoryStream framed;
    stored.SaveToCompressedStream(framed);
    WriteFileBytes(dir.file("skin.kvs"), framed.data());
    TkvCompressedSkinList list;
    TkvSkinListItem& item = list.Skins().Add();
    TkvSkinListItem& second = list.Skins().Add();
    EXPECT_EQ(item.Name, "kvSkin0");
    EXPECT_EQ(second.DisplayName(), "kvSkin1");
    item.SetCompressedFileName(dir.file("skin.kvs"));
    EXPECT_TRUE(item.StoredSkin().IsEmpty());
    list.SetDesigning(true);
    item.SetCompressedFileName(dir.file("skin.kvs"));
    EXPECT_EQ(item.CompressedFileName(), "skin.kvs");
    EXPECT_EQ(item.StoredSkin().CompressedData(), stored.CompressedData());
    // The item's binary property is the framed layout.
    EXPECT_EQ(item.Skin(), framed.data());
    second.SetSkin(item.Skin());
    EXPECT_EQ(second.StoredSkin().CompressedData(), stored.CompressedData());
}
