#include "tests/engine/core/LargeDatabase.h"

#include "engine/core/Survey.h"
#include "tests/engine/core/TestData.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace jettest {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kPageSize = 4096;
constexpr std::uint32_t kRowTable = 14;          // Jet 4: the row offsets follow the row count at 12
constexpr std::uint32_t kRowsPerPage = 20;       // pages are left partly empty, as real tables are
constexpr std::uint32_t kDeletedEvery = 5;       // one row in five is marked deleted
constexpr std::uint16_t kDeletedFlags = 0xC000;  // both row-offset flags, as deleted rows carry them in every sample
constexpr std::uint32_t kFreeEvery = 64;         // of each 64 added pages, one is blank and free,
constexpr std::uint32_t kUnreachableEvery = 64;  // and one holds only deleted rows and is listed nowhere
constexpr std::uint32_t kTdefRowCount = 16;
constexpr std::uint32_t kBitsPerMapPage = (kPageSize - 4) * 8;

void put16(std::uint8_t* at, std::uint16_t v) {
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
}
void put32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = std::uint8_t(v >> (8 * i));
}
std::uint32_t get32(const std::uint8_t* at) {
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
}

enum class Added { Rows, Free, Unreachable };

Added kindOf(std::uint64_t index) {
    if (index % kFreeEvery == 1) return Added::Free;
    if (index % kUnreachableEvery == 2) return Added::Unreachable;
    return Added::Rows;
}

// A data page of the table holding copies of one row; allDeleted marks every row deleted.
void fillDataPage(Bytes& page, const Bytes& header, std::span<const std::uint8_t> row, bool allDeleted) {
    std::fill(page.begin(), page.end(), 0);
    std::copy(header.begin(), header.end(), page.begin());
    const std::uint32_t size = static_cast<std::uint32_t>(row.size());
    std::uint32_t end = kPageSize;
    for (std::uint32_t i = 0; i < kRowsPerPage; ++i) {
        const std::uint32_t start = end - size;
        std::copy(row.begin(), row.end(), page.begin() + start);
        const bool deleted = allDeleted || i % kDeletedEvery == kDeletedEvery - 1;
        put16(&page[kRowTable + 2 * i], std::uint16_t(start | (deleted ? kDeletedFlags : 0)));
        end = start;
    }
    put16(&page[12], kRowsPerPage);
    put16(&page[2], std::uint16_t(end - kRowTable - 2 * kRowsPerPage));
}

// Turns the inline usage map in row [at, at + size) of base into a map on bitmap pages firstMapPage...,
// returning those pages with the bits of pages for which isSet is true.
template <class IsSet>
std::vector<Bytes> moveMapToPages(Bytes& base, std::size_t at, std::size_t size, std::uint32_t firstMapPage,
                                  std::uint32_t mapPages, IsSet&& isSet) {
    if (1 + 4 * std::size_t(mapPages) > size) throw std::runtime_error("the database is too large for its maps");
    std::fill(base.begin() + at, base.begin() + at + size, 0);
    base[at] = 1;
    std::vector<Bytes> pages(mapPages, Bytes(kPageSize, 0));
    for (std::uint32_t k = 0; k < mapPages; ++k) {
        put32(&base[at + 1 + 4 * k], firstMapPage + k);
        pages[k][0] = 0x05;
        pages[k][1] = 0x01;
        for (std::uint32_t i = 0; i < kBitsPerMapPage; ++i)
            if (isSet(std::uint64_t(k) * kBitsPerMapPage + i)) pages[k][4 + i / 8] |= std::uint8_t(1u << (i % 8));
    }
    return pages;
}

}  // namespace

