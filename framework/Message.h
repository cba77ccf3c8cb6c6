// A window message as it travels through a control's replaceable window procedure, and the framework's own
// private messages.
#pragma once

#include <windows.h>

namespace fw {

struct Message {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
};

// Notifications the framework sends to controls (through their window procedure, never through the platform).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_MOUSEENTER = CM_BASE + 1;    // the pointer entered the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2;    // the pointer left the control
constexpr UINT CM_FONTCHANGED = CM_BASE + 3;   // font changed (own or inherited from the parent)
constexpr UINT CM_COLORCHANGED = CM_BASE + 4;  // colour changed
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;   // caption / text changed
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 6;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 7;
// The focus moved to another control of the form: sent to every windowed control of the form, lParam the
// WindowedControl* that has the focus now.
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 8;

// Notifications a windowed parent reflects back to the child window that sent them: CN_BASE + the original message
// (WM_COMMAND, WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_DRAWITEM ...), same parameters.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;

// A mouse button went down, in a client or a non-client area: what closes popups and hints.
constexpr bool isButtonPress(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: return true;
        default: return false;
    }
}

}  // namespace fw
