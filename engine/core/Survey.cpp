#include "engine/core/Survey.h"

#include "engine/core/Bytes.h"
#include "engine/core/IdColumns.h"
#include "engine/core/IndexRewriter.h"
#include "engine/core/RowLayout.h"
#include "engine/core/RowOrder.h"
#include "engine/core/RowPacker.h"
#include "engine/core/TableRewriter.h"
#include "engine/core/Text.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <set>

namespace jet {
namespace {

constexpr std::uint32_t kCatalogPage = 2;
constexpr std::uint32_t kGlobalMapRow = (1u << 8) | 0;
constexpr int kMaxOverflowHops = 8;
FieldPlace placeAt(std::uint32_t page, std::uint32_t offset) {
    FieldPlace f;
    for (std::uint16_t i = 0; i < 4; ++i) f[i] = {page, static_cast<std::uint16_t>(offset + i)};
    return f;
}

// A live row, resolved through overflow pointers: where its bytes are.
struct LiveRow {
    std::uint32_t page;
    RowSlot slot;
};

class Surveyor {
public:
    Surveyor(const PageStore& store, const DigestKey& key, const DataPageRead* pageRead)
        : store_(store), f_(store.format()), key_(key), pageRead_(pageRead) {
        s_.reached.assign(store.pageCount(), false);
        known_.assign(store.pageCount(), Known::Unread);
    }

    Survey run() {
        reach(0);
        s_.globalMap = readMap(kGlobalMapRow, true);
        readCatalog();
        content_.emplace(store_, key_);
        for (auto& t : s_.tables) walkTable(t);
        classifyReachedPages();
        s_.content = content_->finish();
        s_.references.shrink_to_fit();  // kept through the whole compaction
        return std::move(s_);
    }

private:
    void reach(std::uint32_t page) {
        if (page >= store_.pageCount()) store_.page(page);  // refuses it, naming the page
        s_.reached[page] = true;
    }

    // Only a survey for compacting (no pageRead_) records the fields to rewrite.
    void addRef(Reference::Kind kind, const FieldPlace& at) {
        if (pageRead_) return;
        bool inARow = true;
        for (std::size_t i = 1; i < at.size(); ++i)
            inARow = inARow && at[i].page == at[0].page && at[i].offset == at[0].offset + i;
        if (inARow) {
            s_.references.push_back({kind, false, at[0].offset, at[0].page});
        } else {
            s_.references.push_back({kind, true, 0, static_cast<std::uint32_t>(s_.splitFields.size())});
            s_.splitFields.push_back(at);
        }
    }

    UsageMap readMap(std::uint32_t rowPointer, bool global = false) {
        UsageMap m = readUsageMap(store_, rowPointer);
        if (rowPointer == 0) return m;
        reach(rowPointer >> 8);
        for (auto mp : m.mapPages)
            if (mp) {
                reach(mp);
                mapPages_.insert(mp);
            }
        if (!global) {
            for (auto p : m.pages) reach(p);
            if (m.beyondEnd) damaged("a usage map lists pages beyond the end of the file");
        }
        return m;
    }

    // Calls fn for every live row of a data page, following overflow pointers (recorded as references).
    template <class Fn>
    void forEachLiveRow(std::uint32_t page, Fn&& fn) {
        const std::uint32_t count = store_.rowCount(page);
        for (std::uint32_t r = 0; r < count; ++r) {
            RowSlot slot = store_.row(page, r);
            if (slot.deleted) continue;
            LiveRow live{page, slot};
            for (int hop = 0; live.slot.overflow; ++hop) {
                if (hop >= kMaxOverflowHops)
                    damaged("an overflow row chain at page " + std::to_string(page) + " is too long");
                if (live.slot.end - live.slot.begin < 4) damaged("an overflow row too short for its pointer");
                std::uint32_t ptr = rd32(store_.page(live.page), live.slot.begin);
                addRef(Reference::Kind::RowPointer, placeAt(live.page, live.slot.begin));
                const std::uint32_t target = ptr >> 8;
                reach(target);
                if (store_.pageType(target) != kPageData || store_.isLongValuePage(target))
                    damaged("an overflow row points to page " + std::to_string(target) + ", not a data page");
                live = {target, store_.row(target, ptr & 0xFF)};
            }
            fn(live);
        }
    }

