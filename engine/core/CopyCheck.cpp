#include "engine/core/CopyCheck.h"

#include "engine/core/Compactor.h"
#include "engine/core/JetEngine.h"

#include <algorithm>
#include <string>
#include <vector>

namespace jet {
namespace {

// Per page of the copy: which bytes the renumbering may have rewritten.
class ChangeMask {
public:
    ChangeMask(std::uint32_t pages, std::uint32_t pageSize)
        : pageSize_(pageSize), bits_(std::size_t(pages) * pageSize) {}

    void allow(std::uint32_t page, std::uint32_t from, std::uint32_t to) {
        if (page >= bits_.size() / pageSize_) return;
        to = std::min(to, pageSize_);
        for (std::uint32_t i = from; i < to; ++i) bits_[std::size_t(page) * pageSize_ + i] = true;
    }
    void allow(const FieldPlace& f) {
        for (const auto& b : f) allow(b.page, b.offset, b.offset + 1u);
    }
    void allowMap(const PageStore& store, const UsageMap& m) {
        if (m.rowPointer == 0) return;
        RowSlot slot = store.row(m.rowPointer >> 8, m.rowPointer & 0xFF);
        allow(m.rowPointer >> 8, slot.begin, slot.end);
        for (auto p : m.mapPages)
            if (p) allow(p, 4, pageSize_);
    }
    bool allowed(std::uint32_t page, std::uint32_t offset) const {
        return bits_[std::size_t(page) * pageSize_ + offset];
    }

private:
    std::uint32_t pageSize_;
    std::vector<bool> bits_;
};

}  // namespace

void checkOnlyReferencesChanged(const PageStore& source, const Survey& before, const PageStore& copy,
                                const Survey& after) {
    const JetFormat& f = copy.format();
    ChangeMask mask(copy.pageCount(), copy.pageSize());
    for (const auto& r : after.references) mask.allow(r.at);
    for (auto p : after.indexPages) mask.allow(p, f.indexEntries, copy.pageSize());  // entries: pointers and id keys
    mask.allowMap(copy, after.globalMap);
    for (const auto& t : after.tables) {
        mask.allowMap(copy, t.used);
        mask.allowMap(copy, t.free);
        for (const auto& m : t.longValueMaps) mask.allowMap(copy, m);
        for (const auto& ix : t.indexes) mask.allowMap(copy, ix.map);
    }

    const PageNumbering numbering = pageNumbering(before);
    if (numbering.pageCount != copy.pageCount())
        throw JetError("the compacted copy has " + std::to_string(copy.pageCount()) + " pages where " +
                       std::to_string(numbering.pageCount) + " were expected; nothing was written");
    for (std::uint32_t p = 0; p < source.pageCount(); ++p) {
        const std::uint32_t target = numbering.newNumber[p];
        if (target == kDroppedPage) continue;
        auto a = source.page(p), b = copy.page(target);
        for (std::uint32_t i = 0; i < copy.pageSize(); ++i)
            if (a[i] != b[i] && !mask.allowed(target, i))
                throw JetError("the compacted copy changed page " + std::to_string(p) + " at offset " +
                               std::to_string(i) + ", which compaction must not touch; nothing was written");
    }
    for (auto blank : numbering.blankPages) {
        auto b = copy.page(blank);
        if (std::any_of(b.begin(), b.end(), [](std::uint8_t v) { return v != 0; }))
            throw JetError("the compacted copy has data on page " + std::to_string(blank) +
                           ", which must be blank; nothing was written");
    }
}

}  // namespace jet
