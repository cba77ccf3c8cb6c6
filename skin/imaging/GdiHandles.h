// Owning wrappers for the few platform handles the imaging code holds (a small local set until the framework's
// handle types are available to build on; the names follow them so that switching is a rename).
#pragma once

#include <windows.h>

#include <utility>

namespace fw::imaging {

// A GDI object; DeleteObject on destruction.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(H h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }
    // Hands the handle over (SetWindowRgn takes ownership of a region it accepts).
    H release() { return std::exchange(h_, nullptr); }

private:
    H h_ = nullptr;
};

using BitmapHandle = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// CreateCompatibleDC / DeleteDC.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(MemoryDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& o) noexcept {
        if (this != &o) {
            if (dc_) DeleteDC(dc_);
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    HDC get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// GetDC(nullptr) / ReleaseDC: the screen.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a DC for the guard's lifetime and puts the previous one back.
class SelectGuard {
public:
    SelectGuard() = default;
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() {
        if (dc_ && old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    // Whether the selection succeeded.
    bool ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// SaveDC / RestoreDC around changes of origin and clipping.
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

// A window we created; DestroyWindow on destruction.
class WindowHandle {
public:
    WindowHandle() = default;
    explicit WindowHandle(HWND h) : h_(h) {}
    ~WindowHandle() { reset(); }
    WindowHandle(WindowHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    WindowHandle& operator=(WindowHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    HWND get() const { return h_; }
    void reset(HWND h = nullptr) {
        if (h_) DestroyWindow(h_);
        h_ = h;
    }

private:
    HWND h_ = nullptr;
};

}  // namespace fw::imaging
