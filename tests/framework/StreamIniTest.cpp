#include <gtest/gtest.h>

#include <filesystem>

#include "framework/Dpi.h"
#include "framework/IniFile.h"
#include "framework/Stream.h"
#include "framework/Utf.h"

using namespace fw;

namespace {
std::filesystem::path tempPath(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("fw-test-") + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + name);
}
}  // namespace

TEST(Streams, MemoryStreamReadsWritesAndSeeks) {
    MemoryStream m;
    m.writeBuffer("abcdef", 6);
    EXPECT_EQ(m.size(), 6);
    EXPECT_EQ(m.position(), 6);
    m.seek(-4, SeekOrigin::Current);
    char buf[8] = {};
    EXPECT_EQ(m.read(buf, 8), 4u);  // short read at the end
    EXPECT_STREQ(buf, "cdef");
    EXPECT_EQ(m.read(buf, 1), 0u);
    EXPECT_THROW(m.readBuffer(buf, 1), StreamError);
    EXPECT_THROW(m.seek(-1, SeekOrigin::Begin), StreamError);
    // Writing past the end after a seek fills the gap with zeros.
    m.seek(2, SeekOrigin::End);
    m.writeBuffer("z", 1);
    EXPECT_EQ(m.data(), (std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'e', 'f', 0, 0, 'z'}));
    m.setPosition(1);
    m.writeBuffer("XY", 2);
    m.setPosition(0);
    EXPECT_EQ(m.readAll().size(), 9u);
    EXPECT_EQ(m.data()[1], 'X');
}

TEST(Streams, FileStreamRoundTripsAndReportsMissingFiles) {
    auto path = tempPath("数据.bin");  // a wide name
    std::vector<std::uint8_t> data(100000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    writeFile(path, data);
    {
        FileStream f(path, FileMode::OpenReadWrite);
        EXPECT_EQ(f.size(), 100000);
        f.seek(10, SeekOrigin::Begin);
        std::uint8_t b = 0;
        f.readBuffer(&b, 1);
        EXPECT_EQ(b, data[10]);
        f.writeBuffer("\x01\x02", 2);  // write right after a read
        EXPECT_EQ(f.position(), 13);
        f.seek(-2, SeekOrigin::End);
        EXPECT_EQ(f.readAll().size(), 2u);
    }
    std::vector<std::uint8_t> back = readFile(path);
    ASSERT_EQ(back.size(), data.size());
    EXPECT_EQ(back[11], 1);
    EXPECT_EQ(back[12], 2);
    EXPECT_EQ(back[13], data[13]);
    MemoryStream copy;
    FileStream src(path, FileMode::OpenRead);
    EXPECT_EQ(copy.copyFrom(src), 100000);
    EXPECT_EQ(copy.data(), back);
    std::filesystem::remove(path);
    try {
        FileStream missing(path, FileMode::OpenRead);
        FAIL() << "opened a missing file";
    } catch (const StreamError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
    }
}

TEST(IniFiles, SectionsKeysCaseCommentsAndDefaults) {
    IniFile ini = IniFile::parse(
        "\xEF\xBB\xBF; comment\r\n"
        "stray=ignored\r\n"
        "[Main]\r\n"
        "  url = http://example.test/a?b=c  \r\n"
        "Count=0x1F\r\n"
        "neg=-12\r\n"
        "bad=12x\r\n"
        "big=99999999999\r\n"
        "url=second\r\n"
        "# another comment\n"
        "[ main ]\n"
        "extra=1\n"
        "[Empty]\n");
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Main", "Empty"}));
    EXPECT_EQ(ini.readString("MAIN", "URL"), "http://example.test/a?b=c");  // first occurrence, '=' in value kept
    EXPECT_EQ(ini.readInteger("main", "count", -1), 31);
    EXPECT_EQ(ini.readInteger("main", "neg", 0), -12);
    EXPECT_EQ(ini.readInteger("main", "bad", 7), 7);
    EXPECT_EQ(ini.readInteger("main", "big", 7), 7);
    EXPECT_EQ(ini.readInteger("main", "extra", 0), 1);  // a repeated section continues the first
    EXPECT_EQ(ini.readString("main", "stray", "def"), "def");
    EXPECT_EQ(ini.readString("nosuch", "k", "def"), "def");
    EXPECT_TRUE(ini.hasSection("empty"));
    EXPECT_FALSE(ini.hasKey("empty", "x"));
    EXPECT_TRUE(IniFile::load(tempPath("missing.ini")).sections().empty());
}

TEST(Dpi, ScalesFromTheDesignResolutionAndRoundsHalvesAway) {
    EXPECT_EQ(scaleForDpi(546, 96), 546);
    EXPECT_EQ(scaleForDpi(546, 120), 683);  // 682.5
    EXPECT_EQ(scaleForDpi(-12, 120), -15);
    EXPECT_EQ(scaleForDpi(-13, 120), -16);  // -16.25
    EXPECT_EQ(scaleForDpi(25, 144), 38);    // 37.5
    EXPECT_EQ(scaleForDpi(683, 96, 120), 546);
}

TEST(Utf, ConvertsBothWaysAndReplacesInvalidBytes) {
    EXPECT_EQ(utf8ToWide("数据库 V1.0"), L"数据库 V1.0");
    EXPECT_EQ(wideToUtf8(L"数据库 V1.0"), "数据库 V1.0");
    EXPECT_EQ(utf8ToWide("a\xFF"
                         "b"),
              L"a\xFFFD"
              L"b");
    EXPECT_EQ(utf8ToWide("\xC0\xAF"), L"\xFFFD\xFFFD");  // overlong '/'
    EXPECT_EQ(utf8ToWide("\xE4\xB8"), L"\xFFFD\xFFFD");  // cut short
    EXPECT_EQ(wideToUtf8(utf8ToWide("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
}
