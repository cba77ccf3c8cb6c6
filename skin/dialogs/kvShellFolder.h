// The shell namespace as the open dialog sees it: item identifier lists with one owner, `TkvShellFolder` (one
// shell object: its parent's folder interface, its relative and absolute identifiers), the root folders, and a
// folder's listing as plain records (no object per listed file: a folder of thousands of files lists in one pass
// and the list asks for names, icons and details only of the rows it shows).
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Platform.h"

// ---- Identifier lists ------------------------------------------------------------------------------------------

inline void freeItemIdList(ITEMIDLIST* p) { CoTaskMemFree(p); }
// An item identifier list allocated by the shell, freed with CoTaskMemFree.
using Pidl = fw::UniqueHandle<fw::NullableHandleTraits<ITEMIDLIST*, &freeItemIdList>>;

inline Pidl ClonePidl(const ITEMIDLIST* p) { return Pidl(p ? ILClone(p) : nullptr); }
inline Pidl CombinePidl(const ITEMIDLIST* a, const ITEMIDLIST* b) { return Pidl(ILCombine(a, b)); }

// A failure of the shell layer, with the message the user sees.
class ShellError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Roots -----------------------------------------------------------------------------------------------------

enum TRootFolder {
    rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
    rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
    rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};

enum TShellObjectType { otFolders = 1, otNonFolders = 2, otHidden = 4 };
using TShellObjectTypes = int;

// ---- One shell object ------------------------------------------------------------------------------------------

class TkvShellFolder {
public:
    // An object under `parent` (none for the desktop). `parentShell` is the parent's folder interface (the
    // desktop's for the desktop itself); `relative` is the object's identifier within it.
    TkvShellFolder(TkvShellFolder* parent, fw::ComPtr<IShellFolder> parentShell, Pidl relative, Pidl absolute);

    // The desktop, a special folder or a path ("X:" gets "\"); throws ShellError "Error setting path: "%s"".
    static std::unique_ptr<TkvShellFolder> Root(TRootFolder root);
    static std::unique_ptr<TkvShellFolder> FromPath(const std::wstring& path);
    static std::unique_ptr<TkvShellFolder> FromAbsolute(const ITEMIDLIST* absolute);

    TkvShellFolder* Parent() const { return parent_; }
    IShellFolder* ParentShellFolder() const { return parentShell_.get(); }
    const ITEMIDLIST* RelativeID() const { return relative_.get(); }
    const ITEMIDLIST* AbsoluteID() const { return absolute_.get(); }
    // The object's own folder interface, bound on first use; null when it is no folder.
    IShellFolder* ShellFolder();

    std::wstring DisplayName() const;  // the shell's name within its folder
    std::wstring ParsingName() const;  // the shell's full parsing name
    std::wstring PathName() const;     // the file-system path, empty for virtual objects
    bool IsFolder() const;
    bool IsFileSystem() const;
    int ImageIndex(bool large) const;
    // Gives the object a new name through the shell when it allows renaming; throws ShellError
    // "Rename to %s failed" when it refuses. The identifiers then name the renamed object.
    void Rename(const std::wstring& newName, HWND owner);

private:
    TkvShellFolder* parent_;
    fw::ComPtr<IShellFolder> parentShell_;
    fw::ComPtr<IShellFolder> shell_;
    Pidl relative_, absolute_;
};

// The rule of is-folder: the shell reports a folder and the name's extension is not ".zip" (archives the shell
// shows as folders are files to this dialog).
bool ShellIsFolder(SFGAOF attributes, const std::wstring& parsingName);

// The text of a shell string (freed here), empty when it has none.
std::wstring StrRetText(STRRET& s, const ITEMIDLIST* pidl);
// Name of an object within a folder, in one of the shell's forms (SHGDN_*).
std::wstring ShellDisplayName(IShellFolder* folder, const ITEMIDLIST* relative, SHGDNF flags);
// Icon index of an absolute identifier in the system image list.
int ShellImageIndex(const ITEMIDLIST* absolute, bool large);
// The system image list, large or small (shared; not ours to destroy).
HIMAGELIST SystemImageList(bool large);

// ---- A folder's listing ----------------------------------------------------------------------------------------

// One listed object: what the mask and the orders need, nothing that holds a window or an interface.
struct ShellItem {
    Pidl relative;
    std::wstring name;  // file name (the in-folder parsing name), for the mask and the edit
    bool folder = false;
    bool fileSystem = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // last write, local FILETIME ticks
};

// Enumerates `folder` for the kinds asked; `keep` decides over each object by its folder flag and file name. The
// result is in the shell's order with folders first. `owner` owns any prompt of the shell.
std::vector<ShellItem> ListShellFolder(IShellFolder* folder, TShellObjectTypes kinds, HWND owner,
                                       const std::function<bool(bool folder, const std::wstring& name)>& keep);

// Size and time of a file-system object from its identifier (left zero for others).
void ReadFindData(IShellFolder* folder, ShellItem& item);
