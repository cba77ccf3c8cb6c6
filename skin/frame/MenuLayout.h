// The geometry of a skinned popup menu that needs no window: item heights, the popup's size, its items area, which
// items are in view, where the popup goes against the work area, and the keyboard's way through the items.
#pragma once

#include <vector>

#include "framework/Geometry.h"
#include "skin/data/kvSkinData.h"
#include "skin/imaging/SkinCompose.h"

// What sizes a popup, taken from the skin's [POPUPWINDOW] and `menuitem` descriptions, or the defaults without them.
struct PopupMetrics {
    bool windowSkin = false;  // the popup is drawn from the skin's window picture
    fw::Size picture;         // that picture's size
    SkinCorners corners;      // [POPUPWINDOW] corner points; client = `itemsrect`
    int itemHeight = 20;      // a normal item
    int separatorHeight = 4;  // a separator
    // `menuitem` values that widen the popup (0 without an item description).
    int textLeft = 0, textRight = 0, skinRectWidth = 0;
};

// Metrics from a skin: `windowSkin` needs a ready skin whose window picture exists; `itemSkin` may be null.
PopupMetrics PopupMetricsFrom(TkvSkinData* skin, const TkvDataSkinMenuItem* itemSkin, int itemHeightDefault);

int ItemHeight(const PopupMetrics& m, bool separator);
// The part of the popup's height that is not items.
int PopupFrameHeight(const PopupMetrics& m);
// Width for the widest item text (caption and shortcut as drawn, + 2) and the glyph column.
int PopupWidth(const PopupMetrics& m, int maxTextWidth, int glyphWidth);

struct PopupHeight {
    int height = 0;
    bool scrolling = false;
    bool byLimit = false;  // scrolling because of the visible-item limit, not because of the work area
};
// The height for items of these heights; maxVisible > 0 limits the visible items, and no popup is higher than the
// work area.
PopupHeight MeasurePopupHeight(const PopupMetrics& m, const std::vector<int>& itemHeights, int maxVisible,
                               int workAreaHeight);

// The stretched corner points and items area of a popup of this size.
SkinCorners PopupCornersFor(const PopupMetrics& m, fw::Size size);
fw::Rect PopupItemsArea(const PopupMetrics& m, fw::Size size);

// The height of a scroll marker band.
inline constexpr int kScrollMarkerHeight = 10;

// Items stacked from `first` on: the bounds of each item in view (empty for the others) and how many are in view.
struct StackedItems {
    std::vector<fw::Rect> bounds;
    std::vector<bool> inView;
    int shownCount = 0;
};
StackedItems StackItems(const std::vector<int>& itemHeights, fw::Rect itemsArea, bool scrolling, int first);

// The first visible item that brings `index` into view, moving `first` as little as possible.
int FirstVisibleFor(const std::vector<int>& itemHeights, fw::Rect itemsArea, bool scrolling, int first, int index);

enum class PopupKind { TopLevelDown, TopLevelAbove, Submenu };
// Screen position of a popup of `size` for the anchor rectangle in work area `area`. `itemsTop` is the items area's
// top (a sub-menu lines its items up with the parent item); `scrollingToFit` is a popup that scrolls because it
// is as high as the work area.
fw::Point PlacePopup(fw::Rect anchor, fw::Rect area, fw::Size size, int itemsTop, PopupKind kind, bool scrollingToFit);

// The nearest selectable item before or after `from` (wrapping, the search starting at the other end when `from`
// is at an end or −1); −1 when no item is selectable.
int NextSelectable(const std::vector<bool>& selectable, int from, bool forward);
