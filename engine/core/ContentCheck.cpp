#include "engine/core/ContentCheck.h"

#include "engine/core/Bytes.h"
#include "engine/core/IdColumns.h"
#include "engine/core/RowLayout.h"
#include "engine/core/Text.h"

#include <algorithm>
#include <string>

namespace jet {
namespace {

constexpr std::uint32_t kSignBit = 0x80000000u;

[[noreturn]] void differs(const std::string& what) {
    throw JetError("the compacted copy does not hold what its source holds (" + what + "); nothing was written");
}

std::span<const std::uint8_t> bytesOf(const std::u16string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size() * sizeof(char16_t)};
}

}  // namespace

ContentReader::ContentReader(const PageStore& store, const DigestKey& key) : reader_(store), key_(key), rows_(key) {
    out_.key = key;
}

// A table id as digested: a value that names a table becomes that table's place among the catalog's tables,
// tagged, so that it can equal only the id of the paired table on the other side; any other value stays as it
// is, untagged.
std::uint32_t ContentReader::comparable(std::uint32_t id, std::uint8_t& tag) const {
    const CatalogTable* t = reader_.tableWithId(id);
    tag = t ? 1 : 0;
    return t ? static_cast<std::uint32_t>(t - reader_.tables().data()) : id;
}

void ContentReader::beginTable(const TableDef& def) {
    const std::size_t n = out_.tables.size();
    if (n >= reader_.tables().size() || reader_.tables()[n].id != def.page)
        damaged("the catalog lists table " + std::to_string(def.page) + " where its reader finds another");
    def_ = &def;
    idColumn_ = nullptr;
    for (const auto& ic : kTableIdColumns)
        if (reader_.tables()[n].name == ic.table) idColumn_ = def.column(ic.column);
    out_.tables.push_back({reader_.tables()[n], definitionDigest(), {}, {}});
    pages_ = reader_.dataPages(def);
    // A usage map lists its pages in ascending order; should one not, its pages are found through a sorted copy.
    sortedPages_.clear();
    if (!std::is_sorted(pages_.begin(), pages_.end())) {
        for (std::size_t i = 0; i < pages_.size(); ++i)
            sortedPages_.push_back({pages_[i], static_cast<std::uint32_t>(i)});
        std::sort(sortedPages_.begin(), sortedPages_.end());
    }
    read_ = 0;
    rows_ = Digest(key_);
}

void ContentReader::dataPage(std::size_t index) { readRows(index + 1); }

// The live rows of the table's pages up to the upTo-th, in usage-map and row-table order; each is digested with
// its place (page in the list, row in the page), so that an index entry can name it by that place. Rows with no
// memo or OLE value are gathered a page at a time and digested in one piece: most rows are a few bytes long.
void ContentReader::readRows(std::size_t upTo) {
    const bool longValues = std::any_of(def_->columns.begin(), def_->columns.end(),
                                        [](const Column& c) { return c.isLongValue(); });
    for (; read_ < std::min(upTo, pages_.size()); ++read_) {
        const std::uint32_t page = pages_[read_];
        const std::uint32_t count = reader_.rowCount(*def_, page);
        rows_.add32(static_cast<std::uint32_t>(read_));
        pageRows_.clear();
        for (std::uint32_t r = 0; r < count; ++r) {
            if (!longValues && !idColumn_) {
                // Nothing in the row to follow or to make comparable: its bytes as they are on the page (the
                // page was checked to be one of the table's by rowCount).
                const RowSlot slot = reader_.store().row(page, r);
                if (slot.deleted) continue;
                if (!slot.overflow) {
                    appendRow(r, reader_.store().page(page).subspan(slot.begin, slot.end - slot.begin));
                    continue;
                }
                std::uint32_t at = 0;
                auto bytes = reader_.rowBytes(*def_, page, r, at);
                if (bytes) appendRow(r, *bytes);
                continue;
            }
            if (!reader_.readRow(*def_, page, r, row_)) continue;
            comparableRow(row_);
            if (longValues) {
                rows_.add32(r);
                rows_.addPiece(row_.bytes);
                rows_.add32(static_cast<std::uint32_t>(row_.longValues.size()));
                for (const auto& v : row_.longValues) rows_.addPiece(v);
            } else {
                appendRow(r, row_.bytes);
            }
        }
        if (!longValues) rows_.addPiece(pageRows_);
    }
}

