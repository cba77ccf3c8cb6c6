// Feeds damaged skin folders to the package builder, the path of "kvskin pack": a description and the BMP files it
// names. The input is the description, then each picture file after the marker "\n#BMP#\n"; the n-th picture the
// description asks for gets the n-th file, round robin, whatever its name. A package that builds must decode, and
// what the builder writes the package reader must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>
#include <vector>

#include "skin/data/kvSkinPackage.h"

namespace {

constexpr std::string_view kMarker = "\n#BMP#\n";

std::vector<std::span<const std::uint8_t>> split(std::span<const std::uint8_t> data) {
    std::vector<std::span<const std::uint8_t>> parts;
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(kMarker, from);
        parts.push_back(data.subspan(from, (at == std::string_view::npos ? text.size() : at) - from));
        if (at == std::string_view::npos) return parts;
        from = at + kMarker.size();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::span<const std::uint8_t>> parts = split({data, size});
    std::size_t asked = 0;
    const PictureFileReader readPicture = [&](const std::string&) {
        if (parts.size() < 2) throw ReadError();  // no such file
        const auto file = parts[1 + asked++ % (parts.size() - 1)];
        return std::vector<std::uint8_t>(file.begin(), file.end());
    };
    std::optional<SkinPackage> package;
    try {
        package = BuildSkinPackage(parts[0], readPicture);
    } catch (const std::exception&) {
        return 0;
    }
    if (!package) return 0;
    for (const BmpImage* img : {&package->picture, &package->inactivePicture, &package->mask}) img->Decode();
    for (const BmpImage& img : package->activePictures) img.Decode();
    const std::vector<std::uint8_t> written = package->ToBytes();
    fw::MemoryStream s(written);
    std::optional<SkinPackage> back;
    try {
        back = ReadSkinPackage(s);
    } catch (const std::exception&) {
        __builtin_trap();
    }
    if (!back || back->ToBytes() != written) __builtin_trap();
    return 0;
}
