// Popup menu geometry: heights and scrolling, the visible range, placement against the work area, and the
// keyboard's way over separators and disabled items.
#include <gtest/gtest.h>

#include "skin/frame/MenuLayout.h"

namespace {

// The popup values of the program's skin: a 93 x 55 window picture with items area (2, 2, 91, 53), items 22 and
// separators 3 pixels high.
PopupMetrics programPopup() {
    PopupMetrics m;
    m.windowSkin = true;
    m.picture = {93, 55};
    m.corners = {{6, 2}, {87, 2}, {6, 53}, {87, 53}, {2, 2, 91, 53}};
    m.itemHeight = 22;
    m.separatorHeight = 3;
    m.textLeft = 32;
    m.textRight = 62;
    m.skinRectWidth = 66;
    return m;
}

const fw::Rect kWork{0, 0, 800, 600};

TEST(MenuLayout, FortyItemsOnA600PixelWorkAreaScrollFromTheTopUntilTheLastIsShown) {
    const PopupMetrics m = programPopup();
    const std::vector<int> heights(40, 22);
    const PopupHeight h = MeasurePopupHeight(m, heights, 0, kWork.height());
    EXPECT_EQ(h.height, 600);
    EXPECT_TRUE(h.scrolling);
    EXPECT_FALSE(h.byLimit);
    const fw::Size size{150, h.height};
    const fw::Rect area = PopupItemsArea(m, size);
    EXPECT_EQ(area, (fw::Rect{2, 2, 148, 598}));
    // Opened from a point in the middle: at the top of the work area, beside the point.
    const fw::Point at = PlacePopup({300, 300, 300, 300}, kWork, size, area.top, PopupKind::TopLevelDown, true);
    EXPECT_EQ(at, (fw::Point{301, 0}));

    StackedItems s = StackItems(heights, area, true, 0);
    EXPECT_EQ(s.bounds[0], (fw::Rect{2, 12, 148, 34})) << "room for the upper marker";
    EXPECT_EQ(s.shownCount, (596 - 20) / 22);
    EXPECT_FALSE(s.inView[static_cast<std::size_t>(s.shownCount)]);
    // One item per step until the last one is in view.
    int first = 0, steps = 0;
    while (first + s.shownCount < 40) {
        s = StackItems(heights, area, true, ++first);
        ++steps;
    }
    EXPECT_EQ(steps, 40 - (596 - 20) / 22);
    EXPECT_TRUE(s.inView[39]);
    EXPECT_FALSE(s.inView[first - 1]);
    EXPECT_EQ(FirstVisibleFor(heights, area, true, 0, 39), first) << "the keyboard's wrap to the end";
}

TEST(MenuLayout, VisibleItemLimitGivesAScrollingPopupPlacedByTheNormalRules) {
    const PopupMetrics m = programPopup();
    const std::vector<int> heights(8, 22);
    const PopupHeight h = MeasurePopupHeight(m, heights, 5, kWork.height());
    EXPECT_EQ(h.height, 5 * 22 + (55 + 2 - 53) + 20);
    EXPECT_TRUE(h.scrolling);
    EXPECT_TRUE(h.byLimit);
    const fw::Size size{150, h.height};
    EXPECT_EQ(StackItems(heights, PopupItemsArea(m, size), true, 0).shownCount, 5);
    // Below its anchor, as a popup that fits.
    EXPECT_EQ(PlacePopup({100, 100, 120, 120}, kWork, size, 2, PopupKind::TopLevelDown, false), (fw::Point{100, 120}));
    // The same items without the limit do not scroll.
    EXPECT_FALSE(MeasurePopupHeight(m, heights, 0, kWork.height()).scrolling);
    EXPECT_EQ(MeasurePopupHeight(m, heights, 8, kWork.height()).height, 8 * 22 + 4);
}

TEST(MenuLayout, PopupsGoAboveWhenNotFittingBelowAndSubMenusFlipLeftAtTheRightEdge) {
    const fw::Size size{120, 95};
    // Lower half, no room below: above the anchor, at its left edge.
    EXPECT_EQ(PlacePopup({200, 550, 220, 570}, kWork, size, 2, PopupKind::TopLevelDown, false),
              (fw::Point{200, 550 - 95}));
    // Upper half, no room below (a short work area): pushed up to the bottom and set beside the anchor.
    EXPECT_EQ(PlacePopup({200, 20, 220, 40}, {0, 0, 800, 100}, size, 2, PopupKind::TopLevelDown, false),
              (fw::Point{221, 5}));
    // Asked to open above with room there.
    EXPECT_EQ(PlacePopup({200, 300, 220, 320}, kWork, size, 2, PopupKind::TopLevelAbove, false), (fw::Point{200, 205}));
    // Crossing the right edge moves left.
    EXPECT_EQ(PlacePopup({760, 100, 760, 100}, kWork, size, 2, PopupKind::TopLevelDown, false), (fw::Point{680, 100}));

    // A sub-menu beside its parent item, items lined up; at the right edge it opens on the left side.
    const fw::Rect item{500, 200, 650, 222};
    EXPECT_EQ(PlacePopup(item, kWork, size, 2, PopupKind::Submenu, false), (fw::Point{651, 198}));
    const fw::Rect edgeItem{620, 200, 760, 222};
    EXPECT_EQ(PlacePopup(edgeItem, kWork, size, 2, PopupKind::Submenu, false), (fw::Point{620 - 120 - 1, 198}));
    // Near the bottom in the lower half it ends at the item's bottom.
    EXPECT_EQ(PlacePopup({500, 560, 650, 582}, kWork, size, 2, PopupKind::Submenu, false),
              (fw::Point{651, 582 - 95 + 2}));
}

TEST(MenuLayout, SizesOfTheSystemMenuAndTheKeyboardsWayOverSeparatorsAndDisabledItems) {
    const PopupMetrics m = programPopup();
    // Minimize, Maximize, RollUp, separator, Close.
    const std::vector<int> heights{ItemHeight(m, false), ItemHeight(m, false), ItemHeight(m, false),
                                   ItemHeight(m, true), ItemHeight(m, false)};
    EXPECT_EQ(MeasurePopupHeight(m, heights, 0, 600).height, 95);
    EXPECT_EQ(PopupWidth(m, 60, 19), 93 + (60 + 19 + 19) + 32 + 66 + 2 - 91 - 62);
    PopupMetrics plain;
    EXPECT_EQ(PopupFrameHeight(plain), 4);
    EXPECT_EQ(PopupWidth(plain, 60, 19), 60 + 19 + 19 + 10);
    EXPECT_EQ(PopupItemsArea(plain, {100, 50}), (fw::Rect{2, 2, 98, 48}));

    // Item 1 disabled, item 3 a separator.
    const std::vector<bool> selectable{true, false, true, false, true};
    EXPECT_EQ(NextSelectable(selectable, 0, true), 2);
    EXPECT_EQ(NextSelectable(selectable, 2, true), 4);
    EXPECT_EQ(NextSelectable(selectable, 4, true), 0) << "from the last the search starts at the top";
    EXPECT_EQ(NextSelectable(selectable, 0, false), 4);
    EXPECT_EQ(NextSelectable(selectable, -1, false), 4);
    EXPECT_EQ(NextSelectable({false, false}, -1, true), -1);
}

}  // namespace
