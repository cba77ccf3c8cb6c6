#include "engine/core/PlainReader.h"

#include "engine/core/Bytes.h"
#include "engine/core/IndexPage.h"
#include "engine/core/RowLayout.h"
#include "engine/core/Text.h"
#include "engine/core/UsageMap.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace jet {
namespace {

constexpr std::uint32_t kCatalogPage = 2;
constexpr std::uint32_t kGlobalMapRow = (1u << 8) | 0;
constexpr int kMaxOverflowHops = 8;

bool isRowPage(std::span<const std::uint8_t> page) {
    return page[0] == kPageData && std::memcmp(page.data() + 4, "LVAL", 4) != 0;
}

bool isRowPageOf(const TableDef& def, std::span<const std::uint8_t> page) {
    return isRowPage(page) && rd32(page, 4) == def.page;
}

}  // namespace

PlainReader::PlainReader(const PageStore& store)
    : store_(store),
      freePages_(store.pageCount(), false),
      rowPages_(store.pageCount(), false),
      longPages_(store.pageCount(), false),
      indexPages_(store.pageCount(), false),
      settled_(store.pageCount(), false) {
    for (auto p : readUsageMap(store_, kGlobalMapRow).pages) freePages_[p] = true;
    noteUsageMap(kGlobalMapRow);

    const TableDef catalog = readTableDef(store_, kCatalogPage);
    const Column* id = catalog.column(u"Id");
    const Column* type = catalog.column(u"Type");
    const Column* name = catalog.column(u"Name");
    if (!id || !type || !name || !id->fixed || id->length != 4 || !type->fixed || type->length != 2)
        damaged("the catalog table lacks its Id, Type or Name column");
    for (auto page : dataPages(catalog)) {
        const std::uint32_t count = rowCount(catalog, page);
        for (std::uint32_t r = 0; r < count; ++r) {
            auto live = row(catalog, page, r);
            if (!live) continue;
            RowLayout layout(store_.format(), catalog.columns, live->bytes);
            auto t = layout.value(*type);
            auto i = layout.value(*id);
            if (!t || !i || rd16(live->bytes, t->begin) != 1) continue;
            CatalogTable entry;
            entry.id = rd32(live->bytes, i->begin);
            if (auto n = layout.value(*name))
                entry.name = decodeText(std::span(live->bytes).subspan(n->begin, n->end - n->begin),
                                        store_.format().jet4());
            tables_.push_back(std::move(entry));
        }
    }
    std::sort(tables_.begin(), tables_.end(), [](const auto& x, const auto& y) { return x.id < y.id; });
    for (std::size_t i = 1; i < tables_.size(); ++i)
        if (tables_[i].id == tables_[i - 1].id)
            damaged("two catalog rows name table id " + std::to_string(tables_[i].id));
}

const CatalogTable* PlainReader::tableWithId(std::uint32_t id) const {
    auto it = std::lower_bound(tables_.begin(), tables_.end(), id,
                               [](const auto& t, std::uint32_t v) { return t.id < v; });
    return it != tables_.end() && it->id == id ? &*it : nullptr;
}

void PlainReader::noteUsageMap(std::uint32_t rowPointer) {
    if (rowPointer == 0) return;
    store_.page(rowPointer >> 8);  // range check
    rowPages_[rowPointer >> 8] = true;
}

std::vector<std::uint32_t> PlainReader::dataPages(const TableDef& def) {
    noteUsageMap(def.usedMap);
    noteUsageMap(def.freeMap);
    for (const auto& m : def.longValueMaps) {
        noteUsageMap(m.usedMap);
        noteUsageMap(m.freeMap);
    }
    for (const auto& ri : def.realIndexes) noteUsageMap(ri.usedMap);
    UsageMap used = readUsageMap(store_, def.usedMap);
    if (used.beyondEnd) damaged("a usage map lists pages beyond the end of the file");
    for (auto p : used.pages) rowPages_[p] = true;
    return std::move(used.pages);
}

std::uint32_t PlainReader::rowCount(const TableDef& def, std::uint32_t page) {
    if (!isRowPageOf(def, store_.page(page)))
        damaged("table " + std::to_string(def.page) + " lists page " + std::to_string(page) +
                ", which is not one of its data pages");
    settled_[page] = rowPages_[page];
    return store_.rowCount(page);
}

