// The window frame with its mask, the hint window and the multi-document background tile.
#include "tools/skinart/Layout.h"
#include "tools/skinart/Pictures.h"
#include "tools/skinart/Theme.h"

namespace skinart {

namespace L = layout;
namespace T = theme;

namespace {

constexpr Pixel kBlack = rgb(0, 0, 0);
constexpr Pixel kWhite = rgb(255, 255, 255);

// The window's outline: a rectangle whose top corners are rounded; the bottom corners stay square.
bool windowInside(int x, int y) {
    const Rect all{0, 0, L::kMainW, L::kMainH};
    return all.contains({x, y}) && (y > L::kMainH / 2 || insideRound(all, L::kCornerRadius, x, y));
}

bool windowEdge(int x, int y) {
    return windowInside(x, y) &&
           (!windowInside(x - 1, y) || !windowInside(x + 1, y) || !windowInside(x, y - 1) || !windowInside(x, y + 1));
}

}  // namespace

fw::Bitmap mainPicture() {
    fw::Bitmap b(L::kMainW, L::kMainH, T::kFrameFill);
    // Caption strip: a soft gradient from the top edge down to the separator.
    for (int y = 0; y < L::kCaptionSeparatorY; ++y)
        fill(b, {0, y, L::kMainW, y + 1},
             mix(T::kCaptionTop, T::kCaptionBottom, ((y > 1 ? y - 1 : 0) * 256) / (L::kCaptionSeparatorY - 2)));
    // White highlight just inside the outline, along the top and the left; a softer one at the right.
    for (int y = 0; y < L::kMainH; ++y)
        for (int x = 0; x < L::kMainW; ++x) {
            if (!windowInside(x, y) || windowEdge(x, y)) continue;
            const bool nearEdge = windowEdge(x - 1, y) || windowEdge(x, y - 1) || windowEdge(x + 1, y);
            if (nearEdge && y < L::kMainH - 2)
                b.at(x, y) = x >= L::kMainW - 2 ? mix(T::kFrameLight, T::kFrameFill, 128) : T::kFrameLight;
        }
    hLine(b, 1, L::kMainW - 1, L::kMainH - 2, mix(T::kFrameFill, T::kFrameOuter, 60));
    // The outline, with a half-tone just outside each rounded corner step.
    for (int y = 0; y < L::kMainH; ++y)
        for (int x = 0; x < L::kMainW; ++x) {
            if (windowEdge(x, y)) {
                b.at(x, y) = T::kFrameOuter;
            } else if (!windowInside(x, y)) {
                const int n = windowInside(x - 1, y) + windowInside(x + 1, y) + windowInside(x, y - 1) +
                              windowInside(x, y + 1);
                b.at(x, y) = n >= 2 ? mix(T::kFrameFill, T::kFrameOuter, 100) : T::kFrameFill;
            }
        }
    // The line under the caption and the frame around the client area.
    hLine(b, 2, L::kMainW - 2, L::kCaptionSeparatorY, T::kFrameInner);
    const Rect c = L::kClient;
    frame(b, c.inflate(1, 1), T::kFrameInner);
    fill(b, c, T::kClient);
    return b;
}

fw::Bitmap mainMask() {
    // Black inside, white outside: only the top corners are cut.
    fw::Bitmap b(L::kMainW, L::kMainH, kBlack);
    for (int y = 0; y < L::kMainH; ++y)
        for (int x = 0; x < L::kMainW; ++x)
            if (!windowInside(x, y)) b.at(x, y) = kWhite;
    return b;
}

fw::Bitmap hintPicture() {
    fw::Bitmap b(L::kHintW, L::kHintH, T::kField);
    roundBox(b, b.rect(), 2, rgb(130, 156, 196), rgb(255, 255, 255), rgb(232, 240, 252));
    return b;
}

fw::Bitmap hintMask() {
    fw::Bitmap b(L::kHintW, L::kHintH, kBlack);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (!insideRound(b.rect(), 2, x, y)) b.at(x, y) = kWhite;
    return b;
}

fw::Bitmap mdiBackground() {
    // A quiet tile: lighter in the middle, symmetric in both directions so that tiles join without seams.
    fw::Bitmap b(L::kMdiW, L::kMdiH);
    const int cx = (L::kMdiW - 1) / 2, cy = (L::kMdiH - 1) / 2;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const int dx = ((x > cx ? x - cx : cx - x) * 256) / cx, dy = ((y > cy ? y - cy : cy - y) * 256) / cy;
            const int t = (dx * dx + dy * dy) / 512;  // 0 in the middle, 256 at the corners
            b.at(x, y) = mix(rgb(214, 226, 243), rgb(192, 208, 232), t > 256 ? 256 : t);
        }
    return b;
}

}  // namespace skinart
