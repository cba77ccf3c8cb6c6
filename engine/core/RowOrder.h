#pragma once
// The order a compaction keeps a table's live rows in: the order their bytes are in, page by page of the
// table's list of pages and row by row. A row that has moved to a later place (its old place holding only an
// overflow pointer to it) counts where its bytes now are; one moved to an earlier place counts where its
// pointer is, since the rows before it are placed already.
#include "engine/core/PageStore.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace jet {

class RowOrder {
public:
    // pages: the table's pages, ascending.
    RowOrder(const PageStore& store, std::span<const std::uint32_t> pages) : store_(store), pages_(pages) {}
    // Called with the place in pages of each page as the walk comes to it, before any of its rows is read.
    std::function<void(std::size_t)> onPage;

    // The next live row: the page its bytes are on and their slot; false after the last. pageIndex() is then
    // the place in pages of the page being walked.
    bool next(std::uint32_t& page, RowSlot& slot);
    std::size_t pageIndex() const { return at_; }

    // The place of a row that an overflow pointer at (page, row) names, after every hop; the pointer's own
    // place when it does not point on.
    struct Place {
        std::uint32_t page, row;
    };
    Place target(std::uint32_t page, std::uint32_t row) const;
    // Whether the pointer at that place, on the at-th page of the list, names a row further on in the order.
    bool pointsOn(std::size_t at, std::uint32_t row, Place to) const;
    // Where the rows of page number pages[at] begin to count: each row counts at its place except pointers
    // that point on, and the rows they point to count at theirs. moved: those rows' pointers (page x 256 +
    // row), ascending. Returns how many rows of the page count before row.
    static std::uint32_t countedBefore(const PageStore& store, std::span<const std::uint32_t> pages, std::size_t at,
                                       std::uint32_t row, std::span<const std::uint32_t> moved);

    // The rows found so far that count at their new place, in the order found.
    const std::vector<std::uint32_t>& moved() const { return moved_; }

private:
    const PageStore& store_;
    std::span<const std::uint32_t> pages_;
    std::size_t at_ = 0;
    std::uint32_t row_ = 0;
    bool started_ = false;  // onPage has been called for the page at_
    std::vector<std::uint32_t> moved_;
    std::vector<std::uint32_t> waiting_;  // rows pointed on to, not reached yet, ascending
};

}  // namespace jet
