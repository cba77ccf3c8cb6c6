// The combo box's items without a window: the list of texts with their data, the selected index as items come and
// go, where a navigation key moves the selection and which rows the drop-down list shows. Portable, so that the
// bookkeeping is tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TkvComboKey { Up, Down, PageUp, PageDown, Home, End };

class TkvComboItems {
public:
    // Appends an item and returns its index.
    int Add(std::wstring text, std::intptr_t data = 0);
    // Inserts before `index` (clamped to 0..Count); the selection stays on the item it was on.
    void Insert(int index, std::wstring text, std::intptr_t data = 0);
    // Removes an item (an index out of range is ignored); removing the selected item leaves no selection.
    void Delete(int index);
    void Clear();

    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    // The text and data of an item; an index out of range gives an empty text and 0.
    const std::wstring& Text(int index) const;
    std::intptr_t Data(int index) const;

    int ItemIndex() const { return itemIndex_; }
    // Selects an item; an index out of range selects nothing (-1). True when the selection changed.
    bool SetItemIndex(int index);

private:
    struct Item {
        std::wstring text;
        std::intptr_t data;
    };
    std::vector<Item> items_;
    int itemIndex_ = -1;
};

// The item a navigation key leads to from `current` (-1: none) in a list of `count` items, `page` rows per page.
// Up and Down stop at the ends; from no selection both go to the first item. No items: -1.
int ComboKeyTarget(int current, int count, TkvComboKey key, int page);

// The first row the drop-down shows so that `selected` is visible, starting from `top`, for `rows` visible rows of
// `count` items: unchanged when the item is already in view, otherwise the least scroll that brings it in; never
// past the last full page.
int DropDownTopIndex(int top, int selected, int rows, int count);
