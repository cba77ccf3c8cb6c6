#include "skin/dialogs/kvShellFolder.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwctype>

#include "framework/Utf.h"
#include "skin/dialogs/OpenDialogRules.h"

namespace {

int csidlOf(TRootFolder r) {
    static const int table[] = {
        CSIDL_DESKTOP,        CSIDL_DRIVES,     CSIDL_NETWORK,       CSIDL_BITBUCKET, CSIDL_APPDATA,
        CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_STARTMENU, CSIDL_COMMON_STARTUP,
        CSIDL_CONTROLS,       CSIDL_DESKTOPDIRECTORY, CSIDL_FAVORITES, CSIDL_FONTS,    CSIDL_INTERNET,
        CSIDL_PERSONAL,       CSIDL_PRINTERS,   CSIDL_PRINTHOOD,     CSIDL_PROGRAMS,  CSIDL_RECENT,
        CSIDL_SENDTO,         CSIDL_STARTMENU,  CSIDL_STARTUP,       CSIDL_TEMPLATES};
    return table[r];
}

fw::ComPtr<IShellFolder> desktopFolder() {
    fw::ComPtr<IShellFolder> d;
    SHGetDesktopFolder(d.put());
    return d;
}

fw::ComPtr<IShellFolder> addRef(IShellFolder* f) {
    if (f) f->AddRef();
    return fw::ComPtr<IShellFolder>(f);
}

ShellError settingPathError(const std::wstring& root) {
    return ShellError("Error setting path: \"" + fw::wideToUtf8(root) + "\"");
}

std::int64_t localTicks(const FILETIME& utc) {
    FILETIME local{};
    FileTimeToLocalFileTime(&utc, &local);
    return (static_cast<std::int64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
}

}  // namespace

std::wstring StrRetText(STRRET& s, const ITEMIDLIST* pidl) {
    wchar_t* text = nullptr;
    if (FAILED(StrRetToStrW(&s, pidl, &text)) || !text) return {};
    std::wstring out(text);
    CoTaskMemFree(text);
    return out;
}

bool ShellIsFolder(SFGAOF attributes, const std::wstring& parsingName) {
    if (!(attributes & SFGAO_FOLDER)) return false;
    const size_t dot = parsingName.rfind(L'.'), slash = parsingName.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return true;
    std::wstring ext = parsingName.substr(dot);
    for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towupper(c));
    return ext != L".ZIP";
}

std::wstring ShellDisplayName(IShellFolder* folder, const ITEMIDLIST* relative, SHGDNF flags) {
    STRRET s{};
    if (!folder || FAILED(folder->GetDisplayNameOf(relative, flags, &s))) return {};
    return StrRetText(s, relative);
}

int ShellImageIndex(const ITEMIDLIST* absolute, bool large) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof info, flags)) return -1;
    return info.iIcon;
}

HIMAGELIST SystemImageList(bool large) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags));
}

// ---- TkvShellFolder --------------------------------------------------------------------------------------------

TkvShellFolder::TkvShellFolder(TkvShellFolder* parent, fw::ComPtr<IShellFolder> parentShell, Pidl relative,
                               Pidl absolute)
    : parent_(parent), parentShell_(std::move(parentShell)), relative_(std::move(relative)),
      absolute_(std::move(absolute)) {}

std::unique_ptr<TkvShellFolder> TkvShellFolder::FromAbsolute(const ITEMIDLIST* absolute) {
    fw::ComPtr<IShellFolder> desktop = desktopFolder();
    if (!desktop) throw ShellError("The shell's desktop folder is not available");
    if (!absolute || ILIsEmpty(absolute)) {
        auto root = std::make_unique<TkvShellFolder>(nullptr, addRef(desktop.get()), Pidl(ILClone(absolute)),
                                                     Pidl(ILClone(absolute)));
        root->shell_ = std::move(desktop);
        return root;
    }
    // The parent's folder interface and the last identifier within it.
    fw::ComPtr<IShellFolder> parentShell;
    const ITEMIDLIST* last = nullptr;
    if (FAILED(SHBindToParent(absolute, IID_IShellFolder, parentShell.putVoid(),
                              const_cast<PCUITEMID_CHILD*>(&last))) || !last)
        throw ShellError("The shell cannot reach the folder's parent");
    return std::make_unique<TkvShellFolder>(nullptr, std::move(parentShell), ClonePidl(last), ClonePidl(absolute));
}

std::unique_ptr<TkvShellFolder> TkvShellFolder::Root(TRootFolder root) {
    Pidl pidl;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidlOf(root), pidl.put())) || !pidl)
        throw settingPathError(std::to_wstring(static_cast<int>(root)));
    return FromAbsolute(pidl.get());
}

std::unique_ptr<TkvShellFolder> TkvShellFolder::FromPath(const std::wstring& path) {
    std::wstring p = path;
    if (p.size() == 2 && p[1] == L':') p += L'\\';
    fw::ComPtr<IShellFolder> desktop = desktopFolder();
    Pidl pidl;
    ULONG eaten = 0;
    if (p.empty() || !desktop ||
        FAILED(desktop->ParseDisplayName(nullptr, nullptr, p.data(), &eaten, pidl.put(), nullptr)) || !pidl)
        throw settingPathError(path);
    return FromAbsolute(pidl.get());
}

IShellFolder* TkvShellFolder::ShellFolder() {
    if (!shell_ && parentShell_ && IsFolder())
        parentShell_->BindToObject(relative_.get(), nullptr, IID_IShellFolder, shell_.putVoid());
    return shell_.get();
}

