// The program as the user runs it: started as its own process, a database path typed, the compact button
// pressed, the confirmation answered, and the result box read; then the file is checked. Its caption buttons
// are clicked with the real pointer.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Compaction.h"
#include "app/uFrmMain.h"
#include "engine/core/JetEngine.h"
#include "framework/Bitmap.h"
#include "framework/DibSection.h"
#include "framework/Handles.h"
#include "framework/Platform.h"
#include "framework/Utf.h"
#include "skin/dialogs/kvMessages.h"
#include "skin/dialogs/kvOpenDlgForm.h"
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

// Moves the real pointer to (x, y) on the screen, or presses/releases a button where it is, then lets the
// program react: its frame polls the pointer every 50 ms and blends a hot look in on a 25 ms timer.
void pointer(DWORD flags, int x = 0, int y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &in, sizeof in);
    Sleep(400);
}
void moveTo(POINT p) { pointer(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p.x, p.y); }
void clickAt(POINT p) {
    moveTo(p);
    pointer(MOUSEEVENTF_LEFTDOWN);
    pointer(MOUSEEVENTF_LEFTUP);
}

// Two clicks close enough together to make a double click.
void doubleClickAt(POINT p) {
    moveTo(p);
    INPUT in[4] = {};
    const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = flags[i];
    }
    SendInput(4, in, sizeof(INPUT));
    Sleep(400);
}

// What the screen shows in r, read back from the display.
fw::Bitmap screenPixels(const RECT& r) {
    fw::DibSection shot(r.right - r.left, r.bottom - r.top);
    fw::WindowDC screen(nullptr);
    BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen.get(), r.left, r.top, SRCCOPY);
    fw::Bitmap copy(shot.width(), shot.height());
    fw::copyPixels(shot.pixels(), shot.rect(), copy, 0, 0);
    return copy;
}

// Keys as the keyboard makes them, to whichever window has the focus: each code pressed in order, then released in
// reverse order.
void keys(std::initializer_list<WORD> codes) {
    std::vector<INPUT> in;
    for (WORD c : codes) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = c;
        in.push_back(i);
    }
    for (auto it = codes.end(); it != codes.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    Sleep(400);
}

// The visible popup windows (skinned menus) of a process.
std::vector<HWND> popupsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND h, LPARAM p) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            wchar_t cls[32]{};
            GetClassNameW(h, cls, 32);
            if (owner == s->pid && IsWindowVisible(h) && std::wstring(cls).rfind(L"KvPopup", 0) == 0)
                s->found.push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int windowHeight(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r.bottom - r.top;
}

// What a region of a screenshot shows: its most common colour (the background) and the pixels that stand out from it
// (text, frames, pictures), with their bounding box.
struct Ink {
    fw::Pixel background = 0;
    int count = 0;
    fw::Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};
