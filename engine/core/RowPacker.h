#pragma once
// Where rows go when pages are filled afresh: in the order given, each on the current page when it fits there
// with its entry in the row table, else on the next page. The survey counts the pages a table's rows and long
// values will fill with it, and the compactor places them with it again, so both always agree.
#include "engine/core/JetFormat.h"

#include <cstdint>

namespace jet {

// A row pointer keeps a row number in one byte.
inline constexpr std::uint32_t kMaxRowsPerPage = 255;

// Bytes of a data page before its row table: its header and row count.
inline std::uint32_t dataPageHeader(const JetFormat& f) { return f.dataRowCount + 2; }

class RowPacker {
public:
    explicit RowPacker(const JetFormat& f) : room_(f.pageSize - dataPageHeader(f)) {}

    struct Place {
        std::uint32_t page = 0;  // among the pages this packer fills, from 0
        std::uint32_t row = 0;
    };
    // size is a row's bytes; a row as large as a page's room goes on a page of its own.
    Place place(std::uint32_t size) {
        if (pages_ == 0 || rows_ == kMaxRowsPerPage || used_ + size + 2 > room_) {
            ++pages_;
            rows_ = 0;
            used_ = 0;
        }
        used_ += size + 2;
        return {pages_ - 1, rows_++};
    }
    std::uint32_t pages() const { return pages_; }

private:
    std::uint32_t room_;
    std::uint32_t pages_ = 0, rows_ = 0, used_ = 0;
};

}  // namespace jet
