// Menu items and the popup-menu component: the data a menu shows (captions, shortcut texts, states, sub-items) and
// what a click runs. Portable: how a menu is drawn and tracked belongs to whoever shows it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "framework/Events.h"

namespace fw {

class MenuItem {
public:
    MenuItem() = default;
    explicit MenuItem(std::wstring caption, std::string name = {})
        : caption(std::move(caption)), name(std::move(name)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // "&" marks the following letter as the access key ("&&" is a plain ampersand); "-" alone is a separator.
    std::wstring caption;
    std::string name;
    std::wstring shortcut;  // the shortcut as shown beside the caption ("Alt+F4"), empty for none
    std::wstring hint;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool radioItem = false;
    int imageIndex = -1;
    Bitmap bitmap;  // a picture shown in the glyph column, empty for none
    std::function<void(MenuItem&)> onClick;

    bool isSeparator() const { return caption == L"-"; }
    // Runs the click handler.
    void click();

    MenuItem* parent() const { return parent_; }
    int count() const { return static_cast<int>(items_.size()); }
    MenuItem& item(int i) const { return *items_.at(static_cast<std::size_t>(i)); }
    int indexOf(const MenuItem* child) const;
    // Appends (or inserts before index) a sub-item and returns it.
    MenuItem& add(std::unique_ptr<MenuItem> child);
    MenuItem& add(std::wstring caption, std::string name = {});
    MenuItem& insert(int index, std::unique_ptr<MenuItem> child);
    // Removes and destroys a sub-item; nothing when it is not one of ours.
    void remove(const MenuItem* child);
    void clear() { items_.clear(); }
    // The first sub-item (at any depth) with this name, or null.
    MenuItem* find(std::string_view itemName) const;

private:
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

// The access key of a caption (the character after a single "&"), 0 for none.
wchar_t accessKeyOf(std::wstring_view caption);
// The caption as shown: access-key ampersands removed, "&&" turned into "&".
std::wstring captionWithoutAccessKey(std::wstring_view caption);

// A context menu component: its items and the hook that runs before it shows. Subclasses show it.
class Control;

class PopupMenu : public Component {
public:
    using Component::Component;
    MenuItem& items() { return items_; }
    const MenuItem& items() const { return items_; }
    // Shows the menu at a screen point.
    virtual void popup(int x, int y) = 0;
    // Shows the menu below a control's screen rectangle (above it when there is no room) for the control that
    // opened it, such as a menu button that stays down while its menu is open.
    virtual void popupFor(Control* opener, const Rect& screenRect) { popup(screenRect.left, screenRect.bottom); }

    NotifyEvent onPopup;

private:
    MenuItem items_;
};

}  // namespace fw
