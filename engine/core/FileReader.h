#pragma once
// Where the bytes of a database file come from: the whole file in memory, or a file read piece by piece, so
// that a store can keep only a few pages of a large file in memory at a time.
#include <cstdint>
#include <span>

namespace jet {

class FileReader {
public:
    virtual ~FileReader() = default;
    virtual std::uint64_t size() const = 0;
    // Fills into with the bytes at offset; throws JetError when they cannot be read.
    virtual void read(std::uint64_t offset, std::span<std::uint8_t> into) const = 0;
    // The whole file when it is in memory already, else empty.
    virtual std::span<const std::uint8_t> inMemory() const { return {}; }
};

// Bytes in memory; readInPlace false makes stores read them through their cache like any other file.
class MemoryReader : public FileReader {
public:
    explicit MemoryReader(std::span<const std::uint8_t> bytes, bool readInPlace = true)
        : bytes_(bytes), inPlace_(readInPlace) {}
    std::uint64_t size() const override { return bytes_.size(); }
    void read(std::uint64_t offset, std::span<std::uint8_t> into) const override;
    std::span<const std::uint8_t> inMemory() const override {
        return inPlace_ ? bytes_ : std::span<const std::uint8_t>{};
    }

private:
    std::span<const std::uint8_t> bytes_;
    bool inPlace_;
};

}  // namespace jet
