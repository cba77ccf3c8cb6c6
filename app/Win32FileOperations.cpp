#include "app/Win32FileOperations.h"

#include <windows.h>

#include "framework/FileBeside.h"
#include "framework/Platform.h"

using fw::toU16;
using fw::toWide;

std::u16string GetTempDirectory() {
    wchar_t buf[260] = {};
    GetTempPathW(260, buf);
    return WithTrailingBackslash(toU16(buf));  // up to the first zero
}

std::u16string Win32FileOperations::reserveTempFile(const std::u16string& folder, std::u16string_view prefix) {
    return toU16(fw::reserveFileIn(toWide(folder), toWide(prefix)));
}

bool Win32FileOperations::deleteFile(const std::u16string& path) { return DeleteFileW(toWide(path).c_str()) != 0; }

bool Win32FileOperations::copyFile(const std::u16string& from, const std::u16string& to) {
    return CopyFileW(toWide(from).c_str(), toWide(to).c_str(), FALSE) != 0;
}

bool Win32FileOperations::flushFile(const std::u16string& path) { return fw::flushFileToDisk(toWide(path)); }

bool Win32FileOperations::replaceFile(const std::u16string& replacement, const std::u16string& target) {
    // A read-only database is not replaced (not every platform's rename refuses it by itself).
    const DWORD attributes = GetFileAttributesW(toWide(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    // Both files are in the same folder, so this is a rename: the target is either the old or the new file.
    return fw::moveFileOnto(toWide(replacement), toWide(target), fw::ExistingTarget::Replace);
}
