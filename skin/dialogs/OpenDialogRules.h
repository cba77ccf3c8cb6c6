// The open-file dialog's rules without the platform: the filter's description/mask pairs, which names a mask
// keeps, the default extension, what Open and Enter do with the edit's text, the folder history, the new folder's
// name, the list's sort orders and type-ahead. Portable, so that every rule is tested natively.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// ---- Filter ----------------------------------------------------------------------------------------------------

struct FilterPair {
    std::wstring description;
    std::wstring mask;
};

// "Text files|*.txt|All|*.*" -> {Text files, *.txt}, {All, *.*}; a trailing description without a mask gets an
// empty mask; an empty filter has no pairs.
std::vector<FilterPair> SplitFilter(std::wstring_view filter);

// The mask of the selected pair; with no selection the last pair is taken; with no pairs "*.*".
std::wstring CurrentMask(const std::vector<FilterPair>& pairs, int selected);

// The mask every listing starts with: keeps everything.
inline constexpr wchar_t kKeepAllMask[] = L"*.*|*.*";

// Case-insensitive wildcard match of a whole name: "*" any run, "?" one character, "[abc]", "[a-z]", "[!a-z]".
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

// A mask is patterns separated by ";" or "|". A pattern keeps a name when it holds "." and matches it, or
// when it is exactly "*" or "*.*" (every file, names without a dot too). Empty patterns keep nothing.
bool MaskMatches(std::wstring_view mask, std::wstring_view fileName);

// What the list shows: every folder, and the other objects whose name the mask keeps.
inline bool KeepInListing(bool isFolder, std::wstring_view fileName, std::wstring_view mask) {
    return isFolder || MaskMatches(mask, fileName);
}

// ---- Names and paths -------------------------------------------------------------------------------------------

// The folder part of a path without its trailing separator ("C:\db\a.mdb" -> "C:\db", "C:\a" -> "C:\"),
// empty when the path has no folder part.
std::wstring FolderOfPath(std::wstring_view path);
// The name after the last "\" or "/".
std::wstring NameOfPath(std::wstring_view path);
// A folder with one trailing "\" and a name.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
// The extension of the name part, with its dot ("a.b.mdb" -> ".mdb"), empty when it has none.
std::wstring ExtensionOf(std::wstring_view path);

// The extension added to a typed name that has none: "." + defaultExt when it is set; else none when the mask
// holds ".*"; else the extension of the mask's first pattern (the part before the first ";").
std::wstring DefaultExtension(std::wstring_view defaultExt, std::wstring_view mask);

// ---- Accepting -------------------------------------------------------------------------------------------------

enum class AcceptAction {
    None,         // stay open, nothing changes
    SetMask,      // the edit's text becomes the list's mask
    OpenFolder,   // the edit's text names a folder to open
    Close,        // close with OK; result is the chosen path
    ClearResult,  // stay open and forget the result (the chosen file does not exist)
    Refuse        // stay open and tell the user why (a typed path names nothing there is)
};

// Why a typed path was refused.
enum class RefuseReason { None, FileNotFound, FolderNotFound };

struct AcceptDecision {
    AcceptAction action = AcceptAction::None;
    std::wstring value;  // the mask, the folder, the result, or the path that was refused
    RefuseReason reason = RefuseReason::None;
};

// What the dialog knows when the user asks to accept.
struct AcceptInput {
    std::wstring editText;
    std::wstring selectedFile;  // full path of the selected non-folder item, empty when none
    std::wstring folder;        // the current folder's file-system path
    std::wstring defaultExt;    // already worked out by DefaultExtension
    bool checkFileExists = true;
    std::function<bool(const std::wstring&)> fileExists;
    std::function<bool(const std::wstring&)> directoryExists;
};

// A typed path: one that holds a folder separator ("\" or "/"). Typed or pasted, it names the object itself.
bool IsTypedPath(std::wstring_view text);
// The full path a typed path names: a full path ("C:\db\a.mdb", "\\server\share\a.mdb") as it is, one from the
// root of a drive ("\db\a.mdb") on the current folder's drive, any other below the current folder.
std::wstring ResolveTypedPath(std::wstring_view folder, std::wstring_view text);

// The Open button (and Enter on a file in the list). A typed path wins over the selection (see DecideEditEnter).
AcceptDecision DecideOpen(const AcceptInput& in);
// Enter in the file-name edit: a pattern sets the mask; a typed path opens the folder it names, or is accepted
// when it names a file that exists (with the default extension when it has none), or is refused with the reason
// (no such folder, no such file); anything else is Open.
AcceptDecision DecideEditEnter(const AcceptInput& in);

// ---- History and new folders -----------------------------------------------------------------------------------

// Folders visited in this window, in order. Back opens the next-to-last entry and takes it out, so that
// A, B, C, Back, Back visits B and then A.
class FolderHistory {
public:
    void Add(std::wstring folder) { entries_.push_back(std::move(folder)); }
    bool CanGoBack() const { return entries_.size() >= 2; }
    // The folder to open, taken out of the history; empty when there is none.
    std::wstring Back();
    const std::vector<std::wstring>& Entries() const { return entries_; }

private:
    std::vector<std::wstring> entries_;
};

// The name of the n-th new folder of a window (n counts from 1): "New Folder", "New Folder(2)", ...
std::wstring NewFolderName(std::wstring_view base, int n);

// ---- Sorting and type-ahead ------------------------------------------------------------------------------------

enum class FileColumn { Name = 0, Size = 1, Type = 2, Modified = 3 };

// What the sort orders look at.
struct FileSortKey {
    bool folder = false;
    std::wstring name;
    std::uint64_t size = 0;
    std::wstring type;
    std::int64_t modified = 0;  // local time, any monotonic unit
};

// Folders first in both directions; within a group by the column (names case-insensitive), ties by name.
// Returns <0, 0 or >0.
int CompareFiles(const FileSortKey& a, const FileSortKey& b, FileColumn column, bool ascending);

struct SortState {
    int column = -1;  // -1: the shell's own order
    bool ascending = true;
};
// A click on a column header: the sorted column again reverses, another column sorts ascending.
SortState ClickColumn(SortState s, int column);

// Type-ahead: the first name from `start` on (wrapping) that starts with `prefix`, case-insensitive; -1 when none.
int FindByPrefix(const std::vector<std::wstring>& names, int start, std::wstring_view prefix);

// Case-insensitive comparison of two names (<0, 0, >0).
int CompareNoCase(std::wstring_view a, std::wstring_view b);
