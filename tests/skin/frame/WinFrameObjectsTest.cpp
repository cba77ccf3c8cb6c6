// The frame's objects, hit testing, window states and moving under Wine, driven through the platform: real
// pointer input (SendInput), posted and sent window messages, and a log of what reached the form and its objects.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../controls/RealPointer.h"
#include "../controls/WinTestSkin.h"
#include "CaptionDescription.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinButtonObjects.h"
#include "skin/frame/kvSkinHint.h"
#include "skin/frame/kvSkinMenus.h"
#include "skin/frame/kvTrayIcon.h"
#include "skin/imaging/kvLayerWindow.h"

namespace {

constexpr wchar_t kCaption[] = L"KovraAccess数据库压缩器 V1.0";

void pump(int ms = 30) {
    const DWORD start = GetTickCount();
    do {
        fw::processMessages();
        Sleep(2);
    } while (GetTickCount() - start < static_cast<DWORD>(ms));
}

// Pointer input as the mouse makes it.
void moveTo(int x, int y) { kvtest::pointerTo(x, y); }
void button(DWORD flags) { kvtest::pointerButton(flags); }
// Press and release queued together: for presses whose default processing waits for the release.
void click(DWORD down, DWORD up) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = down;
    in[1].mi.dwFlags = up;
    SendInput(2, in, sizeof in[0]);
    pump(60);
}

// A skinned form at 556 x 323 that is not the application's main form (closing the main form ends the
// application, minimising it minimises the application).
struct SkinnedForm {
    fw::Form& form;
    TkvKelvaneForm* frame = nullptr;
    TkvCompressedStoredSkin& stored;
    TkvSkinData& model;
    std::vector<std::string> log;

    SkinnedForm(fw::Application& app, bool logMessages = false)
        : form(app.create<fw::Form>()),
          stored(form.create<TkvCompressedStoredSkin>()),
          model(form.create<TkvSkinData>()) {
        form.setBorderStyle(fw::BorderStyle::Single);
        form.setCaption(kCaption);
        if (logMessages) {
            // Below the frame: what the form's own procedure receives after the frame.
            auto inner = form.windowProc;
            form.windowProc = [this, inner](fw::Message& m) {
                if (m.msg == WM_TIMER) log.push_back("form timer " + std::to_string(m.wParam));
                if (m.msg == WM_ENTERMENULOOP || m.msg == WM_INITMENU || m.msg == WM_INITMENUPOPUP)
                    log.push_back("menu loop");
                if (m.msg == WM_SYSCOMMAND) log.push_back("syscommand " + std::to_string(m.wParam & 0xFFF0));
                inner(m);
            };
        }
        frame = &form.create<TkvKelvaneForm>();
        frame->SetSkinData(&model);
        kvtest::LoadEmbeddedSkin(stored, model);
        if (logMessages) {
            // Above the frame: what the platform sends.
            auto outer = form.windowProc;
            form.windowProc = [this, outer](fw::Message& m) {
                if (m.msg == WM_SYSCOMMAND) log.push_back("sent syscommand " + std::to_string(m.wParam & 0xFFF0));
                outer(m);
            };
        }
        form.handle();  // the window exists before it is sized, as the main window's does when it is shown
        form.setBounds(100, 100, 556, 323);
        frame->OnMouseEnterEvent = [this](const std::string& n) { log.push_back("enter " + n); };
        frame->OnMouseLeaveEvent = [this](const std::string& n) { log.push_back("leave " + n); };
        frame->OnSkinMenuOpen = [this](fw::Component*) { log.push_back("system menu"); };
        frame->OnChangeRollUpState = [this](fw::Component*) {
            log.push_back("rollup " + std::to_string(frame->RolledUp));
        };
        form.onHide = [this](fw::Component*) { log.push_back("hidden"); };
    }

