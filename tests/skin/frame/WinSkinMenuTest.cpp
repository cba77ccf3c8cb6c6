// Skinned popup menus under Wine: the system menu of a skinned form (its size, place, keys and commands), the
// pointer over disabled items, the sub-menu delay, the notifications to the opening control, and that no popup
// window outlives its menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../controls/WinTestSkin.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/StdControls.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinMenus.h"

namespace {

void pump(int ms = 30) {
    const DWORD start = GetTickCount();
    do {
        fw::processMessages();
        Sleep(2);
    } while (GetTickCount() - start < static_cast<DWORD>(ms));
}

void pointerTo(POINT p) {
    SetCursorPos(p.x, p.y);
    pump(120);  // more than two 50 ms polls of the popup
}

// Visible popup windows of this thread.
int popupWindowsShown() {
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) CALLBACK -> BOOL {
            wchar_t cls[32]{};
            GetClassNameW(h, cls, 32);
            if (IsWindowVisible(h) && std::wstring(cls).rfind(L"KvPopup", 0) == 0) ++*reinterpret_cast<int*>(p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

// A skinned form with the program's skin, shown and active.
struct MenuForm {
    fw::Form& form;
    TkvCompressedStoredSkin& stored;
    TkvSkinData& model;
    TkvKelvaneForm* frame;

    explicit MenuForm(fw::Application& app)
        : form(app.create<fw::Form>()),
          stored(form.create<TkvCompressedStoredSkin>()),
          model(form.create<TkvSkinData>()) {
        form.setBorderStyle(fw::BorderStyle::Single);
        form.setCaption(L"Menus");
        frame = &form.create<TkvKelvaneForm>();
        frame->SetSkinData(&model);
        frame->SetBorderIcons({true, true, true, true, false});
        kvtest::LoadEmbeddedSkin(stored, model);
        form.handle();
        form.setBounds(100, 100, 556, 323);
        form.show();
        SetForegroundWindow(form.handle());
        const DWORD start = GetTickCount();
        while (!form.active() && GetTickCount() - start < 3000) pump(5);
        pump();
    }
    TkvSkinMenu& engine() { return frame->SkinMenu(); }
    TkvSkinPopupWindow& top() { return *engine().OpenWindows.back(); }
    // A key as the keyboard sends it to the focused form.
    void key(WPARAM vk) {
        PostMessageW(form.handle(), WM_KEYDOWN, vk, 1);
        pump();
    }
    void altSpace() {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = 0x80;
        SetKeyboardState(keys);
        PostMessageW(form.handle(), WM_SYSKEYDOWN, VK_SPACE, 0x20390001);
        pump();
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
    }
    fw::Rect sysButton() {
        for (const auto& o : frame->Objects())
            if (o->ObjectName == "sysmenubutton") return frame->FrameToScreen(o->PlacedRect);
        throw std::runtime_error("no system-menu button");
    }
    // The release of the left button over an item of the top popup.
    void releaseOver(int index) {
        const fw::Rect b = top().Items[static_cast<std::size_t>(index)]->ItemBounds;
        PostMessageW(top().handle(), WM_LBUTTONUP, 0, MAKELPARAM(b.left + 20, b.top + b.height() / 2));
        pump();
    }
    POINT itemCentre(int index) {
        const fw::Rect b = top().Items[static_cast<std::size_t>(index)]->ItemBounds;
        RECT wr{};
        GetWindowRect(top().handle(), &wr);
        return {wr.left + b.left + 30, wr.top + b.top + b.height() / 2};
    }
};

std::vector<std::wstring> captions(const TkvSkinPopupWindow& p) {
    std::vector<std::wstring> out;
    for (const auto& it : p.Items) out.push_back(it->Item->caption);
    return out;
}

TEST(SkinMenus, AltSpaceOpensTheSystemMenuBelowItsButtonAndItsKeysWork) {
    fw::Application app;
    MenuForm s(app);
    s.altSpace();
    ASSERT_TRUE(s.engine().Showing);
    ASSERT_EQ(s.engine().OpenWindows.size(), 1u);
    TkvSkinPopupWindow& p = s.top();
    EXPECT_EQ(captions(p), (std::vector<std::wstring>{L"Mi&nimize", L"Ma&ximize", L"Ro&llUp", L"-", L"&Close"}));
    EXPECT_EQ(p.Items[4]->Item->shortcut, L"Alt+F4");
    RECT wr{};
    GetWindowRect(p.handle(), &wr);
    EXPECT_EQ(wr.bottom - wr.top, 95) << "four items of 22 and a separator of 3 in the skin's frame";
    EXPECT_EQ(p.Items[0]->ItemBounds.height(), 22);
    EXPECT_EQ(p.Items[3]->ItemBounds.height(), 3);
    EXPECT_EQ(wr.left, s.sysButton().left);
    EXPECT_EQ(wr.top, s.sysButton().bottom);
    EXPECT_EQ(GetForegroundWindow(), s.form.handle()) << "the popup never takes the activation";
    EXPECT_EQ(popupWindowsShown(), 1);

    // The first item is pre-selected; Down moves over the separator, and from the last back to the top.
    EXPECT_EQ(p.HotItem, 0);
    EXPECT_TRUE(p.Items[0]->Highlighted && p.Items[0]->KeyboardSelected);
    s.key(VK_DOWN);
    s.key(VK_DOWN);
    EXPECT_EQ(p.HotItem, 2);
    s.key(VK_DOWN);
    EXPECT_EQ(p.HotItem, 4);
    EXPECT_FALSE(p.Items[2]->Highlighted);
    s.key(VK_DOWN);
    EXPECT_EQ(p.HotItem, 0);

    // Escape closes it, and no popup window is left.
    s.key(VK_ESCAPE);
    EXPECT_FALSE(s.engine().Showing);
    EXPECT_FALSE(s.frame->SkinMenuOpen());
    pump(60);
    EXPECT_EQ(popupWindowsShown(), 0);

    // "Ro&llUp" by its letter rolls the window up to the caption.
    s.altSpace();
    s.key('L');
    EXPECT_TRUE(s.frame->RolledUp);
    EXPECT_EQ(s.form.height(), 31);
    EXPECT_FALSE(s.engine().Showing);
    // Rolled up, the menu offers Restore instead, which unrolls.
    s.altSpace();
    EXPECT_EQ(captions(s.top()), (std::vector<std::wstring>{L"Mi&nimize", L"Ma&ximize", L"&Restore", L"-", L"&Close"}));
    s.key('R');
    EXPECT_FALSE(s.frame->RolledUp);
    EXPECT_EQ(s.form.height(), 323);

    // N minimises; the keys go to the menu, never to the form.
    s.altSpace();
    s.key('N');
    EXPECT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Minimized);
    EXPECT_FALSE(s.frame->SkinMenuOpen());
    s.frame->SetFrameWindowState(TkvFrameWindowState::Normal);
    pump(60);
    EXPECT_EQ(popupWindowsShown(), 0);
}

// An open menu draws from its model's descriptions and pictures: loading a skin into that model closes it first,
// for the frame's own model and for a separate menu model alike.
TEST(SkinMenus, AnOpenMenuClosesWhenItsModelLoadsASkin) {
    fw::Application app;
    MenuForm s(app);
    TkvCompressedStoredSkin& menuStored = s.form.create<TkvCompressedStoredSkin>();
    TkvSkinData& menuModel = s.form.create<TkvSkinData>();
    kvtest::LoadEmbeddedSkin(menuStored, menuModel);
    for (auto [menus, reloaded] : {std::pair{&s.model, &s.stored}, std::pair{&menuModel, &menuStored}}) {
        s.frame->SetMenusSkinData(menus);
        s.altSpace();
        ASSERT_TRUE(s.engine().Showing);
        kvtest::LoadEmbeddedSkin(*reloaded, *menus);
        EXPECT_FALSE(s.engine().Showing) << (menus == &s.model ? "the frame's model" : "the menu model");
        EXPECT_FALSE(s.frame->SkinMenuOpen());
        pump(60);
        EXPECT_EQ(popupWindowsShown(), 0);
    }
}

TEST(SkinMenus, DisabledItemsGetHotWithoutHighlightAndCannotBeClicked) {
    fw::Application app;
    MenuForm s(app);
    fw::Panel& target = s.form.create<fw::Panel>();
    target.setParent(&s.form);
    std::vector<std::string> log;
    target.windowProc = [&log, inner = target.windowProc](fw::Message& m) {
        if (m.msg == SKIN_MSG_MENU_CLOSED) log.push_back("closed");
        if (m.msg == SKIN_MSG_MENU_COMMAND) log.push_back("command");
        inner(m);
    };
    TkvSkinPopupMenu& menu = s.form.create<TkvSkinPopupMenu>();
    menu.items().add(L"&Open").onClick = [&log](fw::MenuItem&) { log.push_back("open"); };
    fw::MenuItem& off = menu.items().add(L"&Gone");
    off.enabled = false;
    off.onClick = [&log](fw::MenuItem&) { log.push_back("gone"); };
    menu.items().add(L"-");
    menu.items().add(L"&Save");

    menu.PopupForControl(&target, 300, 200);
    ASSERT_TRUE(s.engine().Showing);
    pointerTo(s.itemCentre(1));
    TkvSkinPopupWindow& p = s.top();
    EXPECT_EQ(p.HotItem, 1);
    EXPECT_FALSE(p.Items[1]->Highlighted);
    EXPECT_FALSE(p.Items[0]->Highlighted) << "the pre-selection went with the pointer";
    s.releaseOver(1);
    EXPECT_TRUE(s.engine().Showing) << "a disabled item is not clicked";
    // Down skips the disabled item and the separator.
    pointerTo(s.itemCentre(0));
    s.key(VK_DOWN);
    EXPECT_EQ(p.HotItem, 3);

    s.releaseOver(0);
    EXPECT_FALSE(s.engine().Showing);
    EXPECT_EQ(log, (std::vector<std::string>{"closed", "closed", "open", "command"}));
    pump(60);
    EXPECT_EQ(popupWindowsShown(), 0);
}

TEST(SkinMenus, SubMenuOpensAfterTheDelayUnlessThePointerMovesOn) {
    fw::Application app;
    MenuForm s(app);
    TkvSkinPopupMenu& menu = s.form.create<TkvSkinPopupMenu>();
    fw::MenuItem& sub = menu.items().add(L"&More");
    sub.add(L"&Inner");
    menu.items().add(L"&Plain");

    menu.PopupAt(300, 200);
    ASSERT_TRUE(s.engine().Showing);
    pointerTo(s.itemCentre(0));
    EXPECT_EQ(s.engine().PendingItem, s.top().Items[0].get());
    pump(200);
    EXPECT_EQ(s.engine().OpenWindows.size(), 1u) << "not before the delay";
    pump(400);
    ASSERT_EQ(s.engine().OpenWindows.size(), 2u) << "after the delay";
    EXPECT_TRUE(s.engine().OpenWindows[0]->Items[0]->SubmenuOpen);
    RECT parent{}, child{};
    GetWindowRect(s.engine().OpenWindows[0]->handle(), &parent);
    GetWindowRect(s.engine().OpenWindows[1]->handle(), &child);
    EXPECT_GT(child.left, parent.right - 5) << "beside its parent";
    // Escape closes only the sub-menu; Left with one popup does nothing.
    s.key(VK_ESCAPE);
    EXPECT_EQ(s.engine().OpenWindows.size(), 1u);
    EXPECT_FALSE(s.engine().OpenWindows[0]->Items[0]->SubmenuOpen);
    s.key(VK_LEFT);
    EXPECT_TRUE(s.engine().Showing);

    // Moving on before the delay cancels it.
    s.engine().CloseFrom(0);
    s.frame->MenuClosed();
    menu.PopupAt(300, 200);
    pointerTo(s.itemCentre(0));
    pointerTo(s.itemCentre(1));
    EXPECT_EQ(s.engine().PendingItem, nullptr);
    pump(600);
    EXPECT_EQ(s.engine().OpenWindows.size(), 1u);
    s.key(VK_ESCAPE);
    EXPECT_FALSE(s.engine().Showing);
}

TEST(SkinMenus, ItemLimitScrollsByTheMarkersAndByTheKeyboard) {
    fw::Application app;
    MenuForm s(app);
    s.frame->MaxMenuItemsInWindow = 5;
    TkvSkinPopupMenu& menu = s.form.create<TkvSkinPopupMenu>();
    for (int i = 0; i < 8; ++i) menu.items().add(L"Item " + std::to_wstring(i));
    menu.PopupAt(300, 150);
    ASSERT_TRUE(s.engine().Showing);
    TkvSkinPopupWindow& p = s.top();
    RECT wr{};
    GetWindowRect(p.handle(), &wr);
    EXPECT_EQ(wr.bottom - wr.top, 5 * 22 + 4 + 20) << "five items, the skin's frame and the two markers";
    EXPECT_EQ(wr.top, 150) << "placed below the point as a popup that fits";
    EXPECT_TRUE(p.Scrolling && p.ScrollByLimit);
    EXPECT_EQ(p.ShownCount, 5);

    // Resting on the lower marker scrolls one item per 100 ms until the last item shows, then stops.
    pointerTo({wr.left + 40, wr.top + p.ItemsArea.bottom - 5});
    EXPECT_EQ(p.ScrollDirection, 2);
    pump(450);
    EXPECT_EQ(p.FirstVisible, 3);
    EXPECT_TRUE(p.Items[7]->InView);
    EXPECT_FALSE(p.Items[2]->InView);
    EXPECT_EQ(p.ScrollDirection, 0);

    // Down from the last item wraps to the first and scrolls back to it.
    pointerTo({wr.left + 40, wr.top + p.Items[7]->ItemBounds.top + 5});
    EXPECT_EQ(p.HotItem, 7);
    s.key(VK_DOWN);
    EXPECT_EQ(p.HotItem, 0);
    EXPECT_EQ(p.FirstVisible, 0);
    s.key(VK_UP);
    EXPECT_EQ(p.HotItem, 7);
    EXPECT_EQ(p.FirstVisible, 3);
    s.key(VK_ESCAPE);
    EXPECT_FALSE(s.engine().Showing);
}

}  // namespace
