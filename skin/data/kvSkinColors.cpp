#include "skin/data/kvSkinColors.h"

void TkvSkinColors::ResetColors() {
    CBtnFace = fw::systemColor(15);
    CBtnText = fw::systemColor(18);
    CWindow = fw::systemColor(5);
    CWindowText = fw::systemColor(8);
    CHighlight = fw::systemColor(13);
    CHighlightText = fw::systemColor(14);
    CBtnHighlight = fw::systemColor(20);
    CBtnShadow = fw::systemColor(16);
}

void TkvSkinColors::ReadFromDescription(const IniText& ini) {
    ResetColors();
    auto read = [&ini](const char* key, fw::Color& c) {
        c = static_cast<fw::Color>(toInteger(ini.value("SKINCOLORS", key), static_cast<std::int32_t>(c)));
    };
    read("cbtnface", CBtnFace);
    read("cbtntext", CBtnText);
    read("cwindow", CWindow);
    read("cwindowtext", CWindowText);
    read("chighlight", CHighlight);
    read("chighlighttext", CHighlightText);
    read("cbtnhighlight", CBtnHighlight);
    read("cbtnshadow", CBtnShadow);
}
