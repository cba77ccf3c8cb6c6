#include "skin/data/kvSkinIni.h"

#include <cctype>
#include <limits>

namespace {
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
std::string lowerText(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lower(c);
    return out;
}
}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string_view TrimIniText(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0, i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

IniText IniText::Parse(std::string_view text) { return FromLines(SplitLines(text)); }

IniText IniText::FromLines(const std::vector<std::string>& lines) {
    IniText ini;
    Section* current = nullptr;
    for (const auto& raw : lines) {
        std::string_view line = TrimIniText(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            ini.sections_.push_back({std::string(TrimIniText(line.substr(1, line.size() - 2))), {}, {}});
            current = &ini.sections_.back();
            continue;
        }
        if (!current) continue;
        Entry e;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            e.key = std::string(line);
        } else {
            e.key = std::string(TrimIniText(line.substr(0, eq)));
            e.value = std::string(TrimIniText(line.substr(eq + 1)));
            e.hasValue = true;
        }
        current->entries.push_back(std::move(e));
    }
    ini.IndexSections();
    return ini;
}

void IniText::IndexEntry(Section& s, std::size_t i) {
    const Entry& e = s.entries[i];
    if (e.hasValue) s.keyIndex.emplace(lowerText(e.key), i);  // emplace keeps the first
}

void IniText::IndexSections() {
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        Section& s = sections_[i];
        sectionIndex_.emplace(lowerText(s.name), i);
        s.keyIndex.clear();
        for (std::size_t k = 0; k < s.entries.size(); ++k) IndexEntry(s, k);
    }
}

