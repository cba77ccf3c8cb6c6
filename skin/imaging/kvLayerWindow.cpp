#include "skin/imaging/kvLayerWindow.h"

#include <algorithm>

#include "skin/imaging/GlowFade.h"

namespace {

constexpr UINT_PTR kFadeTimer = 1;
constexpr wchar_t kClassName[] = L"TkvLayerWindow";

LRESULT CALLBACK layerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;  // a click never activates a glow
        case WM_TIMER:
            if (wp == kFadeTimer) {
                if (auto* m = reinterpret_cast<TkvLayerManager*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) m->FadeStep();
                return 0;
            }
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// The window class, registered once per process; it saves the screen under the glow.
bool registerLayerClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = layerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

TkvLayerWindow::TkvLayerWindow(TkvLayerManager& owner, int x, int y, fw::ConstPixelView image, fw::ConstPixelView mask,
                               bool topMost)
    : position_{x, y} {
    if (image.empty() || !registerLayerClass()) return;
    picture_.Assign(image);
    if (mask.width == image.width && mask.height == image.height) {
        picture_.MaskToAlpha(mask);
    } else {
        fw::PixelView v = picture_.Pixels();
        for (int row = 0; row < v.height; ++row)
            for (int col = 0; col < v.width; ++col) v.at(col, row) |= 0xFF000000u;
    }
    PremultiplyAlpha(picture_.Pixels(), picture_.Pixels());

    // Transparent to the pointer: a glow lies over the button it belongs to, and the button must stay hot below it.
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, kClassName, L"", WS_POPUP, x, y, image.width,
                                  image.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_.get()) return;
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner));
    SetWindowLongW(window_.get(), GWL_EXSTYLE, GetWindowLongW(window_.get(), GWL_EXSTYLE) | WS_EX_LAYERED);
    SetOpacity(0);
    SetWindowPos(window_.get(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

TkvLayerWindow::~TkvLayerWindow() {
    if (!window_.get()) return;
    KillTimer(window_.get(), kFadeTimer);
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    SetWindowPos(window_.get(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

bool TkvLayerWindow::SetOpacity(int opacity) {
    if (!window_.get() || picture_.Empty()) return false;
    fw::WindowDC screen(nullptr);
    SIZE size{picture_.Width(), picture_.Height()};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(opacity, 0, 255)), AC_SRC_ALPHA};
    return UpdateLayeredWindow(window_.get(), screen.get(), &position_, &size, picture_.DC(), &origin, 0, &blend,
                               ULW_ALPHA) != 0;
}

TkvLayerManager::~TkvLayerManager() { Hide(); }

bool TkvLayerManager::Available() {
    const DWORD v = GetVersion();
    return LOBYTE(LOWORD(v)) >= 5;
}

void TkvLayerManager::Show(int x, int y, int opacity, fw::ConstPixelView image, fw::ConstPixelView mask) {
    Hide();
    if (!Available() || image.empty()) return;
    target_ = std::clamp(opacity, 0, 255);
    opacity_ = 0;
    window_ = std::make_unique<TkvLayerWindow>(*this, x, y, image, mask, TopMost);
    if (!window_->Handle()) {
        window_.reset();
        return;
    }
    fading_ = opacity_ != target_ && SetTimer(window_->Handle(), kFadeTimer, kGlowFadeInterval, nullptr) != 0;
}

void TkvLayerManager::Hide() {
    fading_ = false;
    window_.reset();  // stops the timer, frees the picture, hides and destroys the window
    opacity_ = 0;
}

void TkvLayerManager::FadeStep() {
    if (!window_ || !fading_) return;
    opacity_ = NextFadeOpacity(opacity_, target_);
    window_->SetOpacity(opacity_);
    if (opacity_ >= target_) {
        KillTimer(window_->Handle(), kFadeTimer);
        fading_ = false;
    }
}
