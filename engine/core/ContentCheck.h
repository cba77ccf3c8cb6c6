#pragma once
// Content check of a compacted copy against its source. Each file is read through its own plain reader, every
// pointer followed as stored, in the same pass as its survey; what it holds is kept as keyed digests (see
// Digest.h) of its tables, definitions, rows with their memo and OLE values (a multiset per table, wherever the
// rows are), index entries (in key order, each resolved to the content of the row it names) and permissions, and
// the two files must give the same digests. Table ids stored in definitions, rows
// and keys are digested as the table's place among the catalog's tables, so that a copy passes only when each
// id names the table paired with the source's; the page numbering is used only to pair the tables.
#include "engine/core/Digest.h"
#include "engine/core/PlainReader.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace jet {

struct TableContent {
    CatalogTable table;
    DigestValue definition, rows;
    std::vector<DigestValue> indexes;  // one per real index, its entries in key order
};

struct ContentDigest {
    DigestKey key;
    std::vector<TableContent> tables;  // in the order of their ids
    // The first page that holds live rows or index entries of a live table that the table does not reach;
    // nothing when none. A source with one is refused: compacting would silently drop them.
    std::optional<UnplacedData> unplaced;
    std::u16string unplacedTable;  // that table's name
};

// The refusal of a source whose digest found such a page, naming the page and the table.
[[noreturn]] void refuseUnplacedData(const ContentDigest& source);

// Reads one file's content as its survey walks it: the survey hands over each table as it starts it, each of
// its data pages once it has read it (so that the page is still cached), and the table once its indexes are
// walked.
class ContentReader {
public:
    ContentReader(const PageStore& store, const DigestKey& key);
    void beginTable(const TableDef& def);
    void dataPage(std::size_t index);  // the index-th page of the table's usage map has been read
    void endTable();
    ContentDigest finish();

private:
    void readRows(std::size_t upTo);
    DigestValue rowDigest(std::span<const std::uint8_t> bytes, const std::vector<std::vector<std::uint8_t>>* values);
    void comparableRow(PlainRow& row) const;
    void comparableKey(std::vector<std::uint8_t>& key) const;
    std::uint32_t comparable(std::uint32_t id, std::uint8_t& tag) const;
    DigestValue definitionDigest() const;
    DigestValue indexDigest(const RealIndex& index);

    PlainReader reader_;
    DigestKey key_;
    ContentDigest out_;
    // The table being read.
    const TableDef* def_ = nullptr;
    std::vector<const Column*> idColumns_;
    bool longValues_ = false;
    std::vector<std::uint32_t> pages_;  // its data pages, in usage-map order
    std::size_t read_ = 0;              // how many of them have been read
    MultisetDigest rows_;
    PlainRow row_;
};

// Throws JetError naming the first difference. numbering pairs each source table with its table in the copy.
void checkSameContent(const ContentDigest& source, const ContentDigest& copy, std::span<const std::uint32_t> numbering);

}  // namespace jet
