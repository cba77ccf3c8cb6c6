// The open dialog run as a user runs it: steps posted into its own modal loop act on the window, over a folder of
// test files made for the test.
#include "skin/dialogs/kvSkinOpenDialog.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../controls/RealPointer.h"
#include "../controls/WinTestSkin.h"
#include "framework/Application.h"
#include "skin/controls/kvSkinPanel.h"
#include "skin/controls/kvSkinStdLabel.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/dialogs/kvDialogCombos.h"
#include "skin/controls/kvSkinEdit.h"
#include "skin/dialogs/kvOpenDlgForm.h"
#include "skin/dialogs/kvMessages.h"
#include "skin/dialogs/kvSkinFileListView.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kStepMessage = WM_APP + 71;

using Step = std::function<void(TkvOpenDlgForm&)>;

// Runs the steps one by one inside the dialog's modal loop, each from a message posted to the dialog once the
// one before has run (so the window handles everything in between, as with a user).
class DialogScript {
public:
    DialogScript(fw::Application& app, TkvSkinOpenDialog& dialog, std::vector<Step> steps)
        : app_(app), dialog_(dialog), steps_(std::move(steps)) {
        dialog.OnFolderChange = [this](fw::Component*) {
            if (!started_ && dialog_.Form()) {
                started_ = true;
                PostMessageW(dialog_.Form()->handle(), kStepMessage, 0, 0);
            }
        };
        app.hookMessages(this, [this](MSG& msg) {
            if (msg.message != kStepMessage || !dialog_.Form()) return false;
            if (next_ < steps_.size()) steps_[next_++](*dialog_.Form());
            if (next_ < steps_.size()) PostMessageW(dialog_.Form()->handle(), kStepMessage, 0, 0);
            return true;
        });
    }
    ~DialogScript() { app_.unhookMessages(this); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    size_t Ran() const { return next_; }

private:
    fw::Application& app_;
    TkvSkinOpenDialog& dialog_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool started_ = false;
};

std::set<std::wstring> listed(TkvOpenDlgForm& f) {
    std::set<std::wstring> names;
    for (int i = 0; i < f.FileList->ItemCount(); ++i) names.insert(f.FileList->Item(i).name);
    return names;
}

void touch(const fs::path& p) { std::ofstream(p) << "x"; }

// A file of a size, written some hours before now.
void write(const fs::path& p, size_t bytes, int hoursAgo) {
    std::ofstream(p, std::ios::binary) << std::string(bytes, 'x');
    fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
}

// Keys as the keyboard sends them, to the window with the focus.
void press(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
    kvtest::pumpFor(60);
}

// The text of the message box that shows up while `act` runs; the box is closed with OK.
std::wstring boxShownBy(const std::function<void()>& act) {
    static std::wstring seen;
    seen = L"(no box)";
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
        for (fw::Form* f : fw::Application::instance()->forms())
            if (auto* box = dynamic_cast<TkvMessageForm*>(f); box && box->visible()) {
                seen = box->MessageLabel->caption();
                box->setModalResult(fw::mrOk);
            }
    });
    act();
    KillTimer(nullptr, timer);
    return seen;
}

// Where the name in the edit is and what the list has selected.
std::wstring selectedName(TkvOpenDlgForm& f) {
    const int i = f.FileList->SelectedIndex();
    return i < 0 ? L"(none)" : f.FileList->Item(i).name;
}

class OpenDialog : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        wchar_t tmp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, tmp);
        dir_ = fs::path(tmp) / (L"kvopendlg" + std::to_wstring(GetCurrentProcessId()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / L"sub" / L"deeper");
        for (const wchar_t* name : {L"a.MDB", L"b.mdb", L"c.txt", L"d.mdb.bak"}) touch(dir_ / name);
        dialog_.Filter = L"Access 数据库文件|*.mdb";
        dialog_.FileName = (dir_ / L"b.mdb").wstring();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
        CoUninitialize();
    }
    std::wstring Dir() const { return dir_.wstring(); }

    fw::Application app_;
    TkvSkinOpenDialog dialog_;
    fs::path dir_;
};

