#include "framework/Timer.h"

#include <exception>

#include "framework/Application.h"
#include "framework/MessageWindow.h"

namespace fw {

namespace {
constexpr wchar_t kTimerClass[] = L"KvTimer";
}

Timer::Timer(Component* owner, unsigned interval) : Component(owner), interval_(interval) {}

Timer::~Timer() {
    if (window_) KillTimer(window_.get(), 1);
}

LRESULT CALLBACK Timer::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        auto* t = reinterpret_cast<Timer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        try {
            if (t && t->enabled_ && t->onTimer) t->onTimer(t);
        } catch (const std::exception& e) {
            showException(e);  // errors must not unwind through the platform's dispatcher
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Timer::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    update();
}

void Timer::setInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    update();
}

void Timer::update() {
    if (window_) KillTimer(window_.get(), 1);
    if (!enabled_ || interval_ == 0) return;
    if (!window_) window_ = createMessageWindow(kTimerClass, proc, this);
    SetTimer(window_.get(), 1, interval_, nullptr);
}

}  // namespace fw