    // A copy of a row's bytes: following its long values reads other pages while the row is still needed.
    std::vector<std::uint8_t> rowBytes(const LiveRow& r) const {
        auto page = store_.page(r.page);
        return {page.begin() + r.slot.begin, page.begin() + r.slot.end};
    }

    void readCatalog() {
        reach(kCatalogPage);
        TableDef catalog = readTableDef(store_, kCatalogPage);
        const Column* id = catalog.column(u"Id");
        const Column* type = catalog.column(u"Type");
        const Column* name = catalog.column(u"Name");
        if (!id || !type || !name || !id->fixed || id->length != 4 || !type->fixed || type->length != 2)
            damaged("the catalog table lacks its Id, Type or Name column");
        UsageMap used = readUsageMap(store_, catalog.usedMap);
        std::map<std::uint32_t, std::u16string> found;
        for (auto page : used.pages) {
            checkOwnedDataPage(page, kCatalogPage);
            forEachLiveRow(page, [&](const LiveRow& r) {
                auto bytes = rowBytes(r);
                RowLayout layout(f_, catalog.columns, bytes);
                auto t = layout.value(*type);
                auto i = layout.value(*id);
                if (!t || !i || rd16(bytes, t->begin) != 1) return;
                std::u16string n;
                if (auto v = layout.value(*name))
                    n = decodeText(std::span(bytes).subspan(v->begin, v->end - v->begin), f_.jet4());
                std::uint32_t tid = rd32(bytes, i->begin);
                if (tid < kCatalogPage || tid >= store_.pageCount() || store_.pageType(tid) != kPageTableDef)
                    damaged("the catalog names table '" + asciiName(n) + "' at page " + std::to_string(tid) +
                            ", which holds no table definition");
                if (!found.emplace(tid, n).second) damaged("two catalog rows name table id " + std::to_string(tid));
            });
        }
        if (!found.count(kCatalogPage)) damaged("the catalog does not list itself");
        for (auto& [tid, n] : found) {
            TableInfo t;
            t.name = n;
            t.def = readTableDef(store_, tid);
            for (auto p : t.def.chain) {
                if (tdefPages_.count(p)) damaged("two table definitions share page " + std::to_string(p));
                tdefPages_.insert(p);
            }
            s_.tableIds.push_back(tid);
            s_.tables.push_back(std::move(t));
        }
    }

    void checkOwnedDataPage(std::uint32_t page, std::uint32_t owner) {
        auto p = store_.page(page);
        if (p[0] != kPageData || store_.isLongValuePage(page))
            damaged("a table's usage map lists page " + std::to_string(page) + ", which is not a data page");
        if (rd32(p, 4) != owner)
            damaged("data page " + std::to_string(page) + " belongs to table " + std::to_string(rd32(p, 4)) +
                    " but is listed by table " + std::to_string(owner));
        known_[page] = Known::TableData;
    }

    std::vector<const Column*> idColumnsOf(const TableInfo& t) const {
        for (const auto& ic : kTableIdColumns) {
            if (t.name != ic.table) continue;
            const Column* c = t.def.column(ic.column);
            if (!c)
                throw JetError("unsupported layout: table " + asciiName(ic.table) + " has no column " +
                               asciiName(ic.column));
            if (c->type != kColLong || c->length != 4)
                throw JetError("unsupported layout: column " + asciiName(ic.table) + "." + asciiName(ic.column) +
                               " is not a long integer");
        }
        return tableIdColumns(t.name, t.def);
    }

