// Form descriptions: the text syntax and its parsed tree (portable).
//
//   TfrmMain frmMain {                       // an object: class name, component name, body
//     Caption: "KovraAccess";                // string (UTF-8); adjacent strings are joined
//     ClientWidth: 546;                      // integer (decimal, or 0x hex), may be negative
//     Color: clBtnFace;                      // identifier (enumeration value, true/false, colour name)
//     BorderIcons: [biSystemMenu, biMinimize]; // set of identifiers
//     Font.Name: "MS Sans Serif";            // dotted sub-property
//     OnShow: @FormShow;                     // event bound to a method of the form class
//     Strings: ("one", "two");               // list of values; an element may be an item of a collection:
//     Skins: (item { Name: "Blue"; }, item { Name: "Grey"; });
//     TkvSkinData kvSkinData1 {
//       CompressedStoredSkin: &kvStore;      // reference to a component (may come later in the text)
//     }
//     TkvCompressedStoredSkin kvStore {
//       CompressedData: <789C 0A0B>;         // binary data in hex, whitespace allowed
//       CompressedData: <include "KVSKIN">;  // binary data taken at read time from elsewhere: in the program,
//                                            // the RCDATA resource of that name (see FormReader.h)
//     }
//   }
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// A syntax or reading error; the message starts with "line N: ".
class DescriptionError : public std::runtime_error {
public:
    DescriptionError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line), message_(message) {}
    int line() const { return line_; }
    // The message without its line number.
    const std::string& message() const { return message_; }

private:
    int line_;
    std::string message_;
};

struct PropertyNode;

struct Value {
    enum class Kind { Integer, String, Identifier, Set, Reference, Event, Binary, Include, List, Item };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    std::string text;                  // String (UTF-8), Identifier, Reference / Event / Include name
    std::vector<std::string> items;    // Set
    std::vector<std::uint8_t> bytes;   // Binary
    std::vector<Value> elements;       // List
    std::vector<PropertyNode> fields;  // Item: the properties of one item of a collection
    int line = 0;

    // Typed access; each throws DescriptionError naming what was expected.
    int toInt() const;                  // integer within 32 bits
    bool toBool() const;                // true / false
    const std::string& toUtf8() const;  // string
    std::wstring toWide() const;        // string as UTF-16
    const std::string& ident() const;   // identifier
    const std::vector<std::string>& set() const;
    const std::vector<std::uint8_t>& binary() const;
    const std::vector<Value>& list() const;
    const std::vector<PropertyNode>& item() const;
    // An identifier looked up in a table of (name, value) pairs.
    template <class E, std::size_t N>
    E toEnum(const std::pair<std::string_view, E> (&table)[N]) const {
        const std::string& id = ident();
        for (const auto& [name, value] : table)
            if (name == id) return value;
        throw DescriptionError(line, "unknown value '" + id + "'");
    }
    // A colour: colour identifier (clWindow) or integer.
    std::uint32_t toColor() const;
};

struct PropertyNode {
    std::string name;  // may be dotted: "Font.Name"
    Value value;
    int line = 0;
};

struct ObjectNode {
    std::string className;
    std::string name;
    int line = 0;
    std::vector<PropertyNode> properties;
    std::vector<ObjectNode> children;
};

// Parses a whole description (exactly one top-level object). Throws DescriptionError.
ObjectNode parseDescription(std::string_view text);

}  // namespace fw
