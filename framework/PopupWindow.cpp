#include "framework/PopupWindow.h"

namespace fw {

LRESULT CALLBACK windowProcEntry(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {
constexpr wchar_t kPopupClass[] = L"KvPopup";
constexpr wchar_t kShadowPopupClass[] = L"KvPopupShadow";

// One class per class style: the drop shadow is a class style, so popups with and without it need two classes.
const wchar_t* popupClass(bool shadow) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_SAVEBITS | CS_DBLCLKS;
        wc.lpfnWndProc = windowProcEntry;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPopupClass;
        const bool plain = RegisterClassExW(&wc) != 0;
        wc.style |= CS_DROPSHADOW;
        wc.lpszClassName = kShadowPopupClass;
        return RegisterClassExW(&wc) != 0 && plain;
    }();
    (void)registered;
    return shadow ? kShadowPopupClass : kPopupClass;
}
}  // namespace

PopupWindow::PopupWindow(Component* owner) : CustomControl(owner) { setVisible(false); }

void PopupWindow::createParams(CreateParams& p) {
    CustomControl::createParams(p);
    p.className = popupClass(dropShadow_);
    p.style = WS_POPUP | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.parent = ownerWindow_;
}

void PopupWindow::showAt(const Rect& bounds) {
    setBounds(bounds.left, bounds.top, bounds.width(), bounds.height());
    HWND h = handle();
    SetWindowPos(h, HWND_TOPMOST, bounds.left, bounds.top, bounds.width(), bounds.height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    setVisible(true);
}

void PopupWindow::wndProc(Message& m) {
    switch (m.msg) {
        case WM_MOUSEACTIVATE: m.result = MA_NOACTIVATE; return;
        case CM_VISIBLECHANGED:
            if (handleAllocated()) ShowWindow(handle(), visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
            return;
        default: CustomControl::wndProc(m);
    }
}

}  // namespace fw
