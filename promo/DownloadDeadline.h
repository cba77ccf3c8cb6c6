// The time limit of one synchronous download, also while no data arrives. The download service calls its
// bind-status object only when something happens, so a server that accepts and then sends nothing would hold the
// download for as long as the connection lives. A timer thread sends a message, at the deadline, to a message-only
// window of the downloading thread; the service's wait pumps the messages sent to that thread, so the window
// abandons the transfer there, on the thread that owns it. Lives on the downloading thread's stack around the call.
#pragma once

#include <windows.h>

#include <thread>

#include "framework/Handles.h"
#include "framework/Platform.h"

class HttpStatusWatch;

class DownloadDeadline {
public:
    DownloadDeadline(HttpStatusWatch& watch, DWORD milliseconds);
    ~DownloadDeadline();  // stops the timer thread; a deadline that has not come does nothing
    DownloadDeadline(const DownloadDeadline&) = delete;
    DownloadDeadline& operator=(const DownloadDeadline&) = delete;

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HttpStatusWatch& watch_;
    fw::Window window_;
    fw::KernelHandle stop_;
    std::thread timer_;
};
