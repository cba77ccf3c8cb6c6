// The open-file dialog's tool bar pieces under Wine: the tool bar on its skin lining up its children, a flat tool
// button that shows its parent until the pointer comes, and the menu button that opens its menu below itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "framework/StandardClasses.h"
#include "skin/controls/ResourceGlyph.h"
#include "skin/controls/kvSkinComboBox.h"
#include "skin/controls/kvSkinCtrlsClasses.h"
#include "skin/controls/kvSkinScrollBar.h"
#include "skin/controls/kvSkinMenuButton.h"
#include "skin/controls/kvSkinToolBar.h"

namespace {

// Records where it was asked to show itself.
class RecordingMenu : public fw::PopupMenu {
public:
    using fw::PopupMenu::PopupMenu;
    void popup(int, int) override {}
    void popupFor(fw::Control* opener, const fw::Rect& r) override { shown.push_back({opener, r}); }
    struct Shown {
        fw::Control* opener;
        fw::Rect at;
    };
    std::vector<Shown> shown;
};

class SkinToolControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::LoadEmbeddedSkin(stored, model);
        form.setBounds(100, 100, 400, 200);
        bar.setParent(&form);
        bar.setBounds(0, 0, 380, 25);
        bar.SetSkinData(&model);
    }
    template <class T>
    T& onBar(fw::Align align, int w) {
        T& c = form.create<T>();
        c.setParent(&bar);
        c.setBounds(0, 0, w, 25);
        c.setAlign(align);
        c.SetSkinData(&model);
        return c;
    }
    static fw::Pixel at(TkvSkinButton& b, int x, int y) {
        fw::DibSection target(b.width(), b.height());
        b.perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.dc()), 0);
        return target.pixels().at(x, y) & 0xFFFFFFu;
    }

    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();
    TkvSkinToolBar& bar = form.create<TkvSkinToolBar>();
};

TEST_F(SkinToolControlsTest, TheToolBarLinesUpItsChildrenOnItsSkin) {
    TkvSkinButton& back = onBar<TkvSkinButton>(fw::Align::Left, 27);
    back.SetSkinDataName("toolbutton");
    TkvSkinMenuButton& view = onBar<TkvSkinMenuButton>(fw::Align::Right, 37);
    TkvSkinComboBox& folders = onBar<TkvSkinComboBox>(fw::Align::Client, 100);
    bar.handle();
    bar.alignControls();
    ASSERT_NE(bar.DescriptionIndex, -1);
    EXPECT_EQ(back.left(), 0);
    EXPECT_EQ(back.width(), 27);
    EXPECT_EQ(view.left(), 380 - 37);
    EXPECT_EQ(view.width(), 37) << "the menu button's skin width";
    EXPECT_EQ(folders.left(), 27);
    EXPECT_EQ(folders.width(), 380 - 27 - 37);
    EXPECT_FALSE(view.TrackButtonArea().empty());
    EXPECT_EQ(view.TrackButtonArea().right, 37);
}

