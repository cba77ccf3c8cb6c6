// The caption description of a loaded skin, for tests that change how the caption draws.
#pragma once

#include "skin/data/kvSkinData.h"

namespace kvtest {

inline TkvDataSkinCaption* captionDescription(TkvSkinData& model) {
    TkvDataSkinCaption* caption = nullptr;
    for (const auto& d : model.ObjectDescriptions())
        if (auto* c = dynamic_cast<TkvDataSkinCaption*>(d.get())) caption = c;
    return caption;
}

}  // namespace kvtest
