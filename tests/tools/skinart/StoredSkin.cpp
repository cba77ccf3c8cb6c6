#include "tests/tools/skinart/StoredSkin.h"

#include <memory>
#include <stdexcept>

#include "framework/Stream.h"
#include "skin/data/kvCompressedStoredSkin.h"

namespace skinart::test {

namespace {

struct Loaded {
    TkvCompressedStoredSkin stored;
    TkvSkinData model{nullptr, nullptr};
    SkinPackage package;

    Loaded() {
        // As the form reader does: the bytes of `CompressedData` replace the stored skin's data.
        stored.SetCompressedData(fw::readFile(KV_STORED_SKIN_FILE));
        if (stored.IsEmpty()) throw std::runtime_error("the packed skin is empty: " KV_STORED_SKIN_FILE);
        model.SetCompressedStoredSkin(&stored);
        fw::MemoryStream raw;
        stored.DecompressTo(raw);
        raw.setPosition(0);
        auto p = readSkinPackage(raw);
        if (!p) throw std::runtime_error("the packed skin has an unreadable version");
        package = std::move(*p);
    }
};

Loaded& loaded() {
    static const std::unique_ptr<Loaded> l = std::make_unique<Loaded>();
    return *l;
}

}  // namespace

TkvSkinData& programSkin() { return loaded().model; }
const SkinPackage& programPackage() { return loaded().package; }
const std::vector<std::uint8_t>& programCompressedData() { return loaded().stored.CompressedData(); }

}  // namespace skinart::test
