#include "tests/engine/core/TestData.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace jettest {

std::vector<std::uint8_t> readSample(const std::string& name) {
    std::ifstream in(std::filesystem::path(KV_JET_TESTDATA) / name, std::ios::binary);
    if (!in) throw std::runtime_error("missing sample " + name);
    std::vector<std::uint8_t> bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    return bytes;
}

std::vector<std::string> sampleNames() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(KV_JET_TESTDATA))
        if (e.path().extension() == ".mdb" || e.path().extension() == ".accdb")
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace jettest
