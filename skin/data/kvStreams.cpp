#include "skin/data/kvStreams.h"

std::int32_t readInt32(fw::Stream& s) {
    std::uint8_t b[4];
    s.readBuffer(b, 4);
    return static_cast<std::int32_t>(getLE32(b));
}

std::uint8_t readByte(fw::Stream& s) {
    std::uint8_t b;
    s.readBuffer(&b, 1);
    return b;
}

void writeInt32(fw::Stream& s, std::int32_t v) {
    std::uint8_t b[4];
    putLE32(b, static_cast<std::uint32_t>(v));
    s.writeBuffer(b, 4);
}

void writeByte(fw::Stream& s, std::uint8_t v) { s.writeBuffer(&v, 1); }

void writeBytes(fw::Stream& s, std::span<const std::uint8_t> bytes) {
    if (!bytes.empty()) s.writeBuffer(bytes.data(), bytes.size());
}

void writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    fw::writeFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::size_t remaining(fw::Stream& s) {
    std::int64_t left = s.size() - s.position();
    return left > 0 ? static_cast<std::size_t>(left) : 0;
}
