// Byte streams of the skin data: an in-memory stream with a position, the stream errors, and whole-file I/O.
// Portable; the skin package, its framings and the zlib wrappers all work on these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw {

class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// Reading past the end of a stream.
class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
};
// A file that cannot be opened or created.
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum class SeekOrigin { Begin, Current, End };

// A growable byte buffer with a read/write position, like a memory stream of the runtime.
class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

    std::size_t size() const { return data_.size(); }
    std::size_t position() const { return pos_; }
    void setPosition(std::size_t p) { pos_ = p; }
    std::int64_t seek(std::int64_t offset, SeekOrigin origin);
    void clear() { data_.clear(); pos_ = 0; }
    std::size_t remaining() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }

    // Reads up to n bytes; returns how many were read.
    std::size_t read(void* dst, std::size_t n);
    // Reads exactly n bytes or throws EReadError (the position is then unchanged).
    void readBuffer(void* dst, std::size_t n);
    // Writes at the position, growing the buffer as needed.
    void write(const void* src, std::size_t n);
    void write(std::span<const std::uint8_t> bytes) { write(bytes.data(), bytes.size()); }

    std::int32_t readInt32();
    std::uint8_t readByte();
    void writeInt32(std::int32_t v);
    void writeByte(std::uint8_t v) { write(&v, 1); }

    const std::vector<std::uint8_t>& bytes() const { return data_; }
    std::vector<std::uint8_t>& bytes() { return data_; }
    std::span<const std::uint8_t> rest() const {
        return std::span<const std::uint8_t>(data_).subspan(std::min(pos_, data_.size()));
    }

private:
    std::vector<std::uint8_t> data_;
    std::size_t pos_ = 0;
};

// Whole-file helpers; both throw EFOpenError when the file cannot be opened.
std::vector<std::uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

// Little-endian access to a byte buffer.
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

}  // namespace fw
