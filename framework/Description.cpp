#include "framework/Description.h"

#include <cctype>
#include <limits>

#include "framework/Colors.h"
#include "framework/Utf.h"

namespace fw {

namespace {

bool isIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    ObjectNode parseAll() {
        skipSpace();
        ObjectNode root = parseObject(0);
        skipSpace();
        if (!atEnd()) fail("text after the end of the description");
        return root;
    }

private:
    // Objects nest through recursion; a silly depth is refused before it can exhaust the stack.
    static constexpr int kMaxDepth = 64;

    [[noreturn]] void fail(const std::string& msg) const { throw DescriptionError(line_, msg); }
    bool atEnd() const { return pos_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[pos_]; }
    char next() {
        char c = s_[pos_++];
        if (c == '\n') ++line_;
        return c;
    }

    void skipSpace() {
        while (!atEnd()) {
            char c = peek();
            if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
                while (!atEnd() && peek() != '\n') next();
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                next();
            } else {
                break;
            }
        }
    }

    void expect(char c, const std::string& what) {
        skipSpace();
        if (peek() != c) fail("expected " + what);
        next();
    }

    std::string identifier(const char* what) {
        skipSpace();
        if (!isIdentStart(peek())) fail(std::string("expected ") + what);
        size_t start = pos_;
        while (!atEnd() && isIdentChar(peek())) next();
        return std::string(s_.substr(start, pos_ - start));
    }

    ObjectNode parseObject(int depth) {
        int line = line_;
        std::string className = identifier("a class name");
        return parseObjectAfterClass(std::move(className), line, depth);
    }

    ObjectNode parseObjectAfterClass(std::string className, int line, int depth) {
        if (depth > kMaxDepth) fail("objects nested too deeply");
        ObjectNode obj;
        obj.line = line;
        obj.className = std::move(className);
        obj.name = identifier("a component name or ':' after a property name");
        expect('{', "'{'");
        ObjectNode body = parseBody(obj.name, depth);
        obj.properties = std::move(body.properties);
        obj.children = std::move(body.children);
        return obj;
    }

    // One element of a list: an item of a collection, "item { Name: value; ... }", or any value.
    Value parseElement(int depth) {
        skipSpace();
        if (isIdentStart(peek())) {
            const int line = line_;
            const std::string word = identifier("a list element");
            if (word != "item") fail("expected 'item' or a value in a list, not '" + word + "'");
            expect('{', "'{' after 'item'");
            ObjectNode body = parseBody("item", depth);
            if (!body.children.empty()) fail("an item holds properties only");
            Value v;
            v.kind = Value::Kind::Item;
            v.line = line;
            v.fields = std::move(body.properties);
            return v;
        }
        return parseValue(depth);
    }

    ObjectNode parseBody(const std::string& objName, int depth) {
        ObjectNode obj;
        while (true) {
            skipSpace();
            if (atEnd()) fail("missing '}' for object '" + objName + "'");
            if (peek() == '}') {
                next();
                return obj;
            }
            int line = line_;
            std::string name = identifier("a property name or an object");
            skipSpace();
            if (peek() == '.' || peek() == ':') {
                while (peek() == '.') {
                    next();
                    name += '.';
                    name += identifier("a sub-property name");
                    skipSpace();
                }
                expect(':', "':' after the property name");
                PropertyNode p{name, parseValue(depth), line};
                expect(';', "';' after the value of " + name);
                obj.properties.push_back(std::move(p));
            } else {
                obj.children.push_back(parseObjectAfterClass(std::move(name), line, depth + 1));
            }
        }
    }

