// The skinned edit under Wine with the program's skin: its height, Enter and Escape, the read-only guards and the
// context menu's entries, and the browse button's images and click.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/controls/kvSkinEdit.h"
#include "skin/frame/kvSkinMenus.h"

namespace {

void setClipboard(const wchar_t* s) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (s) {
        const size_t bytes = (wcslen(s) + 1) * sizeof(wchar_t);
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(h), s, bytes);
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
    }
    CloseClipboard();
}

class SkinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::LoadEmbeddedSkin(stored, model);
        form.setBounds(100, 100, 300, 200);
        edit.setParent(&form);
        edit.SetSkinDataName("buttonedit");
        edit.SetButtonMode(true);
        edit.setBounds(10, 10, 200, 40);
        edit.SetSkinData(&model);
        edit.handle();
    }
    bool menuEnabled(const char* name) {
        const fw::MenuItem* item = edit.EditContextMenu()->items().find(name);
        EXPECT_NE(item, nullptr) << name;
        return item && item->enabled;
    }
    // The frame's pixels over the button against the skin picture at `source`.
    bool buttonShows(fw::Rect source) {
        fw::DibSection frame(edit.width(), edit.height());
        edit.DrawFrame(frame);
        const auto* d = model.ControlAs<TkvDataSkinEditControl>(model.GetControlIndex("buttonedit"));
        const fw::Bitmap& picture = model.ActivePictures.at(static_cast<size_t>(d->PictureIndex));
        const fw::Rect at = edit.ButtonArea();
        for (int y = 0; y < at.height(); ++y)
            for (int x = 0; x < at.width(); ++x)
                if ((frame.pixels().at(at.left + x, at.top + y) & 0xFFFFFFu) !=
                    (picture.view().at(source.left + x, source.top + y) & 0xFFFFFFu))
                    return false;
        return true;
    }
    LPARAM screenPoint(fw::Point window) {
        RECT r{};
        GetWindowRect(edit.handle(), &r);
        return MAKELPARAM(r.left + window.x, r.top + window.y);
    }
    LPARAM clientPoint(fw::Point window) {
        const fw::Rect area = edit.EditArea();
        return MAKELPARAM(window.x - area.left, window.y - area.top);
    }

    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();
    TkvSkinEdit& edit = form.create<TkvSkinEdit>();
};

TEST_F(SkinEditTest, TheButtonEditIs21PixelsWithTheTextInsideTheSkinsClientArea) {
    EXPECT_EQ(edit.height(), 21) << "the form asked for 40";
    edit.setBounds(10, 10, 200, 12);
    EXPECT_EQ(edit.height(), 21);
    RECT client{};
    GetClientRect(edit.handle(), &client);
    EXPECT_EQ(client.right, 200 - 3 - 20);
    EXPECT_EQ(client.bottom, 15);
    EXPECT_EQ(edit.font().name(), L"Arial");
    EXPECT_EQ(edit.font().height(), 14);
}

TEST_F(SkinEditTest, EnterClicksTheDefaultButtonWithoutALineBreakAndEscapeTheCancelButton) {
    fw::Button& ok = form.create<fw::Button>();
    ok.setParent(&form);
    ok.setDefault(true);
    fw::Button& cancel = form.create<fw::Button>();
    cancel.setParent(&form);
    cancel.setCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok.onClick = [&](fw::Component*) { ++okClicks; };
    cancel.onClick = [&](fw::Component*) { ++cancelClicks; };
    form.show();
    edit.setText(L"abc");
    edit.perform(WM_KEYDOWN, VK_RETURN, 0);
    edit.perform(WM_CHAR, L'\r', 0);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(edit.text(), L"abc");
    EXPECT_EQ(SendMessageW(edit.handle(), EM_GETLINECOUNT, 0, 0), 1);
    edit.perform(WM_KEYDOWN, VK_ESCAPE, 0);
    edit.perform(WM_CHAR, 27, 0);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(edit.text(), L"abc");
}

