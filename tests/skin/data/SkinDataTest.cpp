#include "skin/data/kvSkinData.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "skin/data/kvZlibStreams.h"
#include "tests/skin/data/RecordingMessenger.h"
#include "tests/skin/data/TestSkin.h"

using namespace fw;
using kvtest::FakeForm;
using kvtest::RecordingMessenger;

namespace {

// Three forms; the model sits on the second one, so owner-first order differs from application order.
struct SkinModel : ::testing::Test {
    FakeForm first, ownerForm, third;
    RecordingMessenger messenger;
    TkvSkinData& model = ownerForm.create<TkvSkinData>(&messenger);

    SkinModel() { messenger.forms = {&first, &ownerForm, &third}; }

    void loadText(const std::string& text, int activeCount = 1) {
        TkvCompressedStoredSkin stored;
        stored.SetCompressedData(kvtest::compressPackage(kvtest::smallPackage(text, activeCount).ToBytes()));
        model.LoadStoredSkin(stored);
    }
};

const char kMinimal[] =
    "[VERSION]\r\nskinname=mini\r\n[PICTURES]\r\npicture=a.bmp\r\nmask=m.bmp\r\n[FORMINFO]\r\n"
    "[SKINOBJECTS]\r\ncount=4\r\n0=closebutton:stdbutton\r\n1=nocolon\r\n2=odd:unknowntype\r\n3=caption:caption\r\n"
    "[SKINCONTROLS]\r\ncount=5\r\n0=edit:edit\r\n1=edit:button\r\n2=Button:button\r\n3=up:updown\r\n4=std:stdlabel\r\n"
    "[closebutton]\r\nhint=Maximize\r\ncommand=cmmaximize\r\nskinrect=1,2,3,4\r\n"
    "[up]\r\nlefttoppoint=2,2\r\nrightbottompoint=9,9\r\nclientrect=1,1,5,5\r\nupbuttonrect=1,1,2,2\r\n";

std::map<std::string, std::string> typeClasses() {
    return {{"panel", "TkvDataSkinPanelControl"},
            {"expanel", "TkvDataSkinExPanelControl"},
            {"button", "TkvDataSkinButtonControl"},
            {"menubutton", "TkvDataSkinMenuButtonControl"},
            {"checkradio", "TkvDataSkinCheckRadioControl"},
            {"gauge", "TkvDataSkinGaugeControl"},
            {"splitter", "TkvDataSkinSplitterControl"},
            {"trackbar", "TkvDataSkinTrackBarControl"},
            {"label", "TkvDataSkinLabelControl"},
            {"stdlabel", "TkvDataSkinStdLabelControl"},
            {"updown", "TkvDataSkinUpDownControl"},
            {"grid", "TkvDataSkinGridControl"},
            {"tab", "TkvDataSkinTabControl"},
            {"mainmenubar", "TkvDataSkinMainMenuBar"},
            {"controlbar", "TkvDataSkinControlBar"},
            {"memo", "TkvDataSkinMemoControl"},
            {"edit", "TkvDataSkinEditControl"},
            {"checklistbox", "TkvDataSkinCheckListBox"},
            {"listbox", "TkvDataSkinListBox"},
            {"combobox", "TkvDataSkinComboBox"},
            {"scrollbar", "TkvDataSkinScrollBarControl"},
            {"spinedit", "TkvDataSkinSpinEditControl"},
            {"scrollbox", "TkvDataSkinScrollBoxControl"},
            {"treeview", "TkvDataSkinTreeView"},
            {"bevel", "TkvDataSkinBevel"},
            {"slider", "TkvDataSkinSlider"},
            {"listview", "TkvDataSkinListView"},
            {"richedit", "TkvDataSkinRichEdit"}};
}

}  // namespace

