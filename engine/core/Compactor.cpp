#include "engine/core/Compactor.h"

#include "engine/core/Bytes.h"
#include "engine/core/IndexRewriter.h"
#include "engine/core/RowOrder.h"
#include "engine/core/TableRewriter.h"
#include "engine/core/Text.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace jet {
namespace {

constexpr std::uint32_t kDropped = kDroppedPage;
constexpr std::uint32_t kSignBit = 0x80000000u;

// Writes the new file in page order: each kept page is read from the source, every field, index entry and map
// bit on it is rewritten for the new numbers, and it goes out. Only lists of fields and maps by page, and one
// page at a time, are held.
class Renumberer {
public:
    Renumberer(const PageStore& store, const Survey& survey, PageSink& out)
        : store_(store),
          survey_(survey),
          out_(out),
          ps_(store.pageSize()),
          numbering_(pageNumbering(survey)),
          newNumber_(numbering_.newNumber),
          newCount_(numbering_.pageCount) {
        keptBefore_.resize(store.pageCount());
        std::uint32_t next = newCount_;
        for (std::uint32_t p = store.pageCount(); p-- > 0;) {
            if (newNumber_[p] != kDropped) next = newNumber_[p];
            keptBefore_[p] = next;
        }
        for (std::uint32_t i = 0; i < survey.references.size(); ++i) {
            const FieldPlace at = survey.place(survey.references[i]);
            for (std::size_t b = 0; b < 4; ++b)
                if (b == 0 || at[b].page != at[b - 1].page) referencesByPage_.push_back({at[b].page, i});
        }
        std::sort(referencesByPage_.begin(), referencesByPage_.end());
        referencesByPage_.erase(std::unique(referencesByPage_.begin(), referencesByPage_.end()),
                                referencesByPage_.end());
        // The maps of what is filled afresh list the new pages: a table's used-pages maps all of them, its
        // free-space maps the last of them, the only one not filled as far as the rows allowed.
        std::map<const UsageMap*, std::vector<std::uint32_t>> refilled;
        for (std::size_t ti = 0; ti < survey.tables.size(); ++ti) {
            const TableInfo& t = survey.tables[ti];
            const auto& streams = numbering_.streams[ti];
            auto lastOf = [](const std::vector<std::uint32_t>& v) {
                return v.empty() ? v : std::vector<std::uint32_t>{v.back()};
            };
            refilled[&t.used] = streams[0];
            refilled[&t.free] = lastOf(streams[0]);
            std::vector<std::uint16_t> columns;
            for (const auto& c : t.def.columns)
                if (c.isLongValue()) columns.push_back(c.number);
            for (std::size_t i = 0; i < t.indexes.size(); ++i) {
                const auto& pages = streams.at(1 + t.longValuePagesOf.size() + i);
                refilled[&t.indexes[i].map] = pages;
                if (!pages.empty()) newRoots_[t.indexes[i].root] = pages.back();  // the root comes last
            }
            for (std::size_t j = 0; j < t.def.longValueMaps.size() && 2 * j + 1 < t.longValueMaps.size(); ++j) {
                const auto k = std::find(columns.begin(), columns.end(), t.def.longValueMaps[j].column) -
                               columns.begin();
                if (std::size_t(k) >= columns.size()) continue;
                refilled[&t.longValueMaps[2 * j]] = streams.at(1 + k);
                refilled[&t.longValueMaps[2 * j + 1]] = lastOf(streams.at(1 + k));
            }
        }
        std::map<std::uint32_t, const UsageMap*> maps;
        for (const auto& t : survey.tables) {
            maps.emplace(t.used.rowPointer, &t.used);
            maps.emplace(t.free.rowPointer, &t.free);
            for (const auto& m : t.longValueMaps) maps.emplace(m.rowPointer, &m);
            for (const auto& ix : t.indexes) maps.emplace(ix.map.rowPointer, &ix.map);
        }
        maps.erase(0);
        maps.erase(survey.globalMap.rowPointer);
        for (auto& [row, m] : maps) {
            auto it = refilled.find(m);
            newPages_.emplace(m, checkedFor(*m, it != refilled.end() ? it->second : renumbered(*m)));
            mapsByPage_.push_back({row >> 8, m});
            for (auto mp : m->mapPages)
                if (mp) mapsByPage_.push_back({mp, m});
        }
        for (auto mp : survey.globalMap.mapPages)
            if (mp) mapsByPage_.push_back({mp, &survey.globalMap});
        mapsByPage_.push_back({survey.globalMap.rowPointer >> 8, &survey.globalMap});
        std::stable_sort(mapsByPage_.begin(), mapsByPage_.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
    }

    void run() {
        // What each page of the new file is: a source page carried over, a blank page, or a stream's next page.
        constexpr std::uint32_t kBlank = 0xFFFFFFFFu;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> what(newCount_, {kBlank, 0});  // (table, stream)
        std::vector<std::uint32_t> carried(newCount_, kDropped);
        for (std::uint32_t p = 0; p < store_.pageCount(); ++p)
            if (newNumber_[p] != kDropped) carried[newNumber_[p]] = p;
        for (std::uint32_t t = 0; t < numbering_.streams.size(); ++t)
            for (std::uint32_t k = 0; k < numbering_.streams[t].size(); ++k)
                for (auto n : numbering_.streams[t][k]) what[n] = {t, k};
        const NewPlaces places{newNumber_, numbering_.streams};
        std::map<std::pair<std::uint32_t, std::uint32_t>, std::unique_ptr<PageStream>> streams;
        std::vector<std::uint8_t> page;  // one buffer for every page written
        for (std::uint32_t n = 0; n < newCount_; ++n) {
            if (carried[n] != kDropped) {
                auto source = store_.page(carried[n]);
                page.assign(source.begin(), source.end());
                rewritePage(carried[n], page);
            } else if (what[n].first == kBlank) {
                page.assign(ps_, 0);
            } else {
                auto& w = streams[what[n]];
                if (!w) w = stream(what[n].first, what[n].second, places);
                page.assign(ps_, 0);
                w->nextPage(page);
                if (n == numbering_.streams[what[n].first][what[n].second].back()) streams.erase(what[n]);
            }
            write(n, page);
        }
    }

private:
    // The writer of a table's stream: its data pages, the long values of a memo or OLE column, or an index.
    std::unique_ptr<PageStream> stream(std::uint32_t t, std::uint32_t k, const NewPlaces& places) const {
        const TableInfo& table = survey_.tables[t];
        const std::size_t firstIndex = 1 + table.longValuePagesOf.size();
        if (k < firstIndex) return std::make_unique<TableRewriter>(store_, survey_, t, k, places);
        const IndexInfo& ix = table.indexes.at(k - firstIndex);
        std::uint32_t leaf = 0, node = 0;
        for (auto p : ix.pages) {
            const std::uint8_t type = store_.pageType(p);
            if (type == kPageIndexLeaf && leaf == 0) leaf = p;
            if (type == kPageIndexNode && node == 0) node = p;
        }
        const std::uint32_t owner = table.def.page;
        auto remap = [this, owner, idKeyed = ix.idKeyed](std::vector<std::uint8_t>& e) {
            const std::size_t ptr = e.size() - 4;
            const std::uint32_t page = std::uint32_t(e[ptr]) << 16 | std::uint32_t(e[ptr + 1]) << 8 | e[ptr + 2];
            const std::uint32_t row = newRowPointer(owner, page, e[ptr + 3]);
            e[ptr] = std::uint8_t(row >> 24);
            e[ptr + 1] = std::uint8_t(row >> 16);
            e[ptr + 2] = std::uint8_t(row >> 8);
            e[ptr + 3] = std::uint8_t(row);
            if (idKeyed) rewriteIdKey(e, ptr, owner);
        };
        return std::make_unique<IndexRewriter>(store_, ix.root, ix.idKeyed, numbering_.streams[t][k], newNumber_[owner],
                                               leaf, node, remap, !table.keyOrder.empty());
    }

    // Writes page as the next page of the new file; it is encrypted in place when the file has a key.
    void write(std::uint32_t number, std::span<std::uint8_t> page) {
        if (number != written_) throw JetError("internal error: pages written out of order; nothing was written");
        const std::uint32_t key = store_.header().databaseKey;
        if (key != 0 && number != 0) cryptPage(key, number, page);
        out_.write(page);
        ++written_;
    }

    void rewritePage(std::uint32_t old, std::span<std::uint8_t> page) {
        auto refs = std::equal_range(referencesByPage_.begin(), referencesByPage_.end(),
                                     std::pair<std::uint32_t, std::uint32_t>{old, 0},
                                     [](const auto& x, const auto& y) { return x.first < y.first; });
        for (auto it = refs.first; it != refs.second; ++it) rewrite(survey_.references[it->second], old, page);
        // A table's definition counts its rows: after compaction, exactly its live ones.
        if (auto t = std::lower_bound(survey_.tableIds.begin(), survey_.tableIds.end(), old);
            t != survey_.tableIds.end() && *t == old)
            wr32(page, store_.format().tdefRowCount,
                 static_cast<std::uint32_t>(survey_.tables[t - survey_.tableIds.begin()].liveRows));
        auto maps = std::equal_range(mapsByPage_.begin(), mapsByPage_.end(),
                                     std::pair<std::uint32_t, const UsageMap*>{old, nullptr},
                                     [](const auto& x, const auto& y) { return x.first < y.first; });
        for (auto it = maps.first; it != maps.second; ++it) {
            if (it->second == &survey_.globalMap) rebuildGlobalMap(old, page);
            else rebuildMap(*it->second, old, page);
        }
    }

    std::uint32_t mapPage(std::uint32_t old) const {
        if (old >= newNumber_.size() || newNumber_[old] == kDropped)
            throw JetError("internal error: a kept field refers to page " + std::to_string(old) +
                           ", which is not kept; nothing was written");
        return newNumber_[old];
    }

    // First new page number at or after old page number `old` (for the start of an inline bitmap).
    std::uint32_t rank(std::uint32_t old) const {
        if (old >= newNumber_.size()) return newCount_ + (old - static_cast<std::uint32_t>(newNumber_.size()));
        return keptBefore_[old];
    }

    std::uint32_t readField(const FieldPlace& at) const {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | store_.page(at[i].page)[at[i].offset];
        return v;
    }

    // Writes the bytes of a field that lie on page old (a field of a definition may straddle two pages).
    static void writeField(const FieldPlace& at, std::uint32_t v, std::uint32_t old, std::span<std::uint8_t> page) {
        for (int i = 0; i < 4; ++i)
            if (at[i].page == old) page[at[i].offset] = std::uint8_t(v >> (8 * i));
    }

    void rewrite(const Reference& r, std::uint32_t old, std::span<std::uint8_t> page) {
        const FieldPlace at = survey_.place(r);
        const std::uint32_t v = readField(at);
        switch (r.kind) {
            case Reference::Kind::Page:
                if (auto root = newRoots_.find(v); root != newRoots_.end()) writeField(at, root->second, old, page);
                else writeField(at, namesPage(v) ? mapPage(v) : v, old, page);
                break;
            case Reference::Kind::RowPointer:
                writeField(at, v == 0 ? 0 : mapPage(v >> 8) << 8 | (v & 0xFF), old, page);
                break;
            case Reference::Kind::TableId:
                if (!survey_.isTableId(v)) throw JetError("internal error: a table id field does not hold a table id");
                writeField(at, mapPage(v), old, page);
                break;
        }
    }

    // The new place of the row an index entry of the table with definition page owner names: its rows keep
    // their order, so the row is the one with as many live rows before it. An entry naming a deleted row (an
    // intermediate entry may) comes to name the next live row, which keeps the entries in order.
    std::uint32_t newRowPointer(std::uint32_t owner, std::uint32_t page, std::uint32_t row) const {
        const auto ti = std::lower_bound(survey_.tableIds.begin(), survey_.tableIds.end(), owner);
        if (ti == survey_.tableIds.end() || *ti != owner) throw JetError("internal error: an index of no table");
        const std::size_t t = ti - survey_.tableIds.begin();
        const TableInfo& table = survey_.tables[t];
        const auto at = std::lower_bound(table.dataPages.begin(), table.dataPages.end(), page);
        if (at == table.dataPages.end() || *at != page)
            throw JetError("unsupported index: an entry of table '" + asciiName(table.name) + "' names page " +
                           std::to_string(page) + ", which is not one of the table's pages; nothing was written");
        if (!table.keyOrder.empty()) {
            // In primary-key order: the row's place in it.
            const auto named = std::lower_bound(table.keyRank.begin(), table.keyRank.end(),
                                                std::pair<std::uint32_t, std::uint32_t>{page << 8 | row, 0});
            if (named == table.keyRank.end() || named->first != (page << 8 | row))
                throw JetError("unsupported index: an entry of table '" + asciiName(table.name) +
                               "' names a row its primary key does not; nothing was written");
            return placeOf(t, named->second);
        }
        std::size_t index = at - table.dataPages.begin();
        // A row moved further on counts where it now is.
        if (row < store_.rowCount(page) && store_.row(page, row).overflow && !store_.row(page, row).deleted) {
            const RowOrder order(store_, table.dataPages);
            const RowOrder::Place to = order.target(page, row);
            if (order.pointsOn(index, row, to)) {
                index = std::lower_bound(table.dataPages.begin(), table.dataPages.end(), to.page) -
                        table.dataPages.begin();
                row = to.row;
            }
        }
        std::uint64_t ordinal = table.rowsBefore[index] +
                                RowOrder::countedBefore(store_, table.dataPages, index, row, table.movedRows);
        return placeOf(t, ordinal);
    }

    // The new row pointer of the ordinal-th row of the t-th table, in the order its rows are written.
    std::uint32_t placeOf(std::size_t t, std::uint64_t ordinal) const {
        const TableInfo& table = survey_.tables[t];
        const auto& before = table.newPageRowsBefore;
        if (before.empty()) return 0;
        ordinal = std::min<std::uint64_t>(ordinal, table.liveRows - 1);
        const std::size_t k = std::upper_bound(before.begin(), before.end(), ordinal) - before.begin() - 1;
        return numbering_.streams[t][0][k] << 8 | std::uint32_t(ordinal - before[k]);
    }

    void rewriteIdKey(std::vector<std::uint8_t>& e, std::size_t keyEnd, std::uint32_t page) const {
        if (keyEnd < 1) throw JetError("unsupported index key encoding on index page " + std::to_string(page));
        if (e[0] == 0x00) return;  // null key
        if (e[0] != 0x7F || keyEnd < 5)
            throw JetError("unsupported index key encoding on index page " + std::to_string(page));
        std::uint32_t v = (std::uint32_t(e[1]) << 24 | std::uint32_t(e[2]) << 16 | std::uint32_t(e[3]) << 8 | e[4]) ^
                          kSignBit;
        if (!survey_.isTableId(v)) return;
        v = mapPage(v) ^ kSignBit;
        for (int k = 0; k < 4; ++k) e[1 + k] = std::uint8_t(v >> (24 - 8 * k));
    }

    // Bits of an inline map's row.
    std::uint32_t inlineBits(const UsageMap& m) const {
        const RowSlot slot = store_.row(m.rowPointer >> 8, m.rowPointer & 0xFF);
        return (slot.end - slot.begin - 5) * 8;
    }
    // Where an inline map starts: where its old start lands, unless its pages then do not fit; then its first.
    std::uint32_t inlineStart(const UsageMap& m, const std::vector<std::uint32_t>& pages) const {
        const std::uint32_t start = rank(m.start);
        if (pages.empty() || (pages.front() >= start && pages.back() - start < inlineBits(m))) return start;
        return pages.front();
    }

    // The bytes of a map's row within its page.
    std::span<std::uint8_t> mapRow(const UsageMap& m, std::span<std::uint8_t> page) const {
        const RowSlot slot = store_.row(m.rowPointer >> 8, m.rowPointer & 0xFF);
        return page.subspan(slot.begin, slot.end - slot.begin);
    }

    // Free after compaction: the blank pages and every page past the end.
    bool isFree(std::uint64_t page) const {
        return page >= newCount_ ||
               std::binary_search(numbering_.blankPages.begin(), numbering_.blankPages.end(), std::uint32_t(page));
    }

    // The global map marks free pages: after compaction only the blank pages inside the file.
    void rebuildGlobalMap(std::uint32_t old, std::span<std::uint8_t> page) {
        const UsageMap& m = survey_.globalMap;
        const std::uint32_t per = pagesPerMapPage(ps_);
        if (old == m.rowPointer >> 8) {
            auto row = mapRow(m, page);
            if (m.kind == 0) {
                if (m.start != 0)
                    throw JetError("unsupported global usage map starting at page " + std::to_string(m.start));
                for (std::size_t i = 0; i < (row.size() - 5) * 8; ++i) setBit(row, 5, i, isFree(i));
            } else {
                pointBitmapPages(m, row);
            }
        }
        for (std::size_t k = 0; k < m.mapPages.size(); ++k)
            if (m.mapPages[k] == old && old != 0)
                for (std::uint32_t i = 0; i < per; ++i) setBit(page, 4, i, isFree(std::uint64_t(k) * per + i));
    }

    // New numbers of a map's pages, ascending.
    std::vector<std::uint32_t> renumbered(const UsageMap& m) const {
        std::vector<std::uint32_t> pages;
        for (auto p : m.pages) pages.push_back(mapPage(p));
        return pages;
    }

    // Refused before anything is written if a kind-1 map has no bitmap page for one of the pages, or a kind-0
    // map has too few bits for them.
    std::vector<std::uint32_t> checkedFor(const UsageMap& m, std::vector<std::uint32_t> pages) const {
        const std::uint32_t per = pagesPerMapPage(ps_);
        if (m.kind == 0 && m.rowPointer != 0) {
            const std::uint32_t start = inlineStart(m, pages), bits = inlineBits(m);
            if (!pages.empty() && (pages.front() < start || pages.back() - start >= bits))
                throw JetError("unsupported: the usage map at page " + std::to_string(m.rowPointer >> 8) +
                               " has too few bits for the " + std::to_string(pages.size()) +
                               " pages it would list; nothing was written");
        }
        if (m.kind == 1)
            for (auto p : pages)
                if (p / per >= m.mapPages.size() || m.mapPages[p / per] == 0)
                    throw JetError("unsupported: usage map at page " + std::to_string(m.rowPointer >> 8) +
                                   " has no bitmap page for the renumbered page " + std::to_string(p));
        return pages;
    }

    void rebuildMap(const UsageMap& m, std::uint32_t old, std::span<std::uint8_t> page) {
        const std::vector<std::uint32_t>& pages = newPages_.at(&m);
        if (old == m.rowPointer >> 8) {
            auto row = mapRow(m, page);
            if (m.kind == 0) {
                const std::uint32_t start = inlineStart(m, pages);
                const std::size_t bits = (row.size() - 5) * 8;
                wr32(row, 1, start);
                std::fill(row.begin() + 5, row.end(), 0);
                for (auto p : pages) {
                    if (p < start || p - start >= bits)
                        throw JetError("internal error: page " + std::to_string(p) +
                                       " does not fit usage map at page " + std::to_string(old));
                    setBit(row, 5, p - start, true);
                }
            } else {
                pointBitmapPages(m, row);
            }
        }
        const std::uint32_t per = pagesPerMapPage(ps_);
        for (std::size_t k = 0; k < m.mapPages.size(); ++k) {
            if (m.mapPages[k] != old || old == 0) continue;
            std::fill(page.begin() + 4, page.end(), 0);
            auto from = std::lower_bound(pages.begin(), pages.end(), std::uint32_t(k * per));
            for (auto it = from; it != pages.end() && *it / per == k; ++it) setBit(page, 4, *it % per, true);
        }
    }

    // Points each slot of a kind-1 map row at its bitmap page's new number.
    void pointBitmapPages(const UsageMap& m, std::span<std::uint8_t> row) const {
        for (std::size_t k = 0; k < m.mapPages.size(); ++k)
            if (m.mapPages[k] != 0) wr32(row, 1 + 4 * k, mapPage(m.mapPages[k]));
    }

    static void setBit(std::span<std::uint8_t> b, std::size_t base, std::size_t i, bool on) {
        std::uint8_t& byte = b[base + i / 8];
        const std::uint8_t mask = std::uint8_t(1u << (i % 8));
        byte = on ? (byte | mask) : (byte & ~mask);
    }

    const PageStore& store_;
    const Survey& survey_;
    PageSink& out_;
    const std::uint32_t ps_;
    const PageNumbering numbering_;
    const std::vector<std::uint32_t>& newNumber_;
    std::vector<std::uint32_t> keptBefore_;  // per old page: the new number of the first kept page at or after it
    const std::uint32_t newCount_;
    std::uint32_t written_ = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>>
        referencesByPage_;  // (old page, reference) per page a field touches
    std::vector<std::pair<std::uint32_t, const UsageMap*>>
        mapsByPage_;                                                  // (old page, map) for map rows and bitmap pages
    std::map<const UsageMap*, std::vector<std::uint32_t>> newPages_;  // per table map: its pages' new numbers
    std::map<std::uint32_t, std::uint32_t> newRoots_;                 // old root page -> root page of the rebuilt index
};

}  // namespace

PageNumbering pageNumbering(const Survey& survey) {
    PageNumbering n;
    const std::size_t count = survey.reached.size();
    n.newNumber.assign(count, kDroppedPage);
    // The places each stream's pages take, claimed once; and what is filled afresh, so not carried over.
    constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> claim(count, {kNone, 0});  // (table, stream)
    std::vector<bool> refilled(count, false);
    std::vector<std::vector<std::uint32_t>> needed(survey.tables.size());
    n.streams.resize(survey.tables.size());
    for (std::uint32_t t = 0; t < survey.tables.size(); ++t) {
        const TableInfo& table = survey.tables[t];
        needed[t].push_back(static_cast<std::uint32_t>(table.newPageRowsBefore.size()));
        for (auto c : table.newLongValuePages) needed[t].push_back(c);
        for (const auto& ix : table.indexes) needed[t].push_back(ix.newPages);
        n.streams[t].resize(needed[t].size());
        auto take = [&](const std::vector<std::uint32_t>& pages, std::uint32_t stream) {
            for (auto p : pages) {
                refilled[p] = true;
                if (claim[p].first == kNone) claim[p] = {t, stream};
            }
        };
        take(table.dataPages, 0);
        for (std::uint32_t k = 0; k < table.longValuePagesOf.size(); ++k) take(table.longValuePagesOf[k], 1 + k);
        const auto firstIndex = static_cast<std::uint32_t>(1 + table.longValuePagesOf.size());
        for (std::uint32_t i = 0; i < table.indexes.size(); ++i) take(table.indexes[i].pages, firstIndex + i);
    }
    // Pages a table's map does not list but its overflow rows reach: their rows go with the rows that point there.
    for (const auto& r : survey.otherRowPages)
        if (survey.isTableId(r.owner)) refilled[r.page] = true;
    for (auto p : survey.longValuePages) refilled[p] = true;
    std::uint32_t next = 0;
    for (std::uint32_t p = 0; p < count; ++p) {
        if (claim[p].first != kNone) {
            auto& pages = n.streams[claim[p].first][claim[p].second];
            if (pages.size() < needed[claim[p].first][claim[p].second]) {
                pages.push_back(next++);
                continue;
            }
        }
        if (!survey.reached[p] || refilled[p]) continue;
        if (survey.isTableId(p))
            while (std::binary_search(survey.staleIds.begin(), survey.staleIds.end(), next))
                n.blankPages.push_back(next++);
        n.newNumber[p] = next++;
    }
    for (std::uint32_t t = 0; t < n.streams.size(); ++t)
        for (std::uint32_t k = 0; k < n.streams[t].size(); ++k)
            while (n.streams[t][k].size() < needed[t][k]) n.streams[t][k].push_back(next++);
    n.pageCount = next;
    return n;
}

void renumberPages(const PageStore& store, const Survey& survey, PageSink& out) {
    Renumberer(store, survey, out).run();
}

std::vector<std::uint8_t> renumberPages(const PageStore& store, const Survey& survey) {
    MemorySink sink;
    renumberPages(store, survey, sink);
    return std::move(sink.bytes);
}

}  // namespace jet
