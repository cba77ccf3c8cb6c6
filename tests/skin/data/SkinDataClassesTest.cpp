#include "skin/data/kvSkinDataClasses.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "framework/DescriptionReader.h"
#include "skin/data/kvSkinData.h"
#include "tests/skin/data/RecordingMessenger.h"
#include "tests/skin/data/TestSkin.h"

using namespace fw;

namespace {
std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char b[3];
    for (std::uint8_t v : bytes) {
        std::snprintf(b, sizeof b, "%02X", v);
        out += b;
    }
    return out;
}

struct DescriptionRead : ::testing::Test {
    ClassRegistry classes;
    kvtest::FakeForm form;
    kvtest::RecordingMessenger messenger;

    DescriptionRead() {
        messenger.forms = {&form};
        classes.addAbstract("TForm");
        RegisterSkinDataClasses(classes);
        // A model class of the test's own that tells the recorder instead of the platform's forms.
        classes.addClass("TRecordedSkinData", "TkvSkinData", [this](Component* owner) -> std::unique_ptr<Component> {
            return std::make_unique<TkvSkinData>(owner, &messenger);
        });
    }
};
}  // namespace

TEST_F(DescriptionRead, StoredSkinLoadsWhenItsReferenceIsResolved) {
    std::string packed = hex(kvtest::compressPackage(
        kvtest::smallPackage("[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n[button]\r\nskinrect=1,2,3,4\r\n")
            .ToBytes()));
    std::string text =
        "TForm frmMain {\n"
        "  TRecordedSkinData kvSkinData1 {\n"
        "    CompressedStoredSkin: &kvStore;\n"
        "    SkinnableForm: false;\n"
        "    ShowButtonGlowFrames: false;\n"
        "  }\n"
        "  TkvCompressedStoredSkin kvStore {\n"
        "    FileName: \"skin.ini\";\n"
        "    CompressedData: <" +
        packed +
        ">;\n"
        "  }\n"
        "}\n";
    DescriptionReader(classes).read(text, form);
    auto* model = dynamic_cast<TkvSkinData*>(form.findComponent("kvSkinData1"));
    auto* stored = dynamic_cast<TkvCompressedStoredSkin*>(form.findComponent("kvStore"));
    ASSERT_NE(model, nullptr);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(model->CompressedStoredSkin(), stored);
    EXPECT_EQ(stored->FileName(), "skin.ini");  // not designing: stored only
    EXPECT_FALSE(model->Empty());
    EXPECT_FALSE(model->SkinnableForm());
    EXPECT_FALSE(model->ShowButtonGlowFrames);
    auto* button = model->ControlAs<TkvDataSkinButtonControl>(model->GetControlIndex("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->SkinRect, (Rect{1, 2, 3, 4}));
    // The skinnable flag was read while the form was loading: only the load's three messages went out.
    EXPECT_EQ(messenger.messages(), (std::vector<unsigned>{1225, 1226, 1227}));

    // Destroying the stored skin drops the reference; the loaded skin stays.
    form.destroyComponent(stored);
    EXPECT_EQ(model->CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(model->Empty());
}

TEST_F(DescriptionRead, ReferenceToAnotherClassIsAnError) {
    std::string text =
        "TForm frmMain {\n"
        "  TkvSkinData kvSkinData1 { ResourceStrData: &kvStore; }\n"
        "  TkvCompressedStoredSkin kvStore { }\n"
        "}\n";
    try {
        DescriptionReader(classes).read(text, form);
        FAIL() << "read a reference to the wrong class";
    } catch (const DescriptionError& e) {
        EXPECT_NE(std::string(e.what()).find("is not a TkvResourceStrData"), std::string::npos) << e.what();
    }
}

TEST_F(DescriptionRead, ResourceStringsAndSkinListItemsAreWrittenAsLists) {
    const std::vector<std::uint8_t> zlib = kvtest::compressPackage(
        kvtest::smallPackage("[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n[button]\r\nskinrect=1,2,3,4\r\n")
            .ToBytes());
    const std::uint32_t n = static_cast<std::uint32_t>(zlib.size());
    std::vector<std::uint8_t> framed{
        3, 0, 0, 0, std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16), std::uint8_t(n >> 24)};
    framed.insert(framed.end(), zlib.begin(), zlib.end());
    const std::string text =
        "TForm frmMain {\n"
        "  TkvResourceStrData strings { ResStrings: (\"MSG_BTN_OK=好\", \"MSG_BTN_CANCEL=取消\"); }\n"
        "  TkvCompressedSkinList skins {\n"
        "    Skins: (item { Name: \"Blue\"; Description: \"blue one\"; Skin: <" +
        hex(framed) +
        ">; },\n"
        "            item { Name: \"Grey\"; });\n"
        "  }\n"
        "  TRecordedSkinData kvSkinData1 { }\n"
        "}\n";
    DescriptionReader(classes).read(text, form);
    auto* strings = dynamic_cast<TkvResourceStrData*>(form.findComponent("strings"));
    auto* skins = dynamic_cast<TkvCompressedSkinList*>(form.findComponent("skins"));
    auto* model = dynamic_cast<TkvSkinData*>(form.findComponent("kvSkinData1"));
    ASSERT_TRUE(strings && skins && model);
    EXPECT_EQ(strings->ResStrings(), (std::vector<std::string>{"MSG_BTN_OK=好", "MSG_BTN_CANCEL=取消"}));
    ASSERT_EQ(skins->Skins().Count(), 2);
    EXPECT_EQ(skins->Skins()[0].Name, "Blue");
    EXPECT_EQ(skins->Skins()[0].Description, "blue one");
    EXPECT_EQ(skins->Skins()[1].Name, "Grey");
    EXPECT_TRUE(skins->Skins()[1].StoredSkin().IsEmpty());

    // An empty model names no description; the item's skin loads into it, and clearing empties it again.
    EXPECT_EQ(model->GetControlIndex("button"), -1);
    EXPECT_EQ(model->ControlAs<TkvDataSkinControl>(0), nullptr);
    model->LoadStoredSkin(skins->Skins()[0].StoredSkin());
    ASSERT_FALSE(model->Empty());
    EXPECT_NE(model->ControlAs<TkvDataSkinControl>(model->GetControlIndex("button")), nullptr);
    model->ClearSkin();
    EXPECT_EQ(model->GetControlIndex("button"), -1);

    try {
        DescriptionReader(classes).read("TForm f {\n TkvCompressedSkinList s {\n  Skins: (item { Colour: 1; });\n }\n}",
                                        form);
        FAIL() << "read an unknown item property";
    } catch (const DescriptionError& e) {
        EXPECT_EQ(e.line(), 3);
    }
}
