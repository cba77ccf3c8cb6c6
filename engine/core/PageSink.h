#pragma once
// Where a compaction writes the new file: whole pages, in order.
#include <cstdint>
#include <span>
#include <vector>

namespace jet {

class PageSink {
public:
    virtual ~PageSink() = default;
    // Appends the next page; throws JetError when it cannot be written.
    virtual void write(std::span<const std::uint8_t> page) = 0;
};

class MemorySink : public PageSink {
public:
    void write(std::span<const std::uint8_t> page) override { bytes.insert(bytes.end(), page.begin(), page.end()); }
    std::vector<std::uint8_t> bytes;
};

}  // namespace jet
