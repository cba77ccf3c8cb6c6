// Owning and non-owning wrappers for window and GDI handles. Every owning type is move-only and releases its handle
// with the one call that matches how it was obtained (the owners are UniqueHandle of Platform.h with their own
// traits). GDI wrappers count their live handles (gdiLiveCount) because the platform's own counter is not available
// everywhere.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

#include "framework/Platform.h"

namespace fw {

// Live GDI objects and device contexts held by the wrappers below.
std::atomic<long>& gdiLiveCounter();
inline long gdiLiveCount() { return gdiLiveCounter().load(); }

// A window created by us; DestroyWindow on destruction. release() gives up ownership when the platform already
// destroyed the window (WM_NCDESTROY).
using Window = UniqueHandle<NullableHandleTraits<HWND, &DestroyWindow>>;

// A window we do not own (a parent, a window a message names). fromWParam / fromLParam read it from the message
// parameter that carries it (WM_SETCURSOR's wParam, WM_COMMAND's and WM_CTLCOLOR*'s lParam).
class WindowView {
public:
    WindowView() = default;
    explicit WindowView(HWND h) : h_(h) {}
    static WindowView fromWParam(WPARAM w) { return WindowView(reinterpret_cast<HWND>(w)); }
    static WindowView fromLParam(LPARAM l) { return WindowView(reinterpret_cast<HWND>(l)); }
    HWND get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HWND h_ = nullptr;
};

// The traits of the counted GDI kinds: adopting a handle counts it, releasing or giving it away uncounts it.
template <class H, auto Close>
struct CountedGdiTraits : NullableHandleTraits<H, Close> {
    static void adopted(H) { ++gdiLiveCounter(); }
    static void disowned(H) { --gdiLiveCounter(); }
};

// A GDI object (pen, brush, font, bitmap, region); DeleteObject on destruction. release() hands the handle to the
// platform (for example SetWindowRgn, which then owns the region).
template <class H>
using GdiObject = UniqueHandle<CountedGdiTraits<H, &DeleteObject>>;

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// A device context lent to us: never released by us. fromWParam reads it from the message parameter that carries
// it (WM_ERASEBKGND, WM_PRINTCLIENT, WM_CTLCOLOR*).
class DCView {
public:
    DCView() = default;
    explicit DCView(HDC dc) : dc_(dc) {}
    static DCView fromWParam(WPARAM w) { return DCView(reinterpret_cast<HDC>(w)); }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

// GetDC (the client area) or GetWindowDC (the whole window, frame included) / ReleaseDC.
class WindowDC {
public:
    enum class Area { Client, WholeWindow };
    explicit WindowDC(HWND hwnd, Area area = Area::Client)
        : hwnd_(hwnd), dc_(area == Area::WholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {
        if (dc_) ++gdiLiveCounter();
    }
    ~WindowDC() {
        if (dc_) {
            ReleaseDC(hwnd_, dc_);
            --gdiLiveCounter();
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {
        if (dc_) ++gdiLiveCounter();
    }
    ~PaintDC() {
        EndPaint(hwnd_, &ps_);
        if (dc_) --gdiLiveCounter();
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const RECT& paintRect() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// CreateCompatibleDC / DeleteDC. The default-constructed wrapper holds nothing; MemoryDC(nullptr) makes a DC
// compatible with the screen.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    HDC get() const { return dc_.get(); }

private:
    UniqueHandle<CountedGdiTraits<HDC, &DeleteDC>> dc_;
};

// Selects a GDI object into a DC for the guard's lifetime and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC / RestoreDC around drawing that changes clipping, origin or mode.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDC() { RestoreDC(dc_, id_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int id_;
};

// An icon we loaded or created; DestroyIcon on destruction (shared icons from LoadIcon must not be wrapped).
using IconHandle = UniqueHandle<CountedGdiTraits<HICON, &DestroyIcon>>;

}  // namespace fw
