// The promotion service's utility unit: program directory, downloads and the scrambled values of the
// settings file. No state of its own.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "promo/PromoSite.h"
#include "promo/Scramble.h"

// Product code of the main window: names the remote settings file and the sections the banners read.
inline constexpr wchar_t kProductCode[] = L"ovbak";
// Local name of the settings file, in the program directory.
inline constexpr wchar_t kSettingsFileName[] = L"SetConfig.ini";

// Raised when a value cannot be written to the settings file.
class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Directory of the running program, always ending with a backslash.
std::wstring GetAppDirectory();

// The size of a file in bytes; UINT64_MAX when there is no such file (or it is a folder).
std::uint64_t FileSizeOf(const std::wstring& name);

// Downloads the resource at url into fileName, replacing it. True exactly when the download service reports
// success; every failure, including an exception, gives false. Only http and https addresses are fetched. A
// download that passes a limit is abandoned as a failure, and nothing of it is left beside fileName.
bool DownloadUrlToFile(const std::wstring& url, const std::wstring& fileName, const DownloadLimits& limits);

// Fetches base address + productCode + ".rar" into the program directory as the settings file. The remote
// file is the settings text itself and is saved unchanged.
bool DownloadSettingsFile(const std::wstring& productCode);
bool DownloadSettingsFile(const PromoSite& site, const std::wstring& productCode);

// Mode 1 stores ScrambleText(value) under section and key and returns "" (IniWriteError, "Unable to write to
// <file>", when the file cannot be written). Any other mode returns the unscrambled value under section and key,
// "" when the file, section or key is missing; value is then ignored. Values are byte strings.
std::string IniValue(const std::wstring& fileName, std::uint8_t mode, const std::wstring& section,
                     const std::wstring& key, const std::string& value);
