#include "engine/core/Compactor.h"

#include "engine/core/Bytes.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace jet {
namespace {

constexpr std::uint32_t kDropped = kDroppedPage;
constexpr std::uint32_t kSignBit = 0x80000000u;

class Renumberer {
public:
    Renumberer(const PageStore& store, const Survey& survey)
        : store_(store), survey_(survey), ps_(store.pageSize()), numbering_(pageNumbering(survey)),
          newNumber_(numbering_.newNumber), newCount_(numbering_.pageCount) {
        keptBefore_.resize(store.pageCount());
        std::uint32_t next = newCount_;
        for (std::uint32_t p = store.pageCount(); p-- > 0;) {
            if (newNumber_[p] != kDropped) next = newNumber_[p];
            keptBefore_[p] = next;
        }
        out_.resize(std::size_t(newCount_) * ps_);
        for (std::uint32_t p = 0; p < store.pageCount(); ++p)
            if (newNumber_[p] != kDropped) std::memcpy(outPage(newNumber_[p]).data(), store.page(p).data(), ps_);
    }

    std::vector<std::uint8_t> run() {
        for (const auto& r : survey_.references) rewrite(r);
        for (std::size_t i = 0; i < survey_.indexPages.size(); ++i)
            rewriteIndexPage(survey_.indexPages[i], survey_.indexPageIdKeyed[i]);
        rebuildGlobalMap(survey_.globalMap);
        std::map<std::uint32_t, const UsageMap*> maps;
        for (const auto& t : survey_.tables) {
            maps.emplace(t.used.rowPointer, &t.used);
            maps.emplace(t.free.rowPointer, &t.free);
            for (const auto& m : t.longValueMaps) maps.emplace(m.rowPointer, &m);
            for (const auto& ix : t.indexes) maps.emplace(ix.map.rowPointer, &ix.map);
        }
        for (auto& [row, m] : maps)
            if (row != 0) rebuildMap(*m);
        const std::uint32_t key = store_.header().databaseKey;
        if (key != 0)
            for (std::uint32_t p = 1; p < newCount_; ++p) cryptPage(key, p, outPage(p));
        return std::move(out_);
    }

private:
    std::span<std::uint8_t> outPage(std::uint32_t n) { return std::span(out_).subspan(std::size_t(n) * ps_, ps_); }

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

    void writeField(const FieldPlace& at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) outPage(mapPage(at[i].page))[at[i].offset] = std::uint8_t(v >> (8 * i));
    }

    void rewrite(const Reference& r) {
        const std::uint32_t v = readField(r.at);
        switch (r.kind) {
            case Reference::Kind::Page: writeField(r.at, v == 0 ? 0 : mapPage(v)); break;
            case Reference::Kind::RowPointer: writeField(r.at, v == 0 ? 0 : mapPage(v >> 8) << 8 | (v & 0xFF)); break;
            case Reference::Kind::TableId:
                if (!survey_.isTableId(v)) throw JetError("internal error: a table id field does not hold a table id");
                writeField(r.at, mapPage(v));
                break;
        }
    }

