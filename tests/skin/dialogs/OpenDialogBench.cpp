// Opens a folder in the skinned open dialog and in the platform's own open dialog and prints how long each took
// until its window was ready with the folder listed. Run by hand:
//   kvopendialog_bench FOLDER [hold-seconds]
// With hold-seconds the skinned dialog stays open that long first (to look at it).
#include <windows.h>
#include <commdlg.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "../controls/WinTestSkin.h"
#include "framework/Application.h"
#include "skin/dialogs/kvOpenDlgForm.h"
#include "skin/dialogs/kvSkinFileListView.h"
#include "skin/dialogs/kvSkinOpenDialog.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr UINT kReadyMessage = WM_APP + 72;
constexpr UINT_PTR kHoldTimer = 0x4B56;  // not one of the window's own timers

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

double skinnedDialog(fw::Application& app, const std::wstring& folder, int holdSeconds, int& listed, TkvSkinData* skin) {
    TkvSkinOpenDialog dialog;
    dialog.SetSkinData(skin);
    dialog.SetCtrlSkinData(skin);
    dialog.InitialDir = folder;
    bool posted = false;
    dialog.OnFolderChange = [&](fw::Component*) {
        if (!posted && dialog.Form()) {
            posted = true;
            PostMessageW(dialog.Form()->handle(), kReadyMessage, 0, 0);
        }
    };
    double ready = 0;
    const Clock::time_point start = Clock::now();
    app.hookMessages(&dialog, [&](MSG& msg) {
        if (msg.message != kReadyMessage || !dialog.Form()) return false;
        // The first posted message runs once the window is shown; everything in it is painted now.
        RedrawWindow(dialog.Form()->handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ready = msSince(start);
        listed = dialog.Form()->FileList->ItemCount();
        if (holdSeconds > 0) SetTimer(dialog.Form()->handle(), kHoldTimer, static_cast<UINT>(holdSeconds) * 1000, nullptr);
        else dialog.Form()->setModalResult(fw::mrCancel);
        return true;
    });
    app.hookMessages(&ready, [&](MSG& msg) {
        if (msg.message != WM_TIMER || msg.wParam != kHoldTimer || !dialog.Form()) return false;
        dialog.Form()->setModalResult(fw::mrCancel);
        return true;
    });
    dialog.Execute();
    app.unhookMessages(&dialog);
    app.unhookMessages(&ready);
    return ready;
}

Clock::time_point platformStart;
double platformReady = 0;

UINT_PTR CALLBACK platformHook(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_NOTIFY && reinterpret_cast<OFNOTIFYW*>(lp)->hdr.code == CDN_INITDONE)
        PostMessageW(dlg, kReadyMessage, 0, 0);
    if (msg == kReadyMessage) {
        RedrawWindow(GetParent(dlg), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        platformReady = msSince(platformStart);
        PostMessageW(GetParent(dlg), WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}

double platformDialog(const std::wstring& folder) {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrFilter = L"All files\0*.*\0";
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST;
    ofn.lpfnHook = platformHook;
    platformStart = Clock::now();
    GetOpenFileNameW(&ofn);
    return platformReady;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kvopendialog_bench FOLDER [hold-seconds]\n");
        return 2;
    }
    CoInitialize(nullptr);
    fw::Application app;
    const int hold = argc > 2 ? _wtoi(argv[2]) : 0;
    // The program's skin, as the dialog shows in the program.
    TkvCompressedStoredSkin stored;
    TkvSkinData skin;
    kvtest::LoadEmbeddedSkin(stored, skin);
    int listed = 0;
    const double skinned = skinnedDialog(app, argv[1], hold, listed, &skin);
    if (hold > 0) return 0;
    const double again = skinnedDialog(app, argv[1], 0, listed, &skin);
    const double platform = platformDialog(argv[1]);
    const double platformAgain = platformDialog(argv[1]);
    std::printf("skinned dialog: %.0f ms, again %.0f ms (%d items listed)\n", skinned, again, listed);
    std::printf("platform dialog: %.0f ms, again %.0f ms\n", platform, platformAgain);
    CoUninitialize();
    return 0;
}
