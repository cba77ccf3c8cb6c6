#pragma once
// The pages a compaction fills afresh for one table, one stream at a time: its live rows, in their present
// order, on data pages (stream 0), and the long values of its k-th memo or OLE column on long-value pages
// (stream 1 + k), placed as the survey counted them (RowPacker). Rows keep their bytes but for the fields that
// name other places: table ids, and the pointers of memo and OLE values, which come to name their rows' new
// places. Deleted rows, and long values that no live row holds, are left behind.
#include "engine/core/PageStore.h"
#include "engine/core/PageStream.h"
#include "engine/core/RowLayout.h"
#include "engine/core/RowOrder.h"
#include "engine/core/RowPacker.h"
#include "engine/core/Survey.h"

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace jet {

// Where the pages of a compacted file come from: the new number of each source page carried over as it is
// (kDroppedPage for none), and per table and stream the new numbers of the pages filled afresh, in order.
struct NewPlaces {
    std::span<const std::uint32_t> newNumber;
    std::span<const std::vector<std::vector<std::uint32_t>>> streams;  // per table of the survey
};

// A piece of a memo or OLE value: the long-value row it is stored in.
struct LongValuePiece {
    std::uint32_t page;
    RowSlot slot;
};
// The long-value rows of the value at v in row, in chain order; none for a value kept in the row or empty.
void longValuePieces(const PageStore& store, std::span<const std::uint8_t> row, ValueRange v,
                     std::vector<LongValuePiece>& out);

// Tables of at most this many rows are put in primary-key order: the order and the new place of each row are
// held in memory (12 bytes a row), so larger tables keep their present order.
inline constexpr std::uint64_t kMaxKeyOrderedRows = 1u << 20;

class TableRewriter : public PageStream {
public:
    TableRewriter(const PageStore& store, const Survey& survey, std::size_t table, std::size_t stream,
                  const NewPlaces& places);
    void nextPage(std::span<std::uint8_t> page) override;

private:
    using Piece = LongValuePiece;
    bool nextRow();  // the next live row into row_; false after the last
    std::uint32_t newPointer(std::size_t column, RowPacker::Place at) const;
    void dataPage(std::span<std::uint8_t> page);
    void longValueRow();
    struct Builder {
        std::vector<std::uint8_t> bytes;
        std::uint32_t rows = 0, top = 0;
    };
    void add(Builder& b, std::span<const std::uint8_t> row) const;
    void finish(Builder& b, std::span<std::uint8_t> page) const;

    const PageStore& store_;
    const Survey& survey_;
    const TableInfo& table_;
    const JetFormat& f_;
    const std::size_t stream_;
    const NewPlaces places_;
    std::vector<const Column*> longValues_;
    std::vector<const Column*> idColumns_;
    std::vector<std::uint8_t> header_;  // bytes 0 .. row count of the stream's first source page, kept
    RowOrder order_;                    // the source rows in their present order
    std::size_t keyAt_ = 0;             // or in primary-key order: the next of the table's keyOrder
    std::vector<std::uint8_t> row_;
    std::uint32_t emitted_ = 0;  // pages handed out
    // Placing long values: one packer per memo or OLE column for the data stream, the stream's own otherwise.
    std::vector<RowPacker> packers_;
    std::vector<Piece> pieces_;
    std::vector<RowPacker::Place> placed_;
    std::deque<Builder> open_;  // long-value pages begun and not handed out yet, the first one emitted_
    bool rowsDone_ = false;
};

}  // namespace jet
