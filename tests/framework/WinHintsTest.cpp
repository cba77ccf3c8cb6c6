// Hints through real messages: the pause, the look-up through parents, and everything that hides a hint.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Hints.h"
#include "framework/StdControls.h"

using namespace fw;

namespace {
// Pumps until done() holds or ms have passed; the result of done() at the end.
template <class F>
bool pumpUntil(F done, int ms = 2000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < static_cast<DWORD>(ms)) {
        processMessages();
        Sleep(5);
    }
    return done();
}

// A panel with the hint "Panel" holding a (hint "Alpha"), b (no hint of its own) and c (hint "Gamma", not shown).
struct HintForm {
    Application app;
    Form form;
    Panel* panel;
    Label* a;
    HWND h = nullptr;

    HintForm() {
        app.hints().setPause(60);
        app.hints().setHidePause(600);
        form.setBounds(50, 50, 300, 200);
        panel = &form.create<Panel>();
        panel->setBounds(0, 0, 300, 200);
        panel->setParent(&form);
        panel->setHint(L"Panel");
        panel->setShowHint(true);
        a = &label(10, L"Alpha", true);
        label(60, L"", true);
        label(110, L"Gamma", false);
        form.show();
        h = panel->handle();
    }
    Label& label(int x, const wchar_t* hint, bool show) {
        Label& l = form.create<Label>();
        l.setBounds(x, 10, 40, 20);
        l.setParent(panel);
        l.setHint(hint);
        l.setShowHint(show);
        return l;
    }
    void post(UINT msg, int x, int y, WPARAM keys = 0) { PostMessageW(h, msg, keys, MAKELPARAM(x, y)); }
    bool shows(const std::wstring& text) {
        return app.hints().showing() && app.hints().text() == text && app.hints().window().hintShowing();
    }
    bool hidden() { return !app.hints().window().hintShowing(); }
    // Waits a while and tells whether no hint came.
    bool staysHidden() {
        pumpUntil([] { return false; }, 150);
        return !app.hints().showing();
    }
};
}  // namespace

TEST(Hints, ShowAfterThePauseAndComeFromTheNearestControlWithAHint) {
    HintForm f;
    f.post(WM_MOUSEMOVE, 15, 15);
    processMessages();
    EXPECT_TRUE(f.app.hints().waiting() && f.hidden()) << "not before the pause";
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    EXPECT_TRUE(IsWindowVisible(dynamic_cast<PlainHintWindow&>(f.app.hints().window()).handle()));
    f.post(WM_MOUSEMOVE, 65, 15);  // b: the panel's
    EXPECT_TRUE(pumpUntil([&] { return f.shows(L"Panel"); }));
    f.post(WM_MOUSEMOVE, 115, 15);  // c: its own hint is off, and hides its parent's
    EXPECT_TRUE(f.staysHidden() && f.hidden());

    // It goes by itself after the hide pause, and does not come back while the pointer stays.
    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    EXPECT_TRUE(pumpUntil([&] { return f.hidden(); }));
    f.post(WM_MOUSEMOVE, 16, 15);
    EXPECT_TRUE(f.staysHidden());
}

TEST(Hints, APressAKeyLeavingOrTheControlGoingHideTheHint) {
    HintForm f;
    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    f.post(WM_LBUTTONDOWN, 15, 15, MK_LBUTTON);
    f.post(WM_LBUTTONUP, 15, 15);
    EXPECT_TRUE(pumpUntil([&] { return f.hidden(); }));
    f.post(WM_MOUSEMOVE, 17, 15);  // still over the pressed control: no hint again
    EXPECT_TRUE(f.staysHidden());

    f.post(WM_MOUSEMOVE, 65, 15);  // elsewhere: hints again
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Panel"); }));
    PostMessageW(f.h, WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_TRUE(pumpUntil([&] { return f.hidden(); }));

    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    PostMessageW(f.h, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(pumpUntil([&] { return f.hidden(); }));

    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    f.form.destroyComponent(f.a);
    EXPECT_TRUE(f.hidden());
    EXPECT_EQ(f.app.hints().source(), nullptr);
}
