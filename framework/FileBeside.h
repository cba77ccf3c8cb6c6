// Writing a file so that it is never seen half-written ("write beside, flush, replace"): the new contents go to a
// scratch file beside the target (same folder, so that the last step is a rename), are flushed to the disk where
// they must survive a power loss, and only then replace the target in one step. Afterwards the target is either
// what it was or the whole new file. Header-only, part of fw_platform.
#pragma once

#include <windows.h>

#include <string>

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
