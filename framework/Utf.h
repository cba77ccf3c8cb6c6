// UTF-8 <-> UTF-16 conversion (portable). Invalid input becomes U+FFFD; nothing throws.
#pragma once

#include <string>
#include <string_view>

namespace fw {

std::wstring utf8ToWide(std::string_view s);
std::string wideToUtf8(std::wstring_view s);

}  // namespace fw