std::wstring TkvShellFolder::DisplayName() const {
    if (!parent_ && ILIsEmpty(absolute_.get())) return ShellDisplayName(parentShell_.get(), absolute_.get(), SHGDN_NORMAL);
    return ShellDisplayName(parentShell_.get(), relative_.get(), SHGDN_INFOLDER);
}

std::wstring TkvShellFolder::ParsingName() const {
    return ShellDisplayName(parentShell_.get(), relative_.get(), SHGDN_FORPARSING);
}

std::wstring TkvShellFolder::PathName() const {
    wchar_t path[MAX_PATH] = {};
    return SHGetPathFromIDListW(absolute_.get(), path) ? std::wstring(path) : std::wstring();
}

bool TkvShellFolder::IsFolder() const {
    if (ILIsEmpty(relative_.get())) return true;  // the desktop
    SFGAOF attrs = SFGAO_FOLDER;
    const ITEMIDLIST* item = relative_.get();
    if (!parentShell_ || FAILED(parentShell_->GetAttributesOf(1, const_cast<PCUITEMID_CHILD_ARRAY>(&item), &attrs)))
        return false;
    return ShellIsFolder(attrs, ParsingName());
}

bool TkvShellFolder::IsFileSystem() const {
    if (ILIsEmpty(relative_.get())) return false;
    SFGAOF attrs = SFGAO_FILESYSTEM;
    const ITEMIDLIST* item = relative_.get();
    if (!parentShell_ || FAILED(parentShell_->GetAttributesOf(1, const_cast<PCUITEMID_CHILD_ARRAY>(&item), &attrs)))
        return false;
    return (attrs & SFGAO_FILESYSTEM) != 0;
}

int TkvShellFolder::ImageIndex(bool large) const { return ShellImageIndex(absolute_.get(), large); }

void TkvShellFolder::Rename(const std::wstring& newName, HWND owner) {
    const auto refused = [&] { return ShellError("Rename to " + fw::wideToUtf8(newName) + " failed"); };
    SFGAOF attrs = SFGAO_CANRENAME;
    const ITEMIDLIST* item = relative_.get();
    if (!parentShell_ || FAILED(parentShell_->GetAttributesOf(1, const_cast<PCUITEMID_CHILD_ARRAY>(&item), &attrs)) ||
        !(attrs & SFGAO_CANRENAME))
        throw refused();
    Pidl renamed;
    if (FAILED(parentShell_->SetNameOf(owner, relative_.get(), newName.c_str(), SHGDN_INFOLDER, renamed.put())) ||
        !renamed)
        throw refused();
    Pidl parentAbsolute = ClonePidl(absolute_.get());
    ILRemoveLastID(parentAbsolute.get());
    absolute_ = CombinePidl(parentAbsolute.get(), renamed.get());
    relative_ = std::move(renamed);
    shell_.reset();
}

// ---- Listing ---------------------------------------------------------------------------------------------------

void ReadFindData(IShellFolder* folder, ShellItem& item) {
    WIN32_FIND_DATAW data{};
    if (FAILED(SHGetDataFromIDListW(folder, item.relative.get(), SHGDFIL_FINDDATA, &data, sizeof data))) return;
    item.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    item.modified = localTicks(data.ftLastWriteTime);
}

std::vector<ShellItem> ListShellFolder(IShellFolder* folder, TShellObjectTypes kinds, HWND owner,
                                       const std::function<bool(bool folder, const std::wstring& name)>& keep) {
    std::vector<ShellItem> items;
    if (!folder) return items;
    SHCONTF flags = 0;
    if (kinds & otFolders) flags |= SHCONTF_FOLDERS;
    if (kinds & otNonFolders) flags |= SHCONTF_NONFOLDERS;
    if (kinds & otHidden) flags |= SHCONTF_INCLUDEHIDDEN;
    fw::ComPtr<IEnumIDList> list;
    if (folder->EnumObjects(owner, flags, list.put()) != S_OK || !list) return items;
    ITEMIDLIST* next = nullptr;
    while (list->Next(1, &next, nullptr) == S_OK) {
        ShellItem item;
        item.relative.reset(next);
        SFGAOF attrs = SFGAO_FOLDER | SFGAO_FILESYSTEM;
        const ITEMIDLIST* p = next;
        folder->GetAttributesOf(1, const_cast<PCUITEMID_CHILD_ARRAY>(&p), &attrs);
        item.name = ShellDisplayName(folder, next, SHGDN_INFOLDER | SHGDN_FORPARSING);
        item.folder = ShellIsFolder(attrs, item.name);
        item.fileSystem = (attrs & SFGAO_FILESYSTEM) != 0;
        if (keep(item.folder, item.name)) items.push_back(std::move(item));
    }
    // Folders first, then the shell's own order. For file-system objects that order is the names' order without
    // case, which we already hold: asking the shell for every comparison costs two name look-ups each, seconds in
    // a folder of thousands of files.
    const bool allFiles = std::all_of(items.begin(), items.end(), [](const ShellItem& i) { return i.fileSystem; });
    std::stable_sort(items.begin(), items.end(), [folder, allFiles](const ShellItem& a, const ShellItem& b) {
        if (a.folder != b.folder) return a.folder;
        if (allFiles) return CompareNoCase(a.name, b.name) < 0;
        const HRESULT r = folder->CompareIDs(0, a.relative.get(), b.relative.get());
        return SUCCEEDED(r) && static_cast<short>(HRESULT_CODE(r)) < 0;
    });
    return items;
}
