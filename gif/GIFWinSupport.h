// Windows helpers of the GIF painter: calls handed to the user-interface thread, and the screen depth check for
// automatic dithering.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>

#include "framework/Handles.h"

// Runs functions on the thread that created it (the user-interface thread), for painter threads that must not
// draw themselves. A hidden message-only window receives the calls; the calling thread waits until the call has
// run, and an exception thrown by the call is raised again in the caller.
class GIFSynchronizer {
public:
    GIFSynchronizer();
    void Call(const std::function<void()>& fn);
    DWORD ThreadId() const { return threadId_; }

private:
    fw::Window window_;
    DWORD threadId_;
};

// Waits until every handle is signalled, running the calls that other threads send to this thread meanwhile
// (a painter blocked in GIFSynchronizer::Call must be able to finish).
void GIFWaitServicingCalls(const HANDLE* handles, DWORD count);

// True when the screen shows at most 8 bits per pixel (bits per pixel x colour planes below 9).
bool GIFPaletteScreen();
