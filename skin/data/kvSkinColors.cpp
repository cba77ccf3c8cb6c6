#include "skin/data/kvSkinColors.h"

void TkvSkinColors::ResetColors() {
    CBtnFace = kvSystemColor(15);
    CBtnText = kvSystemColor(18);
    CWindow = kvSystemColor(5);
    CWindowText = kvSystemColor(8);
    CHighlight = kvSystemColor(13);
    CHighlightText = kvSystemColor(14);
    CBtnHighlight = kvSystemColor(20);
    CBtnShadow = kvSystemColor(16);
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
