// A message-only window (no screen area, never shown) for a helper that receives messages on the user-interface
// thread: a timer's ticks, a worker's "done".
#pragma once

#include "framework/Handles.h"

namespace fw {

// Creates one of class `className` (registered with `proc` on first use) whose GWLP_USERDATA holds `owner`.
Window createMessageWindow(const wchar_t* className, WNDPROC proc, void* owner);

}  // namespace fw