    TkvActiveSkinObject& object(const std::string& name) {
        for (const auto& o : frame->Objects())
            if (o->ObjectName == name) return *o;
        throw std::runtime_error("no object " + name);
    }
    // The centre of an object in screen coordinates.
    POINT centre(const std::string& name) {
        const fw::Rect r = frame->FrameToScreen(object(name).PlacedRect);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void showActive() {
        form.show();
        SetForegroundWindow(form.handle());
        const DWORD start = GetTickCount();
        while (!form.active() && GetTickCount() - start < 3000) pump(5);
        pump();
    }
    LRESULT hitTest(int x, int y) {
        RECT wr{};
        GetWindowRect(form.handle(), &wr);
        return SendMessageW(form.handle(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
    }
    void clearLog() { log.clear(); }
    bool logged(const std::string& s) const { return std::find(log.begin(), log.end(), s) != log.end(); }
};

std::string join(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& e : v) s += e + "; ";
    return s;
}

TEST(FrameObjects, MainWindowObjectsAreLaidOutAndFollowTheBorderIcons) {
    fw::Application app;
    SkinnedForm s(app);
    std::vector<std::string> names;
    for (const auto& o : s.frame->Objects()) names.push_back(o->ObjectName);
    EXPECT_EQ(names, (std::vector<std::string>{"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton",
                                               "caption", "traybutton"}));
    EXPECT_EQ(s.object("closebutton").PlacedRect, (fw::Rect{532, 5, 553, 26}));
    EXPECT_EQ(s.object("maxbutton").PlacedRect, (fw::Rect{509, 5, 530, 26}));
    EXPECT_EQ(s.object("minbutton").PlacedRect, (fw::Rect{486, 5, 507, 26}));
    EXPECT_EQ(s.object("rollupbutton").PlacedRect, (fw::Rect{463, 5, 484, 26}));
    EXPECT_EQ(s.object("sysmenubutton").PlacedRect, (fw::Rect{3, 8, 17, 20}));
    EXPECT_EQ(s.object("caption").PlacedRect, (fw::Rect{17, 4, 463, 24}));
    EXPECT_FALSE(s.object("traybutton").Shown);
    EXPECT_FALSE(s.object("traybutton").Usable);

    // Without biMaximize a button drawn from its own picture disappears (the minimise button moves up to its
    // place); one drawn as part of the frame picture would stay visible but inert.
    TkvBorderIcons icons = s.frame->BorderIcons();
    icons.biMaximize = false;
    s.frame->SetBorderIcons(icons);
    s.frame->UpdateFrame(true);
    EXPECT_FALSE(s.object("maxbutton").Shown);
    EXPECT_EQ(s.object("minbutton").PlacedRect, (fw::Rect{509, 5, 530, 26}));
    s.object("maxbutton").NormalInHotPicture = false;
    s.frame->ApplyBorderIcons();
    EXPECT_TRUE(s.object("maxbutton").Shown);
    EXPECT_FALSE(s.object("maxbutton").Usable);

    s.frame->HideCaptionButtons = true;
    s.frame->ApplyBorderIcons();
    for (const char* n : {"closebutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
        EXPECT_FALSE(s.object(n).Usable) << n;
        EXPECT_FALSE(s.object(n).Shown) << n;
    }
    EXPECT_TRUE(s.object("maxbutton").Shown) << "part of the frame picture: stays visible";
    EXPECT_TRUE(s.object("caption").Usable);
}

TEST(FrameObjects, HitTestMapOfTheMainWindowAndOfASizeableForm) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    const fw::Rect caption = s.object("caption").PlacedRect;
    const fw::Rect client = s.frame->Geometry().StretchedClientRect;
    std::set<LRESULT> codes;
    int wrong = 0;
    for (int y = 0; y < 323; ++y)
        for (int x = 0; x < 556; x += (y > 40 && y < 300) ? 7 : 1) {
            const LRESULT code = s.hitTest(x, y);
            codes.insert(code);
            const LRESULT want = caption.contains({x, y}) ? HTCAPTION : client.contains({x, y}) ? HTCLIENT : HTOBJECT;
            if (code != want && ++wrong < 5) ADD_FAILURE() << "at " << x << "," << y << ": " << code;
        }
    EXPECT_EQ(codes, (std::set<LRESULT>{HTCLIENT, HTCAPTION, HTOBJECT})) << "never a sizing code";

    s.frame->AlwaysResize = true;
    EXPECT_EQ(s.hitTest(1, 150), HTLEFT);
    EXPECT_EQ(s.hitTest(554, 150), HTRIGHT);
    EXPECT_EQ(s.hitTest(100, 321), HTBOTTOM);
    EXPECT_EQ(s.hitTest(10, 150), HTCLIENT) << "inside the mask rectangle";
    // While a caption button is hot, an edge answers HTOBJECT.
    const POINT c = s.centre("closebutton");
    moveTo(c.x, c.y);
    ASSERT_TRUE(s.object("closebutton").Highlighted);
    EXPECT_EQ(s.hitTest(1, 150), HTOBJECT);
}

TEST(FrameObjects, ActivationResetsTheObjectsLooksAndThePollLightsUpTheOneUnderThePointerAgain) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    const POINT c = s.centre("closebutton");
    moveTo(c.x, c.y);
    ASSERT_TRUE(s.object("closebutton").Highlighted);
    SendMessageW(s.form.handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(s.object("closebutton").Highlighted);
    EXPECT_FALSE(s.object("closebutton").Hovered);
    pump(120);
    EXPECT_TRUE(s.object("closebutton").Highlighted) << "still under the pointer";
}

// A custom caption button (cmdefault) with a popup of the form's: its press opens the menu below it, and it
// stays down until the menu closes. The popup outlives skin changes and goes with its menu.
TEST(FrameObjects, ACustomButtonsPopupOpensOnThePressAndKeepsItDownUntilTheMenuCloses) {
    fw::Application app;
    SkinnedForm s(app);
    s.model.ObjectAs<TkvDataSkinStdButton>(s.model.GetObjectIndex("rollupbutton"))->Command = cmdefault;
    s.frame->OnActivateCustomObject = [](const std::string&, bool& enabled) { enabled = true; };
    TkvSkinPopupMenu& menu = s.form.create<TkvSkinPopupMenu>();
    menu.items().add(L"First");
    menu.items().add(L"Second");
    s.frame->SetObjectPopup("rollupbutton", &menu);
    s.frame->ChangeSkinData();  // the objects are built again
    s.showActive();
    const POINT p = s.centre("rollupbutton");
    moveTo(p.x, p.y);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(s.frame->SkinMenu().Showing);
    TkvSkinPopupWindow& popup = *s.frame->SkinMenu().OpenWindows.back();
    ASSERT_EQ(popup.Items.size(), 2u);
    EXPECT_EQ(popup.Items[1]->Item->caption, L"Second");
    RECT pr{};
    GetWindowRect(popup.handle(), &pr);
    EXPECT_EQ(pr.top, s.frame->FrameToScreen(s.object("rollupbutton").PlacedRect).bottom) << "below the button";
    auto& b = static_cast<TkvSkinButtonObject&>(s.object("rollupbutton"));
    EXPECT_TRUE(b.Pressed) << "down while its menu is open";
    EXPECT_FALSE(s.frame->RolledUp) << "a custom button runs no command";
    PostMessageW(s.form.handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    pump(60);
    EXPECT_FALSE(s.frame->SkinMenu().Showing);
    EXPECT_FALSE(b.Pressed);
    s.form.destroyComponent(&menu);
    EXPECT_EQ(b.PopupItems, nullptr) << "the menu went: no popup";
    moveTo(p.x, 900);  // off the next test's form
}

// With a tray icon and AlwaysMinimizeToTray the minimise button sends the form to the notification area; a double
// click on the icon brings it back. The icon's menu is the frame's tray menu, drawn with the frame's skin.
TEST(FrameObjects, WithATrayIconTheMinimiseButtonSendsTheFormToTheTrayAndADoubleClickBringsItBack) {
    fw::Application app;
    SkinnedForm s(app);
    TkvTrayIcon& tray = s.form.create<TkvTrayIcon>();
    s.frame->AlwaysMinimizeToTray = true;
    s.frame->SetTrayIcon(&tray);
    EXPECT_FALSE(tray.Visible()) << "hidden until the form goes there";
    EXPECT_EQ(tray.PopupMenu(), &s.frame->TrayMenu());
    EXPECT_EQ(s.frame->TrayMenu().SkinData(), &s.model);
    s.showActive();
    const POINT p = s.centre("minbutton");
    moveTo(p.x, p.y);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(IsWindowVisible(s.form.handle()));
    EXPECT_TRUE(tray.Visible());
    EXPECT_TRUE(tray.MinimizeToTray);
    EXPECT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Normal);
    tray.Notified(WM_LBUTTONDBLCLK);  // as the notification area reports a double click on the icon
    pump(60);
    EXPECT_TRUE(IsWindowVisible(s.form.handle()));
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.MinimizeToTray);
    moveTo(p.x, 900);  // off the next test's form
}

TEST(FrameObjects, ButtonsLightUpPressAndRunTheirCommandOnlyWhenReleasedOverThem) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    const POINT close = s.centre("closebutton"), max = s.centre("maxbutton"), roll = s.centre("rollupbutton");
    moveTo(close.x, close.y);
    EXPECT_TRUE(s.object("closebutton").Highlighted);
    button(MOUSEEVENTF_LEFTDOWN);
    auto& closeButton = static_cast<TkvSkinButtonObject&>(s.object("closebutton"));
    EXPECT_TRUE(closeButton.Pressed);
    moveTo(max.x, max.y);  // held: the maximise button does not light up
    EXPECT_FALSE(s.object("maxbutton").Highlighted);
    moveTo(close.x, 700);  // outside the window
    button(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(closeButton.Pressed);
    EXPECT_TRUE(s.form.visible()) << "released outside: nothing ran";
    EXPECT_EQ(join(s.log), "enter closebutton; leave closebutton; ") << "no other object lit up";

    // The roll-up button: 31 pixels high, then back.
    s.clearLog();
    moveTo(roll.x, roll.y);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(s.form.height(), 31);
    EXPECT_TRUE(s.frame->RolledUp);
    moveTo(roll.x, roll.y + 2);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(s.form.height(), 323);
    EXPECT_EQ(join(s.log), "enter rollupbutton; rollup 1; rollup 0; ");

    // Close: the form goes away.
    moveTo(close.x, close.y);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(s.form.visible());
    EXPECT_TRUE(s.logged("hidden"));
}

TEST(FrameObjects, DoubleClicksOnTheCaptionRollUpAndOnTheSystemMenuButtonClose) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    RECT wr{};
    GetWindowRect(s.form.handle(), &wr);
    const POINT cap{wr.left + 200, wr.top + 14};
    auto dblclk = [&](POINT p, WPARAM hit) {
        SetCursorPos(p.x, p.y);
        ASSERT_EQ(s.hitTest(p.x - wr.left, p.y - wr.top), static_cast<LRESULT>(hit));
        PostMessageW(s.form.handle(), WM_NCLBUTTONDBLCLK, hit, MAKELPARAM(p.x, p.y));
        PostMessageW(s.form.handle(), WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
        pump();
    };
    dblclk(cap, HTCAPTION);
    EXPECT_EQ(s.form.height(), 31);
    EXPECT_EQ(s.hitTest(300, 28), HTOBJECT) << "rolled up: only the caption moves the window";
    dblclk(cap, HTCAPTION);
    EXPECT_EQ(s.form.height(), 323);

    // The system-menu button: a press asks for the menu, a double click closes.
    const POINT sys = s.centre("sysmenubutton");
    s.clearLog();
    dblclk(sys, HTOBJECT);
    std::vector<std::string> seen;
    for (const auto& e : s.log)
        if (e.find("caption") == std::string::npos) seen.push_back(e);
    EXPECT_EQ(join(seen), "enter sysmenubutton; system menu; hidden; leave sysmenubutton; ")
        << "hidden, the form is no longer active: its objects lose their hot state";
}

TEST(FrameObjects, MaximiseLeavesOnePixelAndAMaximisedWindowStaysWhereItIs) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    const POINT max = s.centre("maxbutton");
    moveTo(max.x, max.y);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    ASSERT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Maximized);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    if (work.left == 0 && work.top == 0 && work.right == sw && work.bottom == sh)
        EXPECT_EQ(s.form.boundsRect(), (fw::Rect{1, 1, sw - 1, sh - 1}));
    else EXPECT_EQ(s.form.boundsRect(), fw::fromRECT(work));

    RECT drag{200, 200, 756, 523};
    SendMessageW(s.form.handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(fw::fromRECT(drag), s.form.boundsRect()) << "the proposed move is replaced by the current bounds";

    // The same button restores the bounds from before.
    const POINT restore = s.centre("maxbutton");
    moveTo(restore.x, restore.y);
    button(MOUSEEVENTF_LEFTDOWN);
    button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Normal);
    EXPECT_EQ(s.form.boundsRect(), (fw::Rect{100, 100, 656, 423}));
}

