#include "app/StartupTrace.h"

#include <string>

#include "framework/Platform.h"

StartupTrace::StartupTrace() {
    wchar_t name[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"KV_STARTUP_TRACE", name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    file_.assign(name, length);
    mark("entry");
}

void StartupTrace::mark(const char* name) {
    if (!enabled()) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    marks_.emplace_back(name, now.QuadPart);
}

void StartupTrace::write() {
    if (!enabled()) return;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::string line = "freq=" + std::to_string(frequency.QuadPart);
    for (const auto& m : marks_) line += std::string(" ") + m.first + "=" + std::to_string(m.second);
    line += "\n";
    const fw::KernelHandle file(
        CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    file_.clear();
}