std::optional<PlainRow> PlainReader::row(const TableDef& def, std::uint32_t page, std::uint32_t rowNumber) {
    PlainRow out;
    if (!readRow(def, page, rowNumber, out)) return std::nullopt;
    return out;
}

bool PlainReader::readRow(const TableDef& def, std::uint32_t page, std::uint32_t rowNumber, PlainRow& out) {
    auto bytes = rowBytes(def, page, rowNumber, out.page);
    if (!bytes) return false;
    out.bytes.assign(bytes->begin(), bytes->end());
    if (std::none_of(def.columns.begin(), def.columns.end(), [](const Column& c) { return c.isLongValue(); })) {
        out.longValues.clear();
        return true;
    }
    // The row's own copy from here on: its long values are read from other pages. Every value is read before
    // any pointer is zeroed, so that each is read from the row as stored.
    RowLayout layout(store_.format(), def.columns, out.bytes);
    pointers_.clear();
    std::size_t values = 0;
    for (const auto& c : def.columns) {
        if (!c.isLongValue()) continue;
        auto v = layout.value(c);
        if (!v || v->end == v->begin) continue;
        if (values == out.longValues.size()) out.longValues.emplace_back();
        longValue(std::span(out.bytes).subspan(v->begin, v->end - v->begin), out.longValues[values++]);
        if (!(out.bytes[v->begin + 3] & 0x80)) pointers_.push_back(v->begin + 4);
    }
    out.longValues.resize(values);
    for (auto at : pointers_) std::fill_n(out.bytes.begin() + at, 4, 0);
    return true;
}

std::optional<std::span<const std::uint8_t>> PlainReader::rowBytes(const TableDef& def, std::uint32_t page,
                                                                   std::uint32_t rowNumber, std::uint32_t& at) {
    if (!isRowPageOf(def, store_.page(page)))
        damaged("a row of table " + std::to_string(def.page) + " is looked for on page " + std::to_string(page) +
                ", which is not one of its data pages");
    RowSlot slot = store_.row(page, rowNumber);
    if (slot.deleted) return std::nullopt;
    for (int hop = 0; slot.overflow; ++hop) {
        if (hop >= kMaxOverflowHops || slot.end - slot.begin < 4) damaged("an overflow row that cannot be followed");
        const std::uint32_t ptr = rd32(store_.page(page), slot.begin);
        page = ptr >> 8;
        if (!isRowPage(store_.page(page)))
            damaged("an overflow row points to page " + std::to_string(page) + ", not a data page");
        rowPages_[page] = true;
        settled_[page] = true;
        slot = store_.row(page, ptr & 0xFF);
    }
    at = page;
    return store_.page(page).subspan(slot.begin, slot.end - slot.begin);
}

void PlainReader::longValue(std::span<const std::uint8_t> field, std::vector<std::uint8_t>& out) {
    if (field.size() < 12) damaged("a memo or OLE value shorter than its 12-byte header");
    const std::uint32_t head = rd32(field, 0);
    const std::uint8_t flags = head >> 24;
    const std::uint32_t length = head & 0x00FFFFFF;
    if (flags & 0x80) {
        out.assign(field.begin() + 12, field.end());
        return;
    }
    if ((flags & 0xC0) == 0xC0 || (flags & 0x3F))
        throw JetError("unsupported memo or OLE value flags " + std::to_string(flags));
    out.clear();
    std::uint32_t ptr = rd32(field, 4);
    // Each piece of a chain carries at least its link, so a chain of more pieces than bytes loops.
    for (std::uint32_t pieces = 0; ptr != 0; ++pieces) {
        const std::uint32_t page = ptr >> 8;
        if (pieces > length || !store_.isLongValuePage(page))
            damaged("a memo or OLE value points to page " + std::to_string(page) + ", not a long-value page, or loops");
        longPages_[page] = true;
        settled_[page] = true;
        const RowSlot slot = store_.row(page, ptr & 0xFF);
        auto bytes = store_.page(page).subspan(slot.begin, slot.end - slot.begin);
        if (flags & 0x40) {
            if (bytes.size() < length) damaged("a long value shorter than its stated length");
            out.assign(bytes.begin(), bytes.begin() + length);
            break;
        }
        if (bytes.size() < 4) damaged("a long-value chain row too short for its link");
        out.insert(out.end(), bytes.begin() + 4, bytes.end());
        if (out.size() > std::uint64_t(length) + store_.pageSize())
            damaged("a long-value chain is longer than its value");
        ptr = rd32(bytes, 0);
    }
}

