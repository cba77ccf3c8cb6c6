// Databases grown from a sample: the engine compacts them to exactly their live rows, and the independent
// reader reads them. The one-gigabyte case runs only when KV_LONG_TESTS is set (CI leaves it unset).
#include "engine/core/Checker.h"
#include "engine/core/JetEngine.h"
#include "engine/core/RowPacker.h"
#include "engine/core/Survey.h"
#include "tests/engine/core/LargeDatabase.h"
#include "tests/engine/core/TestData.h"
#include "tools/kvjet/FileStreams.h"
#include "tools/kvjet/KvJetCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

// Lines mdb-export prints for the grown table (header included), or -1 when mdbtools is not installed.
long exportedLines(const fs::path& file) {
    if (std::system("command -v mdb-export >/dev/null 2>&1") != 0) return -1;
    std::FILE* p = ::popen(("mdb-export '" + file.string() + "' Table | wc -l").c_str(), "r");
    if (!p) return -1;
    long lines = -1;
    if (std::fscanf(p, "%ld", &lines) != 1) lines = -1;
    ::pclose(p);
    return lines;
}

void expectCompactsToItsLiveRows(std::uint64_t bytes) {
    const fs::path dir = fs::temp_directory_path() / "kv-large-database";
    fs::create_directories(dir);
    const fs::path source = dir / "grown.mdb", copy = dir / "compacted.mdb";
    const auto grown = jettest::writeLargeDatabase(source, bytes);
    EXPECT_EQ(fs::file_size(source), grown.pages * 4096);
    EXPECT_GT(grown.freePages, 0u);
    EXPECT_GT(grown.unreachablePages, 0u);
    if (long lines = exportedLines(source); lines >= 0) {
        EXPECT_EQ(std::uint64_t(lines), grown.liveRows + 1);
    }

    kvjet::compactFile(source, copy, u"");
    // The deleted rows are gone, and the live ones fill their pages.
    EXPECT_LT(fs::file_size(copy), (grown.pages - grown.freePages - grown.unreachablePages) * 4096);
    {
        kvjet::FileInput in(copy);
        jet::PageStore store(in);
        const jet::Survey survey = jet::surveyDatabase(store);
        const jet::TableInfo* table = survey.table(u"Table");
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->liveRows, grown.liveRows);
        EXPECT_EQ(table->deletedRows, 0u);
        // Its rows are copies of one row (with its entry in the row table): no page can hold more of them than
        // fit its room whole.
        const std::uint64_t room = 4096 - jet::dataPageHeader(store.format());
        const std::uint64_t rowSize = (table->liveRowBytes + table->liveRows - 1) / table->liveRows;
        const std::uint64_t perPage = std::min<std::uint64_t>(room / rowSize, jet::kMaxRowsPerPage);
        EXPECT_LE(table->dataPages.size(), (table->liveRows + perPage - 1) / perPage + 1);
    }
    if (long lines = exportedLines(copy); lines >= 0) {
        EXPECT_EQ(std::uint64_t(lines), grown.liveRows + 1);
    }
    fs::remove_all(dir);
}

TEST(LargeDatabase, AGrownDatabaseCompactsToItsLiveRows) { expectCompactsToItsLiveRows(8u << 20); }

TEST(LargeDatabase, OneGigabyte) {
    if (!std::getenv("KV_LONG_TESTS")) GTEST_SKIP() << "set KV_LONG_TESTS to run";
    expectCompactsToItsLiveRows(std::uint64_t(1) << 30);
}

}  // namespace
