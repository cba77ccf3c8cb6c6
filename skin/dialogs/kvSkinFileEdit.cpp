#include "skin/dialogs/kvSkinFileEdit.h"

#include "skin/dialogs/kvSkinOpenDialog.h"

TkvSkinFileEdit::TkvSkinFileEdit(fw::Component* owner) : TkvSkinEdit(owner), dialog_(&create<TkvSkinOpenDialog>()) {
    dialog_->ToolButtonsTransparent = true;
    SetButtonMode(true);
    SetSkinDataName("buttonedit");
    OnButtonClick = [this](fw::Component*) { Browse(); };
}

TkvSkinFileEdit::~TkvSkinFileEdit() = default;

const std::wstring& TkvSkinFileEdit::Filter() const { return dialog_->Filter; }

void TkvSkinFileEdit::SetFilter(const std::wstring& f) { dialog_->Filter = f; }

void TkvSkinFileEdit::SetDlgSkinData(TkvSkinData* d) { dlgSkinData_.Set(d); }

void TkvSkinFileEdit::SetDlgCtrlSkinData(TkvSkinData* d) { dlgCtrlSkinData_.Set(d); }

void TkvSkinFileEdit::Browse() {
    dialog_->FileName = text();
    dialog_->SetSkinData(dlgSkinData_);
    dialog_->SetCtrlSkinData(dlgCtrlSkinData_);
    dialog_->LVHeaderSkinDataName = LVHeaderSkinDataName;
    if (dialog_->Execute()) setText(dialog_->FileName);
}
