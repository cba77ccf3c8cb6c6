// Where the promotion material comes from and where it is kept. The program uses DefaultPromoSite(); tests
// point it at a server of their own, a directory of their own or a download of their own.
#pragma once

#include <functional>
#include <string>

struct PromoSite {
    using Download = std::function<bool(const std::wstring& url, const std::wstring& fileName)>;

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
