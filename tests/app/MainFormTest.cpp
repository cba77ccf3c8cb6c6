// The main window in this process: geometry, captions, tab order, the exit command, and the compact command
// on real files with the platform's file operations (the engine replaced by a fake that writes a known file).
#include "app/uFrmMain.h"

#include <shlobj.h>

#include "framework/Application.h"

#include <gtest/gtest.h>

#include "app/JroEngine.h"
#include "app/Win32FileOperations.h"
#include "engine/com/ConnectionString.h"
#include "framework/Platform.h"
#include "skin/frame/KelvaneForm.h"
#include "promo/Banners.h"
#include "tests/app/DialogDriver.h"
#include "tests/engine/com/TestFiles.h"

namespace {

using kvtest::ScratchFolder;
using kvtest::windowText;

const std::vector<std::uint8_t> kCompacted{'c', 'o', 'm', 'p', 'a', 'c', 't', 'e', 'd'};

// Writes kCompacted to the destination named in the connection string, and remembers that name and the source's
// connection string.
class WritingEngine : public DatabaseEngine {
public:
    WritingEngine(std::vector<std::wstring>* destinations, std::vector<std::u16string>* sources)
        : destinations_(destinations), sources_(sources) {}
    std::int32_t CompactDatabase(const std::u16string& source, const std::u16string& destination) override {
        if (sources_) sources_->push_back(source);
        const std::u16string path = kvcom::parseJetConnection(destination).dataSource;
        const std::wstring wpath(path.begin(), path.end());
        if (destinations_) destinations_->push_back(wpath);
        if (!kvtest::writeFileBytes(wpath, kCompacted)) throw EngineError("write");
        return 0;
    }

private:
    std::vector<std::wstring>* destinations_;
    std::vector<std::u16string>* sources_;
};

EngineFactory writingEngine(std::vector<std::wstring>* destinations = nullptr,
                            std::vector<std::u16string>* sources = nullptr) {
    return [destinations, sources] {
        return std::unique_ptr<DatabaseEngine>(std::make_unique<WritingEngine>(destinations, sources));
    };
}

fw::Rect clientBounds(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return fw::Rect{r.left, r.top, r.right, r.bottom};
}

// One application with the main form read from its description, as the program makes it.
class MainForm : public ::testing::Test {
protected:
    explicit MainForm(EngineFactory factory = writingEngine()) {
        app_.setTitle(kApplicationTitle);
        form_ = &app_.createForm<TfrmMain>(std::move(factory));
    }
    TfrmMain& form() { return *form_; }
    fw::Application app_;
    TfrmMain* form_ = nullptr;
};

TEST_F(MainForm, WindowHasItsSizeBorderAndCaption) {
    HWND h = form().handle();
    ASSERT_NE(h, nullptr);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 546);
    EXPECT_EQ(client.bottom, 296);
    EXPECT_EQ(windowText(h), L"KovraAccess数据库压缩器 V1.0");
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "not resizable by its border";
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << "no border icons";
    form().show();
    RECT outer{};
    GetWindowRect(h, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(form().font().name(), L"MS Sans Serif");
    EXPECT_EQ(form().font().height(), -12);
    EXPECT_EQ(form().font().charset(), GB2312_CHARSET);
}

TEST_F(MainForm, ElementsStandAtTheirPositionsWithTheirCaptions) {
    HWND h = form().handle();
    struct Expect {
        fw::Control* control;
        fw::Rect bounds;
        const wchar_t* text;
    };
    // The skinned captions, fields and buttons take the skin's heights: labels 20, the fields 21, buttons 22.
    const Expect expected[] = {
        {form().TopPnl, fw::Rect::fromSize(0, 0, 546, 49), L"TopPnl"},
        {form().kvSkinLabel1, fw::Rect::fromSize(72, 80, 329, 20), L"文件名:"},
        {form().edtDatabaseFile, fw::Rect::fromSize(72, 104, 329, 21), L""},
        {form().kvSkinLabel2, fw::Rect::fromSize(72, 136, 329, 20), L"数据库密码(如无请留空):"},
        {form().edtPassword, fw::Rect::fromSize(72, 160, 329, 21), L""},
        {form().kvSkinButton1, fw::Rect::fromSize(72, 200, 209, 22), L"压缩数据库"},
        {form().kvSkinButton2, fw::Rect::fromSize(288, 200, 115, 22), L"退出"},
        {form().LmStatusBar1, fw::Rect::fromSize(0, 277, 546, 19), nullptr},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.control->name());
        EXPECT_EQ(e.control->boundsRect(), e.bounds);
        if (e.text) {
            EXPECT_EQ(e.control->caption(), e.text);
        }
        if (auto* w = dynamic_cast<fw::WindowedControl*>(e.control)) {
            EXPECT_EQ(clientBounds(h, w->handle()), e.bounds);
        }
    }
    // The banners: the first aligned left at its width, the second filling the rest of the panel's skin client
    // area, 2 pixels inside each edge.
    const fw::Rect panelClient = form().TopPnl->alignRect();
    EXPECT_EQ(panelClient, (fw::Rect{2, 2, 544, 47}));
    EXPECT_EQ(form().img1->width(), 264);
    EXPECT_EQ(form().img1->left(), panelClient.left);
    EXPECT_EQ(form().img2->left(), form().img1->boundsRect().right);
    EXPECT_EQ(form().img2->boundsRect().right, panelClient.right);
    EXPECT_EQ(form().img2->height(), panelClient.height());
    EXPECT_EQ(form().edtPassword->PasswordKind(), pkRoundRect);
    EXPECT_EQ(form().edtDatabaseFile->Filter(), L"Access 数据库文件|*.mdb");
    // The file field is the skinned edit with its browse button inside the frame.
    EXPECT_TRUE(form().edtDatabaseFile->ButtonMode());
    EXPECT_EQ(form().edtDatabaseFile->SkinDataName(), "buttonedit");
    EXPECT_NE(form().edtDatabaseFile->Look(), nullptr);
    EXPECT_EQ(form().edtDatabaseFile->ButtonArea(), (fw::Rect{311, 2, 327, 19}));
}

