// The look of a caption button of the frame without skin: a face in its state and a small glyph for its command.
// Portable: drawn on the project's bitmap type.
#pragma once

#include "framework/Bitmap.h"

enum class DefaultGlyph { Close, Maximize, Restore, Minimize, SystemMenu, RollUp, RollDown, ToTray };

struct DefaultButtonColors {
    fw::Pixel face;   // the button face when neither pressed nor hot
    fw::Pixel glyph;  // button text when usable, else button shadow
};

// Draws a caption button's glyph with its top-left corner at (x, y) (also the frame's own system-menu entries).
void DrawDefaultGlyph(const fw::PixelView& b, int x, int y, DefaultGlyph glyph, fw::Pixel color);

// Draws the face and glyph of a w x h button into a new bitmap.
fw::Bitmap DrawDefaultButtonFace(int w, int h, DefaultGlyph glyph, bool pressed, bool hovered,
                                 const DefaultButtonColors& colors);