const IniText::Section* IniText::FindSection(std::string_view name) const {
    auto it = sectionIndex_.find(lowerText(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string_view> IniText::Value(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    auto it = s->keyIndex.find(lowerText(key));
    if (it == s->keyIndex.end()) return std::nullopt;
    return std::string_view(s->entries[it->second].value);
}

IniText::Section* IniText::FindSectionForWrite(std::string_view name) {
    return const_cast<Section*>(FindSection(name));
}

void IniText::EraseSection(std::string_view name) {
    const Section* s = FindSection(name);
    if (!s) return;
    sections_.erase(sections_.begin() + (s - sections_.data()));
    IndexSections();
}

void IniText::WriteValue(std::string_view section, std::string_view key, std::string value) {
    Section* s = FindSectionForWrite(section);
    if (!s) {
        sections_.push_back({std::string(section), {}, {}});
        sectionIndex_.emplace(lowerText(section), sections_.size() - 1);
        s = &sections_.back();
    }
    auto it = s->keyIndex.find(lowerText(key));
    if (it != s->keyIndex.end()) {
        s->entries[it->second].value = std::move(value);
        return;
    }
    s->entries.push_back({std::string(key), std::move(value), true});
    IndexEntry(*s, s->entries.size() - 1);
}

std::vector<std::string> IniText::ToLines() const {
    std::vector<std::string> out;
    for (const auto& s : sections_) {
        out.push_back("[" + s.name + "]");
        for (const auto& e : s.entries) out.push_back(e.hasValue ? e.key + "=" + e.value : e.key);
        out.emplace_back();
    }
    return out;
}

bool ParseInt32(std::string_view s, std::int32_t& out) {
    if (s.empty()) return false;
    bool neg = false;
    if (s.front() == '+' || s.front() == '-') {
        neg = s.front() == '-';
        s.remove_prefix(1);
    }
    bool hex = false;
    if (!s.empty() && s.front() == '$') {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    std::uint64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        // Hexadecimal covers the full 32 bits: $FF000005 is a system colour, not an overflow.
        std::uint32_t u = static_cast<std::uint32_t>(v);
        if (neg) u = 0u - u;
        out = static_cast<std::int32_t>(u);
        return true;
    }
    if (neg ? v > 0x80000000ull : v > 0x7FFFFFFFull) return false;
    out = neg ? static_cast<std::int32_t>(-static_cast<std::int64_t>(v)) : static_cast<std::int32_t>(v);
    return true;
}

std::int32_t ToInteger(std::optional<std::string_view> v, std::int32_t def) {
    std::int32_t r;
    return v && ParseInt32(*v, r) ? r : def;
}

bool ToBoolean(std::optional<std::string_view> v, bool def) {
    if (!v) return def;
    std::int32_t r;
    return ParseInt32(*v, r) && r == 1;
}

namespace {
// The character rule of point and rect values: commas separate fields, digits build them, all else is dropped.
// Every field must end up holding digits; fields past `count` are ignored.
void parseFields(std::string_view text, int* fields, int count) {
    std::string current[4];
    int index = 0;
    for (char c : text) {
        if (c == ',') ++index;
        else if (c >= '0' && c <= '9' && index < count) current[index] += c;
    }
    for (int i = 0; i < count; ++i) {
        std::int32_t v;
        if (!ParseInt32(current[i], v)) throw EConvertError("'" + current[i] + "' is not a valid integer value");
        fields[i] = v;
    }
}
}  // namespace

fw::Point ToPoint(std::optional<std::string_view> v, fw::Point def) {
    if (!v) return def;
    int f[2];
    parseFields(*v, f, 2);
    return {f[0], f[1]};
}

fw::Rect ToRect(std::optional<std::string_view> v, fw::Rect def) {
    if (!v) return def;
    int f[4];
    parseFields(*v, f, 4);
    return {f[0], f[1], f[2], f[3]};
}

TkvFontStyles ToFontStyles(std::optional<std::string_view> v, TkvFontStyles def) {
    if (!v) return def;
    TkvFontStyles s;
    s.bold = v->find("fsbold") != std::string_view::npos;
    s.italic = v->find("fsitalic") != std::string_view::npos;
    s.underline = v->find("fsunderline") != std::string_view::npos;
    s.strikeOut = v->find("fsstrikeout") != std::string_view::npos;
    return s;
}

namespace {
const char* const kMorphNames[] = {"mkdefault",   "mkgradient",   "mkleftgradient", "mkrightgradient",
                                   "mkleftslide", "mkrightslide", "mkpush"};
const char* const kEffectNames[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
const char* const kCommandNames[] = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                     "cmdefault", "cmrollup",   "cmminimizetotray"};

template <std::size_t N>
int keywordIndex(std::string_view v, const char* const (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (v == names[i]) return static_cast<int>(i);
    return -1;
}
}  // namespace

TkvAlignment ToAlignment(std::optional<std::string_view> v, TkvAlignment def) {
    if (!v) return def;
    if (*v == "tacenter") return tacenter;
    if (*v == "taleftjustify") return taleftjustify;
    return tarightjustify;
}

TkvStretchType ToStretchType(std::optional<std::string_view> v, TkvStretchType def) {
    if (!v) return def;
    if (*v == "stfull") return stfull;
    if (*v == "stvert") return stvert;
    return sthorz;
}

TkvMorphKind ToMorphKind(std::optional<std::string_view> v, TkvMorphKind def) {
    if (!v) return def;
    int i = keywordIndex(*v, kMorphNames);
    return i < 0 ? mkdefault : static_cast<TkvMorphKind>(i);
}

TkvInactiveEffect ToInactiveEffect(std::optional<std::string_view> v, TkvInactiveEffect def) {
    if (!v) return def;
    int i = keywordIndex(*v, kEffectNames);
    return i < 0 ? iegrayscale : static_cast<TkvInactiveEffect>(i);
}

TkvStdCommand ToCommand(std::optional<std::string_view> v, TkvStdCommand def) {
    if (!v) return def;
    int i = keywordIndex(*v, kCommandNames);
    return i < 0 || i > cmrollup ? cmminimizetotray : static_cast<TkvStdCommand>(i);
}

std::string PointText(fw::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string RectText(const fw::Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::string FontStylesText(TkvFontStyles s) {
    std::string out;
    auto add = [&out](bool on, const char* name) {
        if (!on) return;
        if (!out.empty()) out += ',';
        out += name;
    };
    add(s.bold, "fsbold");
    add(s.italic, "fsitalic");
    add(s.underline, "fsunderline");
    add(s.strikeOut, "fsstrikeout");
    return out;
}

const char* AlignmentText(TkvAlignment a) {
    switch (a) {
        case tacenter: return "tacenter";
        case taleftjustify: return "taleftjustify";
        default: return "tarightjustify";
    }
}
const char* StretchTypeText(TkvStretchType t) { return t == stfull ? "stfull" : t == stvert ? "stvert" : "sthorz"; }
const char* MorphKindText(TkvMorphKind k) { return kMorphNames[k]; }
const char* InactiveEffectText(TkvInactiveEffect e) { return kEffectNames[e]; }
const char* CommandText(TkvStdCommand c) { return kCommandNames[c]; }
