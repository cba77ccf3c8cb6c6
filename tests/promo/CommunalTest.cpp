// The settings file: its download, its location and its scrambled values, on the platform's own functions.
#include "promo/Communal.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "LoopbackHttpServer.h"
#include "TestDir.h"

namespace {

const std::string kUrl = "http://www.kovra.example/banner.gif";
const std::string kStoredUrl = "689F2019A5492BEBDF5FA8383EBB899570E2BD0B29FFF20327290BA89CD858BC25E8A7";

}  // namespace

TEST(AppDirectory, IsTheDirectoryOfTheRunningProgramWithATrailingBackslash) {
    const std::wstring dir = GetAppDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), L'\\');
    EXPECT_TRUE(fileExists(dir + L"promo_communal_tests.exe"));
}

TEST(IniValue, WritesTheStoredFormAndReadsThePlainValue) {
    TestDir dir;
    const std::wstring ini = dir.path() + L"SetConfig.ini";
    EXPECT_EQ(IniValue(ini, 1, L"ovbakpath", L"fname1", kUrl), "");
    EXPECT_NE(readFile(ini).find("fname1=" + kStoredUrl), std::string::npos) << readFile(ini);
    // Reading ignores the value argument.
    EXPECT_EQ(IniValue(ini, 0, L"ovbakpath", L"fname1", "ignored"), kUrl);
    EXPECT_EQ(IniValue(ini, 7, L"ovbakpath", L"fname1", ""), kUrl);  // every mode but 1 reads
}

TEST(IniValue, MissingFileSectionOrKeyReadsEmpty) {
    TestDir dir;
    const std::wstring ini = dir.path() + L"SetConfig.ini";
    EXPECT_EQ(IniValue(ini, 0, L"ovbakpath", L"fname1", ""), "");
    EXPECT_FALSE(fileExists(ini));  // reading never creates the file
    writeFile(ini, "[ovbakpath]\r\nfname1=" + kStoredUrl + "\r\nfname3=\r\n");
    EXPECT_EQ(IniValue(ini, 0, L"ovbaklink", L"fname1", ""), "");
    EXPECT_EQ(IniValue(ini, 0, L"ovbakpath", L"fname2", ""), "");
    EXPECT_EQ(IniValue(ini, 0, L"ovbakpath", L"fname3", ""), "");
    EXPECT_EQ(IniValue(ini, 0, L"ovbakpath", L"fname1", ""), kUrl);
}

TEST(IniValue, ReadsAtMost2047CharactersOfAValue) {
    TestDir dir;
    const std::wstring ini = dir.path() + L"SetConfig.ini";
    // 1500 bytes scrambled are 3000 digits; 2047 of them decode to 1023 bytes.
    const std::string plain(1500, 'x');
    writeFile(ini, "[s]\r\nk=" + ScrambleText(plain, kScrambleStartKey) + "\r\n");
    EXPECT_EQ(IniValue(ini, 0, L"s", L"k", ""), plain.substr(0, 1023));
}

TEST(IniValue, WritingToAnUnwritableFileRaisesTheWriteError) {
    TestDir dir;
    const std::wstring ini = dir.path() + L"missing\\SetConfig.ini";
    try {
        IniValue(ini, 1, L"s", L"k", "v");
        FAIL() << "no error raised";
    } catch (const IniWriteError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Unable to write to ", 0), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find("missing\\SetConfig.ini"), std::string::npos) << e.what();
    }
}

class Download : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
    TestDir dir;
    LoopbackHttpServer server;
};

TEST_F(Download, SavesTheResourceAndReplacesAnEarlierFile) {
    const std::wstring file = dir.path() + L"fname1.bmp";
    writeFile(file, "an earlier and longer copy of the file");
    std::string body("BM\0\x01\x02 binary \r\n\x1A\xFF", 16);
    server.serve("/pic.bmp", body);
    EXPECT_TRUE(DownloadUrlToFile(server.baseAddress() + L"pic.bmp", file, kPictureDownload));
    EXPECT_EQ(readFile(file), body);
    EXPECT_EQ(server.requests("/pic.bmp"), 1);
}

TEST_F(Download, FailuresGiveFalseAndLeaveAnEarlierFileInPlace) {
    const std::wstring file = dir.path() + L"fname1.bmp";
    writeFile(file, "earlier");
    EXPECT_FALSE(DownloadUrlToFile(server.baseAddress() + L"nothing.bmp", file, kPictureDownload));  // 404
    EXPECT_EQ(readFile(file), "earlier");
    EXPECT_FALSE(DownloadUrlToFile(L"", file, kPictureDownload));
    EXPECT_FALSE(DownloadUrlToFile(L"no address at all", file, kPictureDownload));
    EXPECT_EQ(readFile(file), "earlier");
    // A local file name that cannot be created.
    server.serve("/pic.gif", "GIF89a");
    EXPECT_FALSE(
        DownloadUrlToFile(server.baseAddress() + L"pic.gif", dir.path() + L"fname1.gif?x=1", kPictureDownload));
    EXPECT_FALSE(
        DownloadUrlToFile(server.baseAddress() + L"pic.gif", dir.path() + L"nodir\\fname1.gif", kPictureDownload));
    // No scratch file is left behind.
    EXPECT_EQ(listFiles(dir.path()), std::vector<std::wstring>{L"fname1.bmp"});
}

TEST_F(Download, OnlyWebAddressesAreFetched) {
    const std::wstring source = dir.path() + L"source.gif";
    writeFile(source, "GIF89a from elsewhere");
    for (const std::wstring& url : {L"file:///" + source, L"file:" + source, source}) {
        EXPECT_FALSE(DownloadUrlToFile(url, dir.path() + L"fname1.gif", kPictureDownload)) << url;
        EXPECT_FALSE(fileExists(dir.path() + L"fname1.gif")) << url;
    }
}

