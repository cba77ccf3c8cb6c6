#include "skin/data/kvSkinDataLink.h"

#include "skin/data/kvSkinData.h"

bool TkvSkinDataLink::Set(TkvSkinData* model) {
    if (model == model_) return false;
    if (model_) removeFreeNotification(model_);
    model_ = model;
    if (model_) freeNotification(model_);
    return true;
}

void TkvSkinDataLink::notification(fw::Component* c, fw::Operation op) {
    if (op != fw::Operation::Remove || c != static_cast<fw::Component*>(model_) || !model_) return;
    model_ = nullptr;
    if (removed_) removed_();
}
