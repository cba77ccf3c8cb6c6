// Controls and forms on real windows: tab order, alignment, modal results, the replaceable window procedure.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/StdControls.h"

using namespace fw;

namespace {

void pump() {
    for (int i = 0; i < 3; ++i) {
        processMessages();
        Sleep(1);
    }
}

// Posts a key press to the focused window, as the keyboard would.
void pressKey(WPARAM vk, bool shift = false) {
    HWND target = GetFocus();
    ASSERT_NE(target, nullptr);
    BYTE state[256] = {};
    GetKeyboardState(state);
    if (shift) {
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
    }
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    pump();
    if (shift) {
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
}

// Shows the form and waits (up to 3 s) until the platform made it the active window, so that later focus
// changes are not undone by a late activation.
void showActive(Form& form) {
    form.show();
    DWORD start = GetTickCount();
    while (!form.active() && GetTickCount() - start < 3000) {
        processMessages();
        Sleep(5);
    }
    pump();
}

std::string focusedName() {
    WindowedControl* c = WindowedControl::fromHandle(GetFocus());
    return c ? c->name() : std::string("<none>");
}

struct TabForm {
    Form form;
    Edit* file;
    Edit* password;
    Button* compact;
    Button* quit;
    Panel* panel;

    TabForm() {
        form.setBounds(100, 100, 400, 300);
        panel = &form.create<Panel>();
        panel->setName("panel");
        panel->setParent(&form);
        // Created in an order different from the tab order on purpose.
        quit = &make<Button>("quit", 200, 200);
        compact = &make<Button>("compact", 72, 200);
        password = &make<Edit>("password", 72, 160);
        file = &make<Edit>("file", 72, 104);
        file->setTabOrder(1);
        password->setTabOrder(2);
        compact->setTabOrder(3);
        quit->setTabOrder(4);
    }
    template <class T>
    T& make(const char* name, int x, int y) {
        T& c = form.create<T>();
        c.setName(name);
        c.setBounds(x, y, 100, 21);
        c.setParent(&form);
        return c;
    }
};

}  // namespace

TEST(Controls, TabAndShiftTabFollowTabOrderAndSkipDisabledAndHidden) {
    TabForm t;
    showActive(t.form);
    t.file->setFocus();
    pump();
    ASSERT_EQ(focusedName(), "file");
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        pressKey(VK_TAB);
        seen.push_back(focusedName());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"password", "compact", "quit", "file"}));

    pressKey(VK_TAB, true);
    EXPECT_EQ(focusedName(), "quit");

    t.password->setEnabled(false);
    t.compact->setVisible(false);
    t.file->setFocus();
    pump();
    pressKey(VK_TAB);
    EXPECT_EQ(focusedName(), "quit");
    EXPECT_EQ(t.form.activeControl(), t.quit);
}

TEST(Controls, EnterAndExitEventsFollowTheFocus) {
    TabForm t;
    std::vector<std::string> log;
    for (WindowedControl* c : std::vector<WindowedControl*>{t.file, t.password}) {
        c->onEnter = [&log](Component* s) { log.push_back("enter " + s->name()); };
        c->onExit = [&log](Component* s) { log.push_back("exit " + s->name()); };
    }
    showActive(t.form);
    t.file->setFocus();
    pump();
    log.clear();
    pressKey(VK_TAB);
    EXPECT_EQ(log, (std::vector<std::string>{"exit file", "enter password"}));
    t.quit->setFocus();
    pump();
    EXPECT_EQ(log, (std::vector<std::string>{"exit file", "enter password", "exit password"}));
}

