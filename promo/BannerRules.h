// What a banner may take from the settings file: the local file name of its picture and the links it may open.
// Portable rules on UTF-16 text.
#pragma once

#include <string>
#include <string_view>

struct PictureExtension {
    enum class Kind {
        None,      // no dot, or a "\" or ":" after the last dot: the local file is the bare entry name
        Usable,    // text holds the extension with its dot: ".gif"
        Unusable,  // the text after the last dot would leave the program directory or is no valid file name
    };
    Kind kind = Kind::None;
    std::wstring text;
};

// The extension of a picture URL: from its last "." to its end, unless a "\" or ":" follows that dot. An extension
// holding "/" or a character that a file name cannot hold is unusable, so that a settings file can never make
// the program write outside its own directory.
PictureExtension PictureUrlExtension(std::wstring_view url);

// Links a banner may open: only "http://" and "https://" addresses (in any letter case). Anything else (a local
// path, a "file:" address, a program name) leaves the banner inert.
bool IsWebAddress(std::wstring_view link);
