#include "skin/frame/MenuLayout.h"

#include <algorithm>

PopupMetrics PopupMetricsFrom(TkvSkinData* skin, const TkvDataSkinMenuItem* itemSkin, int itemHeightDefault) {
    PopupMetrics m;
    m.itemHeight = itemHeightDefault;
    if (!skin || skin->Empty()) return m;
    const TkvDataSkinPopupWindow& pw = skin->PopupWindow();
    const int index = pw.WindowPictureIndex;
    if (index < 0 || index >= static_cast<int>(skin->ActivePictures.size())) return m;
    const fw::Bitmap& picture = skin->ActivePictures[static_cast<std::size_t>(index)];
    if (picture.empty()) return m;
    m.windowSkin = true;
    m.picture = {picture.width(), picture.height()};
    m.corners = {pw.LeftTopPoint, pw.RightTopPoint, pw.LeftBottomPoint, pw.RightBottomPoint, pw.ItemsRect};
    if (itemSkin) {
        m.itemHeight = itemSkin->SkinRect.height();
        m.separatorHeight = itemSkin->DividerRect.height();
        m.textLeft = itemSkin->TextRect.left;
        m.textRight = itemSkin->TextRect.right;
        m.skinRectWidth = itemSkin->SkinRect.width();
    }
    return m;
}

int ItemHeight(const PopupMetrics& m, bool separator) { return separator ? m.separatorHeight : m.itemHeight; }

int PopupFrameHeight(const PopupMetrics& m) {
    return m.windowSkin ? m.picture.height + m.corners.client.top - m.corners.client.bottom : 4;
}

int PopupWidth(const PopupMetrics& m, int maxTextWidth, int glyphWidth) {
    const int a = maxTextWidth + glyphWidth + 19;
    if (!m.windowSkin) return a + 10;
    return m.picture.width + a + m.textLeft + m.skinRectWidth + m.corners.client.left - m.corners.client.right -
           m.textRight;
}

PopupHeight MeasurePopupHeight(const PopupMetrics& m, const std::vector<int>& itemHeights, int maxVisible,
                               int workAreaHeight) {
    PopupHeight h;
    if (maxVisible > 0 && static_cast<int>(itemHeights.size()) > maxVisible) {
        // Room for the two scroll markers on top of the visible items.
        h.height = m.itemHeight * maxVisible + PopupFrameHeight(m) + 2 * kScrollMarkerHeight;
        h.scrolling = h.byLimit = true;
    } else {
        int sum = 0;
        for (int ih : itemHeights) sum += ih;
        h.height = sum + PopupFrameHeight(m);
    }
    if (h.height > workAreaHeight) {
        h.height = workAreaHeight;
        h.scrolling = true;
        h.byLimit = false;
    }
    return h;
}

SkinCorners PopupCornersFor(const PopupMetrics& m, fw::Size size) {
    if (!m.windowSkin) return {{}, {}, {}, {}, {2, 2, size.width - 2, size.height - 2}};
    return ResizeCorners(m.corners, size.width - m.picture.width, size.height - m.picture.height);
}

fw::Rect PopupItemsArea(const PopupMetrics& m, fw::Size size) { return PopupCornersFor(m, size).client; }

StackedItems StackItems(const std::vector<int>& itemHeights, fw::Rect itemsArea, bool scrolling, int first) {
    StackedItems s;
    const int n = static_cast<int>(itemHeights.size());
    s.bounds.assign(itemHeights.size(), {});
    s.inView.assign(itemHeights.size(), false);
    const int bottom = itemsArea.bottom - (scrolling ? kScrollMarkerHeight : 0);
    int y = itemsArea.top + (scrolling ? kScrollMarkerHeight : 0);
    for (int i = std::max(0, first); i < n; ++i) {
        const int h = itemHeights[static_cast<std::size_t>(i)];
        if (y + h > bottom) break;
        s.bounds[static_cast<std::size_t>(i)] = {itemsArea.left, y, itemsArea.right, y + h};
        s.inView[static_cast<std::size_t>(i)] = true;
        ++s.shownCount;
        y += h;
    }
    return s;
}

int FirstVisibleFor(const std::vector<int>& itemHeights, fw::Rect itemsArea, bool scrolling, int first, int index) {
    if (index < first) return index;
    const int n = static_cast<int>(itemHeights.size());
    while (first < index && first < n) {
        const StackedItems s = StackItems(itemHeights, itemsArea, scrolling, first);
        if (s.inView[static_cast<std::size_t>(index)]) break;
        ++first;
    }
    return first;
}

fw::Point PlacePopup(fw::Rect anchor, fw::Rect area, fw::Size size, int itemsTop, PopupKind kind, bool scrollingToFit) {
    const int w = size.width, h = size.height;
    const bool upperHalf = anchor.top < area.top + area.height() / 2;
    bool beside = false;
    int y = 0;
    if (scrollingToFit) {
        y = area.top;
        beside = true;
    } else if (kind == PopupKind::Submenu) {
        y = anchor.top - itemsTop;
        if (y + h > area.bottom) y = upperHalf ? area.bottom - h : std::max(area.top, anchor.bottom - h + itemsTop);
        beside = true;
    } else if (kind == PopupKind::TopLevelAbove) {
        if (anchor.top - h >= area.top) {
            y = anchor.top - h;
        } else if (upperHalf) {
            if (anchor.bottom + h <= area.bottom) {
                y = anchor.bottom;
            } else {
                y = area.bottom - h;
                beside = true;
            }
        } else {
            y = area.top;
            beside = true;
        }
    } else if (anchor.bottom + h <= area.bottom) {
        y = anchor.bottom;
    } else if (upperHalf) {
        y = area.bottom - h;
        beside = true;
    } else if (anchor.top - h >= area.top) {
        y = anchor.top - h;
    } else {
        y = area.top;
        beside = true;
    }
    int x = 0;
    if (!beside) {
        x = anchor.left;
        if (x + w > area.right) x = area.right - w;
        else if (x < area.left) x = area.left;
    } else {
        x = anchor.right + 1;
        if (anchor.right + w + 1 > area.right) x = anchor.left - w - 1;
    }
    return {x, y};
}

int NextSelectable(const std::vector<bool>& selectable, int from, bool forward) {
    const int n = static_cast<int>(selectable.size());
    if (n == 0) return -1;
    if (from < 0 || from >= n) from = forward ? -1 : n;
    for (int step = 1; step <= n; ++step) {
        int i = from + (forward ? step : -step);
        i = ((i % n) + n) % n;
        if (selectable[static_cast<std::size_t>(i)]) return i;
    }
    return -1;
}
