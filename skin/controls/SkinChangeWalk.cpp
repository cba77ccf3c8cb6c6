#include "skin/controls/SkinChangeWalk.h"

#include <vector>

void NotifySkinControls(fw::Control& root, const TkvSkinData* sender, SkinChangeStage stage) {
    if (auto* t = dynamic_cast<TkvSkinChangeTarget*>(&root); t && (!sender || t->SkinDataOf() == sender)) {
        if (stage == SkinChangeStage::Before) t->BeforeChangeSkinData();
        else t->ChangeSkinData();
    }
    fw::WindowedControl* w = root.asWindowed();
    if (!w) return;
    // A control's change may add or remove children (for example a glow frame); walk a snapshot.
    const std::vector<fw::Control*> children = w->controls();
    for (fw::Control* c : children) NotifySkinControls(*c, sender, stage);
}
