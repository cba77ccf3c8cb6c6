#include "skin/controls/kvSkinToolBar.h"

TkvSkinToolBar::TkvSkinToolBar(fw::Component* owner) : TkvSkinPanel(owner) {
    skinDataName_ = "toolpanel";
    SetBorderStyle(bvNone);
    setBounds(0, 0, 185, 25);
}
