#include "skin/dialogs/kvOpenDlgForm.h"

#include <commctrl.h>

#include <algorithm>
#include <system_error>

#include "framework/Application.h"
#include "framework/Utf.h"
#include "skin/controls/ResourceGlyph.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/controls/kvSkinEdit.h"
#include "skin/controls/kvSkinMenuButton.h"
#include "skin/controls/kvSkinPanel.h"
#include "skin/controls/kvSkinToolBar.h"
#include "skin/controls/kvSkinScrollBar.h"
#include "skin/controls/kvSkinStdLabel.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinText.h"
#include "skin/dialogs/kvDialogCombos.h"
#include "skin/dialogs/kvMessages.h"
#include "skin/dialogs/kvSkinFileListView.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinMenus.h"

namespace {

constexpr int kToolBarHeight = 25, kSpacer = 10, kToolButtonWidth = 27, kViewButtonWidth = 37;
constexpr int kScrollBarSize = 19;
constexpr int kBottomHeight = 80, kEditLeft = 70, kEditHeight = 21, kButtonWidth = 70, kButtonHeight = 25;

// The centre panel passes the list view's notifications to the list.
class ListHostPanel : public fw::Panel {
public:
    using fw::Panel::Panel;
    TkvSkinFileListView* List = nullptr;

protected:
    void wndProc(fw::Message& m) override {
        if (m.msg == WM_NOTIFY && List && List->handleAllocated() &&
            reinterpret_cast<NMHDR*>(m.lParam)->hwndFrom == List->handle()) {
            m.result = List->HandleNotify(reinterpret_cast<NMHDR*>(m.lParam));
            return;
        }
        fw::Panel::wndProc(m);
    }
};

bool fileExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

fw::Panel& plainPanel(fw::Panel& p) {
    p.setBevelOuter(fw::BevelStyle::None);
    p.setShowCaption(false);
    return p;
}

}  // namespace

std::wstring OpenDialogString(const TkvSkinData* model, const OpenDialogText& text) {
    if (!model || !model->ResourceStrData()) return text.builtIn;
    const std::wstring s = fw::utf8ToWide(SkinResourceStr(model, text.key));
    return s.empty() ? std::wstring(text.builtIn) : s;
}

TkvOpenDlgForm::TkvOpenDlgForm(fw::Component* owner, bool toolButtonsTransparent, TkvSkinData* ctrlSkinData)
    : fw::Form(owner), ctrlSkinData_(ctrlSkinData) {
    setBorderStyle(fw::BorderStyle::Sizeable);
    setPosition(fw::FormPosition::ScreenCenter);
    setKeyPreview(true);
    SkinForm = &create<TkvKelvaneForm>();
    SkinForm->SetBorderIcons({false, false, false, false, false});

    ToolBar = &create<TkvSkinToolBar>();
    ToolBar->setParent(this);
    ToolBar->setAlign(fw::Align::Top);
    ToolBar->setHeight(kToolBarHeight);
    BuildToolBar(toolButtonsTransparent);

    BottomPanel = &create<TkvSkinPanel>();
    BottomPanel->SetBorderStyle(bvNone);
    BottomPanel->setParent(this);
    BottomPanel->setAlign(fw::Align::Bottom);
    BottomPanel->setHeight(kBottomHeight);
    BuildBottomPanel();

    CenterPanel = &create<TkvSkinPanel>();
    CenterPanel->SetBorderStyle(bvFrame);
    CenterPanel->setParent(this);
    CenterPanel->setAlign(fw::Align::Client);
    HorzScrollBar = &create<TkvSkinScrollBar>();
    HorzScrollBar->SetKind(skHorizontal);
    HorzScrollBar->setParent(CenterPanel);
    HorzScrollBar->setHeight(kScrollBarSize);
    HorzScrollBar->setAlign(fw::Align::Bottom);
    VertScrollBar = &create<TkvSkinScrollBar>();
    VertScrollBar->SetKind(skVertical);
    VertScrollBar->setParent(CenterPanel);
    VertScrollBar->setWidth(kScrollBarSize);
    VertScrollBar->setAlign(fw::Align::Right);
    auto& clip = create<ListHostPanel>();
    plainPanel(clip);
    clip.setParent(CenterPanel);
    clip.setAlign(fw::Align::Client);
    ListClip = &clip;
    FileList = &create<TkvSkinFileListView>();
    FileList->setParent(&clip);
    clip.List = FileList;
    for (TkvSkinScrollBar* bar : {HorzScrollBar, VertScrollBar}) {
        bar->setEnabled(false);
        const int kind = bar == HorzScrollBar ? WM_HSCROLL : WM_VSCROLL;
        bar->OnScroll = [this, kind](int code, int position) {
            SendMessageW(FileList->handle(), static_cast<UINT>(kind), MAKEWPARAM(code, position), 0);
            SyncScrollBars();
        };
    }
    FileList->OnScrollChanged = [this](fw::Component*) { SyncScrollBars(); };
    for (int i = 0; i < 4; ++i) FileList->FallbackCaptions[i] = Text(kTextColumns[i]);
    FileList->OnFolderChange = [this](fw::Component*) { FolderChanged(); };
    FileList->OnSelectionChange = [this](fw::Component*) { SelectionChanged(); };
    FileList->OnFileDoubleClick = [this](int i) { Accept(FileList->ItemPath(i)); };
    FileList->OnEnterFile = [this](fw::Component*) { Open(); };

    onKeyDown = [this](fw::Component*, WPARAM& key, fw::ShiftState) {
        if (key == VK_RETURN && FileNameEdit->focused()) {
            EditEnter();
            key = 0;
        }
    };
    setActiveControl(FileNameEdit);
}

