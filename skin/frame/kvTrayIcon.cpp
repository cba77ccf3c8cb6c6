#include "skin/frame/kvTrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "framework/MessageWindow.h"
#include "skin/frame/kvSkinMenus.h"

namespace {
// The shell is loaded only when an icon is first shown: the program starts without it.
BOOL notifyIcon(DWORD what, NOTIFYICONDATAW& d) {
    using NotifyFn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    static const NotifyFn fn = [] {
        HMODULE shell = LoadLibraryW(L"shell32.dll");
        return shell ? reinterpret_cast<NotifyFn>(reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconW")))
                     : nullptr;
    }();
    return fn ? fn(what, &d) : FALSE;
}

LRESULT CALLBACK trayWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == KV_MSG_TRAY_CALLBACK)
        if (auto* icon = reinterpret_cast<TkvTrayIcon*>(GetWindowLongPtrW(h, GWLP_USERDATA))) {
            icon->Notified(static_cast<UINT>(l));
            return 0;
        }
    return DefWindowProcW(h, msg, w, l);
}
}  // namespace

TkvTrayIcon::TkvTrayIcon(fw::Component* owner)
    : fw::Component(owner), window_(fw::createMessageWindow(L"KvTrayIcon", trayWindowProc, this)) {}

TkvTrayIcon::~TkvTrayIcon() { SetVisible(false); }

namespace {
NOTIFYICONDATAW iconData(HWND window, HICON icon, const std::wstring& hint) {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = window;
    d.uID = 1;
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.uCallbackMessage = KV_MSG_TRAY_CALLBACK;
    d.hIcon = icon ? icon : LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!d.hIcon) d.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    const size_t n = std::min(hint.size(), std::size(d.szTip) - 1);
    std::copy_n(hint.begin(), n, d.szTip);
    return d;
}
}  // namespace

void TkvTrayIcon::SetVisible(bool v) {
    if (v == shown_ || !window_) return;
    NOTIFYICONDATAW d = iconData(window_.get(), Icon, Hint);
    notifyIcon(v ? NIM_ADD : NIM_DELETE, d);
    shown_ = v;
}

void TkvTrayIcon::SetPopupMenu(TkvSkinPopupMenu* m) {
    if (popupMenu_ && popupMenu_ != m) removeFreeNotification(popupMenu_);
    popupMenu_ = m;
    if (m) freeNotification(m);
}

void TkvTrayIcon::Notified(UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        if (OnDblClick) OnDblClick(this);
    } else if (mouseMessage == WM_RBUTTONUP && popupMenu_) {
        POINT p{};
        GetCursorPos(&p);
        SetForegroundWindow(window_.get());  // so that the menu closes when the user clicks elsewhere
        popupMenu_->PopupAt(p.x, p.y);
    }
}

void TkvTrayIcon::notification(fw::Component* c, fw::Operation op) {
    fw::Component::notification(c, op);
    if (op == fw::Operation::Remove && c == popupMenu_) popupMenu_ = nullptr;
}
