// OLE DB connection strings as the compaction engine receives them: "Key=Value;Key=Value;...".
// Portable (no platform calls), so that the parsing rules are tested natively.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvcom {

// A connection string that cannot be used; the message is readable by the user.
class ConnectionStringError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Key/value pairs in the order they appear. Keys keep their spelling; look them up with findConnectionValue.
using ConnectionPairs = std::vector<std::pair<std::u16string, std::u16string>>;

// Splits a connection string into pairs:
// - pairs are separated by ';'; empty segments are skipped;
// - keys are trimmed of spaces and tabs; "==" inside a key stands for a literal '=';
// - an unquoted value is trimmed of spaces and tabs and runs to the next ';';
// - a value may be quoted with '"' or '\''; the same quote doubled inside stands for itself; after the closing
//   quote only spaces may follow before ';' or the end.
// Throws ConnectionStringError for a segment without '=', an empty key or an unterminated quote.
ConnectionPairs parseConnectionString(std::u16string_view text);

// Value of the last pair whose key equals `key` ignoring ASCII case, or nullptr.
const std::u16string* findConnectionValue(const ConnectionPairs& pairs, std::u16string_view key);

// What the engine takes from one end of a compaction.
struct JetConnection {
    std::u16string dataSource;
    std::u16string password;  // empty when absent
};

inline constexpr std::u16string_view kJetProvider = u"Microsoft.Jet.OLEDB.4.0";
// The provider of Access 2007 and later, which opens .accdb and .mdb files alike.
inline constexpr std::u16string_view kAceProvider = u"Microsoft.ACE.OLEDB.12.0";

// Parses and checks one end of a compaction: the provider must be kJetProvider or kAceProvider (ignoring case,
// either for any file: the engine tells the format from the file's header) and the data
// source must be present and not empty. Throws ConnectionStringError with a readable message otherwise.
JetConnection parseJetConnection(std::u16string_view text);

// ASCII-only case-insensitive comparison (keys and provider names are ASCII).
bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace kvcom
