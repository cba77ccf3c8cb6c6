// The main window in this process: how long its parts take to make (the skin alone, the whole form description,
// its windows), and a full repaint of the assembled window (frame, every control, the banners) beside the same
// repaint of an empty window of the same size, and of an empty window with empty child windows in the main
// window's places (what the platform alone costs for that many windows), interleaved. Prints medians in microseconds and the repaint's share
// of the 20 ms morph tick. Usage: main_window_benchmark [REPAINTS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "app/JroEngine.h"
#include "app/uFrmMain.h"
#include "framework/Application.h"
#include "framework/StandardClasses.h"
#include "framework/WindowedControl.h"
#include "gif/GIFImage.h"
#include "promo/Banners.h"
#include "skin/data/kvSkinData.h"

namespace {

constexpr int kBuilds = 15;
constexpr double kMorphTickUs = 20000;

double nowUs() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1e6 * static_cast<double>(t.QuadPart) / frequency;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <class F>
double timeUs(F&& f) {
    const double start = nowUs();
    f();
    return nowUs() - start;
}

LRESULT CALLBACK bareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

constexpr wchar_t kBareClass[] = L"KvBenchBareWindow";

HWND createBareWindow(const RECT& bounds) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = bareProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBareClass;
    RegisterClassExW(&wc);
    HWND h = CreateWindowExW(0, kBareClass, L"Bare window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, bounds.left,
                             bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    return h;
}

// Gives `copy` an empty child window in the place of each child window of `original`, all the way down.
void copyChildWindows(HWND original, HWND copy) {
    for (HWND child = GetWindow(original, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, original, reinterpret_cast<POINT*>(&r), 2);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE) & (WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
        HWND made = CreateWindowExW(0, kBareClass, L"", WS_CHILD | static_cast<DWORD>(style), r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, copy, nullptr, GetModuleHandleW(nullptr),
                                    nullptr);
        copyChildWindows(child, made);
    }
}

void redraw(HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

BOOL CALLBACK collectChild(HWND h, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
    return TRUE;
}

void printRow(const char* what, const std::vector<double>& us) {
    std::printf("%-34s %10.0f us  (min %.0f, %zu runs)\n", what, median(us), *std::min_element(us.begin(), us.end()),
                us.size());
}

}  // namespace

int main(int argc, char** argv) {
    const int repaints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    GIFImageRegister();

    // The skin alone, as the description's skin component loads it: inflate, pictures, skin description.
    const std::vector<std::uint8_t> packed = fw::loadResourceData(L"KVSKIN");
    std::vector<double> skin, application, form, windows, shown;
    for (int i = 0; i < kBuilds; ++i) {
        skin.push_back(timeUs([&] {
            TkvCompressedStoredSkin stored;
            stored.SetCompressedData(packed);
            TkvSkinData model(nullptr, nullptr);
            model.LoadStoredSkin(stored);
        }));
    }
    // The whole main form, as the program makes it, then its windows, then its show and first paint.
    for (int i = 0; i < kBuilds; ++i) {
        const double start = nowUs();
        fw::Application app;
        app.setTitle(kApplicationTitle);
        application.push_back(nowUs() - start);
        TfrmMain* f = nullptr;
        form.push_back(timeUs([&] { f = &app.createForm<TfrmMain>(EngineFactory(&CreateJroEngine)); }));
        windows.push_back(timeUs([&] { f->handle(); }));
        shown.push_back(timeUs([&] {
            f->show();
            fw::processMessages();
        }));
    }
    std::printf("making the main window (medians of %d)\n", kBuilds);
    printRow("skin alone (inflate+pictures+ini)", skin);
    printRow("application object", application);
    printRow("form description (with the skin)", form);
    printRow("windows", windows);
    printRow("show, until every window painted", shown);
    std::printf("  (the banners are filled on the first show of the process only, by a worker: not in these times)\n");

    fw::Application app;
    app.setTitle(kApplicationTitle);
    BannerFillCount = 0;  // this window gets its banners too, as the program's does
    TfrmMain& f = app.createForm<TfrmMain>(EngineFactory(&CreateJroEngine));
    f.show();
    // The banners arrive from a worker: repaint the window as the user sees it, with them (10 s at most).
    for (int i = 0; i < 500 && BannerFillCount < 1; ++i) {
        fw::processMessages();
        Sleep(20);
    }
    fw::processMessages();
    RECT bounds;
    GetWindowRect(f.handle(), &bounds);
    // The empty window goes to the screen's top left corner, clear of the centred main window, so that neither
    // hides part of the other.
    OffsetRect(&bounds, -bounds.left, -bounds.top);
    HWND bare = createBareWindow(bounds);
    OffsetRect(&bounds, 0, bounds.bottom - bounds.top);
    HWND bareWithChildren = createBareWindow(bounds);
    copyChildWindows(f.handle(), bareWithChildren);
    fw::processMessages();
    // Time spent inside our own paint handlers (frame, erase, paint of the form and of every windowed child),
    // against the whole repaint: what is left is the platform's (under Wine, per window).
    std::vector<HWND> windowed{f.handle()};
    EnumChildWindows(f.handle(), collectChild, reinterpret_cast<LPARAM>(&windowed));
    std::vector<double> handlerUs(windowed.size(), 0);
    int depth = 0;  // a handler that paints its parent's background into its own picture counts once
    // The timed procedures refer to these locals: the windows get their own procedures back before the locals go.
    std::vector<std::pair<fw::WindowedControl*, std::function<void(fw::Message&)>>> saved;
    for (std::size_t k = 0; k < windowed.size(); ++k) {
        fw::WindowedControl* c = fw::WindowedControl::fromHandle(windowed[k]);
        if (!c) continue;
        saved.emplace_back(c, c->windowProc);
        c->windowProc = [inner = c->windowProc, total = &handlerUs[k], &depth](fw::Message& m) {
            if ((m.msg != WM_PAINT && m.msg != WM_NCPAINT && m.msg != WM_ERASEBKGND) || depth > 0) return inner(m);
            ++depth;
            *total += timeUs([&] { inner(m); });
            --depth;
        };
    }
    std::vector<double> ours, reference, referenceWithChildren, handlers, handlerMean(windowed.size(), 0);
    for (int i = 0; i < repaints; ++i) {
        std::fill(handlerUs.begin(), handlerUs.end(), 0);
        ours.push_back(timeUs([&] { redraw(f.handle()); }));
        double sum = 0;
        for (std::size_t k = 0; k < handlerUs.size(); ++k) {
            sum += handlerUs[k];
            handlerMean[k] += handlerUs[k];
        }
        handlers.push_back(sum);
        reference.push_back(timeUs([&] { redraw(bare); }));
        referenceWithChildren.push_back(timeUs([&] { redraw(bareWithChildren); }));
        fw::processMessages();
    }
    for (auto& [c, proc] : saved) c->windowProc = std::move(proc);
    GetWindowRect(f.handle(), &bounds);
    std::printf("full repaint, %ldx%ld (RedrawWindow ... RDW_UPDATENOW, interleaved)\n", bounds.right - bounds.left,
                bounds.bottom - bounds.top);
    printRow("main window", ours);
    printRow("  of which in our paint handlers", handlers);
    printRow("empty window of the same size", reference);
    char label[64];
    std::snprintf(label, sizeof label, "  with %zu empty child windows", windowed.size() - 1);
    printRow(label, referenceWithChildren);
    std::printf("main window / empty window = %.2f, / with empty child windows = %.2f; main window = %.1f %% of the "
                "20 ms morph tick (the empty windows alone: %.1f %%)\n",
                median(ours) / median(reference), median(ours) / median(referenceWithChildren),
                100 * median(ours) / kMorphTickUs, 100 * median(referenceWithChildren) / kMorphTickUs);

    // Where the time goes: each window repainted alone (its own area only), and the frame alone.
    constexpr int kParts = 40;
    std::printf("each part alone (medians of %d)\n", kParts);
    std::vector<double> frame;
    for (int i = 0; i < kParts; ++i)
        frame.push_back(timeUs([&] {
            RedrawWindow(f.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
        }));
    printRow("form: frame and client, no children", frame);
    std::vector<HWND> children;
    EnumChildWindows(f.handle(), collectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        std::vector<double> us;
        for (int i = 0; i < kParts; ++i)
            us.push_back(timeUs([&] {
                RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
            }));
        const fw::WindowedControl* c = fw::WindowedControl::fromHandle(child);
        printRow(c ? c->name().c_str() : "(platform window)", us);
    }
    std::printf("our paint handlers per full repaint (outermost only, mean of %d)\n", repaints);
    for (std::size_t k = 0; k < windowed.size(); ++k) {
        const fw::WindowedControl* c = fw::WindowedControl::fromHandle(windowed[k]);
        std::printf("  %-32s %8.0f us\n", c ? c->name().c_str() : "(platform window)", handlerMean[k] / repaints);
    }
    DestroyWindow(bare);
    DestroyWindow(bareWithChildren);
    return 0;
}
