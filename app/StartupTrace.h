// An opt-in record of how long the program takes to show its main window. When the environment variable
// KV_STARTUP_TRACE names a file (a benchmark passes a named pipe), the moments marked on the way are written there
// as one line, "freq=F name=T name=T ...", in QueryPerformanceCounter ticks, so that a benchmark can place them
// beside its own clock. Without the variable nothing is recorded or written.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class StartupTrace {
public:
    StartupTrace();  // marks "entry" when enabled
    bool enabled() const { return !file_.empty(); }
    void mark(const char* name);
    // Writes the line once; later calls do nothing.
    void write();

private:
    std::wstring file_;
    std::vector<std::pair<const char*, LONGLONG>> marks_;
};
