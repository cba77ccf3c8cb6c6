// Program entry: OLE and COM on the user-interface thread, the application title, the main form, the message loop.
#include <windows.h>
#include <ole2.h>

#include "app/JroEngine.h"
#include "app/uFrmMain.h"
#include "framework/Application.h"
#include "gif/GIFImage.h"

namespace {

// OLE for the shell views of the open-file dialog; released when the program ends.
class OleScope {
public:
    OleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (ok_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool ok_;
};

// COM in a single-threaded apartment: the compaction creates its engine object on this thread.
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    GIFImageRegister();  // the GIF unit registers itself; naming it here keeps it linked from the archive
    OleScope ole;
    fw::Application application;
    ComScope com;
    application.setTitle(kApplicationTitle);
    try {
        application.createForm<TfrmMain>(EngineFactory(&CreateJroEngine));
    } catch (const std::exception& e) {
        fw::showException(e);
        return 1;
    }
    application.run();
    return 0;
}
