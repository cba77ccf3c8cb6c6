// Helpers for driving windows as a user would: find a top-level window of a process by class and caption,
// read texts, wait with a deadline while the calling thread's messages keep flowing.
#pragma once

#include <windows.h>

#include <string>

namespace kvtest {

inline std::wstring windowText(HWND h) {
    wchar_t buf[512] = {};
    GetWindowTextW(h, buf, 512);
    return buf;
}

struct TopLevelSearch {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* caption;
    HWND found;
};

inline BOOL CALLBACK matchTopLevel(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<TopLevelSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    wchar_t name[128] = {};
    GetClassNameW(h, name, 128);
    if ((s->pid == 0 || owner == s->pid) && IsWindowVisible(h) && lstrcmpW(name, s->cls) == 0 &&
        (s->caption == nullptr || windowText(h) == s->caption)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of process `pid` (0: any) with this class (and caption, when not null).
inline HWND findTopLevel(DWORD pid, const wchar_t* cls, const wchar_t* caption = nullptr) {
    TopLevelSearch s{pid, cls, caption, nullptr};
    EnumWindows(&matchTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Polls `probe` until it returns a window or the deadline passes, pumping this thread's messages.
template <class Probe>
HWND waitForWindow(Probe probe, DWORD timeoutMs = 20000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND h = probe()) return h;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
    return nullptr;
}

}  // namespace kvtest
