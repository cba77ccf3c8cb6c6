// Where the promotion material comes from and where it is kept. The program uses DefaultPromoSite(); tests
// point it at a server of their own, a directory of their own or a download of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What one download may take before it is abandoned.
struct DownloadLimits {
    std::uint64_t maxBytes;
    std::uint32_t maxMilliseconds;
};

// The settings file is a few short lines of scrambled addresses (a value is read up to 2047 characters): 64 KB
// holds dozens of banners' worth, and keeps a server from filling the program's folder or the profile functions
// with a file of any size.
inline constexpr std::uint64_t kMaxSettingsBytes = 64 * 1024;
// A banner is a picture of 48 rows across half the window; its file is read whole and decoded on the
// user-interface thread. 4 MB is many times any such picture, even an animated one, and bounds that work.
inline constexpr std::uint64_t kMaxPictureBytes = 4 * 1024 * 1024;
// Each download runs on a worker that the program does not wait for, and every show starts one: 30 s is ample for
// 4 MB on a slow line, and bounds how long a server that trickles or stalls keeps a worker and its file.
inline constexpr std::uint32_t kMaxDownloadMilliseconds = 30 * 1000;

inline constexpr DownloadLimits kSettingsDownload{kMaxSettingsBytes, kMaxDownloadMilliseconds};
inline constexpr DownloadLimits kPictureDownload{kMaxPictureBytes, kMaxDownloadMilliseconds};

struct PromoSite {
    using Download =
        std::function<bool(const std::wstring& url, const std::wstring& fileName, const DownloadLimits& limits)>;

    std::wstring baseAddress;   // ends with "/"
    std::wstring appDirectory;  // ends with "\"
    Download download;          // DownloadUrlToFile's contract

    std::wstring SettingsFile() const;  // appDirectory + "SetConfig.ini"
    // False when the program directory is unknown: nothing may then be read or written, since a bare file name
    // would land in the current directory.
    bool Located() const { return !appDirectory.empty(); }
};

// The vendor's web site, the program directory and the platform's download service.
PromoSite DefaultPromoSite();
