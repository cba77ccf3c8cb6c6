// Registration of the framework's own classes with a description class registry, and loading descriptions
// from the program's resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Control.h"
#include "framework/DescriptionReader.h"

namespace fw {

class Form;

// Registers "Control", "WindowedControl", "CustomControl" and "Form" (abstract bases that lend their properties),
// "Panel", "Label", "Edit", "Button", "Image" and "Timer", and the nesting rule: a control nested in a windowed
// control's description gets it as parent.
void registerStandardClasses(ClassRegistry& classes);

// The font properties under a prefix ("Font", "DefaultFont", ...): Name, Height, Style, Charset,
// Color. get returns the font object of the component.
template <class T>
void registerFontProperties(ClassInfo& cls, const std::string& prefix, Font& (*get)(T&));

// Bytes of an RCDATA resource of the program; throws std::runtime_error when it is missing.
std::vector<std::uint8_t> loadResourceData(const std::wstring& name);

// Reads a form description kept as an RCDATA resource into the form. <include "NAME"> values are other RCDATA
// resources.
void loadFormFromResource(Form& form, const std::wstring& resourceName, const ClassRegistry& classes,
                          Binder* binder = nullptr);
// The same from text (tests, dialogs built in code).
void loadFormFromText(Form& form, std::string_view text, const ClassRegistry& classes, Binder* binder = nullptr);

// Converters for property setters.
Align alignFromValue(const Value& v);
Cursor cursorFromValue(const Value& v);
FontStyle fontStyleFromValue(const Value& v);  // set of fsBold, fsItalic, fsUnderline, fsStrikeOut
int charsetFromValue(const Value& v);          // DEFAULT_CHARSET, GB2312_CHARSET, ... or an integer

template <class T>
void registerFontProperties(ClassInfo& cls, const std::string& prefix, Font& (*get)(T&)) {
    cls.template property<T>(prefix + ".Name",
                             [get](T& c, const Value& v, DescriptionReader&) { get(c).setName(v.toWide()); });
    cls.template property<T>(prefix + ".Height",
                             [get](T& c, const Value& v, DescriptionReader&) { get(c).setHeight(v.toInt()); });
    cls.template property<T>(prefix + ".Style", [get](T& c, const Value& v, DescriptionReader&) {
        get(c).setStyle(fontStyleFromValue(v));
    });
    cls.template property<T>(prefix + ".Charset", [get](T& c, const Value& v, DescriptionReader&) {
        get(c).setCharset(charsetFromValue(v));
    });
    cls.template property<T>(prefix + ".Color",
                             [get](T& c, const Value& v, DescriptionReader&) { get(c).setColor(v.toColor()); });
}

}  // namespace fw
