// The main window's two promotion banners: the settings download on every show and the banner fill on the
// first show that succeeds.
#pragma once

#include <string>

#include "promo/PromoSite.h"

class TkvSkinLinkImage;

// Number of completed banner fills in this process: 0 until the first show that filled both banners.
extern int BannerFillCount;

// Text of the placeholder drawn when a banner has no picture.
inline constexpr wchar_t kPlaceholderText[] = L"点击领取神秘大奖！";
// Height every banner is given; the top panel's alignment fits it into the panel.
inline constexpr int kBannerHeight = 48;

// What a banner is to show, decided away from the window: a picture file with its link, or, without a file, the
// drawn placeholder with its link.
struct BannerChoice {
    std::wstring pictureFile;
    std::wstring link;
};

// Decides a banner from the settings file, downloading its picture: the freshly downloaded picture, else an
// earlier local copy, else the placeholder linking to the vendor's web site. May wait on the network; touches no
// window, so a worker thread may run it.
BannerChoice ChooseBanner(const std::wstring& entryName, const std::wstring& productCode, const PromoSite& site);

// Shows a choice on the banner, on the user-interface thread. A picture that cannot be loaded raises its error
// (fw::PictureError or its decoder's) to the caller.
void ApplyBanner(TkvSkinLinkImage& image, const BannerChoice& choice);

// Gives a banner its picture and link from the settings file: the freshly downloaded picture, else an earlier
// local copy, else a drawn placeholder linking to the vendor's web site. A picture that cannot be loaded raises
// its error (fw::PictureError or its decoder's) to the caller.
void FillBanner(TkvSkinLinkImage& image, const std::wstring& entryName, const std::wstring& productCode,
                const PromoSite& site);
void FillBanner(TkvSkinLinkImage& image, const std::wstring& entryName, const std::wstring& productCode);

// The body of the main window's show handler: fetches the settings file on every show and fills img1 ("fname1")
// and img2 ("fname2") once per process. An error while filling leaves the rest undone and BannerFillCount at 0,
// and is raised to the caller (the message loop shows it).
void ShowBanners(TkvSkinLinkImage& img1, TkvSkinLinkImage& img2, const PromoSite& site);
void ShowBanners(TkvSkinLinkImage& img1, TkvSkinLinkImage& img2);
