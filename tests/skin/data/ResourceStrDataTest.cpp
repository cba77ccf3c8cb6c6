#include "skin/data/kvResourceStrData.h"

#include <gtest/gtest.h>

#include <set>

using namespace fw;

TEST(ResourceStrData, DefaultLinesInTheirOrder) {
    TkvResourceStrData r;
    const auto& lines = r.ResStrings();
    ASSERT_EQ(lines.size(), 131u);
    EXPECT_EQ(lines.front(), "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(lines[21], "MSG_BTN_OK=OK");
    EXPECT_EQ(lines[53].substr(0, 9), "CALC_CAP=");
    EXPECT_EQ(lines[54].substr(0, 6), "ERROR=");
    EXPECT_EQ(lines.back(), "DBNAV_REFRESH=REFRESH");
    EXPECT_EQ(r.CharSet, 1);
    // Every line is KEY=text with a non-empty text, and no key repeats.
    std::set<std::string> keys;
    for (const auto& l : lines) {
        auto eq = l.find('=');
        ASSERT_NE(eq, std::string::npos) << l;
        EXPECT_LT(eq + 1, l.size()) << l;
        EXPECT_TRUE(keys.insert(l.substr(0, eq)).second) << l;
    }
}

TEST(ResourceStrData, LookUpIgnoresCaseAndKeepsLaterEquals) {
    TkvResourceStrData r;
    EXPECT_EQ(r.GetResourceStr("msg_btn_ok"), "OK");
    EXPECT_EQ(r.GetResourceStr("FLV_LOOKIN"), "Look in: ");
    EXPECT_EQ(r.GetResourceStr("MSG_OVERWRITE"), "Do you want to overwrite old file?");
    EXPECT_EQ(r.GetResourceStr("NO_SUCH_KEY"), "");
    r.SetResStrings({"A=x=y", "a=second", "B="});
    EXPECT_EQ(r.GetResourceStr("a"), "x=y");
    EXPECT_EQ(r.GetResourceStr("b"), "");
    EXPECT_EQ(r.GetResourceStr("MSG_BTN_OK"), "");  // replaced lines hold no defaults
    EXPECT_EQ(DefaultResourceStr("MSG_CAP_SHOWFLAG"), "Do not display this message again");
    EXPECT_EQ(DefaultResourceStr("mi_rollupcaption"), "Ro&llUp");
}
