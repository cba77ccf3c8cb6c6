// The eight skin colours of [SKINCOLORS], used where a description gives no picture or colour of its own.
#pragma once

#include "framework/Bitmap.h"
#include "skin/data/kvSkinIni.h"

// A colour whose high byte is 0xFF names the platform's system colour of the index in its low byte.
constexpr fw::Color kvSystemColor(int index) { return 0xFF000000u | static_cast<fw::Color>(index & 0xFF); }
constexpr bool kvIsSystemColor(fw::Color c) { return (c >> 24) == 0xFF; }

class TkvSkinColors {
public:
    fw::Color CBtnFace = 0;
    fw::Color CBtnText = 0;
    fw::Color CWindow = 0;
    fw::Color CWindowText = 0;
    fw::Color CHighlight = 0;
    fw::Color CHighlightText = 0;
    fw::Color CBtnHighlight = 0;
    fw::Color CBtnShadow = 0;

    // The platform's own colours: button face, button text, window, window text, selection, selection text,
    // button highlight, button shadow.
    void ResetColors();
    // Reads the eight keys of [SKINCOLORS], each defaulting to its system colour.
    void ReadFromDescription(const IniText& ini);
};
