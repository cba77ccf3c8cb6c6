// The open dialog's window, built for one run: a tool bar (the "Look in: " label, the folder box, back, up,
// new-folder and view-menu buttons), the file list in the centre, and a bottom panel with the file-name edit, the
// file-type box and the Open and Cancel buttons. It knows the accept rules, the history and new folders.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Form.h"
#include "framework/Handles.h"
#include "framework/StdControls.h"
#include "skin/dialogs/OpenDialogRules.h"

class TkvSkinData;
class TkvKelvaneForm;
class TkvSkinStdLabel;
class TkvSkinButton;
class TkvSkinPopupMenu;
class TkvSkinFileListView;
class TkvFolderComboBox;
class TkvSkinFilterComboBox;
class TkvSkinScrollBar;
class TkvSkinToolBar;
class TkvSkinEdit;
class TkvSkinPanel;
class TkvSkinMenuButton;

// Window class of the dialog, for finding it.
inline constexpr wchar_t kOpenDlgFormClass[] = L"TkvOpenDlgForm";

// The interface texts of the dialog with their built-in English.
struct OpenDialogText {
    const char* key;
    const wchar_t* builtIn;
};
inline constexpr OpenDialogText kTextLookIn{"FLV_LOOKIN", L"Look in: "};
inline constexpr OpenDialogText kTextBackHint{"MSG_BTN_BACK_HINT", L"Go To Last Folder Visited"};
inline constexpr OpenDialogText kTextUpHint{"MSG_BTN_UP_HINT", L"Up One Level"};
inline constexpr OpenDialogText kTextNewFolderHint{"MSG_BTN_NEWFOLDER_HINT", L"Create New Folder"};
inline constexpr OpenDialogText kTextViewMenuHint{"MSG_BTN_VIEWMENU_HINT", L"View Menu"};
inline constexpr OpenDialogText kTextViews[4] = {{"MSG_LV_ICON", L"Large icons"},
                                                 {"MSG_LV_SMALLICON", L"Small icons"},
                                                 {"MSG_LV_LIST", L"List"},
                                                 {"MSG_LV_DETAILS", L"Details"}};
inline constexpr OpenDialogText kTextOpen{"MSG_BTN_OPEN", L"&Open"};
inline constexpr OpenDialogText kTextCancel{"MSG_BTN_CANCEL", L"Cancel"};
inline constexpr OpenDialogText kTextFileName{"MSG_FILENAME", L"File name:"};
inline constexpr OpenDialogText kTextFileType{"MSG_FILETYPE", L"File type:"};
inline constexpr OpenDialogText kTextNewFolder{"MSG_NEWFOLDER", L"New Folder"};
// Why a typed path is refused; "%s" stands for the path.
inline constexpr OpenDialogText kTextFileNotFound{"MSG_FILE_NOT_FOUND",
                                                  L"%s\nThe file does not exist. Check the name and try again."};
inline constexpr OpenDialogText kTextFolderNotFound{"MSG_FOLDER_NOT_FOUND",
                                                    L"%s\nThe folder does not exist. Check the path and try again."};
inline constexpr OpenDialogText kTextColumns[4] = {{"FLV_NAME", L"Name"},
                                                   {"FLV_SIZE", L"Size"},
                                                   {"FLV_TYPE", L"Type"},
                                                   {"FLV_MODIFIED", L"Modified"}};

// The text of a key from the model's interface texts, else the built-in one.
std::wstring OpenDialogString(const TkvSkinData* model, const OpenDialogText& text);

class TkvOpenDlgForm : public fw::Form {
public:
    TkvOpenDlgForm(fw::Component* owner, bool toolButtonsTransparent, TkvSkinData* ctrlSkinData);
    ~TkvOpenDlgForm() override;

    TkvKelvaneForm* SkinForm = nullptr;
    TkvSkinToolBar* ToolBar = nullptr;
    TkvSkinStdLabel* LookInLabel = nullptr;
    TkvFolderComboBox* FolderCombo = nullptr;
    TkvSkinButton *BackButton = nullptr, *UpButton = nullptr, *NewFolderButton = nullptr;
    TkvSkinMenuButton* ViewButton = nullptr;
    TkvSkinPopupMenu* ViewMenu = nullptr;
    TkvSkinPanel* CenterPanel = nullptr;  // the skin's "panel" frame around the list and its bars
    TkvSkinScrollBar *HorzScrollBar = nullptr, *VertScrollBar = nullptr;
    // Holds the list a scroll bar's width larger than itself, so that the list's own bars stay out of sight.
    fw::Panel* ListClip = nullptr;
    TkvSkinFileListView* FileList = nullptr;
    TkvSkinPanel* BottomPanel = nullptr;  // the panel's background, no border
    TkvSkinStdLabel *FileNameLabel = nullptr, *FileTypeLabel = nullptr;
    TkvSkinEdit* FileNameEdit = nullptr;
    TkvSkinFilterComboBox* TypeCombo = nullptr;
    TkvSkinButton *OpenButton = nullptr, *CancelButton = nullptr;

    bool CheckFileExists = true;
    std::wstring DefaultExt;
    fw::NotifyEvent OnFolderChange;

    // After an accepted run: the chosen path and every selected file.
    std::wstring Result;
    std::vector<std::wstring> SelectedFiles;
    FolderHistory& History() { return history_; }
    int NewFolderCount() const { return newFolderCount_; }

    // The user's actions, also for tests.
    void GoBack();
    void GoUp();
    void CreateNewFolder();
    void SetViewStyle(int style);
    void Open();
    void EditEnter();

protected:
    void createParams(CreateParams& p) override;
    void resized() override;

private:
    void BuildToolBar(bool flat);
    void BuildBottomPanel();
    void LayOut();
    // The skinned bars follow the list's own scroll state.
    void SyncScrollBars();
    void FolderChanged();
    void SelectionChanged();
    AcceptInput MakeAcceptInput() const;
    void Apply(const AcceptDecision& d);
    // Tells the user, in a box over the dialog, why a typed path was not taken; the edit keeps the text.
    void SayWhy(const AcceptDecision& d);
    // Closes with OK: the result and the selected files (the result alone when no file is selected).
    void Accept(const std::wstring& result);
    std::wstring Text(const OpenDialogText& t) const;

    TkvSkinData* ctrlSkinData_;
    FolderHistory history_;
    bool goingBack_ = false;
    bool syncing_ = false;
    int newFolderCount_ = 0;
};