Ink inkIn(const fw::Bitmap& shot, const fw::Rect& r) {
    std::map<fw::Pixel, int> counts;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) ++counts[shot.at(x, y) & 0xFFFFFFu];
    Ink ink;
    int most = 0;
    for (const auto& [pixel, n] : counts)
        if (n > most) most = n, ink.background = pixel;
    auto luma = [](fw::Pixel p) { return (fw::pixelR(p) * 3 + fw::pixelG(p) * 6 + fw::pixelB(p)) / 10; };
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (std::abs(luma(shot.at(x, y)) - luma(ink.background)) > 60) {
                ++ink.count;
                ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y), std::max(ink.box.right, x + 1),
                           std::max(ink.box.bottom, y + 1)};
            }
    return ink;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring exe = kvtest::hostPath(KOVRA_EXE);
        std::wstring cmd = L"\"" + exe + L"\"" + arguments_;
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
    HWND compactButton() const { return kvtest::findChild(main_, L"TkvSkinButton", L"压缩数据库"); }
    HWND exitButton() const { return kvtest::findChild(main_, L"TkvSkinButton", L"退出"); }
    // The only platform edit in the window: the password field is a control of its own.
    HWND fileField() const { return kvtest::findChild(main_, L"Edit"); }
    // An edit's text is read with WM_GETTEXT: reading another process's window text gives only its creation name.
    std::wstring fieldText() const {
        wchar_t text[512] = {};
        SendMessageTimeoutW(fileField(), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        return std::wstring(text);
    }
    HWND waitForBox(const wchar_t* caption) {
        return waitForWindow([&] { return findTopLevel(pi_.dwProcessId, kMessageFormClass, caption); }, 60000);
    }
    // Presses the compact button and answers the confirmation with OK; returns the result box.
    HWND compact(const std::wstring& path, const wchar_t* expectedCaption) {
        SendMessageW(fileField(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(compactButton(), BM_CLICK, 0, 0);
        HWND confirm = waitForBox(L"Warning");
        if (confirm == nullptr) return nullptr;
        EXPECT_EQ(kvtest::boxMessage(confirm), fw::toWide(kConfirmCompactText));
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
    std::wstring arguments_;  // after the program's name on its command line
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
    ScratchFolder dir_{L"e2e"};
    ScratchFolder temp_{L"e2etemp"};
};

// Started the way "Open with" starts it: the database named on the command line.
class ProgramOpenedWithAFile : public Program {
protected:
    ProgramOpenedWithAFile() { arguments_ = L" \"D:\\数据 库\\shop.mdb\""; }
};

TEST_F(ProgramOpenedWithAFile, TheCommandLineFillsTheFileField) {
    // The window exists while the form is still being made; the field is filled once it is made.
    const HWND filled = waitForWindow([&] { return fieldText().empty() ? nullptr : fileField(); }, 10000);
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(fieldText(), L"D:\\数据 库\\shop.mdb");
    exitProgram();
}

// What the shell shows of the program without starting it: the icon, the version and the manifest.
TEST(ProgramFile, CarriesItsIconVersionAndManifest) {
    const std::wstring exe = kvtest::hostPath(KOVRA_EXE);
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceW(image, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
    HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(image, manifest))),
                           SizeofResource(image, manifest));
    EXPECT_NE(text.find("<dpiAware"), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
    FreeLibrary(image);
    // The version, as a version pane reads it.
    fw::Form owner;
    auto& info = owner.create<TLmVersionInfo>();
    info.SetFilePath(exe);
    EXPECT_EQ(info.Value(TLmVersionInfoField::vifProductVersion), L"1.0");
    EXPECT_EQ(info.Value(TLmVersionInfoField::vifProductName), L"KovraAccess数据库压缩器");
    EXPECT_EQ(info.Value(TLmVersionInfoField::vifOriginalFilename), L"KovraAccess.exe");
}

TEST_F(Program, CompactsADatabaseInPlace) {
    const std::wstring db = dir_.file(L"库 1.mdb");
    ASSERT_TRUE(CopyFileW(kvtest::hostPath(KV_TEST_DATA "/delTestV2000.mdb").c_str(), db.c_str(), FALSE));
    const auto original = kvtest::readFileBytes(db);
    HWND done = compact(db, L"Information");
    ASSERT_NE(done, nullptr) << "no Information box";
    EXPECT_EQ(kvtest::boxMessage(done), fw::toWide(kCompactSucceededText));
    PostMessageW(GetDlgItem(done, kMessageButtonIdBase + mbOK), BM_CLICK, 0, 0);
    ASSERT_NE(waitForWindow([&] { return findTopLevel(pi_.dwProcessId, kMessageFormClass) ? nullptr : main_; }),
              nullptr);

    EXPECT_EQ(kvtest::readFileBytes(db), jet::compactDatabase(original, u""));
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u) << "a file was left beside the database";
    EXPECT_TRUE(kvtest::listFiles(temp_.path()).empty()) << "a temporary file was left behind";
    exitProgram();
}

TEST_F(Program, BrowseButtonOpensTheSkinnedDialogAndTheDoubleClickedDatabaseFillsTheField) {
    ScratchFolder databases{L"e2edbs"};
    const std::wstring db = databases.file(L"a.mdb");
    ASSERT_TRUE(CopyFileW(kvtest::hostPath(KV_TEST_DATA "/delTestV2000.mdb").c_str(), db.c_str(), FALSE));
    const std::wstring start = dir_.file(L"none.mdb");
    SendMessageW(fileField(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(start.c_str()));
    // The browse button sits at the right end inside the field's frame.
    RECT r{};
    GetWindowRect(fileField(), &r);
    clickAt({r.right - 10, (r.top + r.bottom) / 2});
    HWND dialog = waitForWindow([&] { return findTopLevel(pi_.dwProcessId, kOpenDlgFormClass); });
    ASSERT_NE(dialog, nullptr) << "the skinned open dialog did not appear";
    EXPECT_EQ(windowText(dialog), L"Open file");

    // Into the folder with the databases: its path typed into the dialog's name field, then Enter.
    HWND nameField = kvtest::findChild(dialog, L"Edit");
    ASSERT_NE(nameField, nullptr);
    RECT e{};
    GetWindowRect(nameField, &e);
    clickAt({(e.left + e.right) / 2, (e.top + e.bottom) / 2});
    SendMessageW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(databases.path().c_str()));
    keys({VK_RETURN});
    ASSERT_NE(findTopLevel(pi_.dwProcessId, kOpenDlgFormClass), nullptr) << "Enter on a folder closed the dialog";

    // The database is the folder's first row.
    HWND list = kvtest::findChild(dialog, L"SysListView32");
    ASSERT_NE(list, nullptr);
    RECT l{};
    GetWindowRect(list, &l);
    doubleClickAt({l.left + 30, l.top + 10});
    ASSERT_NE(waitForWindow([&] { return findTopLevel(pi_.dwProcessId, kOpenDlgFormClass) ? nullptr : main_; }),
              nullptr)
        << "the double click did not close the dialog";
    EXPECT_EQ(fieldText(), db);
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
    // The program's text, and under it the engine's reason.
    const std::wstring message = kvtest::boxMessage(failed);
    EXPECT_EQ(message.substr(0, kCompactFailedText.size() + 1), fw::toWide(kCompactFailedText) + L"\n");
    EXPECT_NE(message.find(L"not a database file"), std::wstring::npos) << fw::wideToUtf8(message);
    PostMessageW(GetDlgItem(failed, kMessageButtonIdBase + mbOK), BM_CLICK, 0, 0);

    EXPECT_EQ(kvtest::readFileBytes(db), content);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 1u);
    EXPECT_TRUE(kvtest::listFiles(temp_.path()).empty());
    exitProgram();
}

