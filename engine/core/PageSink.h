#pragma once
// Where a compaction writes the new file: whole pages, in order, read back afterwards for the checks.
#include "engine/core/FileReader.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace jet {

class PageSink {
public:
    virtual ~PageSink() = default;
    // Appends the next page; throws JetError when it cannot be written.
    virtual void write(std::span<const std::uint8_t> page) = 0;
    // Everything written, once the last page is; valid until the next write.
    virtual const FileReader& written() = 0;
};

// readInPlace false has the checks read the result through their page cache, as they read a file.
class MemorySink : public PageSink {
public:
    explicit MemorySink(bool readInPlace = true) : inPlace_(readInPlace) {}
    void write(std::span<const std::uint8_t> page) override { bytes.insert(bytes.end(), page.begin(), page.end()); }
    const FileReader& written() override { return reader_.emplace(bytes, inPlace_); }
    std::vector<std::uint8_t> bytes;

private:
    bool inPlace_;
    std::optional<MemoryReader> reader_;
};

}  // namespace jet
