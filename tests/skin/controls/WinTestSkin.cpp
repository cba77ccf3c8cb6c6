#include "WinTestSkin.h"

#include "framework/StandardClasses.h"

namespace kvtest {

void LoadEmbeddedSkin(fw::TkvCompressedStoredSkin& stored, fw::TkvSkinData& model) {
    stored.SetCompressedData(fw::loadResourceData(L"KVSKIN"));
    model.SetCompressedStoredSkin(&stored);
}

}  // namespace kvtest
