// An in-memory file system for the compaction's file operations, with failures that can be injected at each
// step (including a copy that stops half-way, as on a full disk or a power loss).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/Compaction.h"
#include "framework/Paths.h"

class FakeFiles : public FileOperations {
public:
    using Bytes = std::vector<std::uint8_t>;
    std::map<std::u16string, Bytes> files;
    std::u16string tempDir = u"C:\\Temp\\";
    std::map<std::u16string, std::u16string> links;  // link -> the file it leads to

    // Injected failures.
    bool failReserveTemp = false;    // GetTempFileName in the temporary directory
    bool failReserveBeside = false;  // the same beside the database
    bool failDeleteTemp = false;     // deleting the reserved temporary name
    int copyStopsAfter = -1;         // >= 0: the copy writes that many bytes, then fails
    bool failFlush = false;
    bool failReplace = false;

    std::vector<std::string> log;  // operations in order

    std::u16string TempDirectory() override { return tempDir; }

    std::u16string ReserveTempFile(const std::u16string& folder, std::u16string_view prefix) override {
        log.push_back("reserve");
        const bool inTemp = folder == tempDir;
        if (inTemp ? failReserveTemp : failReserveBeside) return u"";
        std::u16string name = WithTrailingBackslash(folder) + std::u16string(prefix) + u"1.tmp";
        for (int n = 2; files.count(name); ++n)
            name = WithTrailingBackslash(folder) + std::u16string(prefix) + char16_t(u'0' + n) + u".tmp";
        files[name] = {};
        return name;
    }
    bool RemoveFile(const std::u16string& path) override {
        log.push_back("delete");
        if (failDeleteTemp && path.rfind(tempDir, 0) == 0) return false;
        return files.erase(path) == 1;
    }
    bool CopyOver(const std::u16string& from, const std::u16string& to) override {
        log.push_back("copy");
        auto it = files.find(from);
        if (it == files.end()) return false;
        Bytes src = it->second;
        if (copyStopsAfter >= 0 && static_cast<std::size_t>(copyStopsAfter) < src.size()) {
            files[to] = Bytes(src.begin(), src.begin() + copyStopsAfter);
            return false;
        }
        files[to] = src;
        return true;
    }
    bool FlushFile(const std::u16string& path) override {
        log.push_back("flush");
        return !failFlush && files.count(path) == 1;
    }
    std::u16string RealFile(const std::u16string& path) override {
        const auto link = links.find(path);
        const std::u16string& real = link == links.end() ? path : link->second;
        return files.count(real) ? real : u"";
    }
    bool PutInPlace(const std::u16string& replacement, const std::u16string& target) override {
        log.push_back("replace");
        auto it = files.find(replacement);
        // Like the platform's replace, only within one folder (one volume).
        if (failReplace || it == files.end() || fw::folderOf(replacement) != fw::folderOf(target)) return false;
        files[target] = it->second;
        files.erase(replacement);
        return true;
    }
};
