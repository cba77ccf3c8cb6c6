#include "app/Win32FileOperations.h"

#include <windows.h>

#include "framework/Platform.h"

using fw::toU16;
using fw::toWide;

std::u16string GetTempDirectory() {
    wchar_t buf[260] = {};
    GetTempPathW(260, buf);
    return WithTrailingBackslash(toU16(buf));  // up to the first zero
}

std::u16string Win32FileOperations::reserveTempFile(const std::u16string& folder, std::u16string_view prefix) {
    // The platform writes up to MAX_PATH characters here.
    wchar_t name[MAX_PATH + 1] = {};
    if (GetTempFileNameW(toWide(folder).c_str(), toWide(prefix).c_str(), 0, name) == 0) return u"";
    return toU16(name);
}

bool Win32FileOperations::deleteFile(const std::u16string& path) { return DeleteFileW(toWide(path).c_str()) != 0; }

bool Win32FileOperations::copyFile(const std::u16string& from, const std::u16string& to) {
    return CopyFileW(toWide(from).c_str(), toWide(to).c_str(), FALSE) != 0;
}

bool Win32FileOperations::flushFile(const std::u16string& path) {
    fw::KernelHandle file(CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.valid() && FlushFileBuffers(file.get()) != 0;
}

bool Win32FileOperations::replaceFile(const std::u16string& replacement, const std::u16string& target) {
    // A read-only database is not replaced (not every platform's rename refuses it by itself).
    const DWORD attributes = GetFileAttributesW(toWide(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    // Both files are in the same folder, so this is a rename: the target is either the old or the new file.
    return MoveFileExW(toWide(replacement).c_str(), toWide(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