TEST(FrameObjects, MinimiseParksAFormAsACaptionBarAndMinimisesTheApplicationForTheMainForm) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    auto clickObject = [&](const char* name) {
        const POINT p = s.centre(name);
        moveTo(p.x, p.y);
        button(MOUSEEVENTF_LEFTDOWN);
        button(MOUSEEVENTF_LEFTUP);
    };
    clickObject("minbutton");
    ASSERT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Minimized);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(s.form.boundsRect(), (fw::Rect{work.left, work.bottom - 31, work.left + 200, work.bottom}));
    clickObject("minbutton");  // now the restore button
    EXPECT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Normal);
    EXPECT_EQ(s.form.boundsRect(), (fw::Rect{100, 100, 656, 423}));

    // The main form stands for the application: the platform minimises it, the frame's own state stays normal.
    // Before that its minimise button shows its three looks on the screen under the pointer.
    app.setMainForm(&s.form);
    const fw::Rect area = s.frame->FrameToScreen(s.object("minbutton").PlacedRect);
    auto onScreen = [&] {
        std::vector<COLORREF> pixels;
        HDC screen = GetDC(nullptr);
        for (int y = area.top; y < area.bottom; y += 2)
            for (int x = area.left; x < area.right; x += 2) pixels.push_back(GetPixel(screen, x, y));
        ReleaseDC(nullptr, screen);
        return pixels;
    };
    const POINT min = s.centre("minbutton");
    moveTo(min.x, min.y + 100);
    const auto rest = onScreen();
    moveTo(min.x, min.y);
    const auto hot = onScreen();
    button(MOUSEEVENTF_LEFTDOWN);
    const auto pressed = onScreen();
    EXPECT_NE(hot, rest) << "lit up under the pointer";
    EXPECT_NE(pressed, hot) << "pressed";
    button(MOUSEEVENTF_LEFTUP);
    pump(200);
    EXPECT_TRUE(IsIconic(s.form.handle()));
    EXPECT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Normal);
    app.setMainForm(nullptr);
}

