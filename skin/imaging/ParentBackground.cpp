#include "skin/imaging/ParentBackground.h"

#include "framework/Handles.h"

namespace {

// A form is a window of its own on the desktop: not a child window.
bool isForm(HWND w) { return (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) == 0; }

// The multi-document client window of a form, if it has one.
HWND mdiClientOf(HWND form) { return FindWindowExW(form, nullptr, L"MDICLIENT", nullptr); }

}  // namespace

void PaintParentBackground(HWND control, HDC dc, std::span<const GraphicSibling> siblings) {
    HWND parent = GetParent(control);
    if (!parent || !dc) return;
    RECT wr{};
    GetWindowRect(control, &wr);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&wr), 2);
    const fw::Rect self{wr.left, wr.top, wr.right, wr.bottom};
    RECT client{};
    GetClientRect(parent, &client);
    {
        fw::SavedDC saved(dc);
        SetWindowOrgEx(dc, self.left, self.top, nullptr);
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        HWND mdi = isForm(parent) ? mdiClientOf(parent) : nullptr;
        if (mdi) {
            SendMessageW(mdi, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        } else {
            SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            if (!isForm(parent)) SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        }
    }
    for (const GraphicSibling& s : siblings) {
        if (!s.visible || !s.paint || s.bounds.intersect(self).empty()) continue;
        fw::SavedDC saved(dc);
        SetWindowOrgEx(dc, self.left - s.bounds.left, self.top - s.bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, s.bounds.width(), s.bounds.height());
        s.paint(dc);
    }
}