TEST_F(OpenDialog, FilterShowsFoldersAndMdbInAnyCaseAndAPatternRelistsWithoutClosing) {
    std::set<std::wstring> first, afterPattern;
    std::wstring firstRow;
    bool stillOpen = false;
    DialogScript script(app_, dialog_,
                        {[&](TkvOpenDlgForm& f) {
                             first = listed(f);
                             wchar_t row[MAX_PATH] = {};
                             ListView_GetItemText(f.FileList->handle(), 0, 0, row, MAX_PATH);
                             firstRow = row;
                             f.FileNameEdit->setText(L"*.txt");
                             f.EditEnter();
                             stillOpen = f.modalResult() == fw::mrNone;
                             afterPattern = listed(f);
                         },
                         [](TkvOpenDlgForm& f) { f.CancelButton->PerformClick(); }});
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(script.Ran(), 2u);
    EXPECT_EQ(first, (std::set<std::wstring>{L"sub", L"a.MDB", L"b.mdb"}));
    EXPECT_EQ(firstRow, L"sub");  // what the virtual list shows: folders first
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(afterPattern, (std::set<std::wstring>{L"sub", L"c.txt"}));
}

TEST_F(OpenDialog, TypedNameGetsTheMasksExtensionAndCancelKeepsNameSizeAndView) {
    const std::wstring proposed = dialog_.FileName;
    {
        DialogScript script(app_, dialog_,
                            {[](TkvOpenDlgForm& f) {
                                 f.SetViewStyle(vsReport);
                                 f.setClientWidth(520);
                                 f.setClientHeight(330);
                             },
                             [](TkvOpenDlgForm& f) { f.CancelButton->PerformClick(); }});
        EXPECT_FALSE(dialog_.Execute());
    }
    EXPECT_EQ(dialog_.FileName, proposed);
    EXPECT_EQ(dialog_.DialogWidth, 520);
    EXPECT_EQ(dialog_.DialogHeight, 330);

    int viewOnReopen = -1, widthOnReopen = 0;
    std::wstring editOnReopen;
    DialogScript script(app_, dialog_, {[&](TkvOpenDlgForm& f) {
                            viewOnReopen = f.FileList->ViewStyle();
                            widthOnReopen = f.clientWidth();
                            editOnReopen = f.FileNameEdit->text();
                            f.FileList->SelectItem(-1);
                            f.FileNameEdit->setText(L"a");
                            f.Open();
                        }});
    EXPECT_TRUE(dialog_.Execute());
    EXPECT_EQ(viewOnReopen, vsReport);
    EXPECT_EQ(widthOnReopen, 520);
    EXPECT_EQ(editOnReopen, L"b.mdb");
    EXPECT_EQ(dialog_.FileName, (dir_ / L"a.mdb").wstring());  // the file on disk is a.MDB: same file
    EXPECT_EQ(dialog_.FilterIndex, 1);
}

TEST_F(OpenDialog, BackReturnsToTheFolderBeforeAndNewFoldersAreCounted) {
    std::wstring afterBack, afterSecondBack;
    bool firstMade = false, secondMade = false;
    DialogScript script(app_, dialog_,
                        {[&](TkvOpenDlgForm& f) { f.FileList->SetPath((dir_ / L"sub").wstring()); },
                         [&](TkvOpenDlgForm& f) { f.FileList->SetPath((dir_ / L"sub" / L"deeper").wstring()); },
                         [&](TkvOpenDlgForm& f) {
                             f.GoBack();
                             afterBack = f.FileList->FolderPath();
                             f.GoBack();
                             afterSecondBack = f.FileList->FolderPath();
                         },
                         [&](TkvOpenDlgForm& f) {
                             f.CreateNewFolder();
                             firstMade = fs::is_directory(dir_ / L"New Folder");
                         },
                         [&](TkvOpenDlgForm& f) {
                             f.setActiveControl(f.FileNameEdit);  // ends the caption editing
                             f.CreateNewFolder();
                             secondMade = fs::is_directory(dir_ / L"New Folder(2)");
                         },
                         [](TkvOpenDlgForm& f) { f.CancelButton->PerformClick(); }});
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(afterBack, (dir_ / L"sub").wstring());
    EXPECT_EQ(afterSecondBack, Dir());
    EXPECT_TRUE(firstMade);
    EXPECT_TRUE(secondMade);
}

