#pragma once
// Usage maps: bitmaps of page numbers, stored in a row (type 0, inline) or spread over map pages (type 1).
#include "engine/core/PageStore.h"

#include <cstdint>
#include <vector>

namespace jet {

struct UsageMap {
    std::uint32_t rowPointer = 0;         // page * 256 + row of the map's row
    std::uint8_t kind = 0;                // 0 inline bitmap, 1 bitmap pages
    std::vector<std::uint32_t> mapPages;  // kind 1: the bitmap pages in order (0 where there is none)
    std::vector<std::uint32_t> pages;     // the page numbers within the file whose bit is set, ascending
    std::uint32_t beyondEnd = 0;          // set bits that name pages past the end of the file
    std::uint32_t bitsBeyondEnd = 0;      // all bits, set or not, that name pages past the end of the file
    std::uint32_t start = 0;              // kind 0: the page of bit 0
};

// Reads the map whose row a row pointer names; a null pointer (0) gives an empty map.
UsageMap readUsageMap(const PageStore& store, std::uint32_t rowPointer);

// Pages covered by one bitmap page of a kind-1 map.
inline std::uint32_t pagesPerMapPage(std::uint32_t pageSize) { return (pageSize - 4) * 8; }

}  // namespace jet
