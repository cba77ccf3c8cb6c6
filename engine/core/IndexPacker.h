#pragma once
// Where index entries go when an index is rebuilt: in key order, each on the current page while the page's
// entries still fit with the prefix they share (only key bytes are shared, so that where the rows go does not
// change how the entries pack), else on the next page. The survey counts an index's new pages with it, and the
// compactor writes them with it, so both always agree.
//
// A tree is built level by level: leaves hold the entries; each page above holds, for every child but its
// last, the child's last entry and its page number, and names its last child in its tail field (as the
// intermediate pages Jet writes do). A level of one page is the root.
#include "engine/core/JetFormat.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace jet {

class IndexPacker {
public:
    // maxPrefix: how many key bytes pages may share at most (keys that hold table ids share only their marker).
    IndexPacker(const JetFormat& f, std::uint32_t maxPrefix)
        : room_(std::min(f.pageSize - f.indexEntries, (f.indexEntries - f.indexBitmap) * 8)), maxPrefix_(maxPrefix) {}

    // Whether an entry (its full bytes, of which the first keyLength are its key) fits on the current page.
    bool fits(std::span<const std::uint8_t> entry, std::uint32_t keyLength) const {
        if (count_ == 0) return true;
        return firstSize_ + rest_ + entry.size() - std::uint64_t(count_) * shared(entry, keyLength) <= room_;
    }
    void newPage() { count_ = 0; }
    // Adds it to the current page (a page is begun by the first entry after newPage or at the start).
    void add(std::span<const std::uint8_t> entry, std::uint32_t keyLength) {
        if (count_ == 0) {
            first_.assign(entry.begin(), entry.begin() + keyLength);
            firstSize_ = static_cast<std::uint32_t>(entry.size());
            prefix_ = std::min(keyLength, maxPrefix_);
            rest_ = 0;
        } else {
            prefix_ = shared(entry, keyLength);
            rest_ += entry.size();
        }
        ++count_;
    }
    std::uint32_t prefix() const { return count_ > 1 ? prefix_ : 0; }  // of the current page

private:
    std::uint32_t shared(std::span<const std::uint8_t> entry, std::uint32_t keyLength) const {
        std::uint32_t same = 0;
        const std::uint32_t most = std::min<std::uint32_t>({prefix_, keyLength, std::uint32_t(first_.size())});
        while (same < most && entry[same] == first_[same]) ++same;
        return same;
    }

    std::uint32_t room_, maxPrefix_;
    std::vector<std::uint8_t> first_;  // key of the current page's first entry
    std::uint32_t firstSize_ = 0, prefix_ = 0, count_ = 0;
    std::uint64_t rest_ = 0;  // full sizes of its entries after the first
};

// A page of a level being built: the entries it holds, and for a page above the leaves its children.
struct TreeNode {
    std::vector<std::size_t> children;  // indexes into the level below; all but the last have an entry
    std::uint32_t prefix = 0;
};

// The pages of the level above children whose last entries are lastOf(i) (full bytes with the child's page
// number after them) and keyOf(i) key bytes long.
template <class LastOf, class KeyOf>
std::vector<TreeNode> packLevel(const JetFormat& f, std::uint32_t maxPrefix, std::size_t children, LastOf&& lastOf,
                                KeyOf&& keyOf) {
    IndexPacker packer(f, maxPrefix);
    std::vector<TreeNode> nodes;
    for (std::size_t c = 0; c < children; ++c) {
        if (nodes.empty()) {
            nodes.emplace_back();
        } else {
            // The child before this one is no longer the last: it takes an entry, or it ends its page.
            const std::size_t before = nodes.back().children.back();
            const auto entry = lastOf(before);
            if (packer.fits(entry, keyOf(before))) {
                packer.add(entry, keyOf(before));
                nodes.back().prefix = packer.prefix();
            } else {
                packer.newPage();
                nodes.emplace_back();
            }
        }
        nodes.back().children.push_back(c);
    }
    // A last page with one child would hold no entry: it takes the child before it too, whose entry fits an
    // empty page, and the page before keeps the prefix it had, which its fewer entries still share.
    if (nodes.size() >= 2 && nodes.back().children.size() == 1) {
        auto& before = nodes[nodes.size() - 2].children;
        nodes.back().children.insert(nodes.back().children.begin(), before.back());
        before.pop_back();
        nodes.back().prefix = 0;
    }
    return nodes;
}

}  // namespace jet
