// The skinned menu button of tool bars: a button on the "toolmenubutton" skin whose right part (the description's
// `trackbuttonrect`) carries the drop arrow. Pressing it shows its drop-down menu below it; the button stays down
// until the menu closes. Without a menu it clicks like any button.
#pragma once

#include "framework/MenuItem.h"
#include "skin/controls/kvSkinButton.h"

class TkvSkinMenuButton : public TkvSkinButton {
public:
    explicit TkvSkinMenuButton(fw::Component* owner);

    // The menu shown on a press (a TkvSkinPopupMenu, so that it is skinned and tells the button when it closes);
    // not owned, cleared when it is removed.
    fw::PopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(fw::PopupMenu* menu);
    // The drop arrow's part of the button at its present size (empty without a description).
    fw::Rect TrackButtonArea();
    bool MenuShowing() const { return menuShowing_; }

    void notification(fw::Component* c, fw::Operation op) override;

protected:
    void wndProc(fw::Message& m) override;
    // At rest a flat menu button shows no skin, so it draws its drop arrow itself; hot or pressed, the arrow is the
    // skin's.
    void PaintFlat(fw::DibSection& bitmap) override;

private:
    void ShowMenu();

    fw::PopupMenu* dropDownMenu_ = nullptr;
    bool menuShowing_ = false;
};
