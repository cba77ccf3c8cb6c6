// Pointer input as the mouse makes it (SendInput): it goes through the platform's input queue to the window
// under the pointer, with its hit test, capture and activation, which messages sent to a window skip.
#pragma once

#include <windows.h>

#include "framework/Application.h"

namespace kvtest {

// Runs the message loop for a while.
inline void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        fw::processMessages();
        Sleep(2);
    } while (GetTickCount() - start < ms);
}

// Moves the pointer to a screen point, then lets the window see it for longer than a 50 ms pointer poll.
inline void pointerTo(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    pumpFor(80);
}

// One button event (MOUSEEVENTF_LEFTDOWN, ...) where the pointer is.
inline void pointerButton(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
    pumpFor(40);
}

// A left click at a screen point.
inline void clickAt(int x, int y) {
    pointerTo(x, y);
    pointerButton(MOUSEEVENTF_LEFTDOWN);
    pointerButton(MOUSEEVENTF_LEFTUP);
}

// The centre of a window on the screen.
inline POINT centreOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace kvtest
