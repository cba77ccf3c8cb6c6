// The eight skin colours of [SKINCOLORS], used where a description gives no picture or colour of its own.
#pragma once

#include "framework/Bitmap.h"
#include "skin/data/kvSkinIni.h"

namespace fw {

// A colour whose high byte is 0xFF names the platform's system colour of the index in its low byte.
constexpr Color kvSystemColor(int index) { return 0xFF000000u | static_cast<Color>(index & 0xFF); }
constexpr bool kvIsSystemColor(Color c) { return (c >> 24) == 0xFF; }

class TkvSkinColors {
public:
    Color CBtnFace = 0;
    Color CBtnText = 0;
    Color CWindow = 0;
    Color CWindowText = 0;
    Color CHighlight = 0;
    Color CHighlightText = 0;
    Color CBtnHighlight = 0;
    Color CBtnShadow = 0;

    // The platform's own colours: button face, button text, window, window text, selection, selection text,
    // button highlight, button shadow.
    void ResetColors();
    // Reads the eight keys of [SKINCOLORS], each defaulting to its system colour.
    void ReadFromDescription(const IniText& ini);
};

}  // namespace fw
