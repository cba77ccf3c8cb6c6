#pragma once
// A table definition (TDEF) read from its page chain, with the file position of every page-number field so
// that a compactor can rewrite them, including fields that straddle two pages of the chain.
#include "engine/core/PageStore.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace jet {

// Where one byte of the definition lives in the file.
struct BytePlace {
    std::uint32_t page;
    std::uint16_t offset;
};

// A 4-byte little-endian field of the definition, possibly split over two pages.
using FieldPlace = std::array<BytePlace, 4>;

enum ColumnType : std::uint8_t {
    kColBool = 1,
    kColByte = 2,
    kColInt = 3,
    kColLong = 4,
    kColMoney = 5,
    kColFloat = 6,
    kColDouble = 7,
    kColDateTime = 8,
    kColBinary = 9,
    kColText = 10,
    kColOle = 11,
    kColMemo = 12,
    kColGuid = 15,
    kColNumeric = 16,
    kColBinaryInline = 17,  // binary data kept whole inside the row (the project objects of the catalog)
    // Access 2007 and later
    kColComplex = 18,      // attachment or multi-value: a u32 id that the rows of its hidden table repeat
    kColBigInt = 19,       // 8-byte integer
    kColExtDateTime = 20,  // extended date/time, a fixed text of digits
};

struct Column {
    std::uint8_t type = 0;
    std::uint16_t number = 0;
    std::uint16_t varIndex = 0;
    bool fixed = false;
    std::uint16_t fixedOffset = 0;
    std::uint16_t length = 0;
    bool calculated = false;  // a calculated field: its value stored as the expression's result
    std::u16string name;
    // Memo and OLE values, and calculated text of memo length, live on long-value pages behind a 12-byte header.
    bool isLongValue() const {
        return type == kColOle || type == kColMemo || (calculated && type == kColText && length == 0);
    }
};

struct RealIndex {
    struct Key {
        std::uint16_t column;
        std::uint8_t order;  // 1 ascending
    };
    std::vector<Key> keys;
    std::uint32_t usedMap = 0;
    std::uint32_t firstPage = 0;
    FieldPlace usedMapAt{};
    FieldPlace firstPageAt{};
};

struct LogicalIndex {
    std::uint32_t realIndex = 0;
    bool primaryKey = false;
    std::uint32_t relatedTable = 0;
    FieldPlace relatedTableAt{};
    std::u16string name;
};

struct LongValueMaps {
    std::uint16_t column = 0;
    std::uint32_t usedMap = 0, freeMap = 0;
    FieldPlace usedMapAt{}, freeMapAt{};
};

struct TableDef {
    std::uint32_t page = 0;
    std::vector<std::uint32_t> chain;  // every page of the definition, first page first
    std::uint32_t rowCount = 0;
    std::uint32_t usedMap = 0, freeMap = 0;
    FieldPlace usedMapAt{}, freeMapAt{};
    std::vector<Column> columns;
    std::vector<RealIndex> realIndexes;
    std::vector<LogicalIndex> logicalIndexes;
    std::vector<LongValueMaps> longValueMaps;
    std::uint32_t declaredLength = 0;  // the definition's own length field, checked against what was read

    const Column* column(std::u16string_view name) const;
    const Column* columnByNumber(std::uint16_t number) const;
};

// Reads the definition starting at page; throws a damaged-database error for anything inconsistent.
TableDef readTableDef(const PageStore& store, std::uint32_t page);

}  // namespace jet
