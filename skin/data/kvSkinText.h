// How skinned controls take their text look from the skin: the skin font rule, the state colour rule and the
// interface texts.
#pragma once

#include <string>
#include <string_view>

#include "framework/Bitmap.h"
#include "skin/data/kvSkinIni.h"

class TkvSkinData;

// A font as the skin rule hands it to a consumer; a Windows consumer turns it into its platform font (the name is
// the skin description's 8-bit text).
struct SkinFontSpec {
    std::string name;
    int height = 0;  // the platform's font height value: pixels
    TkvFontStyles style;
    int charset = 1;
    friend bool operator==(const SkinFontSpec&, const SkinFontSpec&) = default;
};

// The font a consumer draws with. `description` is null when the consumer has no description; with one and
// `useSkinFont` on, the description's face, height and style are used, else the consumer's default font. The
// character set is the attached resource strings' CharSet when the model has them, else the default font's.
SkinFontSpec SkinDrawingFont(bool useSkinFont, const SkinFontSpec* description, const SkinFontSpec& defaultFont,
                             const TkvSkinData* model);

// The text colour: with `useSkinFontColor` the description's colour for the state; with it off an enabled consumer
// uses its default font's colour and a disabled one still the description's disabled colour.
fw::Color SkinTextColor(bool useSkinFontColor, bool enabled, fw::Color stateColor, fw::Color disabledColor,
                        fw::Color defaultColor);

// An interface text by key: the attached resource strings' text (empty when they do not name it), or the built-in
// text when the model has none attached (or there is no model).
std::string SkinResourceStr(const TkvSkinData* model, std::string_view key);
