// The skinned combo box under Wine: the closed box painted from its description, the drop-down list opened by a
// press and picked from by a release, the keyboard and a press elsewhere closing the list.
#include <windows.h>

#include <gtest/gtest.h>

#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/controls/kvSkinComboBox.h"

namespace {

class SkinComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::LoadEmbeddedSkin(stored, model);
        form.setBounds(100, 100, 300, 200);
        combo.setParent(&form);
        combo.setBounds(10, 10, 160, 21);
        combo.SetSkinData(&model);
        for (const wchar_t* t : {L"alpha", L"beta", L"gamma", L"delta", L"epsilon"}) combo.AddItem(t);
        combo.OnChange = [this](fw::Component*) { ++changes; };
        combo.handle();
    }
    void pump() {
        for (int i = 0; i < 5; ++i) {
            fw::processMessages();
            Sleep(5);
        }
    }

    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();
    TkvSkinComboBox& combo = form.create<TkvSkinComboBox>();
    int changes = 0;
};

TEST_F(SkinComboBoxTest, PaintsTheClosedBoxFromItsDescription) {
    ASSERT_NE(combo.DescriptionIndex, -1);
    EXPECT_EQ(combo.height(), 21) << "the skin's height";
    const auto* d = model.ControlAs<TkvDataSkinComboBox>(combo.DescriptionIndex);
    ASSERT_NE(d, nullptr);
    const fw::Bitmap& picture = model.ActivePictures.at(static_cast<std::size_t>(d->PictureIndex));
    fw::DibSection target(combo.width(), combo.height());
    combo.paintTo(target.dc());
    // The left edge comes from the skin rect as it is, the right edge (the button's side) from its right end.
    for (int y = 0; y < combo.height(); ++y) {
        EXPECT_EQ(target.pixels().at(1, y) & 0xFFFFFFu, picture.at(d->SkinRect.left + 1, d->SkinRect.top + y) & 0xFFFFFFu);
        EXPECT_EQ(target.pixels().at(combo.width() - 1, y) & 0xFFFFFFu,
                  picture.at(d->SkinRect.right - 1, d->SkinRect.top + y) & 0xFFFFFFu);
    }
}

TEST_F(SkinComboBoxTest, APressOpensTheListAndAReleaseOnARowPicksIt) {
    combo.SetItemIndex(0);
    combo.perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 10));
    combo.perform(WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
    ASSERT_TRUE(combo.DroppedDown());
    HWND list = combo.DropDownWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    RECT r{};
    GetWindowRect(list, &r);
    EXPECT_EQ(r.right - r.left, combo.width());
    EXPECT_GE(r.bottom - r.top, 5 * combo.ItemHeight()) << "all five rows";
    const fw::Point below = combo.clientToScreen({0, combo.height()});
    EXPECT_EQ(r.top, below.y);

    const int y = (r.bottom - r.top) / 2;  // the middle row of five: "gamma"
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(20, y));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(20, y));
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), L"gamma");
    EXPECT_EQ(changes, 1);
}

TEST_F(SkinComboBoxTest, KeysMoveTheSelectionAndThePressElsewhereCloses) {
    combo.perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo.ItemIndex(), 0);
    combo.perform(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(combo.ItemIndex(), 4);
    EXPECT_EQ(changes, 2);
    combo.perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(changes, 2) << "already the last item";

    combo.perform(WM_KEYDOWN, VK_F4, 0);
    ASSERT_TRUE(combo.DroppedDown());
    combo.perform(WM_KEYDOWN, VK_UP, 0);
    combo.perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 4) << "Escape keeps the old item";
    combo.perform(WM_KEYDOWN, VK_F4, 0);
    combo.perform(WM_KEYDOWN, VK_HOME, 0);
    combo.perform(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(changes, 3);

    combo.perform(WM_KEYDOWN, VK_F4, 0);
    ASSERT_TRUE(combo.DroppedDown());
    PostMessageW(form.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
    pump();
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(changes, 3);
}

TEST_F(SkinComboBoxTest, MoreItemsThanRowsBringAScrollBarThatScrollsTheList) {
    combo.SetDropDownCount(3);
    combo.SetDroppedDown(true);
    HWND list = combo.DropDownWindow();
    ASSERT_NE(list, nullptr);
    HWND bar = FindWindowExW(list, nullptr, L"TkvSkinScrollBar", nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(IsWindowVisible(bar));
    RECT r{}, lr{};
    GetWindowRect(bar, &r);
    GetWindowRect(list, &lr);
    EXPECT_EQ(r.right - r.left, 19) << "the vscrollbar skin's width";
    EXPECT_LE(r.right, lr.right);
    // A click on its down arrow scrolls the list one row: the top row is then "beta".
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, r.bottom - r.top - 3));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(9, r.bottom - r.top - 3));
    pump();
    EXPECT_TRUE(combo.DroppedDown()) << "a press on the list's own scroll bar keeps it open";
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    EXPECT_EQ(combo.ItemIndex(), 1);
}

TEST_F(SkinComboBoxTest, ItemsDrawnByTheOwnerAndTheDefaultLook) {
    std::vector<int> drawn;
    combo.OnDrawItem = [&](fw::Canvas&, int index, const fw::Rect&, bool, bool inDropDown) {
        if (!inDropDown) drawn.push_back(index);
    };
    combo.SetItemIndex(3);
    fw::DibSection target(combo.width(), combo.height());
    combo.paintTo(target.dc());
    EXPECT_EQ(drawn, std::vector<int>{3});

    combo.SetSkinDataName("nosuchdescription");
    combo.paintTo(target.dc());
    EXPECT_EQ(combo.DescriptionIndex, -1);
    EXPECT_EQ(target.pixels().at(3, 3) & 0xFFFFFFu, fw::colorToPixel(GetSysColor(COLOR_WINDOW)) & 0xFFFFFFu)
        << "the default look's white box";
    EXPECT_EQ(drawn.size(), 2u);
}

}  // namespace
