// The program's skin as tests load it: the RCDATA resource KVSKIN linked into the test program.
#pragma once

#include <memory>

#include "skin/data/kvCompressedStoredSkin.h"
#include "skin/data/kvSkinData.h"

namespace kvtest {

// Fills `stored` with the embedded skin and binds `model` to it, which loads it (and tells every form).
void LoadEmbeddedSkin(TkvCompressedStoredSkin& stored, TkvSkinData& model);

}  // namespace kvtest
