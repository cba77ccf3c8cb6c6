#pragma once
// The pages of a database file, decrypted when the file uses a database key. A file in memory is read in
// place; any other file, and an encrypted one, is read through a small cache of pages, so that memory does not
// grow with the file.
#include "engine/core/FileReader.h"
#include "engine/core/JetFormat.h"
#include "engine/core/JetHeader.h"

#include <cstdint>
#include <list>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

namespace jet {

// A row of a data page: its bytes [begin, end) within the page and its offset-table flags.
struct RowSlot {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    bool deleted = false;
    bool overflow = false;
};

// Pages a store keeps in memory when it reads through its cache. A page given out stays valid until a
// sixteenth of this many other pages have been read; no reader holds a page that long.
inline constexpr std::size_t kCachedPages = 256;

class PageStore {
public:
    // Reads file (which must outlive the store) in place, or through the cache when it is encrypted.
    explicit PageStore(std::span<const std::uint8_t> file);
    // Reads through a cache of cachedPages pages (in place when the file is in memory and not encrypted).
    explicit PageStore(const FileReader& file, std::size_t cachedPages = kCachedPages);
    PageStore(const PageStore&) = delete;
    PageStore& operator=(const PageStore&) = delete;

    const JetHeader& header() const { return header_; }
    const JetFormat& format() const { return format_; }
    std::uint32_t pageCount() const { return header_.pageCount; }
    std::uint32_t pageSize() const { return format_.pageSize; }
    bool readsInPlace() const { return !view_.empty(); }
    std::size_t cachedPages() const { return cachedPages_; }

    // Throws a damaged-database error for a page number outside the file. The bytes stay valid while fewer
    // than the cache's size of other pages are read.
    std::span<const std::uint8_t> page(std::uint32_t number) const {
        // Inline for the page asked for most often: one of the block last used, which all of the block holds.
        if (number - front_.first < front_.count)
            return {front_.data + std::size_t(number - front_.first) * format_.pageSize, format_.pageSize};
        return uncachedPage(number);
    }
    // The same, but a page that is not cached is read alone rather than with the pages after it: for pages
    // visited one here and one there, whose neighbours nobody needs.
    std::span<const std::uint8_t> pageAlone(std::uint32_t number) const;
    // A copy of a page, for work that reads other pages while it still needs this one.
    std::vector<std::uint8_t> pageCopy(std::uint32_t number) const {
        auto p = page(number);
        return {p.begin(), p.end()};
    }
    std::uint8_t pageType(std::uint32_t number) const { return page(number)[0]; }
    bool isLongValuePage(std::uint32_t number) const;

    // Row table of a data page (type 0x01): count and the bounds of one row, validated against the page.
    std::uint32_t rowCount(std::uint32_t pageNumber) const;
    RowSlot row(std::uint32_t pageNumber, std::uint32_t rowNumber) const {
        // Called for every row: the slot comes back from the call as one integer, in a register (returned as
        // a struct it went through memory, which cost more than the rest of the call).
        const std::uint64_t bits = rowBits(pageNumber, rowNumber);
        return RowSlot{std::uint32_t(bits & 0xFFFF), std::uint32_t(bits >> 16 & 0xFFFF), (bits >> 32 & 1) != 0,
                       (bits >> 33 & 1) != 0};
    }

private:
    std::uint64_t rowBits(std::uint32_t pageNumber, std::uint32_t rowNumber) const;  // begin, end, deleted, overflow
    // The refusal of a row rowBits cannot read, out of line so that its path for every row stays short.
    [[noreturn, gnu::noinline]] void badRow(std::uint32_t pageNumber, std::uint32_t rowNumber) const;
    std::span<const std::uint8_t> uncachedPage(std::uint32_t number) const;  // not in the block last used
    std::span<const std::uint8_t> cachedPage(std::uint32_t number, bool alone) const;

    MemoryReader memory_;  // the file given as bytes, when it was
    const FileReader& file_;
    JetHeader header_;
    JetFormat format_;
    std::span<const std::uint8_t> view_;  // the whole file when it is read in place
    // The cache holds blocks of consecutive pages, each read in one call: most recently used block first. A
    // block leaving it is freed, never reused, so that a stale view is a use after free that the sanitizer
    // builds report.
    struct Block {
        std::uint32_t number = 0;  // first page number / blockPages_
        std::size_t size = 0;
        std::unique_ptr<std::uint8_t[]> data;  // not cleared first: a page is filled from the file when it is read
        std::vector<bool> read;                // per page of the block: filled already
        bool complete = false;                 // every page is
        std::span<std::uint8_t> bytes() const { return {data.get(), size}; }
        std::span<const std::uint8_t> page(std::size_t at, std::size_t pageSize) const {
            return bytes().subspan(at, pageSize);
        }
    };
    void fill(Block& block, std::uint32_t from, std::uint32_t to) const;  // pages [from, to) of the block not read yet

    std::size_t cachedPages_;
    std::uint32_t blockPages_;
    mutable std::list<Block> cache_;
    // The pages of the first block of the cache when every one of them has been read; none before any is.
    struct Front {
        const std::uint8_t* data = nullptr;
        std::uint32_t first = 0, count = 0;
    };
    mutable Front front_;
    mutable std::unordered_map<std::uint32_t, decltype(cache_)::iterator> cached_;
};

// Encrypts or decrypts (the same operation) one page of a database that has a database key.
void cryptPage(std::uint32_t databaseKey, std::uint32_t pageNumber, std::span<std::uint8_t> page);

}  // namespace jet
