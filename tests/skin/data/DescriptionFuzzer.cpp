// Feeds arbitrary description text to the skin model (a package with no pictures), then writes every description
// back and reads it again: what a class writes it must be able to read.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinPackage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SkinPackage package;
    package.text.assign(reinterpret_cast<const char*>(data), size);
    std::vector<std::uint8_t> raw = package.toBytes();
    uLongf len = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(len);
    if (compress2(packed.data(), &len, raw.data(), static_cast<uLong>(raw.size()), 0) != Z_OK) return 0;
    packed.resize(len);
    TkvCompressedStoredSkin stored;
    stored.SetCompressedData(std::move(packed));
    TkvSkinData model(nullptr, nullptr);
    try {
        model.LoadStoredSkin(stored);
    } catch (const EConvertError&) {
        return 0;
    }
    if (model.Empty()) __builtin_trap();
    IniText written;
    for (const auto& d : model.ObjectDescriptions()) d->WriteToDescription(written);
    for (const auto& d : model.ControlDescriptions()) d->WriteToDescription(written);
    // Every value written is in its form's syntax, so reading the written text can never fail.
    for (const auto& d : model.ControlDescriptions()) {
        try {
            d->ReadFromDescription(written);
        } catch (const EConvertError&) {
            __builtin_trap();
        }
    }
    return 0;
}
