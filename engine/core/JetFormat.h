#pragma once
// Where the two supported format versions keep their fields. Offsets are bytes within a page or a record.
#include "engine/core/JetHeader.h"

#include <cstdint>

namespace jet {

enum PageType : std::uint8_t {
    kPageData = 0x01,
    kPageTableDef = 0x02,
    kPageIndexNode = 0x03,
    kPageIndexLeaf = 0x04,
    kPageUsageMap = 0x05,
};

// Page numbers fit in three bytes (a row pointer holds page x 256 + row, and an index entry keeps three bytes of
// page). A field where a page number may be, holding a larger value, keeps something else there: it names no page
// and is not followed.
inline constexpr std::uint32_t kMaxPageNumber = 0x00FFFFFFu;
inline bool namesPage(std::uint32_t v) { return v != 0 && v <= kMaxPageNumber; }

struct JetFormat {
    JetVersion version;
    std::uint32_t pageSize;
    // Data pages
    std::uint32_t dataRowCount;  // u16 row count; the row offset table follows it
    // Table definitions
    std::uint32_t tdefRowCount;
    std::uint32_t tdefVarColumns;
    std::uint32_t tdefColumns;
    std::uint32_t tdefLogicalIndexes;
    std::uint32_t tdefRealIndexes;
    std::uint32_t tdefUsedMap;
    std::uint32_t tdefFreeMap;
    std::uint32_t tdefBody;        // first real-index entry
    std::uint32_t realIndexEntry;  // size of a real-index entry in the header block
    std::uint32_t columnSize;
    std::uint32_t columnNumber;
    std::uint32_t columnFlags;
    std::uint32_t columnFixedOffset;
    std::uint32_t columnLength;
    std::uint32_t realIndexPrefix;  // bytes before the column map of a real index definition
    std::uint32_t realIndexTail;    // bytes from the usage-map pointer to the end of the definition
    std::uint32_t logicalIndexSize;
    std::uint32_t logicalIndexNumber;    // the real index this logical index uses
    std::uint32_t logicalIndexRelTable;  // related table's definition page (foreign keys)
    // Index pages
    std::uint32_t indexPrev, indexNext, indexTail;
    std::uint32_t indexPrefixLength;
    std::uint32_t indexBitmap;
    std::uint32_t indexEntries;
    // Row layout
    std::uint32_t rowCountSize;      // 1 (Jet 3) or 2 (Jet 4) bytes for the column count and offsets
    std::uint32_t logicalIndexType;  // 1: the table's primary key
    // Access 2007 and later: Jet 4's pages, and a byte of further column flags (calculated columns).
    bool accdb = false;
    std::uint32_t columnExtraFlags = 16;

    static JetFormat of(JetVersion v) {
        if (v == JetVersion::Jet3)
            return {v,  2048, 8, 12, 23, 25, 27, 31, 35, 39, 43, 8,    18,   1, 13,
                    14, 16,   0, 9,  20, 4,  13, 8,  12, 16, 20, 0x16, 0xF8, 1, 19};
        return {v,  4096, 12, 16, 43, 45, 47, 51, 55, 59, 63, 12,   25,    5, 15,
                21, 23,   4,  18, 28, 8,  17, 12, 16, 20, 24, 0x1B, 0x1E0, 2, 23};
    }
    static JetFormat of(const JetHeader& h) {
        JetFormat f = of(h.version);
        f.accdb = h.accdb();
        return f;
    }
    bool jet4() const { return version == JetVersion::Jet4; }
};

}  // namespace jet
