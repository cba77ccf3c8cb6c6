#include "skin/dialogs/kvSkinFileEdit.h"

#include "skin/dialogs/kvSkinOpenDialog.h"

TkvSkinFileEdit::TkvSkinFileEdit(fw::Component* owner)
    : TkvSkinEdit(owner), dialog_(&create<TkvSkinOpenDialog>()) {
    dialog_->ToolButtonsTransparent = true;
    SetButtonMode(true);
    SetSkinDataName("buttonedit");
    OnButtonClick = [this](fw::Component*) { Browse(); };
}

TkvSkinFileEdit::~TkvSkinFileEdit() = default;

const std::wstring& TkvSkinFileEdit::Filter() const { return dialog_->Filter; }

void TkvSkinFileEdit::SetFilter(const std::wstring& f) { dialog_->Filter = f; }

void TkvSkinFileEdit::SetDlgSkinData(TkvSkinData* d) {
    dlgSkinData_ = d;
    if (d) freeNotification(d);
}

void TkvSkinFileEdit::SetDlgCtrlSkinData(TkvSkinData* d) {
    dlgCtrlSkinData_ = d;
    if (d) freeNotification(d);
}

void TkvSkinFileEdit::notification(fw::Component* c, fw::Operation op) {
    TkvSkinEdit::notification(c, op);
    if (op != fw::Operation::Remove) return;
    if (c == dlgSkinData_) dlgSkinData_ = nullptr;
    if (c == dlgCtrlSkinData_) dlgCtrlSkinData_ = nullptr;
}

void TkvSkinFileEdit::Browse() {
    dialog_->FileName = text();
    dialog_->SetSkinData(dlgSkinData_);
    dialog_->SetCtrlSkinData(dlgCtrlSkinData_);
    dialog_->LVHeaderSkinDataName = LVHeaderSkinDataName;
    if (dialog_->Execute()) setText(dialog_->FileName);
}
