#pragma once
// An index rebuilt from its entries: read in key order along the leaf chain of the source's tree, each given
// the new place of its row (and the new id in a key that holds a table id), packed into filled leaves and the
// levels above them (IndexPacker). The pages come out leaves first and the root last.
#include "engine/core/IndexPacker.h"
#include "engine/core/PageStore.h"
#include "engine/core/PageStream.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace jet {

// The entries of an index in key order: down the first entries from the root to the first leaf, then along
// the leaf chain. Each entry is its full bytes, its row pointer last.
class LeafEntries {
public:
    LeafEntries(const PageStore& store, std::uint32_t root);
    bool next(std::vector<std::uint8_t>& entry);

private:
    void load(std::uint32_t page);
    const PageStore& store_;
    std::vector<std::vector<std::uint8_t>> entries_;
    std::size_t at_ = 0;
    std::uint32_t next_ = 0;
    std::vector<bool> seen_;
};

// Bytes of an index's keys pages may share: keys that hold table ids share only their marker, since the ids
// change with the pages.
inline std::uint32_t maxIndexPrefix(bool idKeyed) { return idKeyed ? 1 : 0xFFFFFFFFu; }

// The pages the index with that root fills when rebuilt (at least one leaf; none without a root).
std::uint32_t rebuiltIndexPages(const PageStore& store, std::uint32_t root, bool idKeyed);

class IndexRewriter : public PageStream {
public:
    // Gives an entry (full bytes, row pointer last) the new place of its row and the new id of its key.
    using Remap = std::function<void(std::vector<std::uint8_t>&)>;
    // pages: the new numbers of the index's pages, ascending; owner: the table's new id; templates: pages of
    // the source index whose headers the new leaves and the pages above them keep (0 for none).
    // sortTies: the rows have moved out of their order, so entries of equal keys are put in the order of the
    // rows' new places (held in memory a key at a time).
    IndexRewriter(const PageStore& store, std::uint32_t root, bool idKeyed, std::span<const std::uint32_t> pages,
                  std::uint32_t owner, std::uint32_t leafTemplate, std::uint32_t nodeTemplate, Remap remap,
                  bool sortTies);
    void nextPage(std::span<std::uint8_t> page) override;

private:
    struct Child {
        std::vector<std::uint8_t> last;  // its last entry, without any child pointer
        std::uint32_t page = 0;
    };
    bool nextEntry(std::vector<std::uint8_t>& entry);  // remapped, in order
    void leaf(std::span<std::uint8_t> page);
    void node(std::span<std::uint8_t> page);
    void packAbove();  // the pages of the level above below_
    void header(std::span<std::uint8_t> page, bool isLeaf, std::uint32_t prev, std::uint32_t next,
                std::uint32_t tail) const;

    const PageStore& store_;
    const JetFormat& f_;
    LeafEntries entries_;
    const std::uint32_t maxPrefix_;
    const std::vector<std::uint32_t> pages_;
    const std::uint32_t owner_;
    std::vector<std::uint8_t> leafHeader_, nodeHeader_;
    Remap remap_;
    const bool sortTies_;
    std::vector<std::vector<std::uint8_t>> ties_;  // entries of one key, remapped and sorted
    std::size_t tieAt_ = 0;
    std::vector<std::uint8_t> ahead_;  // the entry read after them
    bool haveAhead_ = false;
    std::size_t emitted_ = 0;
    bool inLeaves_ = true;
    // Leaves: the entry read ahead that begins the next one.
    IndexPacker packer_;
    std::vector<std::uint8_t> pending_;
    bool havePending_ = false;
    // Levels above: the level below, the pages of the level being written, and where in it.
    std::vector<Child> below_, level_;
    std::vector<TreeNode> nodes_;
    std::size_t nodeAt_ = 0;
};

}  // namespace jet
