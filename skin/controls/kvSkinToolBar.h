// The skinned tool bar: a panel on the "toolpanel" skin without a border that lines its children up (left, right
// and client alignment), as the open-file dialog's row of combo box and tool buttons.
#pragma once

#include "skin/controls/kvSkinPanel.h"

class TkvSkinToolBar : public TkvSkinPanel {
public:
    explicit TkvSkinToolBar(fw::Component* owner);
};
