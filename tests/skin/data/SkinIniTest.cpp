#include "skin/data/kvSkinIni.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(SkinIni, LinesSplitAtAnyLineEnd) {
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(joinLines({"a", "b"}), "a\r\nb\r\n");
}

TEST(SkinIni, SyntaxRules) {
    IniText ini = IniText::parse(
        "orphan=1\r\n"
        "  [ Main ]  \r\n"
        "; comment=1\r\n"
        "\tKey = value with = sign \t\r\n"
        "key=second\r\n"
        "noequals\r\n"
        "empty=\r\n"
        "[main]\r\n"
        "other=x\r\n");
    EXPECT_FALSE(ini.value("main", "orphan"));
    EXPECT_EQ(ini.value("MAIN", "key").value(), "value with = sign");  // first key wins, case ignored
    EXPECT_FALSE(ini.value("main", "noequals"));
    EXPECT_FALSE(ini.value("main", "; comment"));
    ASSERT_TRUE(ini.value("main", "empty"));
    EXPECT_EQ(*ini.value("main", "empty"), "");
    EXPECT_FALSE(ini.value("main", "other"));  // a second section of the same name is never reached
    EXPECT_EQ(ini.sections().size(), 2u);
}

TEST(SkinIni, Integers) {
    std::int32_t v = 0;
    EXPECT_TRUE(parseInt32("-1", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(parseInt32("$FF", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(parseInt32("0X10", v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(parseInt32("$FF000005", v));
    EXPECT_EQ(static_cast<std::uint32_t>(v), 0xFF000005u);
    EXPECT_TRUE(parseInt32("2147483647", v));
    EXPECT_FALSE(parseInt32("2147483648", v));
    EXPECT_FALSE(parseInt32("$100000000", v));
    EXPECT_FALSE(parseInt32("12a", v));
    EXPECT_FALSE(parseInt32("", v));
    EXPECT_FALSE(parseInt32("$", v));
    EXPECT_EQ(toInteger(std::string_view("x"), 7), 7);
    EXPECT_EQ(toInteger(std::nullopt, 7), 7);
    EXPECT_EQ(toInteger(std::string_view(""), 7), 7);
}

TEST(SkinIni, BooleansAreTrueOnlyForOne) {
    EXPECT_TRUE(toBoolean(std::string_view("1"), false));
    EXPECT_TRUE(toBoolean(std::string_view("$1"), false));
    EXPECT_FALSE(toBoolean(std::string_view("2"), true));
    EXPECT_FALSE(toBoolean(std::string_view("true"), true));
    EXPECT_FALSE(toBoolean(std::string_view(""), true));
    EXPECT_TRUE(toBoolean(std::nullopt, true));
}

TEST(SkinIni, PointsAndRectsParseCharacterByCharacter) {
    EXPECT_EQ(toRect(std::string_view("4, 27, 281, 206"), {}), (Rect{4, 27, 281, 206}));
    EXPECT_EQ(toRect(std::string_view("-3,x1y0,2 0,5"), {}), (Rect{3, 10, 20, 5}));
    EXPECT_EQ(toPoint(std::string_view("7,8,9"), {}), (Point{7, 8}));  // extra fields are ignored
    EXPECT_EQ(toRect(std::nullopt, Rect{1, 2, 3, 4}), (Rect{1, 2, 3, 4}));
    EXPECT_THROW(toRect(std::string_view("1,2,3"), {}), EConvertError);
    EXPECT_THROW(toRect(std::string_view(""), {}), EConvertError);
    EXPECT_THROW(toPoint(std::string_view("1,"), {}), EConvertError);
    EXPECT_THROW(toPoint(std::string_view("a,b"), {}), EConvertError);
    EXPECT_THROW(toPoint(std::string_view("99999999999,1"), {}), EConvertError);
}

TEST(SkinIni, Keywords) {
    EXPECT_EQ(toMorphKind(std::string_view("mkpush"), mkdefault), mkpush);
    EXPECT_EQ(toMorphKind(std::string_view("MKPUSH"), mkgradient), mkdefault);
    EXPECT_EQ(toStretchType(std::string_view("stvert"), stfull), stvert);
    EXPECT_EQ(toStretchType(std::string_view("other"), stfull), sthorz);
    EXPECT_EQ(toStretchType(std::nullopt, stfull), stfull);
    EXPECT_EQ(toInactiveEffect(std::string_view(""), iebrightness), iegrayscale);
    EXPECT_EQ(toInactiveEffect(std::string_view("ieinvert"), iebrightness), ieinvert);
    EXPECT_EQ(toInactiveEffect(std::nullopt, iebrightness), iebrightness);
    EXPECT_EQ(toCommand(std::string_view("cmminimizetotray"), cmdefault), cmminimizetotray);
    EXPECT_EQ(toCommand(std::string_view("cmwhatever"), cmdefault), cmminimizetotray);
    EXPECT_EQ(toCommand(std::string_view("cmrollup"), cmdefault), cmrollup);
    EXPECT_EQ(toAlignment(std::string_view("taleftjustify"), tacenter), taleftjustify);
    EXPECT_EQ(toAlignment(std::string_view("TACENTER"), tacenter), tarightjustify);
    TkvFontStyles s = toFontStyles(std::string_view("[fsbold fsunderline,fsItalic]"), {});
    EXPECT_TRUE(s.bold);
    EXPECT_TRUE(s.underline);
    EXPECT_FALSE(s.italic);  // case-sensitive
    EXPECT_FALSE(s.strikeOut);
}

TEST(SkinIni, WrittenValuesReadBackTheSame) {
    IniText ini;
    ini.writeValue("S", "r", rectText({1, 2, 3, 4}));
    ini.writeValue("S", "p", pointText({5, 6}));
    ini.writeValue("S", "f", fontStylesText({true, false, false, true}));
    ini.writeValue("S", "c", commandText(cmminimizetotray));
    ini.writeValue("S", "a", alignmentText(tarightjustify));
    IniText back = IniText::fromLines(ini.toLines());
    EXPECT_EQ(toRect(back.value("s", "R"), {}), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(toPoint(back.value("s", "p"), {}), (Point{5, 6}));
    EXPECT_EQ(toFontStyles(back.value("s", "f"), {}), (TkvFontStyles{true, false, false, true}));
    EXPECT_EQ(toCommand(back.value("s", "c"), cmclose), cmminimizetotray);
    EXPECT_EQ(toAlignment(back.value("s", "a"), tacenter), tarightjustify);
    back.eraseSection("s");
    EXPECT_FALSE(back.hasSection("S"));
}