    void walkTable(TableInfo& t) {
        const TableDef& d = t.def;
        const std::string which = "table '" + asciiName(t.name) + "'";
        for (auto p : d.chain) {
            reach(p);
            addRef(Reference::Kind::Page, placeAt(p, 4));
        }
        addRef(Reference::Kind::RowPointer, d.usedMapAt);
        addRef(Reference::Kind::RowPointer, d.freeMapAt);
        t.used = readMap(d.usedMap);
        t.free = readMap(d.freeMap);
        for (const auto& m : d.longValueMaps) {
            addRef(Reference::Kind::RowPointer, m.usedMapAt);
            addRef(Reference::Kind::RowPointer, m.freeMapAt);
            t.longValueMaps.push_back(readMap(m.usedMap));
            t.longValueMaps.push_back(readMap(m.freeMap));
        }
        for (const auto& l : d.logicalIndexes) {
            if (l.relatedTable != 0 && !s_.isTableId(l.relatedTable))
                damaged(which + " has a relationship to table id " + std::to_string(l.relatedTable) +
                        ", which the catalog does not list");
            addRef(Reference::Kind::Page, l.relatedTableAt);
        }
        for (const auto& c : d.columns) {
            switch (c.type) {
                case kColBool:
                case kColByte:
                case kColInt:
                case kColLong:
                case kColMoney:
                case kColFloat:
                case kColDouble:
                case kColDateTime:
                case kColBinary:
                case kColText:
                case kColOle:
                case kColMemo:
                case kColGuid:
                case kColNumeric:
                case kColBinaryInline:
                case kColComplex:
                case kColBigInt:
                case kColExtDateTime: break;
                default:
                    throw JetError("unsupported: column '" + asciiName(c.name) + "' of " + which + " is of type " +
                                   std::to_string(c.type) + ", which this engine does not compact");
            }
        }

        const std::vector<const Column*> idColumns = idColumnsOf(t);
        std::vector<const Column*> longValues;
        for (const auto& c : d.columns)
            if (c.isLongValue()) longValues.push_back(&c);

        content_->beginTable(d);
        RowPacker rows(f_);
        std::vector<RowPacker> values(longValues.size(), RowPacker(f_));
        std::vector<std::set<std::uint32_t>> valuePages(longValues.size());
        // Each page is checked and counted as the walk comes to it, and handed on once the walk has left it.
        RowOrder order(store_, t.used.pages);
        std::size_t open = 0;  // pages begun
        auto leave = [&](std::size_t upTo) {
            for (; t.dataPages.size() < upTo;) {
                const std::size_t i = t.dataPages.size();
                t.dataPages.push_back(t.used.pages[i]);
                content_->dataPage(i);
                if (pageRead_ && *pageRead_) (*pageRead_)(t.used.pages[i]);
            }
        };
        order.onPage = [&](std::size_t i) {
            leave(i);
            const std::uint32_t page = t.used.pages[i];
            checkOwnedDataPage(page, d.page);
            t.rowsBefore.push_back(static_cast<std::uint32_t>(t.liveRows));
            t.deletedRows += deletedSlots(page);
            open = i + 1;
        };
        LiveRow r{};
        while (order.next(r.page, r.slot)) {
            reach(r.page);
            if (rows.place(r.slot.end - r.slot.begin).row == 0)
                t.newPageRowsBefore.push_back(static_cast<std::uint32_t>(t.liveRows));
            ++t.liveRows;
            t.liveRowBytes += r.slot.end - r.slot.begin + 2;
            if (idColumns.empty() && longValues.empty()) continue;
            auto bytes = rowBytes(r);
            RowLayout layout(f_, d.columns, bytes);
            for (const Column* idColumn : idColumns)
                if (auto v = layout.value(*idColumn)) {
                    if (v->end - v->begin != 4)
                        damaged("a table id value of " + std::to_string(v->end - v->begin) + " bytes in " + which);
                    std::uint32_t value = rd32(bytes, v->begin);
                    if (s_.isTableId(value)) addRef(Reference::Kind::TableId, placeAt(r.page, r.slot.begin + v->begin));
                    else if (value > 0 && value < store_.pageCount())
                        staleIds_.insert(value);  // left behind by a deleted table: kept as it is
                }
            for (std::size_t k = 0; k < longValues.size(); ++k)
                if (auto v = layout.value(*longValues[k])) followLongValue(r, bytes, *v, values[k], valuePages[k]);
        }
        leave(open);
        leave(t.used.pages.size());
        t.movedRows = order.moved();
        std::sort(t.movedRows.begin(), t.movedRows.end());
        if (!pageRead_) orderByKey(t, longValues, values);

        for (std::size_t k = 0; k < longValues.size(); ++k) {
            t.longValuePagesOf.emplace_back(valuePages[k].begin(), valuePages[k].end());
            t.newLongValuePages.push_back(values[k].pages());
            for (auto p : valuePages[k]) t.deletedLongValueRows += deletedSlots(p);
        }
        for (std::size_t i = 0; i < d.realIndexes.size(); ++i)
            t.indexes.push_back(walkIndex(t, d.realIndexes[i], idColumns));
        content_->endTable();
    }

