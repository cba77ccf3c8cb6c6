#include "promo/BannerRules.h"

namespace {

wchar_t lowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// `prefix` is lower case.
bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(text[i]) != prefix[i]) return false;
    return true;
}

bool isAsciiAlnum(wchar_t c) { return (c >= L'0' && c <= L'9') || (lowerAscii(c) >= L'a' && lowerAscii(c) <= L'z'); }
bool isHexDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || (lowerAscii(c) >= L'a' && lowerAscii(c) <= L'f'); }

// Labels of letters, digits and inner hyphens, joined by single dots.
bool isHostName(std::wstring_view host) {
    if (host.empty()) return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = host.find(L'.', start);
        const std::wstring_view label = host.substr(start, dot == std::wstring_view::npos ? dot : dot - start);
        if (label.empty() || label.size() > 63 || label.front() == L'-' || label.back() == L'-') return false;
        for (wchar_t c : label)
            if (!isAsciiAlnum(c) && c != L'-') return false;
        if (dot == std::wstring_view::npos) return true;
        start = dot + 1;
    }
}

// Path, query and fragment: the characters of RFC 3986 but the quote, "%" only as an escape.
bool isAddressTail(std::wstring_view tail) {
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const wchar_t c = tail[i];
        if (c == L'%') {
            if (i + 2 >= tail.size() || !isHexDigit(tail[i + 1]) || !isHexDigit(tail[i + 2])) return false;
            i += 2;
        } else if (!isAsciiAlnum(c) && std::wstring_view(L"-._~:/?#[]@!$&()*+,;=").find(c) == std::wstring_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

PictureExtension PictureUrlExtension(std::wstring_view url) {
    const std::size_t dot = url.rfind(L'.');
    if (dot == std::wstring_view::npos) return {};
    const std::wstring_view ext = url.substr(dot);
    if (ext.find_first_of(L"\\:") != std::wstring_view::npos) return {};
    for (std::wstring_view picture : kPictureExtensions)
        if (ext.size() == picture.size() && startsWithNoCase(ext, picture))
            return {PictureExtension::Kind::Usable, std::wstring(ext)};
    return {PictureExtension::Kind::Unusable, std::wstring(ext)};
}

bool IsWebAddress(std::wstring_view link) {
    if (link.size() > kMaxWebAddressLength) return false;
    std::wstring_view rest;
    if (startsWithNoCase(link, L"http://")) rest = link.substr(7);
    else if (startsWithNoCase(link, L"https://")) rest = link.substr(8);
    else return false;
    const std::size_t end = rest.find_first_of(L"/?#");
    const std::wstring_view authority = rest.substr(0, end);
    const std::wstring_view tail = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end);
    const std::size_t colon = authority.find(L':');
    if (colon != std::wstring_view::npos) {
        const std::wstring_view port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5) return false;
        for (wchar_t c : port)
            if (c < L'0' || c > L'9') return false;
    }
    return isHostName(authority.substr(0, colon)) && isAddressTail(tail);
}
