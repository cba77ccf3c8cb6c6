#include "skin/dialogs/kvDialogCombos.h"

#include "framework/Canvas.h"

// ---- TkvFolderComboBox -----------------------------------------------------------------------------------------

TkvFolderComboBox::TkvFolderComboBox(fw::Component* owner) : TkvSkinComboBox(owner) {
    OnChange = [this](fw::Component*) {
        if (const ITEMIDLIST* folder = SelectedFolder(); folder && OnFolderSelected) OnFolderSelected(folder);
    };
    OnDrawItem = [this](fw::Canvas& canvas, int index, const fw::Rect& area, bool, bool inDropDown) {
        DrawFolder(canvas, index, area, inDropDown);
    };
}

void TkvFolderComboBox::DrawFolder(fw::Canvas& canvas, int index, const fw::Rect& area, bool inDropDown) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    // In the list the icon moves right by half an icon a level; the closed box shows no indentation.
    const int icon = GetSystemMetrics(SM_CXSMICON);
    const int x = area.left + 2 + (inDropDown ? entries_[static_cast<size_t>(index)].level * icon / 2 : 0);
    const int y = area.top + (area.height() - icon) / 2;
    ImageList_Draw(SystemImageList(false), static_cast<int>(ItemData(index)), canvas.handle(), x, y, ILD_TRANSPARENT);
    fw::Rect text{x + icon + 4, area.top, area.right, area.bottom};
    canvas.drawText(ItemText(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TkvFolderComboBox::Insert(int at, std::unique_ptr<TkvShellFolder> folder, int level) {
    InsertItem(at, folder->DisplayName(), folder->ImageIndex(false));
    entries_.insert(entries_.begin() + at, Entry{std::move(folder), level});
}

void TkvFolderComboBox::BuildFromRoot() {
    entries_.clear();
    ClearItems();
    auto root = TkvShellFolder::Root(rfDesktop);
    TkvShellFolder* desktop = root.get();
    Insert(0, std::move(root), 0);
    Pidl drives;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.put());
    const auto children = [](TkvShellFolder* parent) {
        std::vector<std::unique_ptr<TkvShellFolder>> out;
        IShellFolder* shell = parent->ShellFolder();
        for (ShellItem& item : ListShellFolder(shell, otFolders, nullptr, [](bool folder, const std::wstring&) {
                 return folder;
             })) {
            shell->AddRef();
            Pidl absolute = CombinePidl(parent->AbsoluteID(), item.relative.get());
            out.push_back(std::make_unique<TkvShellFolder>(parent, fw::ComPtr<IShellFolder>(shell),
                                                           std::move(item.relative), std::move(absolute)));
        }
        return out;
    };
    for (auto& child : children(desktop)) {
        const bool computer = drives && ILIsEqual(child->AbsoluteID(), drives.get());
        TkvShellFolder* added = child.get();
        Insert(static_cast<int>(entries_.size()), std::move(child), 1);
        if (computer)
            for (auto& drive : children(added)) Insert(static_cast<int>(entries_.size()), std::move(drive), 2);
    }
}

int TkvFolderComboBox::IndexOf(const ITEMIDLIST* absolute) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (ILIsEqual(entries_[i].folder->AbsoluteID(), absolute)) return static_cast<int>(i);
    return -1;
}

const ITEMIDLIST* TkvFolderComboBox::SelectedFolder() {
    const int i = ItemIndex();
    return i >= 0 && i < static_cast<int>(entries_.size()) ? entries_[static_cast<size_t>(i)].folder->AbsoluteID()
                                                           : nullptr;
}

std::wstring TkvFolderComboBox::Caption(int i) const { return entries_.at(static_cast<size_t>(i)).folder->DisplayName(); }

void TkvFolderComboBox::ShowFolder(const ITEMIDLIST* absolute) {
    if (!absolute) return;
    int at = IndexOf(absolute);
    if (at < 0) {
        // Ancestors of the folder, nearest first, up to the deepest one listed.
        std::vector<Pidl> chain;
        chain.push_back(ClonePidl(absolute));
        int anchor = -1;
        while (!ILIsEmpty(chain.back().get())) {
            Pidl up = ClonePidl(chain.back().get());
            ILRemoveLastID(up.get());
            anchor = IndexOf(up.get());
            if (anchor >= 0) break;
            chain.push_back(std::move(up));
        }
        if (anchor < 0) anchor = 0;
        int level = entries_.empty() ? 0 : entries_[static_cast<size_t>(anchor)].level;
        at = entries_.empty() ? 0 : anchor + 1;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            Insert(at, TkvShellFolder::FromAbsolute(it->get()), ++level);
            ++at;
        }
        --at;
    }
    SetItemIndex(at);
}

// ---- TkvSkinFilterComboBox -------------------------------------------------------------------------------------

TkvSkinFilterComboBox::TkvSkinFilterComboBox(fw::Component* owner) : TkvSkinComboBox(owner) {}

void TkvSkinFilterComboBox::SetFilter(const std::wstring& filter) {
    pairs_ = SplitFilter(filter);
    ClearItems();
    for (const FilterPair& p : pairs_) AddItem(p.description);
    SetItemIndex(0);
}

std::wstring TkvSkinFilterComboBox::Mask() {
    if (ItemIndex() < 0 && !pairs_.empty()) SetItemIndex(static_cast<int>(pairs_.size()) - 1);
    return CurrentMask(pairs_, ItemIndex());
}