TEST_F(SkinModel, ProgramSizedSkinLoadsEveryDescriptionInEntryOrder) {
    kvtest::TempDir dir;
    TkvCompressedStoredSkin& stored = ownerForm.create<TkvCompressedStoredSkin>();
    ASSERT_TRUE(stored.LoadFromSkinFile(kvtest::writeTestSkin(dir.path())));
    model.SetCompressedStoredSkin(&stored);
    ASSERT_FALSE(model.Empty());
    EXPECT_FALSE(model.LoadInProgress());

    IniText ini = IniText::Parse(kvtest::testSkinDescription());
    ASSERT_EQ(model.ObjectDescriptions().size(), 13u);
    std::map<std::string, std::string> objectClasses = {{"stdbutton", "TkvDataSkinStdButton"},
                                                        {"mainmenubarbutton", "TkvDataSkinMainMenuBarButton"},
                                                        {"caption", "TkvDataSkinCaption"},
                                                        {"menuitem", "TkvDataSkinMenuItem"},
                                                        {"mainmenubaritem", "TkvDataSkinMainMenuBarItem"}};
    for (int i = 0; i < 13; ++i) {
        std::string entry(*ini.Value("SKINOBJECTS", std::to_string(i)));
        auto colon = entry.find(':');
        EXPECT_EQ(model.ObjectDescriptions()[i]->IDName, entry.substr(0, colon));
        EXPECT_EQ(model.ObjectDescriptions()[i]->ClassName(), objectClasses.at(entry.substr(colon + 1))) << entry;
    }
    ASSERT_EQ(model.ControlDescriptions().size(), 64u);
    auto classes = typeClasses();
    std::set<std::string> used;
    for (int i = 0; i < 64; ++i) {
        std::string entry(*ini.Value("SKINCONTROLS", std::to_string(i)));
        auto colon = entry.find(':');
        EXPECT_EQ(model.ControlDescriptions()[i]->IDName, entry.substr(0, colon));
        EXPECT_EQ(model.ControlDescriptions()[i]->ClassName(), classes.at(entry.substr(colon + 1))) << entry;
        used.insert(model.ControlDescriptions()[i]->ClassName());
    }
    EXPECT_EQ(used.size(), 27u);

    // Pictures by position, with this program's sizes.
    EXPECT_EQ(model.FramePicture.width(), 285);
    EXPECT_EQ(model.FramePicture.height(), 210);
    EXPECT_TRUE(model.InactiveFramePicture.empty());
    EXPECT_EQ(model.FrameMask.width(), 285);
    ASSERT_EQ(model.ActivePictures.size(), 8u);
    EXPECT_EQ(model.ActivePictures[4].width(), 556);
    EXPECT_EQ(model.ActivePictures[4].height(), 410);
    EXPECT_EQ(model.ActivePictures[7].width(), 28);
    EXPECT_EQ(model.ActivePictures[0], kvtest::patternImage(75, 263, 3).Decode());
    EXPECT_EQ(model.ActivePictureNames.size(), 8u);
    EXPECT_EQ(model.ActivePictureNames[6], "pwmask.bmp");
    EXPECT_EQ(model.SkinName, "Test skin");
    EXPECT_EQ(model.MaskPictureName, "mask.bmp");

    // Typed look-ups the consumers make.
    int button = model.GetControlIndex("button");
    ASSERT_GE(button, 0);
    auto* b = model.ControlAs<TkvDataSkinButtonControl>(button);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->PictureIndex, 4);
    EXPECT_EQ(b->SkinRect, (Rect{0, 0, 75, 25}));
    EXPECT_EQ(b->RightTopPoint, (Point{70, 0}));
    EXPECT_EQ(b->MorphKind, mkgradient);
    EXPECT_EQ(b->FontName, "Tahoma");
    EXPECT_EQ(b->GlowLayerAlphaBlendValue, 255);
    EXPECT_NE(model.ControlAs<TkvDataSkinCustomControl>(button), nullptr);
    EXPECT_EQ(model.ControlAs<TkvDataSkinEditControl>(button), nullptr);
    EXPECT_NE(model.ControlAs<TkvDataSkinListBox>(model.GetControlIndex("checklistbox")), nullptr);
    EXPECT_NE(model.ControlAs<TkvDataSkinEditControl>(model.GetControlIndex("memo")), nullptr);
    EXPECT_EQ(model.ControlAs<TkvDataSkinCustomControl>(model.GetControlIndex("stdlabel")), nullptr);
    EXPECT_EQ(model.GetControlIndex("Button"), -1);
    EXPECT_EQ(model.GetControlIndex(" button"), -1);
    auto* memo = model.ControlAs<TkvDataSkinMemoControl>(model.GetControlIndex("memo"));
    EXPECT_EQ(memo->ActiveBGColor, 0xE0E0E0u);
    auto* lb = model.ControlAs<TkvDataSkinListBox>(model.GetControlIndex("listbox"));
    EXPECT_EQ(lb->VScrollBarName, "vscrollbar");
    EXPECT_EQ(lb->BothHScrollBarName, "bothhscrollbar");
    auto* bar = model.ControlAs<TkvDataSkinControlBar>(model.GetControlIndex("controlbar"));
    EXPECT_EQ(bar->ItemOffset1, 3);
    EXPECT_EQ(bar->BGPictureIndex, 5);
    auto* panel = model.ControlAs<TkvDataSkinPanelControl>(model.GetControlIndex("panel"));
    EXPECT_EQ(panel->Alignment, tarightjustify);
    EXPECT_EQ(panel->StretchType, sthorz);
}

