// Placement of a glyph and a caption inside a rectangle (buttons, caption buttons, panels).
#pragma once

#include "framework/Geometry.h"

// Layouts: 0 glyph left of the text, 1 glyph right, 2 glyph above, 3 glyph below.
enum GlyphLayoutKind { glyphLeft = 0, glyphRight = 1, glyphTop = 2, glyphBottom = 3 };

struct GlyphTextPlace {
    fw::Point glyph;
    fw::Point text;
    friend bool operator==(const GlyphTextPlace&, const GlyphTextPlace&) = default;
};

// Positions of glyph (gw x gh) and text (tw x th) in r. margin is the distance from r's edge on the glyph's side;
// -1 centres glyph and text as one group. spacing is the gap between them, ignored when there is no glyph.
GlyphTextPlace LayoutGlyphAndText(int layout, fw::Rect r, int gw, int gh, int tw, int th, int margin, int spacing);