TkvOpenDlgForm::~TkvOpenDlgForm() = default;

void TkvOpenDlgForm::createParams(CreateParams& p) {
    fw::Form::createParams(p);
    p.className = kOpenDlgFormClass;
}

std::wstring TkvOpenDlgForm::Text(const OpenDialogText& t) const { return OpenDialogString(ctrlSkinData_, t); }

void TkvOpenDlgForm::BuildToolBar(bool flat) {
    LookInLabel = &create<TkvSkinStdLabel>();
    LookInLabel->setParent(ToolBar);
    LookInLabel->setAutoSize(true);
    LookInLabel->setCaption(Text(kTextLookIn));

    FolderCombo = &create<TkvFolderComboBox>();
    FolderCombo->setParent(ToolBar);
    FolderCombo->setBounds(0, 2, 190, 21);
    FolderCombo->SetDropDownCount(10);
    FolderCombo->OnFolderSelected = [this](const ITEMIDLIST* folder) {
        FileList->OpenFolder(TkvShellFolder::FromAbsolute(folder));
    };

    const auto place = [&](TkvSkinButton& b, const char* name, const wchar_t* glyph, const OpenDialogText& hint,
                           int width) {
        b.setName(name);
        b.setParent(ToolBar);
        b.SetCanFocused(false);
        b.SetFlat(flat);
        b.setBounds(0, 0, width, kToolBarHeight);
        b.SetGlyph(LoadResourceGlyph(glyph));
        b.setHint(Text(hint));
        b.setShowHint(true);
        return &b;
    };
    const auto toolButton = [&](const char* name, const wchar_t* glyph, const OpenDialogText& hint) {
        TkvSkinButton* b = place(create<TkvSkinButton>(), name, glyph, hint, kToolButtonWidth);
        b->SetSkinDataName("toolbutton");
        return b;
    };
    BackButton = toolButton("BackButton", L"KV_BACK", kTextBackHint);
    UpButton = toolButton("UpButton", L"KV_UP", kTextUpHint);
    NewFolderButton = toolButton("NewFolderButton", L"KV_NEWFOLDER", kTextNewFolderHint);
    ViewButton = &create<TkvSkinMenuButton>();  // on "toolmenubutton" by its own default
    place(*ViewButton, "ViewButton", L"KV_LVSTYLE", kTextViewMenuHint, kViewButtonWidth);
    BackButton->onClick = [this](fw::Component*) { GoBack(); };
    UpButton->onClick = [this](fw::Component*) { GoUp(); };
    NewFolderButton->onClick = [this](fw::Component*) { CreateNewFolder(); };

    ViewMenu = &create<TkvSkinPopupMenu>();
    ViewMenu->SetSkinComponent(SkinForm);
    for (int i = 0; i < 4; ++i) {
        fw::MenuItem& item = ViewMenu->items().add(Text(kTextViews[i]));
        item.radioItem = true;
        item.onClick = [this, i](fw::MenuItem&) { SetViewStyle(i); };
    }
    ViewButton->SetDropDownMenu(ViewMenu);
}