// With full-window dragging the frame follows each proposed size of a sizing loop at once; with outline
// dragging (or outside a loop) it waits for the size the window gets.
TEST(FrameObjects, FullWindowDraggingFollowsTheProposedSizeWhileSizing) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    BOOL saved = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &saved, 0);
    auto sizeTo = [&](BOOL full, int w, int h) {
        SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, full, nullptr, 0);
        SendMessageW(s.form.handle(), WM_ENTERSIZEMOVE, 0, 0);
        RECT proposed{100, 100, 100 + w, 100 + h};
        SendMessageW(s.form.handle(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
        const std::pair<int, int> seen{s.frame->CurrentWidth, s.frame->CurrentHeight};
        // The platform gives the window the size: at once when dragging full windows, at the end otherwise.
        SetWindowPos(s.form.handle(), nullptr, 100, 100, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(s.form.handle(), WM_EXITSIZEMOVE, 0, 0);
        return seen;
    };
    EXPECT_EQ(sizeTo(TRUE, 600, 350), (std::pair<int, int>{600, 350}));
    EXPECT_EQ(sizeTo(FALSE, 620, 360), (std::pair<int, int>{600, 350})) << "an outline drag leaves the frame alone";
    RECT outside{100, 100, 640, 370};
    SendMessageW(s.form.handle(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&outside));
    EXPECT_EQ(s.frame->CurrentWidth, 620) << "outside a sizing loop";
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, saved, nullptr, 0);
}

