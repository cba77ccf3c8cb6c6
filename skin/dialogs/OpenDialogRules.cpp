#include "skin/dialogs/OpenDialogRules.h"

#include <algorithm>
#include <cwctype>

namespace {

wchar_t fold(wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c))); }

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Matches a bracketed set at pattern[p] (just after "[") against c; sets p after the closing "]". A set without
// its "]" is taken as a literal "[".
bool matchSet(std::wstring_view pattern, size_t& p, wchar_t c, bool& ok) {
    size_t q = p;
    bool negate = false;
    if (q < pattern.size() && (pattern[q] == L'!' || pattern[q] == L'^')) {
        negate = true;
        ++q;
    }
    bool found = false, first = true;
    while (q < pattern.size() && (first || pattern[q] != L']')) {
        first = false;
        wchar_t lo = fold(pattern[q]), hi = lo;
        if (q + 2 < pattern.size() && pattern[q + 1] == L'-' && pattern[q + 2] != L']') {
            hi = fold(pattern[q + 2]);
            q += 2;
        }
        if (fold(c) >= lo && fold(c) <= hi) found = true;
        ++q;
    }
    if (q >= pattern.size()) return false;  // no closing bracket
    p = q + 1;
    ok = found != negate;
    return true;
}

}  // namespace

std::vector<FilterPair> SplitFilter(std::wstring_view filter) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= filter.size() && !filter.empty()) {
        const size_t bar = filter.find(L'|', start);
        parts.emplace_back(
            filter.substr(start, bar == std::wstring_view::npos ? std::wstring_view::npos : bar - start));
        if (bar == std::wstring_view::npos) break;
        start = bar + 1;
    }
    std::vector<FilterPair> pairs;
    for (size_t i = 0; i < parts.size(); i += 2)
        pairs.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : std::wstring()});
    return pairs;
}

std::wstring CurrentMask(const std::vector<FilterPair>& pairs, int selected) {
    if (pairs.empty()) return L"*.*";
    if (selected < 0 || selected >= static_cast<int>(pairs.size())) selected = static_cast<int>(pairs.size()) - 1;
    return pairs[static_cast<size_t>(selected)].mask;
}

bool WildcardMatch(std::wstring_view pattern, std::wstring_view name) {
    // Iterative match with one back-tracking point for the last "*": linear in practice, never exponential.
    size_t p = 0, n = 0, starP = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = ++p;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            bool ok = false;
            size_t next = p + 1;
            if (pattern[p] == L'?') {
                ok = true;
            } else if (pattern[p] == L'[') {
                size_t q = p + 1;
                if (matchSet(pattern, q, name[n], ok)) next = q;
                else ok = name[n] == L'[';
            } else {
                ok = fold(pattern[p]) == fold(name[n]);
            }
            if (ok) {
                p = next;
                ++n;
                continue;
            }
        }
        if (starP == std::wstring_view::npos) return false;
        p = starP;
        n = ++starN;
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

bool MaskMatches(std::wstring_view mask, std::wstring_view fileName) {
    size_t start = 0;
    while (start <= mask.size()) {
        size_t end = mask.find_first_of(L";|", start);
        if (end == std::wstring_view::npos) end = mask.size();
        const std::wstring_view pattern = mask.substr(start, end - start);
        // "*.*" means every file, as on the platform, names without a dot too.
        if (pattern == L"*" || pattern == L"*.*") return true;
        if (pattern.find(L'.') != std::wstring_view::npos && WildcardMatch(pattern, fileName)) return true;
        start = end + 1;
    }
    return false;
}

std::wstring FolderOfPath(std::wstring_view path) {
    size_t i = path.size();
    while (i > 0 && !isSeparator(path[i - 1])) --i;
    if (i == 0) return {};
    std::wstring folder(path.substr(0, i - 1));
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // "C:" alone is the current folder of C
    if (folder.empty()) folder = path.substr(0, 1);                // "\name": the root
    return folder;
}

std::wstring NameOfPath(std::wstring_view path) {
    size_t i = path.size();
    while (i > 0 && !isSeparator(path[i - 1])) --i;
    return std::wstring(path.substr(i));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring out(folder);
    if (!out.empty() && !isSeparator(out.back())) out += L'\\';
    return out + std::wstring(name);
}

