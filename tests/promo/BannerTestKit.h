// Helpers for banner tests: a picture format whose files are plain text, a recording download and a settings
// file written with the program's own scrambled values.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Picture.h"
#include "promo/PromoSite.h"

// Files with the extension "png" (which no decoder of the program reads) load as a 7 x 5 picture that remembers
// the file's bytes.
class TextGraphic final : public fw::Graphic {
public:
    static constexpr const char* kExtension = "png";
    int width() const override { return 7; }
    int height() const override { return 5; }
    void draw(fw::Canvas&, const fw::Rect&) override {}
    void loadFromStream(fw::Stream& s) override;
    const std::string& content() const { return content_; }

private:
    std::string content_;
};

// Registers the text format for the lifetime of the object.
struct TextGraphicFormat {
    TextGraphicFormat();
    ~TextGraphicFormat();
};

// A download that serves a fixed set of addresses from memory and records every call.
struct FakeDownloads {
    std::map<std::wstring, std::string> resources;
    std::vector<std::pair<std::wstring, std::wstring>> calls;  // (url, file)
    std::vector<std::uint64_t> maxBytes;                       // the size limit of each call
    int callsFor(const std::wstring& url) const;
    PromoSite::Download download();
};

// Writes picture and link URLs for the entries of the main window's product code.
void writeBannerSettings(const std::wstring& iniFile, const std::string& pathFname1, const std::string& linkFname1,
                         const std::string& pathFname2, const std::string& linkFname2);

// Bytes of a 24-bit bottom-up BMP file of one colour (0xRRGGBB).
std::string makeBmp(int width, int height, unsigned rgb);
