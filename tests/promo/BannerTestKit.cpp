#include "BannerTestKit.h"

#include <algorithm>

#include "TestDir.h"
#include "framework/Stream.h"
#include "promo/Communal.h"

void TextGraphic::loadFromStream(fw::Stream& s) {
    const std::vector<std::uint8_t> bytes = s.readAll();
    content_.assign(bytes.begin(), bytes.end());
    changed();
}

TextGraphicFormat::TextGraphicFormat() {
    fw::registerPictureFormat(TextGraphic::kExtension, "Test text picture",
                              [] { return std::make_unique<TextGraphic>(); });
}

TextGraphicFormat::~TextGraphicFormat() { fw::unregisterPictureFormat(TextGraphic::kExtension); }

int FakeDownloads::callsFor(const std::wstring& url) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const auto& c) { return c.first == url; }));
}

PromoSite::Download FakeDownloads::download() {
    return [this](const std::wstring& url, const std::wstring& file, const DownloadLimits& limits) {
        calls.emplace_back(url, file);
        maxBytes.push_back(limits.maxBytes);
        const auto it = resources.find(url);
        if (it == resources.end()) return false;
        writeFile(file, it->second);
        return true;
    };
}

void writeBannerSettings(const std::wstring& iniFile, const std::string& pathFname1, const std::string& linkFname1,
                         const std::string& pathFname2, const std::string& linkFname2) {
    IniValue(iniFile, 1, L"ovbakpath", L"fname1", pathFname1);
    IniValue(iniFile, 1, L"ovbaklink", L"fname1", linkFname1);
    IniValue(iniFile, 1, L"ovbakpath", L"fname2", pathFname2);
    IniValue(iniFile, 1, L"ovbaklink", L"fname2", linkFname2);
}

std::string makeBmp(int width, int height, unsigned rgb) {
    const int rowSize = (width * 3 + 3) & ~3;
    const std::uint32_t ImageSize = static_cast<std::uint32_t>(rowSize * height);
    std::string b;
    auto put16 = [&](unsigned v) {
        b.push_back(char(v & 0xFF));
        b.push_back(char((v >> 8) & 0xFF));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    b += "BM";
    put32(54 + ImageSize);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);
    put32(ImageSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            b.push_back(char(rgb & 0xFF));
            b.push_back(char((rgb >> 8) & 0xFF));
            b.push_back(char((rgb >> 16) & 0xFF));
        }
        b.append(static_cast<std::size_t>(rowSize - width * 3), '\0');
    }
    return b;
}
