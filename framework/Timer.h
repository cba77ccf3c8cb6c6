// A timer component: onTimer fires every interval milliseconds on the user-interface thread while enabled.
#pragma once

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/Handles.h"

namespace fw {

class Timer : public Component {
public:
    explicit Timer(Component* owner = nullptr, unsigned interval = 1000);
    ~Timer() override;

    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    unsigned interval() const { return interval_; }
    // Restarts the period when running.
    void setInterval(unsigned ms);

    NotifyEvent onTimer;

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void update();

    Window window_;  // message-only window that receives WM_TIMER
    unsigned interval_;
    bool enabled_ = false;
};

}  // namespace fw
