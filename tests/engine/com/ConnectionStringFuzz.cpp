// Any text is either parsed or refused with ConnectionStringError; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/com/ConnectionString.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    try {
        kvcom::ConnectionPairs pairs = kvcom::parseConnectionString(text);
        for (const auto& [k, v] : pairs) {
            if (k.empty()) __builtin_trap();  // keys are never empty
            (void)v;
        }
        (void)kvcom::parseJetConnection(text);
    } catch (const kvcom::ConnectionStringError&) {}
    return 0;
}
