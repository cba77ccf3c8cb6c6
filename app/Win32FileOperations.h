// The compaction's file operations on the platform's file system.
#pragma once

#include "app/Compaction.h"

// The platform's temporary directory, always ending with a backslash.
std::u16string GetTempDirectory();

class Win32FileOperations : public FileOperations {
public:
    std::u16string tempDirectory() override { return GetTempDirectory(); }
    std::u16string reserveTempFile(const std::u16string& folder, std::u16string_view prefix) override;
    bool deleteFile(const std::u16string& path) override;
    bool copyFile(const std::u16string& from, const std::u16string& to) override;
    bool flushFile(const std::u16string& path) override;
    bool replaceFile(const std::u16string& replacement, const std::u16string& target) override;
};