    // Index entries keep their lengths: the page numbers in them and, for indexes on table ids, the ids in
    // their keys are replaced in place. The page-wide key prefix must still be common to every entry.
    void rewriteIndexPage(std::uint32_t old, bool idKeyed) {
        auto src = store_.page(old);
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
        auto dst = outPage(mapPage(old));
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

    std::span<std::uint8_t> outRow(std::uint32_t rowPointer, RowSlot& slot) {
        slot = store_.row(rowPointer >> 8, rowPointer & 0xFF);
        return outPage(mapPage(rowPointer >> 8)).subspan(slot.begin, slot.end - slot.begin);
    }

    // Free after compaction: the blank pages and every page past the end.
    bool isFree(std::uint64_t page) const {
        return page >= newCount_ ||
               std::binary_search(numbering_.blankPages.begin(), numbering_.blankPages.end(), std::uint32_t(page));
    }

    // The global map marks free pages: after compaction only the blank pages inside the file.
    void rebuildGlobalMap(const UsageMap& m) {
        RowSlot slot;
        auto row = outRow(m.rowPointer, slot);
        if (m.kind == 0) {
            if (m.start != 0)
                throw JetError("unsupported global usage map starting at page " + std::to_string(m.start));
            for (std::size_t i = 0; i < (row.size() - 5) * 8; ++i) setBit(row, 5, i, isFree(i));
            return;
        }
        const std::uint32_t per = pagesPerMapPage(ps_);
        forEachBitmapPage(m, row, [&](std::size_t k, std::span<std::uint8_t> bits) {
            for (std::uint32_t i = 0; i < per; ++i) setBit(bits, 4, i, isFree(std::uint64_t(k) * per + i));
        });
    }

    void rebuildMap(const UsageMap& m) {
        std::vector<std::uint32_t> pages;
        for (auto p : m.pages) pages.push_back(mapPage(p));
        RowSlot slot;
        auto row = outRow(m.rowPointer, slot);
        const std::string which = "usage map at page " + std::to_string(m.rowPointer >> 8);
        if (m.kind == 0) {
            const std::uint32_t start = rank(m.start);
            const std::size_t bits = (row.size() - 5) * 8;
            wr32(row, 1, start);
            std::fill(row.begin() + 5, row.end(), 0);
            for (auto p : pages) {
                if (p < start || p - start >= bits)
                    throw JetError("internal error: page " + std::to_string(p) + " does not fit " + which);
                setBit(row, 5, p - start, true);
            }
            return;
        }
        const std::uint32_t per = pagesPerMapPage(ps_);
        forEachBitmapPage(m, row, [](std::size_t, std::span<std::uint8_t> bits) {
            std::fill(bits.begin() + 4, bits.end(), 0);
        });
        for (auto p : pages) {
            const std::size_t k = p / per;
            if (k >= m.mapPages.size() || m.mapPages[k] == 0)
                throw JetError("unsupported: " + which + " has no bitmap page for the renumbered page " +
                               std::to_string(p));
            setBit(outPage(mapPage(m.mapPages[k])), 4, p % per, true);
        }
    }

    // Points each slot of a kind-1 map row at its bitmap page's new number and hands that page to fn.
    template <class Fn>
    void forEachBitmapPage(const UsageMap& m, std::span<std::uint8_t> row, Fn&& fn) {
        for (std::size_t k = 0; k < m.mapPages.size(); ++k) {
            if (m.mapPages[k] == 0) continue;
            const std::uint32_t np = mapPage(m.mapPages[k]);
            wr32(row, 1 + 4 * k, np);
            fn(k, outPage(np));
        }
    }

    static void setBit(std::span<std::uint8_t> b, std::size_t base, std::size_t i, bool on) {
        std::uint8_t& byte = b[base + i / 8];
        const std::uint8_t mask = std::uint8_t(1u << (i % 8));
        byte = on ? (byte | mask) : (byte & ~mask);
    }

    const PageStore& store_;
    const Survey& survey_;
    const std::uint32_t ps_;
    const PageNumbering numbering_;
    const std::vector<std::uint32_t>& newNumber_;
    std::vector<std::uint32_t> keptBefore_;  // per old page: the new number of the first kept page at or after it
    const std::uint32_t newCount_;
    std::vector<std::uint8_t> out_;
};

}  // namespace

PageNumbering pageNumbering(const Survey& survey) {
    PageNumbering n;
    n.newNumber.assign(survey.reached.size(), kDroppedPage);
    std::uint32_t next = 0;
    for (std::uint32_t p = 0; p < n.newNumber.size(); ++p) {
        if (!survey.reached[p]) continue;
        if (survey.isTableId(p))
            while (std::binary_search(survey.staleIds.begin(), survey.staleIds.end(), next)) n.blankPages.push_back(next++);
        n.newNumber[p] = next++;
    }
    n.pageCount = next;
    return n;
}

std::vector<std::uint8_t> renumberPages(const PageStore& store, const Survey& survey) {
    return Renumberer(store, survey).run();
}

}  // namespace jet
