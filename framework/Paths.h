// Path text helpers shared by the portable code and the platform side (header-only, so that the engine's COM server
// can use them too).
#pragma once

#include <string>
#include <string_view>

namespace fw {

namespace detail {

template <class Char>
std::basic_string<Char> folderOf(std::basic_string_view<Char> path) {
    const Char separators[] = {Char('\\'), Char('/'), Char(0)};
    const std::size_t slash = path.find_last_of(separators);
    if (slash == std::basic_string_view<Char>::npos) return {Char('.')};
    if (slash == 0) return std::basic_string<Char>(path.substr(0, 1));                          // "\"
    if (slash == 2 && path[1] == Char(':')) return std::basic_string<Char>(path.substr(0, 3));  // "C:\"
    return std::basic_string<Char>(path.substr(0, slash));
}

}  // namespace detail

// The folder part of a path, for files that must be created beside it: "." when the path has none, the root itself
// ("C:\", "\") for a file in a root. Either slash separates.
inline std::u16string folderOf(std::u16string_view path) { return detail::folderOf(path); }
inline std::wstring folderOf(std::wstring_view path) { return detail::folderOf(path); }

}  // namespace fw
