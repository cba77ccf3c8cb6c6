// UTF-8 <-> UTF-16 conversion (portable). Invalid input becomes U+FFFD; nothing throws.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace fw {

std::wstring utf8ToWide(std::string_view s);
std::string wideToUtf8(std::wstring_view s);
// A path as UTF-8 text (Windows paths are UTF-16; POSIX paths are taken as the bytes they are).
std::string pathToUtf8(const std::filesystem::path& p);

}  // namespace fw
