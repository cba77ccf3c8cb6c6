#include "framework/Description.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {
// The line of the error a text raises, or 0 when it parses.
int errorLine(std::string_view text, std::string* message = nullptr) {
    try {
        parseDescription(text);
    } catch (const DescriptionError& e) {
        if (message) *message = e.what();
        return e.line();
    }
    return 0;
}
}  // namespace

TEST(DescriptionParser, ReadsNestedObjectsWithEveryKindOfValue) {
    const char* text = R"(// main window
TfrmMain frmMain {
  Caption: "Kovra" "Access数据库";
  Left: -12;
  Color: 0xFF00000F;
  Align: alTop;
  BorderIcons: [biSystemMenu, biMinimize];
  Empty: [];
  Font.Name: "MS Sans Serif";
  OnShow: @FormShow;
  Panel TopPnl {
    Data: <78 9c
           0A0b>;
    Skin: &store;   // defined below
  }
  Store store { Data: <include "KVSKIN">; }
})";
    ObjectNode root = parseDescription(text);
    EXPECT_EQ(root.className, "TfrmMain");
    EXPECT_EQ(root.name, "frmMain");
    EXPECT_EQ(root.line, 2);
    ASSERT_EQ(root.properties.size(), 8u);
    EXPECT_EQ(root.properties[0].value.toUtf8(), "KovraAccess数据库");
    EXPECT_EQ(root.properties[0].value.toWide(), L"KovraAccess数据库");
    EXPECT_EQ(root.properties[1].value.toInt(), -12);
    EXPECT_EQ(static_cast<unsigned>(root.properties[2].value.toInt()), 0xFF00000Fu);
    EXPECT_EQ(root.properties[2].value.toColor(), 0xFF00000Fu);
    EXPECT_EQ(root.properties[3].value.ident(), "alTop");
    EXPECT_EQ(root.properties[4].value.set(), (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
    EXPECT_TRUE(root.properties[5].value.set().empty());
    EXPECT_EQ(root.properties[6].name, "Font.Name");
    EXPECT_EQ(root.properties[7].value.kind, Value::Kind::Event);
    EXPECT_EQ(root.properties[7].value.text, "FormShow");
    ASSERT_EQ(root.children.size(), 2u);
    const ObjectNode& panel = root.children[0];
    EXPECT_EQ(panel.className, "Panel");
    EXPECT_EQ(panel.line, 11);
    EXPECT_EQ(panel.properties[0].value.binary(), (std::vector<std::uint8_t>{0x78, 0x9C, 0x0A, 0x0B}));
    EXPECT_EQ(panel.properties[1].value.kind, Value::Kind::Reference);
    EXPECT_EQ(panel.properties[1].value.text, "store");
    EXPECT_EQ(panel.properties[1].line, 14);
    EXPECT_EQ(root.children[1].properties[0].value.kind, Value::Kind::Include);
    EXPECT_EQ(root.children[1].properties[0].value.text, "KVSKIN");
}

TEST(DescriptionParser, StringEscapesAndColourNames) {
    ObjectNode n = parseDescription(R"(A a { S: "q\"b\\n\n\t"; C: clBtnFace; T: true; F: false; })");
    EXPECT_EQ(n.properties[0].value.toUtf8(), "q\"b\\n\n\t");
    EXPECT_EQ(n.properties[1].value.toColor(), 0xFF00000Fu);
    EXPECT_TRUE(n.properties[2].value.toBool());
    EXPECT_FALSE(n.properties[3].value.toBool());
}

TEST(DescriptionParser, SyntaxErrorsNameTheirLine) {
    std::string msg;
    EXPECT_EQ(errorLine("A a {\n  X: 1\n}", &msg), 3);  // missing ';' noticed at the '}'
    EXPECT_NE(msg.find("';'"), std::string::npos) << msg;
    EXPECT_EQ(errorLine("A a {\n\n  X: \"open\n}"), 3);
    EXPECT_EQ(errorLine("A a {\n  X: <0A 1>;\n}"), 2);  // odd number of digits
    EXPECT_EQ(errorLine("A a {\n  X: <0G>;\n}"), 2);
    EXPECT_EQ(errorLine("A a {\n  X: [a b];\n}"), 2);
    EXPECT_EQ(errorLine("A a {\n  B b {\n"), 3);  // unclosed objects
    EXPECT_EQ(errorLine("A a { }\nB b { }"), 2);  // two top-level objects
    EXPECT_EQ(errorLine("A a { X: 99999999999; }"), 1);
    EXPECT_EQ(errorLine("A a { X: 12ab; }"), 1);
    EXPECT_EQ(errorLine("A a { X: \"\\q\"; }"), 1);
    EXPECT_EQ(errorLine("A a { X: <frob \"x\">; }"), 1);
    EXPECT_EQ(errorLine(""), 1);
}

TEST(DescriptionParser, DeepNestingIsRefusedNotOverflowed) {
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "A a {\n";
    EXPECT_GT(errorLine(text), 0);
}

TEST(DescriptionParser, ListsHoldValuesAndCollectionItems) {
    ObjectNode n = parseDescription(
        "A a {\n X: (\"one\" \"+1\", 2, <0A>);\n Y: (item { Name: \"b\"; Skin: <include \"S\">; },\n"
        "  item { });\n Z: ();\n}");
    const std::vector<Value>& x = n.properties[0].value.list();
    ASSERT_EQ(x.size(), 3u);
    EXPECT_EQ(x[0].toUtf8(), "one+1");
    EXPECT_EQ(x[1].toInt(), 2);
    EXPECT_EQ(x[2].binary(), std::vector<std::uint8_t>{0x0A});
    const std::vector<Value>& y = n.properties[1].value.list();
    ASSERT_EQ(y.size(), 2u);
    ASSERT_EQ(y[0].item().size(), 2u);
    EXPECT_EQ(y[0].item()[0].name, "Name");
    EXPECT_EQ(y[0].item()[1].value.kind, Value::Kind::Include);
    EXPECT_TRUE(y[1].item().empty());
    EXPECT_TRUE(n.properties[2].value.list().empty());
    EXPECT_THROW((void)n.properties[0].value.item(), DescriptionError);

    EXPECT_EQ(errorLine("A a {\n X: (1 2);\n}"), 2);        // elements need commas
    EXPECT_EQ(errorLine("A a {\n X: (thing { });\n}"), 2);  // only items are named
    EXPECT_EQ(errorLine("A a {\n X: (item { B b { } });\n}"), 2);
    std::string deep = "A a { X: ";
    for (int i = 0; i < 10000; ++i) deep += "(item { Y: ";
    EXPECT_GT(errorLine(deep), 0);
}

TEST(DescriptionParser, ValuesOfTheWrongKindAreReportedWithTheirLine) {
    ObjectNode n = parseDescription("A a {\n X: 5;\n Y: \"s\";\n}");
    try {
        (void)n.properties[0].value.toUtf8();
        FAIL() << "no error";
    } catch (const DescriptionError& e) {
        EXPECT_EQ(e.line(), 2);
        EXPECT_EQ(e.message(), "a string expected, found an integer");
    }
    EXPECT_THROW((void)n.properties[1].value.toInt(), DescriptionError);
    EXPECT_THROW((void)n.properties[1].value.toColor(), DescriptionError);
}
