#include "skin/controls/kvSkinMenuButton.h"

#include "skin/controls/SkinButtonRules.h"
#include "skin/controls/SkinLabelRules.h"

TkvSkinMenuButton::TkvSkinMenuButton(fw::Component* owner) : TkvSkinButton(owner) {
    skinDataName_ = "toolmenubutton";
    setBounds(0, 0, 37, 25);
    SetCanFocused(false);
}

void TkvSkinMenuButton::SetDropDownMenu(fw::PopupMenu* menu) {
    if (dropDownMenu_ && dropDownMenu_ != menu) removeFreeNotification(dropDownMenu_);
    dropDownMenu_ = menu;
    if (menu) freeNotification(menu);
}

void TkvSkinMenuButton::notification(fw::Component* c, fw::Operation op) {
    TkvSkinButton::notification(c, op);
    if (op == fw::Operation::Remove && c == dropDownMenu_) dropDownMenu_ = nullptr;
}

fw::Rect TkvSkinMenuButton::TrackButtonArea() {
    FetchSkinDescription();
    if (DescriptionIndex == -1) return {};
    const auto* d = SkinData()->ControlAs<TkvDataSkinMenuButtonControl>(DescriptionIndex);
    if (!d || d->TrackButtonRect.empty()) return {};
    return MapSkinRect(*this, d->TrackButtonRect, width(), height());
}

void TkvSkinMenuButton::PaintFlat(fw::DibSection& bitmap) {
    TkvSkinButton::PaintFlat(bitmap);
    const fw::Rect track = TrackButtonArea();
    if (track.empty()) return;
    const fw::Color colour = ButtonFontColor(Look(), enabled(), UseSkinFontColor, false, false, DefaultFont().color());
    const fw::Pixel ink = fw::colorToPixel(fw::resolveColor(colour)) | 0xFF000000u;
    // A downward triangle five pixels wide, centred in the arrow's part.
    const int cx = track.left + track.width() / 2, top = track.top + track.height() / 2 - 1;
    const fw::PixelView v = bitmap.pixels();
    for (int row = 0; row < 3; ++row)
        for (int x = cx - 2 + row; x <= cx + 2 - row; ++x)
            if (x >= 0 && x < v.width && top + row >= 0 && top + row < v.height) v.at(x, top + row) = ink;
}

void TkvSkinMenuButton::ShowMenu() {
    menuShowing_ = true;
    SetDown(true);
    const fw::Point origin = clientToScreen({0, 0});
    dropDownMenu_->popupFor(this, fw::Rect::fromSize(origin.x, origin.y, width(), height()));
}

void TkvSkinMenuButton::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!dropDownMenu_) break;
            // A press while the menu is open closes it (the menu sees the press first); it does not reopen it.
            if (!menuShowing_) ShowMenu();
            m.result = 0;
            return;
        case WM_LBUTTONUP:
            if (!dropDownMenu_) break;
            m.result = 0;
            return;
        case SKIN_MSG_MENU_CLOSED:
            menuShowing_ = false;
            SetDown(false);
            m.result = 0;
            return;
        default: break;
    }
    TkvSkinButton::wndProc(m);
}
