// The control descriptions of the packed program skin: the list, what the windows ask for, sizing, and agreement
// with the places where the picture generator drew the images.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/tools/skinart/StoredSkin.h"
#include "tools/skinart/Layout.h"

namespace skinart::test {
namespace {

namespace L = layout;
using fw::Point;
using fw::Rect;

template <class T>
T* control(const char* name) {
    TkvSkinData& s = programSkin();
    return s.ControlAs<T>(s.GetControlIndex(name));
}

TEST(StoredSkinControls, SixtyFourEntriesOverTwentySevenTypes) {
    const TkvSkinData& s = programSkin();
    EXPECT_EQ(s.ControlDescriptions().size(), 64u);
    std::set<std::string> classes, names;
    for (const auto& c : s.ControlDescriptions()) {
        classes.insert(c->ClassName());
        names.insert(c->IDName);
    }
    EXPECT_EQ(classes.size(), 27u);
    EXPECT_EQ(names.size(), 64u);  // no name shadows another
}

TEST(StoredSkinControls, EveryDescriptionTheWindowsAskForHasItsClass) {
    EXPECT_NE(control<TkvDataSkinLabelControl>("label"), nullptr);
    EXPECT_NE(control<TkvDataSkinPanelControl>("panel"), nullptr);
    EXPECT_NE(control<TkvDataSkinPanelControl>("toolpanel"), nullptr);
    EXPECT_NE(control<TkvDataSkinStdLabelControl>("stdlabel"), nullptr);
    EXPECT_NE(control<TkvDataSkinCheckRadioControl>("checkbox"), nullptr);
    EXPECT_NE(control<TkvDataSkinComboBox>("combobox"), nullptr);
    EXPECT_NE(control<TkvDataSkinMenuButtonControl>("toolmenubutton"), nullptr);
    for (const char* n : {"edit", "buttonedit", "statusedit", "tooledit"})
        EXPECT_NE(control<TkvDataSkinEditControl>(n), nullptr) << n;
    for (const char* n : {"button", "resizebutton", "toolbutton", "combobutton"})
        EXPECT_NE(control<TkvDataSkinButtonControl>(n), nullptr) << n;
    for (const char* n : {"hscrollbar", "vscrollbar"}) EXPECT_NE(control<TkvDataSkinScrollBarControl>(n), nullptr) << n;
    // Names are exact: a different case finds nothing.
    EXPECT_EQ(programSkin().GetControlIndex("Button"), -1);
}

TEST(StoredSkinControls, NamesThatDescriptionsReferToExist) {
    TkvSkinData& s = programSkin();
    for (const auto& c : s.ControlDescriptions()) {
        SCOPED_TRACE(c->IDName);
        if (auto* lb = dynamic_cast<const TkvDataSkinListBox*>(c.get())) {
            for (const std::string& n : {lb->VScrollBarName, lb->HScrollBarName, lb->BothHScrollBarName})
                EXPECT_NE(control<TkvDataSkinScrollBarControl>(n.c_str()), nullptr) << n;
        }
        if (auto* cb = dynamic_cast<const TkvDataSkinComboBox*>(c.get()))
            EXPECT_NE(control<TkvDataSkinListBox>(cb->ListBoxName.c_str()), nullptr) << cb->ListBoxName;
        if (auto* tab = dynamic_cast<const TkvDataSkinTabControl*>(c.get()))
            EXPECT_NE(control<TkvDataSkinUpDownControl>(tab->UpDown.c_str()), nullptr) << tab->UpDown;
        if (auto* bar = dynamic_cast<const TkvDataSkinMainMenuBar*>(c.get())) {
            EXPECT_NE(s.ObjectAs<TkvDataSkinMainMenuBarItem>(s.GetObjectIndex(bar->MenuBarItem)), nullptr);
            for (const std::string& n : {bar->CloseButton, bar->MinButton, bar->MaxButton, bar->SysMenuButton})
                EXPECT_NE(s.ObjectAs<TkvDataSkinMainMenuBarButton>(s.GetObjectIndex(n)), nullptr) << n;
        }
    }
}

// Width-only sizing: only the top corner points are given.
bool widthOnly(const TkvDataSkinCustomControl& c) {
    return c.RightBottomPoint == Point{} && c.LeftBottomPoint == Point{} && c.RightTopPoint != Point{} &&
           !c.SkinRect.empty();
}

TEST(StoredSkinControls, ButtonsEditsAndLabelsGrowInWidthOnly) {
    auto* button = control<TkvDataSkinButtonControl>("button");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(widthOnly(*button));
    EXPECT_EQ(button->SkinRect.width(), 42);
    EXPECT_EQ(button->SkinRect.height(), 22);
    EXPECT_EQ(button->LeftTopPoint, (Point{3, 9}));
    EXPECT_EQ(button->RightTopPoint, (Point{35, 11}));
    for (const char* n : {"edit", "buttonedit"}) {
        auto* e = control<TkvDataSkinEditControl>(n);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(widthOnly(*e)) << n;
        EXPECT_EQ(e->SkinRect.height(), 21) << n;  // the field is 21 high whatever the form asks
    }
    auto* label = control<TkvDataSkinLabelControl>("label");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(widthOnly(*label));
    auto* stdlabel = control<TkvDataSkinStdLabelControl>("stdlabel");
    EXPECT_EQ(stdlabel->PictureIndex, -1);
    EXPECT_TRUE(stdlabel->SkinRect.empty());
}

TEST(StoredSkinControls, ButtonStatesHaveTheSkinRectsSize) {
    TkvSkinData& s = programSkin();
    for (const auto& c : s.ControlDescriptions()) {
        auto* b = dynamic_cast<const TkvDataSkinButtonControl*>(c.get());
        if (!b) continue;
        SCOPED_TRACE(b->IDName);
        const fw::Bitmap& pic = s.ActivePictures.at(static_cast<std::size_t>(b->PictureIndex));
        for (Rect r : {b->SkinRect, b->ActiveSkinRect, b->DownSkinRect, b->FocusedSkinRect, b->DisabledSkinRect}) {
            if (r.empty()) continue;
            EXPECT_EQ(r.intersect(pic.rect()), r);
            EXPECT_EQ(r.width(), b->SkinRect.width());
            EXPECT_EQ(r.height(), b->SkinRect.height());
        }
        EXPECT_FALSE(b->ActiveSkinRect.empty());
        EXPECT_FALSE(b->DownSkinRect.empty());
    }
}

TEST(StoredSkinControls, EveryPictureRectLiesInsideItsPicture) {
    TkvSkinData& s = programSkin();
    for (const auto& c : s.ControlDescriptions()) {
        if (c->PictureIndex < 0) continue;
        SCOPED_TRACE(c->IDName);
        ASSERT_LT(c->PictureIndex, static_cast<int>(s.ActivePictures.size()));
        const fw::Bitmap& pic = s.ActivePictures[static_cast<std::size_t>(c->PictureIndex)];
        if (!c->SkinRect.empty()) EXPECT_EQ(c->SkinRect.intersect(pic.rect()), c->SkinRect);
        if (auto* e = dynamic_cast<const TkvDataSkinEditControl*>(c.get())) {
            EXPECT_EQ(e->ActiveSkinRect.width(), e->SkinRect.width());
            for (Rect r : {e->ActiveButtonRect, e->DownButtonRect, e->UnEnabledButtonRect})
                if (!r.empty()) EXPECT_EQ(r.intersect(pic.rect()), r);
        }
        if (auto* sb = dynamic_cast<const TkvDataSkinScrollBarControl*>(c.get())) {
            for (Rect r : {sb->UpButtonRect, sb->ActiveUpButtonRect, sb->DownUpButtonRect, sb->DownButtonRect,
                           sb->ActiveDownButtonRect, sb->DownDownButtonRect, sb->ThumbRect, sb->ActiveThumbRect,
                           sb->DownThumbRect}) {
                EXPECT_FALSE(r.empty());
                EXPECT_EQ(r.intersect(pic.rect()), r);
            }
        }
    }
}

// The description and the picture generator name the same places.
TEST(StoredSkinControls, DescriptionAgreesWithTheDrawnLayout) {
    auto* b = control<TkvDataSkinButtonControl>("button");
    EXPECT_EQ(b->SkinRect, L::button(L::Normal));
    EXPECT_EQ(b->ActiveSkinRect, L::button(L::Hot));
    EXPECT_EQ(b->DownSkinRect, L::button(L::Down));
    EXPECT_EQ(b->FocusedSkinRect, L::button(L::Focused));
    EXPECT_EQ(b->DisabledSkinRect, L::button(L::Disabled));
    auto* tb = control<TkvDataSkinButtonControl>("toolbutton");
    EXPECT_EQ(tb->SkinRect, L::toolButton(0));
    EXPECT_EQ(tb->DisabledSkinRect, L::toolButton(3));
    auto* e = control<TkvDataSkinEditControl>("edit");
    EXPECT_EQ(e->SkinRect, L::edit(0));
    EXPECT_EQ(e->ActiveSkinRect, L::edit(1));
    auto* be = control<TkvDataSkinEditControl>("buttonedit");
    EXPECT_EQ(be->SkinRect, L::buttonEdit(0));
    EXPECT_EQ(be->ButtonRect, L::kEditButton);
    EXPECT_EQ(be->ActiveButtonRect, L::editButtonImage(0));
    EXPECT_GE(be->ButtonRect.left, be->RightTopPoint.x);  // the button moves with the right edge
    auto* cb = control<TkvDataSkinComboBox>("combobox");
    EXPECT_EQ(cb->SkinRect, L::combo(0));
    EXPECT_EQ(cb->DownButtonRect, L::comboButtonImage(1));
    auto* vs = control<TkvDataSkinScrollBarControl>("vscrollbar");
    EXPECT_EQ(vs->SkinRect, L::kVScroll);
    EXPECT_EQ(vs->ThumbRect, L::vScrollThumb(0));
    auto* hs = control<TkvDataSkinScrollBarControl>("hscrollbar");
    EXPECT_EQ(hs->SkinRect, L::kHScroll);
    EXPECT_EQ(hs->DownButtonRect, L::hScrollRight(0));
    EXPECT_EQ(control<TkvDataSkinPanelControl>("panel")->SkinRect, L::kPanel);
    EXPECT_EQ(control<TkvDataSkinPanelControl>("toolpanel")->SkinRect, L::kToolPanel);
    EXPECT_EQ(control<TkvDataSkinCheckRadioControl>("checkbox")->CheckImageRect, L::checkImage(0));
    EXPECT_EQ(control<TkvDataSkinButtonControl>("resizebutton")->SkinRect, L::header(0));

    TkvSkinData& s = programSkin();
    auto* item = s.ObjectAs<TkvDataSkinMenuItem>(s.GetObjectIndex("menuitem"));
    EXPECT_EQ(item->SkinRect, L::kItemNormal);
    EXPECT_EQ(item->ActiveSkinRect, L::kItemActive);
    EXPECT_EQ(item->DividerRect, L::kItemDivider);
    auto* close = s.ObjectAs<TkvDataSkinStdButton>(s.GetObjectIndex("closebutton"));
    EXPECT_EQ(close->SkinRect, L::capButton(L::RowClose, L::kCapColNormal));
    EXPECT_EQ(close->DownRect, L::capButton(L::RowClose, L::kCapColDown));
    auto* max = s.ObjectAs<TkvDataSkinStdButton>(s.GetObjectIndex("maxbutton"));
    EXPECT_EQ(max->RestoreRect, L::capButton(L::RowRestore, L::kCapColNormal));
    auto* sys = s.ObjectAs<TkvDataSkinStdButton>(s.GetObjectIndex("sysmenubutton"));
    EXPECT_EQ(sys->SkinRect, L::sysButton(0));
    EXPECT_EQ(s.CaptionRect, L::kCaption);
    EXPECT_EQ(s.ClientRect, L::kClient);
    EXPECT_EQ(s.MaskRectArea, L::kMaskArea);
    EXPECT_EQ(s.PopupWindow().ItemsRect, L::kPopupItems);
}

}  // namespace
}  // namespace skinart::test
