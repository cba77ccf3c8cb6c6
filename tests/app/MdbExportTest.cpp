// An independent reader (mdbtools) must see the same tables and rows in a compacted database as in its
// source. The program writes exactly what the engine core returns (checked byte for byte by the end-to-end
// test), so this closes the loop from the button to the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/JetEngine.h"

namespace {

namespace fs = std::filesystem;

std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
    pclose(pipe);
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// Rows as a sorted list of lines: compaction may store rows in another order.
std::vector<std::string> exportedRows(const fs::path& db, const std::string& table) {
    auto rows = lines(run("mdb-export -D '%Y-%m-%d %H:%M:%S' '" + db.string() + "' '" + table + "' 2>&1"));
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::uint8_t> readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class CompactedDatabase : public ::testing::TestWithParam<const char*> {};

TEST_P(CompactedDatabase, ExportsTheSameTablesAndRows) {
    const fs::path source = fs::path(KV_TEST_DATA) / GetParam();
    const std::vector<std::uint8_t> input = readAll(source);
    ASSERT_FALSE(input.empty());
    const std::vector<std::uint8_t> output = jet::compactDatabase(input, u"");

    const fs::path compacted = fs::temp_directory_path() / (std::string("kv-compacted-") + GetParam());
    {
        std::ofstream out(compacted, std::ios::binary);
        out.write(reinterpret_cast<const char*>(output.data()), static_cast<std::streamsize>(output.size()));
    }
    const auto tables = lines(run("mdb-tables -1 '" + source.string() + "'"));
    ASSERT_FALSE(tables.empty()) << "mdb-tables read no tables from the source";
    EXPECT_EQ(lines(run("mdb-tables -1 '" + compacted.string() + "'")), tables);
    for (const std::string& table : tables) {
        SCOPED_TRACE(table);
        EXPECT_EQ(exportedRows(compacted, table), exportedRows(source, table));
    }
    fs::remove(compacted);
}

INSTANTIATE_TEST_SUITE_P(TestData, CompactedDatabase, ::testing::Values("testV1997.mdb", "delTestV2000.mdb"));

}  // namespace
