#include "engine/core/IndexRewriter.h"

#include "engine/core/Bytes.h"
#include "engine/core/IndexPage.h"

#include <algorithm>

namespace jet {
namespace {

constexpr int kMaxLevels = 32;

[[noreturn]] void internal(const std::string& what) {
    throw JetError("internal error: " + what + "; nothing was written");
}

void appendPage(std::vector<std::uint8_t>& entry, std::uint32_t page) {
    for (int k = 0; k < 4; ++k) entry.push_back(std::uint8_t(page >> (24 - 8 * k)));
}

// Packs the levels above leaves whose last entries are given, calling onNode for each page of each level in
// order with the level's children and the node; returns the pages of all levels above.
template <class OnNode>
std::uint32_t buildLevels(const JetFormat& f, std::uint32_t maxPrefix, std::vector<std::vector<std::uint8_t>> lasts,
                          OnNode&& onNode) {
    std::uint32_t pages = 0;
    for (int depth = 0; lasts.size() > 1; ++depth) {
        if (depth >= kMaxLevels) internal("an index tree too deep");
        std::vector<std::uint8_t> entry;
        const auto nodes = packLevel(
            f, maxPrefix, lasts.size(),
            [&](std::size_t c) {
                entry = lasts[c];
                appendPage(entry, 0);
                return std::span<const std::uint8_t>(entry);
            },
            [&](std::size_t c) { return static_cast<std::uint32_t>(lasts[c].size() - 4); });
        std::vector<std::vector<std::uint8_t>> above;
        for (const auto& n : nodes) {
            onNode(n);
            above.push_back(lasts[n.children.back()]);
        }
        pages += static_cast<std::uint32_t>(nodes.size());
        lasts = std::move(above);
    }
    return pages;
}

}  // namespace

LeafEntries::LeafEntries(const PageStore& store, std::uint32_t root) : store_(store), seen_(store.pageCount(), false) {
    if (root == 0) return;
    std::uint32_t page = root;
    for (int depth = 0;; ++depth) {
        const IndexPage ip = readIndexPage(store_, page);
        if (ip.leaf) break;
        if (depth >= kMaxLevels || (ip.entries.empty() && ip.tail == 0))
            damaged("index page " + std::to_string(page) + " is empty or its tree too deep");
        page = ip.entries.empty() ? ip.tail : ip.entries.front().child;
    }
    load(page);
}

void LeafEntries::load(std::uint32_t page) {
    if (seen_[page]) damaged("the leaf chain of an index loops at page " + std::to_string(page));
    seen_[page] = true;
    const IndexPage ip = readIndexPage(store_, page);
    if (!ip.leaf) damaged("the leaf chain of an index reaches page " + std::to_string(page) + ", not a leaf");
    auto bytes = store_.page(page);
    entries_.clear();
    for (std::size_t i = 0; i < ip.entries.size(); ++i) entries_.push_back(ip.fullEntry(bytes, i));
    at_ = 0;
    next_ = ip.next;
}

bool LeafEntries::next(std::vector<std::uint8_t>& entry) {
    while (at_ >= entries_.size()) {
        if (next_ == 0) return false;
        load(next_);
    }
    entry = std::move(entries_[at_++]);
    return true;
}

std::uint32_t rebuiltIndexPages(const PageStore& store, std::uint32_t root, bool idKeyed) {
    if (root == 0) return 0;
    const JetFormat& f = store.format();
    const std::uint32_t maxPrefix = maxIndexPrefix(idKeyed);
    LeafEntries entries(store, root);
    IndexPacker packer(f, maxPrefix);
    std::vector<std::vector<std::uint8_t>> lasts;
    std::vector<std::uint8_t> entry, last;
    bool any = false;
    while (entries.next(entry)) {
        const auto key = static_cast<std::uint32_t>(entry.size() - 4);
        if (any && !packer.fits(entry, key)) {
            lasts.push_back(last);
            packer.newPage();
        }
        packer.add(entry, key);
        last = entry;
        any = true;
    }
    lasts.push_back(last);
    const auto leaves = static_cast<std::uint32_t>(lasts.size());
    return leaves + buildLevels(f, maxPrefix, std::move(lasts), [](const TreeNode&) {});
}

IndexRewriter::IndexRewriter(const PageStore& store, std::uint32_t root, bool idKeyed,
                             std::span<const std::uint32_t> pages, std::uint32_t owner, std::uint32_t leafTemplate,
                             std::uint32_t nodeTemplate, Remap remap, bool sortTies)
    : store_(store),
      f_(store.format()),
      entries_(store, root),
      maxPrefix_(maxIndexPrefix(idKeyed)),
      pages_(pages.begin(), pages.end()),
      owner_(owner),
      remap_(std::move(remap)),
      sortTies_(sortTies),
      packer_(store.format(), maxIndexPrefix(idKeyed)) {
    auto headerOf = [&](std::uint32_t page, std::uint8_t type) {
        std::vector<std::uint8_t> h(f_.indexBitmap, 0);
        if (page != 0) {
            auto p = store_.page(page);
            std::copy(p.begin(), p.begin() + h.size(), h.begin());
        }
        if (page == 0) h[1] = 1;
        h[0] = type;
        return h;
    };
    leafHeader_ = headerOf(leafTemplate, kPageIndexLeaf);
    nodeHeader_ = headerOf(nodeTemplate != 0 ? nodeTemplate : leafTemplate, kPageIndexNode);
}

void IndexRewriter::header(std::span<std::uint8_t> page, bool isLeaf, std::uint32_t prev, std::uint32_t next,
                           std::uint32_t tail) const {
    const auto& h = isLeaf ? leafHeader_ : nodeHeader_;
    std::fill(page.begin(), page.end(), 0);
    std::copy(h.begin(), h.end(), page.begin());
    wr32(page, 4, owner_);
    wr32(page, f_.indexPrev, prev);
    wr32(page, f_.indexNext, next);
    wr32(page, f_.indexTail, tail);
}

void IndexRewriter::nextPage(std::span<std::uint8_t> page) {
    if (emitted_ >= pages_.size()) internal("more index pages asked for than the index fills");
    if (inLeaves_) leaf(page);
    else node(page);
    ++emitted_;
}

bool IndexRewriter::nextEntry(std::vector<std::uint8_t>& entry) {
    if (!sortTies_) {
        if (!entries_.next(entry)) return false;
        remap_(entry);
        return true;
    }
    if (tieAt_ == ties_.size()) {
        ties_.clear();
        tieAt_ = 0;
        std::vector<std::uint8_t> e;
        if (haveAhead_) {
            e = std::move(ahead_);
            haveAhead_ = false;
        } else if (!entries_.next(e)) {
            return false;
        }
        const std::vector<std::uint8_t> key(e.begin(), e.end() - 4);
        ties_.push_back(std::move(e));
        while (entries_.next(e)) {
            if (e.size() != key.size() + 4 || !std::equal(key.begin(), key.end(), e.begin())) {
                ahead_ = std::move(e);
                haveAhead_ = true;
                break;
            }
            ties_.push_back(std::move(e));
        }
        for (auto& t : ties_) remap_(t);
        std::sort(ties_.begin(), ties_.end());
    }
    entry = std::move(ties_[tieAt_++]);
    return true;
}

void IndexRewriter::leaf(std::span<std::uint8_t> page) {
    std::vector<std::vector<std::uint8_t>> entries;
    std::vector<std::uint8_t> entry;
    if (havePending_) {
        entries.push_back(std::move(pending_));
        havePending_ = false;
        packer_.add(entries.back(), static_cast<std::uint32_t>(entries.back().size() - 4));
    }
    while (nextEntry(entry)) {
        const auto key = static_cast<std::uint32_t>(entry.size() - 4);
        if (!entries.empty() && !packer_.fits(entry, key)) {
            pending_ = std::move(entry);
            havePending_ = true;
            break;
        }
        packer_.add(entry, key);
        entries.push_back(std::move(entry));
    }
    const std::uint32_t prefix = packer_.prefix();
    packer_.newPage();
    const std::uint32_t prev = emitted_ > 0 ? pages_[emitted_ - 1] : 0;
    const std::uint32_t next = havePending_ && emitted_ + 1 < pages_.size() ? pages_[emitted_ + 1] : 0;
    header(page, true, prev, next, 0);
    if (!writeIndexEntries(f_, page, entries, prefix)) internal("index entries that do not fit the page counted");
    below_.push_back({entries.empty() ? std::vector<std::uint8_t>{} : entries.back(), pages_[emitted_]});
    inLeaves_ = havePending_;
    if (!inLeaves_ && below_.size() > 1) {
        packAbove();  // the leaves are written: the levels above follow
    }
}

void IndexRewriter::packAbove() {
    std::vector<std::uint8_t> entry;
    nodes_ = packLevel(
        f_, maxPrefix_, below_.size(),
        [&](std::size_t c) {
            entry = below_[c].last;
            appendPage(entry, below_[c].page);
            return std::span<const std::uint8_t>(entry);
        },
        [&](std::size_t c) { return static_cast<std::uint32_t>(below_[c].last.size() - 4); });
    nodeAt_ = 0;
}

void IndexRewriter::node(std::span<std::uint8_t> page) {
    if (nodeAt_ >= nodes_.size()) internal("an index page asked for beyond the index's tree");
    const TreeNode& n = nodes_[nodeAt_];
    std::vector<std::vector<std::uint8_t>> entries;
    for (std::size_t i = 0; i + 1 < n.children.size(); ++i) {
        entries.push_back(below_[n.children[i]].last);
        appendPage(entries.back(), below_[n.children[i]].page);
    }
    const std::uint32_t prev = nodeAt_ > 0 ? pages_[emitted_ - 1] : 0;
    const std::uint32_t next = nodeAt_ + 1 < nodes_.size() ? pages_[emitted_ + 1] : 0;
    header(page, false, prev, next, below_[n.children.back()].page);
    if (!writeIndexEntries(f_, page, entries, n.prefix)) internal("index entries that do not fit the page counted");
    level_.push_back({below_[n.children.back()].last, pages_[emitted_]});
    if (++nodeAt_ == nodes_.size()) {
        below_ = std::move(level_);
        level_.clear();
        nodes_.clear();
        nodeAt_ = 0;
        if (below_.size() > 1) packAbove();
    }
}

}  // namespace jet