TEST(Controls, AlignedChildrenFillTheClientAreaAfterAResize) {
    Form form;
    form.setBorderStyle(BorderStyle::Sizeable);
    form.setBounds(50, 50, 300, 200);
    auto add = [&](Align a, int w, int h) -> Panel& {
        Panel& p = form.create<Panel>();
        p.setBounds(0, 0, w, h);
        p.setAlign(a);
        p.setParent(&form);
        return p;
    };
    Panel& top = add(Align::Top, 10, 30);
    Panel& bottom = add(Align::Bottom, 10, 20);
    Panel& left = add(Align::Left, 40, 10);
    Panel& client = add(Align::Client, 10, 10);
    form.show();
    form.setClientWidth(500);
    form.setClientHeight(400);
    pump();
    ASSERT_EQ(form.clientWidth(), 500);
    ASSERT_EQ(form.clientHeight(), 400);
    EXPECT_EQ(top.boundsRect(), (Rect{0, 0, 500, 30}));
    EXPECT_EQ(bottom.boundsRect(), (Rect{0, 380, 500, 400}));
    EXPECT_EQ(left.boundsRect(), (Rect{0, 30, 40, 380}));
    EXPECT_EQ(client.boundsRect(), (Rect{40, 30, 500, 380}));
    // The platform windows agree with the objects.
    RECT r{};
    GetWindowRect(client.handle(), &r);
    MapWindowPoints(nullptr, form.handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(fromRECT(r), client.boundsRect());

    // Hiding a top panel gives its room to the others.
    top.setVisible(false);
    EXPECT_EQ(left.boundsRect(), (Rect{0, 0, 40, 380}));
    EXPECT_EQ(client.boundsRect(), (Rect{40, 0, 500, 380}));
}

namespace {
// A dialog with OK (default) and Cancel (cancel) buttons and an edit to type into.
struct Dialog {
    Form form;
    Edit* edit;
    Button* ok;
    Button* cancel;
    Dialog() {
        form.setBorderStyle(BorderStyle::Dialog);
        form.setBounds(120, 120, 300, 150);
        edit = &form.create<Edit>();
        edit->setName("edit");
        edit->setParent(&form);
        ok = &form.create<Button>();
        ok->setName("ok");
        ok->setModalResult(mrOk);
        ok->setDefault(true);
        ok->setBounds(10, 60, 75, 25);
        ok->setParent(&form);
        cancel = &form.create<Button>();
        cancel->setName("cancel");
        cancel->setModalResult(mrCancel);
        cancel->setCancel(true);
        cancel->setBounds(100, 60, 75, 25);
        cancel->setParent(&form);
    }
};

// Runs action once the modal loop is running (a zero-delay timer fires from inside it).
std::function<void()>& pendingAction() {
    static std::function<void()> pending;
    return pending;
}
void CALLBACK runPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto a = std::move(pendingAction());
    if (a) a();
}
void whenModal(std::function<void()> action) {
    pendingAction() = std::move(action);
    SetTimer(nullptr, 0, 1, runPending);
}
}  // namespace

