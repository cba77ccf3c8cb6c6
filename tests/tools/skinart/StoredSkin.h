// The program's packed skin as the build made it, loaded through the skin-data code.
#pragma once

#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinPackage.h"

namespace skinart::test {

// The model loaded from the packed file (once per test run).
TkvSkinData& programSkin();
// The inflated package, for facts the model does not keep (bit depths, layouts).
const SkinPackage& programPackage();
// The bytes the main form's description carries as `CompressedData`.
const std::vector<std::uint8_t>& programCompressedData();

}  // namespace skinart::test
