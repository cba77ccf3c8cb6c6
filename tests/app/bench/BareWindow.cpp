// The start-up benchmark's reference: a plain platform program that opens one empty window of a given outer size
// ("bare_window WIDTH HEIGHT") and marks the same moments as the program's start-up trace.
#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "app/StartupTrace.h"

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    StartupTrace trace;
    int width = 400, height = 300;
    // The runtime's own arguments: the shell's parser would load the shell at start, which the program does not.
    if (__argc > 2) {
        width = _wtoi(__wargv[1]);
        height = _wtoi(__wargv[2]);
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KvBareWindow";
    RegisterClassExW(&wc);
    trace.mark("form");
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, width, height, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    trace.mark("windows");
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    trace.mark("shown");
    MSG msg;
    if (trace.enabled()) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        trace.mark("painted");
        trace.write();
    }
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
