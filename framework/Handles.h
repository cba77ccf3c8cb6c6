// Owning and non-owning wrappers for platform handles. Every owning type is move-only and releases its handle with
// the one call that matches how it was obtained. GDI wrappers count their live handles (gdiLiveCount) because the
// platform's own counter is not available everywhere.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

namespace fw {

// Live GDI objects and device contexts held by the wrappers below.
std::atomic<long>& gdiLiveCounter();
inline long gdiLiveCount() { return gdiLiveCounter().load(); }

// A window created by us; DestroyWindow on destruction. release() gives up ownership when the platform already
// destroyed the window (WM_NCDESTROY).
class Window {
public:
    Window() = default;
    explicit Window(HWND h) : h_(h) {}
    ~Window() { reset(); }
    Window(Window&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    Window& operator=(Window&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    HWND get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HWND release() { return std::exchange(h_, nullptr); }
    void reset(HWND h = nullptr) {
        if (h_) DestroyWindow(h_);
        h_ = h;
    }

private:
    HWND h_ = nullptr;
};

// A window we do not own (a parent, a window the platform hands us).
struct WindowView {
    HWND hwnd = nullptr;
    explicit operator bool() const { return hwnd != nullptr; }
};

// A GDI object (pen, brush, font, bitmap, region); DeleteObject on destruction.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {
        if (h_) ++gdiLiveCounter();
    }
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(H h = nullptr) {
        if (h_) { DeleteObject(h_); --gdiLiveCounter(); }
        h_ = h;
        if (h_) ++gdiLiveCounter();
    }
    // Hands the handle to the platform (for example SetWindowRgn, which then owns the region).
    H release() {
        if (h_) --gdiLiveCounter();
        return std::exchange(h_, nullptr);
    }

private:
    H h_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// A device context lent to us (WM_PAINT's wParam, WM_ERASEBKGND's wParam).
struct DCView {
    HDC hdc = nullptr;
    explicit operator bool() const { return hdc != nullptr; }
};

// GetDC / ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
        if (dc_) ++gdiLiveCounter();
    }
    ~WindowDC() {
        if (dc_) { ReleaseDC(hwnd_, dc_); --gdiLiveCounter(); }
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
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {
        if (dc_) ++gdiLiveCounter();
    }
    ~MemoryDC() { reset(); }
    MemoryDC(MemoryDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& o) noexcept {
        if (this != &o) { reset(); dc_ = std::exchange(o.dc_, nullptr); }
        return *this;
    }
    HDC get() const { return dc_; }

private:
    void reset() {
        if (dc_) { DeleteDC(dc_); --gdiLiveCounter(); dc_ = nullptr; }
    }
    HDC dc_ = nullptr;
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

// A COM interface pointer; Release on destruction.
template <class I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    // Takes over a reference the caller already owns.
    static ComPtr attach(I* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters of creation calls: releases the current pointer first.
    I** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_) { p_->Release(); p_ = nullptr; }
    }

private:
    I* p_ = nullptr;
};

// An icon we loaded or created; DestroyIcon on destruction (shared icons from LoadIcon must not be wrapped).
class IconHandle {
public:
    IconHandle() = default;
    explicit IconHandle(HICON h) : h_(h) {
        if (h_) ++gdiLiveCounter();
    }
    ~IconHandle() { reset(); }
    IconHandle(IconHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    IconHandle& operator=(IconHandle&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, nullptr); }
        return *this;
    }
    HICON get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset() {
        if (h_) { DestroyIcon(h_); --gdiLiveCounter(); h_ = nullptr; }
    }

private:
    HICON h_ = nullptr;
};

}  // namespace fw
