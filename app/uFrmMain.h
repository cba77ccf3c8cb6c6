// The main window: the file-name and password fields, the compact and exit buttons, the banner panel, the
// status bar and the message box component. Built with the platform's plain controls until the skinned
// components take their places.
#pragma once

#include <windows.h>

#include <string>

#include "app/Compaction.h"
#include "skin/dialogs/PlainHandles.h"
#include "skin/dialogs/kvMessages.h"

inline constexpr wchar_t kMainFormClass[] = L"TfrmMain";
inline constexpr wchar_t kApplicationTitle[] = L"KovraAccess数据库压缩器 V1.0";

// Control identifiers of the main window's elements.
enum MainFormControlId : int {
    idTopPnl = 1000,
    idImg1,
    idImg2,
    idKvSkinLabel1,
    idEdtDatabaseFile,
    idEdtDatabaseFileButton,  // the browse button inside the file-name field
    idKvSkinLabel2,
    idEdtPassword,
    idKvSkinButton1,
    idKvSkinButton2,
    idLmStatusBar1,
};

class TfrmMain {
public:
    // Creates the window and all its elements (hidden). `engineFactory` creates the compaction engine.
    explicit TfrmMain(EngineFactory engineFactory);
    ~TfrmMain();
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    HWND handle() const { return window_.get(); }
    void show();
    // Runs the message loop until the window closes.
    int run();
    // Applies the window's keyboard navigation to a message; true when it was used.
    bool preTranslate(MSG& msg);

    // Commands.
    void kvSkinButton1Click();
    void kvSkinButton2Click();
    void browseDatabaseFile();
    bool CompactDatabaseFile(const std::u16string& fileName, const std::u16string& password);

    TkvSkinMessage SkinMessage;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void createElements();
    std::u16string controlText(int id) const;

    EngineFactory engineFactory_;
    kvui::OwnedGdi<HFONT> font_;
    kvui::OwnedWindow window_;
};
