#include "skin/controls/ClipboardText.h"

std::wstring ClipboardLine(HWND owner) {
    std::wstring out;
    if (!OpenClipboard(owner)) return out;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            // The block's size bounds the read: a text without its terminating zero ends there.
            const size_t cap = GlobalSize(h) / sizeof(wchar_t);
            size_t n = 0;
            while (n < cap && p[n] != 0 && p[n] != L'\r' && p[n] != L'\n') ++n;
            out.reserve(n);
            out.assign(p, n);
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }
