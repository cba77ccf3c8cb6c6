#include "tools/kvskin/kvskinCommands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "skin/data/kvSkinIni.h"
#include "skin/data/kvStreams.h"
#include "tests/skin/data/TestSkin.h"

using namespace fw;

namespace {
int run(std::vector<std::string> args, std::string* out = nullptr, std::string* err = nullptr) {
    args.insert(args.begin(), "kvskin");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream o, e;
    int rc = kvskin::run(static_cast<int>(argv.size()), argv.data(), o, e);
    if (out) *out = o.str();
    if (err) *err = e.str();
    return rc;
}
}  // namespace

TEST(Kvskin, PackUnpackPackIsByteIdentical) {
    kvtest::TempDir dir;
    std::filesystem::create_directory(dir.path() / "src");
    std::string ini = kvtest::writeTestSkin(dir.path() / "src");
    ASSERT_EQ(run({"pack", ini, dir.file("one.kvs")}), 0);
    ASSERT_EQ(run({"unpack", dir.file("one.kvs"), dir.file("out")}), 0);
    for (const char* name : {"main.bmp", "mask.bmp", "active.bmp", "controls.bmp", "pwmask.bmp", "hintwindowmask.bmp"})
        EXPECT_EQ(readFile(dir.file("out/") + name), readFile(dir.file("src/") + name)) << name;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out/inactivepicture.bmp")));
    EXPECT_EQ(readFile(dir.file("out/skin.ini")), readFile(ini));
    ASSERT_EQ(run({"pack", dir.file("out/skin.ini"), dir.file("two.kvs")}), 0);
    EXPECT_EQ(readFile(dir.file("one.kvs")), readFile(dir.file("two.kvs")));
    auto framed = readFile(dir.file("one.kvs"));
    EXPECT_EQ(getLE32(framed.data()), 3u);
    EXPECT_EQ(getLE32(framed.data() + 4), framed.size() - 8);
}

TEST(Kvskin, InfoListsPicturesLinesAndClasses) {
    kvtest::TempDir dir;
    std::string ini = kvtest::writeTestSkin(dir.path());
    ASSERT_EQ(run({"pack", ini, dir.file("skin.kvs")}), 0);
    std::string out;
    ASSERT_EQ(run({"info", dir.file("skin.kvs")}, &out), 0);
    EXPECT_NE(out.find("version 3\n"), std::string::npos) << out;
    EXPECT_NE(out.find("picture: 285 x 210, 24 bpp\n"), std::string::npos) << out;
    EXPECT_NE(out.find("inactivepicture: empty\n"), std::string::npos) << out;
    EXPECT_NE(out.find("mask: 285 x 210, 8 bpp\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  7: 28 x 21, 1 bpp\n"), std::string::npos) << out;
    EXPECT_NE(out.find("description: 358 lines\n"), std::string::npos) << out;
    EXPECT_NE(out.find("objects: 13\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  TkvDataSkinStdButton 6\n"), std::string::npos) << out;
    EXPECT_NE(out.find("controls: 64\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  TkvDataSkinButtonControl 9\n"), std::string::npos) << out;
}

TEST(Kvskin, UnpackKeepsPicturesInsideTheFolder) {
    kvtest::TempDir dir;
    std::string ini = kvtest::writeTestSkin(dir.path());
    std::string text = kvtest::testSkinDescription();
    text.replace(text.find("picture=main.bmp"), 16, "picture=../escape.bmp");
    writeFileBytes(ini, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    std::filesystem::copy_file(dir.file("main.bmp"), dir.path().parent_path() / "escape.bmp",
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(run({"pack", ini, dir.file("skin.kvs")}), 0);
    std::filesystem::remove(dir.path().parent_path() / "escape.bmp");
    std::string err;
    ASSERT_EQ(run({"unpack", dir.file("skin.kvs"), dir.file("out")}, nullptr, &err), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("out/picture.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escape.bmp"));
    EXPECT_NE(err.find("not a plain file name"), std::string::npos);
}

TEST(Kvskin, ErrorsGiveNonZeroExitCodes) {
    kvtest::TempDir dir;
    std::string err;
    EXPECT_EQ(run({}, nullptr, &err), 2);
    EXPECT_NE(err.find("usage"), std::string::npos);
    EXPECT_EQ(run({"pack", "only-one"}), 2);
    EXPECT_EQ(run({"info", dir.file("missing.kvs")}, nullptr, &err), 1);
    EXPECT_NE(err.find("missing.kvs"), std::string::npos);
    writeFileBytes(dir.file("plain.ini"), std::vector<std::uint8_t>{'[', 'V', 'E', 'R', 'S', 'I', 'O', 'N', ']'});
    EXPECT_EQ(run({"pack", dir.file("plain.ini"), dir.file("x.kvs")}, nullptr, &err), 1);
    EXPECT_NE(err.find("not a skin description"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.kvs")));
    writeFileBytes(dir.file("junk.kvs"), std::vector<std::uint8_t>{3, 0, 0, 0, 4, 0, 0, 0, 1, 2, 3, 4});
    EXPECT_EQ(run({"info", dir.file("junk.kvs")}), 1);
}
