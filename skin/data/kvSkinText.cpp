#include "skin/data/kvSkinText.h"

#include "skin/data/kvSkinData.h"

SkinFontSpec SkinDrawingFont(bool useSkinFont, const SkinFontSpec* description, const SkinFontSpec& defaultFont,
                             const TkvSkinData* model) {
    SkinFontSpec font = defaultFont;
    if (useSkinFont && description) {
        font.name = description->name;
        font.height = description->height;
        font.style = description->style;
    }
    const TkvResourceStrData* strings = model ? model->ResourceStrData() : nullptr;
    font.charset = strings ? strings->CharSet : defaultFont.charset;
    return font;
}

fw::Color SkinTextColor(bool useSkinFontColor, bool enabled, fw::Color stateColor, fw::Color disabledColor,
                        fw::Color defaultColor) {
    if (!enabled) return disabledColor;
    return useSkinFontColor ? stateColor : defaultColor;
}

std::string SkinResourceStr(const TkvSkinData* model, std::string_view key) {
    const TkvResourceStrData* strings = model ? model->ResourceStrData() : nullptr;
    return strings ? strings->GetResourceStr(key) : DefaultResourceStr(key);
}