void PlainReader::visitIndexTree(const TableDef& def, const RealIndex& index) {
    noteUsageMap(index.usedMap);
    std::deque<std::uint32_t> queue{index.firstPage};
    for (auto p : readUsageMap(store_, index.usedMap).pages) queue.push_back(p);
    std::vector<bool> seen(store_.pageCount(), false);
    while (!queue.empty()) {
        const std::uint32_t p = queue.front();
        queue.pop_front();
        if (p == 0) continue;
        const IndexPage ip = readIndexPage(store_, p);  // refuses a page beyond the end of the file
        if (seen[p]) continue;
        seen[p] = true;
        if (ip.owner != def.page)
            damaged("index page " + std::to_string(p) + " of table " + std::to_string(def.page) +
                    " names another owner");
        indexPages_[p] = true;
        settled_[p] = true;
        for (auto link : {ip.prev, ip.next, ip.tail}) queue.push_back(link);
        if (!ip.leaf)
            for (const auto& e : ip.entries) queue.push_back(e.child);
    }
}

bool PlainReader::holdsLiveRows(std::uint32_t page) const {
    const std::uint32_t count = store_.rowCount(page);
    for (std::uint32_t r = 0; r < count; ++r)
        if (!store_.row(page, r).deleted) return true;
    return false;
}

std::optional<UnplacedData> PlainReader::firstUnplacedPage() const {
    for (std::uint32_t p = 1; p < store_.pageCount(); ++p) {
        if (freePages_[p] || settled_[p]) continue;
        // Such pages are mostly few and far between: one alone is read alone, not with the pages after it.
        const bool nextToo = p + 1 < store_.pageCount() && !freePages_[p + 1] && !settled_[p + 1];
        auto bytes = nextToo ? store_.page(p) : store_.pageAlone(p);
        const std::uint8_t type = bytes[0];
        if (type != kPageData && type != kPageIndexNode && type != kPageIndexLeaf) continue;
        if (type == kPageData && !isRowPage(bytes)) continue;  // a long value no live row holds
        const std::uint32_t owner = rd32(bytes, 4);
        if (!tableWithId(owner)) continue;  // a page of a dropped table
        const bool index = type != kPageData;
        try {
            if (index ? !indexPages_[p] && !readIndexPage(store_, p).entries.empty()
                      : !rowPages_[p] && holdsLiveRows(p))
                return UnplacedData{p, owner, index};
        } catch (const JetError&) {
            return UnplacedData{p, owner, index};  // claims to hold rows or entries of a live table but cannot be read
        }
    }
    return std::nullopt;
}

IndexEntryCursor::IndexEntryCursor(PlainReader& reader, const TableDef& def, const RealIndex& index)
    : reader_(reader), owner_(def.page), seen_(reader.store().pageCount(), false) {
    std::uint32_t page = index.firstPage;
    if (page == 0) return;
    IndexPage ip = readIndexPage(reader_.store(), page);
    while (!ip.leaf) {
        if (ip.entries.empty() || seen_[page]) damaged("index page " + std::to_string(page) + " is empty or loops");
        seen_[page] = true;
        page = ip.entries.front().child;
        ip = readIndexPage(reader_.store(), page);
    }
    load(page);
}

void IndexEntryCursor::load(std::uint32_t page) {
    const IndexPage ip = readIndexPage(reader_.store(), page);  // refuses a page beyond the end of the file
    if (seen_[page]) damaged("the leaf chain of table " + std::to_string(owner_) + " loops");
    seen_[page] = true;
    if (!ip.leaf || ip.owner != owner_)
        damaged("the leaf chain of table " + std::to_string(owner_) + " reaches page " + std::to_string(page) +
                ", not one of its leaves");
    auto bytes = reader_.store().page(page);
    entries_.clear();
    for (std::size_t i = 0; i < ip.entries.size(); ++i) {
        auto full = ip.fullEntry(bytes, i);
        full.resize(full.size() - 4);  // the row pointer, named separately
        entries_.push_back({std::move(full), ip.entries[i].dataPage, ip.entries[i].dataRow});
    }
    at_ = 0;
    nextLeaf_ = ip.next;
}

bool IndexEntryCursor::next(Entry& out) {
    while (at_ >= entries_.size()) {
        if (nextLeaf_ == 0) return false;
        load(nextLeaf_);
    }
    out = std::move(entries_[at_++]);
    return true;
}

}  // namespace jet
