#include "promo/BannerRules.h"

namespace {

bool allowedInFileName(wchar_t c) {
    if (c < 32) return false;
    switch (c) {
        case L'<':
        case L'>':
        case L':':
        case L'"':
        case L'/':
        case L'\\':
        case L'|':
        case L'?':
        case L'*': return false;
        default: return true;
    }
}

bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

PictureExtension PictureUrlExtension(std::wstring_view url) {
    const std::size_t dot = url.rfind(L'.');
    if (dot == std::wstring_view::npos) return {};
    const std::wstring_view ext = url.substr(dot);
    if (ext.find_first_of(L"\\:") != std::wstring_view::npos) return {};
    for (wchar_t c : ext.substr(1))
        if (!allowedInFileName(c)) return {PictureExtension::Kind::Unusable, std::wstring(ext)};
    return {PictureExtension::Kind::Usable, std::wstring(ext)};
}

bool IsWebAddress(std::wstring_view link) {
    return (startsWithNoCase(link, L"http://") && link.size() > 7) ||
           (startsWithNoCase(link, L"https://") && link.size() > 8);
}