// The row number and the length, then the bytes: rows gathered so cannot run into each other. Both fit in two
// bytes (a page holds fewer than 2048 rows of at most its 4096 bytes).
void ContentReader::appendRow(std::uint32_t r, std::span<const std::uint8_t> bytes) {
    const std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
    const std::uint8_t head[4] = {std::uint8_t(r), std::uint8_t(r >> 8), std::uint8_t(size), std::uint8_t(size >> 8)};
    pageRows_.insert(pageRows_.end(), head, head + 4);
    pageRows_.insert(pageRows_.end(), bytes.begin(), bytes.end());
}

void ContentReader::endTable() {
    readRows(pages_.size());
    TableContent& t = out_.tables.back();
    t.rows = rows_.value();
    for (const auto& ri : def_->realIndexes) t.indexes.push_back(indexDigest(ri));
    def_ = nullptr;
}

ContentDigest ContentReader::finish() {
    if (out_.tables.size() != reader_.tables().size()) damaged("the catalog lists tables its reader does not find");
    out_.unplaced = reader_.firstUnplacedPage();
    if (out_.unplaced)
        if (const CatalogTable* t = reader_.tableWithId(out_.unplaced->table)) out_.unplacedTable = t->name;
    return std::move(out_);
}

DigestValue ContentReader::definitionDigest() const {
    const TableDef& x = *def_;
    Digest d(key_);
    d.add32(x.rowCount);
    d.add32(static_cast<std::uint32_t>(x.columns.size()));
    for (const auto& c : x.columns) {
        d.add32(c.type);
        d.add32(c.number);
        d.add32(c.varIndex);
        d.add32(c.fixed);
        d.add32(c.fixedOffset);
        d.add32(c.length);
        d.addPiece(bytesOf(c.name));
    }
    d.add32(static_cast<std::uint32_t>(x.realIndexes.size()));
    for (const auto& r : x.realIndexes) {
        d.add32(static_cast<std::uint32_t>(r.keys.size()));
        for (const auto& k : r.keys) {
            d.add32(k.column);
            d.add32(k.order);
        }
    }
    d.add32(static_cast<std::uint32_t>(x.logicalIndexes.size()));
    for (const auto& l : x.logicalIndexes) {
        d.add32(l.realIndex);
        d.addPiece(bytesOf(l.name));
        std::uint8_t tag = 0;
        const std::uint32_t related = l.relatedTable == 0 ? 0 : comparable(l.relatedTable, tag);
        if (l.relatedTable != 0 && !tag)
            damaged("table " + std::to_string(x.page) + " has a relationship to a table the catalog does not list");
        d.add32(related);
        d.add32(tag);
    }
    d.add32(static_cast<std::uint32_t>(x.longValueMaps.size()));
    return d.value();
}

// Row bytes as digested: a table id in the id column is written as the comparable id and its tag.
void ContentReader::comparableRow(PlainRow& row) const {
    if (!idColumn_) return;
    const Column* c = def_->columnByNumber(idColumn_->number);
    auto v = RowLayout(reader_.store().format(), def_->columns, row.bytes).value(*c);
    if (!v) return;
    if (v->end - v->begin != 4)
        damaged("a table id of " + std::to_string(v->end - v->begin) + " bytes in table " + std::to_string(def_->page));
    std::uint8_t tag = 0;
    wr32(row.bytes, v->begin, comparable(rd32(row.bytes, v->begin), tag));
    row.bytes.push_back(tag);
}

