#pragma once
// Names stored in rows, and names in messages: UTF-16 names shown as ASCII, other characters as '?'.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace jet {

inline std::string asciiName(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out.push_back(c < 0x80 ? char(c) : '?');
    return out;
}

// Text of a row value: Jet 3 stores code-page bytes, Jet 4 UCS-2, optionally compressed (marker FF FE,
// then runs of single bytes and UCS-2 separated by zero bytes).
inline std::u16string decodeText(std::span<const std::uint8_t> v, bool jet4) {
    std::u16string out;
    if (!jet4) {
        for (auto b : v) out.push_back(b);
        return out;
    }
    if (v.size() >= 2 && v[0] == 0xFF && v[1] == 0xFE) {
        bool compressed = true;
        for (std::size_t i = 2; i < v.size();) {
            if (v[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                out.push_back(v[i++]);
            } else if (i + 1 < v.size()) {
                out.push_back(char16_t(v[i] | v[i + 1] << 8));
                i += 2;
            } else {
                break;
            }
        }
        return out;
    }
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) out.push_back(char16_t(v[i] | v[i + 1] << 8));
    return out;
}

}  // namespace jet
