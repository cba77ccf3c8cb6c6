#include "engine/core/CopyCheck.h"

#include "engine/core/Compactor.h"
#include "engine/core/JetEngine.h"

#include <algorithm>
#include <string>
#include <vector>

namespace jet {

// The byte ranges of the copy that the renumbering may have rewritten, sorted by page, so that the copy can be
// compared one page at a time.
class ChangeMask {
public:
    ChangeMask(std::uint32_t pageSize, std::span<const std::uint32_t> newNumber)
        : pageSize_(pageSize), newNumber_(newNumber) {}

    // Pages are the source's, carried to their numbers in the copy; a field on a dropped page is not kept.
    void allow(std::uint32_t page, std::uint32_t from, std::uint32_t to) {
        if (page >= newNumber_.size() || newNumber_[page] == kDroppedPage) return;
        ranges_.push_back({newNumber_[page], static_cast<std::uint16_t>(std::min(from, pageSize_)),
                           static_cast<std::uint16_t>(std::min(to, pageSize_))});
    }
    // A field's bytes are one range when they follow each other on one page, as nearly all do.
    void allow(const FieldPlace& f) {
        std::size_t i = 0;
        while (i < f.size()) {
            std::size_t j = i + 1;
            while (j < f.size() && f[j].page == f[i].page && f[j].offset == f[j - 1].offset + 1u) ++j;
            allow(f[i].page, f[i].offset, f[j - 1].offset + 1u);
            i = j;
        }
    }
    void allowMap(const PageStore& source, const UsageMap& m) {
        if (m.rowPointer == 0) return;
        RowSlot slot = source.row(m.rowPointer >> 8, m.rowPointer & 0xFF);
        allow(m.rowPointer >> 8, slot.begin, slot.end);
        for (auto p : m.mapPages)
            if (p) allow(p, 4, pageSize_);
    }
    void sort() {
        std::sort(ranges_.begin(), ranges_.end(), [](const Range& a, const Range& b) { return a.page < b.page; });
        ranges_.shrink_to_fit();  // it is kept while the content check runs
    }
    // Per byte of one page: whether it may differ from its source (into is sized to a page). False when no
    // byte may.
    bool pageMask(std::uint32_t page, std::vector<std::uint8_t>& into) const {
        auto it = std::lower_bound(ranges_.begin(), ranges_.end(), page,
                                   [](const Range& r, std::uint32_t p) { return r.page < p; });
        if (it == ranges_.end() || it->page != page) return false;
        std::fill(into.begin(), into.end(), 0);
        for (; it != ranges_.end() && it->page == page; ++it)
            if (it->from < it->to) std::fill(into.begin() + it->from, into.begin() + it->to, 1);
        return true;
    }

private:
    struct Range {
        std::uint32_t page;
        std::uint16_t from, to;  // within a page (at most 4096 bytes)
    };
    std::uint32_t pageSize_;
    std::span<const std::uint32_t> newNumber_;
    std::vector<Range> ranges_;
};

CopyCheck::CopyCheck(const PageStore& source, const Survey& before, const PageStore& copy)
    : source_(source), copy_(copy), numbering_(pageNumbering(before)), allowed_(copy.pageSize()) {
    if (numbering_.pageCount != copy.pageCount())
        throw JetError("the compacted copy has " + std::to_string(copy.pageCount()) + " pages where " +
                       std::to_string(numbering_.pageCount) + " were expected; nothing was written");
    const JetFormat& f = source.format();
    ChangeMask mask(copy.pageSize(), numbering_.newNumber);
    for (const auto& r : before.references) mask.allow(before.place(r));
    mask.allowMap(source, before.globalMap);
    for (const auto& t : before.tables) {
        mask.allow(t.def.page, f.tdefRowCount, f.tdefRowCount + 4);  // set to the live rows
        mask.allowMap(source, t.used);
        mask.allowMap(source, t.free);
        for (const auto& m : t.longValueMaps) mask.allowMap(source, m);
        for (const auto& ix : t.indexes) mask.allowMap(source, ix.map);
    }
    mask.sort();
    mask_ = std::make_unique<ChangeMask>(std::move(mask));
}

CopyCheck::~CopyCheck() = default;

void CopyCheck::checkUpToCopyPage(std::uint32_t copyPage) {
    for (; next_ < source_.pageCount(); ++next_) {
        const std::uint32_t target = numbering_.newNumber[next_];
        if (target == kDroppedPage) continue;
        if (target > copyPage) return;
        auto a = source_.page(next_), b = copy_.page(target);
        if (std::equal(a.begin(), a.end(), b.begin())) continue;
        if (!mask_->pageMask(target, allowed_)) std::fill(allowed_.begin(), allowed_.end(), 0);
        for (std::uint32_t i = 0; i < copy_.pageSize(); ++i)
            if (a[i] != b[i] && !allowed_[i])
                throw JetError("the compacted copy changed page " + std::to_string(next_) + " at offset " +
                               std::to_string(i) + ", which compaction must not touch; nothing was written");
    }
}

void CopyCheck::finish() {
    checkUpToCopyPage(0xFFFFFFFFu);
    for (auto blank : numbering_.blankPages) {
        auto b = copy_.page(blank);
        if (std::any_of(b.begin(), b.end(), [](std::uint8_t v) { return v != 0; }))
            throw JetError("the compacted copy has data on page " + std::to_string(blank) +
                           ", which must be blank; nothing was written");
    }
}

void checkOnlyReferencesChanged(const PageStore& source, const Survey& before, const PageStore& copy) {
    CopyCheck(source, before, copy).finish();
}

}  // namespace jet