TEST(Controls, ModalResultComesFromTheButtonThatClosedTheForm) {
    Dialog d;
    whenModal([&] { SendMessageW(d.cancel->handle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(d.form.showModal(), mrCancel);
    EXPECT_FALSE(d.form.visible());

    whenModal([&] { SendMessageW(d.ok->handle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(d.form.showModal(), mrOk);
}

TEST(Controls, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    Dialog d;
    whenModal([&] {
        d.edit->setFocus();
        pressKey(VK_RETURN);
    });
    EXPECT_EQ(d.form.showModal(), mrOk);

    whenModal([&] {
        d.edit->setFocus();
        pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(d.form.showModal(), mrCancel);

    // Enter on a focused non-default button presses that button.
    whenModal([&] {
        d.cancel->setFocus();
        pressKey(VK_RETURN);
    });
    EXPECT_EQ(d.form.showModal(), mrCancel);
}

TEST(Controls, CloseQueryCanRefuseToEndTheModalLoop) {
    Dialog d;
    int asked = 0;
    d.form.onCloseQuery = [&](Component*, bool& can) { can = ++asked > 1; };
    whenModal([&] {
        SendMessageW(d.form.handle(), WM_CLOSE, 0, 0);  // refused when the loop asks
        whenModal([&] {
            EXPECT_TRUE(d.form.visible());
            SendMessageW(d.ok->handle(), BM_CLICK, 0, 0);  // accepted
        });
    });
    EXPECT_EQ(d.form.showModal(), mrOk);
    EXPECT_EQ(asked, 2);
}

namespace {
// A windowless control that logs what reaches it.
struct Probe : Control {
    using Control::Control;
    std::vector<std::string>* log = nullptr;
    void wndProc(Message& m) override {
        const char* what = m.msg == WM_LBUTTONDOWN  ? "down"
                           : m.msg == WM_LBUTTONUP  ? "up"
                           : m.msg == CM_MOUSEENTER ? "enter"
                           : m.msg == CM_MOUSELEAVE ? "leave"
                                                    : nullptr;
        if (what && log) {
            std::string entry = name() + " " + what;
            if (m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONUP)
                entry += " " + std::to_string(GET_X_LPARAM(m.lParam)) + "," + std::to_string(GET_Y_LPARAM(m.lParam));
            log->push_back(entry);
        }
        Control::wndProc(m);
    }
};
}  // namespace

TEST(Controls, MouseMessagesReachWindowlessChildrenInTheirOwnCoordinates) {
    std::vector<std::string> log;
    Form form;
    form.setBounds(0, 0, 300, 200);
    Panel& panel = form.create<Panel>();
    panel.setBounds(0, 0, 200, 100);
    panel.setParent(&form);
    auto probe = [&](const char* name, int x, int y) -> Probe& {
        Probe& p = form.create<Probe>();
        p.setName(name);
        p.log = &log;
        p.setBounds(x, y, 50, 50);
        p.setParent(&panel);
        p.onClick = [&log](Component* s) { log.push_back(s->name() + " click"); };
        return p;
    };
    probe("a", 10, 10);
    Probe& b = probe("b", 40, 40);  // overlaps a; added later, so it is on top
    b.setCursor(crHandPoint);
    HWND h = panel.handle();
    auto send = [&](UINT msg, int x, int y, WPARAM keys = 0) { SendMessageW(h, msg, keys, MAKELPARAM(x, y)); };
    send(WM_MOUSEMOVE, 15, 15);
    send(WM_MOUSEMOVE, 45, 45);  // over both: the top one
    send(WM_LBUTTONDOWN, 45, 45, MK_LBUTTON);
    send(WM_MOUSEMOVE, 20, 20, MK_LBUTTON);  // captured: stays with b
    send(WM_LBUTTONUP, 20, 20);              // released outside b: no click
    send(WM_MOUSEMOVE, 150, 90);             // over the panel only
    send(WM_MOUSEMOVE, 12, 12);
    send(WM_LBUTTONDOWN, 12, 12, MK_LBUTTON);
    send(WM_LBUTTONUP, 13, 12);  // a click on a
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "b enter", "b down 5,5", "b up -20,-20", "b leave",
                                             "a enter", "a down 2,2", "a up 3,2", "a click"}));
    // The cursor over b is b's own.
    send(WM_MOUSEMOVE, 45, 45);
    SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), cursorHandle(crHandPoint));
    ReleaseCapture();
}

TEST(Controls, RecreatingAWindowKeepsTextChildrenAndTheReplacedProcedure) {
    Form form;
    form.setBounds(0, 0, 300, 200);
    Edit& edit = form.create<Edit>();
    edit.setParent(&form);
    edit.setBounds(5, 5, 100, 21);
    HWND oldForm = form.handle();
    SetWindowTextW(edit.handle(), L"typed 文字");  // typed into the platform window, not through setText
    int seen = 0;
    auto saved = form.windowProc;
    form.windowProc = [&](Message& m) {
        if (m.msg == WM_USER + 7) ++seen;
        saved(m);
    };
    form.setBorderStyle(BorderStyle::Dialog);
    form.recreateWindow();
    EXPECT_NE(form.handle(), oldForm);
    EXPECT_FALSE(IsWindow(oldForm));
    EXPECT_EQ(GetParent(edit.handle()), form.handle());
    EXPECT_EQ(edit.text(), L"typed 文字");
    SendMessageW(form.handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(GetWindowLongW(form.handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME);
    form.windowProc = saved;
}

TEST(Controls, FontAndColourFollowTheParentUntilSetOwnValues) {
    Form form;
    Panel& panel = form.create<Panel>();
    panel.setParent(&form);
    Label& inherits = form.create<Label>();
    inherits.setParent(&panel);
    Label& own = form.create<Label>();
    own.setParent(&panel);
    own.font().setName(L"Own");
    form.font().setName(L"宋体");
    form.font().setHeight(-12);
    EXPECT_EQ(panel.font().name(), L"宋体");
    EXPECT_EQ(inherits.font().name(), L"宋体");
    EXPECT_EQ(inherits.font().height(), -12);
    EXPECT_EQ(own.font().name(), L"Own");
    EXPECT_FALSE(own.parentFont());
    own.setParentFont(true);
    EXPECT_EQ(own.font().name(), L"宋体");
    // Labels take their parent's colour; a colour of their own ends that.
    panel.setColor(clWindow);
    EXPECT_EQ(inherits.color(), clWindow);
    inherits.setColor(clRed);
    panel.setColor(clBtnFace);
    EXPECT_EQ(inherits.color(), clRed);
}

TEST(Controls, AutoSizedLabelFitsItsTextAndFormsCentreOnFirstShow) {
    Form form;
    form.setPosition(FormPosition::ScreenCenter);
    form.setBounds(0, 0, 200, 100);
    Label& label = form.create<Label>();
    label.setParent(&form);
    label.setAutoSize(true);
    label.setCaption(L"short");
    int shortWidth = label.width();
    label.setCaption(L"a much longer caption");
    EXPECT_GT(label.width(), shortWidth);
    EXPECT_GT(label.height(), 0);
    form.show();
    EXPECT_EQ(form.left(), (GetSystemMetrics(SM_CXSCREEN) - 200) / 2);
    EXPECT_EQ(form.top(), (GetSystemMetrics(SM_CYSCREEN) - 100) / 2);
    RECT r{};
    GetWindowRect(form.handle(), &r);
    EXPECT_EQ(r.left, form.left());
}

TEST(Controls, ShortCutsAndKeyPreviewSeeKeysBeforeTheFocusedControl) {
    TabForm t;
    std::vector<std::string> log;
    t.form.onShortCut = [&](Component*, WPARAM key, ShiftState, bool& handled) {
        log.push_back("shortcut " + std::to_string(key));
        handled = key == VK_F2;
    };
    t.form.setKeyPreview(true);
    t.form.onKeyDown = [&](Component*, WPARAM& key, ShiftState) {
        log.push_back("preview " + std::to_string(key));
        if (key == VK_F3) key = 0;
    };
    t.file->onKeyDown = [&](Component*, WPARAM& key, ShiftState) { log.push_back("edit " + std::to_string(key)); };
    showActive(t.form);
    t.file->setFocus();
    pump();
    pressKey(VK_F2);  // taken by the shortcut handler
    pressKey(VK_F3);  // swallowed by the preview
    pressKey(VK_F4);  // reaches the edit
    EXPECT_EQ(log, (std::vector<std::string>{"shortcut 113", "shortcut 114", "preview 114", "shortcut 115",
                                             "preview 115", "edit 115"}));
}

TEST(Application, ListsEveryFormAndRunEndsWhenTheMainFormCloses) {
    Application app;
    app.setTitle(L"KovraAccess数据库压缩器 V1.0");
    Form& main = app.createForm<Form>();
    main.setBounds(0, 0, 200, 100);
    Form& second = app.createForm<Form>();
    Form unowned;
    EXPECT_EQ(app.mainForm(), &main);
    EXPECT_EQ(app.forms(), (std::vector<Form*>{&main, &second, &unowned}));
    int shown = 0;
    main.onShow = [&](Component*) {
        ++shown;
        PostMessageW(main.handle(), WM_CLOSE, 0, 0);
    };
    app.run();  // returns only because closing the main form ends the loop
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(app.terminated());
    EXPECT_FALSE(main.visible());
    app.destroyComponent(&second);
    EXPECT_EQ(app.forms(), (std::vector<Form*>{&main, &unowned}));
}
