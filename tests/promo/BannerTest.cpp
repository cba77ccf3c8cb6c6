// Filling the banners: download, earlier local copy, placeholder, errors, and the once-per-process rule.
#include "promo/Banners.h"

#include <gtest/gtest.h>

#include "BannerTestKit.h"
#include "TestDir.h"
#include "framework/Component.h"
#include "promo/BlankBitmap.h"
#include "promo/Communal.h"
#include "promo/kvSkinLinkImage.h"

namespace {

const std::wstring kBase = L"https://www.kovra.example/";
const std::wstring kSettingsUrl = L"https://www.kovra.example/ovbak.rar";

class Banners : public ::testing::Test {
protected:
    void SetUp() override {
        BannerFillCount = 0;
        for (TkvSkinLinkImage* img : {&img1, &img2})
            img->SetLinkOpener([this](const std::wstring& link) { opened.push_back(link); });
        img1.setBounds(1, 1, 264, 47);
        img2.setBounds(265, 1, 280, 47);
    }
    void TearDown() override { BannerFillCount = 0; }

    PromoSite site() { return {kBase, dir.path(), downloads.download()}; }
    std::wstring local(const std::wstring& name) const { return dir.path() + name; }
    // The server's settings file; downloads of it copy it into the program directory.
    void serveSettings(const std::string& p1, const std::string& l1, const std::string& p2, const std::string& l2) {
        TestDir scratch;
        writeBannerSettings(scratch.path() + L"s.ini", p1, l1, p2, l2);
        downloads.resources[kSettingsUrl] = readFile(scratch.path() + L"s.ini");
    }
    static std::string loaded(TkvSkinLinkImage& img) {
        auto* g = dynamic_cast<TextGraphic*>(img.picture().graphic());
        return g ? g->content() : "<no text picture>";
    }
    static bool isPlaceholder(TkvSkinLinkImage& img) {
        return dynamic_cast<BlankBitmap*>(img.picture().graphic()) != nullptr;
    }

    TextGraphicFormat format;
    TestDir dir;
    FakeDownloads downloads;
    fw::Component owner;
    TkvSkinLinkImage& img1 = owner.create<TkvSkinLinkImage>();
    TkvSkinLinkImage& img2 = owner.create<TkvSkinLinkImage>();
    std::vector<std::wstring> opened;
};

}  // namespace

TEST_F(Banners, NoSettingsAndNoNetworkGiveTwoPlaceholdersLinkingToTheVendor) {
    ShowBanners(img1, img2, site());
    EXPECT_EQ(BannerFillCount, 1);
    for (TkvSkinLinkImage* img : {&img1, &img2}) {
        EXPECT_TRUE(isPlaceholder(*img));
        EXPECT_EQ(img->height(), 48);
        EXPECT_EQ(img->URL(), kBase);
    }
    EXPECT_EQ(img1.picture().width(), 264);  // a blank bitmap of the control's size
    EXPECT_EQ(img1.picture().height(), 48);
    img1.click();
    img2.click();
    EXPECT_EQ(opened, (std::vector<std::wstring>{kBase, kBase}));
    // Only the settings were tried, within their limit: without a picture address there is no picture to fetch.
    ASSERT_EQ(downloads.calls.size(), 1u);
    EXPECT_EQ(downloads.calls[0], std::make_pair(kSettingsUrl, local(L"SetConfig.ini")));
    EXPECT_EQ(downloads.maxBytes[0], kMaxSettingsBytes);
}

TEST_F(Banners, AnUnknownProgramDirectoryDownloadsNothingAndGivesPlaceholders) {
    serveSettings("http://pics.kovra.example/one.png", "https://www.kovra.example/one", "", "");
    downloads.resources[L"http://pics.kovra.example/one.png"] = "first picture";
    PromoSite s = site();
    s.appDirectory.clear();
    ShowBanners(img1, img2, s);
    EXPECT_TRUE(downloads.calls.empty());
    EXPECT_TRUE(isPlaceholder(img1));
    EXPECT_TRUE(isPlaceholder(img2));
    EXPECT_EQ(img1.URL(), kBase);
}

