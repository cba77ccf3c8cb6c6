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

struct HintForm {
    Application app;
    Form form;
    Panel* panel;
    Label *a, *b, *c;
    HWND h = nullptr;

    HintForm() {
        app.hints().setPause(60);
        app.hints().setHidePause(600);
        form.setBounds(50, 50, 300, 200);
        panel = &form.create<Panel>();
        panel->setBounds(0, 0, 300, 200);
        panel->setParent(&form);
        panel->SetHint(L"Panel");
        panel->SetShowHint(true);
        a = &label(10, L"Alpha", true);
        b = &label(60, L"", true);         // no hint of its own: the panel's
        c = &label(110, L"Gamma", false);  // a hint that is not shown
        form.show();
        h = panel->handle();
    }
    Label& label(int x, const wchar_t* hint, bool show) {
        Label& l = form.create<Label>();
        l.setBounds(x, 10, 40, 20);
        l.setParent(panel);
        l.SetHint(hint);
        l.SetShowHint(show);
        return l;
    }
    void post(UINT msg, int x, int y, WPARAM keys = 0) { PostMessageW(h, msg, keys, MAKELPARAM(x, y)); }
    HintPump& hints() { return app.hints(); }
    bool shows(const std::wstring& text) {
        return hints().showing() && hints().text() == text && hints().window().hintShowing();
    }
};
}  // namespace

TEST(Hints, ShowAfterThePauseAndComeFromTheNearestControlWithAHint) {
    HintForm f;
    f.post(WM_MOUSEMOVE, 15, 15);
    processMessages();
    EXPECT_TRUE(f.hints().waiting());  // not before the pause
    EXPECT_FALSE(f.hints().window().hintShowing());
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    auto& plain = dynamic_cast<PlainHintWindow&>(f.hints().window());
    EXPECT_GT(plain.width(), 20);
    EXPECT_TRUE(IsWindowVisible(plain.handle()));

    f.post(WM_MOUSEMOVE, 65, 15);  // b has none: the panel's
    EXPECT_TRUE(pumpUntil([&] { return f.shows(L"Panel"); }));
    f.post(WM_MOUSEMOVE, 115, 15);  // c's own hint is switched off, and hides its parent's
    EXPECT_TRUE(pumpUntil([&] { return !f.hints().showing() && !f.hints().waiting(); }));
    Sleep(150);
    processMessages();
    EXPECT_FALSE(f.hints().window().hintShowing());

    // It goes by itself after the hide pause, and does not come back while the pointer stays.
    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    EXPECT_TRUE(pumpUntil([&] { return !f.hints().window().hintShowing(); }));
    f.post(WM_MOUSEMOVE, 16, 15);
    Sleep(150);
    processMessages();
    EXPECT_FALSE(f.hints().showing());
}

TEST(Hints, APressAKeyLeavingOrTheControlGoingHideTheHint) {
    HintForm f;
    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    f.post(WM_LBUTTONDOWN, 15, 15, MK_LBUTTON);
    f.post(WM_LBUTTONUP, 15, 15);
    EXPECT_TRUE(pumpUntil([&] { return !f.hints().window().hintShowing(); }));
    f.post(WM_MOUSEMOVE, 17, 15);  // still over the pressed control: no hint again
    Sleep(150);
    processMessages();
    EXPECT_FALSE(f.hints().showing());

    f.post(WM_MOUSEMOVE, 65, 15);  // elsewhere and back: it shows again
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Panel"); }));
    PostMessageW(f.h, WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_TRUE(pumpUntil([&] { return !f.hints().window().hintShowing(); }));

    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    PostMessageW(f.h, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(pumpUntil([&] { return !f.hints().window().hintShowing(); }));

    f.post(WM_MOUSEMOVE, 15, 15);
    ASSERT_TRUE(pumpUntil([&] { return f.shows(L"Alpha"); }));
    f.form.destroyComponent(f.a);
    EXPECT_FALSE(f.hints().window().hintShowing());
    EXPECT_EQ(f.hints().source(), nullptr);
}
