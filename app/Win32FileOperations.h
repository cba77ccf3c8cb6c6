// The compaction's file operations on the platform's file system.
#pragma once

#include "app/Compaction.h"

// The platform's temporary directory, always ending with a backslash.
std::u16string GetTempDirectory();

class Win32FileOperations : public FileOperations {
public:
    std::u16string TempDirectory() override { return GetTempDirectory(); }
    std::u16string ReserveTempFile(const std::u16string& folder, std::u16string_view prefix) override;
    bool RemoveFile(const std::u16string& path) override;
    bool CopyOver(const std::u16string& from, const std::u16string& to) override;
    bool FlushFile(const std::u16string& path) override;
    std::u16string RealFile(const std::u16string& path) override;
    bool PutInPlace(const std::u16string& replacement, const std::u16string& target) override;
};
