#include "skin/data/kvSkinPackage.h"

#include "skin/data/kvSkinIni.h"

namespace fw {

namespace {
void writeSlot(MemoryStream& s, const BmpImage& img) {
    if (img.empty()) {
        s.writeByte(1);
    } else {
        s.writeByte(0);
        img.write(s);
    }
}

BmpImage readSlot(MemoryStream& s) {
    if (s.readByte() != 0) return {};
    return BmpImage::read(s);
}

BmpImage loadPictureFile(const std::string& path) { return BmpImage::fromFile(readFileBytes(path)); }
}  // namespace

void SkinPackage::write(MemoryStream& s) const {
    s.writeInt32(kSkinPackageVersion);
    writeSlot(s, picture);
    writeSlot(s, inactivePicture);
    writeSlot(s, mask);
    s.writeInt32(static_cast<std::int32_t>(activePictures.size()));
    for (const auto& img : activePictures) img.write(s);
    s.write(text.data(), text.size());
}

std::vector<std::uint8_t> SkinPackage::toBytes() const {
    MemoryStream s;
    write(s);
    return std::move(s.bytes());
}

std::optional<SkinPackage> readSkinPackage(MemoryStream& s) {
    SkinPackage p;
    p.version = s.readInt32();
    if (p.version > kSkinPackageVersion) return std::nullopt;
    p.picture = readSlot(s);
    p.inactivePicture = readSlot(s);
    p.mask = readSlot(s);
    if (p.version == 2) {
        readSlot(s);
        readSlot(s);
    }
    std::int32_t count = s.readInt32();
    for (std::int32_t i = 0; i < count; ++i) p.activePictures.push_back(BmpImage::read(s));
    auto rest = s.rest();
    p.text.assign(reinterpret_cast<const char*>(rest.data()), rest.size());
    s.setPosition(s.size());
    return p;
}

std::optional<SkinPackage> buildSkinPackage(const std::string& descriptionPath) {
    auto bytes = readFileBytes(descriptionPath);
    std::vector<std::string> lines =
        splitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    IniText ini = IniText::fromLines(lines);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.hasSection(section)) return std::nullopt;

    std::size_t slash = descriptionPath.find_last_of("/\\");
    std::string folder = slash == std::string::npos ? std::string() : descriptionPath.substr(0, slash + 1);
    auto picture = [&](std::string_view key) -> BmpImage {
        auto name = ini.value("PICTURES", key);
        if (!name || name->empty()) return {};
        return loadPictureFile(folder + std::string(*name));
    };

    SkinPackage p;
    p.picture = picture("picture");
    p.inactivePicture = picture("inactivepicture");
    p.mask = picture("mask");
    std::int32_t count = toInteger(ini.value("PICTURES", "activepicturescount"), 0);
    for (std::int32_t i = 0; i < count; ++i) {
        auto name = ini.value("PICTURES", std::to_string(i));
        p.activePictures.push_back(loadPictureFile(folder + std::string(name ? *name : std::string_view())));
    }
    p.text = joinLines(lines);
    return p;
}

std::vector<std::uint8_t> frameCompressedSkin(std::span<const std::uint8_t> zlibData) {
    MemoryStream s;
    s.writeInt32(kSkinPackageVersion);
    s.writeInt32(static_cast<std::int32_t>(zlibData.size()));
    s.write(zlibData);
    return std::move(s.bytes());
}

std::vector<std::uint8_t> unframeCompressedSkin(MemoryStream& s) {
    s.setPosition(0);
    std::int32_t version = s.readInt32();
    if (version > kSkinPackageVersion) return {};
    std::int32_t length = s.readInt32();
    if (length <= 0) return {};
    if (static_cast<std::size_t>(length) > s.remaining()) throw EReadError();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(length));
    s.readBuffer(out.data(), out.size());
    return out;
}

}  // namespace fw
