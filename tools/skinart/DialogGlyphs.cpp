#include "tools/skinart/DialogGlyphs.h"

#include "tools/skinart/Paint.h"

namespace skinart {
namespace {

constexpr int kSize = 16;
const Pixel kArrow = rgb(46, 110, 200), kArrowDark = rgb(22, 60, 120);
const Pixel kFolder = rgb(246, 206, 96), kFolderLight = rgb(252, 228, 150), kFolderDark = rgb(170, 120, 30);
const Pixel kStar = rgb(255, 196, 0), kStarDark = rgb(190, 110, 0);

fw::Bitmap blank() {
    fw::Bitmap b(kSize, kSize);
    fill(b.view(), b.rect(), kGlyphTransparent);
    return b;
}

// A folder whose body is `body`, with its tab above the left part.
void folder(PixelView v, Rect body) {
    fill(v, {body.left + 1, body.top - 2, body.left + 6, body.top}, kFolderDark);
    fill(v, {body.left + 2, body.top - 1, body.left + 5, body.top}, kFolderLight);
    vGradient(v, body, kFolderLight, kFolder);
    frame(v, body, kFolderDark);
}

fw::Bitmap back() {
    fw::Bitmap b = blank();
    PixelView v = b.view();
    // The head: a triangle with its tip at x 1, as wide as 11 rows at its base (x 6).
    for (int i = 0; i <= 5; ++i) vLine(v, 1 + i, 8 - i, 9 + i, i == 5 ? kArrowDark : kArrow);
    for (int i = 0; i <= 5; ++i) {
        plot(v, 1 + i, 8 - i, kArrowDark);
        plot(v, 1 + i, 8 + i, kArrowDark);
    }
    // The shaft.
    fill(v, {7, 6, 14, 11}, kArrow);
    hLine(v, 7, 14, 5, kArrowDark);
    hLine(v, 7, 14, 11, kArrowDark);
    vLine(v, 14, 5, 12, kArrowDark);
    return b;
}

fw::Bitmap up() {
    fw::Bitmap b = blank();
    PixelView v = b.view();
    folder(v, {1, 6, 15, 15});
    // An arrow up over the folder: head from row 1, shaft down into the folder.
    for (int i = 0; i <= 3; ++i) hLine(v, 9 - i, 10 + i, 1 + i, kArrow);
    hLine(v, 6, 13, 4, kArrowDark);
    fill(v, {8, 5, 11, 12}, kArrow);
    vLine(v, 7, 5, 12, kArrowDark);
    vLine(v, 11, 5, 12, kArrowDark);
    hLine(v, 7, 12, 12, kArrowDark);
    return b;
}

fw::Bitmap newFolder() {
    fw::Bitmap b = blank();
    PixelView v = b.view();
    folder(v, {1, 7, 13, 15});
    // A four-pointed star at the top right.
    const int cx = 12, cy = 4;
    vLine(v, cx, cy - 4, cy + 5, kStarDark);
    hLine(v, cx - 4, kSize, cy, kStarDark);
    fill(v, {cx - 1, cy - 1, cx + 2, cy + 2}, kStar);
    vLine(v, cx, cy - 3, cy + 4, kStar);
    hLine(v, cx - 3, cx + 4, cy, kStar);
    plot(v, cx - 2, cy - 2, kStarDark);
    plot(v, cx + 2, cy - 2, kStarDark);
    plot(v, cx - 2, cy + 2, kStarDark);
    plot(v, cx + 2, cy + 2, kStarDark);
    return b;
}

fw::Bitmap viewStyle() {
    fw::Bitmap b = blank();
    PixelView v = b.view();
    // Four views in a grid, each a small framed window with a title line.
    for (int gy : {3, 9})
        for (int gx : {2, 8}) {
            const Rect cell{gx, gy, gx + 5, gy + 5};
            fill(v, cell, rgb(255, 255, 255));
            hLine(v, cell.left, cell.right, cell.top + 1, kArrow);
            frame(v, cell, kArrowDark);
        }
    return b;
}

}  // namespace

std::vector<DialogGlyph> drawDialogGlyphs() {
    std::vector<DialogGlyph> out;
    out.push_back({"KV_BACK", back()});
    out.push_back({"KV_UP", up()});
    out.push_back({"KV_NEWFOLDER", newFolder()});
    out.push_back({"KV_LVSTYLE", viewStyle()});
    return out;
}

}  // namespace skinart