TEST_F(SkinEditTest, AReadOnlyEditKeepsItsTextAndItsMenuOffersOnlyCopyAndSelectAll) {
    edit.setText(L"abc");
    edit.setReadOnly(true);
    SendMessageW(edit.handle(), EM_SETSEL, 1, 2);
    setClipboard(L"zz");
    edit.perform(WM_CHAR, L'x', 0);
    edit.perform(WM_CHAR, 0x16, 0);  // Ctrl+V
    edit.perform(WM_CHAR, 0x18, 0);  // Ctrl+X
    edit.perform(WM_KEYDOWN, VK_DELETE, 0);
    for (UINT msg : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO}) edit.perform(msg, 0, 0);
    EXPECT_EQ(edit.text(), L"abc");
    edit.BuildEditContextMenu();
    EXPECT_FALSE(menuEnabled("EDIT_CUT"));
    EXPECT_FALSE(menuEnabled("EDIT_PASTE"));
    EXPECT_FALSE(menuEnabled("EDIT_DELETE"));
    EXPECT_TRUE(menuEnabled("EDIT_COPY"));
    EXPECT_TRUE(menuEnabled("EDIT_SELECTALL"));
    EXPECT_EQ(edit.EditContextMenu()->items().find("EDIT_SELECTALL")->caption, L"Select All");
    EXPECT_EQ(edit.EditContextMenu()->items().count(), 8);
}

TEST_F(SkinEditTest, PasteNeedsClipboardTextTakesOneLineAndSelectAllNeedsSomethingUnselected) {
    edit.setText(L"abc");
    setClipboard(nullptr);
    SendMessageW(edit.handle(), EM_SETSEL, 3, 3);
    edit.BuildEditContextMenu();
    EXPECT_FALSE(menuEnabled("EDIT_PASTE"));
    EXPECT_TRUE(menuEnabled("EDIT_SELECTALL"));
    setClipboard(L"de\r\nfg");
    edit.BuildEditContextMenu();
    EXPECT_TRUE(menuEnabled("EDIT_PASTE"));
    edit.EditContextMenu()->items().find("EDIT_PASTE")->click();
    EXPECT_EQ(edit.text(), L"abcde");
    edit.EditContextMenu()->items().find("EDIT_SELECTALL")->click();
    edit.BuildEditContextMenu();
    EXPECT_FALSE(menuEnabled("EDIT_SELECTALL"));
    EXPECT_TRUE(menuEnabled("EDIT_CUT"));
}

TEST_F(SkinEditTest, TheBrowseButtonShowsItsStatesAndClicksOnlyWhenReleasedOverIt) {
    int clicks = 0;
    edit.OnButtonClick = [&](fw::Component*) { ++clicks; };
    const fw::Rect button = edit.ButtonArea();
    ASSERT_EQ(button, (fw::Rect{182, 2, 198, 19}));
    const fw::Point middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    const fw::Point outside{20, 10};
    EXPECT_EQ(edit.perform(WM_NCHITTEST, 0, screenPoint(middle)), 6);
    EXPECT_EQ(edit.perform(WM_NCHITTEST, 0, screenPoint({1, 1})), 7);
    const fw::Rect skinButton{120 + 62, 25 + 2, 120 + 78, 25 + 19};  // the normal button inside the skin image
    EXPECT_TRUE(buttonShows(skinButton));

    edit.perform(WM_NCMOUSEMOVE, 6, screenPoint(middle));
    EXPECT_TRUE(edit.ButtonHot);
    EXPECT_TRUE(buttonShows({280, 27, 296, 44}));
    edit.perform(WM_NCLBUTTONDOWN, 6, screenPoint(middle));
    EXPECT_TRUE(edit.ButtonPressed);
    EXPECT_TRUE(buttonShows({296, 27, 312, 44}));
    // Dragged off and released outside: the normal image again, and no click.
    edit.perform(WM_MOUSEMOVE, MK_LBUTTON, clientPoint(outside));
    EXPECT_FALSE(edit.ButtonHot);
    edit.perform(WM_LBUTTONUP, 0, clientPoint(outside));
    EXPECT_FALSE(edit.ButtonPressed);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(edit.text(), L"");

    edit.perform(WM_NCLBUTTONDOWN, 6, screenPoint(middle));
    edit.perform(WM_LBUTTONUP, 0, clientPoint(middle));
    EXPECT_EQ(clicks, 1);

    edit.setEnabled(false);
    EXPECT_TRUE(buttonShows({312, 27, 328, 44}));
}

}  // namespace
