// Helpers for driving windows as a user would: find a top-level window of a process by class and caption,
// read texts, wait with a deadline while the calling thread's messages keep flowing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
    if ((s->pid == 0 || owner == s->pid) && IsWindowVisible(h) && (s->cls == nullptr || lstrcmpW(name, s->cls) == 0) &&
        (s->caption == nullptr || windowText(h) == s->caption)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of process `pid` (0: any) with this class (any, when null) and caption (when not null).
inline HWND findTopLevel(DWORD pid, const wchar_t* cls, const wchar_t* caption = nullptr) {
    TopLevelSearch s{pid, cls, caption, nullptr};
    EnumWindows(&matchTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct ChildSearch {
    const wchar_t* cls;
    const wchar_t* text;
    HWND found;
};

inline BOOL CALLBACK matchChild(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    wchar_t name[128] = {};
    GetClassNameW(h, name, 128);
    if (lstrcmpiW(name, s->cls) == 0 && (s->text == nullptr || windowText(h) == s->text)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A descendant window of `parent` with this class (any case) and text (when not null).
inline HWND findChild(HWND parent, const wchar_t* cls, const wchar_t* text = nullptr) {
    ChildSearch s{cls, text, nullptr};
    EnumChildWindows(parent, &matchChild, reinterpret_cast<LPARAM>(&s));
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

// Pumps this thread's messages until `done` holds or the deadline passes; says whether it holds.
template <class Predicate>
bool pumpUntil(Predicate done, DWORD timeoutMs = 20000) {
    return waitForWindow([&] { return done() ? HWND_MESSAGE : nullptr; }, timeoutMs) != nullptr;
}

}  // namespace kvtest

namespace kvtest {

// Answers the message boxes this thread shows, one after another, from a timer that runs inside their modal
// loops: records each box's caption and text, then presses the next button of the script.
// The message of a message box, as the box copies it to the clipboard on the copy message (the text between the
// second and third rule lines of its copy).
inline std::wstring boxMessage(HWND box) {
    SendMessageW(box, WM_COPY, 0, 0);
    std::wstring all;
    if (OpenClipboard(nullptr)) {
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
                all = p;
                GlobalUnlock(h);
            }
        }
        CloseClipboard();
    }
    const std::wstring rule = L"---------------------------\r\n";
    std::size_t a = all.find(rule);
    if (a == std::wstring::npos) return {};
    a = all.find(rule, a + rule.size());
    if (a == std::wstring::npos) return {};
    a += rule.size();
    const std::size_t b = all.find(L"\r\n" + rule, a);
    return b == std::wstring::npos ? std::wstring() : all.substr(a, b - a);
}

class BoxAnswerer {
public:
    struct Box {
        std::wstring caption;
        std::wstring text;
    };
    BoxAnswerer(const wchar_t* boxClass, int buttonIdBase, std::vector<int> script)
        : boxClass_(boxClass), buttonIdBase_(buttonIdBase), script_(std::move(script)) {
        current() = this;
        timer_ = SetTimer(nullptr, 0, 20, &BoxAnswerer::tick);
    }
    ~BoxAnswerer() {
        KillTimer(nullptr, timer_);
        current() = nullptr;
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    const std::vector<Box>& boxes() const { return boxes_; }

private:
    static BoxAnswerer*& current() {
        static BoxAnswerer* c = nullptr;  // the answerer of the running test
        return c;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        BoxAnswerer* self = current();
        if (self == nullptr) return;
        HWND box = findTopLevel(GetCurrentProcessId(), self->boxClass_);
        if (box == nullptr || box == self->last_) return;
        self->last_ = box;
        self->boxes_.push_back({windowText(box), boxMessage(box)});
        const std::size_t i = self->boxes_.size() - 1;
        const int button = i < self->script_.size() ? self->script_[i] : self->script_.back();
        PostMessageW(GetDlgItem(box, self->buttonIdBase_ + button), BM_CLICK, 0, 0);
    }
    const wchar_t* boxClass_;
    int buttonIdBase_;
    std::vector<int> script_;
    std::vector<Box> boxes_;
    HWND last_ = nullptr;
    UINT_PTR timer_ = 0;
};

}  // namespace kvtest
