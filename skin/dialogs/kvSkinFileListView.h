// The open dialog's file list: the platform's list view in virtual mode over one shell folder. The listing is a
// vector of plain records; the list view asks for the caption, icon and details of the rows it draws, so a
// folder of thousands of files costs one enumeration and no window or object per file. Four views, the shell's
// columns or four of our own, sorting by column, Backspace/Enter/F5, type-ahead, caption editing (renaming
// through the shell) and header sections drawn from a button description.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/WindowedControl.h"
#include "skin/dialogs/OpenDialogRules.h"
#include "skin/dialogs/kvShellFolder.h"
#include "skin/data/kvSkinDataLink.h"

class TkvSkinData;

enum TkvViewStyle { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };

// A list view column: its caption, width in pixels and alignment (LVCFMT_*).
struct FileListColumn {
    std::wstring caption;
    int width = 0;
    int format = LVCFMT_LEFT;
    int shellColumn = -1;  // the shell's column index, -1 for our own
};

class TkvSkinFileListView : public fw::WindowedControl {
public:
    explicit TkvSkinFileListView(fw::Component* owner);
    ~TkvSkinFileListView() override;

    // ---- Folder ----
    // Opens a folder (the list takes it over); OnFolderChange follows.
    void OpenFolder(std::unique_ptr<TkvShellFolder> folder);
    // Opens a path or throws ShellError "Error setting path: "%s"".
    void SetPath(const std::wstring& path);
    TkvShellFolder* Folder() const { return folder_.get(); }
    // The current folder's file-system path, empty for a virtual folder.
    std::wstring FolderPath() const;
    void GoUp();
    // Lists again, keeping the selected index.
    void Refresh();

    // ---- Listing ----
    const std::wstring& Mask() const { return mask_; }
    void SetMask(const std::wstring& mask);
    bool ShowHiddenFiles = false;
    bool MultiSelection() const { return multiSelect_; }
    void SetMultiSelection(bool v);
    int ItemCount() const { return static_cast<int>(items_.size()); }
    const ShellItem& Item(int i) const { return items_.at(static_cast<size_t>(i)); }
    // The full path of an item (its parsing name), and the item's own shell object.
    std::wstring ItemPath(int i) const;
    std::unique_ptr<TkvShellFolder> ItemObject(int i) const;
    int SelectedIndex();
    std::vector<int> SelectedIndexes();
    void SelectItem(int i);
    int IndexOfName(const std::wstring& name) const;
    // Starts caption editing of an item (renaming).
    void EditCaption(int i);

    // ---- Looks ----
    TkvViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TkvViewStyle v);
    const std::vector<FileListColumn>& Columns() const { return columns_; }
    SortState Sort() const { return sort_; }
    void SortByColumn(int column);
    std::string HeaderSkinDataName = "resizebutton";
    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* d);
    // Captions of the four fallback columns: Name, Size, Type, Modified.
    std::wstring FallbackCaptions[4] = {L"Name", L"Size", L"Type", L"Modified"};

    // ---- Events ----
    fw::NotifyEvent OnFolderChange;
    fw::NotifyEvent OnSelectionChange;
    // A file was double-clicked (its index).
    std::function<void(int)> OnFileDoubleClick;
    // Enter with a file selected.
    fw::NotifyEvent OnEnterFile;
    // Alt+Enter on an item: the shell's properties of it unless this is set.
    std::function<void(int)> OnProperties;
    // The list's own scroll state may have changed (scrolling, sizing, a new listing).
    fw::NotifyEvent OnScrollChanged;

    // The list view's notifications, passed on by the parent that receives them.
    LRESULT HandleNotify(NMHDR* hdr);
    bool wantsKey(WPARAM key) const override;

protected:
    void createParams(CreateParams& p) override;
    void windowCreated() override;
    void wndProc(fw::Message& m) override;

private:
    void ListItems(int keepIndex);
    void ApplyViewStyle();
    void BuildColumns();
    void FillDisplayInfo(LVITEMW& item);
    std::wstring DetailText(int index, int column);
    LRESULT DrawHeaderSection(NMCUSTOMDRAW* cd);
    void KeyDown(WPARAM key);
    void OpenItem(int index);
    void EndLabelEdit(NMLVDISPINFOW* info);
    void ShowProperties(int index);

    std::unique_ptr<TkvShellFolder> folder_;
    std::vector<ShellItem> items_;
    // What the rows show, fetched when first drawn.
    struct RowCache {
        std::wstring display;
        int smallIcon = -2, largeIcon = -2;
    };
    std::vector<RowCache> cache_;
    std::vector<FileListColumn> columns_;
    std::wstring mask_ = kKeepAllMask;
    std::wstring detailBuffer_;  // the text handed to the list view, alive until its next request
    TkvViewStyle viewStyle_ = vsList;
    SortState sort_;
    bool multiSelect_ = false;
    bool detailsRead_ = false;  // sizes, times and types read for sorting
    TkvSkinDataLink skinData_;
};
