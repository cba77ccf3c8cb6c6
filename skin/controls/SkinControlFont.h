// The platform font a skinned control draws with, by the skin font rule.
#pragma once

#include <string_view>

#include "framework/Font.h"
#include "framework/Utf.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinText.h"

// With `useSkinFont` and a description (`name` not null) its face, height and style, else a copy of the default
// font; the character set from the model's resource strings when attached, else the default font's. The colour is
// the default font's (callers set the state colour). The platform's default character set is the system's code
// page on the systems the program is made for; where the text needs Chinese and the default is asked for, the
// Chinese set is named, so that a system with another code page still finds a face for it.
inline fw::Font SkinControlFont(bool useSkinFont, const std::string* name, int height, TkvFontStyles style,
                                const fw::Font& defaultFont, const TkvSkinData* model, std::wstring_view text = {}) {
    fw::Font f(defaultFont);
    if (useSkinFont && name) {
        f.setName(fw::utf8ToWide(*name));
        f.setHeight(height);
        f.setStyle({style.bold, style.italic, style.underline, style.strikeOut});
    }
    if (model && model->ResourceStrData()) f.setCharset(model->ResourceStrData()->CharSet);
    if (f.charset() == DEFAULT_CHARSET)
        for (wchar_t ch : text)
            if (ch > 0xFF) {
                f.setCharset(GB2312_CHARSET);
                break;
            }
    return f;
}