// A key that begins with a table id carries it big-endian with its sign bit flipped, after a marker byte.
void ContentReader::comparableKey(std::vector<std::uint8_t>& key) const {
    if (key.size() < 5 || key[0] != 0x7F) return;
    std::uint32_t v = (std::uint32_t(key[1]) << 24 | std::uint32_t(key[2]) << 16 | std::uint32_t(key[3]) << 8 |
                       key[4]) ^
                      kSignBit;
    std::uint8_t tag = 0;
    v = comparable(v, tag) ^ kSignBit;
    for (int k = 0; k < 4; ++k) key[1 + k] = std::uint8_t(v >> (24 - 8 * k));
    key.push_back(tag);
}

// Entries in key order along the leaf chain: each key, and the row it names. A row on a page of the table's
// usage map is named by its place there, whose content the rows' digest holds; a row anywhere else (which the
// search for unplaced data then refuses if it is live) by its content.
DigestValue ContentReader::indexDigest(const RealIndex& ri) {
    reader_.visitIndexTree(*def_, ri);
    const bool idKeyed = idColumn_ && !ri.keys.empty() && ri.keys.front().column == idColumn_->number;
    IndexEntryCursor cursor(reader_, *def_, ri);
    IndexEntryCursor::Entry e;
    Digest d(key_);
    while (cursor.next(e)) {
        if (idKeyed) comparableKey(e.key);
        d.addPiece(e.key);
        if (auto place = placeInList(e.page)) {
            d.add32(1);
            d.add32(*place);
            d.add32(e.row);
        } else if (reader_.readRow(*def_, e.page, e.row, row_)) {
            comparableRow(row_);
            d.add32(2);
            d.addPiece(row_.bytes);
            d.add32(static_cast<std::uint32_t>(row_.longValues.size()));
            for (const auto& v : row_.longValues) d.addPiece(v);
        } else {
            d.add32(3);  // a deleted row
        }
    }
    return d.value();
}

std::optional<std::uint32_t> ContentReader::placeInList(std::uint32_t page) const {
    if (!sortedPages_.empty()) {
        auto it = std::lower_bound(sortedPages_.begin(), sortedPages_.end(),
                                   std::pair<std::uint32_t, std::uint32_t>{page, 0});
        if (it != sortedPages_.end() && it->first == page) return it->second;
        return std::nullopt;
    }
    auto it = std::lower_bound(pages_.begin(), pages_.end(), page);
    if (it != pages_.end() && *it == page) return static_cast<std::uint32_t>(it - pages_.begin());
    return std::nullopt;
}

void checkSameContent(const ContentDigest& source, const ContentDigest& copy,
                      std::span<const std::uint32_t> numbering) {
    const auto& ta = source.tables;
    const auto& tb = copy.tables;
    if (ta.size() != tb.size()) differs("the number of tables changed");
    for (std::size_t i = 0; i < ta.size(); ++i) {
        const std::string which = "table '" + asciiName(ta[i].table.name) + "'";
        if (ta[i].table.id >= numbering.size() || numbering[ta[i].table.id] != tb[i].table.id ||
            ta[i].table.name != tb[i].table.name)
            differs(which + " is not the same table in the copy");
        if (ta[i].definition != tb[i].definition) differs(which + " has another definition");
        if (ta[i].rows != tb[i].rows) differs(which + " has rows, memo or OLE values that changed");
        if (ta[i].indexes.size() != tb[i].indexes.size()) differs(which + " has another number of indexes");
        for (std::size_t k = 0; k < ta[i].indexes.size(); ++k)
            if (ta[i].indexes[k] != tb[i].indexes[k])
                differs(which + " index " + std::to_string(k) + " has other entries or names other rows");
    }
    if (source.unplaced) refuseUnplacedData(source);
    if (copy.unplaced) differs("page " + std::to_string(copy.unplaced->page) + " holds data that nothing reaches");
}

void refuseUnplacedData(const ContentDigest& source) {
    const UnplacedData& u = *source.unplaced;
    throw JetError("damaged database: page " + std::to_string(u.page) + " holds " +
                   (u.indexEntries ? "index entries" : "rows") + " of table '" + asciiName(source.unplacedTable) +
                   "' that the table's own " + (u.indexEntries ? "indexes do" : "list of its pages does") +
                   " not reach; compacting would lose them, so the file was left as it is");
}

}  // namespace jet