    // Puts the table's rows in the order of its primary key, when it has one whose entries name each live row
    // once: counts the pages they fill in that order, their long values with them (values: one packer per
    // memo or OLE column, filled afresh). False, changing nothing, otherwise.
    bool orderByKey(TableInfo& t, const std::vector<const Column*>& longValues, std::vector<RowPacker>& values) {
        const TableDef& d = t.def;
        const RealIndex* key = nullptr;
        for (const auto& l : d.logicalIndexes)
            if (l.primaryKey) key = &d.realIndexes.at(l.realIndex);
        // The system tables keep their order: readers list the tables in the catalog's.
        if (!key || key->firstPage == 0 || t.liveRows == 0 || t.liveRows > kMaxKeyOrderedRows ||
            t.name.starts_with(u"MSys"))
            return false;
        std::vector<std::uint32_t> order;
        LeafEntries entries(store_, key->firstPage);
        std::vector<std::uint8_t> e;
        while (entries.next(e) && order.size() <= t.liveRows) {
            const std::size_t p = e.size() - 4;
            order.push_back((std::uint32_t(e[p]) << 16 | std::uint32_t(e[p + 1]) << 8 | e[p + 2]) << 8 | e[p + 3]);
        }
        if (order.size() != t.liveRows) return false;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> rank;
        for (std::uint32_t i = 0; i < order.size(); ++i) rank.push_back({order[i], i});
        std::sort(rank.begin(), rank.end());
        for (std::size_t i = 0; i < rank.size(); ++i) {
            const std::uint32_t page = rank[i].first >> 8, row = rank[i].first & 0xFF;
            if ((i > 0 && rank[i - 1].first == rank[i].first) ||
                !std::binary_search(t.dataPages.begin(), t.dataPages.end(), page) || row >= store_.rowCount(page) ||
                store_.row(page, row).deleted)
                return false;
        }
        RowPacker rows(f_);
        std::vector<RowPacker> packers(longValues.size(), RowPacker(f_));
        std::vector<std::uint32_t> before;
        const RowOrder resolve(store_, t.dataPages);
        std::vector<LongValuePiece> pieces;
        for (std::uint32_t i = 0; i < order.size(); ++i) {
            const RowOrder::Place at = resolve.target(order[i] >> 8, order[i] & 0xFF);
            const RowSlot slot = store_.row(at.page, at.row);
            if (rows.place(slot.end - slot.begin).row == 0) before.push_back(i);
            if (longValues.empty()) continue;
            auto bytes = rowBytes({at.page, slot});
            RowLayout layout(f_, d.columns, bytes);
            for (std::size_t k = 0; k < longValues.size(); ++k)
                if (auto v = layout.value(*longValues[k])) {
                    longValuePieces(store_, bytes, *v, pieces);
                    for (const auto& piece : pieces) packers[k].place(piece.slot.end - piece.slot.begin);
                }
        }
        t.newPageRowsBefore = std::move(before);
        values = std::move(packers);
        t.keyOrder = std::move(order);
        t.keyRank = std::move(rank);
        return true;
    }

    std::uint32_t deletedSlots(std::uint32_t page) const {
        std::uint32_t n = 0;
        for (std::uint32_t r = 0, count = store_.rowCount(page); r < count; ++r) n += store_.row(page, r).deleted;
        return n;
    }

