// Program entry: the application title, the main form, the message loop.
#include <windows.h>
#include <shellapi.h>

#include "app/JroEngine.h"
#include "app/StartupTrace.h"
#include "app/uFrmMain.h"
#include "framework/Application.h"
#include "gif/GIFImage.h"

namespace {

// The first argument of the command line: the database "Open with" or a shortcut names; empty without one.
std::wstring firstArgument() {
    // The shell's parser is loaded only when there is something to parse: a plain start does without it.
    const wchar_t* rest = GetCommandLineW();
    if (*rest == L'"') {
        for (++rest; *rest && *rest != L'"'; ++rest) {
        }
        if (*rest) ++rest;
    } else {
        while (*rest && *rest != L' ' && *rest != L'\t') ++rest;
    }
    while (*rest == L' ' || *rest == L'\t') ++rest;
    if (!*rest) return {};
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
    // OLE and COM on this thread start when first needed (fw::useOle): the open-file dialog's shell views, the
    // compaction's engine object, a banner's link. The window shows without them.
    fw::Application application;
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