TEST(FrameObjects, MagneticEdgeHoldsTheWindowUntilThePointerMovesAway) {
    fw::Application app;
    SkinnedForm s(app);
    s.frame->Magnetic = true;
    s.showActive();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int w = s.form.width(), h = s.form.height();
    auto moving = [&](int x, int cursorX) {
        SetCursorPos(cursorX, 300);
        RECT r{x, 200, x + w, 200 + h};
        SendMessageW(s.form.handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
        return static_cast<int>(r.left);
    };
    SetCursorPos(400, 300);
    SendMessageW(s.form.handle(), WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_EQ(moving(work.left + 10, 400), work.left + 10) << "far from the edge: as proposed";
    EXPECT_EQ(moving(work.left + 4, 394), work.left) << "within 4 pixels: snapped";
    EXPECT_EQ(moving(work.left + 1, 391), work.left) << "pointer 3 pixels away: held";
    EXPECT_EQ(moving(work.left + 0, 388), work.left - 6) << "pointer 6 pixels away: follows it";
    EXPECT_EQ(moving(work.left - 6, 384), work.left - 10);
    SendMessageW(s.form.handle(), WM_EXITSIZEMOVE, 0, 0);
}

TEST(FrameObjects, AltKeysNeverOpenThePlatformsWindowMenuAndFrameTimersLeaveTheFormsOwnAlone) {
    fw::Application app;
    SkinnedForm s(app, true);
    s.showActive();
    HWND h = s.form.handle();
    s.clearLog();
    // Alt alone, then Alt+F, as the keyboard sends them.
    PostMessageW(h, WM_SYSKEYDOWN, VK_MENU, 0x20380001);
    PostMessageW(h, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001u));
    pump();
    PostMessageW(h, WM_SYSCHAR, 'f', 0x20210001);
    pump();
    EXPECT_TRUE(s.logged("sent syscommand 61696")) << "the platform asked for its window menu: " << join(s.log);
    EXPECT_FALSE(s.logged("syscommand 61696")) << "the form's own procedure never got the request";
    EXPECT_FALSE(s.logged("menu loop"));
    EXPECT_FALSE(s.logged("system menu"));

    // Alt+Space asks for the frame's own system menu below its button.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(h, WM_SYSKEYDOWN, VK_SPACE, 0x20390001);
    pump();
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(s.logged("system menu")) << join(s.log);
    EXPECT_EQ(s.frame->SystemMenuAnchor(), s.frame->FrameToScreen(s.object("sysmenubutton").PlacedRect));

    // A right click on the caption asks for it at the pointer, unless the system menu is disabled. (The platform
    // waits for the button's release inside its default processing of the press, so this needs real input.)
    RECT wr{};
    GetWindowRect(h, &wr);
    s.clearLog();
    moveTo(wr.left + 200, wr.top + 12);
    click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(s.frame->SystemMenuAnchor(), (fw::Rect{wr.left + 200, wr.top + 12, wr.left + 200, wr.top + 12}));
    s.frame->DisableSystemMenu = true;
    moveTo(wr.left + 250, wr.top + 12);
    click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(std::count(s.log.begin(), s.log.end(), "system menu"), 1) << join(s.log);

    // A timer the form starts with id 1 reaches the form; the frame's own timers are not seen there.
    s.clearLog();
    SetTimer(h, 1, 10, nullptr);
    pump(80);
    KillTimer(h, 1);
    EXPECT_TRUE(s.logged("form timer 1"));
    const auto otherTimers = std::count_if(s.log.begin(), s.log.end(), [](const std::string& e) {
        return e.rfind("form timer", 0) == 0 && e != "form timer 1";
    });
    EXPECT_EQ(otherTimers, 0) << "a frame timer reached the form: " << join(s.log);
}

TEST(FrameObjects, LogoIsDrawnOnTheClientBackgroundWithoutItsTransparentColour) {
    fw::Application app;
    SkinnedForm s(app);
    fw::Bitmap logo(4, 4, fw::makePixel(250, 0, 0));
    logo.at(0, 3) = fw::makePixel(0, 0, 250);  // the bottom-left pixel names the transparent colour
    s.frame->LogoBitMap = logo;
    auto erased = [&] {
        fw::DibSection dib(20, 20);
        s.form.perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.dc()), 0);
        return std::pair{dib.pixels().at(1, 1) & 0xFFFFFFu, dib.pixels().at(0, 3) & 0xFFFFFFu};
    };
    EXPECT_EQ(erased(), (std::pair{0xFA0000u, 0x0000FAu}));
    s.frame->LogoBitMapTransparent = true;
    const auto [inside, corner] = erased();
    EXPECT_EQ(inside, 0xFA0000u);
    EXPECT_EQ(corner, s.model.FramePicture.at(4, 30) & 0xFFFFFFu) << "the skin's client background shows through";
    s.frame->LogoBitMap = {};
    EXPECT_EQ(erased().first, s.model.FramePicture.at(4 + 1, 27 + 1) & 0xFFFFFFu)
        << "the logo was drawn over a copy: the kept background is the skin's alone";
}

