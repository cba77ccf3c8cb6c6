// Writing a file so that it is never seen half-written ("write beside, flush, replace"): the new contents go to a
// scratch file beside the target (same folder, so that the last step is a rename), are flushed to the disk where
// they must survive a power loss, and only then replace the target in one step. Afterwards the target is either
// what it was or the whole new file. Header-only, part of fw_platform.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Paths.h"
#include "framework/Platform.h"

namespace fw {

// Creates an empty file with a unique name starting with `prefix` in `folder`; returns its full name, or "" when the
// folder cannot be written (GetLastError tells why).
inline std::wstring reserveFileIn(const std::wstring& folder, const std::wstring& prefix) {
    wchar_t name[MAX_PATH + 1] = {};  // the platform writes up to MAX_PATH characters here
    if (GetTempFileNameW(folder.c_str(), prefix.c_str(), 0, name) == 0) return {};
    return name;
}

// Forces a closed file's contents to the disk.
inline bool flushFileToDisk(const std::wstring& path) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.valid() && FlushFileBuffers(file.get()) != 0;
}

enum class ExistingTarget { Keep, Replace };

// Renames `from` onto `to` in one step, the rename itself written through to the disk. With Keep an existing `to`
// makes it fail (ERROR_ALREADY_EXISTS).
inline bool moveFileOnto(const std::wstring& from, const std::wstring& to, ExistingTarget existing) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (existing == ExistingTarget::Replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) != 0;
}

// The file a path finally names, symbolic links and junctions followed ("C:\\dir\\file", "\\\\server\\share\\file"), so
// that a replacement is written beside the real file and replaces it rather than the link; the path as given where
// the file system cannot tell. "" when the path names no file that can be opened (GetLastError tells why).
inline std::wstring finalPathOf(const std::wstring& path) {
    KernelHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return {};
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(file.get(), name.data(), static_cast<DWORD>(name.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return path;  // a file system that cannot tell (some network shares): the name as given
        if (n < name.size()) {
            std::wstring final(name.data(), n);
            // The platform answers with the long-path prefix; the rest of the program names files without it.
            if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + final.substr(7);
            if (final.rfind(L"\\\\?\\", 0) == 0) return final.substr(4);
            return final;
        }
        name.resize(n);  // n is the room needed
    }
}

// Puts `replacement` in place of `target` in one step, keeping what the target is beyond its contents: the
// platform's replace keeps its attributes, access rights and creation time, and they are also given to the
// replacement beforehand, for platforms whose replace is a bare rename. `target` must be the real file
// (finalPathOf) and `replacement` a flushed file in its folder. A target with more than one hard link is refused
// (ERROR_NOT_SUPPORTED): no replace in one step can make its other names see the new contents, and a copy into
// the file itself could leave it half-written. A read-only target is refused too (ERROR_ACCESS_DENIED), as the
// platform's replace does. On failure the target is exactly what it was.
inline bool replaceKeepingIdentity(const std::wstring& replacement, const std::wstring& target) {
    BY_HANDLE_FILE_INFORMATION info{};
    {
        // Opened as the replace will open it: a file another program holds open without letting it be replaced
        // fails here (ERROR_SHARING_VIOLATION), before the platform's replace could leave a scratch file of its
        // own beside it (Wine's does).
        KernelHandle file(CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL | DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
        if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) return false;
    }
    if (info.nNumberOfLinks > 1) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // The platform's replace keeps rights, creation time and attributes by itself; carrying them over beforehand
    // is for platforms whose replace is a bare rename, so each of these steps is done as far as the file system
    // has it and never fails the replace.
    DWORD needed = 0;
    GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<std::uint8_t> rights(needed);
    if (needed != 0 && GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, rights.data(), needed, &needed))
        SetFileSecurityW(replacement.c_str(), DACL_SECURITY_INFORMATION, rights.data());
    {
        KernelHandle file(
            CreateFileW(replacement.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (file.valid()) SetFileTime(file.get(), &info.ftCreationTime, nullptr, nullptr);
    }
    constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = info.dwFileAttributes & kKeptAttributes;
    SetFileAttributesW(replacement.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    return ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr) != 0;
}

// The scratch file of one such write. It is removed when this goes, unless putInPlace moved it onto the target.
class FileBeside {
public:
    FileBeside(std::wstring target, const std::wstring& prefix)
        : target_(std::move(target)), name_(reserveFileIn(folderOf(target_), prefix)) {}
    ~FileBeside() {
        if (!name_.empty()) DeleteFileW(name_.c_str());
    }
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    // False when no scratch name could be reserved (GetLastError tells why).
    bool valid() const { return !name_.empty(); }
    // Where to write the new contents.
    const std::wstring& name() const { return name_; }
    // The last step: the scratch file becomes the target. On failure GetLastError tells why and the scratch file
    // stays to be removed.
    bool putInPlace(ExistingTarget existing) {
        if (!moveFileOnto(name_, target_, existing)) return false;
        name_.clear();
        return true;
    }

private:
    std::wstring target_;
    std::wstring name_;
};

}  // namespace fw
