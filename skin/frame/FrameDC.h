// The device context of a whole window, frame included (GetWindowDC / ReleaseDC), counted like the framework's
// other GDI wrappers.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

class FrameWindowDC {
public:
    explicit FrameWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {
        if (dc_) ++fw::gdiLiveCounter();
    }
    ~FrameWindowDC() {
        if (dc_) {
            ReleaseDC(hwnd_, dc_);
            --fw::gdiLiveCounter();
        }
    }
    FrameWindowDC(const FrameWindowDC&) = delete;
    FrameWindowDC& operator=(const FrameWindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};