// The details view sorted by each column with the pointer, ascending and again descending: the selection stays on
// the file the user picked (also what Open takes), wherever its row goes.
TEST_F(OpenDialog, SortingByAColumnKeepsTheSelectionOnTheSameFile) {
    write(dir_ / L"a.MDB", 3000, 4);
    write(dir_ / L"b.mdb", 10, 1);
    write(dir_ / L"c.txt", 500, 2);
    write(dir_ / L"d.mdb.bak", 50, 3);
    dialog_.Filter = L"All|*.*";
    std::vector<int> rows;
    std::vector<std::wstring> selected, edited;
    DialogScript script(app_, dialog_,
                        {[&](TkvOpenDlgForm& f) {
                             f.SetViewStyle(vsReport);
                             f.FileList->SelectItem(f.FileList->IndexOfName(L"b.mdb"));
                         },
                         [&](TkvOpenDlgForm& f) {
                             HWND header = ListView_GetHeader(f.FileList->handle());
                             const int columns = Header_GetItemCount(header);
                             if (columns < 4) {  // Name, Size, Type, Modified at least
                                 ADD_FAILURE() << columns << " columns";
                                 f.CancelButton->PerformClick();
                                 return;
                             }
                             for (int c = 0; c < 2 * columns; ++c) {
                                 RECT r{};
                                 Header_GetItemRect(header, c % columns, &r);
                                 MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
                                 kvtest::clickAt(r.left + 10, (r.top + r.bottom) / 2);
                                 rows.push_back(f.FileList->SelectedIndex());
                                 selected.push_back(selectedName(f));
                                 edited.push_back(f.FileNameEdit->text());
                             }
                             f.Open();
                         }});
    EXPECT_TRUE(dialog_.Execute());
    ASSERT_GE(selected.size(), 8u);
    for (size_t k = 0; k < selected.size(); ++k) {
        EXPECT_EQ(selected[k], L"b.mdb") << "click " << k;
        EXPECT_EQ(edited[k], L"b.mdb") << "click " << k;
    }
    EXPECT_GT(std::set<int>(rows.begin(), rows.end()).size(), 2u) << "its row moved";
    EXPECT_EQ(dialog_.FileName, (dir_ / L"b.mdb").wstring());
}

// A full path typed or pasted into the name field: with Enter (from the keyboard) or Open, an existing file is
// the result and a folder opens; anything else is said in a box over the dialog, which stays open.
TEST_F(OpenDialog, AFullPathOpensItsFolderTakesItsFileOrSaysWhyNot) {
    fs::create_directories(dir_ / L"other");
    touch(dir_ / L"other" / L"db.mdb");
    const std::wstring db = (dir_ / L"other" / L"db.mdb").wstring();
    std::wstring folderAfterEnter, missingFile, missingFolder;
    bool openAfterRefusals = false;
    DialogScript script(app_, dialog_,
                        {[&](TkvOpenDlgForm& f) {
                             f.FileNameEdit->setFocus();
                             f.FileNameEdit->setText((dir_ / L"sub").wstring());
                             press(VK_RETURN);
                             folderAfterEnter = f.FileList->FolderPath();
                             f.FileNameEdit->setText((dir_ / L"other" / L"gone.mdb").wstring());
                             missingFile = boxShownBy([&] { press(VK_RETURN); });
                             f.FileNameEdit->setText((dir_ / L"nowhere" / L"db.mdb").wstring());
                             missingFolder = boxShownBy([&] { f.OpenButton->PerformClick(); });
                             openAfterRefusals = f.modalResult() == fw::mrNone;
                             f.FileNameEdit->setFocus();
                             f.FileNameEdit->setText(db);
                             press(VK_RETURN);
                         },
                         [](TkvOpenDlgForm& f) {
                             if (f.modalResult() == fw::mrNone) f.CancelButton->PerformClick();
                         }});
    EXPECT_TRUE(dialog_.Execute());
    EXPECT_EQ(folderAfterEnter, (dir_ / L"sub").wstring());
    EXPECT_EQ(missingFile,
              (dir_ / L"other" / L"gone.mdb").wstring() + L"\nThe file does not exist. Check the name and try again.");
    EXPECT_EQ(missingFolder,
              (dir_ / L"nowhere").wstring() + L"\nThe folder does not exist. Check the path and try again.");
    EXPECT_TRUE(openAfterRefusals);
    EXPECT_EQ(dialog_.FileName, db);
}

