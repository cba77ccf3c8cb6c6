// The icon of a form in the notification area. A frame that links one (`TkvKelvaneForm::SetTrayIcon`) minimises
// into it: the form's window goes, the icon shows, and a double click on the icon (or the tray menu's Restore)
// brings the form back. A right click opens the icon's popup menu (the frame's tray menu when it has none).
#pragma once

#include <windows.h>

#include <string>

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/Handles.h"

class TkvSkinPopupMenu;

// The message the notification area sends to the icon's window; lParam is the mouse message.
inline constexpr UINT KV_MSG_TRAY_CALLBACK = WM_APP + 0x2A1;

class TkvTrayIcon : public fw::Component {
public:
    explicit TkvTrayIcon(fw::Component* owner = nullptr);
    ~TkvTrayIcon() override;

    std::wstring Hint;            // the tip over the icon
    HICON Icon = nullptr;         // none: the program's icon
    bool MinimizeToTray = false;  // the form is in the tray now
    fw::NotifyEvent OnDblClick;

    TkvSkinPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TkvSkinPopupMenu* m);
    // In the notification area or not.
    bool Visible() const { return shown_; }
    void SetVisible(bool v);

    // What the notification area reports (KV_MSG_TRAY_CALLBACK's lParam): a double click and a right click.
    void Notified(UINT mouseMessage);
    void notification(fw::Component* c, fw::Operation op) override;

private:
    fw::Window window_;
    TkvSkinPopupMenu* popupMenu_ = nullptr;
    bool shown_ = false;
};
