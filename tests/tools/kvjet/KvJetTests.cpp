#include "tools/kvjet/KvJetCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class KvJetTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kvjet-test-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        sample = fs::path(KV_JET_TESTDATA) / "test2V2000.mdb";
    }
    void TearDown() override { fs::remove_all(dir); }

    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return kvjet::run(args, out, err);
    }
    std::vector<fs::path> files() const {
        std::vector<fs::path> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        return names;
    }

    fs::path dir, sample;
    std::ostringstream out, err;
};

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(KvJetTest, CompactWritesASoundSmallerCopyAndNoTemporaryFile) {
    // An Access 2000 file, and an Access 2010 one with deleted rows.
    for (const fs::path& from : {sample, fs::path(KV_JET_TESTDATA) / "delTestV2010.accdb"}) {
        SCOPED_TRACE(from.string());
        const auto dst = (dir / ("out" + from.extension().string())).string();
        const auto src = dir / ("in" + from.extension().string());
        fs::copy_file(from, src);
        ASSERT_EQ(run({"compact", src.string(), dst}), 0) << err.str();
        EXPECT_EQ(contents(src), contents(from));  // the source is only read
        fs::remove(src);
        EXPECT_LT(fs::file_size(dst), fs::file_size(from));
        EXPECT_EQ(files(), std::vector<fs::path>{fs::path(dst).filename()});
        EXPECT_EQ(run({"check", dst}), 0) << out.str();
        EXPECT_EQ(out.str(), "sound\n");
        fs::remove(dst);
    }
}

TEST_F(KvJetTest, CheckFailsOnAFileWithUnreachedPages) {
    EXPECT_EQ(run({"check", sample.string()}), 1);
    EXPECT_NE(out.str().find("not reached"), std::string::npos);
}

TEST_F(KvJetTest, FailureLeavesNoDestinationAndKeepsAnExistingOne) {
    const auto dst = dir / "out.mdb";
    EXPECT_EQ(run({"compact", sample.string(), dst.string(), "--password", "wrong"}), 1);
    EXPECT_NE(err.str().find("password"), std::string::npos);
    EXPECT_TRUE(files().empty());

    { std::ofstream(dst, std::ios::binary) << "previous contents"; }
    const auto truncated = dir / "truncated.mdb";
    fs::copy_file(sample, truncated);
    fs::resize_file(truncated, 3 * 4096);
    EXPECT_EQ(run({"compact", truncated.string(), dst.string()}), 1);
    EXPECT_EQ(contents(dst), "previous contents");
    EXPECT_EQ(files().size(), 2u);
}

TEST_F(KvJetTest, RefusesSameFileAndBadUsage) {
    const auto copy = dir / "db.mdb";
    fs::copy_file(sample, copy);
    const auto before = fs::file_size(copy);
    EXPECT_EQ(run({"compact", copy.string(), copy.string()}), 1);
    EXPECT_EQ(fs::file_size(copy), before);
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"compact", copy.string()}), 2);
    EXPECT_EQ(run({"compact", copy.string(), "x", "--pass", "y"}), 2);
    EXPECT_EQ(run({"check", (dir / "missing.mdb").string()}), 1);
}

TEST_F(KvJetTest, InfoListsTheTables) {
    EXPECT_EQ(run({"info", sample.string()}), 0);
    EXPECT_NE(out.str().find("table MSP_PROJECTS id 15 rows 1"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().rfind("format Jet 4 (Access 2000 or 2003, .mdb)\n", 0), 0u) << out.str();
    EXPECT_EQ(run({"info", (fs::path(KV_JET_TESTDATA) / "test2V2007.accdb").string()}), 0);
    EXPECT_EQ(out.str().rfind("format Access 2007 (.accdb)\n", 0), 0u) << out.str();
}

}  // namespace
