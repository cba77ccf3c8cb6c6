// TkvSkinPopupMenu: a popup menu shown by the menu engine of the frame it belongs to.
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinMenus.h"

namespace {
TkvKelvaneForm* frameOn(fw::Component* c) {
    auto* form = dynamic_cast<fw::Form*>(c);
    if (!form) return nullptr;
    for (fw::Component* k : form->components())
        if (auto* f = dynamic_cast<TkvKelvaneForm*>(k)) return f;
    return nullptr;
}
}  // namespace

TkvSkinPopupMenu::TkvSkinPopupMenu(fw::Component* owner) : fw::PopupMenu(owner) {}

void TkvSkinPopupMenu::notification(fw::Component* c, fw::Operation op) {
    fw::PopupMenu::notification(c, op);
    if (op != fw::Operation::Remove) return;
    if (c == skinComponent_) skinComponent_ = nullptr;
    if (c == componentForm_) componentForm_ = nullptr;
}

void TkvSkinPopupMenu::SetSkinData(TkvSkinData* d) { skinData_.Set(d); }

void TkvSkinPopupMenu::SetSkinComponent(TkvKelvaneForm* f) {
    if (skinComponent_ && skinComponent_ != f) removeFreeNotification(skinComponent_);
    skinComponent_ = f;
    if (f) freeNotification(f);
}

void TkvSkinPopupMenu::SetComponentForm(fw::Form* f) {
    if (componentForm_ && componentForm_ != f && componentForm_ != owner()) removeFreeNotification(componentForm_);
    componentForm_ = f;
    if (f && f != owner()) freeNotification(f);
}

TkvKelvaneForm* TkvSkinPopupMenu::FindFrame() const {
    if (skinComponent_) return skinComponent_;
    if (componentForm_) return frameOn(componentForm_);
    if (TkvKelvaneForm* f = frameOn(owner())) return f;
    if (owner() && dynamic_cast<fw::Form*>(owner()) == nullptr) return frameOn(owner()->owner());
    return nullptr;
}

void TkvSkinPopupMenu::Show(fw::Control* control, const fw::Rect& r, bool popupAbove, bool needSkin) {
    if (onPopup) onPopup(this);
    TkvKelvaneForm* frame = FindFrame();
    TkvSkinData* skin = skinData_ ? skinData_ : frame ? frame->MenuSkinData() : nullptr;
    if (!frame || (needSkin && !skin)) return;
    TkvSkinMenu& engine = frame->SkinMenu();
    if (engine.Showing) frame->MenuClosed();
    frame->MarkSkinMenuOpen();
    lastPoint_ = {r.left, r.top};
    engine.PopupMenu(control, skin, popupAbove, items(), r, 0);
    if (!engine.Showing) {
        frame->MenuClosed();
        return;
    }
    if (OnMenuClose) engine.CloseCallback = [this] { OnMenuClose(this); };
}

void TkvSkinPopupMenu::PopupAt(int x, int y) { Show(nullptr, {x, y, x, y}, false, false); }
void TkvSkinPopupMenu::PopupFromRect(const fw::Rect& r, bool popupAbove) { Show(nullptr, r, popupAbove, false); }
void TkvSkinPopupMenu::PopupForButton(fw::Control* button, const fw::Rect& r, bool popupAbove) {
    Show(button, r, popupAbove, false);
}
void TkvSkinPopupMenu::PopupForControl(fw::Control* control, int x, int y) { Show(control, {x, y, x, y}, false, true); }
