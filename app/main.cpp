// Program entry: OLE and COM on the user-interface thread, the application title, the main form, the message loop.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include "app/JroEngine.h"
#include "app/StartupTrace.h"
#include "app/uFrmMain.h"
#include "framework/Application.h"
#include "gif/GIFImage.h"

namespace {

// One initialisation of this thread (OLE, COM), undone when the program ends if it succeeded.
class ThreadInitialisation {
public:
    ThreadInitialisation(HRESULT result, void(WINAPI* undo)()) : undo_(SUCCEEDED(result) ? undo : nullptr) {}
    ~ThreadInitialisation() {
        if (undo_) undo_();
    }
    ThreadInitialisation(const ThreadInitialisation&) = delete;
    ThreadInitialisation& operator=(const ThreadInitialisation&) = delete;

private:
    void(WINAPI* undo_)();
};

// The first argument of the command line: the database "Open with" or a shortcut names; empty without one.
std::wstring firstArgument() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return {};
    std::wstring first = count > 1 ? args[1] : L"";
    LocalFree(args);
    return first;
}

// For a start-up benchmark: shows the main form as run() will, takes messages until none is left (every window
// has painted), and writes the trace.
void traceFirstPaint(StartupTrace& trace, fw::Form& form) {
    form.handle();
    trace.mark("windows");
    form.show();
    trace.mark("shown");
    fw::processMessages();
    trace.mark("painted");
    trace.write();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    StartupTrace trace;
    GIFImageRegister();  // the GIF unit registers itself; naming it here keeps it linked from the archive
    // OLE for the shell views of the open-file dialog.
    ThreadInitialisation ole(OleInitialize(nullptr), OleUninitialize);
    fw::Application application;
    // COM in a single-threaded apartment: the compaction creates its engine object on this thread.
    ThreadInitialisation com(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), CoUninitialize);
    application.setTitle(kApplicationTitle);
    try {
        TfrmMain& form = application.createForm<TfrmMain>(EngineFactory(&CreateJroEngine));
        form.OpenDatabaseFile(firstArgument());
        trace.mark("form");
        if (trace.enabled()) traceFirstPaint(trace, form);
    } catch (const std::exception& e) {
        fw::showException(e);
        return 1;
    }
    application.run();
    return 0;
}
