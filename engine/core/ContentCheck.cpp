#include "engine/core/ContentCheck.h"

#include "engine/core/Bytes.h"
#include "engine/core/IdColumns.h"
#include "engine/core/IndexPage.h"
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

ContentReader::ContentReader(const PageStore& store, const DigestKey& key) : reader_(store), key_(key) {
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
    idColumns_ = tableIdColumns(reader_.tables()[n].name, def);
    longValues_ = std::any_of(def.columns.begin(), def.columns.end(), [](const Column& c) { return c.isLongValue(); });
    out_.tables.push_back({reader_.tables()[n], definitionDigest(), {}, {}});
    pages_ = reader_.dataPages(def);
    read_ = 0;
    rows_ = {};
}

void ContentReader::dataPage(std::size_t index) { readRows(index + 1); }

// A row as compared: its bytes (table ids made comparable, pointers of long values zeroed) and its long values.
DigestValue ContentReader::rowDigest(std::span<const std::uint8_t> bytes,
                                     const std::vector<std::vector<std::uint8_t>>* values) {
    Digest d(key_);
    d.addPiece(bytes);
    if (values) {
        d.add32(static_cast<std::uint32_t>(values->size()));
        for (const auto& v : *values) d.addPiece(v);
    }
    return d.value();
}

// The live rows of the table's pages up to the upTo-th, as a multiset: compaction may move rows to other pages
// and places, but must keep every one of them.
void ContentReader::readRows(std::size_t upTo) {
    for (; read_ < std::min(upTo, pages_.size()); ++read_) {
        const std::uint32_t page = pages_[read_];
        const std::uint32_t count = reader_.rowCount(*def_, page);
        for (std::uint32_t r = 0; r < count; ++r) {
            if (!longValues_ && idColumns_.empty()) {
                // Nothing in the row to follow or to make comparable: its bytes as they are on the page (the
                // page was checked to be one of the table's by rowCount).
                const RowSlot slot = reader_.store().row(page, r);
                if (slot.deleted) continue;
                if (!slot.overflow) {
                    rows_.add(
                        rowDigest(reader_.store().page(page).subspan(slot.begin, slot.end - slot.begin), nullptr));
                    continue;
                }
                std::uint32_t at = 0;
                auto bytes = reader_.rowBytes(*def_, page, r, at);
                if (bytes) rows_.add(rowDigest(*bytes, nullptr));
                continue;
            }
            if (!reader_.readRow(*def_, page, r, row_)) continue;
            comparableRow(row_);
            rows_.add(rowDigest(row_.bytes, longValues_ ? &row_.longValues : nullptr));
        }
    }
}

void ContentReader::endTable() {
    readRows(pages_.size());
    TableContent& t = out_.tables.back();
    Digest d(key_);
    for (std::uint64_t v : {rows_.sum.lo, rows_.sum.hi, rows_.count}) {
        d.add32(std::uint32_t(v));
        d.add32(std::uint32_t(v >> 32));
    }
    t.rows = d.value();
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
    Digest d(key_);  // not its row count, which compaction sets to the rows it holds
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
    if (idColumns_.empty()) return;
    const RowLayout layout(reader_.store().format(), def_->columns, row.bytes);
    std::vector<std::uint8_t> tags;
    for (const Column* c : idColumns_) {
        auto v = layout.value(*c);
        if (!v) continue;
        if (v->end - v->begin != 4)
            damaged("a table id of " + std::to_string(v->end - v->begin) + " bytes in table " +
                    std::to_string(def_->page));
        std::uint8_t tag = 0;
        wr32(row.bytes, v->begin, comparable(rd32(row.bytes, v->begin), tag));
        tags.push_back(tag);
    }
    row.bytes.insert(row.bytes.end(), tags.begin(), tags.end());
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

// Entries in key order along the leaf chain: each distinct key in turn, with the multiset of the rows its
// entries name, each resolved to its content (a deleted row as such): compaction may move the rows and order
// entries of equal keys by their new places, but must keep every entry naming the same row.
DigestValue ContentReader::indexDigest(const RealIndex& ri) {
    reader_.visitIndexTree(*def_, ri);
    const bool idKeyed = !ri.keys.empty() && std::any_of(idColumns_.begin(), idColumns_.end(), [&](const Column* c) {
        return c->number == ri.keys.front().column;
    });
    IndexEntryCursor cursor(reader_, *def_, ri);
    IndexEntryCursor::Entry e;
    Digest d(key_);
    std::vector<std::uint8_t> key;
    MultisetDigest named;
    auto endKey = [&] {
        if (named.count == 0) return;
        d.addPiece(key);
        for (std::uint64_t v : {named.sum.lo, named.sum.hi, named.count}) {
            d.add32(std::uint32_t(v));
            d.add32(std::uint32_t(v >> 32));
        }
        named = {};
    };
    const DigestValue deleted = Digest(key_).value();
    while (cursor.next(e)) {
        if (idKeyed) comparableKey(e.key);
        if (e.key != key) {
            endKey();
            key = e.key;
        }
        if (reader_.readRow(*def_, e.page, e.row, row_)) {
            comparableRow(row_);
            named.add(rowDigest(row_.bytes, longValues_ ? &row_.longValues : nullptr));
        } else {
            named.add(deleted);
        }
    }
    endKey();
    return d.value();
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
