#include "engine/core/JetEngine.h"
#include "engine/core/RowLayout.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

jet::Column fixedLong(std::uint16_t number, std::uint16_t offset) {
    jet::Column c;
    c.type = jet::kColLong;
    c.number = number;
    c.fixed = true;
    c.fixedOffset = offset;
    c.length = 4;
    return c;
}

jet::Column variable(std::uint8_t type, std::uint16_t number, std::uint16_t varIndex) {
    jet::Column c;
    c.type = type;
    c.number = number;
    c.varIndex = varIndex;
    return c;
}

// A Jet 3 row of 300 bytes: one long, a 10-byte text and a memo value that runs past byte 256, so the
// offset table needs one jump entry.
struct LongJet3Row {
    Bytes row = Bytes(300, 0xAA);
    std::vector<jet::Column> columns{fixedLong(0, 0), variable(jet::kColText, 1, 0), variable(jet::kColMemo, 2, 1)};
    LongJet3Row() {
        row[0] = 3;            // columns in the row
        row[299] = 0x07;       // null mask: all three present
        row[298] = 2;          // variable columns
        row[297] = 2;          // jump entry: the offset at index 2 (end of data) is past 256
        row[296] = 5;          // text starts after the 4-byte long
        row[295] = 15;         // memo starts after 10 bytes of text
        row[294] = 294 - 256;  // end of the variable data, just below the offset table
    }
};

TEST(RowLayout, Jet3JumpTableAddsTheBoundariesPassed) {
    LongJet3Row r;
    const auto format = jet::JetFormat::of(jet::JetVersion::Jet3);
    jet::RowLayout layout(format, r.columns, r.row);
    auto id = layout.value(r.columns[0]);
    auto text = layout.value(r.columns[1]);
    auto memo = layout.value(r.columns[2]);
    ASSERT_TRUE(id && text && memo);
    EXPECT_EQ(id->begin, 1u);
    EXPECT_EQ(id->end, 5u);
    EXPECT_EQ(text->begin, 5u);
    EXPECT_EQ(text->end, 15u);
    EXPECT_EQ(memo->begin, 15u);
    EXPECT_EQ(memo->end, 294u);

    r.row[299] = 0x05;  // text null
    EXPECT_FALSE(jet::RowLayout(format, r.columns, r.row).value(r.columns[1]));
}

// Offsets read with the jump in the wrong place no longer line up with the fixed area or the offset table.
TEST(RowLayout, Jet3MisplacedJumpsAreRefused) {
    const auto format = jet::JetFormat::of(jet::JetVersion::Jet3);
    for (std::uint8_t jump : {0, 3}) {
        LongJet3Row r;
        r.row[297] = jump;
        EXPECT_THROW(jet::RowLayout(format, r.columns, r.row), jet::JetError) << int(jump);
    }
    LongJet3Row shifted;
    shifted.row[296] = 6;
    EXPECT_THROW(jet::RowLayout(format, shifted.columns, shifted.row), jet::JetError);
}

TEST(RowLayout, Jet4OffsetsAndColumnsAddedAfterTheRowWasWritten) {
    // 2-byte column count, a long, 6 bytes of text, offset table (end, text start), count, null mask.
    Bytes row = {2, 0, 0x10, 0x20, 0x30, 0x40, 'a', 0, 'b', 0, 'c', 0, 12, 0, 6, 0, 1, 0, 0x03};
    std::vector<jet::Column> columns{fixedLong(0, 0), variable(jet::kColText, 1, 0), fixedLong(2, 4)};
    const auto format = jet::JetFormat::of(jet::JetVersion::Jet4);
    jet::RowLayout layout(format, columns, row);
    auto text = layout.value(columns[1]);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->begin, 6u);
    EXPECT_EQ(text->end, 12u);
    EXPECT_FALSE(layout.value(columns[2]));  // column 2 is newer than this row

    Bytes broken = row;
    broken[12] = 11;  // data end no longer meets the offset table
    EXPECT_THROW(jet::RowLayout(format, columns, broken), jet::JetError);
    Bytes tiny = {2, 0, 1};
    EXPECT_THROW(jet::RowLayout(format, columns, tiny), jet::JetError);
}

}  // namespace
