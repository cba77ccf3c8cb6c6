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
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines, ending each one (the last included) with CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

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
    static IniText Parse(std::string_view text);
    static IniText FromLines(const std::vector<std::string>& lines);

    // First section of that name, letter case ignored.
    const Section* FindSection(std::string_view name) const;
    bool HasSection(std::string_view name) const { return FindSection(name) != nullptr; }
    // The value of the first matching key of the first matching section; nullopt when either is absent.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

    // Writing (used by the description classes' writers): removes the first section of that name, and sets a key
    // in the first section of that name, adding the section or the key at the end when absent.
    void EraseSection(std::string_view name);
    void WriteValue(std::string_view section, std::string_view key, std::string value);
    std::vector<std::string> ToLines() const;

    const std::vector<Section>& Sections() const { return sections_; }

private:
    Section* FindSectionForWrite(std::string_view name);
    void IndexSections();
    static void IndexEntry(Section& s, std::size_t i);

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-case name -> first section of that name
};

bool SameText(std::string_view a, std::string_view b);
std::string_view TrimIniText(std::string_view s);

// A 32-bit integer: decimal with optional sign, or hexadecimal after '$', "0x" or "0X" (up to 32 bits, which
// wrap to negative). Returns false for anything else.
bool ParseInt32(std::string_view s, std::int32_t& out);

struct TkvFontStyles {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const TkvFontStyles&, const TkvFontStyles&) = default;
};

// Value-form converters: from the text of a present key, and back to the text a writer stores.
std::int32_t ToInteger(std::optional<std::string_view> v, std::int32_t def);
bool ToBoolean(std::optional<std::string_view> v, bool def);
fw::Point ToPoint(std::optional<std::string_view> v, fw::Point def);  // throws EConvertError
fw::Rect ToRect(std::optional<std::string_view> v, fw::Rect def);     // throws EConvertError
TkvFontStyles ToFontStyles(std::optional<std::string_view> v, TkvFontStyles def);
TkvAlignment ToAlignment(std::optional<std::string_view> v, TkvAlignment def);
TkvStretchType ToStretchType(std::optional<std::string_view> v, TkvStretchType def);
TkvMorphKind ToMorphKind(std::optional<std::string_view> v, TkvMorphKind def);
TkvInactiveEffect ToInactiveEffect(std::optional<std::string_view> v, TkvInactiveEffect def);
TkvStdCommand ToCommand(std::optional<std::string_view> v, TkvStdCommand def);

std::string PointText(fw::Point p);
std::string RectText(const fw::Rect& r);
std::string FontStylesText(TkvFontStyles s);
const char* AlignmentText(TkvAlignment a);
const char* StretchTypeText(TkvStretchType t);
const char* MorphKindText(TkvMorphKind k);
const char* InactiveEffectText(TkvInactiveEffect e);
const char* CommandText(TkvStdCommand c);
