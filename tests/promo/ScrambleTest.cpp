// Scrambled values and their hexadecimal form, byte for byte.
#include "promo/Scramble.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace std::string_literals;

TEST(HexForm, EncodesTwoUpperCaseDigitsPerByte) {
    EXPECT_EQ(HexEncode(""), "");
    EXPECT_EQ(HexEncode("\x05"), "05");
    EXPECT_EQ(HexEncode("abc"), "616263");
    EXPECT_EQ(HexEncode("\n"), "0A");
    EXPECT_EQ(HexEncode("\x00\xFF\x10\xab"s), "00FF10AB");
}

TEST(HexForm, DecodesPairsAndIgnoresATrailingOddCharacter) {
    EXPECT_EQ(HexDecode(""), "");
    EXPECT_EQ(HexDecode("4"), "");
    EXPECT_EQ(HexDecode("41424"), "AB");
    EXPECT_EQ(HexDecode("00FF"), "\x00\xFF"s);
}

TEST(HexForm, NonHexadecimalCharactersDecodeByTheDigitRule) {
    // 'a' is 97: 97 - 55 = 42, so "4a" is (16 * 4 + 42) mod 256.
    EXPECT_EQ(HexDecode("4a"), std::string(1, static_cast<char>(106)));
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    EXPECT_EQ(HexDigitValue('/'), static_cast<std::uint8_t>('/' - 55));  // 47 - 55 wraps to 248
    EXPECT_EQ(HexDigitValue(' '), static_cast<std::uint8_t>(32 - 55));
    EXPECT_EQ(HexDigitValue('\xB0'), 0xB0 - 55);
    // High digit values wrap modulo 256: 'Z' is 35, 16 * 35 + 35 = 595 -> 83.
    EXPECT_EQ(HexDecode("ZZ"), std::string(1, static_cast<char>(595 % 256)));
}

// Stored forms computed by an independent implementation of the scrambling rules.
TEST(Scrambling, MatchesKnownStoredForms) {
    EXPECT_EQ(ScrambleText("", kScrambleStartKey), "");
    EXPECT_EQ(ScrambleText("A", kScrambleStartKey), "41");
    EXPECT_EQ(ScrambleText("abc", kScrambleStartKey), "61FA33");
    EXPECT_EQ(ScrambleText("http://www.kovra.example/banner.gif", kScrambleStartKey),
              "689F2019A5492BEBDF5FA8383EBB899570E2BD0B29FFF20327290BA89CD858BC25E8A7");
    EXPECT_EQ(ScrambleText("\xB5\xE3\xBB\xF7", kScrambleStartKey), "B562D1A8");  // GB2312 text stays bytes
    EXPECT_EQ(UnscrambleText("689F2019A5492BEBDF5FA8383EBB899570E2BD0B29FFF20327290BA89CD858BC25E8A7",
                             kScrambleStartKey),
              "http://www.kovra.example/banner.gif");
}

TEST(Scrambling, AByteEqualToTheKeysHighByteIsStoredUnchangedAndRestored) {
    // After "h" the key's high byte is 0xEB: that byte is kept as it is, and the key moves on as for a zero.
    EXPECT_EQ(ScrambleText("h\xEBZ", kScrambleStartKey), "68EB4B");
    EXPECT_EQ(UnscrambleText("68EB4B", kScrambleStartKey), "h\xEBZ");
    // A zero byte in the same place scrambles to 0xEB with a different key step; it cannot be restored.
    EXPECT_EQ(ScrambleText("h\x00Z"s, kScrambleStartKey), "68EB16");
    EXPECT_EQ(UnscrambleText("68EB16", kScrambleStartKey), "h\xEB\x07");
}

TEST(Scrambling, StoredFormNeverHoldsAZeroByteForTextsWithoutZeros) {
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> len(0, 64), byte(1, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string text(len(rng), '\0');
        for (char& c : text) c = static_cast<char>(byte(rng));
        const std::string stored = ScrambleText(text, kScrambleStartKey);
        ASSERT_EQ(stored.size(), text.size() * 2);
        EXPECT_EQ(HexDecode(stored).find('\0'), std::string::npos) << stored;
        ASSERT_EQ(UnscrambleText(stored, kScrambleStartKey), text) << stored;
    }
}

TEST(Scrambling, RoundTripHoldsForAnyStartKey) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> byte(1, 255), key(0, 0xFFFF);
    for (int round = 0; round < 500; ++round) {
        std::string text(32, '\0');
        for (char& c : text) c = static_cast<char>(byte(rng));
        const auto k = static_cast<std::uint16_t>(key(rng));
        ASSERT_EQ(UnscrambleText(ScrambleText(text, k), k), text);
    }
}

TEST(Scrambling, MalformedStoredValuesDecodeWithoutComplaint) {
    // An odd length drops the last character; lower-case digits decode by the digit rule.
    EXPECT_EQ(UnscrambleText("414", kScrambleStartKey), "A");
    EXPECT_EQ(UnscrambleText("61fa33", kScrambleStartKey).size(), 3u);
    EXPECT_NE(UnscrambleText("61fa33", kScrambleStartKey), "abc");
}
