#include "skin/dialogs/kvSkinOpenDialog.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/Application.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/controls/kvSkinStdLabel.h"
#include "skin/controls/kvSkinEdit.h"
#include "skin/data/kvSkinData.h"
#include "skin/dialogs/kvDialogCombos.h"
#include "skin/dialogs/kvOpenDlgForm.h"
#include "skin/dialogs/kvSkinFileListView.h"
#include "skin/frame/KelvaneForm.h"

namespace {

constexpr int kDefaultWidth = 450, kDefaultHeight = 290;

std::wstring programFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOfPath(std::wstring(path, n));
}

bool isDirectory(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Clears the dialog's pointer to its window however the run ends.
struct RunningForm {
    TkvOpenDlgForm*& slot;
    ~RunningForm() { slot = nullptr; }
};

}  // namespace

TkvSkinOpenDialog::TkvSkinOpenDialog(fw::Component* owner) : fw::Component(owner) {}

TkvSkinOpenDialog::~TkvSkinOpenDialog() = default;

void TkvSkinOpenDialog::SetSkinData(TkvSkinData* d) { skinData_.Set(d); }

void TkvSkinOpenDialog::SetCtrlSkinData(TkvSkinData* d) { ctrlSkinData_.Set(d); }

bool TkvSkinOpenDialog::Execute() {
    fw::useOle();  // the shell's namespace and its views
    if (OnShow) OnShow(this);
    auto form = std::make_unique<TkvOpenDlgForm>(fw::Application::instance(), ToolButtonsTransparent, ctrlSkinData_);
    TkvOpenDlgForm& f = *form;
    form_ = &f;
    RunningForm running{form_};
    f.CheckFileExists = CheckFileExists;
    f.DefaultExt = DefaultExt;
    f.OnFolderChange = [this](fw::Component*) {
        if (OnFolderChange) OnFolderChange(this);
    };

    // Caption and frame.
    f.setCaption(Title);
    TkvKelvaneForm& frame = *f.SkinForm;
    frame.MinWidth = DialogMinWidth;
    frame.MinHeight = DialogMinHeight;
    frame.SetAlphaBlend(AlphaBlend);
    frame.SetAlphaBlendValue(AlphaBlendValue);
    frame.AlphaBlendAnimation = AlphaBlendAnimation;
    frame.MenusAlphaBlend = CtrlAlphaBlend;
    frame.MenusAlphaBlendValue = CtrlAlphaBlendValue;
    frame.MenusAlphaBlendAnimation = CtrlAlphaBlendAnimation;
    frame.SetMenusSkinData(ctrlSkinData_);
    for (TkvSkinComboBox* c :
         {static_cast<TkvSkinComboBox*>(f.FolderCombo), static_cast<TkvSkinComboBox*>(f.TypeCombo)}) {
        c->SetAlphaBlend(CtrlAlphaBlend);
        c->SetAlphaBlendValue(static_cast<std::uint8_t>(CtrlAlphaBlendValue));
        c->SetAlphaBlendAnimation(CtrlAlphaBlendAnimation);
    }
    frame.SetSkinData(skinData_);

    // Fonts and the remembered view style.
    for (TkvSkinButton* b : {f.OpenButton, f.CancelButton}) b->SetDefaultFont(DefaultFont);
    f.FolderCombo->setFont(DefaultFont);
    f.FileList->setFont(DefaultFont);
    f.SetViewStyle(std::clamp(ViewStyle, 0, 3));

    // The list's settings and the filter.
    f.TypeCombo->SetFilter(Filter);
    f.TypeCombo->SetItemIndex(FilterIndex - 1);
    f.FileList->SetMask(f.TypeCombo->Mask());
    f.FileList->HeaderSkinDataName = LVHeaderSkinDataName;
    f.FileList->SetMultiSelection(MultiSelection);
    f.FileList->ShowHiddenFiles = ShowHiddenFiles;

    // Every control on the controls' skin; the folder box on its own description.
    f.FolderCombo->SetSkinDataName("combobox");
    for (fw::Component* c : f.components()) {
        if (auto* s = dynamic_cast<TkvSkinControl*>(c)) s->SetSkinData(ctrlSkinData_);
        if (auto* l = dynamic_cast<TkvSkinStdLabel*>(c)) l->SetSkinData(ctrlSkinData_);
        if (auto* e = dynamic_cast<TkvSkinEdit*>(c)) e->SetSkinData(ctrlSkinData_);
    }
    f.FileList->SetSkinData(ctrlSkinData_);
    f.ViewMenu->SetSkinData(ctrlSkinData_);

    // Size: the remembered client size, at least the skinned frame's smallest.
    f.setClientWidth(DialogWidth > 0 ? DialogWidth : kDefaultWidth);
    f.setClientHeight(DialogHeight > 0 ? DialogHeight : kDefaultHeight);
    if (skinData_ && !skinData_->Empty()) {
        f.setWidth(std::max(f.width(), frame.FrameMinWidth()));
        f.setHeight(std::max(f.height(), frame.FrameMinHeight()));
    }
    f.setBounds((GetSystemMetrics(SM_CXSCREEN) - f.width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - f.height()) / 2,
                f.width(), f.height());

    // Start folder: FileName's folder, else InitialDir when it exists, else the program's folder.
    f.FolderCombo->BuildFromRoot();
    std::wstring start = FolderOfPath(FileName);
    if (start.empty() || !isDirectory(start))
        start = !InitialDir.empty() && isDirectory(InitialDir) ? InitialDir : programFolder();
    f.FileList->SetPath(start);  // the folder change puts it into the history

    if (f.FileList->ItemCount() > 0) ListView_SetItemState(f.FileList->handle(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
    f.FileNameEdit->setText(NameOfPath(FileName));

    const int result = f.showModal();

    FilterIndex = f.TypeCombo->ItemIndex() + 1;
    DialogWidth = f.clientWidth();
    DialogHeight = f.clientHeight();
    ViewStyle = f.FileList->ViewStyle();
    const bool accepted = result == fw::mrOk && !f.Result.empty();
    if (accepted) {
        FileName = f.Result;
        SelectedFiles = f.SelectedFiles;
    }
    form.reset();
    if (OnClose) OnClose(this);
    return accepted;
}
