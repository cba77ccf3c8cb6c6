// Scrambled values of the settings file: each value is a byte string scrambled with a rolling 16-bit key and
// stored as two upper-case hexadecimal digits per byte. Portable byte routines with no state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The key every value of the settings file is scrambled with.
inline constexpr std::uint16_t kScrambleStartKey = 0x00A7;

// Scrambles the bytes of text starting from key and returns the stored (hexadecimal) form.
std::string ScrambleText(std::string_view text, std::uint16_t key);
// Takes the stored form and returns the plain bytes. Exact inverse of ScrambleText for texts without zero bytes.
std::string UnscrambleText(std::string_view text, std::uint16_t key);

// Two upper-case hexadecimal digits per byte: "abc" -> "616263".
std::string HexEncode(std::string_view bytes);
// One byte per pair of characters; a trailing odd character is ignored. Characters that are not hexadecimal
// digits are not rejected: they give the values of HexDigitValue.
std::string HexDecode(std::string_view hex);
// "0"-"9" give 0-9; any other character gives its code minus 55, modulo 256 ("A"-"F" give 10-15).
std::uint8_t HexDigitValue(char c);