// The caption buttons sit at the skin's places, anchored to the window's right edge: close 24 to 3 pixels from
// it, minimise 70 to 49, roll-up 93 to 72 (maximise between close and minimise), all from y 5 to 26.
// Under Wine on a bare X display the program's window is managed (as set for it in the prefix) but no window
// manager runs. What works regardless: pointer input from SendInput goes through Wine's server to the window
// under the pointer, so the frame sees real non-client moves and clicks; the program's window is the
// foreground window, so its objects light up; and minimising sets the window's own state at once (IsIconic,
// parked at -32000), even though nothing iconifies the X window. A parked window is out of the pointer's
// reach, so it is restored with SC_RESTORE, as the taskbar would, before its close button is clicked.
TEST_F(Program, CaptionButtonsRollUpLightUpMinimiseAndClose) {
    RECT wr{};
    GetWindowRect(main_, &wr);
    const int height = wr.bottom - wr.top;
    auto onCaption = [&](int fromRight) { return POINT{wr.right - fromRight, wr.top + 15}; };
    const POINT close = onCaption(14), minimise = onCaption(60), rollUp = onCaption(83);
    const POINT inClient{wr.left + 300, wr.top + 150};

    clickAt(rollUp);
    EXPECT_EQ(windowHeight(main_), 31) << "rolled up to its caption";
    clickAt(rollUp);
    EXPECT_EQ(windowHeight(main_), height) << "rolled down again";

    // The close button's look: normal, hot under the pointer, normal again when the pointer leaves.
    const RECT closeArea{wr.right - 24, wr.top + 5, wr.right - 3, wr.top + 26};
    moveTo(inClient);
    const fw::Bitmap normal = screenPixels(closeArea);
    moveTo(close);
    const fw::Bitmap hot = screenPixels(closeArea);
    EXPECT_NE(hot, normal) << "the close button did not light up under the pointer";
    moveTo(inClient);
    EXPECT_EQ(screenPixels(closeArea), normal) << "the close button stayed lit after the pointer left";

    clickAt(minimise);
    EXPECT_TRUE(IsIconic(main_)) << "the minimise button did not minimise the program";
    PostMessageW(main_, WM_SYSCOMMAND, SC_RESTORE, 0);  // as the taskbar restores it
    ASSERT_NE(waitForWindow([&] { return IsIconic(main_) ? nullptr : main_; }), nullptr);
    Sleep(300);

    clickAt(close);
    ASSERT_EQ(WaitForSingleObject(pi_.hProcess, 15000), WAIT_OBJECT_0) << "the close button did not end the program";
    DWORD code = 1;
    GetExitCodeProcess(pi_.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

TEST_F(Program, AltSpaceOpensTheSystemMenuBelowItsButtonAndItsEntriesWork) {
    RECT wr{};
    GetWindowRect(main_, &wr);
    const int height = wr.bottom - wr.top;
    clickAt({wr.left + 300, wr.top + 150});  // the keyboard follows the pointer's click here
    ASSERT_TRUE(popupsOf(pi_.dwProcessId).empty());

    keys({VK_MENU, VK_SPACE});
    std::vector<HWND> popups = popupsOf(pi_.dwProcessId);
    ASSERT_EQ(popups.size(), 1u) << "Alt+Space opened no skinned system menu";
    RECT pr{};
    GetWindowRect(popups[0], &pr);
    EXPECT_EQ(pr.bottom - pr.top, 95) << "Minimize, Maximize, RollUp, a separator and Close";
    // Below the system-menu button: at the window's left, under the button in the caption strip.
    EXPECT_GE(pr.left, wr.left);
    EXPECT_LT(pr.left, wr.left + 10);
    EXPECT_GT(pr.top, wr.top + 10);
    EXPECT_LE(pr.top, wr.top + 31);
    EXPECT_EQ(GetForegroundWindow(), main_) << "the menu took the activation";

    keys({'L'});  // Ro&llUp
    EXPECT_EQ(windowHeight(main_), 31) << "RollUp did not roll the window up";
    EXPECT_TRUE(popupsOf(pi_.dwProcessId).empty()) << "a menu window was left behind";

    keys({VK_MENU, VK_SPACE});
    ASSERT_EQ(popupsOf(pi_.dwProcessId).size(), 1u);
    keys({VK_ESCAPE});
    EXPECT_TRUE(popupsOf(pi_.dwProcessId).empty()) << "Escape did not close the menu";
    EXPECT_EQ(windowHeight(main_), 31);

    keys({VK_MENU, VK_SPACE});
    keys({'R'});  // &Restore, offered while rolled up
    EXPECT_EQ(windowHeight(main_), height);
    EXPECT_TRUE(popupsOf(pi_.dwProcessId).empty());
    exitProgram();
}

// The window as the user sees it, region by region: the banner strip, the two captions over their fields, the
// fields with their skinned frames, the two buttons with their captions in the middle, and the status bar with
// its host name, an empty version pane, a clock that ticks and the contact address. Positions are client
// coordinates of the window as its description lays it out.
TEST_F(Program, EveryRegionOfTheWindowShowsWhatItShould) {
    POINT origin{0, 0};
    ClientToScreen(main_, &origin);
    const RECT client{origin.x, origin.y, origin.x + 546, origin.y + 296};
    moveTo({origin.x + 20, origin.y + 260});  // the pointer away from every control
    const fw::Bitmap shot = screenPixels(client);
    auto region = [&](int x, int y, int w, int h) { return inkIn(shot, fw::Rect::fromSize(x, y, w, h)); };

    const Ink plain = region(5, 60, 60, 200);
    EXPECT_EQ(plain.count, 0) << "the form's background left of the fields is plain";
    EXPECT_GT(region(0, 0, 546, 49).count, 500) << "the banner strip is drawn";
    for (int top : {80, 136}) {
        SCOPED_TRACE(top);
        const Ink caption = region(72, top, 329, 20);
        EXPECT_GT(caption.count, 40) << "a caption";
        EXPECT_LT(caption.box.left, 72 + 12) << "left-aligned";
    }
    for (int top : {104, 160}) {
        SCOPED_TRACE(top);
        // The field's frame stands out from the form around it; the empty field shows no text inside.
        EXPECT_NE(shot.at(72 + 100, top) & 0xFFFFFFu, plain.background) << "the field's top edge";
        EXPECT_NE(shot.at(72 + 100, top + 20) & 0xFFFFFFu, plain.background) << "the field's bottom edge, 21 high";
        EXPECT_EQ(shot.at(72 + 100, top + 22) & 0xFFFFFFu, plain.background) << "nothing below the field";
        EXPECT_EQ(region(72 + 6, top + 4, 250, 13).count, 0) << "an empty field";
    }
    for (const auto& [left, width] : {std::pair{72, 209}, std::pair{288, 115}}) {
        SCOPED_TRACE(left);
        const Ink caption = region(left + 4, 200 + 4, width - 8, 14);
        EXPECT_GT(caption.count, 20);
        EXPECT_NEAR((caption.box.left + caption.box.right) / 2, left + width / 2, 6) << "a centred caption";
    }
    // The status bar: the host name at the left, then what shows of the version pane, empty, then the clock
    // and the contact address at the right.
    EXPECT_GT(region(4, 279, 160, 15).count, 40) << "the host name";
    EXPECT_EQ(region(172, 280, 28, 13).count, 0) << "the version pane shows nothing";
    EXPECT_GT(region(206, 279, 144, 15).count, 40) << "the date and time";
    EXPECT_GT(region(357, 279, 185, 15).count, 40) << "the contact address";
    const fw::Rect clockArea = fw::Rect::fromSize(206, 279, 144, 15);
    auto clockPixels = [&] {
        fw::Bitmap now = screenPixels(client);
        fw::Bitmap part(clockArea.width(), clockArea.height());
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x) part.at(x, y) = now.at(clockArea.left + x, clockArea.top + y);
        return part;
    };
    const fw::Bitmap before = clockPixels();
    Sleep(1300);
    EXPECT_NE(clockPixels(), before) << "the clock did not tick";
    exitProgram();
}

}  // namespace
