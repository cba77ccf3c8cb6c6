// The glyphs of the open-file dialog's tool buttons, 16 × 16 on the transparent colour (magenta, which is also the
// bottom-left pixel the skin button reads it from): KV_BACK (an arrow pointing back), KV_UP (a folder with an
// arrow up), KV_NEWFOLDER (a folder with a star) and KV_LVSTYLE (a grid of views with a small drop arrow).
#pragma once

#include <string_view>
#include <vector>

#include "framework/Bitmap.h"

namespace skinart {

inline constexpr fw::Pixel kGlyphTransparent = fw::makePixel(255, 0, 255);

struct DialogGlyph {
    std::string_view name;  // the resource name
    fw::Bitmap image;
};

// Every glyph, in the order above.
std::vector<DialogGlyph> drawDialogGlyphs();

}  // namespace skinart
