// The file-name edit: a skinned edit in button mode ("buttonedit") whose browse button runs the skinned open
// dialog it owns, starting from the edit's text, and puts the chosen full path into the edit.
#pragma once

#include <string>

#include "skin/controls/kvSkinEdit.h"
#include "skin/data/kvSkinDataLink.h"

class TkvSkinData;
class TkvSkinOpenDialog;

class TkvSkinFileEdit : public TkvSkinEdit {
public:
    explicit TkvSkinFileEdit(fw::Component* owner);
    ~TkvSkinFileEdit() override;

    // The dialog's filter, kept by the dialog itself.
    const std::wstring& Filter() const;
    void SetFilter(const std::wstring& f);
    TkvSkinData* DlgSkinData() const { return dlgSkinData_; }
    void SetDlgSkinData(TkvSkinData* d);
    TkvSkinData* DlgCtrlSkinData() const { return dlgCtrlSkinData_; }
    void SetDlgCtrlSkinData(TkvSkinData* d);
    std::string LVHeaderSkinDataName = "resizebutton";

    TkvSkinOpenDialog& Dialog() { return *dialog_; }
    // Runs the dialog from the edit's text; on OK the text becomes the chosen path, Cancel changes nothing.
    void Browse();

private:
    TkvSkinOpenDialog* dialog_;  // owned as a component of this edit
    TkvSkinDataLink dlgSkinData_;
    TkvSkinDataLink dlgCtrlSkinData_;
};
