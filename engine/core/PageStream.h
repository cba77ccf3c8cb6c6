#pragma once
// Pages a compaction fills afresh, handed out one at a time in the order of their new numbers.
#include <cstdint>
#include <span>

namespace jet {

class PageStream {
public:
    virtual ~PageStream() = default;
    // Fills page (a page's size) with the stream's next page.
    virtual void nextPage(std::span<std::uint8_t> page) = 0;
};

}  // namespace jet