    // Follows a memo or OLE value to its long-value rows, placing each with packer as compaction will.
    void followLongValue(const LiveRow& r, std::span<const std::uint8_t> bytes, ValueRange v, RowPacker& packer,
                         std::set<std::uint32_t>& pages) {
        const std::uint32_t size = v.end - v.begin;
        if (size == 0) return;
        if (size < 12) damaged("a memo or OLE value shorter than its 12-byte header at page " + std::to_string(r.page));
        const std::uint32_t head = rd32(bytes, v.begin);
        const std::uint8_t flags = head >> 24;
        if (flags & 0x80) return;  // stored inline
        if ((flags & 0xC0) == 0xC0 || (flags & 0x3F))
            throw JetError("unsupported memo or OLE value flags 0x" + std::to_string(flags));
        const std::uint32_t length = head & 0x00FFFFFF;
        std::uint32_t ptr = rd32(bytes, v.begin + 4);
        addRef(Reference::Kind::RowPointer, placeAt(r.page, r.slot.begin + v.begin + 4));
        const bool single = flags & 0x40;
        std::set<std::uint32_t> seen;
        std::uint64_t total = 0;
        while (ptr != 0) {
            if (!seen.insert(ptr).second) damaged("a long-value chain loops");
            const std::uint32_t page = ptr >> 8;
            reach(page);
            if (!store_.isLongValuePage(page))
                damaged("a memo or OLE value points to page " + std::to_string(page) + ", not a long-value page");
            known_[page] = Known::LongValue;
            RowSlot slot = store_.row(page, ptr & 0xFF);
            longValuePages_.insert(page);
            pages.insert(page);
            packer.place(slot.end - slot.begin);
            if (single) break;
            if (slot.end - slot.begin < 4) damaged("a long-value chain row too short for its link");
            total += slot.end - slot.begin - 4;
            if (total > std::uint64_t(length) + store_.pageSize())
                damaged("a long-value chain is longer than its value");
            addRef(Reference::Kind::RowPointer, placeAt(page, slot.begin));
            ptr = rd32(store_.page(page), slot.begin);
        }
    }

    IndexInfo walkIndex(const TableInfo& t, const RealIndex& ri, const std::vector<const Column*>& idColumns) {
        IndexInfo info;
        const int indexNumber = nextIndexNumber_++;
        const std::uint32_t owner = t.def.page;
        const std::string which = "an index of table '" + asciiName(t.name) + "'";
        addRef(Reference::Kind::RowPointer, ri.usedMapAt);
        addRef(Reference::Kind::Page, ri.firstPageAt);
        info.map = readMap(ri.usedMap);
        info.root = ri.firstPage;
        for (const Column* idColumn : idColumns) {
            for (std::size_t k = 0; k < ri.keys.size(); ++k)
                if (ri.keys[k].column == idColumn->number) {
                    if (k != 0 || ri.keys[k].order != 1)
                        throw JetError("unsupported index: " + which +
                                       " has its table-id column in a position "
                                       "or order the engine has not been tested on");
                    info.idKeyed = true;
                    info.idColumn = idColumn->number;
                }
        }
        std::set<std::uint32_t> seen;
        std::deque<std::uint32_t> queue{ri.firstPage};
        for (auto p : info.map.pages) queue.push_back(p);
        while (!queue.empty()) {
            std::uint32_t p = queue.front();
            queue.pop_front();
            if (p == 0 || !seen.insert(p).second) continue;
            reach(p);
            IndexPage ip = readIndexPage(store_, p);
            if (ip.owner != owner)
                damaged("index page " + std::to_string(p) + " belongs to table " + std::to_string(ip.owner) +
                        " but is part of " + which);
            if (!indexPageOwner_.emplace(p, indexNumber).second)
                damaged("index page " + std::to_string(p) + " is shared by two indexes");
            for (auto link : {ip.prev, ip.next, ip.tail}) queue.push_back(link);
            for (const auto& e : ip.entries) {
                if (!ip.leaf) queue.push_back(e.child);
                else ++info.leafEntries;
                reach(e.dataPage);
            }
            info.pages.push_back(p);
            indexIdKeyed_[p] = info.idKeyed;
            known_[p] = Known::Index;
        }
        std::sort(info.pages.begin(), info.pages.end());
        if (!pageRead_) info.newPages = rebuiltIndexPages(store_, info.root, info.idKeyed);
        return info;
    }