TEST_F(SkinToolControlsTest, AFlatToolButtonShowsItsParentUntilThePointerComes) {
    TkvSkinButton& b = onBar<TkvSkinButton>(fw::Align::None, 27);
    b.setLeft(100);
    b.SetSkinDataName("toolbutton");
    b.SetFlat(true);
    b.handle();
    fw::DibSection barImage(bar.width(), bar.height());
    bar.paintTo(barImage.dc());
    auto barAt = [&](int x, int y) { return barImage.pixels().at(100 + x, y) & 0xFFFFFFu; };
    EXPECT_EQ(at(b, 0, 0), barAt(0, 0));
    EXPECT_EQ(at(b, 13, 12), barAt(13, 12)) << "no glyph, no caption: all tool bar";
    b.perform(fw::CM_MOUSEENTER, 0, 0);
    EXPECT_NE(at(b, 0, 12), barAt(0, 12)) << "hot: the skin's image";
    b.perform(fw::CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(at(b, 0, 12), barAt(0, 12));
    b.SetFlat(false);
    EXPECT_NE(at(b, 0, 12), barAt(0, 12));
}

TEST_F(SkinToolControlsTest, AFreelySizedButtonDrawsItsHotLookFromTheSkin) {
    TkvSkinButton& b = onBar<TkvSkinButton>(fw::Align::None, 27);
    b.UseSkinSize = false;
    b.SetSkinDataName("toolbutton");
    b.setBounds(100, 0, 40, 25);
    b.handle();
    ASSERT_EQ(b.width(), 40) << "the size stays free";
    const fw::Rect active = b.Look().SrcActiveRect;
    auto skinAt = [&](int x, int y) { return b.SkinPicture->at(active.left + x, active.top + y) & 0xFFFFFFu; };
    b.perform(fw::CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(at(b, 1, 12), skinAt(1, 12)) << "left edge, kept as it is";
    EXPECT_EQ(at(b, 38, 12), skinAt(25, 12)) << "right edge, moved to the wider button's edge";
    EXPECT_EQ(at(b, 20, 2), skinAt(13, 2)) << "top strip, stretched";
}

TEST_F(SkinToolControlsTest, TheMenuButtonOpensItsMenuBelowItselfAndStaysDownUntilItCloses) {
    TkvSkinMenuButton& view = onBar<TkvSkinMenuButton>(fw::Align::Right, 37);
    RecordingMenu& menu = form.create<RecordingMenu>();
    view.SetDropDownMenu(&menu);
    int clicks = 0;
    view.onClick = [&](fw::Component*) { ++clicks; };
    bar.handle();
    view.perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    view.perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(menu.shown.size(), 1u);
    EXPECT_EQ(menu.shown[0].opener, &view);
    const fw::Point origin = view.clientToScreen({0, 0});
    EXPECT_EQ(menu.shown[0].at, fw::Rect::fromSize(origin.x, origin.y, 37, 25));
    EXPECT_TRUE(view.Down());
    SendMessageW(view.handle(), SKIN_MSG_MENU_CLOSED, 0, 0);
    EXPECT_FALSE(view.Down());
    EXPECT_EQ(clicks, 0);

    view.SetDropDownMenu(nullptr);
    view.perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    view.perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1) << "without a menu it is a button";
}

TEST(DialogControlClasses, ReadFromAFormDescription) {
    fw::Application app;
    RegisterSkinControlClasses(app.classes());
    fw::Form& f = app.createForm<fw::Form>();
    fw::loadFormFromText(f,
                         "Form f {\n"
                         "  TkvSkinToolBar bar { Height: 25; TkvSkinMenuButton view { Flat: true; } }\n"
                         "  TkvSkinComboBox folders { DropDownCount: 10; AlphaBlendValue: 200; }\n"
                         "  TkvSkinScrollBar v { Kind: skVertical; }\n"
                         "}",
                         app.classes());
    auto* view = dynamic_cast<TkvSkinMenuButton*>(f.findComponent("view"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->Flat());
    EXPECT_NE(dynamic_cast<TkvSkinToolBar*>(f.findComponent("bar")), nullptr);
    auto* folders = dynamic_cast<TkvSkinComboBox*>(f.findComponent("folders"));
    ASSERT_NE(folders, nullptr);
    EXPECT_EQ(folders->DropDownCount(), 10);
    EXPECT_EQ(folders->AlphaBlendValue(), 200);
    auto* v = dynamic_cast<TkvSkinScrollBar*>(f.findComponent("v"));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Kind(), skVertical);
    EXPECT_EQ(v->SkinDataName(), "vscrollbar");
}

TEST(DialogGlyphs, LoadFromTheProgramsResourcesOnTheTransparentColour) {
    for (const wchar_t* name : {L"KV_BACK", L"KV_UP", L"KV_NEWFOLDER", L"KV_LVSTYLE"}) {
        const fw::Bitmap g = LoadResourceGlyph(name);
        ASSERT_EQ(g.width(), 16) << name;
        ASSERT_EQ(g.height(), 16) << name;
        EXPECT_EQ(g.at(0, 15), fw::makePixel(255, 0, 255)) << name << ": the skin button's transparent colour";
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) drawn += g.at(x, y) != fw::makePixel(255, 0, 255);
        EXPECT_GT(drawn, 40) << name;
    }
    EXPECT_TRUE(LoadResourceGlyph(L"KV_NOSUCHGLYPH").empty());
}

}  // namespace
