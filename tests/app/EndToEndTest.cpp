// The program as the user runs it: started as its own process, a database path typed, the compact button
// pressed, the confirmation answered, and the result box read; then the file is checked.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/Compaction.h"
#include "app/uFrmMain.h"
#include "engine/core/JetEngine.h"
#include "framework/Platform.h"
#include "skin/dialogs/kvMessages.h"
#include "tests/app/DialogDriver.h"
#include "tests/engine/com/TestFiles.h"

namespace {

using kvtest::findTopLevel;
using kvtest::ScratchFolder;
using kvtest::waitForWindow;
using kvtest::windowText;

// This process's environment with TMP and TEMP pointing at `temp`, as CreateProcessW takes it.
std::wstring environmentWithTemp(const std::wstring& temp) {
    std::wstring block;
    wchar_t* env = GetEnvironmentStringsW();
    for (const wchar_t* p = env; *p; p += lstrlenW(p) + 1) {
        std::wstring entry = p;
        if (_wcsnicmp(p, L"TMP=", 4) == 0 || _wcsnicmp(p, L"TEMP=", 5) == 0) continue;
        block += entry;
        block.push_back(L'\0');
    }
    FreeEnvironmentStringsW(env);
    block += L"TMP=" + temp;
    block.push_back(L'\0');
    block += L"TEMP=" + temp;
    block.push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring exe = kvtest::hostPath(KOVRA_EXE);
        std::wstring cmd = L"\"" + exe + L"\"";
        // The program gets a temporary directory of its own, so that its leftovers can be counted exactly.
        std::wstring env = environmentWithTemp(temp_.path());
        ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                                   env.data(), nullptr, &si, &pi_));
        WaitForInputIdle(pi_.hProcess, 10000);
        main_ = waitForWindow([&] { return findTopLevel(pi_.dwProcessId, nullptr, kApplicationTitle); });
        ASSERT_NE(main_, nullptr) << "main window did not appear";
        ASSERT_NE(compactButton(), nullptr);
        ASSERT_NE(exitButton(), nullptr);
        ASSERT_NE(fileField(), nullptr);
    }
    void TearDown() override {
        if (pi_.hProcess != nullptr) {
            if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
    }
    // The elements, found as a user sees them: by kind and caption.
    HWND compactButton() const { return kvtest::findChild(main_, L"Button", L"压缩数据库"); }
    HWND exitButton() const { return kvtest::findChild(main_, L"Button", L"退出"); }
    HWND fileField() const { return GetParent(kvtest::findChild(main_, L"Button", L"...")); }
    HWND waitForBox(const wchar_t* caption) {
        return waitForWindow([&] { return findTopLevel(pi_.dwProcessId, kMessageFormClass, caption); }, 60000);
    }
    // Presses the compact button and answers the confirmation with OK; returns the result box.
    HWND compact(const std::wstring& path, const wchar_t* expectedCaption) {
        SendMessageW(fileField(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(compactButton(), BM_CLICK, 0, 0);
        HWND confirm = waitForBox(L"Warning");
        if (confirm == nullptr) return nullptr;
        EXPECT_EQ(windowText(GetDlgItem(confirm, kMessageLabelId)), fw::toWide(kConfirmCompactText));
        PostMessageW(GetDlgItem(confirm, kMessageButtonIdBase + mbOK), BM_CLICK, 0, 0);
        return waitForBox(expectedCaption);
    }
    void exitProgram() {
        PostMessageW(exitButton(), BM_CLICK, 0, 0);
        ASSERT_EQ(WaitForSingleObject(pi_.hProcess, 15000), WAIT_OBJECT_0) << "exit button did not end the program";
        DWORD code = 1;
        GetExitCodeProcess(pi_.hProcess, &code);
        EXPECT_EQ(code, 0u);
    }
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
    ScratchFolder dir_{L"e2e"};
    ScratchFolder temp_{L"e2etemp"};
};

TEST_F(Program, CompactsADatabaseInPlace) {
    const std::wstring db = dir_.file(L"库 1.mdb");
    ASSERT_TRUE(CopyFileW(kvtest::hostPath(KV_TEST_DATA "/delTestV2000.mdb").c_str(), db.c_str(), FALSE));
    const auto original = kvtest::readFileBytes(db);
    HWND done = compact(db, L"Information");
    ASSERT_NE(done, nullptr) << "no Information box";
    EXPECT_EQ(windowText(GetDlgItem(done, kMessageLabelId)), fw::toWide(kCompactSucceededText));
    PostMessageW(GetDlgItem(done, kMessageButtonIdBase + mbOK), BM_CLICK, 0, 0);
    ASSERT_NE(waitForWindow([&] { return findTopLevel(pi_.dwProcessId, kMessageFormClass) ? nullptr : main_; }), nullptr);

    EXPECT_EQ(kvtest::readFileBytes(db), jet::compactDatabase(original, u""));
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u) << "a file was left beside the database";
    EXPECT_TRUE(kvtest::listFiles(temp_.path()).empty()) << "a temporary file was left behind";
    exitProgram();
}

TEST_F(Program, FileThatIsNotADatabaseEndsInTheErrorBoxUntouched) {
    const std::wstring db = dir_.file(L"notes.mdb");
    const std::vector<std::uint8_t> content(3000, 'z');
    ASSERT_TRUE(kvtest::writeFileBytes(db, content));
    // The plain path, so that the box can only come from the engine refusing the file: the copy-back would take
    // the name untrimmed, and a padded name would fail there even had the engine accepted junk.
    HWND failed = compact(db, L"Error");
    ASSERT_NE(failed, nullptr) << "no Error box";
    EXPECT_EQ(windowText(GetDlgItem(failed, kMessageLabelId)), fw::toWide(kCompactFailedText));
    PostMessageW(GetDlgItem(failed, kMessageButtonIdBase + mbOK), BM_CLICK, 0, 0);

    EXPECT_EQ(kvtest::readFileBytes(db), content);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u);
    EXPECT_TRUE(kvtest::listFiles(temp_.path()).empty());
    exitProgram();
}

}  // namespace
