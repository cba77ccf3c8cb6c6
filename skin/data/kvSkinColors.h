// The eight skin colours of [SKINCOLORS], used where a description gives no picture or colour of its own. A colour
// whose high byte is 0xFF names a system colour (fw::systemColor, fw::isSystemColor).
#pragma once

#include "framework/Bitmap.h"
#include "framework/Colors.h"
#include "skin/data/kvSkinIni.h"

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
