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

std::u16string Win32FileOperations::ReserveTempFile(const std::u16string& folder, std::u16string_view prefix) {
    return toU16(fw::reserveFileIn(toWide(folder), toWide(prefix)));
}

bool Win32FileOperations::RemoveFile(const std::u16string& path) { return DeleteFileW(toWide(path).c_str()) != 0; }

bool Win32FileOperations::CopyOver(const std::u16string& from, const std::u16string& to) {
    return CopyFileW(toWide(from).c_str(), toWide(to).c_str(), FALSE) != 0;
}

bool Win32FileOperations::FlushFile(const std::u16string& path) { return fw::flushFileToDisk(toWide(path)); }

std::u16string Win32FileOperations::RealFile(const std::u16string& path) {
    return toU16(fw::finalPathOf(toWide(path)));
}

bool Win32FileOperations::PutInPlace(const std::u16string& replacement, const std::u16string& target) {
    // Both files are in the same folder, so this is one step: the target is either the old or the new file, and
    // stays the same file to its links, its rights and its attributes. A read-only database, or one with other
    // hard links, is not replaced.
    return fw::replaceKeepingIdentity(toWide(replacement), toWide(target));
}
