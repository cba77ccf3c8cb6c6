#include "skin/data/kvSkinDescription.h"

namespace {
class Reader final : public TkvDescriptionFields {
public:
    Reader(const IniText& ini, const std::string& section) : ini_(ini), section_(section) {}
    void Int(const char* key, int& f) override { f = toInteger(v(key), f); }
    void Colour(const char* key, fw::Color& f) override {
        f = static_cast<fw::Color>(toInteger(v(key), static_cast<std::int32_t>(f)));
    }
    void Bool(const char* key, bool& f) override { f = toBoolean(v(key), f); }
    void Str(const char* key, std::string& f) override {
        if (auto s = v(key)) f = std::string(*s);
    }
    void Pt(const char* key, fw::Point& f) override { f = toPoint(v(key), f); }
    void Rc(const char* key, fw::Rect& f) override { f = toRect(v(key), f); }
    void Style(const char* key, TkvFontStyles& f) override { f = toFontStyles(v(key), f); }
    void Align(const char* key, TkvAlignment& f) override { f = toAlignment(v(key), f); }
    void Stretch(const char* key, TkvStretchType& f) override { f = toStretchType(v(key), f); }
    void Morph(const char* key, TkvMorphKind& f) override { f = toMorphKind(v(key), f); }
    void Command(const char* key, TkvStdCommand& f) override { f = toCommand(v(key), f); }

private:
    std::optional<std::string_view> v(const char* key) const { return ini_.value(section_, key); }
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
    void Pt(const char* key, fw::Point& f) override { w(key, pointText(f)); }
    void Rc(const char* key, fw::Rect& f) override { w(key, rectText(f)); }
    void Style(const char* key, TkvFontStyles& f) override { w(key, fontStylesText(f)); }
    void Align(const char* key, TkvAlignment& f) override { w(key, alignmentText(f)); }
    void Stretch(const char* key, TkvStretchType& f) override { w(key, stretchTypeText(f)); }
    void Morph(const char* key, TkvMorphKind& f) override { w(key, morphKindText(f)); }
    void Command(const char* key, TkvStdCommand& f) override { w(key, commandText(f)); }

private:
    void w(const char* key, std::string value) { ini_.writeValue(section_, key, std::move(value)); }
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
    ini.eraseSection(IDName);
    Writer w(ini, IDName);
    Fields(w);
}
