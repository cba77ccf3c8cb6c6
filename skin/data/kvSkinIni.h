// The skin description text: INI sections and keys, and the typed value readers and writers that every
// description class uses.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/Geometry.h"
#include "skin/data/kvSkinKeywords.h"

// A point or rect field that does not convert; it aborts a skin load.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Splits text into lines at CR LF, a lone CR or a lone LF. A final line break does not start another line.
std::vector<std::string> splitLines(std::string_view text);
// Joins lines, ending each one (the last included) with CR LF.
std::string joinLines(const std::vector<std::string>& lines);

class IniText {
public:
    struct Entry {
        std::string key;    // trimmed text before the first '='; the whole line when it has none
        std::string value;  // trimmed text after the first '='
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        // Lower-case key -> index of its first entry with a value; look-ups are made thousands of times per load.
        std::unordered_map<std::string, std::size_t> keyIndex;
    };

    IniText() = default;
    static IniText parse(std::string_view text);
    static IniText fromLines(const std::vector<std::string>& lines);

    // First section of that name, letter case ignored.
    const Section* findSection(std::string_view name) const;
    bool hasSection(std::string_view name) const { return findSection(name) != nullptr; }
    // The value of the first matching key of the first matching section; nullopt when either is absent.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Writing (used by the description classes' writers): removes the first section of that name, and sets a key
    // in the first section of that name, adding the section or the key at the end when absent.
    void eraseSection(std::string_view name);
    void writeValue(std::string_view section, std::string_view key, std::string value);
    std::vector<std::string> toLines() const;

    const std::vector<Section>& sections() const { return sections_; }

private:
    Section* findSectionForWrite(std::string_view name);
    void indexSections();
    static void indexEntry(Section& s, std::size_t i);

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-case name -> first section of that name
};

bool sameText(std::string_view a, std::string_view b);
std::string_view trimText(std::string_view s);

// A 32-bit integer: decimal with optional sign, or hexadecimal after '$', "0x" or "0X" (up to 32 bits, which
// wrap to negative). Returns false for anything else.
bool parseInt32(std::string_view s, std::int32_t& out);

struct TkvFontStyles {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const TkvFontStyles&, const TkvFontStyles&) = default;
};


// Value-form converters: from the text of a present key, and back to the text a writer stores.
std::int32_t toInteger(std::optional<std::string_view> v, std::int32_t def);
bool toBoolean(std::optional<std::string_view> v, bool def);
fw::Point toPoint(std::optional<std::string_view> v, fw::Point def);  // throws EConvertError
fw::Rect toRect(std::optional<std::string_view> v, fw::Rect def);     // throws EConvertError
TkvFontStyles toFontStyles(std::optional<std::string_view> v, TkvFontStyles def);
TkvAlignment toAlignment(std::optional<std::string_view> v, TkvAlignment def);
TkvStretchType toStretchType(std::optional<std::string_view> v, TkvStretchType def);
TkvMorphKind toMorphKind(std::optional<std::string_view> v, TkvMorphKind def);
TkvInactiveEffect toInactiveEffect(std::optional<std::string_view> v, TkvInactiveEffect def);
TkvStdCommand toCommand(std::optional<std::string_view> v, TkvStdCommand def);

std::string pointText(fw::Point p);
std::string rectText(const fw::Rect& r);
std::string fontStylesText(TkvFontStyles s);
const char* alignmentText(TkvAlignment a);
const char* stretchTypeText(TkvStretchType t);
const char* morphKindText(TkvMorphKind k);
const char* inactiveEffectText(TkvInactiveEffect e);
const char* commandText(TkvStdCommand c);