    Value parseValue(int depth) {
        skipSpace();
        Value v;
        v.line = line_;
        char c = peek();
        if (c == '(') {
            // Lists nest like objects (an item holds values); the same depth limit keeps the stack safe.
            if (depth + 1 > kMaxDepth) fail("values nested too deeply");
            next();
            v.kind = Value::Kind::List;
            skipSpace();
            if (peek() != ')') {
                while (true) {
                    v.elements.push_back(parseElement(depth + 1));
                    skipSpace();
                    if (peek() != ',') break;
                    next();
                }
            }
            expect(')', "')' or ',' in a list");
            return v;
        }
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            v.kind = Value::Kind::Integer;
            v.integer = parseInteger();
        } else if (c == '"') {
            v.kind = Value::Kind::String;
            v.text = parseString();
            skipSpace();
            while (peek() == '"') {
                v.text += parseString();
                skipSpace();
            }
        } else if (c == '[') {
            next();
            v.kind = Value::Kind::Set;
            skipSpace();
            if (peek() != ']') {
                while (true) {
                    v.items.push_back(identifier("a set element"));
                    skipSpace();
                    if (peek() == ',') {
                        next();
                        continue;
                    }
                    break;
                }
            }
            expect(']', "']' or ',' in a set");
        } else if (c == '&' || c == '@') {
            next();
            v.kind = c == '&' ? Value::Kind::Reference : Value::Kind::Event;
            v.text = identifier(c == '&' ? "a component name after '&'" : "a method name after '@'");
        } else if (c == '<') {
            next();
            skipSpace();
            if (isIdentStart(peek()) && !std::isxdigit(static_cast<unsigned char>(peek()))) {
                std::string word = identifier("'include'");
                if (word != "include") fail("unknown directive '" + word + "'");
                skipSpace();
                if (peek() != '"') fail("expected a quoted name after 'include'");
                v.kind = Value::Kind::Include;
                v.text = parseString();
                expect('>', "'>' after the include name");
            } else {
                v.kind = Value::Kind::Binary;
                parseHex(v.bytes);
            }
        } else if (isIdentStart(c)) {
            v.kind = Value::Kind::Identifier;
            v.text = identifier("a value");
        } else {
            fail("expected a value");
        }
        return v;
    }

    std::int64_t parseInteger() {
        bool negative = false;
        if (peek() == '-') {
            next();
            negative = true;
        }
        if (!std::isdigit(static_cast<unsigned char>(peek()))) fail("expected digits");
        int base = 10;
        if (peek() == '0' && pos_ + 1 < s_.size() && (s_[pos_ + 1] == 'x' || s_[pos_ + 1] == 'X')) {
            next();
            next();
            base = 16;
            if (hexDigit(peek()) < 0) fail("expected hex digits after 0x");
        }
        // Values beyond 32 bits (signed or unsigned) are not needed by any property; refusing them keeps overflow out.
        constexpr std::int64_t kLimit = 0xFFFFFFFFLL;
        std::int64_t value = 0;
        while (!atEnd()) {
            int d = base == 16 ? hexDigit(peek())
                               : (std::isdigit(static_cast<unsigned char>(peek())) ? peek() - '0' : -1);
            if (d < 0) break;
            next();
            value = value * base + d;
            if (value > kLimit) fail("integer out of range");
        }
        if (isIdentChar(peek())) fail("bad character in a number");
        return negative ? -value : value;
    }

    std::string parseString() {
        next();  // opening quote
        std::string out;
        while (true) {
            if (atEnd() || peek() == '\n') fail("unterminated string");
            char c = next();
            if (c == '"') return out;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (atEnd()) fail("unterminated string");
            char e = next();
            switch (e) {
                case '\\': out.push_back('\\'); break;
                case '"': out.push_back('"'); break;
                case 'n': out.push_back('\n'); break;
                case 'r': out.push_back('\r'); break;
                case 't': out.push_back('\t'); break;
                default: fail(std::string("unknown escape '\\") + e + "'");
            }
        }
    }

    void parseHex(std::vector<std::uint8_t>& out) {
        int high = -1;
        while (true) {
            if (atEnd()) fail("missing '>' after binary data");
            char c = peek();
            if (c == '>') {
                next();
                break;
            }
            if (std::isspace(static_cast<unsigned char>(c))) {
                next();
                continue;
            }
            int d = hexDigit(c);
            if (d < 0) fail("bad character '" + std::string(1, c) + "' in binary data");
            next();
            if (high < 0) {
                high = d;
            } else {
                out.push_back(static_cast<std::uint8_t>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0) fail("odd number of hex digits in binary data");
    }

    std::string_view s_;
    size_t pos_ = 0;
    int line_ = 1;
};

const char* kindName(Value::Kind k) {
    switch (k) {
        case Value::Kind::Integer: return "an integer";
        case Value::Kind::String: return "a string";
        case Value::Kind::Identifier: return "an identifier";
        case Value::Kind::Set: return "a set";
        case Value::Kind::Reference: return "a component reference";
        case Value::Kind::Event: return "an event method";
        case Value::Kind::Binary: return "binary data";
        case Value::Kind::Include: return "an include";
        case Value::Kind::List: return "a list";
        case Value::Kind::Item: return "an item";
    }
    return "a value";
}

}  // namespace

ObjectNode parseDescription(std::string_view text) { return Parser(text).parseAll(); }

static void need(const Value& v, Value::Kind k) {
    if (v.kind != k) throw DescriptionError(v.line, std::string(kindName(k)) + " expected, found " + kindName(v.kind));
}

int Value::toInt() const {
    need(*this, Kind::Integer);
    // Colours and flags are written as unsigned 32-bit hex; they keep their bit pattern.
    if (integer < std::numeric_limits<std::int32_t>::min() || integer > 0xFFFFFFFFLL)
        throw DescriptionError(line, "integer out of range");
    return static_cast<int>(static_cast<std::uint32_t>(integer));
}

bool Value::toBool() const {
    need(*this, Kind::Identifier);
    if (text == "true") return true;
    if (text == "false") return false;
    throw DescriptionError(line, "true or false expected, found '" + text + "'");
}

const std::string& Value::toUtf8() const {
    need(*this, Kind::String);
    return text;
}

std::wstring Value::toWide() const { return utf8ToWide(toUtf8()); }

const std::string& Value::ident() const {
    need(*this, Kind::Identifier);
    return text;
}

const std::vector<std::string>& Value::set() const {
    need(*this, Kind::Set);
    return items;
}

const std::vector<std::uint8_t>& Value::binary() const {
    need(*this, Kind::Binary);
    return bytes;
}

const std::vector<Value>& Value::list() const {
    need(*this, Kind::List);
    return elements;
}

const std::vector<PropertyNode>& Value::item() const {
    need(*this, Kind::Item);
    return fields;
}

std::uint32_t Value::toColor() const {
    if (kind == Kind::Integer) return static_cast<std::uint32_t>(toInt());
    if (auto c = colorFromName(ident())) return *c;
    throw DescriptionError(line, "unknown colour '" + text + "'");
}

}  // namespace fw
