#include "promo/Scramble.h"

namespace {

constexpr std::uint32_t kMultiplier = 0x9E35;
constexpr std::uint32_t kAddend = 0x71E3;

// One step of the rolling key. Computed in 32 bits: the product exceeds the range of int.
std::uint16_t nextKey(std::uint16_t key, std::uint8_t byte) {
    return static_cast<std::uint16_t>(((std::uint32_t{key} + byte) * kMultiplier + kAddend) & 0xFFFFu);
}

std::uint8_t highByte(std::uint16_t key) { return static_cast<std::uint8_t>(key >> 8); }

}  // namespace

std::string ScrambleText(std::string_view text, std::uint16_t key) {
    std::string result(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto plain = static_cast<std::uint8_t>(text[i]);
        const auto scrambled = static_cast<std::uint8_t>(plain ^ highByte(key));
        key = nextKey(key, scrambled);
        // A byte equal to the key's high byte would scramble to zero; it is kept as it is instead, so that a
        // scrambled string holds no zero byte. The key has moved on as if the byte were zero.
        result[i] = static_cast<char>(scrambled != 0 ? scrambled : plain);
    }
    return HexEncode(result);
}

std::string UnscrambleText(std::string_view text, std::uint16_t key) {
    std::string result = HexDecode(text);
    for (char& c : result) {
        const auto stored = static_cast<std::uint8_t>(c);
        const auto plain = static_cast<std::uint8_t>(stored ^ highByte(key));
        if (plain == 0) {
            key = nextKey(key, 0);  // the byte was kept unchanged when it was scrambled
        } else {
            c = static_cast<char>(plain);
            key = nextKey(key, stored);
        }
    }
    return result;
}

std::string HexEncode(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 0x0F]);
    }
    return hex;
}

std::string HexDecode(std::string_view hex) {
    std::string bytes(hex.size() / 2, '\0');
    for (std::size_t j = 0; j < bytes.size(); ++j) {
        const unsigned value = 16u * HexDigitValue(hex[2 * j]) + HexDigitValue(hex[2 * j + 1]);
        bytes[j] = static_cast<char>(value & 0xFFu);
    }
    return bytes;
}

std::uint8_t HexDigitValue(char c) {
    const auto code = static_cast<std::uint8_t>(c);
    const auto digit = static_cast<std::uint8_t>(code - 48);
    if (digit < 10) return digit;
    return static_cast<std::uint8_t>(code - 55);
}
