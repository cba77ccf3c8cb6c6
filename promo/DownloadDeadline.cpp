#include "promo/DownloadDeadline.h"

#include "framework/MessageWindow.h"
#include "promo/HttpStatusWatch.h"

namespace {

constexpr wchar_t kDeadlineClass[] = L"KvDownloadDeadline";
constexpr UINT kDeadlinePassed = WM_APP + 1;
constexpr UINT kWake = WM_APP + 2;

}  // namespace

DownloadDeadline::DownloadDeadline(HttpStatusWatch& watch, DWORD milliseconds)
    : watch_(watch),
      window_(fw::createMessageWindow(kDeadlineClass, proc, this)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!window_ || !stop_.valid()) return;  // then only the bind-status object's own checks bound the time
    timer_ = std::thread([hwnd = window_.get(), stop = stop_.get(), milliseconds] {
        // A sent message, which the service's wait handles whatever it takes from the queue, and a posted one
        // that only wakes that wait (it may otherwise sleep for seconds before it looks again).
        if (WaitForSingleObject(stop, milliseconds) == WAIT_TIMEOUT) {
            SendNotifyMessageW(hwnd, kDeadlinePassed, 0, 0);
            PostMessageW(hwnd, kWake, 0, 0);
        }
    });
}

DownloadDeadline::~DownloadDeadline() {
    if (timer_.joinable()) {
        SetEvent(stop_.get());
        timer_.join();
    }
    // A deadline message still pending is discarded with the window.
}

LRESULT CALLBACK DownloadDeadline::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kDeadlinePassed) {
        if (auto* deadline = reinterpret_cast<DownloadDeadline*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            deadline->watch_.Abandon();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