void TkvOpenDlgForm::BuildBottomPanel() {
    const auto label = [&](const OpenDialogText& t, int top) {
        auto& l = create<TkvSkinStdLabel>();
        l.setParent(BottomPanel);
        l.setAutoSize(true);
        l.setCaption(Text(t));
        l.setBounds(10, top, l.width(), l.height());
        return &l;
    };
    FileNameLabel = label(kTextFileName, 10);
    FileTypeLabel = label(kTextFileType, 45);

    FileNameEdit = &create<TkvSkinEdit>();
    FileNameEdit->setName("FileNameEdit");
    FileNameEdit->setParent(BottomPanel);
    FileNameEdit->setTabStop(true);
    FileNameEdit->setBounds(kEditLeft, 10, 290, kEditHeight);

    TypeCombo = &create<TkvSkinFilterComboBox>();
    TypeCombo->setParent(BottomPanel);
    TypeCombo->setBounds(kEditLeft, 45, 290, kEditHeight);
    TypeCombo->OnChange = [this](fw::Component*) { FileList->SetMask(TypeCombo->Mask()); };

    const auto button = [&](const char* name, const OpenDialogText& t, int top) {
        auto& b = create<TkvSkinButton>();
        b.setName(name);
        b.setParent(BottomPanel);
        b.SetCanFocused(true);
        b.UseSkinSize = false;
        b.setCaption(Text(t));
        b.SetDefaultHeight(kButtonHeight);
        b.setBounds(0, top, kButtonWidth, kButtonHeight);
        return &b;
    };
    OpenButton = button("OpenButton", kTextOpen, 10);
    OpenButton->onClick = [this](fw::Component*) { Open(); };
    CancelButton = button("CancelButton", kTextCancel, 45);
    CancelButton->Cancel = true;
    CancelButton->ModalResult = fw::mrCancel;
}

void TkvOpenDlgForm::resized() {
    fw::Form::resized();
    LayOut();
}

void TkvOpenDlgForm::LayOut() {
    if (!ToolBar || !BottomPanel || !OpenButton) return;
    // Tool bar: spacer, label, the folder box filling what the buttons on the right leave.
    const int w = ToolBar->width();
    int right = w - kSpacer;
    for (TkvSkinButton* b : {static_cast<TkvSkinButton*>(ViewButton), NewFolderButton, UpButton, BackButton}) {
        right -= b->width();
        b->setBounds(right, 0, b->width(), kToolBarHeight);
    }
    LookInLabel->setBounds(kSpacer, (kToolBarHeight - LookInLabel->height()) / 2, LookInLabel->width(),
                           LookInLabel->height());
    const int comboLeft = LookInLabel->left() + LookInLabel->width();
    FolderCombo->setBounds(comboLeft, (kToolBarHeight - FolderCombo->height()) / 2, std::max(40, right - comboLeft - 2),
                           FolderCombo->height());
    // The list reaches under the clip's right and bottom edges by its own bars' size.
    FileList->setBounds(0, 0, ListClip->width() + GetSystemMetrics(SM_CXVSCROLL),
                        ListClip->height() + GetSystemMetrics(SM_CYHSCROLL));
    // Bottom panel: the edit and the type box stretch, the buttons keep to the right.
    const int cw = BottomPanel->width();
    FileNameEdit->setBounds(kEditLeft, 10, std::max(40, cw - 160), kEditHeight);
    TypeCombo->setBounds(kEditLeft, 45, std::max(40, cw - 160), TypeCombo->height());
    OpenButton->setBounds(cw - 80, 10, kButtonWidth, kButtonHeight);
    CancelButton->setBounds(cw - 80, 45, kButtonWidth, kButtonHeight);
}

void TkvOpenDlgForm::SyncScrollBars() {
    if (!FileList->handleAllocated() || syncing_) return;
    syncing_ = true;
    for (TkvSkinScrollBar* bar : {HorzScrollBar, VertScrollBar}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        const int which = bar == HorzScrollBar ? SB_HORZ : SB_VERT;
        const bool shown = GetScrollInfo(FileList->handle(), which, &info) && info.nMax > info.nMin &&
                           static_cast<int>(info.nPage) < info.nMax - info.nMin + 1;
        bar->setEnabled(shown);
        if (shown) bar->SetParams(info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos);
        else bar->SetParams(0, 0, 0, 0);
    }
    syncing_ = false;
}

// ---- Behaviour -------------------------------------------------------------------------------------------------

