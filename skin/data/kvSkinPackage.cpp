#include "skin/data/kvSkinPackage.h"

#include "skin/data/kvSkinIni.h"

namespace {
void writeSlot(fw::Stream& s, const BmpImage& img) {
    if (img.Empty()) {
        WriteByte(s, 1);
    } else {
        WriteByte(s, 0);
        img.Write(s);
    }
}

BmpImage readSlot(fw::Stream& s) {
    if (ReadByte(s) != 0) return {};
    return BmpImage::Read(s);
}
}  // namespace

void SkinPackage::Write(fw::Stream& s) const {
    WriteInt32(s, kSkinPackageVersion);
    writeSlot(s, picture);
    writeSlot(s, inactivePicture);
    writeSlot(s, mask);
    WriteInt32(s, static_cast<std::int32_t>(activePictures.size()));
    for (const auto& img : activePictures) img.Write(s);
    s.write(text.data(), text.size());
}

std::vector<std::uint8_t> SkinPackage::ToBytes() const {
    fw::MemoryStream s;
    Write(s);
    return s.release();
}

std::optional<SkinPackage> ReadSkinPackage(fw::Stream& s) {
    SkinPackage p;
    p.version = ReadInt32(s);
    if (p.version > kSkinPackageVersion) return std::nullopt;
    p.picture = readSlot(s);
    p.inactivePicture = readSlot(s);
    p.mask = readSlot(s);
    if (p.version == 2) {
        readSlot(s);
        readSlot(s);
    }
    std::int32_t count = ReadInt32(s);
    for (std::int32_t i = 0; i < count; ++i) p.activePictures.push_back(BmpImage::Read(s));
    auto rest = s.readAll();
    p.text.assign(reinterpret_cast<const char*>(rest.data()), rest.size());
    return p;
}

namespace {
fw::Bitmap decodeInPlace(fw::MemoryStream& s) {
    std::size_t length = 0;
    const BmpImage header = BmpImage::ReadHeader(s, length);
    const std::int64_t at = s.position();
    fw::Bitmap decoded = header.DecodeRows(s.data().data() + at, length);
    s.setPosition(at + static_cast<std::int64_t>(length));
    return decoded;
}

fw::Bitmap decodeSlot(fw::MemoryStream& s) { return ReadByte(s) != 0 ? fw::Bitmap() : decodeInPlace(s); }

void skipSlot(fw::MemoryStream& s) {
    if (ReadByte(s) != 0) return;
    std::size_t length = 0;
    BmpImage::ReadHeader(s, length);
    s.seek(static_cast<std::int64_t>(length), fw::SeekOrigin::Current);
}
}  // namespace

std::optional<DecodedSkinPackage> DecodeSkinPackage(fw::MemoryStream& s) {
    DecodedSkinPackage p;
    const std::int32_t version = ReadInt32(s);
    if (version > kSkinPackageVersion) return std::nullopt;
    p.picture = decodeSlot(s);
    p.inactivePicture = decodeSlot(s);
    p.mask = decodeSlot(s);
    if (version == 2) {
        skipSlot(s);
        skipSlot(s);
    }
    std::int32_t count = ReadInt32(s);
    for (std::int32_t i = 0; i < count; ++i) p.activePictures.push_back(decodeInPlace(s));
    const std::int64_t at = s.position();
    const auto& bytes = s.data();
    if (static_cast<std::size_t>(at) < bytes.size())
        p.text.assign(reinterpret_cast<const char*>(bytes.data()) + at, bytes.size() - static_cast<std::size_t>(at));
    return p;
}

std::optional<SkinPackage> BuildSkinPackage(const std::string& descriptionPath) {
    std::size_t slash = descriptionPath.find_last_of("/\\");
    std::string folder = slash == std::string::npos ? std::string() : descriptionPath.substr(0, slash + 1);
    return BuildSkinPackage(fw::readFile(descriptionPath),
                            [&folder](const std::string& name) { return fw::readFile(folder + name); });
}

std::optional<SkinPackage> BuildSkinPackage(std::span<const std::uint8_t> description,
                                            const PictureFileReader& readPicture) {
    std::vector<std::string> lines = SplitLines(
        std::string_view(reinterpret_cast<const char*>(description.data()), description.size()));
    IniText ini = IniText::FromLines(lines);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.HasSection(section)) return std::nullopt;

    auto loadPicture = [&](const std::string& name) { return BmpImage::FromFile(readPicture(name)); };
    auto picture = [&](std::string_view key) -> BmpImage {
        auto name = ini.Value("PICTURES", key);
        if (!name || name->empty()) return {};
        return loadPicture(std::string(*name));
    };

    SkinPackage p;
    p.picture = picture("picture");
    p.inactivePicture = picture("inactivepicture");
    p.mask = picture("mask");
    std::int32_t count = ToInteger(ini.Value("PICTURES", "activepicturescount"), 0);
    for (std::int32_t i = 0; i < count; ++i) {
        // Every active picture needs a file: a missing name is a missing file, not the folder itself.
        auto name = ini.Value("PICTURES", std::to_string(i));
        if (!name || name->empty()) throw ReadError();
        p.activePictures.push_back(loadPicture(std::string(*name)));
    }
    p.text = JoinLines(lines);
    return p;
}

std::vector<std::uint8_t> FrameCompressedSkin(std::span<const std::uint8_t> zlibData) {
    fw::MemoryStream s;
    WriteInt32(s, kSkinPackageVersion);
    WriteInt32(s, static_cast<std::int32_t>(zlibData.size()));
    WriteBytes(s, zlibData);
    return s.release();
}

std::vector<std::uint8_t> UnframeCompressedSkin(fw::Stream& s) {
    s.setPosition(0);
    std::int32_t version = ReadInt32(s);
    if (version > kSkinPackageVersion) return {};
    std::int32_t length = ReadInt32(s);
    if (length <= 0) return {};
    if (static_cast<std::size_t>(length) > Remaining(s)) throw ReadError();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(length));
    s.readBuffer(out.data(), out.size());
    return out;
}