TEST_F(Download, NothingListeningGivesFalse) {
    std::wstring closedBase;
    {
        LoopbackHttpServer gone;
        closedBase = gone.baseAddress();
    }
    EXPECT_FALSE(DownloadUrlToFile(closedBase + L"ovbak.rar", dir.path() + L"SetConfig.ini", kSettingsDownload));
    EXPECT_FALSE(fileExists(dir.path() + L"SetConfig.ini"));
}

// A download that passes a limit is abandoned while it runs: the service is stopped, the result is false, an
// earlier copy stays, and nothing of the download is left in the folder. The figures are printed as measured.
TEST_F(Download, ALimitPassedWhileDownloadingAbandonsItAndLeavesNothing) {
    const std::wstring file = dir.path() + L"fname1.gif";
    writeFile(file, "earlier");
    const auto expectAbandoned = [&](const std::string& path, const DownloadLimits& limits, const char* what) {
        const DWORD start = GetTickCount();
        EXPECT_FALSE(DownloadUrlToFile(server.baseAddress() + std::wstring(path.begin() + 1, path.end()), file, limits))
            << what;
        std::printf("[ MEASURED ] %s: abandoned after %lu ms, %zu bytes of the body sent\n", what,
                    static_cast<unsigned long>(GetTickCount() - start), server.bodyBytesSent(path));
        EXPECT_EQ(readFile(file), "earlier") << what;
        EXPECT_EQ(listFiles(dir.path()), std::vector<std::wstring>{L"fname1.gif"}) << what;
    };
    // Sizes: announced by the server, or learnt only while the data arrives.
    server.serve("/big.gif", std::string(kMaxPictureBytes + 1, 'x'));
    expectAbandoned("/big.gif", kPictureDownload, "picture of 4 MB + 1, length announced");
    server.serve("/endless.gif", std::string(4 * kMaxPictureBytes, 'x'), {false, 64 * 1024, 0});
    // (Wine's service reports a fast body of unannounced length only at its end: there the limit is found on what
    // arrived, and the scratch file goes.)
    expectAbandoned("/endless.gif", kPictureDownload, "picture of 16 MB, length not announced");
    server.serve("/ovbak.rar", std::string(kMaxSettingsBytes + 1, 'x'), {false, 1024, 0});
    expectAbandoned("/ovbak.rar", kSettingsDownload, "settings of 64 KB + 1, length not announced");
    // Time: a server that trickles 1 KB every 100 ms would take 20 s; the limit here is 1 s.
    server.serve("/slow.gif", std::string(200 * 1024, 'x'), {false, 1024, 100});
    expectAbandoned("/slow.gif", {kMaxPictureBytes, 1000}, "trickling picture, 1 s limit");
    EXPECT_LT(server.bodyBytesSent("/slow.gif"), 200u * 1024u);
    // A server that sends one byte and then nothing for 2 s at a time: the service reports nothing meanwhile, and
    // the deadline alone ends the download, before the second byte.
    server.serve("/stalled.gif", std::string(3, 'x'), {false, 1, 2000});
    expectAbandoned("/stalled.gif", {kMaxPictureBytes, 500}, "stalled picture, 0.5 s limit");
    EXPECT_EQ(server.bodyBytesSent("/stalled.gif"), 1u);
    // At the limits the resource arrives whole.
    server.serve("/ovbak.rar", std::string(kMaxSettingsBytes, 's'));
    EXPECT_TRUE(DownloadUrlToFile(server.baseAddress() + L"ovbak.rar", file, kSettingsDownload));
    EXPECT_EQ(readFile(file).size(), kMaxSettingsBytes);
    server.serve("/top.gif", std::string(kMaxPictureBytes, 'p'), {false, 64 * 1024, 0});
    EXPECT_TRUE(DownloadUrlToFile(server.baseAddress() + L"top.gif", file, kPictureDownload));
    EXPECT_EQ(readFile(file).size(), kMaxPictureBytes);
}

TEST_F(Download, SettingsFileComesFromBaseAddressPlusProductCodeAndIsSavedUnchanged) {
    const std::string settings = "[ovbakpath]\r\nfname1=" + kStoredUrl + "\r\n";
    server.serve("/ovbak.rar", settings);
    const PromoSite site{server.baseAddress(), dir.path(), DownloadUrlToFile};
    EXPECT_TRUE(DownloadSettingsFile(site, kProductCode));
    EXPECT_EQ(readFile(dir.path() + L"SetConfig.ini"), settings);
    EXPECT_EQ(IniValue(site.SettingsFile(), 0, L"ovbakpath", L"fname1", ""), kUrl);
    EXPECT_FALSE(DownloadSettingsFile(site, L"other"));
    EXPECT_EQ(server.requests("/other.rar"), 1);
}

TEST(DownloadSettings, AThrowingDownloadCountsAsFailure) {
    TestDir dir;
    const PromoSite site{L"http://127.0.0.1:1/", dir.path(),
                         [](const std::wstring&, const std::wstring&, const DownloadLimits&) -> bool {
                             throw std::runtime_error("boom");
                         }};
    EXPECT_FALSE(DownloadSettingsFile(site, kProductCode));
}

TEST(DownloadSettings, TheProgramsSiteIsTheVendorsAndTheProgramDirectory) {
    const PromoSite site = DefaultPromoSite();
    EXPECT_EQ(site.baseAddress, L"https://www.kovra.example/");
    EXPECT_EQ(site.appDirectory, GetAppDirectory());
    EXPECT_EQ(site.SettingsFile(), GetAppDirectory() + L"SetConfig.ini");
}