void TkvOpenDlgForm::FolderChanged() {
    TkvShellFolder* folder = FileList->Folder();
    if (!folder) return;
    FolderCombo->ShowFolder(folder->AbsoluteID());
    if (!goingBack_) {
        const std::wstring path = folder->PathName();
        history_.Add(path.empty() ? folder->ParsingName() : path);
    }
    if (OnFolderChange) OnFolderChange(this);
}

void TkvOpenDlgForm::SelectionChanged() {
    const int i = FileList->SelectedIndex();
    if (i >= 0 && !FileList->Item(i).folder) FileNameEdit->setText(FileList->Item(i).name);
    if (OnFolderChange) OnFolderChange(this);
}

void TkvOpenDlgForm::Accept(const std::wstring& result) {
    Result = result;
    SelectedFiles.clear();
    for (int i : FileList->SelectedIndexes())
        if (!FileList->Item(i).folder) SelectedFiles.push_back(FileList->ItemPath(i));
    if (SelectedFiles.empty()) SelectedFiles.push_back(result);
    setModalResult(fw::mrOk);
}

void TkvOpenDlgForm::GoBack() {
    if (!history_.CanGoBack()) return;
    const std::wstring folder = history_.Back();
    goingBack_ = true;
    try {
        FileList->SetPath(folder);
    } catch (...) {
        goingBack_ = false;
        throw;
    }
    goingBack_ = false;
}

void TkvOpenDlgForm::GoUp() { FileList->GoUp(); }

void TkvOpenDlgForm::CreateNewFolder() {
    const std::wstring folder = FileList->FolderPath();
    if (folder.empty()) return;  // only inside a file-system folder
    ++newFolderCount_;
    const std::wstring name = NewFolderName(Text(kTextNewFolder), newFolderCount_);
    const std::wstring path = JoinPath(folder, name);
    if (directoryExists(path)) return;
    if (!CreateDirectoryW(path.c_str(), nullptr))
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "I/O error");
    FileList->Refresh();
    const int i = FileList->IndexOfName(name);
    FileList->SelectItem(i);
    FileList->EditCaption(i);
}

void TkvOpenDlgForm::SetViewStyle(int style) {
    if (style < vsIcon || style > vsReport) return;
    FileList->SetViewStyle(static_cast<TkvViewStyle>(style));
    for (int i = 0; i < ViewMenu->items().count(); ++i) ViewMenu->items().item(i).checked = i == style;
}

AcceptInput TkvOpenDlgForm::MakeAcceptInput() const {
    AcceptInput in;
    in.editText = FileNameEdit->text();
    const int i = FileList->SelectedIndex();
    if (i >= 0 && !FileList->Item(i).folder) in.selectedFile = FileList->ItemPath(i);
    in.folder = FileList->FolderPath();
    in.defaultExt = DefaultExtension(DefaultExt, FileList->Mask());
    in.checkFileExists = CheckFileExists;
    in.fileExists = fileExists;
    in.directoryExists = directoryExists;
    return in;
}

void TkvOpenDlgForm::Apply(const AcceptDecision& d) {
    switch (d.action) {
        case AcceptAction::None: break;
        case AcceptAction::SetMask: FileList->SetMask(d.value); break;
        case AcceptAction::OpenFolder: FileList->SetPath(d.value); break;
        case AcceptAction::ClearResult: Result.clear(); break;
        case AcceptAction::Close: Accept(d.value); break;
        case AcceptAction::Refuse: SayWhy(d); break;
    }
}

void TkvOpenDlgForm::SayWhy(const AcceptDecision& d) {
    std::wstring text = Text(d.reason == RefuseReason::FolderNotFound ? kTextFolderNotFound : kTextFileNotFound);
    if (const size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, d.value);
    TkvSkinMessage box;
    box.SetSkinData(SkinForm->SkinData());
    box.SetCtrlSkinData(ctrlSkinData_);
    box.ShowMessageBox(std::u16string(text.begin(), text.end()), TkvMessageKind::mtWarning, ButtonBit(mbOK), 0);
    if (FileNameEdit->handleAllocated()) {
        FileNameEdit->setFocus();
        SendMessageW(FileNameEdit->handle(), EM_SETSEL, 0, -1);
    }
}

void TkvOpenDlgForm::Open() { Apply(DecideOpen(MakeAcceptInput())); }

void TkvOpenDlgForm::EditEnter() { Apply(DecideEditEnter(MakeAcceptInput())); }
