#include "framework/MenuItem.h"

#include <algorithm>

namespace fw {

void MenuItem::click() {
    if (onClick) onClick(*this);
}

int MenuItem::indexOf(const MenuItem* child) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == child) return static_cast<int>(i);
    return -1;
}

MenuItem& MenuItem::add(std::unique_ptr<MenuItem> child) { return insert(count(), std::move(child)); }

MenuItem& MenuItem::add(std::wstring itemCaption, std::string itemName) {
    return add(std::make_unique<MenuItem>(std::move(itemCaption), std::move(itemName)));
}

MenuItem& MenuItem::insert(int index, std::unique_ptr<MenuItem> child) {
    child->parent_ = this;
    MenuItem& ref = *child;
    index = std::clamp(index, 0, count());
    items_.insert(items_.begin() + index, std::move(child));
    return ref;
}

void MenuItem::remove(const MenuItem* child) {
    const int i = indexOf(child);
    if (i >= 0) items_.erase(items_.begin() + i);
}

MenuItem* MenuItem::find(std::string_view itemName) const {
    for (const auto& c : items_) {
        if (c->name == itemName) return c.get();
        if (MenuItem* deeper = c->find(itemName)) return deeper;
    }
    return nullptr;
}

wchar_t accessKeyOf(std::wstring_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i;  // "&&" is a plain ampersand
    }
    return 0;
}

std::wstring captionWithoutAccessKey(std::wstring_view caption) {
    std::wstring out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&') {
            if (i + 1 < caption.size() && caption[i + 1] == L'&') ++i;
            else continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace fw
