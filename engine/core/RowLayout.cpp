#include "engine/core/RowLayout.h"

#include "engine/core/Bytes.h"

#include <algorithm>

namespace jet {

RowLayout::RowLayout(const JetFormat& format, const std::vector<Column>& columns, std::span<const std::uint8_t> row)
    : format_(format), row_(row) {
    const std::uint32_t len = static_cast<std::uint32_t>(row.size());
    const std::uint32_t w = format.rowCountSize;
    if (len < 2 * w + 1) damaged("a row too short for its header");
    columnCount_ = w == 2 ? rd16(row, 0) : rd8(row, 0);
    const std::uint32_t maskSize = (columnCount_ + 7) / 8;
    if (maskSize + w + w > len) damaged("a row whose null mask does not fit");
    nullMaskAt_ = len - maskSize;
    std::uint32_t varCountAt = nullMaskAt_ - w;
    const std::uint32_t varCount = w == 2 ? rd16(row, varCountAt) : rd8(row, varCountAt);
    if (varCount > columnCount_) damaged("a row with more variable columns than columns");

    varOffsetCount_ = varCount + 1;
    if (varOffsetCount_ > fewOffsets_.size()) manyOffsets_.resize(varOffsetCount_);
    const std::span<std::uint32_t> offsets = varOffsets();
    std::uint32_t tableStart = 0;  // where the offset table (lowest byte) begins
    if (w == 2) {
        // Jet 4: u16 offsets stored backwards before the variable-column count, the last one ends the data.
        if (std::uint64_t(varCount + 1) * 2 + 2 > varCountAt) damaged("a row whose variable-column table does not fit");
        tableStart = varCountAt - 2 * (varCount + 1);
        for (std::uint32_t i = 0; i <= varCount; ++i) offsets[i] = rd16(row, varCountAt - 2 * (i + 1));
    } else {
        // Jet 3: u8 offsets stored backwards; a jump table between them and the count adds 256 for each
        // boundary the offsets have passed, since single bytes cannot address rows longer than 256 bytes.
        std::uint32_t jumps = (len - 1) / 256;
        if (std::uint64_t(jumps) + varCount + 1 > varCountAt) damaged("a row whose variable-column table does not fit");
        const std::uint32_t firstOffsetAt = varCountAt - jumps - 1;
        tableStart = firstOffsetAt - varCount;
        // The last jump entry may be a dummy when the table itself lies below its 256-byte boundary.
        if ((firstOffsetAt - varCount) / 256 < jumps) --jumps;
        std::uint32_t used = 0;
        for (std::uint32_t i = 0; i <= varCount; ++i) {
            while (used < jumps && rd8(row, varCountAt - 1 - used) == i) ++used;
            offsets[i] = rd8(row, firstOffsetAt - i) + 256 * used;
        }
    }
    for (std::uint32_t i = 0; i <= varCount; ++i) {
        if (offsets[i] > tableStart || (i > 0 && offsets[i] < offsets[i - 1]))
            damaged("a row whose variable-column offsets are out of order");
    }
    // The variable data ends exactly where the offset table begins; anything else means the offsets were
    // not understood (for instance a jump table read wrongly), and nothing in the row can be trusted.
    if (offsets[varCount] != tableStart) damaged("a row whose variable data does not end at its offset table");
    // ... and begins right after the fixed columns the row holds.
    std::uint32_t fixedEnd = w;
    for (const auto& c : columns)
        if (c.fixed && c.number < columnCount_ && c.type != kColBool)
            fixedEnd = std::max<std::uint32_t>(fixedEnd, w + c.fixedOffset + c.length);
    if (offsets[0] != fixedEnd) damaged("a row whose variable data does not start after its fixed columns");
}

bool RowLayout::notNull(std::uint16_t columnNumber) const {
    if (columnNumber >= columnCount_) return false;
    return (row_[nullMaskAt_ + columnNumber / 8] >> (columnNumber % 8)) & 1;
}

std::optional<ValueRange> RowLayout::value(const Column& c) const {
    if (c.fixed) {
        if (c.number >= columnCount_) return std::nullopt;
        std::uint32_t begin = format_.rowCountSize + c.fixedOffset;
        std::uint32_t size = c.type == kColBool ? 0 : c.length;
        if (begin + size > row_.size()) damaged("a fixed column beyond the end of its row");
        if (c.type != kColBool && !notNull(c.number)) return std::nullopt;
        return ValueRange{begin, begin + size};
    }
    if (!notNull(c.number)) return std::nullopt;
    const auto offsets = varOffsets();
    if (c.varIndex + 1u >= offsets.size()) return std::nullopt;
    return ValueRange{offsets[c.varIndex], offsets[c.varIndex + 1]};
}

}  // namespace jet
