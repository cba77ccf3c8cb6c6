// The password model's word jumps: Ctrl+Left and Ctrl+Right stop at the start of each word and at the ends.
#include <gtest/gtest.h>

#include "skin/controls/PasswordText.h"

namespace {

TEST(PasswordText, WordJumpsStopAtWordStartsAndTheEnds) {
    TkvPasswordText t;
    t.SetText(L"ab  cd ef");
    EXPECT_EQ(t.NextWordPos(0), 4);
    EXPECT_EQ(t.NextWordPos(4), 7);
    EXPECT_EQ(t.NextWordPos(7), 9);
    EXPECT_EQ(t.PrevWordPos(9), 7);
    EXPECT_EQ(t.PrevWordPos(7), 4);
    EXPECT_EQ(t.PrevWordPos(5), 4);
    EXPECT_EQ(t.PrevWordPos(4), 0);
    EXPECT_EQ(t.PrevWordPos(0), 0);
    // Ctrl+Right at the end stays there; Ctrl+Shift+Left selects back to the word start.
    t.AreaWidth = 1000;
    t.SetCaretIndex(9);
    t.Key(PasswordKey::Right, false, true);
    EXPECT_EQ(t.CaretIndex, 9);
    t.Key(PasswordKey::Left, true, true);
    EXPECT_EQ(t.CaretIndex, 7);
    EXPECT_EQ(t.SelectionStart(), 7);
    EXPECT_EQ(t.SelectionLength(), 2);
}

}  // namespace
