// The skin button under Wine, driven by the messages a user's pointer and keyboard send: clicks on release and
// on press, auto-repeat, the disabled look, the default button's role and the look with skin effects off.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "RealPointer.h"
#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "framework/StdControls.h"
#include "skin/controls/kvSkinButton.h"

namespace {

class SkinButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::LoadEmbeddedSkin(stored, model);
        form.setBounds(100, 100, 300, 200);
    }
    TkvSkinButton& button(int x = 10, int w = 80) {
        auto& b = form.create<TkvSkinButton>();
        b.setParent(&form);
        b.setBounds(x, 10, w, 22);
        b.setCaption(L"Go");
        b.SetSkinData(&model);
        b.onClick = [this](fw::Component* s) { clicks.push_back({s, GetTickCount()}); };
        b.handle();
        return b;
    }
    static LPARAM at(int x, int y) { return MAKELPARAM(x, y); }
    // The button's own paint, read back as pixels.
    static fw::Bitmap painted(TkvSkinButton& b) {
        fw::DibSection target(b.width(), b.height());
        b.perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.dc()), 0);
        fw::Bitmap out(b.width(), b.height());
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) out.at(x, y) = target.pixels().at(x, y) | 0xFF000000u;
        return out;
    }
    static bool hasColour(const fw::Bitmap& img, fw::Color c) {
        const fw::Pixel p = fw::colorToPixel(c) | 0xFF000000u;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.at(x, y) == p) return true;
        return false;
    }
    void pump(DWORD ms) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            fw::processMessages();
            Sleep(5);
        }
    }

    struct Click {
        fw::Component* sender;
        DWORD when;
    };
    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();
    std::vector<Click> clicks;
};

