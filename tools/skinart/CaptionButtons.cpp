// active.bmp: the images of the caption buttons, the menu-bar buttons and the system-menu button.
#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Layout.h"
#include "tools/skinart/Pictures.h"
#include "tools/skinart/Theme.h"

namespace skinart {

namespace L = layout;
namespace T = theme;

namespace {

// The caption strip's colour at window row y, so that normal images sit invisibly on the frame.
Pixel captionAt(int y) {
    if (y < 1) y = 1;
    if (y > L::kCaptionSeparatorY - 1) y = L::kCaptionSeparatorY - 1;
    return mix(T::kCaptionTop, T::kCaptionBottom, ((y - 1) * 256) / (L::kCaptionSeparatorY - 2));
}

// Fills r with the caption strip as it looks at window rows windowTop .. windowTop + height.
void captionBackground(PixelView v, Rect r, int windowTop) {
    for (int y = r.top; y < r.bottom; ++y) fill(v, {r.left, y, r.right, y + 1}, captionAt(windowTop + y - r.top));
}

enum class Look { Normal, Hot, Down, Disabled };

void captionButton(PixelView v, Rect r, Glyph g, Look look, bool danger, int windowTop) {
    captionBackground(v, r, windowTop);
    if (look == Look::Normal || look == Look::Disabled) {
        drawCaptionGlyph(v, r, g, look == Look::Normal ? T::kNormal.glyph : T::kDisabled.glyph);
        return;
    }
    // Hot and pressed show a box; the close button's box is red with a white cross.
    const bool down = look == Look::Down;
    const T::Face box = danger ? T::Face{down ? T::kCloseDown : T::kCloseHotBottom, down ? T::kCloseDown : T::kCloseHot,
                                         T::kCloseHotBottom, rgb(255, 255, 255)}
                               : (down ? T::kDown : T::kHot);
    roundBox(v, r, 3, box.border, box.top, box.bottom);
    const int shift = down ? 1 : 0;  // the symbol sinks with the press
    drawCaptionGlyph(v, r.offset(shift, shift), g, box.glyph);
}

// The application's little symbol: a blue database cylinder.
void databaseIcon(PixelView v, Rect r) {
    const int x = r.left + (r.width() - 10) / 2, y = r.top + (r.height() - 11) / 2;
    const Pixel edge = rgb(40, 82, 146), body = rgb(92, 148, 218), lightBody = rgb(150, 192, 240);
    for (int row = 0; row < 11; ++row) {
        const int inset = (row == 0 || row == 10) ? 2 : (row == 1 || row == 9) ? 1 : 0;
        hLine(v, x + inset, x + 10 - inset, y + row, row < 3 ? lightBody : body);
        plot(v, x + inset, y + row, edge);
        plot(v, x + 9 - inset, y + row, edge);
    }
    hLine(v, x + 2, x + 8, y, edge);
    hLine(v, x + 2, x + 8, y + 10, edge);
    hLine(v, x + 1, x + 9, y + 3, edge);  // rim of the lid
    hLine(v, x + 1, x + 9, y + 6, mix(body, edge, 128));
    plot(v, x + 3, y + 4, rgb(220, 236, 255));  // a glint
    plot(v, x + 3, y + 7, rgb(190, 216, 248));
}

}  // namespace

fw::Bitmap captionButtons() {
    fw::Bitmap b(L::kActiveW, L::kActiveH, T::kFrameFill);
    const int top = L::kCaption.top;  // caption buttons sit at the top of the caption strip
    struct Row {
        int row;
        Glyph glyph;
        bool danger;
    };
    const Row rows[] = {{L::RowClose, Glyph::Close, true},      {L::RowMax, Glyph::Maximize, false},
                        {L::RowRestore, Glyph::Restore, false}, {L::RowMin, Glyph::Minimize, false},
                        {L::RowRollUp, Glyph::RollUp, false},   {L::RowRollDown, Glyph::RollDown, false},
                        {L::RowTray, Glyph::Tray, false}};
    for (const Row& r : rows) {
        captionButton(b, L::capButton(r.row, L::kCapColNormal), r.glyph, Look::Normal, r.danger, top);
        captionButton(b, L::capButton(r.row, L::kCapColHot), r.glyph, Look::Hot, r.danger, top);
        captionButton(b, L::capButton(r.row, L::kCapColDown), r.glyph, Look::Down, r.danger, top);
    }
    const Glyph disabledA[] = {Glyph::Close, Glyph::Maximize, Glyph::Minimize};
    const Glyph disabledB[] = {Glyph::RollUp, Glyph::Tray, Glyph::Restore};
    const int cols[] = {L::kCapColNormal, L::kCapColHot, L::kCapColDown};
    for (int i = 0; i < 3; ++i) {
        captionButton(b, L::capButton(L::RowDisabledA, cols[i]), disabledA[i], Look::Disabled, false, top);
        captionButton(b, L::capButton(L::RowDisabledB, cols[i]), disabledB[i], Look::Disabled, false, top);
    }

    // Menu-bar buttons: small, on the menu bar's face.
    // Columns: close, restore, minimise, and the program's symbol for the child's system menu.
    const Glyph barGlyphs[] = {Glyph::Close, Glyph::Restore, Glyph::Minimize};
    for (int col = 0; col < 4; ++col)
        for (int state = 0; state < 3; ++state) {
            const Rect r = L::barButton(col, state);
            vGradient(b, r, T::kNormal.top, T::kNormal.bottom);
            Pixel glyph = T::kNormal.glyph;
            if (state == 1) {
                roundBox(b, r, 2, T::kHot.border, T::kHot.top, T::kHot.bottom);
                glyph = T::kHot.glyph;
            }
            if (state == 2) {
                roundBox(b, r, 2, T::kDown.border, T::kDown.top, T::kDown.bottom);
                glyph = T::kDown.glyph;
            }
            if (col == 3) databaseIcon(b, r.offset(state == 2, state == 2));
            else drawCaptionGlyph(b, r.offset(state == 2, state == 2), barGlyphs[col], glyph);
        }

    // System-menu button: the program's symbol on the caption; a soft box behind it when hot or pressed.
    const int sysTop = L::kCaption.top + (L::kCaption.height() / 2) - L::kSysH / 2;
    for (int state = 0; state < 3; ++state) {
        const Rect r = L::sysButton(state);
        captionBackground(b, r, sysTop);
        if (state == 1) roundBox(b, r, 2, T::kHot.border, T::kHot.top, T::kHot.bottom);
        if (state == 2) roundBox(b, r, 2, T::kDown.border, T::kDown.top, T::kDown.bottom);
        databaseIcon(b, r.offset(state == 2, state == 2));
    }
    return b;
}

}  // namespace skinart
