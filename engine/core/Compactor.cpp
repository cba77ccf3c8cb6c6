#include "engine/core/Compactor.h"

#include "engine/core/Bytes.h"

#include <algorithm>
#include <cstring>
#include <map>

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
            newPages_.emplace(m, renumbered(*m));
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
        std::size_t blank = 0;
        std::vector<std::uint8_t> page;  // one buffer for every page written
        auto writeBlank = [&] {
            page.assign(ps_, 0);
            write(numbering_.blankPages[blank++], page);
        };
        for (std::uint32_t p = 0; p < store_.pageCount(); ++p) {
            if (newNumber_[p] == kDropped) continue;
            while (blank < numbering_.blankPages.size() && numbering_.blankPages[blank] < newNumber_[p]) writeBlank();
            auto source = store_.page(p);
            page.assign(source.begin(), source.end());
            rewritePage(p, page);
            write(newNumber_[p], page);
        }
        while (blank < numbering_.blankPages.size()) writeBlank();
    }

private:
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
        auto ix = std::lower_bound(survey_.indexPages.begin(), survey_.indexPages.end(), old);
        if (ix != survey_.indexPages.end() && *ix == old)
            rewriteIndexPage(old, survey_.indexPageIdKeyed[ix - survey_.indexPages.begin()], page);
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
            case Reference::Kind::Page: writeField(at, namesPage(v) ? mapPage(v) : v, old, page); break;
            case Reference::Kind::RowPointer:
                writeField(at, v == 0 ? 0 : mapPage(v >> 8) << 8 | (v & 0xFF), old, page);
                break;
            case Reference::Kind::TableId:
                if (!survey_.isTableId(v)) throw JetError("internal error: a table id field does not hold a table id");
                writeField(at, mapPage(v), old, page);
                break;
        }
    }

    // Index entries keep their lengths: the page numbers in them and, for indexes on table ids, the ids in
    // their keys are replaced in place. The page-wide key prefix must still be common to every entry.
    void rewriteIndexPage(std::uint32_t old, bool idKeyed, std::span<std::uint8_t> dst) {
        const std::vector<std::uint8_t> src = store_.pageCopy(old);
        IndexPage ip = readIndexPage(store_, old);
        const std::size_t pointerSize = ip.leaf ? 4 : 8;
        std::vector<std::vector<std::uint8_t>> full;
        for (std::size_t i = 0; i < ip.entries.size(); ++i) {
            auto e = ip.fullEntry(src, i);
            const std::size_t ptr = e.size() - pointerSize;
            std::uint32_t page = mapPage(ip.entries[i].dataPage);
            e[ptr] = std::uint8_t(page >> 16);
            e[ptr + 1] = std::uint8_t(page >> 8);
            e[ptr + 2] = std::uint8_t(page);
            if (page > 0xFFFFFF) throw JetError("internal error: page number too large for an index entry");
            if (!ip.leaf) {
                std::uint32_t child = mapPage(ip.entries[i].child);
                for (int k = 0; k < 4; ++k) e[ptr + 4 + k] = std::uint8_t(child >> (24 - 8 * k));
            }
            if (idKeyed) rewriteIdKey(e, ptr, old);
            full.push_back(std::move(e));
        }
        for (std::size_t i = 0; i < full.size(); ++i) {
            const std::size_t skip = i == 0 ? 0 : ip.prefixLength;
            if (i > 0 && !std::equal(full[i].begin(), full[i].begin() + skip, full[0].begin()))
                throw JetError("unsupported index: renumbering would change the shared key prefix of index page " +
                               std::to_string(old));
            std::copy(full[i].begin() + skip, full[i].end(), dst.begin() + ip.entries[i].begin);
        }
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

    // New numbers of a map's pages, ascending; refused before anything is written if a kind-1 map has no
    // bitmap page for one of them.
    std::vector<std::uint32_t> renumbered(const UsageMap& m) const {
        std::vector<std::uint32_t> pages;
        for (auto p : m.pages) pages.push_back(mapPage(p));
        const std::uint32_t per = pagesPerMapPage(ps_);
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
                const std::uint32_t start = rank(m.start);
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
};

}  // namespace

PageNumbering pageNumbering(const Survey& survey) {
    PageNumbering n;
    n.newNumber.assign(survey.reached.size(), kDroppedPage);
    std::uint32_t next = 0;
    for (std::uint32_t p = 0; p < n.newNumber.size(); ++p) {
        if (!survey.reached[p]) continue;
        if (survey.isTableId(p))
            while (std::binary_search(survey.staleIds.begin(), survey.staleIds.end(), next))
                n.blankPages.push_back(next++);
        n.newNumber[p] = next++;
    }
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
