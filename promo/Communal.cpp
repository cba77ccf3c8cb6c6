#include "promo/Communal.h"

#include <windows.h>
#include <urlmon.h>

#include <vector>

#include "framework/FileBeside.h"
#include "framework/Utf.h"
#include "promo/AnsiText.h"
#include "promo/BannerRules.h"
#include "promo/DownloadDeadline.h"
#include "promo/HttpStatusWatch.h"

namespace {

// The platform's profile functions read at most this many characters of a value.
constexpr DWORD kMaxValueChars = 2047;

}  // namespace

std::wstring GetAppDirectory() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            std::wstring name(path.data(), n);
            return name.substr(0, name.find_last_of(L"\\/:") + 1);
        }
        path.resize(path.size() * 2);  // a long path: try again with room for it
    }
}

std::uint64_t FileSizeOf(const std::wstring& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return UINT64_MAX;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool DownloadUrlToFile(const std::wstring& url, const std::wstring& fileName, const DownloadLimits& limits) {
    // The resource goes to a scratch file in the target's directory first and replaces the target only when it
    // arrived whole: an HTTP error answer or a file that cannot be written then counts as failure and leaves an
    // earlier copy in place (the download service alone reports both as success on some platforms).
    // Addresses come from a downloaded settings file: only web addresses are fetched, never a local file or
    // another scheme's resource copied into the program directory.
    if (!IsWebAddress(url)) return false;
    try {
        fw::FileBeside scratch(fileName, L"~kv");
        if (!scratch.valid()) return false;
        HttpStatusWatch watch(limits);
        const DownloadDeadline deadline(watch, limits.maxMilliseconds);
        if (URLDownloadToFileW(nullptr, url.c_str(), scratch.name().c_str(), 0, &watch) != S_OK) return false;
        // The limits again on what arrived, in case the service reported less than it wrote.
        return watch.StatusAcceptable() && !watch.PastLimits() && FileSizeOf(scratch.name()) <= limits.maxBytes &&
               scratch.putInPlace(fw::ExistingTarget::Replace);
    } catch (...) {
        return false;
    }
}

bool DownloadSettingsFile(const std::wstring& productCode) {
    return DownloadSettingsFile(DefaultPromoSite(), productCode);
}

bool DownloadSettingsFile(const PromoSite& site, const std::wstring& productCode) {
    if (!site.Located()) return false;
    try {
        return site.download(site.baseAddress + productCode + L".rar", site.SettingsFile(), kSettingsDownload);
    } catch (...) {
        return false;
    }
}

std::string IniValue(const std::wstring& fileName, std::uint8_t mode, const std::wstring& section,
                     const std::wstring& key, const std::string& value) {
    if (mode == 1) {
        const std::wstring stored = AnsiToWide(ScrambleText(value, kScrambleStartKey));
        if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), stored.c_str(), fileName.c_str()))
            throw IniWriteError("Unable to write to " + fw::wideToUtf8(fileName));  // exception texts are UTF-8
        return {};
    }
    std::wstring stored(kMaxValueChars + 1, L'\0');
    const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", stored.data(),
                                             static_cast<DWORD>(stored.size()), fileName.c_str());
    stored.resize(n);
    return UnscrambleText(WideToAnsi(stored), kScrambleStartKey);
}
