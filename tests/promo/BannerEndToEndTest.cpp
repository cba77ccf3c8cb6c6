// The whole road through the platform: a settings file, a GIF and a BMP banner served over HTTP from 127.0.0.1,
// downloaded by the platform's download service into the program directory and shown by the banners.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string_view>

#include "BannerTestKit.h"
#include "LoopbackHttpServer.h"
#include "TestDir.h"
#include "framework/Component.h"
#include "framework/DibSection.h"
#include "framework/PlatformPictures.h"
#include "gif/GIFImage.h"
#include "promo/BlankBitmap.h"
#include "promo/Banners.h"
#include "promo/Communal.h"
#include "promo/kvSkinLinkImage.h"

extern const std::string_view kTestFile_text_mono;  // 100 x 30

namespace {

std::string narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

struct ComApartment {
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

class BannerEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        GIFImageRegister();
        fw::registerPlatformPictureFormats();
        BannerFillCount = 0;
        const std::string base = narrow(server.baseAddress());
        TestDir scratch;
        writeBannerSettings(scratch.path() + L"s.ini", base + "ads/top1.gif", "https://www.kovra.example/offer1",
                            base + "ads/top2.bmp", "http://www.kovra.example/offer2");
        settings = readFile(scratch.path() + L"s.ini");
        server.serve("/ovbak.rar", settings);
        server.serve("/ads/top1.gif", std::string(kTestFile_text_mono));
        server.serve("/ads/top2.bmp", bmp);
    }
    void TearDown() override { BannerFillCount = 0; }

    TkvSkinLinkImage& makeBanner(int left, int width) {
        TkvSkinLinkImage& img = owner.create<TkvSkinLinkImage>();
        img.setBounds(left, 1, width, 47);
        img.SetLinkOpener([this](const std::wstring& link) { opened.push_back(link); });
        return img;
    }
    PromoSite site() { return {server.baseAddress(), dir.path(), DownloadUrlToFile}; }

    ComApartment com;
    LoopbackHttpServer server;
    TestDir dir;
    std::string settings;
    const std::string bmp = makeBmp(120, 40, 0x3366CC);
    fw::Component owner;
    std::vector<std::wstring> opened;
};

}  // namespace

TEST_F(BannerEndToEnd, BannersShowTheServedPicturesAndOpenTheirLinks) {
    TkvSkinLinkImage& img1 = makeBanner(1, 264);
    TkvSkinLinkImage& img2 = makeBanner(265, 280);
    ShowBanners(img1, img2, site());
    EXPECT_EQ(BannerFillCount, 1);

    // Saved beside the program, unchanged.
    EXPECT_EQ(readFile(dir.path() + L"SetConfig.ini"), settings);
    EXPECT_EQ(readFile(dir.path() + L"fname1.gif"), kTestFile_text_mono);
    EXPECT_EQ(readFile(dir.path() + L"fname2.bmp"), bmp);

    ASSERT_NE(dynamic_cast<TGIFImage*>(img1.picture().graphic()), nullptr);
    ASSERT_NE(dynamic_cast<fw::BitmapGraphic*>(img2.picture().graphic()), nullptr);
    EXPECT_EQ(img1.picture().width(), 100);
    EXPECT_EQ(img1.picture().height(), 30);
    EXPECT_EQ(img2.picture().width(), 120);
    EXPECT_EQ(img2.height(), 48);

    img1.click();
    img2.click();
    EXPECT_EQ(opened,
              (std::vector<std::wstring>{L"https://www.kovra.example/offer1", L"http://www.kovra.example/offer2"}));

    // Drawn at natural size from the top-left corner, not stretched or centred.
    fw::DibSection dib(280, 48);
    img2.paint(dib.canvas());
    const fw::ConstPixelView px = dib.pixels();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 280; ++x) {
            const fw::Pixel expected = x < 120 && y < 40 ? 0x3366CCu : 0u;
            ASSERT_EQ(px.at(x, y) & 0xFFFFFF, expected) << x << "," << y;
        }
}

TEST_F(BannerEndToEnd, ASecondShowFetchesTheSettingsAgainButNotThePictures) {
    TkvSkinLinkImage& img1 = makeBanner(1, 264);
    TkvSkinLinkImage& img2 = makeBanner(265, 280);
    ShowBanners(img1, img2, site());
    ShowBanners(img1, img2, site());
    EXPECT_EQ(server.requests("/ovbak.rar"), 2);
    EXPECT_EQ(server.requests("/ads/top1.gif"), 1);
    EXPECT_EQ(server.requests("/ads/top2.bmp"), 1);
}

TEST_F(BannerEndToEnd, ALaterRunWithoutPicturesOnTheServerShowsTheEarlierCopies) {
    {
        TkvSkinLinkImage& img1 = makeBanner(1, 264);
        TkvSkinLinkImage& img2 = makeBanner(265, 280);
        ShowBanners(img1, img2, site());
    }
    // The next run of the program: the pictures are gone from the server (404).
    BannerFillCount = 0;
    server.remove("/ads/top1.gif");
    server.remove("/ads/top2.bmp");
    TkvSkinLinkImage& next1 = makeBanner(1, 264);
    TkvSkinLinkImage& next2 = makeBanner(265, 280);
    ShowBanners(next1, next2, site());
    EXPECT_EQ(server.requests("/ads/top1.gif"), 2);
    EXPECT_EQ(readFile(dir.path() + L"fname1.gif"), kTestFile_text_mono);  // the error page did not replace it
    EXPECT_EQ(next1.picture().width(), 100);
    EXPECT_EQ(next2.picture().width(), 120);
    EXPECT_EQ(next1.URL(), L"https://www.kovra.example/offer1");
}

TEST_F(BannerEndToEnd, NoServerGivesPlaceholdersAndWritesNothing) {
    std::wstring closedBase;
    {
        LoopbackHttpServer gone;
        closedBase = gone.baseAddress();
    }
    TkvSkinLinkImage& img1 = makeBanner(1, 264);
    TkvSkinLinkImage& img2 = makeBanner(265, 280);
    ShowBanners(img1, img2, {closedBase, dir.path(), DownloadUrlToFile});
    EXPECT_NE(dynamic_cast<BlankBitmap*>(img1.picture().graphic()), nullptr);
    EXPECT_NE(dynamic_cast<BlankBitmap*>(img2.picture().graphic()), nullptr);
    EXPECT_EQ(img1.URL(), closedBase);
    EXPECT_TRUE(listFiles(dir.path()).empty());
}
