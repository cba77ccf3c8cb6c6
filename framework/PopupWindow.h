// A top-level window for popups (menus, hints, glow frames): shown top-most without taking the activation, never
// in the task bar, with the save-bits class style so that closing it does not make the windows below repaint. It
// is not a form: it is not in the application's list of forms and so gets no skin broadcast; a popup that wants
// skin changes asks whoever owns it.
#pragma once

#include "framework/WindowedControl.h"

namespace fw {

class PopupWindow : public CustomControl {
public:
    explicit PopupWindow(Component* owner = nullptr);

    // The window the popup belongs to (it stays above it and goes with it); set before the window exists.
    void setOwnerWindow(HWND owner) { ownerWindow_ = owner; }
    // The platform's drop shadow under the popup; set before the window exists.
    void setDropShadow(bool v) { dropShadow_ = v; }

    // Shows the popup at these screen bounds, top-most, without activating it.
    void showAt(const Rect& bounds);

protected:
    void createParams(CreateParams& p) override;
    void wndProc(Message& m) override;

private:
    HWND ownerWindow_ = nullptr;
    bool dropShadow_ = false;
};

}  // namespace fw
