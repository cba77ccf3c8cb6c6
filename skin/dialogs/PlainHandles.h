// Owning wrappers for the window and GDI handles of the plain dialogs: move-only, released with the one
// right call.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace kvui {

// A window we created; DestroyWindow on destruction.
class OwnedWindow {
public:
    OwnedWindow() = default;
    explicit OwnedWindow(HWND h) : h_(h) {}
    ~OwnedWindow() { reset(); }
    OwnedWindow(OwnedWindow&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    OwnedWindow& operator=(OwnedWindow&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    HWND get() const { return h_; }
    // Gives up ownership (the platform already destroyed the window).
    HWND release() { return std::exchange(h_, nullptr); }
    void reset() {
        if (h_ != nullptr && IsWindow(h_)) DestroyWindow(h_);
        h_ = nullptr;
    }

private:
    HWND h_ = nullptr;
};

// A GDI object (font, brush); DeleteObject on destruction.
template <class H>
class OwnedGdi {
public:
    OwnedGdi() = default;
    explicit OwnedGdi(H h) : h_(h) {}
    ~OwnedGdi() { reset(); }
    OwnedGdi(OwnedGdi&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    OwnedGdi& operator=(OwnedGdi&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    OwnedGdi(const OwnedGdi&) = delete;
    OwnedGdi& operator=(const OwnedGdi&) = delete;
    H get() const { return h_; }
    void reset() {
        if (h_ != nullptr) DeleteObject(h_);
        h_ = nullptr;
    }

private:
    H h_ = nullptr;
};

// A device context from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects a GDI object into a DC for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Font description as the components hold it: face, height as the platform's font height value, style, character set.
struct FontSpec {
    std::wstring name = L"Arial";
    int height = 14;
    bool bold = false;
    BYTE charset = DEFAULT_CHARSET;
};

// Registers a window class of this module with the button-face background and the arrow cursor (once).
inline bool registerPlainWindowClass(const wchar_t* className, WNDPROC proc) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, className, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

inline OwnedGdi<HFONT> createFont(const FontSpec& f) {
    return OwnedGdi<HFONT>(CreateFontW(f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, f.charset,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, f.name.c_str()));
}

}  // namespace kvui
