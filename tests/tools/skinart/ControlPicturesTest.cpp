// Control and menu images: state looks that can be told apart, and middles that repeat without seams.
#include <gtest/gtest.h>

#include "tools/skinart/Layout.h"
#include "tools/skinart/Pictures.h"

namespace skinart {
namespace {

namespace L = layout;
using fw::Bitmap;
using fw::Rect;

bool same(const Bitmap& b, Rect r1, Rect r2) {
    if (r1.width() != r2.width() || r1.height() != r2.height()) return false;
    for (int y = 0; y < r1.height(); ++y)
        for (int x = 0; x < r1.width(); ++x)
            if (b.at(r1.left + x, r1.top + y) != b.at(r2.left + x, r2.top + y)) return false;
    return true;
}

// Columns [from, to) of r are all equal to column `from`: a width-only image may repeat them.
void expectRepeatableColumns(const Bitmap& b, Rect r, int from, int to) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left + from; x < r.left + to; ++x)
            ASSERT_EQ(b.at(x, y), b.at(r.left + from, y)) << "column " << x - r.left << " row " << y - r.top;
}

TEST(ControlPictures, PushButtonHasFiveDistinctStates) {
    const Bitmap c = controlsPicture();
    for (int a = L::Normal; a <= L::Disabled; ++a)
        for (int b = a + 1; b <= L::Disabled; ++b)
            EXPECT_FALSE(same(c, L::button(a), L::button(b))) << a << " vs " << b;
}

TEST(ControlPictures, PressablePartsChangeWithTheirState) {
    const Bitmap c = controlsPicture();
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 4; ++j) {
            EXPECT_FALSE(same(c, L::toolButton(i), L::toolButton(j))) << i << " vs " << j;
            EXPECT_FALSE(same(c, L::comboButton(i), L::comboButton(j))) << i << " vs " << j;
        }
    EXPECT_FALSE(same(c, L::edit(0), L::edit(1)));  // hovered or focused fields look active
    EXPECT_FALSE(same(c, L::vScrollUp(0), L::vScrollUp(1)));
    EXPECT_FALSE(same(c, L::vScrollUp(1), L::vScrollUp(2)));
    EXPECT_FALSE(same(c, L::checkImage(0), L::checkImage(1)));  // checked vs unchecked
    EXPECT_FALSE(same(c, L::checkImage(0), L::checkImage(4)));  // enabled vs disabled
}

TEST(ControlPictures, WidthOnlyImagesRepeatTheirMiddle) {
    const Bitmap c = controlsPicture();
    // Middle columns between the left-top and right-top points of the descriptions.
    for (int s = L::Normal; s <= L::Disabled; ++s) expectRepeatableColumns(c, L::button(s), 3, 35);
    for (int s = 0; s < 2; ++s) {
        expectRepeatableColumns(c, L::edit(s), 4, 56);
        expectRepeatableColumns(c, L::buttonEdit(s), 4, 60);
        expectRepeatableColumns(c, L::combo(s), 4, 60);
        expectRepeatableColumns(c, L::spinEdit(s), 4, 40);
    }
    for (int k = 0; k < 4; ++k) expectRepeatableColumns(c, L::label(k), 2, 38);
    // The browse button sits in the fixed right part, untouched by the repetition.
    EXPECT_GE(L::kEditButton.left, 60);
}

TEST(ControlPictures, MenuItemsRepeatBetweenTheirFixedParts) {
    const Bitmap m = menuItems();
    expectRepeatableColumns(m, L::kItemNormal, 30, L::kItemNormal.width() - 6);
    expectRepeatableColumns(m, L::kItemActive, 30, L::kItemActive.width() - 6);
    expectRepeatableColumns(m, L::kItemDivider, 30, L::kItemDivider.width() - 2);
    EXPECT_FALSE(same(m, L::kItemNormal, L::kItemActive));
    EXPECT_EQ(L::kItemNormal.height(), 22);
    EXPECT_EQ(L::kItemDivider.height(), 3);
}

}  // namespace
}  // namespace skinart
