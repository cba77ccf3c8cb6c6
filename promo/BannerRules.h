// What a banner may take from the settings file: the local file name of its picture and the links it may open.
// Portable rules on UTF-16 text.
#pragma once

#include <string>
#include <string_view>

struct PictureExtension {
    enum class Kind {
        None,      // no dot, or a "\" or ":" after the last dot: the local file is the bare entry name
        Usable,    // text holds the extension with its dot: ".gif", one of kPictureExtensions in any letter case
        Unusable,  // any other extension: no picture the loader reads, or no valid file name in the program directory
    };
    Kind kind = Kind::None;
    std::wstring text;
};

// The extensions a banner picture may have beside the program: picture types only, so that a settings file can
// never plant a program or a script ("fname1.exe", "fname1.hta") where a user may open it.
inline constexpr std::wstring_view kPictureExtensions[] = {L".gif", L".bmp", L".jpg", L".jpeg", L".png", L".ico"};

// The extension of a picture URL: from its last "." to its end, unless a "\" or ":" follows that dot. Only the
// extensions above are usable; any other, and so any holding "/" or a character that a file name cannot hold, is
// unusable, so that a settings file can never make the program write outside its own directory either.
PictureExtension PictureUrlExtension(std::wstring_view url);

// Links a banner may open, and addresses the program downloads from: only a well-formed "http://" or "https://"
// address (scheme in any letter case) of at most kMaxWebAddressLength characters: a host name of letters,
// digits, hyphens and dots, an optional port, then a path, query or fragment of the characters an address may
// hold (RFC 3986), with no blank, quote, backslash or angle bracket, and "%" only before two hexadecimal digits.
// Anything else (a local path, a "file:" address, a program name, text that the shell could read as more than
// one address or as options, a name hidden behind "user@") leaves the banner inert.
inline constexpr std::size_t kMaxWebAddressLength = 2048;
bool IsWebAddress(std::wstring_view link);