// The description's settings that differ from the components' own defaults reach the components.
TEST_F(MainForm, TheDescriptionsSettingsReachTheirComponents) {
    for (TkvSkinCustomControl* c :
         std::initializer_list<TkvSkinCustomControl*>{form().kvSkinLabel1, form().kvSkinLabel2, form().edtPassword,
                                                      form().kvSkinButton1, form().kvSkinButton2}) {
        SCOPED_TRACE(c->name());
        EXPECT_EQ(c->DefaultFont().name(), L"宋体");
        EXPECT_EQ(c->DefaultFont().height(), 12);
    }
    EXPECT_EQ(form().SkinMessage->DefaultFont.name(), L"宋体");
    EXPECT_EQ(form().SkinMessage->DefaultButtonFont.name(), L"宋体");
    EXPECT_EQ(form().TopPnl->Spacing, 2);
    EXPECT_EQ(form().img1->cursor(), fw::crHandPoint);
    EXPECT_EQ(form().edtPassword->cursor(), fw::crIBeam);
    EXPECT_EQ(form().LmVersionInfoStatus1->Field(), TLmVersionInfoField::vifProductVersion);
    TkvKelvaneForm* frame = nullptr;
    for (fw::Component* c : form().components())
        if (auto* k = dynamic_cast<TkvKelvaneForm*>(c)) frame = k;
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->BorderIcons().biRollUp);
    EXPECT_TRUE(frame->DefCaptionFont.style().bold);
    EXPECT_EQ(frame->DefInActiveCaptionFont.color(), fw::clBtnShadow);
}

