#include "engine/core/JetHeader.h"

#include "engine/core/JetEngine.h"
#include "engine/core/Rc4.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

namespace jet {
namespace {

constexpr std::array<std::uint8_t, 4> kHeaderKey{0xC7, 0xDA, 0x39, 0x6B};
constexpr std::size_t kScrambledStart = 0x18;
constexpr std::size_t kVersionOffset = 0x14;
constexpr std::size_t kDatabaseKeyOffset = 0x3E;
constexpr std::size_t kPasswordOffset = 0x42;
constexpr std::size_t kCreationDateOffset = 0x72;
constexpr char kSignature[] = "Standard Jet DB";
constexpr char kLaterSignature[] = "Standard ACE DB";
constexpr std::uint8_t kLatestRelease = 6;

std::size_t scrambledLength(JetVersion v) { return v == JetVersion::Jet3 ? 126 : 128; }
std::size_t passwordBytes(JetVersion v) { return v == JetVersion::Jet3 ? 20 : 40; }

std::uint32_t u32At(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

// The Jet 4 password field is XORed, 4 bytes at a time, with the creation date truncated to an integer.
std::array<std::uint8_t, 4> jet4Mask(std::span<const std::uint8_t> decoded) {
    double date = 0;
    std::memcpy(&date, decoded.data() + kCreationDateOffset, sizeof date);
    std::int32_t whole = 0;
    if (std::isfinite(date) && date > -2147483648.0 && date < 2147483648.0) whole = static_cast<std::int32_t>(date);
    auto u = static_cast<std::uint32_t>(whole);
    return {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
}

// The stored password as UTF-16 code units, trailing zeros dropped. Jet 3 stores single bytes.
std::u16string storedPassword(const JetHeader& h) {
    std::u16string out;
    const std::uint8_t* p = h.decoded.data() + kPasswordOffset;
    if (h.version == JetVersion::Jet3) {
        for (std::size_t i = 0; i < 20; ++i) out.push_back(p[i]);
    } else {
        auto mask = jet4Mask(h.decoded);
        for (std::size_t i = 0; i < 40; i += 2) {
            std::uint8_t lo = p[i] ^ mask[i % 4], hi = p[i + 1] ^ mask[(i + 1) % 4];
            out.push_back(char16_t(lo | hi << 8));
        }
    }
    while (!out.empty() && out.back() == 0) out.pop_back();
    return out;
}

}  // namespace

JetHeader readHeader(std::span<const std::uint8_t> file) {
    return readHeader(file.first(std::min<std::size_t>(file.size(), 4096)), file.size());
}

JetHeader readHeader(std::span<const std::uint8_t> file, std::uint64_t fileSize) {
    if (fileSize < 2048 || file.size() < 2048) throw JetError("not a database file: shorter than one page");
    const bool start = file[0] == 0 && file[1] == 1 && file[2] == 0 && file[3] == 0;
    const bool jet = start && std::memcmp(file.data() + 4, kSignature, sizeof kSignature - 1) == 0;
    const bool ace = start && std::memcmp(file.data() + 4, kLaterSignature, sizeof kLaterSignature - 1) == 0;
    if (!jet && !ace) throw JetError("not a database file: the header signature is missing");
    JetHeader h;
    h.release = file[kVersionOffset];
    // Jet 3 and Jet 4 write the Jet signature; Access 2007 to 2019 their own, and Jet 4's page layout.
    if (jet && h.release == 0) {
        h.version = JetVersion::Jet3;
        h.pageSize = 2048;
    } else if ((jet && h.release == 1) || (ace && h.release >= 2 && h.release <= kLatestRelease)) {
        h.version = JetVersion::Jet4;
        h.pageSize = 4096;
    } else {
        throw JetError("unsupported: a database of format version " + std::to_string(h.release) +
                       ", which this engine does not know");
    }
    if (fileSize % h.pageSize != 0 || file.size() < h.pageSize)
        throw JetError("damaged database: the file length " + std::to_string(fileSize) + " is not a whole number of " +
                       std::to_string(h.pageSize) + "-byte pages");
    if (fileSize / h.pageSize > 0x00FFFFFFu)
        throw JetError("database too large: more pages than a row pointer can address");
    h.pageCount = static_cast<std::uint32_t>(fileSize / h.pageSize);
    if (h.pageCount < 3) throw JetError("damaged database: fewer than three pages");
    h.decoded.assign(file.begin(), file.begin() + h.pageSize);
    rc4Apply(kHeaderKey, std::span(h.decoded).subspan(kScrambledStart, scrambledLength(h.version)));
    h.databaseKey = u32At(h.decoded, kDatabaseKeyOffset);
    // Access 2007 and later encrypt a file only with its password, by a scheme this engine does not implement.
    if (h.accdb() && h.databaseKey != 0)
        throw JetError(
            "unsupported: this .accdb file is encrypted with its database password (the encryption of Access 2007 "
            "and later), which this engine cannot decrypt");
    return h;
}

std::string formatName(const JetHeader& header) {
    static constexpr const char* kNames[] = {"Jet 3 (Access 97, .mdb)", "Jet 4 (Access 2000 or 2003, .mdb)",
                                             "Access 2007 (.accdb)",    "Access 2010 (.accdb)",
                                             "Access 2013 (.accdb)",    "Access 2016 (.accdb)",
                                             "Access 2019 (.accdb)"};
    return header.release < std::size(kNames) ? kNames[header.release] : "unknown";
}

void checkPassword(const JetHeader& header, std::u16string_view password) {
    while (!password.empty() && password.back() == 0) password.remove_suffix(1);
    std::u16string stored = storedPassword(header);
    if (stored == password) return;
    if (stored.empty()) throw JetError("wrong password: the database has no password, but one was given");
    // Jet 3 keeps the password in the database's code page, which this engine does not convert.
    auto nonAscii = [](char16_t c) { return c >= 0x80; };
    if (header.version == JetVersion::Jet3 && (std::any_of(stored.begin(), stored.end(), nonAscii) ||
                                               std::any_of(password.begin(), password.end(), nonAscii)))
        throw JetError("unsupported: Jet 3 passwords with characters outside ASCII cannot be checked");
    throw JetError("wrong password: the given password does not match the database password");
}

std::vector<std::uint8_t> withPassword(std::span<const std::uint8_t> page0, JetVersion version,
                                       std::u16string_view password) {
    const std::size_t field = passwordBytes(version);
    if (password.size() * (version == JetVersion::Jet3 ? 1 : 2) > field) throw JetError("password too long");
    std::vector<std::uint8_t> page(page0.begin(), page0.end());
    auto scrambled = std::span(page).subspan(kScrambledStart, scrambledLength(version));
    rc4Apply(kHeaderKey, scrambled);
    std::uint8_t* p = page.data() + kPasswordOffset;
    std::fill(p, p + field, 0);
    if (version == JetVersion::Jet3) {
        for (std::size_t i = 0; i < password.size(); ++i) {
            if (password[i] > 0xFF) throw JetError("a Jet 3 password holds single-byte characters only");
            p[i] = static_cast<std::uint8_t>(password[i]);
        }
    } else {
        for (std::size_t i = 0; i < password.size(); ++i) {
            p[2 * i] = std::uint8_t(password[i]);
            p[2 * i + 1] = std::uint8_t(password[i] >> 8);
        }
        auto mask = jet4Mask(page);
        for (std::size_t i = 0; i < field; ++i) p[i] ^= mask[i % 4];
    }
    rc4Apply(kHeaderKey, scrambled);
    return page;
}

}  // namespace jet