TEST_F(SkinModel, ProgramSkinFrameObjectsAndGlobalSections) {
    kvtest::TempDir dir;
    TkvCompressedStoredSkin stored;
    ASSERT_TRUE(stored.LoadFromSkinFile(kvtest::writeTestSkin(dir.path())));
    model.LoadStoredSkin(stored);

    auto* close = model.ObjectAs<TkvDataSkinStdButton>(model.GetObjectIndex("closebutton"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->SkinRect, (Rect{258, 5, 275, 22}));  // blanks after commas
    EXPECT_EQ(close->Command, cmclose);
    EXPECT_EQ(close->MorphKind, mkpush);
    EXPECT_TRUE(close->Morphing);
    EXPECT_EQ(close->DownRect, (Rect{0, 17, 17, 34}));
    EXPECT_EQ(close->RestoreHint, "");
    auto* max = model.ObjectAs<TkvDataSkinStdButton>(model.GetObjectIndex("maxbutton"));
    EXPECT_EQ(max->RestoreHint, "Restore");
    EXPECT_EQ(max->MorphKind, mkdefault);  // "MKPUSH" is not a keyword
    EXPECT_EQ(model.ObjectAs<TkvDataSkinStdButton>(model.GetObjectIndex("minbutton"))->RestoreHint, "");
    EXPECT_EQ(model.ObjectAs<TkvDataSkinStdButton>(model.GetObjectIndex("rollupbutton"))->RestoreHint, "Unroll");
    EXPECT_EQ(model.ObjectAs<TkvDataSkinStdButton>(model.GetObjectIndex("traybutton"))->Command, cmminimizetotray);
    auto* sys = model.ObjectAs<TkvDataSkinStdButton>(model.GetObjectIndex("sysmenubutton"));
    EXPECT_EQ(sys->GlowLayerPictureIndex, 0);
    EXPECT_EQ(sys->GlowLayerAlphaBlendValue, 200);
    EXPECT_NE(model.ObjectAs<TkvDataSkinStdButton>(model.GetObjectIndex("menubarclosebutton")), nullptr);

    auto* caption = model.ObjectAs<TkvDataSkinCaption>(model.GetObjectIndex("caption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->FontColor, 0x808080u);
    EXPECT_TRUE(caption->FontStyle.bold);
    EXPECT_EQ(caption->Alignment, taleftjustify);
    EXPECT_EQ(caption->GlowSize, 3);
    EXPECT_EQ(caption->AnimateInterval, 25);
    EXPECT_EQ(caption->ReflactionColor, 255u);

    auto* item = model.ObjectAs<TkvDataSkinMenuItem>(model.GetObjectIndex("menuitem"));
    EXPECT_EQ(item->ActiveCheckImageRect, (Rect{0, 40, 16, 56}));  // empty: takes the normal one
    EXPECT_EQ(item->ActiveArrowImageRect, (Rect{32, 40, 48, 56}));
    EXPECT_EQ(item->ActiveRadioImageRect, Rect{});
    auto* bar = model.ObjectAs<TkvDataSkinMainMenuItem>(model.GetObjectIndex("mainmenubaritem"));
    EXPECT_EQ(bar->UnEnabledFontColor, 8421504u);  // key written with a capital letter

    // [FORMINFO]: the mask area widened to hold the client rect; hit-test points at 0 follow the corners.
    EXPECT_EQ(model.MaskRectArea, (Rect{4, 3, 282, 206}));
    EXPECT_EQ(model.HitTestLeftTopPoint, (Point{30, 40}));
    EXPECT_EQ(model.HitTestRightTopPoint, (Point{250, 20}));
    EXPECT_EQ(model.HitTestRightBottomPoint, (Point{255, 190}));
    EXPECT_EQ(model.InactiveEffect, iegrayscale);
    EXPECT_EQ(model.StretchType, stvert);
    EXPECT_TRUE(model.AutoRenderingInActiveImage);
    EXPECT_EQ(model.BGPictureIndex, 5);
    EXPECT_EQ(model.FormMinWidth, 120);

    EXPECT_EQ(model.PopupWindow().WindowPictureIndex, 3);
    EXPECT_EQ(model.PopupWindow().ScrollMarkerColor, 255u);
    EXPECT_EQ(model.PopupWindow().StretchType, stvert);
    EXPECT_EQ(model.HintWindow().FontName, "Tahoma");
    EXPECT_EQ(model.HintWindow().FontHeight, 14);
    EXPECT_TRUE(model.HintWindow().FontStyle.italic);
    EXPECT_EQ(model.SkinColors().CBtnFace, 16641763u);
    EXPECT_EQ(model.SkinColors().CBtnHighlight, 0xFFFFFFu);
    EXPECT_EQ(model.SkinColors().CBtnShadow, 14401450u);
}

TEST_F(SkinModel, LoadSendsItsMessagesToTheOwnerFormFirst) {
    loadText(kMinimal);
    std::vector<const void*> order = {&ownerForm, &first, &third};
    ASSERT_EQ(messenger.sent.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        const auto& m = messenger.sent[i];
        EXPECT_EQ(m.form, order[i % 3]) << i;
        EXPECT_EQ(m.msg, std::vector<unsigned>({1225, 1226, 1227})[i / 3]);
        EXPECT_EQ(m.model, &model);
        EXPECT_EQ(m.param, 1000);
    }
    // Before: empty and loading; changed: full and still loading; after: done.
    EXPECT_TRUE(messenger.sent[0].empty && messenger.sent[0].loadInProgress);
    EXPECT_TRUE(!messenger.sent[3].empty && messenger.sent[3].loadInProgress);
    EXPECT_TRUE(!messenger.sent[6].empty && !messenger.sent[6].loadInProgress);
}

TEST_F(SkinModel, ModelNotOnAFormSendsToEveryFormInOrder) {
    FakeForm holder;  // not one of the application's forms
    TkvSkinData& loose = holder.create<TkvSkinData>(&messenger);
    loose.SetSkinnableForm(false);
    ASSERT_EQ(messenger.sent.size(), 3u);
    EXPECT_EQ(messenger.sent[0].form, &first);
    EXPECT_EQ(messenger.sent[1].form, &ownerForm);
    EXPECT_EQ(messenger.sent[2].form, &third);
    EXPECT_EQ(messenger.sent[0].msg, SKIN_MSG_SKINNABLE_CHANGED);
}

TEST_F(SkinModel, ListsSkipEntriesWithoutColonOrKnownType) {
    loadText(kMinimal);
    ASSERT_EQ(model.ObjectDescriptions().size(), 2u);
    EXPECT_EQ(model.ObjectDescriptions()[0]->IDName, "closebutton");
    EXPECT_EQ(model.ObjectDescriptions()[1]->IDName, "caption");
    EXPECT_EQ(model.GetObjectIndex("caption"), 1);
    EXPECT_EQ(model.GetObjectIndex("odd"), -1);
    auto* close = model.ObjectAs<TkvDataSkinStdButton>(0);
    EXPECT_EQ(close->RestoreHint, "Restore");
    EXPECT_EQ(close->SkinRect, (Rect{1, 2, 3, 4}));

    // The first "edit" wins; "Button" is found only by its exact name.
    EXPECT_EQ(model.GetControlIndex("edit"), 0);
    EXPECT_NE(model.ControlAs<TkvDataSkinEditControl>(0), nullptr);
    EXPECT_EQ(model.GetControlIndex("Button"), 2);
    EXPECT_EQ(model.GetControlIndex("button"), -1);

    // Up-down buttons drop their corner points and client rect; a section-less stdlabel has its blue default.
    auto* up = model.ControlAs<TkvDataSkinUpDownControl>(model.GetControlIndex("up"));
    EXPECT_EQ(up->LeftTopPoint, Point{});
    EXPECT_EQ(up->RightBottomPoint, Point{});
    EXPECT_TRUE(up->ClientRect.empty());
    EXPECT_EQ(up->UpButtonRect, (Rect{1, 1, 2, 2}));
    auto* std = model.ControlAs<TkvDataSkinStdLabelControl>(model.GetControlIndex("std"));
    EXPECT_EQ(std->ActiveFontColor, 0xFF0000u);
    EXPECT_EQ(std->FontName, "Arial");
    EXPECT_EQ(std->FontHeight, 14);
    EXPECT_EQ(std->PictureIndex, -1);

    // Without [SKINCOLORS] the colours are the system ones.
    EXPECT_EQ(model.SkinColors().CBtnFace, 0xFF00000Fu);
    EXPECT_EQ(model.SkinColors().CBtnShadow, 0xFF000010u);
    // Mask named, mask area empty: it becomes the (empty) client rect; corners share x 0 so stay as read.
    EXPECT_EQ(model.MaskRectArea, Rect{});
}

TEST_F(SkinModel, FormInfoAdjustments) {
    loadText(
        "[FORMINFO]\r\nlefttoppoint=2,30\r\nrighttoppoint=300,1\r\nleftbottompoint=1,250\r\n"
        "rightbottompoint=290,260\r\nclientrect=4,27,281,206\r\nmaskrectarea=0,0,0,0\r\n"
        "hittestleftbottompoint=5,0\r\n[PICTURES]\r\nmask=m.bmp\r\n");
    EXPECT_EQ(model.MaskRectArea, (Rect{4, 27, 281, 206}));
    EXPECT_EQ(model.HitTestLeftBottomPoint, (Point{1, 250}));  // taken before the corners are pulled in
    EXPECT_EQ(model.LeftTopPoint, (Point{4, 30}));
    EXPECT_EQ(model.RightTopPoint, (Point{281, 27}));
    EXPECT_EQ(model.LeftBottomPoint, (Point{4, 206}));
    EXPECT_EQ(model.RightBottomPoint, (Point{281, 206}));

    loadText(
        "[FORMINFO]\r\nlefttoppoint=10,30\r\nrightbottompoint=10,260\r\nclientrect=40,40,50,50\r\n"
        "maskrectarea=1,1,2,2\r\nhittestlefttoppoint=3,3\r\n");
    EXPECT_EQ(model.LeftTopPoint, (Point{10, 30}));  // shared x: left as read
    EXPECT_EQ(model.RightBottomPoint, (Point{10, 260}));
    EXPECT_EQ(model.MaskRectArea, (Rect{1, 1, 2, 2}));  // no mask name: no widening
    EXPECT_EQ(model.HitTestLeftTopPoint, (Point{3, 3}));
}

TEST_F(SkinModel, EmptyStoredSkinChangesNothing) {
    loadText(kMinimal);
    messenger.sent.clear();
    TkvCompressedStoredSkin empty;
    model.LoadStoredSkin(empty);
    EXPECT_TRUE(messenger.sent.empty());
    EXPECT_FALSE(model.Empty());
    EXPECT_EQ(model.ControlDescriptions().size(), 5u);
}

TEST_F(SkinModel, FailedLoadStaysEmptyAndInProgress) {
    EXPECT_THROW(
        loadText("[SKINCONTROLS]\r\ncount=3\r\n0=a:button\r\n1=b:button\r\n2=c:button\r\n[b]\r\nskinrect=1,2,3\r\n"),
        EConvertError);
    // Stopped in b's section: the first description stays, and only the before-change message went out.
    EXPECT_TRUE(model.Empty());
    EXPECT_TRUE(model.LoadInProgress());
    EXPECT_EQ(model.ControlDescriptions().size(), 2u);
    EXPECT_EQ(messenger.messages(), (std::vector<unsigned>{1225, 1225, 1225}));
}

TEST_F(SkinModel, FailedLoadRaisesToTheCaller) {
    TkvCompressedStoredSkin stored;
    stored.SetCompressedData(kvtest::compressPackage(kvtest::smallPackage("[X]\r\n").ToBytes()));
    auto bytes = stored.CompressedData();
    bytes[bytes.size() / 2] ^= 0xFF;
    bytes[bytes.size() / 2 + 1] ^= 0xFF;
    stored.SetCompressedData(bytes);
    EXPECT_THROW(model.LoadStoredSkin(stored), std::exception);
    EXPECT_TRUE(model.Empty());

    TkvCompressedStoredSkin bad;
    bad.SetCompressedData(kvtest::compressPackage(kvtest::smallPackage("[SKINOBJECTS]\r\ncount=1\r\n0=c:caption\r\n"
                                                                       "[c]\r\ntextrect=,\r\n")
                                                      .ToBytes()));
    EXPECT_THROW(model.LoadStoredSkin(bad), EConvertError);
}

TEST_F(SkinModel, NewerPackageVersionLeavesTheModelEmpty) {
    loadText(kMinimal);
    messenger.sent.clear();
    MemoryStream s;
    WriteInt32(s, 4);
    s.write("whatever", 8);
    TkvCompressedStoredSkin stored;
    stored.SetCompressedData(kvtest::compressPackage(s.data()));
    model.LoadStoredSkin(stored);
    EXPECT_TRUE(model.Empty());
    EXPECT_TRUE(model.ControlDescriptions().empty());
    EXPECT_EQ(messenger.messages(), (std::vector<unsigned>{1225, 1225, 1225}));
}

TEST_F(SkinModel, ClearSkinResetsEverything) {
    loadText(kMinimal, 3);
    ASSERT_EQ(model.ActivePictures.size(), 3u);
    model.PopupWindow().WindowPictureIndex = 2;
    model.HintWindow().MaskPictureIndex = 1;
    model.SkinColors().CBtnFace = 5;
    model.ClearSkin();
    EXPECT_TRUE(model.Empty());
    EXPECT_TRUE(model.ObjectDescriptions().empty());
    EXPECT_TRUE(model.ControlDescriptions().empty());
    EXPECT_TRUE(model.ActivePictures.empty());
    EXPECT_TRUE(model.FramePicture.empty());
    EXPECT_TRUE(model.FrameMask.empty());
    EXPECT_EQ(model.PopupWindow().WindowPictureIndex, -1);
    EXPECT_EQ(model.HintWindow().MaskPictureIndex, -1);
    EXPECT_EQ(model.SkinColors().CBtnFace, 0xFF00000Fu);
    EXPECT_EQ(model.PictureName, "");
    EXPECT_EQ(model.MaskPictureName, "");
    EXPECT_EQ(model.GetControlIndex("edit"), -1);
}

TEST_F(SkinModel, FreshModelState) {
    TkvSkinData fresh(nullptr, nullptr);
    EXPECT_TRUE(fresh.Empty());
    EXPECT_FALSE(fresh.LoadInProgress());
    EXPECT_TRUE(fresh.SkinnableForm());
    EXPECT_TRUE(fresh.EnableSkinEffects);
    EXPECT_TRUE(fresh.ShowButtonGlowFrames);
    EXPECT_TRUE(fresh.ShowCaptionButtonGlowFrames);
    EXPECT_EQ(fresh.SkinIndex(), 0);
    EXPECT_EQ(fresh.SkinColors().CBtnFace, 0u);  // zero until the first load or reset
    EXPECT_EQ(fresh.GetObjectIndex("caption"), -1);
}

TEST_F(SkinModel, PropertySetters) {
    model.SetSkinnableForm(true);  // unchanged
    EXPECT_TRUE(messenger.sent.empty());
    model.setLoading(true);
    model.SetSkinnableForm(false);  // while the form is read: stored, not sent
    EXPECT_TRUE(messenger.sent.empty());
    model.setLoading(false);
    model.SetSkinnableForm(true);
    EXPECT_EQ(messenger.messages(), (std::vector<unsigned>{1294, 1294, 1294}));
    messenger.sent.clear();

    TkvResourceStrData& strings = first.create<TkvResourceStrData>();
    model.SetResourceStrData(&strings);
    EXPECT_EQ(messenger.messages(), (std::vector<unsigned>{1274, 1274, 1274}));
    messenger.sent.clear();
    model.EnableSkinEffects = false;  // plain flags send nothing
    EXPECT_TRUE(messenger.sent.empty());

    model.SetDesigning(true);
    model.SetSkinnableForm(false);
    model.SetResourceStrData(nullptr);
    EXPECT_TRUE(messenger.sent.empty());
}

TEST_F(SkinModel, SkinListAndIndex) {
    TkvCompressedSkinList& list = ownerForm.create<TkvCompressedSkinList>();
    for (const char* name : {"zero", "one"}) {
        std::string text = std::string("[VERSION]\r\nskinname=") + name + "\r\n";
        list.Skins().Add().StoredSkin().SetCompressedData(
            kvtest::compressPackage(kvtest::smallPackage(text).ToBytes()));
    }
    model.SetSkinIndex(5);  // no list yet: only stored
    EXPECT_EQ(model.SkinIndex(), 5);
    EXPECT_TRUE(model.Empty());
    model.SetSkinList(&list);  // index out of range: nothing loads
    EXPECT_TRUE(model.Empty());
    model.SetSkinIndex(1);
    EXPECT_EQ(model.SkinName, "one");
    messenger.sent.clear();
    model.SetSkinIndex(1);  // unchanged
    model.SetSkinIndex(2);  // out of range with a list
    model.SetSkinIndex(-1);
    EXPECT_TRUE(messenger.sent.empty());
    EXPECT_EQ(model.SkinIndex(), 1);
    model.SetSkinIndex(0);
    EXPECT_EQ(model.SkinName, "zero");
    model.SetSkinList(nullptr);
    model.SetSkinList(&list);  // index 0 in range: loads again
    EXPECT_EQ(model.SkinName, "zero");
}

TEST_F(SkinModel, RemovedComponentsAreDroppedWithoutReload) {
    TkvCompressedStoredSkin& stored = ownerForm.create<TkvCompressedStoredSkin>();
    stored.SetCompressedData(kvtest::compressPackage(kvtest::smallPackage(kMinimal).ToBytes()));
    TkvResourceStrData& strings = third.create<TkvResourceStrData>();  // on another form
    TkvCompressedSkinList& list = first.create<TkvCompressedSkinList>();
    model.SetCompressedStoredSkin(&stored);
    model.SetResourceStrData(&strings);
    model.SetSkinList(&list);
    messenger.sent.clear();
    ownerForm.destroyComponent(&stored);
    third.destroyComponent(&strings);
    first.destroyComponent(&list);
    EXPECT_EQ(model.CompressedStoredSkin(), nullptr);
    EXPECT_EQ(model.ResourceStrData(), nullptr);
    EXPECT_EQ(model.SkinList(), nullptr);
    EXPECT_TRUE(messenger.sent.empty());
    EXPECT_FALSE(model.Empty());  // the loaded skin stays
}

TEST_F(SkinModel, DesignerDoesNotLoadOnReference) {
    TkvCompressedStoredSkin stored;
    stored.SetCompressedData(kvtest::compressPackage(kvtest::smallPackage(kMinimal).ToBytes()));
    model.SetDesigning(true);
    model.SetCompressedStoredSkin(&stored);
    EXPECT_TRUE(model.Empty());
    model.SetDesigning(false);
    model.SetCompressedStoredSkin(&stored);
    EXPECT_FALSE(model.Empty());
    model.SetCompressedStoredSkin(nullptr);
}

TEST_F(SkinModel, EveryDescriptionReadsBackWhatItWrites) {
    kvtest::TempDir dir;
    TkvCompressedStoredSkin stored;
    ASSERT_TRUE(stored.LoadFromSkinFile(kvtest::writeTestSkin(dir.path())));
    model.LoadStoredSkin(stored);
    ASSERT_FALSE(model.Empty());

    // Write every description, read fresh objects of the same types from that text, write those again:
    // both texts must agree key for key.
    IniText first;
    for (const auto& d : model.ObjectDescriptions()) d->WriteToDescription(first);
    for (const auto& d : model.ControlDescriptions()) d->WriteToDescription(first);
    IniText reread = IniText::FromLines(first.ToLines());
    IniText second;
    IniText entries = IniText::Parse(kvtest::testSkinDescription());
    for (const auto& d : model.ObjectDescriptions()) {
        std::string entry(*entries.Value("SKINOBJECTS", std::to_string(&d - model.ObjectDescriptions().data())));
        auto fresh = CreateSkinObject(entry.substr(entry.find(':') + 1));
        ASSERT_NE(fresh, nullptr) << entry;
        fresh->IDName = d->IDName;
        fresh->ReadFromDescription(reread);
        fresh->WriteToDescription(second);
    }
    for (const auto& d : model.ControlDescriptions()) {
        std::string entry(*entries.Value("SKINCONTROLS", std::to_string(&d - model.ControlDescriptions().data())));
        auto fresh = CreateSkinControl(entry.substr(entry.find(':') + 1));
        ASSERT_NE(fresh, nullptr) << entry;
        fresh->IDName = d->IDName;
        fresh->ReadFromDescription(reread);
        fresh->WriteToDescription(second);
    }
    EXPECT_EQ(first.ToLines(), second.ToLines());

    // The writer keeps its keys' spelling and forms.
    EXPECT_EQ(first.Value("maxbutton", "restorehint").value(), "Restore");
    EXPECT_EQ(first.Value("traybutton", "command").value(), "cmminimizetotray");
    EXPECT_EQ(first.Value("closebutton", "morphing").value(), "1");
    EXPECT_EQ(first.Value("closebutton", "skinrect").value(), "258,5,275,22");
    EXPECT_EQ(first.Value("caption", "fontstyle").value(), "fsbold");
    EXPECT_EQ(first.Value("caption", "alignment").value(), "taleftjustify");
    EXPECT_EQ(first.Value("panel", "stretchtype").value(), "sthorz");
    EXPECT_TRUE(first.Value("mainmenubaritem", "unenabledfontColor"));
    EXPECT_TRUE(first.Value("button", "disabledskinrect"));
    EXPECT_FALSE(first.Value("button", "disableskinrsect"));  // that spelling belongs to frame buttons
}

TEST_F(SkinModel, WritingReplacesTheSection) {
    IniText ini = IniText::Parse("[x]\r\nskinrect=1,1,1,1\r\nstale=1\r\n[y]\r\na=b\r\n");
    TkvDataUserObject user;
    user.IDName = "x";
    user.ReadFromDescription(ini);
    EXPECT_EQ(user.SkinRect, (Rect{1, 1, 1, 1}));
    user.SkinRect = {2, 3, 4, 5};
    user.WriteToDescription(ini);
    EXPECT_FALSE(ini.Value("x", "stale"));
    EXPECT_EQ(ini.Value("x", "skinrect").value(), "2,3,4,5");
    EXPECT_FALSE(ini.Value("x", "hint"));  // a user object writes only its rectangle
    EXPECT_EQ(ini.Value("y", "a").value(), "b");
}
