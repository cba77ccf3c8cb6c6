// Any text either parses or raises DescriptionError; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/Description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        fw::ObjectNode n = fw::parseDescription(std::string_view(reinterpret_cast<const char*>(data), size));
        for (const auto& p : n.properties) {
            try {
                (void)p.value.toInt();
            } catch (const fw::DescriptionError&) {}
        }
    } catch (const fw::DescriptionError&) {}
    return 0;
}
