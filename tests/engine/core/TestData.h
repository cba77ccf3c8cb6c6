#pragma once
// Sample databases for the engine tests, read from the repository's test data folder.
#include <cstdint>
#include <string>
#include <vector>

namespace jettest {

std::vector<std::uint8_t> readSample(const std::string& name);
// Every sample: .mdb (Jet 3, Jet 4) and .accdb (Access 2007 and later).
std::vector<std::string> sampleNames();

}  // namespace jettest
