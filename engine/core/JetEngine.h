#pragma once
// Portable database compactor: file bytes in, compacted file bytes out. No platform calls.
#include "engine/core/FileReader.h"
#include "engine/core/PageSink.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace jet {

// Every failure of the engine: the message names the problem in plain words.
class JetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Validates the header (Jet 3 / Jet 4 only), checks the password, compacts; returns the complete destination
// bytes. Throws JetError with a readable message naming the problem.
std::vector<std::uint8_t> compactDatabase(std::span<const std::uint8_t> source, std::u16string_view password);
// The same for a file read through source, keeping at most cachedPages of its pages in memory at a time
// (unless it is in memory already and not encrypted).
std::vector<std::uint8_t> compactDatabase(const FileReader& source, std::u16string_view password,
                                          std::size_t cachedPages);
// The same, writing the compacted file page by page to out and reading it back for the checks. When this
// throws, what out holds must not be used.
void compactDatabase(const FileReader& source, std::u16string_view password, PageSink& out, std::size_t cachedPages);

}  // namespace jet
