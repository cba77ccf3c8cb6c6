#pragma once
// Index pages (intermediate nodes and leaves): header links and the entries with their page pointers.
#include "engine/core/PageStore.h"

#include <cstdint>
#include <vector>

namespace jet {

struct IndexEntry {
    std::uint32_t begin = 0;  // within the page; the first prefixLength bytes of the key are not stored
    std::uint32_t end = 0;
    std::uint32_t dataPage = 0;  // row pointer: big-endian 3-byte page and 1-byte row
    std::uint8_t dataRow = 0;
    std::uint32_t child = 0;  // intermediate entries only: big-endian child page
};

struct IndexPage {
    std::uint32_t number = 0;
    bool leaf = false;
    std::uint32_t owner = 0;
    std::uint32_t prev = 0, next = 0, tail = 0;  // tail: an intermediate page's last child
    std::uint32_t prefixLength = 0;
    std::vector<IndexEntry> entries;

    // The full bytes of entry i: the page-wide prefix (taken from the first entry) plus its stored bytes.
    std::vector<std::uint8_t> fullEntry(std::span<const std::uint8_t> page, std::size_t i) const;
};

IndexPage readIndexPage(const PageStore& store, std::uint32_t number);

// Writes full entries (in order) onto an index page whose header stays as it is: the first prefix bytes of each
// entry after the first are not stored, the bitmap marks where each ends, and the free-space field counts the
// bytes after the last. Returns false, leaving page unchanged, when they do not fit.
bool writeIndexEntries(const JetFormat& f, std::span<std::uint8_t> page,
                       const std::vector<std::vector<std::uint8_t>>& entries, std::uint32_t prefix);

}  // namespace jet