TEST_F(MainForm, ADroppedFileFillsTheFileField) {
    HWND h = form().handle();
    EXPECT_NE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    // What the shell sends: a DROPFILES block with wide names, each ended by a null, the list by another.
    const std::wstring names = std::wstring(L"D:\\数据\\shop.mdb") + L'\0' + L"D:\\other.mdb" + L'\0' + L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    ASSERT_NE(block, nullptr);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    SendMessageW(h, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    EXPECT_EQ(form().edtDatabaseFile->text(), L"D:\\数据\\shop.mdb");
    // The status bar's panes read from the description, with the vendor's addresses.
    EXPECT_EQ(form().LmStatusPane2->Caption(), L"www.kovra.example");
    EXPECT_EQ(form().LmStatusPane1->Caption(), L"官方Email:support@kovra.example");
    EXPECT_EQ(form().LmClockStatus1->boundsRect().width(), 150);
}

TEST(MainFormShow, ShowingTheWindowFetchesTheSettingsAndFillsBothBanners) {
    ScratchFolder dir{L"show"};
    std::vector<std::wstring> fetched;  // local file of each download asked for, in the worker
    const PromoSite site{L"https://www.kovra.example/", dir.path() + L"\\",
                         [&fetched](const std::wstring&, const std::wstring& file, const DownloadLimits&) {
                             fetched.push_back(file);
                             return false;
                         }};
    BannerFillCount = 0;
    fw::Application app;
    app.setTitle(kApplicationTitle);
    TfrmMain& form = app.createForm<TfrmMain>(writingEngine(), site);
    EXPECT_TRUE(fetched.empty()) << "nothing is fetched before the window is shown";
    form.show();
    ASSERT_TRUE(kvtest::pumpUntil([] { return BannerFillCount == 1; })) << "the banners arrive through the loop";
    // Without settings the banners have no picture address, so no picture is asked for.
    EXPECT_EQ(fetched, std::vector<std::wstring>{site.SettingsFile()});
    EXPECT_EQ(form.img1->URL(), site.baseAddress) << "placeholder";
    EXPECT_EQ(form.img2->URL(), site.baseAddress) << "placeholder";
}

// A download that does not end until the test lets it: the window must show, work and close meanwhile, and the
// worker, once let go, must not touch the window that is gone.
TEST(MainFormShow, AHangingDownloadNeitherHoldsUpTheWindowNorOutlivesItsSafety) {
    struct Network {
        fw::KernelHandle release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        fw::KernelHandle returned{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    };
    auto network = std::make_shared<Network>();  // the worker's copy of the download keeps it alive
    ScratchFolder dir{L"hang"};
    const PromoSite site{L"https://www.kovra.example/", dir.path() + L"\\",
                         [network](const std::wstring&, const std::wstring&, const DownloadLimits&) {
                             WaitForSingleObject(network->release.get(), 60000);
                             SetEvent(network->returned.get());
                             return false;
                         }};
    BannerFillCount = 0;
    {
        fw::Application app;
        app.setTitle(kApplicationTitle);
        TfrmMain& form = app.createForm<TfrmMain>(writingEngine(), site);
        form.show();
        EXPECT_TRUE(IsWindowVisible(form.handle()));
        EXPECT_EQ(WaitForSingleObject(network->returned.get(), 0), WAIT_TIMEOUT)
            << "the window was shown only after the download ended";
        fw::processMessages();
        form.edtDatabaseFile->setText(L"C:\\a.mdb");
        EXPECT_EQ(form.edtDatabaseFile->text(), L"C:\\a.mdb");
        EXPECT_EQ(BannerFillCount, 0);
        SendMessageW(form.kvSkinButton2->handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(app.terminated());
    }  // the window and its banners are destroyed with the download still running
    SetEvent(network->release.get());
    ASSERT_EQ(WaitForSingleObject(network->returned.get(), 20000), WAIT_OBJECT_0);
    // Whatever the worker does after its download would now reach freed objects; give it the time to do it.
    kvtest::pumpUntil([] { return false; }, 300);
    EXPECT_EQ(BannerFillCount, 0) << "nothing is filled after the window is gone";
}

TEST_F(MainForm, TabMovesThroughTheFieldsAndButtonsInOrder) {
    form().show();
    fw::WindowedControl* order[] = {form().edtDatabaseFile, form().edtPassword, form().kvSkinButton1,
                                    form().kvSkinButton2, form().edtDatabaseFile};
    order[0]->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        form().selectNext(form().activeControl(), true);
        EXPECT_EQ(form().activeControl(), order[i]) << "step " << i;
    }
}

TEST_F(MainForm, ExitButtonClosesAtOnce) {
    form().show();
    SendMessageW(form().kvSkinButton2->handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(app_.terminated()) << "the program must end";
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop must end";
    EXPECT_EQ(kvtest::findTopLevel(GetCurrentProcessId(), kMessageFormClass), nullptr) << "no message on exit";
}

TEST(TempDirectory, EndsWithABackslash) {
    const std::u16string dir = GetTempDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), u'\\');
    EXPECT_EQ(dir.find(u'\0'), std::u16string::npos);
}

// The replacement with the platform's own file operations.
class RealFiles : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = dir_.file(L"shop.mdb");
        ASSERT_TRUE(kvtest::writeFileBytes(db_, original_));
    }
    bool compact() {
        Win32FileOperations files;
        return CompactDatabaseFile(std::u16string(db_.begin(), db_.end()), u"", files, writingEngine());
    }
    ScratchFolder dir_{L"files"};
    std::wstring db_;
    const std::vector<std::uint8_t> original_ = std::vector<std::uint8_t>(10000, 'o');
};

