#include "skin/dialogs/kvDialogCombos.h"

#include "framework/Message.h"

// ---- DialogComboBox --------------------------------------------------------------------------------------------

DialogComboBox::DialogComboBox(fw::Component* owner, bool extended) : fw::WindowedControl(owner), extended_(extended) {
    setTabStop(true);
}

void DialogComboBox::createParams(CreateParams& p) {
    fw::WindowedControl::createParams(p);
    p.className = extended_ ? WC_COMBOBOXEXW : L"COMBOBOX";
    p.platformClass = true;
    p.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
}

int DialogComboBox::ItemIndex() {
    if (handleAllocated()) index_ = static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
    return index_;
}

void DialogComboBox::SetItemIndex(int i) {
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    ItemIndex();
}

void DialogComboBox::windowDestroying() {
    ItemIndex();  // the choice outlives the window
    fw::WindowedControl::windowDestroying();
}

int DialogComboBox::Count() {
    return handleAllocated() ? static_cast<int>(SendMessageW(handle(), CB_GETCOUNT, 0, 0)) : 0;
}

void DialogComboBox::wndProc(fw::Message& m) {
    if (m.msg == fw::CN_COMMAND && HIWORD(m.wParam) == CBN_SELCHANGE) {
        if (OnChange) OnChange(this);
        m.result = 0;
        return;
    }
    fw::WindowedControl::wndProc(m);
}

// ---- TkvFolderComboBox -----------------------------------------------------------------------------------------

TkvFolderComboBox::TkvFolderComboBox(fw::Component* owner) : DialogComboBox(owner, true) {
    OnChange = [this](fw::Component*) {
        if (showing_) return;
        if (const ITEMIDLIST* folder = SelectedFolder(); folder && OnFolderSelected) OnFolderSelected(folder);
    };
}

void TkvFolderComboBox::windowCreated() {
    DialogComboBox::windowCreated();
    SendMessageW(handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(SystemImageList(false)));
}

void TkvFolderComboBox::Insert(int at, std::unique_ptr<TkvShellFolder> folder, int level) {
    COMBOBOXEXITEMW item{};
    const std::wstring caption = folder->DisplayName();
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
    item.iItem = at;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    item.iImage = item.iSelectedImage = folder->ImageIndex(false);
    item.iIndent = level;  // the box's own indentation step per level
    SendMessageW(handle(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    entries_.insert(entries_.begin() + at, Entry{std::move(folder), level});
}

void TkvFolderComboBox::BuildFromRoot() {
    entries_.clear();
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
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
    showing_ = true;
    SetItemIndex(at);
    showing_ = false;
}

// ---- TkvSkinFilterComboBox -------------------------------------------------------------------------------------

TkvSkinFilterComboBox::TkvSkinFilterComboBox(fw::Component* owner) : DialogComboBox(owner, false) {}

void TkvSkinFilterComboBox::SetFilter(const std::wstring& filter) {
    pairs_ = SplitFilter(filter);
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    for (const FilterPair& p : pairs_)
        SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.description.c_str()));
    SetItemIndex(0);
}

std::wstring TkvSkinFilterComboBox::Mask() {
    if (ItemIndex() < 0 && !pairs_.empty()) SetItemIndex(static_cast<int>(pairs_.size()) - 1);
    return CurrentMask(pairs_, ItemIndex());
}
