#pragma once
// Sample databases for the engine tests, read from the repository's test data folder.
#include <cstdint>
#include <string>
#include <vector>

namespace jettest {

std::vector<std::uint8_t> readSample(const std::string& name);
std::vector<std::string> sampleNames();

}  // namespace jettest
