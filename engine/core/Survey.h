#pragma once
// A survey of a database: every page that anything live reaches, every field that holds a page number, row
// pointer or table id, every usage map and every index page. Compaction and the structural check both work
// from it. Anything not understood raises JetError naming it.
#include "engine/core/ContentCheck.h"
#include "engine/core/Digest.h"
#include "engine/core/IndexPage.h"
#include "engine/core/PageStore.h"
#include "engine/core/TableDef.h"
#include "engine/core/UsageMap.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace jet {

// A field to rewrite when pages are renumbered.
struct Reference {
    enum class Kind : std::uint8_t {
        Page,        // u32 page number
        RowPointer,  // u32 page * 256 + row
        TableId,     // u32 table id (its definition page) in a catalog or permission row
    };
    Kind kind;
    bool split = false;        // its bytes are not four in a row on one page: Survey::splitFields[page] has them
    std::uint16_t offset = 0;  // of its first byte
    std::uint32_t page = 0;
};
static_assert(sizeof(Reference) == 8, "a large file has one or more references per page");

struct IndexInfo {
    UsageMap map;
    std::uint32_t root = 0;
    std::vector<std::uint32_t> pages;  // every index page reached from the root and the page links
    bool idKeyed = false;              // its first key column holds table ids (keys must follow the renumbering)
    std::uint16_t idColumn = 0;        // that column's number when idKeyed
    std::uint64_t leafEntries = 0;
    std::uint32_t newPages = 0;  // the pages it fills when rebuilt (IndexRewriter)
};

struct TableInfo {
    std::u16string name;
    TableDef def;
    UsageMap used, free;
    std::vector<UsageMap> longValueMaps;
    std::vector<IndexInfo> indexes;  // one per real index
    std::vector<std::uint32_t> dataPages;
    std::uint64_t liveRows = 0;
    // Where compaction puts the live rows, in their present order, on pages filled afresh (RowPacker): per page
    // of dataPages the live rows of the pages before it, and per new data page the rows before it.
    std::vector<std::uint32_t> rowsBefore;
    std::vector<std::uint32_t> newPageRowsBefore;
    std::vector<std::uint32_t> movedRows;  // rows that count where an overflow pointer moved them (RowOrder)
    // Where the table has a primary key (and not too many rows): the rows in its order, as its entries name
    // them (page x 256 + row), and each of those with its place in that order, sorted. The packing above then
    // follows this order.
    std::vector<std::uint32_t> keyOrder;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> keyRank;
    // Per memo or OLE column (in column order): the long-value pages its live values reach, ascending, and the
    // pages they fill afresh, in the same order.
    std::vector<std::vector<std::uint32_t>> longValuePagesOf;
    std::vector<std::uint32_t> newLongValuePages;
    std::uint64_t liveRowBytes = 0;  // of its live rows, with their entries in the row table
    // Deleted rows left on the table's pages and on the long-value pages its values reach.
    std::uint64_t deletedRows = 0, deletedLongValueRows = 0;
};

struct Survey {
    std::vector<TableInfo> tables;
    std::vector<std::uint32_t> tableIds;  // definition pages of the catalog's tables, ascending
    UsageMap globalMap;
    std::vector<bool> reached;                  // per page
    std::vector<Reference> references;          // eight bytes each: a large file has one or more per page
    std::vector<FieldPlace> splitFields;        // fields of table definitions split over two pages
    std::vector<std::uint32_t> indexPages;      // ascending, unique
    std::vector<std::uint32_t> longValuePages;  // ascending, unique
    // Reached data pages that hold rows (not long values) but are not among any table's dataPages (reached
    // through overflow rows or index entries), ascending, each with the table it names as owner.
    struct RowPage {
        std::uint32_t page, owner;
    };
    std::vector<RowPage> otherRowPages;
    // Values of table-id columns in the page-number range that name no table (entries a
    // deleted table left behind). They are kept unchanged, so a compaction must not give a table these ids.
    std::vector<std::uint32_t> staleIds;

    // What the file holds, read in the same pass by a plain reader of its own, for the content check.
    ContentDigest content;

    // Where a reference's four bytes are.
    FieldPlace place(const Reference& r) const;
    bool isTableId(std::uint32_t v) const;
    std::uint32_t unreachedPages() const;
    const TableInfo* table(std::u16string_view name) const;
};

// Called with each data page of a table once the survey has read it, while it is still cached.
using DataPageRead = std::function<void(std::uint32_t)>;

// The survey of a compacted copy, for its checks: the content is digested with the key of its source's survey
// (to compare the two), and no field is recorded for rewriting, since nothing rewrites the copy.
struct CheckingSurvey {
    DigestKey key;
    DataPageRead pageRead;
};

// The content is digested with a fresh random key.
Survey surveyDatabase(const PageStore& store);
Survey surveyDatabase(const PageStore& store, const CheckingSurvey& checking);

}  // namespace jet