LargeDatabase writeLargeDatabase(const std::filesystem::path& path, std::uint64_t bytes) {
    Bytes base = readSample("delTestV2000.mdb");
    jet::PageStore store(base);
    const jet::Survey survey = jet::surveyDatabase(store);
    const jet::TableInfo* table = survey.table(u"Table");
    if (!table || table->dataPages.empty() || table->used.kind != 0 || survey.globalMap.kind != 0)
        throw std::runtime_error("the sample has changed: no table 'Table' with inline maps");
    const std::uint32_t tdef = table->def.page;
    const std::uint32_t firstData = table->dataPages.front();
    const jet::RowSlot templateSlot = store.row(firstData, 0);
    const Bytes row(base.begin() + std::size_t(firstData) * kPageSize + templateSlot.begin,
                    base.begin() + std::size_t(firstData) * kPageSize + templateSlot.end);
    const Bytes header(base.begin() + std::size_t(firstData) * kPageSize,
                       base.begin() + std::size_t(firstData) * kPageSize + 12);

    const std::uint32_t basePages = store.pageCount();
    const std::uint64_t wanted = std::max<std::uint64_t>(bytes / kPageSize, basePages + 8);
    const std::uint32_t mapPages = static_cast<std::uint32_t>((wanted + kBitsPerMapPage - 1) / kBitsPerMapPage);
    if (wanted > 0xFFFFFF) throw std::runtime_error("the database is too large for its maps");
    const std::uint32_t total = static_cast<std::uint32_t>(wanted);
    const std::uint32_t added = total - basePages - 2 * mapPages;  // the table's bitmap pages, then the global's
    const std::uint32_t tableMapAt = basePages + added, globalMapAt = tableMapAt + mapPages;

    LargeDatabase stats;
    stats.pages = total;
    stats.liveRows = table->liveRows;
    const std::vector<std::uint32_t>& ownPages = table->used.pages;
    const std::vector<std::uint32_t>& freeBefore = survey.globalMap.pages;
    auto addedKind = [&](std::uint64_t p) { return kindOf(p - basePages); };
    auto isAdded = [&](std::uint64_t p) { return p >= basePages && p < tableMapAt; };

    // The table's used-pages map and the global map move onto bitmap pages; the table's row count grows.
    const auto slotOf = [&](std::uint32_t rowPointer) { return store.row(rowPointer >> 8, rowPointer & 0xFF); };
    const jet::RowSlot usedSlot = slotOf(table->used.rowPointer);
    const std::size_t usedAt = std::size_t(table->used.rowPointer >> 8) * kPageSize + usedSlot.begin;
    const jet::RowSlot globalSlot = slotOf(survey.globalMap.rowPointer);
    const std::size_t globalAt = std::size_t(survey.globalMap.rowPointer >> 8) * kPageSize + globalSlot.begin;
    auto tableBits = moveMapToPages(base, usedAt, usedSlot.end - usedSlot.begin, tableMapAt, mapPages,
                                    [&](std::uint64_t p) {
                                        return std::binary_search(ownPages.begin(), ownPages.end(), std::uint32_t(p)) ||
                                               (isAdded(p) && addedKind(p) == Added::Rows);
                                    });
    auto globalBits = moveMapToPages(base, globalAt, globalSlot.end - globalSlot.begin, globalMapAt, mapPages,
                                     [&](std::uint64_t p) {
                                         if (p >= total) return true;
                                         if (isAdded(p)) return addedKind(p) == Added::Free;
                                         return p < basePages && std::binary_search(freeBefore.begin(),
                                                                                    freeBefore.end(), std::uint32_t(p));
                                     });

    std::uint64_t rowPages = 0;
    for (std::uint32_t p = basePages; p < tableMapAt; ++p) rowPages += addedKind(p) == Added::Rows;
    const std::uint32_t livePerPage = kRowsPerPage - kRowsPerPage / kDeletedEvery;
    const std::size_t rowCountAt = std::size_t(tdef) * kPageSize + kTdefRowCount;
    put32(&base[rowCountAt], static_cast<std::uint32_t>(get32(&base[rowCountAt]) + rowPages * livePerPage));

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    auto write = [&](const Bytes& b) { out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size())); };
    write(base);
    Bytes page(kPageSize);
    for (std::uint32_t p = basePages; p < tableMapAt; ++p) {
        switch (addedKind(p)) {
            case Added::Free:
                std::fill(page.begin(), page.end(), 0);
                ++stats.freePages;
                break;
            case Added::Unreachable:
                fillDataPage(page, header, row, true);
                ++stats.unreachablePages;
                break;
            case Added::Rows:
                fillDataPage(page, header, row, false);
                stats.liveRows += livePerPage;
                stats.deletedRows += kRowsPerPage - livePerPage;
                break;
        }
        if (addedKind(p) != Added::Free) put32(&page[4], tdef);
        write(page);
    }
    for (const auto& b : tableBits) write(b);
    for (const auto& b : globalBits) write(b);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return stats;
}

}  // namespace jettest
