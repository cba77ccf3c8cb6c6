// pw.bmp, pwmask.bmp and menuitems.bmp: the popup-menu window and its items.
#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Layout.h"
#include "tools/skinart/Pictures.h"
#include "tools/skinart/Theme.h"

namespace skinart {

namespace L = layout;
namespace T = theme;

namespace {

constexpr Pixel kMenuBorder = rgb(140, 164, 200);
constexpr Pixel kColumn = rgb(234, 241, 251);      // glyph column
constexpr Pixel kColumnLine = rgb(214, 226, 242);  // its edge
constexpr Pixel kMenuBack = rgb(255, 255, 255);

// Item background: white with the tinted glyph column at the left.
void itemBackground(PixelView v, Rect r) {
    fill(v, r, kMenuBack);
    fill(v, {r.left, r.top, r.left + L::kMenuColumn, r.bottom}, kColumn);
    vLine(v, r.left + L::kMenuColumn, r.top, r.bottom, kColumnLine);
}

}  // namespace

fw::Bitmap popupPicture() {
    fw::Bitmap b(L::kPopupW, L::kPopupH, kMenuBack);
    // Plain white inside the border: the items draw their own glyph column, and the item area is repeated
    // when a long menu scrolls, so it must not carry a column of its own.
    roundBox(b, b.rect(), 1, kMenuBorder, kMenuBack, kMenuBack);
    return b;
}

fw::Bitmap popupMask() {
    fw::Bitmap b(L::kPopupW, L::kPopupH, rgb(0, 0, 0));
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (!insideRound(b.rect(), 1, x, y)) b.at(x, y) = rgb(255, 255, 255);
    return b;
}

fw::Bitmap menuItems() {
    fw::Bitmap b(L::kMenuW, L::kMenuH, kMenuBack);
    itemBackground(b, L::kItemNormal);
    // The active item: a rounded light-blue bar over the whole item, column included.
    itemBackground(b, L::kItemActive);
    roundBox(b, L::kItemActive.inflate(-1, 0), 2, rgb(120, 170, 228), rgb(232, 242, 254), rgb(206, 226, 250));
    // Separator: the column, then a thin line from the text edge onwards.
    itemBackground(b, L::kItemDivider);
    hLine(b, L::kItemDivider.left + L::kMenuColumn + 3, L::kItemDivider.right, L::kItemDivider.top + 1, kColumnLine);

    // Check and radio marks (16 x 16), normal and active.
    auto markBox = [&](Rect r, bool active) {
        fill(b, r, active ? rgb(216, 234, 253) : kColumn);
        roundBox(b, r.inflate(-1, -1), 2, active ? rgb(86, 146, 214) : rgb(150, 180, 220),
                 active ? rgb(240, 247, 255) : rgb(250, 252, 255), active ? rgb(210, 230, 252) : rgb(226, 236, 250));
    };
    markBox(L::kMenuCheck, false);
    drawCheck(b, L::kMenuCheck, T::kText);
    markBox(L::kMenuCheckActive, true);
    drawCheck(b, L::kMenuCheckActive, T::kAccent);
    markBox(L::kMenuRadio, false);
    disc(b, L::kMenuRadio.inflate(-5, -5), T::kText);
    markBox(L::kMenuRadioActive, true);
    disc(b, L::kMenuRadioActive.inflate(-5, -5), T::kAccent);
    // Sub-menu arrows (8 x 8).
    fill(b, L::kMenuArrow, kMenuBack);
    drawArrow(b, L::kMenuArrow, Arrow::Right, 4, T::kText);
    fill(b, L::kMenuArrowActive, rgb(216, 234, 253));
    drawArrow(b, L::kMenuArrowActive, Arrow::Right, 4, T::kAccent);

    // Main-menu-bar items: flat, hot, pressed.
    vGradient(b, L::kBarItemNormal, T::kNormal.top, T::kNormal.bottom);
    vGradient(b, L::kBarItemActive, T::kNormal.top, T::kNormal.bottom);
    roundBox(b, L::kBarItemActive, 2, T::kHot.border, T::kHot.top, T::kHot.bottom);
    vGradient(b, L::kBarItemDown, T::kNormal.top, T::kNormal.bottom);
    roundBox(b, L::kBarItemDown, 2, T::kDown.border, T::kDown.top, T::kDown.bottom);
    return b;
}

}  // namespace skinart
