// Any stored value decodes without fault, and any text without zero bytes survives a round trip.
#include "promo/Scramble.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string plain = UnscrambleText(input, kScrambleStartKey);
    if (plain.size() != size / 2) std::abort();

    std::string text = input;
    for (char& c : text)
        if (c == '\0') c = '\x01';
    if (UnscrambleText(ScrambleText(text, kScrambleStartKey), kScrambleStartKey) != text) std::abort();
    return 0;
}
