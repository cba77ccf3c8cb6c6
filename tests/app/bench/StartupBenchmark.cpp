// Start-up of the program beside a bare platform program, in one run: each is started N times, interleaved, with
// KV_STARTUP_TRACE naming a pipe of ours; both write when their windows have painted completely. The bare window
// takes the outer size of the program's main window. Prints the median of each moment after process creation and
// the ratio of the medians to first paint. Usage: startup_benchmark [RUNS] [PROGRAM] [BARE_PROGRAM]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Platform.h"

namespace {

const char* const kMoments[] = {"entry", "form", "windows", "shown", "painted"};

using Moments = std::map<std::string, double>;  // milliseconds after CreateProcess was called

double ticksToMs(LONGLONG ticks, LONGLONG frequency) { return 1000.0 * static_cast<double>(ticks) / frequency; }

LONGLONG now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

struct Found {
    DWORD threadId;
    RECT bounds;
};

BOOL CALLBACK findShown(HWND hwnd, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (!IsWindowVisible(hwnd)) return TRUE;
    GetWindowRect(hwnd, &found->bounds);
    return FALSE;
}

// Waits for `ready` while taking this thread's messages (a starting program may send to every top-level window);
// false when `process` ends first or a minute passes.
bool waitPumping(HANDLE ready, HANDLE process) {
    const HANDLE waits[] = {ready, process};
    const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    const LONGLONG deadline = now() + 60 * frequency;
    while (now() < deadline) {
        const DWORD r = MsgWaitForMultipleObjects(2, waits, FALSE, 1000, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r == WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return false;
}

// Starts the command line, reads its trace line through a fresh pipe, notes the outer size of its shown window in
// `size`, and ends it. Empty on failure.
Moments startOnce(const std::wstring& commandLine, int sequence, SIZE* size) {
    const std::wstring pipeName =
        L"\\\\.\\pipe\\kv-startup-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(sequence);
    const fw::KernelHandle pipe(CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                                 PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 4096, 0, nullptr));
    if (!pipe) return {};
    SetEnvironmentVariableW(L"KV_STARTUP_TRACE", pipeName.c_str());
    const fw::KernelHandle connected(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED overlapped{};
    overlapped.hEvent = connected.get();
    ConnectNamedPipe(pipe.get(), &overlapped);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    const LONGLONG start = now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
    const fw::KernelHandle process(pi.hProcess), thread(pi.hThread);

    std::string text;
    if (waitPumping(connected.get(), process.get())) {
        char buffer[512];
        DWORD got = 0;
        for (;;) {
            OVERLAPPED reading{};
            reading.hEvent = connected.get();
            ResetEvent(connected.get());
            if (!ReadFile(pipe.get(), buffer, sizeof buffer, nullptr, &reading) && GetLastError() != ERROR_IO_PENDING)
                break;
            if (!GetOverlappedResult(pipe.get(), &reading, &got, TRUE) || got == 0) break;
            text.append(buffer, got);
        }
    }
    Found found{pi.dwThreadId, {}};
    EnumThreadWindows(pi.dwThreadId, findShown, reinterpret_cast<LPARAM>(&found));
    size->cx = found.bounds.right - found.bounds.left;
    size->cy = found.bounds.bottom - found.bounds.top;
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);

    std::istringstream in(text);
    std::map<std::string, LONGLONG> raw;
    for (std::string item; in >> item;)
        if (auto eq = item.find('='); eq != std::string::npos)
            raw[item.substr(0, eq)] = std::atoll(item.c_str() + eq + 1);
    if (!raw.count("freq") || !raw.count("painted")) return {};
    Moments moments;
    for (const auto& [name, ticks] : raw)
        if (name != "freq") moments[name] = ticksToMs(ticks - start, raw["freq"]);
    return moments;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::wstring besideSelf(const wchar_t* relative) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + relative;
    wchar_t full[MAX_PATH];
    return GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr) ? full : path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    const std::wstring program = argc > 2 ? argv[2] : besideSelf(L"..\\..\\KovraAccess.exe");
    const std::wstring bare = argc > 3 ? argv[3] : besideSelf(L"bare_window.exe");

    // The desktop lives as long as a process uses it: holding it here keeps its start out of every run, as on a
    // real system, where it always exists.
    GetDesktopWindow();

    // One start of each, not counted, fills the file cache and gives the program's window size.
    SIZE size{};
    int sequence = 0;
    if (startOnce(L"\"" + program + L"\"", sequence++, &size).empty()) {
        std::fwprintf(stderr, L"no trace from %ls\n", program.c_str());
        return 1;
    }
    const std::wstring bareLine =
        L"\"" + bare + L"\" " + std::to_wstring(size.cx) + L" " + std::to_wstring(size.cy);
    SIZE bareSize{};
    startOnce(bareLine, sequence++, &bareSize);
    std::printf("window %ldx%ld (bare %ldx%ld), %d runs each, interleaved\n", size.cx, size.cy, bareSize.cx,
                bareSize.cy, runs);

    std::map<std::string, std::vector<double>> ours, reference;
    std::vector<double> pairRatios;
    for (int i = 0; i < runs; ++i) {
        // Alternate which goes first, so that neither always follows the other.
        Moments a, b;
        SIZE ignored{};
        if (i % 2 == 0) {
            a = startOnce(L"\"" + program + L"\"", sequence++, &ignored);
            b = startOnce(bareLine, sequence++, &ignored);
        } else {
            b = startOnce(bareLine, sequence++, &ignored);
            a = startOnce(L"\"" + program + L"\"", sequence++, &ignored);
        }
        if (a.empty() || b.empty()) {
            std::fprintf(stderr, "run %d: no trace\n", i);
            continue;
        }
        for (const auto& [k, v] : a) ours[k].push_back(v);
        for (const auto& [k, v] : b) reference[k].push_back(v);
        pairRatios.push_back(a["painted"] / b["painted"]);
    }
    std::printf("%-9s %12s %12s   (ms after CreateProcess, medians)\n", "moment", "program", "bare");
    for (const char* m : kMoments)
        std::printf("%-9s %12.2f %12.2f\n", m, median(ours[m]), median(reference[m]));
    const double a = median(ours["painted"]), b = median(reference["painted"]);
    std::printf("first complete paint: program/bare = %.2f (median of pair ratios %.2f)\n", b > 0 ? a / b : 0,
                median(pairRatios));
    return 0;
}
