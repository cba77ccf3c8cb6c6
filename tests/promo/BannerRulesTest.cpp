// Which local file a banner picture goes to, and which links a banner may open.
#include "promo/BannerRules.h"

#include <gtest/gtest.h>

namespace {

using Kind = PictureExtension::Kind;

void expectExtension(std::wstring_view url, Kind kind, std::wstring_view text = {}) {
    const PictureExtension ext = PictureUrlExtension(url);
    EXPECT_EQ(ext.kind, kind) << std::string(url.begin(), url.end());
    if (kind != Kind::None) EXPECT_EQ(ext.text, text) << std::string(url.begin(), url.end());
}

}  // namespace

TEST(PictureUrlExtension, IsTheTextFromTheLastDot) {
    expectExtension(L"http://www.kovra.example/ads/banner.gif", Kind::Usable, L".gif");
    expectExtension(L"http://www.kovra.example/ads/banner.BMP", Kind::Usable, L".BMP");
    expectExtension(L"http://www.kovra.example/a.b.c.emf", Kind::Usable, L".emf");
    expectExtension(L"http://host/picture.", Kind::Usable, L".");
    expectExtension(L"http://host/picture.\u56fe\u7247", Kind::Usable, L".\u56fe\u7247");
}

TEST(PictureUrlExtension, NoDotOrABackslashOrColonAfterItMeansNone) {
    expectExtension(L"", Kind::None);
    expectExtension(L"banner", Kind::None);
    expectExtension(L"http://localhost/banner", Kind::None);  // the only dot is followed by ":"
    expectExtension(L"C:\\ads.v2\\banner", Kind::None);
    expectExtension(L"http://a.b:8080/banner", Kind::None);
}

TEST(PictureUrlExtension, TextThatCouldLeaveTheProgramDirectoryIsUnusable) {
    // The last dot of ".." path segments: "fname1../../x" would name a file elsewhere.
    expectExtension(L"http://host/a/../../Startup/run", Kind::Unusable, L"./Startup/run");
    expectExtension(L"http://www.kovra.example/banner", Kind::Unusable, L".example/banner");
    expectExtension(L"http://host/banner.gif?x=1", Kind::Unusable, L".gif?x=1");
    expectExtension(L"http://host/banner.gif*", Kind::Unusable, L".gif*");
    expectExtension(L"http://host/banner.g<i>f", Kind::Unusable, L".g<i>f");
    expectExtension(L"http://host/banner.gi\"f", Kind::Unusable, L".gi\"f");
    expectExtension(L"http://host/banner.gi|f", Kind::Unusable, L".gi|f");
    expectExtension(L"http://host/banner.gif\t", Kind::Unusable, L".gif\t");
    expectExtension(std::wstring(L"http://host/banner.gi\0f", 23), Kind::Unusable, std::wstring(L".gi\0f", 5));
}

TEST(IsWebAddress, AcceptsOnlyHttpAndHttpsAddresses) {
    EXPECT_TRUE(IsWebAddress(L"http://www.kovra.example/"));
    EXPECT_TRUE(IsWebAddress(L"https://www.kovra.example/"));
    EXPECT_TRUE(IsWebAddress(L"HTTPS://WWW.KOVRA.EXAMPLE/"));
    EXPECT_TRUE(IsWebAddress(L"Http://x"));

    EXPECT_FALSE(IsWebAddress(L""));
    EXPECT_FALSE(IsWebAddress(L"http://"));
    EXPECT_FALSE(IsWebAddress(L"https://"));
    EXPECT_FALSE(IsWebAddress(L"file:///C:/Windows/System32/calc.exe"));
    EXPECT_FALSE(IsWebAddress(L"C:\\Windows\\System32\\calc.exe"));
    EXPECT_FALSE(IsWebAddress(L"calc"));
    EXPECT_FALSE(IsWebAddress(L"\\\\server\\share\\run.exe"));
    EXPECT_FALSE(IsWebAddress(L"ftp://www.kovra.example/"));
    EXPECT_FALSE(IsWebAddress(L"mailto:support@kovra.example"));
    EXPECT_FALSE(IsWebAddress(L" http://www.kovra.example/"));
    EXPECT_FALSE(IsWebAddress(L"httpx://www.kovra.example/"));
}