TEST(FrameObjects, InactiveFormsClientAreaIsCoveredUntilItIsActiveAgain) {
    fw::Application app;
    SkinnedForm s(app);
    s.frame->ClientInActiveEffect = true;
    s.showActive();
    HWND h = s.form.handle();
    SendMessageW(h, WM_NCACTIVATE, FALSE, 0);
    ClientInactivePanel* panel = s.frame->InactivePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->boundsRect(), s.form.clientRect());
    // The client background seen half way to white: (300, 200) of the client is (23, 21) of the repeated tile.
    const fw::Pixel bg = s.model.FramePicture.at(4 + 23, 27 + 21);
    const fw::Pixel want = fw::makePixel((fw::pixelR(bg) + 255) / 2, (fw::pixelG(bg) + 255) / 2,
                                         (fw::pixelB(bg) + 255) / 2);
    EXPECT_EQ(panel->Image().at(300, 200) & 0xFFFFFFu, want & 0xFFFFFFu);
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(s.frame->InactivePanel(), nullptr);
}

TEST(FrameObjects, CaptionTextGlowsOrIsMirroredWhenTheSkinAsks) {
    fw::Application app;
    SkinnedForm s(app);
    TkvDataSkinCaption* caption = kvtest::captionDescription(s.model);
    ASSERT_NE(caption, nullptr);
    // Pixels of one colour in the caption strip of the painted frame.
    auto countInCaption = [&](fw::Pixel colour) {
        s.frame->ChangeSkinData();
        fw::DibSection dib(s.form.width(), s.form.height());
        s.form.perform(KV_MSG_FRAME_PAINT_TO, reinterpret_cast<WPARAM>(dib.dc()), 0);
        int n = 0;
        for (int y = 4; y < 27; ++y)
            for (int x = 17; x < 463; ++x) n += (dib.pixels().at(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu);
        return n;
    };
    const fw::Pixel green = fw::makePixel(0, 200, 0), blue = fw::makePixel(0, 0, 200);
    EXPECT_EQ(countInCaption(green), 0);
    caption->GlowEffect = caption->GlowInactiveEffect = true;
    caption->GlowColor = caption->GlowActiveColor = fw::pixelToColor(green);
    EXPECT_GT(countInCaption(green), 100);
    caption->GlowEffect = false;
    caption->ReflectionEffect = true;
    caption->ReflectionOffset = -14;  // pulled up into the caption strip
    caption->ReflactionColor = caption->ReflactionActiveColor = fw::pixelToColor(blue);
    EXPECT_EQ(countInCaption(green), 0);
    EXPECT_GT(countInCaption(blue), 40);
}

TEST(FrameObjects, HotLookBlendsInOnTheSharedTimerAndTheTimerStopsWhenDone) {
    fw::Application app;
    SkinnedForm s(app);
    for (const auto& d : s.model.ObjectDescriptions())
        if (d->IDName == "closebutton") d->Morphing = true;
    s.frame->ChangeSkinData();
    s.showActive();
    TkvActiveSkinObject& close = s.object("closebutton");
    ASSERT_TRUE(close.CanBlend());
    const POINT c = s.centre("closebutton");
    moveTo(c.x, c.y);
    ASSERT_TRUE(close.Highlighted);
    EXPECT_GT(close.MorphLevel, 0.0) << "blending in";
    pump(300);
    EXPECT_EQ(close.MorphLevel, 1.0);
    // The tick that found nothing to do stopped the timer; one more tick by hand changes nothing.
    s.form.perform(WM_TIMER, s.frame->TimerId(FrameTimer::Blend), 0);
    EXPECT_EQ(close.MorphLevel, 1.0);
    moveTo(c.x, 700);
    pump(300);
    EXPECT_EQ(close.MorphLevel, 0.0) << "blended out again after leaving";
    EXPECT_FALSE(KillTimer(s.form.handle(), s.frame->TimerId(FrameTimer::Blend)));
}

TEST(FrameObjects, CaptionButtonHintsShowInTheSkinnedHintWindowWhenSwitchedOn) {
    fw::Application app;
    app.hints().setPause(60);
    SkinnedForm s(app);
    TkvSkinHint& hint = s.form.create<TkvSkinHint>();
    hint.SetSkinData(&s.model);
    EXPECT_EQ(&app.hints().window(), &hint.Window()) << "the controls' hints show in it too";
    s.frame->SetSkinHint(&hint);
    s.showActive();
    const POINT roll = s.centre("rollupbutton");
    moveTo(roll.x, roll.y);
    pump(200);
    EXPECT_FALSE(app.hints().showing()) << "ShowObjectHint is off";

    s.frame->ShowObjectHint = true;
    moveTo(roll.x, 700);
    moveTo(roll.x, roll.y);
    pump(200);
    ASSERT_TRUE(app.hints().showing());
    EXPECT_EQ(app.hints().text(), L"Roll Up");
    auto& window = dynamic_cast<TkvSkinHintWindow&>(hint.Window());
    ASSERT_TRUE(IsWindowVisible(window.handle()));
    // Drawn from [HINTWINDOW]: the picture's corners unchanged, the text in its colour, the window shaped by
    // the mask.
    const fw::Bitmap& picture = s.model.ActivePictures[1];
    EXPECT_GE(window.height(), picture.height());
    fw::DibSection dib(window.width(), window.height());
    window.paintTo(dib.dc());
    EXPECT_EQ(dib.pixels().at(2, 1) & 0xFFFFFFu, picture.at(2, 1) & 0xFFFFFFu);
    const fw::Pixel text = fw::colorToPixel(s.model.HintWindow().FontColor);
    int textPixels = 0;
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x)
            textPixels += (dib.pixels().at(x, y) & 0xFFFFFFu) == (text & 0xFFFFFFu);
    EXPECT_GT(textPixels, 10);
    RECT box{};
    EXPECT_NE(GetWindowRgnBox(window.handle(), &box), ERROR);

    // A press hides it; rolled up, the same button's hint is "Restore"; leaving the window hides it.
    button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_FALSE(window.hintShowing());
    button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(s.frame->RolledUp);
    moveTo(roll.x, 700);
    moveTo(roll.x, roll.y);
    pump(200);
    EXPECT_EQ(app.hints().text(), L"Restore");
    EXPECT_TRUE(window.hintShowing());
    moveTo(roll.x, 700);
    EXPECT_FALSE(window.hintShowing());

    s.form.destroyComponent(&hint);
    EXPECT_EQ(s.frame->SkinHint(), nullptr);
    EXPECT_NE(dynamic_cast<fw::PlainHintWindow*>(&app.hints().window()), nullptr);
}