TEST_F(RealFiles, CompactedCopyReplacesTheDatabase) {
    EXPECT_TRUE(compact());
    EXPECT_EQ(kvtest::readFileBytes(db_), kCompacted);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u);
}

TEST_F(RealFiles, DatabaseHeldOpenByAnotherProgramStaysIntact) {
    // Another program has the database open without letting it be replaced.
    fw::KernelHandle other(
        CreateFileW(db_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(other.valid());
    EXPECT_FALSE(compact());
    other.reset();
    EXPECT_EQ(kvtest::readFileBytes(db_), original_);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u) << "the compacted copy beside the database must be removed";
}

TEST_F(RealFiles, ReadOnlyFolderEntryStaysIntact) {
    SetFileAttributesW(db_.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(compact());
    SetFileAttributesW(db_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(kvtest::readFileBytes(db_), original_);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u);
}

// ---- the compact button in the window, with the boxes answered as a user would ---------------------------

class CompactButton : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = dir_.file(L"shop.mdb");
        ASSERT_TRUE(kvtest::writeFileBytes(db_, original_));
    }
    // Types the path, presses the compact button and answers the boxes with `script`; returns the boxes seen.
    std::vector<kvtest::BoxAnswerer::Box> press(EngineFactory factory, const std::wstring& path,
                                                std::vector<int> script, const std::wstring& password = L"") {
        fw::Application app;
        app.setTitle(kApplicationTitle);
        TfrmMain& form = app.createForm<TfrmMain>(std::move(factory));
        form.show();
        form.edtDatabaseFile->setText(path);
        for (wchar_t c : password) SendMessageW(form.edtPassword->handle(), WM_CHAR, c, 1);  // typed into the field
        kvtest::BoxAnswerer answerer(kMessageFormClass, kMessageButtonIdBase, std::move(script));
        SendMessageW(form.kvSkinButton1->handle(), BM_CLICK, 0, 0);
        return answerer.boxes();
    }
    EngineFactory counted(EngineFactory inner) {
        return [this, inner] {
            ++enginesCreated_;
            return inner();
        };
    }
    ScratchFolder dir_{L"button"};
    std::wstring db_;
    const std::vector<std::uint8_t> original_ = std::vector<std::uint8_t>(5000, 'o');
    int enginesCreated_ = 0;
};

TEST_F(CompactButton, ConfirmedCompactionEndsInTheInformationBox) {
    auto boxes = press(writingEngine(), db_, {mbOK, mbOK});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"Warning");
    EXPECT_EQ(boxes[0].text, fw::toWide(kConfirmCompactText));
    EXPECT_EQ(boxes[1].caption, L"Information");
    EXPECT_EQ(boxes[1].text, L"压缩数据库成功");
    EXPECT_EQ(kvtest::readFileBytes(db_), kCompacted);
}

