// Reading plain INI text (portable): [section] lines, key=value lines, ';' or '#' comment lines. Section and key
// names match without regard to ASCII case, as the platform's profile functions do; names and values are trimmed.
// The first occurrence of a section or key wins.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

class IniFile {
public:
    IniFile() = default;
    // Parses text (UTF-8 or 8-bit bytes, kept as they are). A byte-order mark is skipped.
    static IniFile parse(std::string_view text);
    // Reads a file; a missing file gives an empty IniFile (as the profile functions give defaults).
    static IniFile load(const std::filesystem::path& path);

    bool hasSection(std::string_view section) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    // Decimal (optionally signed) or 0x-prefixed hex; anything else, or out of range, gives the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };
    const Section* find(std::string_view section) const;
    std::vector<Section> sections_;
};

}  // namespace fw
