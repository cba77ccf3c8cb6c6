#pragma once
// Locating column values inside a stored row (the bytes of one row slot of a data page).
#include "engine/core/JetFormat.h"
#include "engine/core/TableDef.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace jet {

// A column value's bytes [begin, end) relative to the start of the row.
struct ValueRange {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
};

class RowLayout {
public:
    // Cracks the row's header and variable-column table; throws a damaged-database error if they are inconsistent.
    RowLayout(const JetFormat& format, const std::vector<Column>& columns, std::span<const std::uint8_t> row);

    // The value of column c, or nothing when the row stores it as null or predates the column.
    std::optional<ValueRange> value(const Column& c) const;

private:
    bool notNull(std::uint16_t columnNumber) const;
    // One offset per variable column plus the end of the variable data.
    std::span<std::uint32_t> varOffsets() {
        return {manyOffsets_.empty() ? fewOffsets_.data() : manyOffsets_.data(), varOffsetCount_};
    }
    std::span<const std::uint32_t> varOffsets() const { return const_cast<RowLayout*>(this)->varOffsets(); }

    const JetFormat& format_;
    std::span<const std::uint8_t> row_;
    std::uint32_t columnCount_ = 0;
    std::uint32_t nullMaskAt_ = 0;
    // Rows are cracked by the million: the offsets of a row with few variable columns stay out of the heap.
    std::uint32_t varOffsetCount_ = 0;
    std::array<std::uint32_t, 32> fewOffsets_;
    std::vector<std::uint32_t> manyOffsets_;
};

}  // namespace jet
