// How a skin change reaches the skinned controls of a form: every control that takes its look from a skin model
// implements TkvSkinChangeTarget, and the form's frame walks the form's control tree depth first (the container,
// then its children in child order, recursing into windowed children) calling the before-change or change
// operation of every target bound to the sending model.
#pragma once

#include "framework/WindowedControl.h"
#include "skin/data/kvSkinData.h"

class TkvSkinChangeTarget {
public:
    virtual ~TkvSkinChangeTarget() = default;
    virtual TkvSkinData* SkinDataOf() const = 0;
    virtual void BeforeChangeSkinData() = 0;
    virtual void ChangeSkinData() = 0;
};

enum class SkinChangeStage { Before, Changed };

// Walks `root` and its tree. With sender null every target is told, whatever its model.
void NotifySkinControls(fw::Control& root, const TkvSkinData* sender, SkinChangeStage stage);
