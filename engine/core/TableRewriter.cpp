#include "engine/core/TableRewriter.h"

#include "engine/core/Bytes.h"
#include "engine/core/Compactor.h"
#include "engine/core/IdColumns.h"

#include <algorithm>
#include <cstring>

namespace jet {
namespace {

[[noreturn]] void internal(const std::string& what) {
    throw JetError("internal error: " + what + "; nothing was written");
}

}  // namespace

TableRewriter::TableRewriter(const PageStore& store, const Survey& survey, std::size_t table, std::size_t stream,
                             const NewPlaces& places)
    : store_(store),
      survey_(survey),
      table_(survey.tables[table]),
      f_(store.format()),
      stream_(stream),
      places_(places),
      order_(store, table_.dataPages) {
    for (const auto& c : table_.def.columns)
        if (c.isLongValue()) longValues_.push_back(&c);
    idColumns_ = tableIdColumns(table_.name, table_.def);
    packers_.assign(stream_ == 0 ? longValues_.size() : 1, RowPacker(f_));
    const auto& first = stream_ == 0 ? table_.dataPages : table_.longValuePagesOf.at(stream_ - 1);
    header_.assign(dataPageHeader(f_), 0);
    if (!first.empty()) {
        auto p = store_.page(first.front());
        std::copy(p.begin(), p.begin() + header_.size(), header_.begin());
    }
    header_[0] = kPageData;
    if (stream_ == 0) {
        wr32(header_, 4, places_.newNumber[table_.def.page]);
    } else {
        std::memcpy(header_.data() + 4, "LVAL", 4);
    }
}

bool TableRewriter::nextRow() {
    std::uint32_t page = 0;
    RowSlot slot;
    if (!table_.keyOrder.empty()) {
        if (keyAt_ >= table_.keyOrder.size()) return false;
        const std::uint32_t named = table_.keyOrder[keyAt_++];
        const RowOrder::Place at = order_.target(named >> 8, named & 0xFF);
        page = at.page;
        slot = store_.row(at.page, at.row);
    } else if (!order_.next(page, slot)) {
        return false;
    }
    auto bytes = store_.page(page).subspan(slot.begin, slot.end - slot.begin);
    row_.assign(bytes.begin(), bytes.end());
    return true;
}

void longValuePieces(const PageStore& store, std::span<const std::uint8_t> row, ValueRange v,
                     std::vector<LongValuePiece>& out) {
    out.clear();
    if (v.end - v.begin < 12) return;  // empty; the survey refuses anything else this short
    const std::uint32_t head = rd32(row, v.begin);
    if (head >> 24 & 0x80) return;  // kept in the row
    const bool single = head >> 24 & 0x40;
    std::uint32_t ptr = rd32(row, v.begin + 4);
    while (ptr != 0) {
        const RowSlot slot = store.row(ptr >> 8, ptr & 0xFF);
        out.push_back({ptr >> 8, slot});
        if (single) break;
        if (out.size() > std::uint64_t(store.pageCount()) * 256) damaged("a long-value chain loops");
        ptr = rd32(store.page(ptr >> 8), slot.begin);
    }
}

std::uint32_t TableRewriter::newPointer(std::size_t column, RowPacker::Place at) const {
    const auto& pages = places_.streams[&table_ - survey_.tables.data()].at(1 + column);
    if (at.page >= pages.size()) internal("a long value placed beyond the pages counted for it");
    return pages[at.page] << 8 | at.row;
}

void TableRewriter::add(Builder& b, std::span<const std::uint8_t> row) const {
    if (b.bytes.empty()) {
        b.bytes.assign(f_.pageSize, 0);
        b.top = f_.pageSize;
    }
    const std::uint32_t table = dataPageHeader(f_) + 2 * (b.rows + 1);
    if (row.size() > b.top || b.top - row.size() < table) internal("a row placed on a page without room for it");
    b.top -= static_cast<std::uint32_t>(row.size());
    std::copy(row.begin(), row.end(), b.bytes.begin() + b.top);
    wr16(b.bytes, dataPageHeader(f_) + 2 * b.rows, static_cast<std::uint16_t>(b.top));
    ++b.rows;
}

void TableRewriter::finish(Builder& b, std::span<std::uint8_t> page) const {
    if (b.bytes.empty()) internal("a page counted for a table's rows holds none");
    std::copy(header_.begin(), header_.end(), b.bytes.begin());
    wr16(b.bytes, f_.dataRowCount, static_cast<std::uint16_t>(b.rows));
    wr16(b.bytes, 2, static_cast<std::uint16_t>(b.top - dataPageHeader(f_) - 2 * b.rows));  // free space
    std::copy(b.bytes.begin(), b.bytes.end(), page.begin());
}

void TableRewriter::nextPage(std::span<std::uint8_t> page) {
    if (stream_ == 0) {
        dataPage(page);
    } else {
        // A page is whole once the page after it is begun, or once every row has been read.
        while (!rowsDone_ && packers_[0].pages() <= emitted_ + 1) longValueRow();
        if (open_.empty()) internal("a long-value page counted for a table holds nothing");
        finish(open_.front(), page);
        open_.pop_front();
    }
    ++emitted_;
}

void TableRewriter::dataPage(std::span<std::uint8_t> page) {
    const auto& before = table_.newPageRowsBefore;
    if (emitted_ >= before.size()) internal("more data pages asked for than a table's rows fill");
    const std::uint64_t end = emitted_ + 1 < before.size() ? before[emitted_ + 1] : table_.liveRows;
    Builder b;
    for (std::uint64_t n = before[emitted_]; n < end; ++n) {
        if (!nextRow()) internal("a table has fewer rows than its survey counted");
        if (!idColumns_.empty() || !longValues_.empty()) {
            RowLayout layout(f_, table_.def.columns, row_);
            for (const Column* idColumn : idColumns_)
                if (auto v = layout.value(*idColumn); v && v->end - v->begin == 4) {
                    const std::uint32_t id = rd32(row_, v->begin);
                    if (survey_.isTableId(id)) wr32(row_, v->begin, places_.newNumber[id]);
                }
            for (std::size_t k = 0; k < longValues_.size(); ++k) {
                auto v = layout.value(*longValues_[k]);
                if (!v) continue;
                longValuePieces(store_, row_, *v, pieces_);
                RowPacker::Place first{};
                for (std::size_t i = 0; i < pieces_.size(); ++i) {
                    const auto at = packers_[k].place(pieces_[i].slot.end - pieces_[i].slot.begin);
                    if (i == 0) first = at;
                }
                if (!pieces_.empty()) wr32(row_, v->begin + 4, newPointer(k, first));
            }
        }
        add(b, row_);
    }
    finish(b, page);
}

// Places the stream's column value of the next row, each piece of a chain linked to the next one's new place.
void TableRewriter::longValueRow() {
    if (!nextRow()) {
        rowsDone_ = true;
        return;
    }
    const Column& c = *longValues_.at(stream_ - 1);
    auto v = RowLayout(f_, table_.def.columns, row_).value(c);
    if (!v) return;
    longValuePieces(store_, row_, *v, pieces_);
    if (pieces_.empty()) return;
    const bool chain = !(rd32(row_, v->begin) >> 24 & 0x40);
    placed_.clear();
    for (const auto& p : pieces_) placed_.push_back(packers_[0].place(p.slot.end - p.slot.begin));
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        auto src =
            store_.page(pieces_[i].page).subspan(pieces_[i].slot.begin, pieces_[i].slot.end - pieces_[i].slot.begin);
        bytes.assign(src.begin(), src.end());
        if (chain) wr32(bytes, 0, i + 1 < pieces_.size() ? newPointer(stream_ - 1, placed_[i + 1]) : 0);
        if (placed_[i].page < emitted_) internal("a long value placed on a page handed out already");
        while (open_.size() <= placed_[i].page - emitted_) open_.emplace_back();
        Builder& b = open_[placed_[i].page - emitted_];
        if (b.rows != placed_[i].row) internal("long-value rows placed out of order");
        add(b, bytes);
    }
}

}  // namespace jet