TEST(FrameObjects, CaptionBlendsBetweenItsNormalAndActiveImages) {
    fw::Application app;
    SkinnedForm s(app);
    TkvDataSkinCaption* caption = kvtest::captionDescription(s.model);
    ASSERT_NE(caption, nullptr);
    caption->ActivePictureIndex = 1;  // any picture that differs from the frame's caption strip
    caption->ActiveSkinRect = {0, 0, 28, 21};
    caption->Morphing = true;
    s.frame->ChangeSkinData();
    s.showActive();
    pump(300);
    auto& cap = static_cast<TkvSkinCaptionObject&>(s.object("caption"));
    ASSERT_TRUE(cap.Active);
    ASSERT_EQ(cap.MorphLevel, 1.0);
    // The caption right of its text, painted while the frame is active (no inactive effect over it).
    auto strip = [&] {
        fw::DibSection dib(s.form.width(), s.form.height());
        s.form.perform(KV_MSG_FRAME_PAINT_TO, reinterpret_cast<WPARAM>(dib.dc()), 0);
        std::vector<fw::Pixel> v;
        for (int y = cap.PlacedRect.top + 1; y < cap.PlacedRect.bottom - 1; ++y)
            for (int x = cap.PlacedRect.left + 300; x < cap.PlacedRect.right; ++x) v.push_back(dib.pixels().at(x, y));
        return v;
    };
    const std::vector<fw::Pixel> active = strip();
    cap.MorphLevel = 0;
    const std::vector<fw::Pixel> normal = strip();
    cap.MorphLevel = 0.4;
    const std::vector<fw::Pixel> between = strip();
    cap.MorphLevel = 1;
    // Another window takes the activation: the caption blends to its normal look on the timer.
    fw::Form& other = app.create<fw::Form>();
    other.setBounds(700, 500, 100, 100);
    other.show();
    SetForegroundWindow(other.handle());
    const DWORD start = GetTickCount();
    while (cap.MorphLevel > 0 && GetTickCount() - start < 3000) pump(10);
    EXPECT_FALSE(cap.Active);
    EXPECT_EQ(cap.MorphLevel, 0.0);
    // In the colour channel where the two looks differ most, the look between lies between them.
    int inBetween = 0, differ = 0;
    for (std::size_t i = 0; i < active.size(); ++i) {
        int a = 0, b = 0, n = 0;
        for (int shift : {0, 8, 16}) {
            const int ca = (active[i] >> shift) & 0xFF, cn = (normal[i] >> shift) & 0xFF;
            if (std::abs(ca - cn) > std::abs(a - n)) a = ca, n = cn, b = (between[i] >> shift) & 0xFF;
        }
        if (std::abs(a - n) < 30) continue;
        ++differ;
        inBetween += std::min(a, n) < b && b < std::max(a, n);
    }
    ASSERT_GT(differ, 20);
    EXPECT_GT(inBetween, differ * 9 / 10) << "the look between is a blend of both";
}

