// Small line glyphs drawn into skin pictures: caption-button symbols, arrows, check marks.
#pragma once

#include "tools/skinart/Paint.h"

namespace skinart {

enum class Glyph { Close, Maximize, Restore, Minimize, RollUp, RollDown, Tray };
enum class Arrow { Up, Down, Left, Right };

// Draws a caption-button symbol centred in r.
void drawCaptionGlyph(PixelView v, Rect r, Glyph g, Pixel p);
// A solid triangle arrow of the given size (3..5) centred in r.
void drawArrow(PixelView v, Rect r, Arrow a, int size, Pixel p);
// A check mark centred in r (about 9 x 7).
void drawCheck(PixelView v, Rect r, Pixel p);
// Three dots centred in r (the browse symbol).
void drawDots(PixelView v, Rect r, Pixel p);
// A grip of 2 x 2 dots, horizontal (rows of dots across) or vertical, centred in r.
void drawGrip(PixelView v, Rect r, bool vertical, Pixel dark, Pixel light);

}  // namespace skinart
