// Byte strings of the settings file (the platform's ANSI code page) to and from UTF-16 for the wide API.
#pragma once

#include <string>
#include <string_view>

std::wstring AnsiToWide(std::string_view bytes);
std::string WideToAnsi(std::wstring_view text);