std::wstring ExtensionOf(std::wstring_view path) {
    const std::wstring name = NameOfPath(path);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

std::wstring DefaultExtension(std::wstring_view defaultExt, std::wstring_view mask) {
    if (!defaultExt.empty()) return L"." + std::wstring(defaultExt);
    if (mask.find(L".*") != std::wstring_view::npos) return {};
    const std::wstring_view first = mask.substr(0, mask.find(L';'));
    const std::wstring ext = ExtensionOf(first);
    // A pattern's extension with wildcards in it ("*.md?") is no name to append.
    return ext.find_first_of(L"*?[") == std::wstring::npos ? ext : std::wstring();
}

bool IsTypedPath(std::wstring_view text) { return text.find_first_of(L"\\/") != std::wstring_view::npos; }

std::wstring ResolveTypedPath(std::wstring_view folder, std::wstring_view text) {
    std::wstring t(text);
    std::replace(t.begin(), t.end(), L'/', L'\\');
    // "C:\db\" is the folder C:\db; a root keeps its separator.
    while (t.size() > 1 && t.back() == L'\\' && !(t.size() == 3 && t[1] == L':')) t.pop_back();
    const bool drive = t.size() >= 2 && t[1] == L':';
    if ((drive && t.size() >= 3 && t[2] == L'\\') || t.rfind(L"\\\\", 0) == 0) return t;
    if (drive) return t;  // "C:name": the platform's own rule, relative to that drive's current folder
    if (!t.empty() && t[0] == L'\\') {
        if (folder.size() >= 2 && folder[1] == L':') return std::wstring(folder.substr(0, 2)) + t;
        return t;
    }
    return JoinPath(folder, t);
}

namespace {

// A typed path: the folder it names opens; a file that exists is the result; anything else is refused with its
// reason, unless names need not exist.
AcceptDecision DecidePath(const AcceptInput& in) {
    const std::wstring path = ResolveTypedPath(in.folder, in.editText);
    const auto exists = [&](const std::wstring& p) { return in.fileExists && in.fileExists(p); };
    const auto isFolder = [&](const std::wstring& p) { return in.directoryExists && in.directoryExists(p); };
    if (isFolder(path)) return {AcceptAction::OpenFolder, path};
    const std::wstring withExt = ExtensionOf(path).empty() ? path + in.defaultExt : path;
    if (exists(path)) return {AcceptAction::Close, path};
    if (exists(withExt)) return {AcceptAction::Close, withExt};
    const std::wstring folder = FolderOfPath(path);
    if (!folder.empty() && !isFolder(folder)) return {AcceptAction::Refuse, folder, RefuseReason::FolderNotFound};
    if (!in.checkFileExists) return {AcceptAction::Close, withExt};
    return {AcceptAction::Refuse, path, RefuseReason::FileNotFound};
}

}  // namespace

AcceptDecision DecideOpen(const AcceptInput& in) {
    const auto withExt = [&](const std::wstring& name) {
        return ExtensionOf(name).empty() ? name + in.defaultExt : name;
    };
    if (in.editText.empty()) return {};
    if (IsTypedPath(in.editText)) return DecidePath(in);
    std::wstring candidate;
    if (in.selectedFile.empty() && in.checkFileExists) {
        candidate = withExt(JoinPath(in.folder, in.editText));
        if (!in.fileExists || !in.fileExists(candidate)) return {};
    }
    if (in.checkFileExists) {
        const std::wstring result = in.selectedFile.empty() ? candidate : in.selectedFile;
        if (in.fileExists && in.fileExists(result)) return {AcceptAction::Close, result};
        return {AcceptAction::ClearResult, {}};
    }
    if (!in.selectedFile.empty()) return {AcceptAction::Close, in.selectedFile};
    return {AcceptAction::Close, withExt(JoinPath(in.folder, in.editText))};
}

AcceptDecision DecideEditEnter(const AcceptInput& in) {
    if (in.editText.find(L'*') != std::wstring::npos) return {AcceptAction::SetMask, in.editText};
    return DecideOpen(in);
}

std::wstring FolderHistory::Back() {
    if (!CanGoBack()) return {};
    const auto it = entries_.end() - 2;
    std::wstring folder = std::move(*it);
    entries_.erase(it);
    return folder;
}

std::wstring NewFolderName(std::wstring_view base, int n) {
    std::wstring name(base);
    if (n > 1) name += L"(" + std::to_wstring(n) + L")";
    return name;
}

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = fold(a[i]), y = fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareFiles(const FileSortKey& a, const FileSortKey& b, FileColumn column, bool ascending) {
    if (a.folder != b.folder) return a.folder ? -1 : 1;
    int r = 0;
    switch (column) {
        case FileColumn::Name: break;
        case FileColumn::Size:
            // Folders have no size: among folders the name decides.
            if (!a.folder && a.size != b.size) r = a.size < b.size ? -1 : 1;
            break;
        case FileColumn::Type: r = CompareNoCase(a.type, b.type); break;
        case FileColumn::Modified:
            if (a.modified != b.modified) r = a.modified < b.modified ? -1 : 1;
            break;
    }
    if (r == 0) r = CompareNoCase(a.name, b.name);
    return ascending ? r : -r;
}

SortState ClickColumn(SortState s, int column) {
    if (s.column == column) return {column, !s.ascending};
    return {column, true};
}

int FindByPrefix(const std::vector<std::wstring>& names, int start, std::wstring_view prefix) {
    const int count = static_cast<int>(names.size());
    if (count == 0 || prefix.empty()) return -1;
    if (start < 0 || start >= count) start = 0;
    for (int k = 0; k < count; ++k) {
        const int i = (start + k) % count;
        const std::wstring& name = names[static_cast<size_t>(i)];
        if (name.size() >= prefix.size() &&
            CompareNoCase(std::wstring_view(name).substr(0, prefix.size()), prefix) == 0)
            return i;
    }
    return -1;
}