// With the program's skin the list sits in the skin's "panel" frame, and the bottom panel shows the panel's
// background without that frame.
TEST_F(OpenDialog, TheBodyIsDrawnFromTheSkinsPanel) {
    fw::Form& holder = app_.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = holder.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = holder.create<TkvSkinData>();
    kvtest::LoadEmbeddedSkin(stored, model);
    dialog_.SetSkinData(&model);
    dialog_.SetCtrlSkinData(&model);
    fw::Pixel frameLine = 0, skinLine = 0, bottomLine = 0;
    bool described = false;
    DialogScript script(app_, dialog_,
                        {[&](TkvOpenDlgForm& f) {
                             RedrawWindow(f.handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                             TkvSkinPanel& centre = *f.CenterPanel;
                             described = centre.DescriptionIndex != -1 &&
                                         f.BottomPanel->DescriptionIndex == centre.DescriptionIndex;
                             if (!described || !centre.SkinPicture) return;
                             skinLine = centre.SkinPicture->at(centre.SrcSkinRect.left, centre.SrcSkinRect.top + 20) &
                                        0xFFFFFFu;
                             auto pixel = [](fw::WindowedControl& c) {
                                 HDC dc = GetDC(c.handle());
                                 const COLORREF p = GetPixel(dc, 0, 20);  // on the frame's left line
                                 ReleaseDC(c.handle(), dc);
                                 return fw::colorToPixel(p) & 0xFFFFFFu;
                             };
                             frameLine = pixel(centre);
                             bottomLine = pixel(*f.BottomPanel);
                         },
                         [](TkvOpenDlgForm& f) { f.CancelButton->PerformClick(); }});
    EXPECT_FALSE(dialog_.Execute());
    ASSERT_TRUE(described) << "both panels on the skin's panel description";
    EXPECT_EQ(frameLine, skinLine) << "the centre's frame is the skin's";
    EXPECT_NE(bottomLine, skinLine) << "the bottom panel has no frame";
}

// Alt+Enter on an item, from the keyboard: its properties (the shell's unless the list is told otherwise), and
// the dialog stays open.
TEST_F(OpenDialog, AltEnterAsksForThePropertiesOfTheSelectedItem) {
    std::vector<std::wstring> asked;
    bool stillOpen = false;
    DialogScript script(app_, dialog_,
                        {[&](TkvOpenDlgForm& f) {
                             f.FileList->OnProperties = [&](int i) { asked.push_back(f.FileList->Item(i).name); };
                             f.FileList->setFocus();
                             f.FileList->SelectItem(f.FileList->IndexOfName(L"b.mdb"));
                             INPUT in[4]{};
                             for (INPUT& k : in) k.type = INPUT_KEYBOARD;
                             in[0].ki.wVk = in[3].ki.wVk = VK_MENU;
                             in[1].ki.wVk = in[2].ki.wVk = VK_RETURN;
                             in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
                             SendInput(4, in, sizeof in[0]);
                             kvtest::pumpFor(100);
                             stillOpen = f.modalResult() == fw::mrNone;
                         },
                         [](TkvOpenDlgForm& f) { f.CancelButton->PerformClick(); }});
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"b.mdb"}));
    EXPECT_TRUE(stillOpen);
}

}  // namespace