TEST_F(CompactButton, ThePasswordTypedInTheWindowReachesTheEngine) {
    // ASCII and Chinese, and the ones a connection string could cut or trim: ';', a quote, edge blanks.
    for (const std::wstring& typed : {std::wstring(L"s3cret密码"), std::wstring(L"Kv;a 1"), std::wstring(L"  q\"t ")}) {
        std::vector<std::u16string> sources;
        auto boxes = press(writingEngine(nullptr, &sources), db_, {mbOK, mbOK}, typed);
        ASSERT_EQ(boxes.size(), 2u);
        ASSERT_EQ(sources.size(), 1u);
        EXPECT_EQ(kvcom::parseJetConnection(sources[0]).password, fw::toU16(typed));
    }
}

TEST_F(CompactButton, CancelAndBlankNamesDoNothing) {
    auto boxes = press(counted(writingEngine()), db_, {mbCancel});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Warning");
    boxes = press(counted(writingEngine()), L"    ", {mbOK});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(enginesCreated_, 0);
    EXPECT_EQ(kvtest::readFileBytes(db_), original_);
}

TEST_F(CompactButton, MissingEngineEndsInTheErrorBox) {
    auto missing = []() -> std::unique_ptr<DatabaseEngine> { throw EngineError("JRO.JetEngine is not registered"); };
    auto boxes = press(missing, db_, {mbOK, mbOK});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, L"Error");
    EXPECT_EQ(boxes[1].text,
              L"压缩失败，可能是您的计算机中没有安装 ADO 引擎，或者是数据库文件正被其它程序打开\nJRO.JetEngine is not "
              L"registered");
    EXPECT_EQ(kvtest::readFileBytes(db_), original_);
}

TEST_F(CompactButton, FailedCopyBackEndsInTheErrorBoxWithoutLeftovers) {
    std::vector<std::wstring> temporaries;
    fw::KernelHandle other(
        CreateFileW(db_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    auto boxes = press(writingEngine(&temporaries), db_, {mbOK, mbOK});
    other.reset();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, L"Error");
    EXPECT_EQ(kvtest::readFileBytes(db_), original_);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u);
    ASSERT_EQ(temporaries.size(), 1u);
    EXPECT_NE(temporaries[0].find(L"\\~AC"), std::wstring::npos);  // the platform keeps three prefix characters
    EXPECT_FALSE(kvtest::fileExists(temporaries[0])) << "the compacted temporary file must be deleted";
}

// The registered engine (tools/winerun registers the stand-in before tests run), called late-bound.
TEST(JroEngineCall, CompactsThroughTheRegisteredEngineAndTurnsErrorsIntoExceptions) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        ScratchFolder dir(L"jro");
        const std::wstring src = dir.file(L"a.mdb");
        ASSERT_TRUE(CopyFileW(kvtest::hostPath(KV_TEST_DATA "/testV1997.mdb").c_str(), src.c_str(), FALSE));
        const std::u16string src16(src.begin(), src.end());
        const std::wstring dst = dir.file(L"b.mdb");
        const std::u16string dst16(dst.begin(), dst.end());
        std::unique_ptr<DatabaseEngine> engine = CreateJroEngine();
        ASSERT_NE(engine, nullptr);
        EXPECT_THROW(engine->CompactDatabase(u"Provider=Other;Data Source=" + src16 + u";",
                                             BuildConnectionString(dst16, u"")),
                     EngineError);
        EXPECT_FALSE(kvtest::fileExists(dst));
        EXPECT_EQ(engine->CompactDatabase(BuildConnectionString(src16, u""), BuildConnectionString(dst16, u"")), 0);
        EXPECT_TRUE(kvtest::fileExists(dst));
    }
    CoUninitialize();
}

}  // namespace
