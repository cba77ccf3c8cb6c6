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

#include "skin/controls/kvSkinComboBox.h"
#include "skin/dialogs/OpenDialogRules.h"
#include "skin/dialogs/kvShellFolder.h"

class TkvFolderComboBox : public TkvSkinComboBox {
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

private:
    void DrawFolder(fw::Canvas& canvas, int index, const fw::Rect& area, bool inDropDown);
    struct Entry {
        std::unique_ptr<TkvShellFolder> folder;
        int level = 0;
    };
    void Insert(int at, std::unique_ptr<TkvShellFolder> folder, int level);

    std::vector<Entry> entries_;
};

class TkvSkinFilterComboBox : public TkvSkinComboBox {
public:
    explicit TkvSkinFilterComboBox(fw::Component* owner);
    // The filter's descriptions become the items, item 0 selected.
    void SetFilter(const std::wstring& filter);
    // The selected pair's mask (see CurrentMask).
    std::wstring Mask();

private:
    std::vector<FilterPair> pairs_;
};
