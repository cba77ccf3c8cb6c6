// The combo box's item bookkeeping, its keyboard targets and the drop-down's first visible row.
#include <gtest/gtest.h>

#include "skin/controls/ComboItems.h"

namespace {

TEST(ComboItems, TheSelectionStaysOnItsItemAsItemsComeAndGo) {
    TkvComboItems items;
    EXPECT_EQ(items.Add(L"a", 10), 0);
    EXPECT_EQ(items.Add(L"b", 20), 1);
    EXPECT_EQ(items.Add(L"c", 30), 2);
    EXPECT_TRUE(items.SetItemIndex(1));
    EXPECT_FALSE(items.SetItemIndex(1)) << "no change";

    items.Insert(0, L"first", 5);
    EXPECT_EQ(items.ItemIndex(), 2);
    EXPECT_EQ(items.Text(2), L"b");
    items.Insert(99, L"last", 50);  // clamped to the end
    EXPECT_EQ(items.Text(4), L"last");
    EXPECT_EQ(items.Data(4), 50);

    items.Delete(0);
    EXPECT_EQ(items.ItemIndex(), 1);
    EXPECT_EQ(items.Text(items.ItemIndex()), L"b");
    items.Delete(3);  // after the selection
    EXPECT_EQ(items.ItemIndex(), 1);
    items.Delete(7);  // out of range: ignored
    EXPECT_EQ(items.Count(), 3);
    items.Delete(1);
    EXPECT_EQ(items.ItemIndex(), -1) << "the selected item went";

    EXPECT_TRUE(items.SetItemIndex(0));
    EXPECT_TRUE(items.SetItemIndex(3)) << "out of range selects nothing";
    EXPECT_EQ(items.ItemIndex(), -1);
    EXPECT_EQ(items.Text(-1), L"");
    EXPECT_EQ(items.Data(9), 0);
    items.SetItemIndex(0);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.ItemIndex(), -1);
}

TEST(ComboItems, NavigationKeysStopAtTheEnds) {
    using K = TkvComboKey;
    EXPECT_EQ(ComboKeyTarget(-1, 5, K::Down, 3), 0);
    EXPECT_EQ(ComboKeyTarget(-1, 5, K::Up, 3), 0);
    EXPECT_EQ(ComboKeyTarget(-1, 5, K::End, 3), 4);
    EXPECT_EQ(ComboKeyTarget(4, 5, K::Down, 3), 4);
    EXPECT_EQ(ComboKeyTarget(0, 5, K::Up, 3), 0);
    EXPECT_EQ(ComboKeyTarget(1, 5, K::PageDown, 3), 4);
    EXPECT_EQ(ComboKeyTarget(3, 5, K::PageDown, 3), 4);
    EXPECT_EQ(ComboKeyTarget(3, 5, K::PageUp, 3), 0);
    EXPECT_EQ(ComboKeyTarget(3, 5, K::Home, 3), 0);
    EXPECT_EQ(ComboKeyTarget(2, 0, K::Down, 3), -1) << "no items";
}

TEST(ComboItems, TheDropDownScrollsJustEnoughToShowTheSelection) {
    EXPECT_EQ(DropDownTopIndex(0, 3, 8, 20), 0) << "already visible";
    EXPECT_EQ(DropDownTopIndex(0, 8, 8, 20), 1);
    EXPECT_EQ(DropDownTopIndex(5, 2, 8, 20), 2);
    EXPECT_EQ(DropDownTopIndex(30, -1, 8, 20), 12) << "never past the last full page";
    EXPECT_EQ(DropDownTopIndex(-4, -1, 8, 20), 0);
    EXPECT_EQ(DropDownTopIndex(3, 2, 8, 5), 0) << "everything fits";
}

}  // namespace
