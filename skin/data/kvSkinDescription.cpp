#include "skin/data/kvSkinDescription.h"

namespace {
class Reader final : public TkvDescriptionFields {
public:
    Reader(const IniText& ini, const std::string& section) : ini_(ini), section_(section) {}
    void Int(const char* key, int& f) override { f = ToInteger(v(key), f); }
    void Colour(const char* key, fw::Color& f) override {
        f = static_cast<fw::Color>(ToInteger(v(key), static_cast<std::int32_t>(f)));
    }
    void Bool(const char* key, bool& f) override { f = ToBoolean(v(key), f); }
    void Str(const char* key, std::string& f) override {
        if (auto s = v(key)) f = std::string(*s);
    }
    void Pt(const char* key, fw::Point& f) override { f = ToPoint(v(key), f); }
    void Rc(const char* key, fw::Rect& f) override { f = ToRect(v(key), f); }
    void Style(const char* key, TkvFontStyles& f) override { f = ToFontStyles(v(key), f); }
    void Align(const char* key, TkvAlignment& f) override { f = ToAlignment(v(key), f); }
    void Stretch(const char* key, TkvStretchType& f) override { f = ToStretchType(v(key), f); }
    void Morph(const char* key, TkvMorphKind& f) override { f = ToMorphKind(v(key), f); }
    void Command(const char* key, TkvStdCommand& f) override { f = ToCommand(v(key), f); }

private:
    std::optional<std::string_view> v(const char* key) const { return ini_.Value(section_, key); }
    const IniText& ini_;
    const std::string& section_;
};

class Writer final : public TkvDescriptionFields {
public:
    Writer(IniText& ini, const std::string& section) : ini_(ini), section_(section) {}
    void Int(const char* key, int& f) override { w(key, std::to_string(f)); }
    void Colour(const char* key, fw::Color& f) override { w(key, std::to_string(static_cast<std::int32_t>(f))); }
    void Bool(const char* key, bool& f) override { w(key, f ? "1" : "0"); }
    void Str(const char* key, std::string& f) override { w(key, f); }
    void Pt(const char* key, fw::Point& f) override { w(key, PointText(f)); }
    void Rc(const char* key, fw::Rect& f) override { w(key, RectText(f)); }
    void Style(const char* key, TkvFontStyles& f) override { w(key, FontStylesText(f)); }
    void Align(const char* key, TkvAlignment& f) override { w(key, AlignmentText(f)); }
    void Stretch(const char* key, TkvStretchType& f) override { w(key, StretchTypeText(f)); }
    void Morph(const char* key, TkvMorphKind& f) override { w(key, MorphKindText(f)); }
    void Command(const char* key, TkvStdCommand& f) override { w(key, CommandText(f)); }

private:
    void w(const char* key, std::string value) { ini_.WriteValue(section_, key, std::move(value)); }
    IniText& ini_;
    const std::string& section_;
};
}  // namespace

void TkvDataSkinDescription::ReadFromDescription(const IniText& ini) {
    Reader r(ini, IDName);
    Fields(r);
    AfterRead();
}

void TkvDataSkinDescription::WriteToDescription(IniText& ini) {
    ini.EraseSection(IDName);
    Writer w(ini, IDName);
    Fields(w);
}
