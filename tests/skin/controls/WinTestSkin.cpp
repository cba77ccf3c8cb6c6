#include "WinTestSkin.h"

#include "framework/StandardClasses.h"

namespace kvtest {

void LoadEmbeddedSkin(TkvCompressedStoredSkin& stored, TkvSkinData& model) {
    stored.SetCompressedData(fw::loadResourceData(L"KVSKIN"));
    model.SetCompressedStoredSkin(&stored);
}

}  // namespace kvtest
