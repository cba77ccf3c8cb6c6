#include "skin/controls/ComboItems.h"

#include <algorithm>

int TkvComboItems::Add(std::wstring text, std::intptr_t data) {
    items_.push_back({std::move(text), data});
    return Count() - 1;
}

void TkvComboItems::Insert(int index, std::wstring text, std::intptr_t data) {
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, {std::move(text), data});
    if (itemIndex_ >= index) ++itemIndex_;
}

void TkvComboItems::Delete(int index) {
    if (!Valid(index)) return;
    items_.erase(items_.begin() + index);
    if (itemIndex_ == index) itemIndex_ = -1;
    else if (itemIndex_ > index) --itemIndex_;
}

void TkvComboItems::Clear() {
    items_.clear();
    itemIndex_ = -1;
}

const std::wstring& TkvComboItems::Text(int index) const {
    static const std::wstring none;
    return Valid(index) ? items_[static_cast<std::size_t>(index)].text : none;
}

std::intptr_t TkvComboItems::Data(int index) const {
    return Valid(index) ? items_[static_cast<std::size_t>(index)].data : 0;
}

bool TkvComboItems::SetItemIndex(int index) {
    if (!Valid(index)) index = -1;
    if (index == itemIndex_) return false;
    itemIndex_ = index;
    return true;
}

int ComboKeyTarget(int current, int count, TkvComboKey key, int page) {
    if (count <= 0) return -1;
    page = std::max(page, 1);
    const int last = count - 1;
    if (current < 0 || current > last) return key == TkvComboKey::End ? last : 0;
    switch (key) {
        case TkvComboKey::Up: return std::max(current - 1, 0);
        case TkvComboKey::Down: return std::min(current + 1, last);
        case TkvComboKey::PageUp: return std::max(current - page, 0);
        case TkvComboKey::PageDown: return std::min(current + page, last);
        case TkvComboKey::Home: return 0;
        case TkvComboKey::End: return last;
    }
    return current;
}

int DropDownTopIndex(int top, int selected, int rows, int count) {
    rows = std::max(rows, 1);
    if (selected >= 0 && selected < count) {
        if (selected < top) top = selected;
        else if (selected >= top + rows) top = selected - rows + 1;
    }
    return std::clamp(top, 0, std::max(count - rows, 0));
}