    // Every reached page must be of a kind whose page numbers this survey has recorded. A page whose kind the
    // walk has checked already is not read again.
    void classifyReachedPages() {
        for (std::uint32_t p = 1; p < store_.pageCount(); ++p) {
            if (!s_.reached[p]) continue;
            switch (known_[p]) {
                case Known::TableData: addRef(Reference::Kind::Page, placeAt(p, 4)); continue;
                case Known::LongValue: continue;
                case Known::Index: classifyIndexPage(p); continue;
                case Known::Unread: break;
            }
            auto bytes = store_.page(p);
            switch (bytes[0]) {
                case kPageData:
                    if (store_.isLongValuePage(p)) {
                        if (!longValuePages_.count(p)) longValuePages_.insert(p);
                    } else {
                        std::uint32_t owner = rd32(bytes, 4);
                        if (owner >= store_.pageCount() || !(s_.reached[owner] || owner == p))
                            damaged("data page " + std::to_string(p) + " belongs to page " + std::to_string(owner) +
                                    ", which nothing else reaches");
                        addRef(Reference::Kind::Page, placeAt(p, 4));
                        s_.otherRowPages.push_back({p, owner});
                    }
                    break;
                case kPageTableDef:
                    if (!tdefPages_.count(p))
                        damaged("page " + std::to_string(p) + " holds a table definition the catalog does not list");
                    break;
                case kPageIndexNode:
                case kPageIndexLeaf: classifyIndexPage(p); break;
                case kPageUsageMap:
                    if (!mapPages_.count(p))
                        damaged("usage-map page " + std::to_string(p) + " belongs to no usage map");
                    break;
                default:
                    throw JetError("unsupported page type " + std::to_string(bytes[0]) + " at page " +
                                   std::to_string(p));
            }
        }
        s_.longValuePages.assign(longValuePages_.begin(), longValuePages_.end());
        s_.staleIds.assign(staleIds_.begin(), staleIds_.end());
    }

    void classifyIndexPage(std::uint32_t p) {
        auto it = indexIdKeyed_.find(p);
        if (it == indexIdKeyed_.end())
            damaged("index page " + std::to_string(p) + " is reached but belongs to no index");
        s_.indexPages.push_back(p);
        addRef(Reference::Kind::Page, placeAt(p, 4));
        addRef(Reference::Kind::Page, placeAt(p, f_.indexPrev));
        addRef(Reference::Kind::Page, placeAt(p, f_.indexNext));
        addRef(Reference::Kind::Page, placeAt(p, f_.indexTail));
    }

    // What the walk has checked of a page already: its type, and for a data page that it is one of the pages of
    // the table that lists it.
    enum class Known : std::uint8_t { Unread, TableData, LongValue, Index };

    const PageStore& store_;
    const JetFormat& f_;
    const DigestKey key_;
    const DataPageRead* pageRead_;          // null when surveying for compaction
    std::optional<ContentReader> content_;  // from the catalog on
    Survey s_;
    std::vector<Known> known_;  // per page
    std::set<std::uint32_t> tdefPages_;
    std::set<std::uint32_t> mapPages_;
    std::set<std::uint32_t> longValuePages_;
    std::set<std::uint32_t> staleIds_;
    std::map<std::uint32_t, bool> indexIdKeyed_;
    std::map<std::uint32_t, int> indexPageOwner_;
    int nextIndexNumber_ = 0;
};

}  // namespace

FieldPlace Survey::place(const Reference& r) const {
    if (r.split) return splitFields.at(r.page);
    FieldPlace f;
    for (std::uint16_t i = 0; i < 4; ++i) f[i] = {r.page, static_cast<std::uint16_t>(r.offset + i)};
    return f;
}

bool Survey::isTableId(std::uint32_t v) const { return std::binary_search(tableIds.begin(), tableIds.end(), v); }

std::uint32_t Survey::unreachedPages() const {
    return static_cast<std::uint32_t>(std::count(reached.begin(), reached.end(), false));
}

const TableInfo* Survey::table(std::u16string_view name) const {
    for (const auto& t : tables)
        if (t.name == name) return &t;
    return nullptr;
}

Survey surveyDatabase(const PageStore& store) { return Surveyor(store, randomDigestKey(), nullptr).run(); }

Survey surveyDatabase(const PageStore& store, const CheckingSurvey& checking) {
    return Surveyor(store, checking.key, &checking.pageRead).run();
}

}  // namespace jet
