#pragma once
// Grows a small sample database into a large valid one, for tests and benchmarks that need big files without
// keeping any in the repository. The file is written page by page, so making it takes little memory.
#include <cstdint>
#include <filesystem>

namespace jettest {

struct LargeDatabase {
    std::uint64_t pages = 0;
    std::uint64_t liveRows = 0;          // rows of the grown table, the sample's own included
    std::uint64_t deletedRows = 0;       // rows marked deleted on the added pages
    std::uint64_t freePages = 0;         // added blank pages the global usage map marks free
    std::uint64_t unreachablePages = 0;  // added pages of deleted rows that nothing lists
};

// Writes to path a copy of the Jet 4 sample delTestV2000.mdb whose table "Table" has grown to about bytes:
// added data pages of rows copied from its first row (one in five marked deleted), listed by its usage map
// (moved onto bitmap pages) and counted in its definition; between them blank free pages and unreachable
// pages. The global usage map moves onto bitmap pages too. Throws std::runtime_error if bytes is too large
// for the maps the sample has room for (about 2 GB).
LargeDatabase writeLargeDatabase(const std::filesystem::path& path, std::uint64_t bytes);

}  // namespace jettest
