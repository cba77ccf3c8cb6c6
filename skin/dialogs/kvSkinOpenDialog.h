// The open-file dialog component: its properties, and Execute, which builds a TkvOpenDlgForm for one run, shows it
// modally and keeps the filter index, the window's size and the list's view style for the next run.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/Font.h"
#include "skin/data/kvSkinDataLink.h"

class TkvSkinData;
class TkvOpenDlgForm;

class TkvSkinOpenDialog : public fw::Component {
public:
    explicit TkvSkinOpenDialog(fw::Component* owner = nullptr);
    ~TkvSkinOpenDialog() override;

    std::wstring Title = L"Open file";
    std::wstring Filter = L"All files|*.*";
    int FilterIndex = 1;
    std::wstring FileName;
    std::wstring InitialDir;
    std::wstring DefaultExt;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    bool ShowHiddenFiles = false;
    bool OverwritePromt = false;  // no effect: the dialog only opens
    bool ToolButtonsTransparent = false;
    int DialogWidth = 0, DialogHeight = 0;
    int DialogMinWidth = 0, DialogMinHeight = 0;
    std::string LVHeaderSkinDataName = "resizebutton";
    fw::Font DefaultFont{L"Arial", 14};
    bool AlphaBlend = false, AlphaBlendAnimation = false;
    int AlphaBlendValue = 225;
    bool CtrlAlphaBlend = false, CtrlAlphaBlendAnimation = false;
    int CtrlAlphaBlendValue = 225;
    fw::NotifyEvent OnShow, OnClose, OnFolderChange;

    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* d);
    TkvSkinData* CtrlSkinData() const { return ctrlSkinData_; }
    void SetCtrlSkinData(TkvSkinData* d);

    // The list's view style kept between runs (TkvViewStyle; the list style at first).
    int ViewStyle = 2;
    // After an accepted run: the full paths of the selected files.
    std::vector<std::wstring> SelectedFiles;

    // Shows the dialog; true when a file was chosen (FileName is then its full path).
    bool Execute();
    // The window of the run in progress (for tests and the folder-change handler), null outside Execute.
    TkvOpenDlgForm* Form() const { return form_; }

private:
    TkvSkinDataLink skinData_;
    TkvSkinDataLink ctrlSkinData_;
    TkvOpenDlgForm* form_ = nullptr;
};
