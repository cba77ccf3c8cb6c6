#include "gif/GIFWinSupport.h"

#include <stdexcept>

namespace {

constexpr UINT kCallMessage = WM_APP + 0x47;  // lParam: the call; the reply is nonzero after an exception
const wchar_t kClassName[] = L"KovraGIFSynchronizer";

struct PendingCall {
    const std::function<void()>* fn;
    std::exception_ptr error;
};

LRESULT CALLBACK syncWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

ATOM registerSyncClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = syncWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc);
    }();
    return atom;
}

}  // namespace

GIFSynchronizer::GIFSynchronizer() : threadId_(GetCurrentThreadId()) {
    registerSyncClass();
    window_.reset(
        CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw std::runtime_error("cannot create the painter's synchronisation window");
}

namespace {

LRESULT CALLBACK syncWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kCallMessage) {
        auto* call = reinterpret_cast<PendingCall*>(lp);
        try {
            (*call->fn)();
        } catch (...) {
            call->error = std::current_exception();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void GIFSynchronizer::Call(const std::function<void()>& fn) {
    if (GetCurrentThreadId() == threadId_) {
        fn();
        return;
    }
    PendingCall call{&fn, nullptr};
    SendMessageW(window_.get(), kCallMessage, 0, reinterpret_cast<LPARAM>(&call));
    if (call.error) std::rethrow_exception(call.error);
}

void GIFWaitServicingCalls(const HANDLE* handles, DWORD count) {
    for (DWORD i = 0; i < count; ++i) {
        for (;;) {
            const DWORD r = MsgWaitForMultipleObjects(1, &handles[i], FALSE, INFINITE, QS_SENDMESSAGE);
            if (r != WAIT_OBJECT_0 + 1) break;  // signalled, or the wait failed
            MSG msg;
            // Only sent messages are dispatched here; posted ones stay queued for the message loop.
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
}

bool GIFPaletteScreen() {
    fw::WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES) < 9;
}