TEST_F(SkinButtonTest, LeavingWhileHeldCancelsTheClickAndComingBackRestoresIt) {
    TkvSkinButton& b = button();
    b.perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_TRUE(b.Down());
    b.perform(WM_MOUSEMOVE, MK_LBUTTON, at(200, 5));
    EXPECT_FALSE(b.MouseInside());
    b.perform(WM_LBUTTONUP, 0, at(200, 5));
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(b.Down());

    b.perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    b.perform(WM_MOUSEMOVE, MK_LBUTTON, at(200, 5));
    b.perform(WM_MOUSEMOVE, MK_LBUTTON, at(6, 6));
    const fw::Bitmap back = painted(b);
    const fw::Rect down = b.Look().SrcDownRect;
    EXPECT_EQ(back.at(1, 1), b.SkinPicture->at(down.left + 1, down.top + 1) | 0xFF000000u)
        << "back inside: the pressed image";
    b.perform(WM_LBUTTONUP, 0, at(6, 6));
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SkinButtonTest, GroupedButtonsClickOnPressAndReleaseOnlyWithAllowAllUp) {
    TkvSkinButton& a = button(10);
    TkvSkinButton& b = button(100);
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    EXPECT_FALSE(a.CanFocused());
    a.perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(clicks.size(), 1u) << "a grouped button clicks on the press";
    a.perform(WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_TRUE(a.Down());
    b.perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    b.perform(WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down()) << "one button of a group is down";
    b.perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    b.perform(WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_TRUE(b.Down()) << "without AllowAllUp a down button stays down";
    b.AllowAllUp = true;
    b.perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    b.perform(WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(SkinButtonTest, AutoRepeatWaitsHalfASecondThenClicksEveryIntervalAndOnceOnRelease) {
    TkvSkinButton& b = button();
    b.RepeatMode = true;
    b.RepeatInterval = 100;
    const DWORD start = GetTickCount();
    b.perform(WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    pump(1050);
    ASSERT_GE(clicks.size(), 3u) << "repeat clicks while held";
    EXPECT_LE(clicks.size(), 5u);
    EXPECT_GE(clicks.front().when - start, 580u) << "nothing before the delay and the first interval";
    const std::size_t held = clicks.size();
    b.perform(WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(clicks.size(), held + 1) << "one more click on release inside";
    pump(250);
    EXPECT_EQ(clicks.size(), held + 1) << "released: the repeat has stopped";
}

TEST_F(SkinButtonTest, DisabledWithoutADisabledImageDrawsTheNormalImageInTheDisabledColour) {
    TkvSkinButton& b = button();
    auto* d = model.ControlAs<TkvDataSkinButtonControl>(b.DescriptionIndex);
    ASSERT_NE(d, nullptr);
    d->DisabledSkinRect = {};
    d->DisabledFontColor = d->FontColor;
    b.setEnabled(false);
    const fw::Bitmap img = painted(b);
    const fw::Rect normal = b.SrcSkinRect;
    EXPECT_EQ(img.at(1, 1), b.SkinPicture->at(normal.left + 1, normal.top + 1) | 0xFF000000u);
    EXPECT_TRUE(hasColour(img, 0x808080)) << "a disabled colour equal to the normal one draws gray";
    EXPECT_FALSE(hasColour(img, d->FontColor));
}

TEST_F(SkinButtonTest, ADisabledButtonTakesNoClickFromThePointerOrFromCode) {
    TkvSkinButton& b = button();
    form.show();
    SetForegroundWindow(form.handle());
    kvtest::pumpFor(50);
    const POINT c = kvtest::centreOf(b.handle());
    kvtest::clickAt(c.x, c.y);
    ASSERT_EQ(clicks.size(), 1u) << "enabled, the pointer's click arrives";

    b.setEnabled(false);  // after its window exists
    EXPECT_FALSE(IsWindowEnabled(b.handle()));
    kvtest::clickAt(c.x, c.y);
    b.PerformClick();
    SendMessageW(b.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.size(), 1u) << "disabled: no click";

    // Disabled while held: the release is no click either, and the button is up again.
    b.setEnabled(true);
    kvtest::pointerTo(c.x, c.y);
    kvtest::pointerButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(b.Down());
    b.setEnabled(false);
    kvtest::pointerButton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(b.Down());
    EXPECT_NE(GetCapture(), b.handle());
}

TEST_F(SkinButtonTest, DefaultButtonIsHotWhileAnEditHasTheFocusAndTakesEnter) {
    auto& edit = form.create<fw::Edit>();
    edit.setParent(&form);
    edit.setBounds(10, 60, 100, 20);
    TkvSkinButton& ok = button(10);
    TkvSkinButton& other = button(100);
    ok.SetDefault(true);
    form.show();
    edit.setFocus();
    pump(50);
    EXPECT_TRUE(ok.MouseInside()) << "the default button shows its active image";
    EXPECT_TRUE(ok.ActsOnEnter());
    MSG msg{edit.handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(fw::preTranslateMessage(msg));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].sender, &ok);
    other.setFocus();
    pump(50);
    EXPECT_FALSE(ok.MouseInside()) << "another button has the focus and answers Enter";
    EXPECT_FALSE(ok.ActsOnEnter());
}

TEST_F(SkinButtonTest, WithEffectsOffTheActiveImageShowsAtOnce) {
    TkvSkinButton& b = button();
    model.ControlAs<TkvDataSkinButtonControl>(b.DescriptionIndex)->Morphing = true;
    model.EnableSkinEffects = false;
    b.perform(fw::CM_MOUSEENTER);
    EXPECT_EQ(b.MorphPhase(), 0.0);
    const fw::Bitmap img = painted(b);
    const fw::Rect active = b.Look().SrcActiveRect;
    EXPECT_EQ(img.at(1, 1), b.SkinPicture->at(active.left + 1, active.top + 1) | 0xFF000000u);
    pump(60);
    EXPECT_EQ(b.MorphPhase(), 0.0) << "no morph timer ran";
    EXPECT_EQ(b.GlowWindow(), nullptr);
}

}  // namespace
