#include "skin/data/kvSkinIni.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(SkinIni, LinesSplitAtAnyLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(JoinLines({"a", "b"}), "a\r\nb\r\n");
}

TEST(SkinIni, SyntaxRules) {
    IniText ini = IniText::Parse(
        "orphan=1\r\n"
        "  [ Main ]  \r\n"
        "; comment=1\r\n"
        "\tKey = value with = sign \t\r\n"
        "key=second\r\n"
        "noequals\r\n"
        "empty=\r\n"
        "[main]\r\n"
        "other=x\r\n");
    EXPECT_FALSE(ini.Value("main", "orphan"));
    EXPECT_EQ(ini.Value("MAIN", "key").value(), "value with = sign");  // first key wins, case ignored
    EXPECT_FALSE(ini.Value("main", "noequals"));
    EXPECT_FALSE(ini.Value("main", "; comment"));
    ASSERT_TRUE(ini.Value("main", "empty"));
    EXPECT_EQ(*ini.Value("main", "empty"), "");
    EXPECT_FALSE(ini.Value("main", "other"));  // a second section of the same name is never reached
    EXPECT_EQ(ini.Sections().size(), 2u);
}

TEST(SkinIni, Integers) {
    std::int32_t v = 0;
    EXPECT_TRUE(ParseInt32("-1", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(ParseInt32("$FF", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(ParseInt32("0X10", v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(ParseInt32("$FF000005", v));
    EXPECT_EQ(static_cast<std::uint32_t>(v), 0xFF000005u);
    EXPECT_TRUE(ParseInt32("2147483647", v));
    EXPECT_FALSE(ParseInt32("2147483648", v));
    EXPECT_FALSE(ParseInt32("$100000000", v));
    EXPECT_FALSE(ParseInt32("12a", v));
    EXPECT_FALSE(ParseInt32("", v));
    EXPECT_FALSE(ParseInt32("$", v));
    EXPECT_EQ(ToInteger(std::string_view("x"), 7), 7);
    EXPECT_EQ(ToInteger(std::nullopt, 7), 7);
    EXPECT_EQ(ToInteger(std::string_view(""), 7), 7);
}

TEST(SkinIni, BooleansAreTrueOnlyForOne) {
    EXPECT_TRUE(ToBoolean(std::string_view("1"), false));
    EXPECT_TRUE(ToBoolean(std::string_view("$1"), false));
    EXPECT_FALSE(ToBoolean(std::string_view("2"), true));
    EXPECT_FALSE(ToBoolean(std::string_view("true"), true));
    EXPECT_FALSE(ToBoolean(std::string_view(""), true));
    EXPECT_TRUE(ToBoolean(std::nullopt, true));
}

TEST(SkinIni, PointsAndRectsParseCharacterByCharacter) {
    EXPECT_EQ(ToRect(std::string_view("4, 27, 281, 206"), {}), (Rect{4, 27, 281, 206}));
    EXPECT_EQ(ToRect(std::string_view("-3,x1y0,2 0,5"), {}), (Rect{3, 10, 20, 5}));
    EXPECT_EQ(ToPoint(std::string_view("7,8,9"), {}), (Point{7, 8}));  // extra fields are ignored
    EXPECT_EQ(ToRect(std::nullopt, Rect{1, 2, 3, 4}), (Rect{1, 2, 3, 4}));
    EXPECT_THROW(ToRect(std::string_view("1,2,3"), {}), EConvertError);
    EXPECT_THROW(ToRect(std::string_view(""), {}), EConvertError);
    EXPECT_THROW(ToPoint(std::string_view("1,"), {}), EConvertError);
    EXPECT_THROW(ToPoint(std::string_view("a,b"), {}), EConvertError);
    EXPECT_THROW(ToPoint(std::string_view("99999999999,1"), {}), EConvertError);
}

TEST(SkinIni, Keywords) {
    EXPECT_EQ(ToMorphKind(std::string_view("mkpush"), mkdefault), mkpush);
    EXPECT_EQ(ToMorphKind(std::string_view("MKPUSH"), mkgradient), mkdefault);
    EXPECT_EQ(ToStretchType(std::string_view("stvert"), stfull), stvert);
    EXPECT_EQ(ToStretchType(std::string_view("other"), stfull), sthorz);
    EXPECT_EQ(ToStretchType(std::nullopt, stfull), stfull);
    EXPECT_EQ(ToInactiveEffect(std::string_view(""), iebrightness), iegrayscale);
    EXPECT_EQ(ToInactiveEffect(std::string_view("ieinvert"), iebrightness), ieinvert);
    EXPECT_EQ(ToInactiveEffect(std::nullopt, iebrightness), iebrightness);
    EXPECT_EQ(ToCommand(std::string_view("cmminimizetotray"), cmdefault), cmminimizetotray);
    EXPECT_EQ(ToCommand(std::string_view("cmwhatever"), cmdefault), cmminimizetotray);
    EXPECT_EQ(ToCommand(std::string_view("cmrollup"), cmdefault), cmrollup);
    EXPECT_EQ(ToAlignment(std::string_view("taleftjustify"), tacenter), taleftjustify);
    EXPECT_EQ(ToAlignment(std::string_view("TACENTER"), tacenter), tarightjustify);
    TkvFontStyles s = ToFontStyles(std::string_view("[fsbold fsunderline,fsItalic]"), {});
    EXPECT_TRUE(s.bold);
    EXPECT_TRUE(s.underline);
    EXPECT_FALSE(s.italic);  // case-sensitive
    EXPECT_FALSE(s.strikeOut);
}

TEST(SkinIni, WrittenValuesReadBackTheSame) {
    IniText ini;
    ini.WriteValue("S", "r", RectText({1, 2, 3, 4}));
    ini.WriteValue("S", "p", PointText({5, 6}));
    ini.WriteValue("S", "f", FontStylesText({true, false, false, true}));
    ini.WriteValue("S", "c", CommandText(cmminimizetotray));
    ini.WriteValue("S", "a", AlignmentText(tarightjustify));
    IniText back = IniText::FromLines(ini.ToLines());
    EXPECT_EQ(ToRect(back.Value("s", "R"), {}), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(ToPoint(back.Value("s", "p"), {}), (Point{5, 6}));
    EXPECT_EQ(ToFontStyles(back.Value("s", "f"), {}), (TkvFontStyles{true, false, false, true}));
    EXPECT_EQ(ToCommand(back.Value("s", "c"), cmclose), cmminimizetotray);
    EXPECT_EQ(ToAlignment(back.Value("s", "a"), tacenter), tarightjustify);
    back.EraseSection("s");
    EXPECT_FALSE(back.HasSection("S"));
}
