// Little helpers over the framework's byte streams for the skin package: 32-bit and byte fields, what is left to
// read, and little-endian access to buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/Stream.h"

// The error of a read past the end of the data.
inline fw::StreamError readError() { return fw::StreamError("Stream read error"); }

// Reads exactly one field or throws StreamError ("Stream read error").
std::int32_t readInt32(fw::Stream& s);
std::uint8_t readByte(fw::Stream& s);
void writeInt32(fw::Stream& s, std::int32_t v);
void writeByte(fw::Stream& s, std::uint8_t v);
void writeBytes(fw::Stream& s, std::span<const std::uint8_t> bytes);
// Writes a whole file from a byte range (StreamError when it cannot be created).
void writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);
// Bytes between the position and the end.
std::size_t remaining(fw::Stream& s);

inline std::uint32_t getLE32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::uint16_t getLE16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline void putLE32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}
inline void putLE16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
