#include "skin/data/kvStreams.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fw {

std::int64_t MemoryStream::seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t base = origin == SeekOrigin::Begin ? 0
                        : origin == SeekOrigin::Current ? static_cast<std::int64_t>(pos_)
                                                        : static_cast<std::int64_t>(data_.size());
    std::int64_t p = base + offset;
    if (p < 0) p = 0;
    pos_ = static_cast<std::size_t>(p);
    return p;
}

std::size_t MemoryStream::read(void* dst, std::size_t n) {
    std::size_t k = std::min(n, remaining());
    if (k) std::memcpy(dst, data_.data() + pos_, k);
    pos_ += k;
    return k;
}

void MemoryStream::readBuffer(void* dst, std::size_t n) {
    if (n > remaining()) throw EReadError();
    read(dst, n);
}

void MemoryStream::write(const void* src, std::size_t n) {
    if (n == 0) return;
    if (pos_ + n > data_.size()) data_.resize(pos_ + n);
    std::memcpy(data_.data() + pos_, src, n);
    pos_ += n;
}

std::int32_t MemoryStream::readInt32() {
    std::uint8_t b[4];
    readBuffer(b, 4);
    return static_cast<std::int32_t>(getLE32(b));
}

std::uint8_t MemoryStream::readByte() {
    std::uint8_t b;
    readBuffer(&b, 1);
    return b;
}

void MemoryStream::writeInt32(std::int32_t v) {
    std::uint8_t b[4];
    putLE32(b, static_cast<std::uint32_t>(v));
    write(b, 4);
}

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw EFOpenError("Cannot open file \"" + path + "\"");
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) throw EFOpenError("Cannot create file \"" + path + "\"");
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw EFOpenError("Cannot write file \"" + path + "\"");
}

}  // namespace fw
