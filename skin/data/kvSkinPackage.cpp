#include "skin/data/kvSkinPackage.h"

#include "skin/data/kvSkinIni.h"

namespace {
void writeSlot(fw::Stream& s, const BmpImage& img) {
    if (img.empty()) {
        writeByte(s, 1);
    } else {
        writeByte(s, 0);
        img.write(s);
    }
}

BmpImage readSlot(fw::Stream& s) {
    if (readByte(s) != 0) return {};
    return BmpImage::read(s);
}
}  // namespace

void SkinPackage::write(fw::Stream& s) const {
    writeInt32(s, kSkinPackageVersion);
    writeSlot(s, picture);
    writeSlot(s, inactivePicture);
    writeSlot(s, mask);
    writeInt32(s, static_cast<std::int32_t>(activePictures.size()));
    for (const auto& img : activePictures) img.write(s);
    s.write(text.data(), text.size());
}

std::vector<std::uint8_t> SkinPackage::toBytes() const {
    fw::MemoryStream s;
    write(s);
    return s.release();
}

std::optional<SkinPackage> readSkinPackage(fw::Stream& s) {
    SkinPackage p;
    p.version = readInt32(s);
    if (p.version > kSkinPackageVersion) return std::nullopt;
    p.picture = readSlot(s);
    p.inactivePicture = readSlot(s);
    p.mask = readSlot(s);
    if (p.version == 2) {
        readSlot(s);
        readSlot(s);
    }
    std::int32_t count = readInt32(s);
    for (std::int32_t i = 0; i < count; ++i) p.activePictures.push_back(BmpImage::read(s));
    auto rest = s.readAll();
    p.text.assign(reinterpret_cast<const char*>(rest.data()), rest.size());
    return p;
}

std::optional<SkinPackage> buildSkinPackage(const std::string& descriptionPath) {
    std::size_t slash = descriptionPath.find_last_of("/\\");
    std::string folder = slash == std::string::npos ? std::string() : descriptionPath.substr(0, slash + 1);
    return buildSkinPackage(fw::readFile(descriptionPath),
                            [&folder](const std::string& name) { return fw::readFile(folder + name); });
}

std::optional<SkinPackage> buildSkinPackage(std::span<const std::uint8_t> description,
                                            const PictureFileReader& readPicture) {
    std::vector<std::string> lines =
        splitLines(std::string_view(reinterpret_cast<const char*>(description.data()), description.size()));
    IniText ini = IniText::fromLines(lines);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.hasSection(section)) return std::nullopt;

    auto loadPicture = [&](const std::string& name) { return BmpImage::fromFile(readPicture(name)); };
    auto picture = [&](std::string_view key) -> BmpImage {
        auto name = ini.value("PICTURES", key);
        if (!name || name->empty()) return {};
        return loadPicture(std::string(*name));
    };

    SkinPackage p;
    p.picture = picture("picture");
    p.inactivePicture = picture("inactivepicture");
    p.mask = picture("mask");
    std::int32_t count = toInteger(ini.value("PICTURES", "activepicturescount"), 0);
    for (std::int32_t i = 0; i < count; ++i) {
        // Every active picture needs a file: a missing name is a missing file, not the folder itself.
        auto name = ini.value("PICTURES", std::to_string(i));
        if (!name || name->empty()) throw readError();
        p.activePictures.push_back(loadPicture(std::string(*name)));
    }
    p.text = joinLines(lines);
    return p;
}

std::vector<std::uint8_t> frameCompressedSkin(std::span<const std::uint8_t> zlibData) {
    fw::MemoryStream s;
    writeInt32(s, kSkinPackageVersion);
    writeInt32(s, static_cast<std::int32_t>(zlibData.size()));
    writeBytes(s, zlibData);
    return s.release();
}

std::vector<std::uint8_t> unframeCompressedSkin(fw::Stream& s) {
    s.setPosition(0);
    std::int32_t version = readInt32(s);
    if (version > kSkinPackageVersion) return {};
    std::int32_t length = readInt32(s);
    if (length <= 0) return {};
    if (static_cast<std::size_t>(length) > remaining(s)) throw readError();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(length));
    s.readBuffer(out.data(), out.size());
    return out;
}