TEST(FrameObjects, AMaximisedFormIsRestoredForASkinSwitchAndMaximisedAgainAfterIt) {
    fw::Application app;
    SkinnedForm s(app);
    s.showActive();
    s.frame->OnRestore = [&](fw::Component*) { s.log.push_back("restore"); };
    s.frame->OnMaximize = [&](fw::Component*) { s.log.push_back("maximize"); };
    s.frame->SetFrameWindowState(TkvFrameWindowState::Maximized);
    const fw::Rect maximised = s.form.boundsRect();
    s.clearLog();
    // Skinning off: the skinned maximise is undone, and the platform maximises the form with its own border.
    s.model.SetSkinnableForm(false);
    pump();
    EXPECT_EQ(join(s.log), "restore; ");
    EXPECT_FALSE(s.frame->SkinningOn);
    EXPECT_TRUE(IsZoomed(s.form.handle()));
    // Skinning on again: the platform's maximise is undone, the frame maximises to the same bounds as before and
    // remembers the place from before it all.
    s.clearLog();
    s.model.SetSkinnableForm(true);
    pump();
    EXPECT_FALSE(IsZoomed(s.form.handle()));
    EXPECT_EQ(s.frame->FrameWindowState, TkvFrameWindowState::Maximized);
    EXPECT_EQ(join(s.log), "maximize; ");
    EXPECT_EQ(s.form.boundsRect(), maximised);
    EXPECT_EQ(s.frame->RestoreBounds.topLeft(), (fw::Point{100, 100}));
}

TEST(FrameObjects, ACaptionButtonsGlowShowsInTheFramesGlowWindowWhileItIsHot) {
    fw::Application app;
    SkinnedForm s(app);
    // This skin has no glow pictures: the close button borrows one.
    for (const auto& d : s.model.ObjectDescriptions())
        if (d->IDName == "closebutton") {
            d->GlowLayerPictureIndex = 1;
            d->GlowLayerOffsetX = 3;
            d->GlowLayerOffsetY = 4;
            d->GlowLayerAlphaBlendValue = 200;
        }
    s.frame->ChangeSkinData();
    s.showActive();
    const POINT close = s.centre("closebutton");
    moveTo(close.x, close.y);
    HWND glow = s.frame->GlowLayer(false).Window();
    ASSERT_NE(glow, nullptr);
    EXPECT_TRUE(IsWindowVisible(glow));
    RECT r{};
    GetWindowRect(glow, &r);
    const fw::Rect placed = s.frame->FrameToScreen(s.object("closebutton").PlacedRect);
    EXPECT_EQ(fw::fromRECT(r), (fw::Rect{placed.left - 3, placed.top - 4, placed.left + 25, placed.top + 17}));
    pump(400);
    EXPECT_EQ(s.frame->GlowLayer(false).Opacity(), 200) << "faded in";
    EXPECT_EQ(s.frame->GlowLayer(true).Window(), nullptr) << "the system-menu button's window stays empty";
    moveTo(close.x, 700);
    EXPECT_EQ(s.frame->GlowLayer(false).Window(), nullptr);

    // Switched off in the skin data: no glow.
    s.model.ShowCaptionButtonGlowFrames = false;
    moveTo(close.x, close.y);
    EXPECT_EQ(s.frame->GlowLayer(false).Window(), nullptr);
}

}  // namespace
