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

TEST(PictureUrlExtension, IsTheTextFromTheLastDotWhenItIsAPictureType) {
    expectExtension(L"http://www.kovra.example/ads/banner.gif", Kind::Usable, L".gif");
    expectExtension(L"http://www.kovra.example/ads/banner.BMP", Kind::Usable, L".BMP");
    expectExtension(L"http://www.kovra.example/a.b.c.jpeg", Kind::Usable, L".jpeg");
    for (const wchar_t* ext : {L".jpg", L".Png", L".ICO"})
        expectExtension(std::wstring(L"http://host/b") + ext, Kind::Usable, ext);
}

TEST(PictureUrlExtension, AnyOtherExtensionIsUnusable) {
    // Programs, scripts and shortcuts a user might open, and the formats the banners do not take.
    for (const wchar_t* ext : {L".exe", L".hta", L".lnk", L".js", L".bat", L".emf", L".wmf", L".gif2", L".gi", L"."})
        expectExtension(std::wstring(L"http://host/b") + ext, Kind::Unusable, ext);
    expectExtension(L"http://host/picture.\u56fe\u7247", Kind::Unusable, L".\u56fe\u7247");
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

TEST(IsWebAddress, AcceptsOnlyWellFormedHttpAndHttpsAddresses) {
    for (const wchar_t* link :
         {L"http://www.kovra.example/", L"https://www.kovra.example/", L"HTTPS://WWW.KOVRA.EXAMPLE/", L"Http://x",
          L"http://127.0.0.1:8080/ovbak.rar", L"https://www.kovra.example/a/b.html?x=1&y=%E4%B8%AD#top",
          L"http://a-b.example/~me/(1)[2]!$*+,;=:@"}) {
        EXPECT_TRUE(IsWebAddress(link)) << std::wstring(link).c_str();
    }
    EXPECT_TRUE(IsWebAddress(L"http://x/" + std::wstring(kMaxWebAddressLength - 9, L'a')));

    for (const wchar_t* link :
         {L"", L"http://", L"https://", L"file:///C:/Windows/System32/calc.exe", L"C:\\Windows\\System32\\calc.exe",
          L"calc", L"\\\\server\\share\\run.exe", L"ftp://www.kovra.example/", L"mailto:support@kovra.example",
          L" http://www.kovra.example/", L"httpx://www.kovra.example/",
          // Blanks and quotes that the shell could read as more than one address or as options.
          L"http://www.kovra.example/ -x", L"http://www.kovra.example/\" c:\\x.exe\"", L"http://host/it's",
          L"http://host/a\tb", L"http://host/a\\b", L"http://host/<b>", L"http://host/{x}", L"http://host/a|b",
          // Malformed hosts, ports and escapes; a host hidden behind user information.
          L"http:///path", L"http://-host/", L"http://host-/", L"http://a..b/", L"http://.host/", L"http://host:/",
          L"http://host:123456/", L"http://host:8a/", L"http://ho_st/", L"http://\u4e2d.example/",
          L"http://www.kovra.example@evil.example/", L"http://host/%", L"http://host/%4", L"http://host/%zz"}) {
        EXPECT_FALSE(IsWebAddress(link)) << std::wstring(link).c_str();
    }
    EXPECT_FALSE(IsWebAddress(L"http://x/" + std::wstring(kMaxWebAddressLength - 8, L'a')));
}
