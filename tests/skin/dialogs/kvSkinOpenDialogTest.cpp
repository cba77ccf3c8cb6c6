// The open dialog run as a user runs it: steps posted into its own modal loop act on the window, over a folder of
// test files made for the test.
#include "skin/dialogs/kvSkinOpenDialog.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/dialogs/kvDialogCombos.h"
#include "skin/controls/kvSkinEdit.h"
#include "skin/dialogs/kvOpenDlgForm.h"
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
        DialogScript script(app_, dialog_, {[](TkvOpenDlgForm& f) {
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

}  // namespace
