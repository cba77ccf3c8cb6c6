#pragma once
// The database header (page 0): format version, page size, database key and password check.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

enum class JetVersion { Jet3, Jet4 };

// The page layout a file uses. Access 2007 and later (.accdb) keep Jet 4's pages; their header says which
// of them wrote the file (JetHeader::release).

struct JetHeader {
    JetVersion version = JetVersion::Jet3;
    // The header's version byte: 0 Jet 3, 1 Jet 4, 2 Access 2007, 3 Access 2010, 4 Access 2013, 5 Access 2016+.
    std::uint8_t release = 0;
    bool accdb() const { return release >= 2; }
    std::uint32_t pageSize = 0;
    std::uint32_t pageCount = 0;
    std::uint32_t databaseKey = 0;      // non-zero: every page but page 0 is encrypted
    std::vector<std::uint8_t> decoded;  // page 0 with its scrambled block decoded
};

// Reads and validates page 0 and the file length. Throws JetError naming what is wrong.
JetHeader readHeader(std::span<const std::uint8_t> file);
// The same from the file's first bytes (at least one page, when the file has one) and its length.
JetHeader readHeader(std::span<const std::uint8_t> first, std::uint64_t fileSize);

// What wrote the file, for people: "Jet 4 (Access 2000 or 2003, .mdb)", "Access 2010 (.accdb)".
std::string formatName(const JetHeader& header);

// Throws JetError unless password is the database password (empty matches a database without one).
void checkPassword(const JetHeader& header, std::u16string_view password);

// Returns page 0 with the stored password replaced (for tests and tools that make protected samples).
std::vector<std::uint8_t> withPassword(std::span<const std::uint8_t> page0, JetVersion version,
                                       std::u16string_view password);

}  // namespace jet
