#include "engine/com/ConnectionString.h"

namespace kvcom {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trimBlanks(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char16_t lowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

}  // namespace

bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

ConnectionPairs parseConnectionString(std::u16string_view text) {
    ConnectionPairs pairs;
    std::size_t pos = 0;
    const std::size_t n = text.size();
    while (pos < n) {
        // Key: up to a single '='; "==" is a literal '='.
        std::u16string key;
        bool sawEquals = false;
        while (pos < n) {
            char16_t c = text[pos];
            if (c == u'=') {
                if (pos + 1 < n && text[pos + 1] == u'=') {
                    key += u'=';
                    pos += 2;
                    continue;
                }
                sawEquals = true;
                ++pos;
                break;
            }
            if (c == u';') break;
            key += c;
            ++pos;
        }
        std::u16string_view trimmedKey = trimBlanks(key);
        if (!sawEquals) {
            if (!trimmedKey.empty()) {
                throw ConnectionStringError("Connection string has an item without '='");
            }
            ++pos;  // empty segment: skip its ';'
            continue;
        }
        if (trimmedKey.empty()) throw ConnectionStringError("Connection string has a value without a key");

        // Value: quoted or plain.
        while (pos < n && isBlank(text[pos])) ++pos;
        std::u16string value;
        if (pos < n && (text[pos] == u'"' || text[pos] == u'\'')) {
            const char16_t quote = text[pos++];
            bool closed = false;
            while (pos < n) {
                char16_t c = text[pos++];
                if (c == quote) {
                    if (pos < n && text[pos] == quote) {
                        value += quote;
                        ++pos;
                        continue;
                    }
                    closed = true;
                    break;
                }
                value += c;
            }
            if (!closed) throw ConnectionStringError("Connection string has an unterminated quoted value");
            while (pos < n && isBlank(text[pos])) ++pos;
            if (pos < n && text[pos] != u';') {
                throw ConnectionStringError("Connection string has text after a quoted value");
            }
        } else {
            std::size_t start = pos;
            while (pos < n && text[pos] != u';') ++pos;
            value = std::u16string(trimBlanks(text.substr(start, pos - start)));
        }
        if (pos < n) ++pos;  // the ';'
        pairs.emplace_back(std::u16string(trimmedKey), std::move(value));
    }
    return pairs;
}

const std::u16string* findConnectionValue(const ConnectionPairs& pairs, std::u16string_view key) {
    const std::u16string* found = nullptr;
    for (const auto& [k, v] : pairs) {
        if (equalsIgnoreAsciiCase(k, key)) found = &v;
    }
    return found;
}

JetConnection parseJetConnection(std::u16string_view text) {
    const ConnectionPairs pairs = parseConnectionString(text);
    const std::u16string* provider = findConnectionValue(pairs, u"Provider");
    if (provider == nullptr) throw ConnectionStringError("Connection string names no provider");
    if (!equalsIgnoreAsciiCase(*provider, kJetProvider) && !equalsIgnoreAsciiCase(*provider, kAceProvider)) {
        throw ConnectionStringError(
            "Provider is not supported (only Microsoft.Jet.OLEDB.4.0 and Microsoft.ACE.OLEDB.12.0 are)");
    }
    const std::u16string* source = findConnectionValue(pairs, u"Data Source");
    if (source == nullptr || source->empty()) throw ConnectionStringError("Connection string names no data source");
    JetConnection result;
    result.dataSource = *source;
    if (const std::u16string* pw = findConnectionValue(pairs, u"Jet OLEDB:Database Password")) result.password = *pw;
    return result;
}

}  // namespace kvcom
