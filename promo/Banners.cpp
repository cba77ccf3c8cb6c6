#include "promo/Banners.h"

#include <windows.h>

#include "framework/Colors.h"
#include "promo/AnsiText.h"
#include "promo/BannerRules.h"
#include "promo/Communal.h"
#include "promo/kvSkinLinkImage.h"

int BannerFillCount = 0;

namespace {

void showPicture(TkvSkinLinkImage& image, const std::wstring& file, const std::wstring& link) {
    image.picture().loadFromFile(file);
    image.SetURL(link);
}

void drawPlaceholder(TkvSkinLinkImage& image, const std::wstring& link) {
    fw::Canvas& canvas = image.Canvas();
    // The program's texts are GB2312: ask for a font that has their characters, as a Chinese system does by default.
    canvas.font().setCharset(GB2312_CHARSET);
    canvas.setPenColor(fw::clRed);
    canvas.rectangle({0, 0, 10, 10});
    canvas.textOut(0, 0, kPlaceholderText);
    image.Drawn();
    image.SetURL(link);
}

}  // namespace

BannerChoice ChooseBanner(const std::wstring& entryName, const std::wstring& productCode, const PromoSite& site) {
    if (!site.Located()) return {{}, site.baseAddress};
    const std::wstring settings = site.SettingsFile();
    const std::wstring pictureUrl = AnsiToWide(IniValue(settings, 0, productCode + L"path", entryName, {}));
    const std::wstring link = AnsiToWide(IniValue(settings, 0, productCode + L"link", entryName, {}));

    // Only a picture type may be planted beside the program; any other extension gives the placeholder.
    const PictureExtension ext = PictureUrlExtension(pictureUrl);
    if (ext.kind == PictureExtension::Kind::Usable) {
        const std::wstring localFile = site.appDirectory + entryName + ext.text;
        bool downloaded = false;
        try {
            downloaded = site.download(pictureUrl, localFile, kPictureDownload);
        } catch (...) {
            downloaded = false;  // a failed download of any kind falls back to the earlier copy
        }
        // An earlier copy is read whole and decoded like a download: it is held to the same size.
        if (downloaded || FileSizeOf(localFile) <= kMaxPictureBytes) return {localFile, link};
    }
    return {{}, site.baseAddress};
}

void ApplyBanner(TkvSkinLinkImage& image, const BannerChoice& choice) {
    image.setHeight(kBannerHeight);
    if (choice.pictureFile.empty()) drawPlaceholder(image, choice.link);
    else showPicture(image, choice.pictureFile, choice.link);
}

void FillBanner(TkvSkinLinkImage& image, const std::wstring& entryName, const std::wstring& productCode,
                const PromoSite& site) {
    image.setHeight(kBannerHeight);
    ApplyBanner(image, ChooseBanner(entryName, productCode, site));
}

void FillBanner(TkvSkinLinkImage& image, const std::wstring& entryName, const std::wstring& productCode) {
    FillBanner(image, entryName, productCode, DefaultPromoSite());
}

void ShowBanners(TkvSkinLinkImage& img1, TkvSkinLinkImage& img2, const PromoSite& site) {
    DownloadSettingsFile(site, kProductCode);
    if (BannerFillCount >= 1) return;
    FillBanner(img1, L"fname1", kProductCode, site);
    FillBanner(img2, L"fname2", kProductCode, site);
    ++BannerFillCount;
}

void ShowBanners(TkvSkinLinkImage& img1, TkvSkinLinkImage& img2) { ShowBanners(img1, img2, DefaultPromoSite()); }
