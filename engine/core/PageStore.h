#pragma once
// The pages of a database file, decrypted when the file uses a database key.
#include "engine/core/JetFormat.h"
#include "engine/core/JetHeader.h"

#include <cstdint>
#include <span>
#include <vector>

namespace jet {

// A row of a data page: its bytes [begin, end) within the page and its offset-table flags.
struct RowSlot {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    bool deleted = false;
    bool overflow = false;
};

class PageStore {
public:
    // Keeps a view of file (which must outlive the store) or, for an encrypted file, a decrypted copy.
    explicit PageStore(std::span<const std::uint8_t> file);

    const JetHeader& header() const { return header_; }
    const JetFormat& format() const { return format_; }
    std::uint32_t pageCount() const { return header_.pageCount; }
    std::uint32_t pageSize() const { return format_.pageSize; }

    // Throws a damaged-database error for a page number outside the file.
    std::span<const std::uint8_t> page(std::uint32_t number) const;
    std::uint8_t pageType(std::uint32_t number) const { return page(number)[0]; }
    bool isLongValuePage(std::uint32_t number) const;

    // Row table of a data page (type 0x01): count and the bounds of one row, validated against the page.
    std::uint32_t rowCount(std::uint32_t pageNumber) const;
    RowSlot row(std::uint32_t pageNumber, std::uint32_t rowNumber) const;

private:
    JetHeader header_;
    JetFormat format_;
    std::span<const std::uint8_t> view_;
    std::vector<std::uint8_t> decrypted_;
};

// Encrypts or decrypts (the same operation) one page of a database that has a database key.
void cryptPage(std::uint32_t databaseKey, std::uint32_t pageNumber, std::span<std::uint8_t> page);

}  // namespace jet
