// The main window in this process: geometry, captions, tab order, the exit command, and the compact command
// on real files with the platform's file operations (the engine replaced by a fake that writes a known file).
#include "app/uFrmMain.h"

#include <gtest/gtest.h>

#include "app/JroEngine.h"
#include "app/Win32FileOperations.h"
#include "engine/com/ConnectionString.h"
#include "engine/com/WinHandles.h"
#include "tests/app/DialogDriver.h"
#include "tests/engine/com/TestFiles.h"

namespace {

using kvtest::ScratchFolder;
using kvtest::windowText;

const std::vector<std::uint8_t> kCompacted{'c', 'o', 'm', 'p', 'a', 'c', 't', 'e', 'd'};

// Writes kCompacted to the destination named in the connection string.
class WritingEngine : public DatabaseEngine {
public:
    std::int32_t compactDatabase(const std::u16string&, const std::u16string& destination) override {
        const std::u16string path = fw::parseJetConnection(destination).dataSource;
        if (!kvtest::writeFileBytes(std::wstring(path.begin(), path.end()), kCompacted)) throw EngineError("write");
        return 0;
    }
};

EngineFactory writingEngine() {
    return [] { return std::unique_ptr<DatabaseEngine>(std::make_unique<WritingEngine>()); };
}

fw::Rect clientBounds(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return fw::Rect{r.left, r.top, r.right, r.bottom};
}

TEST(MainForm, WindowHasItsSizeBorderAndCaption) {
    TfrmMain form(writingEngine());
    HWND h = form.handle();
    ASSERT_NE(h, nullptr);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 546);
    EXPECT_EQ(client.bottom, 296);
    EXPECT_EQ(windowText(h), L"KovraAccess数据库压缩器 V1.0");
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "not resizable by its border";
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << "no border icons";
    RECT outer{};
    GetWindowRect(h, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST(MainForm, ElementsStandAtTheirPositionsWithTheirCaptions) {
    TfrmMain form(writingEngine());
    HWND h = form.handle();
    struct Expect {
        int id;
        fw::Rect bounds;
        const wchar_t* text;
    };
    const Expect expected[] = {
        {idTopPnl, fw::Rect::fromSize(0, 0, 546, 49), L"TopPnl"},
        {idKvSkinLabel1, fw::Rect::fromSize(72, 80, 329, 21), L"文件名:"},
        {idKvSkinLabel2, fw::Rect::fromSize(72, 136, 329, 21), L"数据库密码(如无请留空):"},
        {idEdtPassword, fw::Rect::fromSize(72, 160, 329, 21), L""},
        {idKvSkinButton1, fw::Rect::fromSize(72, 200, 209, 25), L"压缩数据库"},
        {idKvSkinButton2, fw::Rect::fromSize(288, 200, 115, 25), L"退出"},
        {idLmStatusBar1, fw::Rect::fromSize(0, 277, 546, 19), L""},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.id);
        HWND c = GetDlgItem(h, e.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(clientBounds(h, c), e.bounds);
        EXPECT_EQ(windowText(c), e.text);
    }
    // The file-name field and its browse button share the field's bounds.
    fw::Rect edit = clientBounds(h, GetDlgItem(h, idEdtDatabaseFile));
    fw::Rect browse = clientBounds(h, GetDlgItem(h, idEdtDatabaseFileButton));
    EXPECT_EQ((fw::Rect{edit.left, edit.top, browse.right, browse.bottom}), fw::Rect::fromSize(72, 104, 329, 20));
    EXPECT_EQ(edit.right, browse.left);
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(h, idEdtPassword), GWL_STYLE) & ES_PASSWORD);
    HWND panel = GetDlgItem(h, idTopPnl);
    EXPECT_EQ(clientBounds(panel, GetDlgItem(panel, idImg1)), fw::Rect::fromSize(1, 1, 264, 47));
    EXPECT_EQ(clientBounds(panel, GetDlgItem(panel, idImg2)), fw::Rect::fromSize(265, 1, 280, 47));
}

