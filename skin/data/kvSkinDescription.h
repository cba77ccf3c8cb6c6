// The base of every description class (frame objects and controls): its section name, and the reading and writing
// of its keys, done by one list of key/field pairs per class so that reading and writing always agree.
#pragma once

#include <string>

#include "framework/Bitmap.h"
#include "framework/Geometry.h"
#include "skin/data/kvSkinIni.h"

// Visits the keys of a description class, each with its field and value form.
class TkvDescriptionFields {
public:
    virtual ~TkvDescriptionFields() = default;
    virtual void Int(const char* key, int& f) = 0;
    virtual void Colour(const char* key, fw::Color& f) = 0;
    virtual void Bool(const char* key, bool& f) = 0;
    virtual void Str(const char* key, std::string& f) = 0;
    virtual void Pt(const char* key, fw::Point& f) = 0;
    virtual void Rc(const char* key, fw::Rect& f) = 0;
    virtual void Style(const char* key, TkvFontStyles& f) = 0;
    virtual void Align(const char* key, TkvAlignment& f) = 0;
    virtual void Stretch(const char* key, TkvStretchType& f) = 0;
    virtual void Morph(const char* key, TkvMorphKind& f) = 0;
    virtual void Command(const char* key, TkvStdCommand& f) = 0;
};

class TkvDataSkinDescription {
public:
    virtual ~TkvDataSkinDescription() = default;

    std::string IDName;  // the name of its own section
    virtual const char* ClassName() const = 0;

    // Reads this description's section (an absent section or key keeps the creation defaults). Point and rect
    // values that do not convert throw EConvertError.
    virtual void ReadFromDescription(const IniText& ini);
    // Erases the section in `ini` and writes every key back in reading order.
    virtual void WriteToDescription(IniText& ini);

protected:
    // Lists this class's keys, parent's first.
    virtual void Fields(TkvDescriptionFields& f) = 0;
    // Adjustments made after reading (defaults taken from other fields and the like).
    virtual void AfterRead() {}
};
