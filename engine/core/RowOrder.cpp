#include "engine/core/RowOrder.h"

#include "engine/core/Bytes.h"

#include <algorithm>

namespace jet {
namespace {

constexpr int kMaxOverflowHops = 8;

}  // namespace

RowOrder::Place RowOrder::target(std::uint32_t page, std::uint32_t row) const {
    RowSlot slot = store_.row(page, row);
    for (int hop = 0; slot.overflow; ++hop) {
        if (hop >= kMaxOverflowHops) damaged("an overflow row chain at page " + std::to_string(page) + " is too long");
        if (slot.end - slot.begin < 4) damaged("an overflow row too short for its pointer");
        const std::uint32_t ptr = rd32(store_.page(page), slot.begin);
        page = ptr >> 8;
        row = ptr & 0xFF;
        if (store_.pageType(page) != kPageData || store_.isLongValuePage(page))
            damaged("an overflow row points to page " + std::to_string(page) + ", not a data page");
        slot = store_.row(page, row);
    }
    return {page, row};
}

bool RowOrder::pointsOn(std::size_t at, std::uint32_t row, Place to) const {
    auto it = std::lower_bound(pages_.begin(), pages_.end(), to.page);
    if (it == pages_.end() || *it != to.page) return false;
    const std::size_t there = it - pages_.begin();
    return there > at || (there == at && to.row > row);
}

bool RowOrder::next(std::uint32_t& page, RowSlot& slot) {
    while (at_ < pages_.size()) {
        const std::uint32_t p = pages_[at_];
        if (row_ == 0 && !started_) {
            started_ = true;
            if (onPage) onPage(at_);
        }
        if (row_ >= store_.rowCount(p)) {
            started_ = false;
            ++at_;
            row_ = 0;
            continue;
        }
        const std::uint32_t r = row_++;
        slot = store_.row(p, r);
        if (slot.deleted) {
            const std::uint32_t self = p << 8 | r;
            auto w = std::lower_bound(waiting_.begin(), waiting_.end(), self);
            if (w == waiting_.end() || *w != self) continue;
            waiting_.erase(w);
            moved_.push_back(self);
            page = p;
            return true;
        }
        page = p;
        if (!slot.overflow) return true;
        const Place to = target(p, r);
        if (pointsOn(at_, r, to)) {
            const std::uint32_t there = to.page << 8 | to.row;
            waiting_.insert(std::lower_bound(waiting_.begin(), waiting_.end(), there), there);
            continue;
        }
        page = to.page;
        slot = store_.row(to.page, to.row);
        return true;
    }
    return false;
}

std::uint32_t RowOrder::countedBefore(const PageStore& store, std::span<const std::uint32_t> pages, std::size_t at,
                                      std::uint32_t row, std::span<const std::uint32_t> moved) {
    const RowOrder order(store, pages);
    const std::uint32_t page = pages[at];
    std::uint32_t n = 0;
    const std::uint32_t rows = std::min(row, store.rowCount(page));
    for (std::uint32_t r = 0; r < rows; ++r) {
        const RowSlot slot = store.row(page, r);
        if (slot.deleted) {
            n += std::binary_search(moved.begin(), moved.end(), page << 8 | r);
        } else {
            n += !(slot.overflow && order.pointsOn(at, r, order.target(page, r)));
        }
    }
    return n;
}

}  // namespace jet
