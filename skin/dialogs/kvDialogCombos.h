// The open dialog's two combo boxes: the folder box (shell folders with their small icons, indented by level,
// from the desktop down, with the chain of any folder shown inserted below its deepest listed ancestor) and the
// file-type box (the filter's descriptions, with their masks alongside).
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

// A platform combo box in drop-down-list mode: items, the selected index and a change event.
class DialogComboBox : public fw::WindowedControl {
public:
    explicit DialogComboBox(fw::Component* owner, bool extended);
    int ItemIndex();
    void SetItemIndex(int i);
    int Count();
    fw::NotifyEvent OnChange;
    // Rows of the drop-down list.
    int DropDownCount = 10;

protected:
    void createParams(CreateParams& p) override;
    void wndProc(fw::Message& m) override;
    void windowDestroying() override;
    bool extended_;
    int index_ = -1;
};

class TkvFolderComboBox : public DialogComboBox {
public:
    explicit TkvFolderComboBox(fw::Component* owner);

    // The desktop at level 0, its folders at level 1, the computer's drives at level 2 after the computer.
    void BuildFromRoot();
    // Selects the folder, first inserting the chain of its ancestors below the deepest one listed.
    void ShowFolder(const ITEMIDLIST* absolute);
    const ITEMIDLIST* SelectedFolder();
    int Level(int i) const { return entries_.at(static_cast<size_t>(i)).level; }
    std::wstring Caption(int i) const;
    int IndexOf(const ITEMIDLIST* absolute) const;

    // A folder was chosen in the box (not by ShowFolder).
    std::function<void(const ITEMIDLIST*)> OnFolderSelected;

protected:
    void windowCreated() override;

private:
    struct Entry {
        std::unique_ptr<TkvShellFolder> folder;
        int level = 0;
    };
    void Insert(int at, std::unique_ptr<TkvShellFolder> folder, int level);

    std::vector<Entry> entries_;
    bool showing_ = false;
};

class TkvSkinFilterComboBox : public DialogComboBox {
public:
    explicit TkvSkinFilterComboBox(fw::Component* owner);
    // The filter's descriptions become the items, item 0 selected.
    void SetFilter(const std::wstring& filter);
    // The selected pair's mask (see CurrentMask).
    std::wstring Mask();

private:
    std::vector<FilterPair> pairs_;
};
