#pragma once
// A plain reader of a database: it follows every pointer exactly as stored (catalog -> table definitions ->
// usage maps -> rows, overflow rows and long values -> index trees) and keeps no model of its own. Two readers,
// one on a source and one on its compacted copy, let a check compare what the files hold rather than where the
// bytes sit. It reads one page at a time and remembers only bitmaps with one bit per page of what it visited.
#include "engine/core/PageStore.h"
#include "engine/core/TableDef.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet {

// Live rows or index entries of a catalog table on a page that the table does not reach.
struct UnplacedData {
    std::uint32_t page = 0;
    std::uint32_t table = 0;  // the id the page names as its owner
    bool indexEntries = false;
};

struct CatalogTable {
    std::uint32_t id = 0;  // its definition page
    std::u16string name;
};

// A live row as a reader sees it: the row's own bytes with the pointer of every memo or OLE value stored
// elsewhere zeroed, and those values' bytes gathered from their long-value rows, in column order.
struct PlainRow {
    std::uint32_t page = 0;  // where the row's bytes are, after any overflow pointer
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<std::uint8_t>> longValues;
};

class PlainReader {
public:
    explicit PlainReader(const PageStore& store);

    const PageStore& store() const { return store_; }
    // The catalog's tables in the order of their ids.
    const std::vector<CatalogTable>& tables() const { return tables_; }
    const CatalogTable* tableWithId(std::uint32_t id) const;

    // The data pages a table's usage map lists.
    std::vector<std::uint32_t> dataPages(const TableDef& def);
    // The number of rows of one of them, checked to be a data page of that table.
    std::uint32_t rowCount(const TableDef& def, std::uint32_t page);
    // The live row at a row pointer of a data page (overflow pointers followed); nothing for a deleted row.
    std::optional<PlainRow> row(const TableDef& def, std::uint32_t page, std::uint32_t rowNumber);
    // The same into out, whose buffers are reused (rows are read by the million); false for a deleted row.
    bool readRow(const TableDef& def, std::uint32_t page, std::uint32_t rowNumber, PlainRow& out);
    // The bytes of the live row at a row pointer as stored (overflow pointers followed, long values not), valid
    // until another page is read, and the page they are on; nothing for a deleted row.
    std::optional<std::span<const std::uint8_t>> rowBytes(const TableDef& def, std::uint32_t page,
                                                          std::uint32_t rowNumber, std::uint32_t& at);
    // Marks the row holding a usage map, and its bitmap pages, as known.
    void noteUsageMap(std::uint32_t rowPointer);
    // Marks every page of an index tree (from its root and its usage map) as visited.
    void visitIndexTree(const TableDef& def, const RealIndex& index);

    // The first page outside the free pages of the global usage map that names a table of the catalog as its
    // owner and holds live rows or index entries which nothing read so far has reached; nothing when there is
    // none. Pages that name no such table (left by dropped tables) and long-value pages that no live value
    // reaches hold nothing the database still refers to: they are not asked about.
    std::optional<UnplacedData> firstUnplacedPage() const;

private:
    void longValue(std::span<const std::uint8_t> field, std::vector<std::uint8_t>& out);
    bool holdsLiveRows(std::uint32_t page) const;

    const PageStore& store_;
    std::vector<CatalogTable> tables_;
    std::vector<bool> freePages_;          // marked free by the global usage map
    std::vector<bool> rowPages_;           // data pages reached as a table's pages or as holders of map rows
    std::vector<bool> longPages_;          // long-value pages reached from a memo or OLE value
    std::vector<bool> indexPages_;         // index pages reached from a table's index
    std::vector<bool> settled_;            // reached as what their type says they are: nothing left to look at
    std::vector<std::uint32_t> pointers_;  // of the row being read: where its long-value pointers are
};

// Walks an index's leaf entries in key order: down the first entries of the tree to the first leaf, then
// along the leaf chain. Each entry gives its key bytes (without the row pointer) and the row it names.
class IndexEntryCursor {
public:
    IndexEntryCursor(PlainReader& reader, const TableDef& def, const RealIndex& index);
    struct Entry {
        std::vector<std::uint8_t> key;
        std::uint32_t page = 0;
        std::uint8_t row = 0;
    };
    bool next(Entry& out);

private:
    void load(std::uint32_t page);

    PlainReader& reader_;
    std::uint32_t owner_;
    std::vector<Entry> entries_;  // of the current leaf
    std::size_t at_ = 0;
    std::uint32_t nextLeaf_ = 0;
    std::vector<bool> seen_;
};

}  // namespace jet
