// Placing and drawing a control's glyph and word-wrapped caption on a device context.
#pragma once

#include <windows.h>

#include <string_view>

#include "skin/imaging/GlyphLayout.h"

struct GlyphCaptionPlace {
    fw::Point glyph;
    fw::Rect text;  // where the caption is drawn: its measured size plus 2 pixels of width
};

// Measures caption with dc's font, word-wrapped with tabs expanded, in a box of r's size narrowed by the glyph's
// width (layouts 0, 1) or height (layouts 2, 3), and places glyph and caption with LayoutGlyphAndText. A pressed
// control moves both one pixel right and down.
GlyphCaptionPlace PlaceGlyphAndCaption(HDC dc, int layout, fw::Rect r, int gw, int gh, std::wstring_view caption,
                                       int margin, int spacing, bool pressed);

// Draws caption centred and word-wrapped in the place PlaceGlyphAndCaption gave, with dc's font and text colour.
void DrawCaption(HDC dc, std::wstring_view caption, fw::Rect text);