TEST(MainForm, TabMovesThroughTheFieldsAndButtonsInOrder) {
    TfrmMain form(writingEngine());
    HWND h = form.handle();
    const int order[] = {idEdtDatabaseFile, idEdtPassword, idKvSkinButton1, idKvSkinButton2, idEdtDatabaseFile};
    HWND at = GetDlgItem(h, order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        HWND next = GetNextDlgTabItem(h, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(next), order[i]) << "after " << GetDlgCtrlID(at);
        at = next;
    }
}

TEST(MainForm, ExitButtonClosesAtOnce) {
    TfrmMain form(writingEngine());
    HWND h = form.handle();
    SendMessageW(GetDlgItem(h, idKvSkinButton2), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(h));
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
    kvcom::UniqueHandle other(CreateFileW(db_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
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
    std::vector<kvtest::BoxAnswerer::Box> press(EngineFactory factory, const std::wstring& path, std::vector<int> script) {
        TfrmMain form(std::move(factory));
        form.show();
        SetWindowTextW(GetDlgItem(form.handle(), idEdtDatabaseFile), path.c_str());
        kvtest::BoxAnswerer answerer(kMessageFormClass, kMessageLabelId, kMessageButtonIdBase, std::move(script));
        SendMessageW(GetDlgItem(form.handle(), idKvSkinButton1), BM_CLICK, 0, 0);
        return answerer.boxes();
    }
    EngineFactory counted(EngineFactory inner) {
        return [this, inner] {
            ++enginesCreated_;
            return inner();
        };
    }
    static std::wstring wide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
    ScratchFolder dir_{L"button"};
    std::wstring db_;
    const std::vector<std::uint8_t> original_ = std::vector<std::uint8_t>(5000, 'o');
    int enginesCreated_ = 0;
};

TEST_F(CompactButton, ConfirmedCompactionEndsInTheInformationBox) {
    auto boxes = press(writingEngine(), db_, {mbOK, mbOK});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"Warning");
    EXPECT_EQ(boxes[0].text, wide(kConfirmCompactText));
    EXPECT_EQ(boxes[1].caption, L"Information");
    EXPECT_EQ(boxes[1].text, L"压缩数据库成功");
    EXPECT_EQ(kvtest::readFileBytes(db_), kCompacted);
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
    EXPECT_EQ(boxes[1].text, L"压缩失败，可能是您的计算机中没有安装 ADO 引擎，或者是数据库文件正被其它程序打开");
    EXPECT_EQ(kvtest::readFileBytes(db_), original_);
}

TEST_F(CompactButton, FailedCopyBackEndsInTheErrorBoxWithoutLeftovers) {
    const std::u16string tempDir = GetTempDirectory();
    const std::wstring temp(tempDir.begin(), tempDir.end());
    const std::size_t tempFilesBefore = kvtest::listFiles(temp.substr(0, temp.size() - 1)).size();
    kvcom::UniqueHandle other(CreateFileW(db_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    auto boxes = press(writingEngine(), db_, {mbOK, mbOK});
    other.reset();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, L"Error");
    EXPECT_EQ(kvtest::readFileBytes(db_), original_);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u);
    EXPECT_EQ(kvtest::listFiles(temp.substr(0, temp.size() - 1)).size(), tempFilesBefore);
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
        EXPECT_THROW(engine->compactDatabase(u"Provider=Other;Data Source=" + src16 + u";", BuildConnectionString(dst16, u"")),
                     EngineError);
        EXPECT_FALSE(kvtest::fileExists(dst));
        EXPECT_EQ(engine->compactDatabase(BuildConnectionString(src16, u""), BuildConnectionString(dst16, u"")), 0);
        EXPECT_TRUE(kvtest::fileExists(dst));
    }
    CoUninitialize();
}

}  // namespace