TEST_F(Banners, PlaceholderShowsTheInvitationOnWhite) {
    FillBanner(img1, L"fname1", kProductCode, site());
    auto* blank = dynamic_cast<BlankBitmap*>(img1.picture().graphic());
    ASSERT_NE(blank, nullptr);
    const fw::ConstPixelView px = blank->Pixels();
    ASSERT_EQ(px.width, 264);
    ASSERT_EQ(px.height, 48);
    int dark = 0;
    for (int y = 0; y < px.height; ++y)
        for (int x = 0; x < px.width; ++x)
            if (fw::pixelR(px.at(x, y)) < 128 && fw::pixelG(px.at(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 20);                                          // the text was drawn
    EXPECT_EQ(px.at(263, 47) & 0xFFFFFF, 0xFFFFFFu);              // on a white bitmap
    EXPECT_EQ(blank->Canvas().font().charset(), GB2312_CHARSET);  // a font with the text's characters
}

TEST_F(Banners, DownloadedPicturesAreShownWithTheirLinks) {
    serveSettings("http://pics.kovra.example/one.png", "https://www.kovra.example/one",
                  "http://pics.kovra.example/two.PNG", "http://www.kovra.example/two");
    downloads.resources[L"http://pics.kovra.example/one.png"] = "first picture";
    downloads.resources[L"http://pics.kovra.example/two.PNG"] = "second picture";
    ShowBanners(img1, img2, site());
    EXPECT_EQ(loaded(img1), "first picture");
    EXPECT_EQ(loaded(img2), "second picture");
    EXPECT_EQ(readFile(local(L"fname1.png")), "first picture");
    EXPECT_EQ(readFile(local(L"fname2.PNG")), "second picture");
    EXPECT_EQ(img1.URL(), L"https://www.kovra.example/one");
    EXPECT_EQ(img2.URL(), L"http://www.kovra.example/two");
    EXPECT_EQ(img1.height(), 48);
    EXPECT_EQ(downloads.maxBytes, (std::vector<std::uint64_t>{kMaxSettingsBytes, kMaxPictureBytes, kMaxPictureBytes}));
    img2.click();
    EXPECT_EQ(opened, std::vector<std::wstring>{L"http://www.kovra.example/two"});
}

TEST_F(Banners, FailedDownloadFallsBackToTheEarlierLocalFileWithTheNewLink) {
    serveSettings("http://pics.kovra.example/one.png", "https://www.kovra.example/new", "", "");
    writeFile(local(L"fname1.png"), "from an earlier run");
    ShowBanners(img1, img2, site());
    EXPECT_EQ(loaded(img1), "from an earlier run");
    EXPECT_EQ(img1.URL(), L"https://www.kovra.example/new");
    EXPECT_EQ(downloads.callsFor(L"http://pics.kovra.example/one.png"), 1);
    EXPECT_TRUE(isPlaceholder(img2));
    // An earlier copy above the picture limit is not read: it gives the placeholder.
    writeFile(local(L"fname1.png"), std::string(kMaxPictureBytes + 1, 'x'));
    img1.picture().clear();
    FillBanner(img1, L"fname1", kProductCode, site());
    EXPECT_TRUE(isPlaceholder(img1));
}

TEST_F(Banners, AThrowingDownloadCountsAsAFailedOne) {
    serveSettings("http://pics.kovra.example/one.png", "https://www.kovra.example/one", "", "");
    PromoSite s = site();
    auto inner = s.download;
    s.download = [inner](const std::wstring& url, const std::wstring& file, const DownloadLimits& limits) -> bool {
        if (url.find(L"one.png") != std::wstring::npos) throw std::runtime_error("connection reset");
        return inner(url, file, limits);
    };
    FillBanner(img1, L"fname1", kProductCode, s);
    EXPECT_TRUE(isPlaceholder(img1));
}

TEST_F(Banners, AnythingButAPictureExtensionGivesThePlaceholderWithoutDownloading) {
    // Extensions that would leave the program directory, no extension at all (no dot after the last colon or
    // backslash), and extensions of other types: programs and scripts a user might open, and formats the banners
    // do not take.
    for (const std::string url : {"http://pics.kovra.example/a/../../x", "http://pics.kovra.example/one.png?v=2",
                                  "http://pics.kovra.example/one.png/..\\..\\evil", "http://localhost/banner",
                                  "http://pics.kovra.example/one.exe", "http://pics.kovra.example/one.hta",
                                  "http://pics.kovra.example/one.xyz", "http://pics.kovra.example/one.emf"}) {
        serveSettings(url, "https://www.kovra.example/one", "", "");
        ASSERT_TRUE(DownloadSettingsFile(site(), kProductCode));
        downloads.resources[std::wstring(url.begin(), url.end())] = "would be planted";
        downloads.calls.clear();
        img1.picture().clear();
        FillBanner(img1, L"fname1", kProductCode, site());
        EXPECT_TRUE(isPlaceholder(img1)) << url;
        EXPECT_EQ(img1.URL(), kBase) << url;
        EXPECT_TRUE(downloads.calls.empty()) << url;
    }
    EXPECT_EQ(listFiles(dir.path()), std::vector<std::wstring>{L"SetConfig.ini"});
}

TEST_F(Banners, APictureThatCannotBeLoadedRaisesItsErrorAndTheShowIsTriedAgain) {
    // A picture type that no decoder reads here.
    fw::unregisterPictureFormat("png");
    serveSettings("http://pics.kovra.example/one.png", "https://www.kovra.example/one", "http://localhost/b2.gif", "");
    downloads.resources[L"http://pics.kovra.example/one.png"] = "data";
    try {
        ShowBanners(img1, img2, site());
        FAIL() << "no error raised";
    } catch (const fw::PictureError& e) {
        EXPECT_STREQ(e.what(), "Unknown picture file extension (.png)");
    }
    // The rest of the show was skipped: the second banner is untouched and the count stays at 0.
    EXPECT_EQ(BannerFillCount, 0);
    EXPECT_TRUE(img2.picture().empty());
    EXPECT_EQ(img2.height(), 47);
    EXPECT_EQ(downloads.callsFor(L"http://localhost/b2.gif"), 0);
    // The next show tries both again.
    EXPECT_THROW(ShowBanners(img1, img2, site()), fw::PictureError);
    EXPECT_EQ(downloads.callsFor(L"http://pics.kovra.example/one.png"), 2);
}

TEST_F(Banners, AnEmptyOrNonWebLinkLeavesTheBannerInert) {
    serveSettings("http://pics.kovra.example/one.png", "", "http://pics.kovra.example/two.png",
                  "file:///C:/Windows/System32/calc.exe");
    downloads.resources[L"http://pics.kovra.example/one.png"] = "1";
    downloads.resources[L"http://pics.kovra.example/two.png"] = "2";
    int clicks = 0;
    img1.onClick = [&](fw::Component*) { ++clicks; };
    ShowBanners(img1, img2, site());
    img1.click();
    img2.click();
    EXPECT_EQ(clicks, 1);  // the click event still fires
    EXPECT_TRUE(opened.empty());
    for (const wchar_t* link : {L"C:\\Windows\\System32\\calc.exe", L"calc", L"\\\\server\\share\\x.exe"}) {
        img1.SetURL(link);
        img1.click();
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(Banners, ClickRunsTheClickEventBeforeOpeningTheLink) {
    std::vector<std::wstring> order;
    img1.SetURL(L"https://www.kovra.example/");
    img1.onClick = [&](fw::Component* sender) {
        EXPECT_EQ(sender, &img1);
        order.push_back(L"event");
    };
    img1.SetLinkOpener([&](const std::wstring& link) { order.push_back(link); });
    img1.click();
    EXPECT_EQ(order, (std::vector<std::wstring>{L"event", L"https://www.kovra.example/"}));
}

TEST_F(Banners, ASecondShowFetchesTheSettingsAgainButDoesNotRefill) {
    serveSettings("http://pics.kovra.example/one.png", "https://www.kovra.example/one", "", "");
    downloads.resources[L"http://pics.kovra.example/one.png"] = "first";
    ShowBanners(img1, img2, site());
    downloads.resources[L"http://pics.kovra.example/one.png"] = "changed";
    img1.setHeight(30);
    ShowBanners(img1, img2, site());
    EXPECT_EQ(downloads.callsFor(kSettingsUrl), 2);
    EXPECT_EQ(downloads.callsFor(L"http://pics.kovra.example/one.png"), 1);
    EXPECT_EQ(loaded(img1), "first");
    EXPECT_EQ(img1.height(), 30);
    EXPECT_EQ(BannerFillCount, 1);
}

TEST(LinkImage, ShowsTheHandCursorAndStartsWithoutLink) {
    fw::Component owner;
    TkvSkinLinkImage& img = owner.create<TkvSkinLinkImage>();
    EXPECT_EQ(img.cursor(), fw::crHandPoint);
    EXPECT_TRUE(img.URL().empty());
    EXPECT_FALSE(img.stretch());
    EXPECT_FALSE(img.center());
}
