// Feeds damaged stored skins to the skin model. The first byte chooses the input's form: 0 means the rest is the
// compressed data itself (inflation errors), anything else means the rest is a package, which is deflated first so
// that the picture and description readers see the damage.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "skin/data/kvSkinData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<std::uint8_t> rest(data + 1, data + size);
    TkvCompressedStoredSkin stored;
    if (data[0] == 0) {
        stored.SetCompressedData(std::move(rest));
    } else {
        uLongf len = compressBound(static_cast<uLong>(rest.size()));
        std::vector<std::uint8_t> packed(len);
        if (compress2(packed.data(), &len, rest.data(), static_cast<uLong>(rest.size()), 1) != Z_OK) return 0;
        packed.resize(len);
        stored.SetCompressedData(std::move(packed));
    }
    TkvSkinData model(nullptr, nullptr);
    try {
        model.LoadStoredSkin(stored);
    } catch (const std::exception&) {
        return 0;
    }
    // A finished load holds what consumers may index into: check the pictures are whole.
    for (const auto& b : model.ActivePictures)
        if (!b.empty() && b.scanline(b.height() - 1) == nullptr) __builtin_trap();
    return 0;
}
