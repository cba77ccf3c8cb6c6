#include "framework/IniFile.h"

#include <charconv>
#include <cstdint>

#include "framework/Stream.h"

namespace fw {

namespace {
std::string_view trim(std::string_view s) {
    const char* ws = " \t\r\n";
    size_t a = s.find_first_not_of(ws);
    if (a == std::string_view::npos) return {};
    size_t b = s.find_last_not_of(ws);
    return s.substr(a, b - a + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lo = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lo(a[i]) != lo(b[i])) return false;
    }
    return true;
}
}  // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Section* current = nullptr;
    while (!text.empty()) {
        size_t eol = text.find('\n');
        std::string_view line = trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string_view name = trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            current = const_cast<Section*>(ini.find(name));
            if (!current) {
                ini.sections_.push_back({std::string(name), {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;  // text outside a section or without '=' is ignored
        std::string_view key = trim(line.substr(0, eq));
        if (key.empty()) continue;
        bool known = false;
        for (const auto& kv : current->values)
            if (sameName(kv.first, key)) known = true;
        if (!known) current->values.emplace_back(std::string(key), std::string(trim(line.substr(eq + 1))));
    }
    return ini;
}

IniFile IniFile::load(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    std::vector<std::uint8_t> bytes = readFile(path);
    return parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

const IniFile::Section* IniFile::find(std::string_view section) const {
    for (const Section& s : sections_)
        if (sameName(s.name, section)) return &s;
    return nullptr;
}

bool IniFile::hasSection(std::string_view section) const { return find(section) != nullptr; }

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    if (const Section* s = find(section))
        for (const auto& kv : s->values)
            if (sameName(kv.first, key)) return true;
    return false;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    if (const Section* s = find(section))
        for (const auto& kv : s->values)
            if (sameName(kv.first, key)) return kv.second;
    return std::string(defaultValue);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    std::string v = readString(section, key);
    std::string_view s = v;
    bool negative = !s.empty() && s[0] == '-';
    if (negative || (!s.empty() && s[0] == '+')) s.remove_prefix(1);
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        base = 16;
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return defaultValue;
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return defaultValue;
    return static_cast<int>(value);
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> out;
    for (const Section& s : sections_) out.push_back(s.name);
    return out;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    if (const Section* s = find(section))
        for (const auto& kv : s->values) out.push_back(kv.first);
    return out;
}

}  // namespace fw
