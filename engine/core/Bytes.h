#pragma once
// Bounds-checked little- and big-endian access to file bytes. A read past the end is a damaged file, never UB.
#include "engine/core/JetEngine.h"

#include <cstdint>
#include <span>
#include <string>

namespace jet {

// Out of line, so that the messages are built only on the damaged path and the checks inline small.
[[noreturn]] void damaged(const std::string& what);
[[noreturn]] void outsidePage(const char* what);

inline void needBytes(std::span<const std::uint8_t> b, std::size_t at, std::size_t n, const char* what) {
    if (at > b.size() || n > b.size() - at) outsidePage(what);
}

inline std::uint8_t rd8(std::span<const std::uint8_t> b, std::size_t at, const char* what = "a field") {
    needBytes(b, at, 1, what);
    return b[at];
}

inline std::uint16_t rd16(std::span<const std::uint8_t> b, std::size_t at, const char* what = "a field") {
    needBytes(b, at, 2, what);
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

inline std::uint32_t rd32(std::span<const std::uint8_t> b, std::size_t at, const char* what = "a field") {
    needBytes(b, at, 4, what);
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

inline void wr16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) {
    needBytes(b, at, 2, "a written field");
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

inline void wr32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    needBytes(b, at, 4, "a written field");
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

}  // namespace jet
