#pragma once
// The reading and writing a compaction of a file cannot do without, and nothing else: what the compactor's time
// is measured against. Three passes, as the compactor makes them: the source read (its survey); the source read
// while the copy is written (the copy, here the whole file, gathered a megabyte at a time); the copy read
// beside the source (the checks). Every page read is touched, as the compactor looks at every page.
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace jettest {

// windowBytes 0 reads in blocks of the page cache's size (64 KB) through read(), as the compactor does; else
// through read-only mappings of windowBytes at a time, each unmapped before the next is made, so that the
// mapped pages held stay bounded. Returns a sum of what was read, for the caller to keep.
std::uint64_t ioFloor(const std::filesystem::path& source, const std::filesystem::path& copy, std::size_t windowBytes);

}  // namespace jettest
