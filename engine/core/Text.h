#pragma once
// Table and column names in messages: UTF-16 names shown as ASCII, other characters as '?'.
#include <string>
#include <string_view>

namespace jet {

inline std::string asciiName(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out.push_back(c < 0x80 ? char(c) : '?');
    return out;
}

}  // namespace jet
