#include "skin/dialogs/kvMessages.h"

#include <algorithm>
#include <cstring>

#include "framework/Application.h"
#include "framework/Platform.h"
#include "framework/Utf.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/controls/kvSkinStdLabel.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinText.h"
#include "skin/frame/KelvaneForm.h"

namespace {

LPCWSTR kindIcon(TkvMessageKind kind) {
    switch (kind) {
        case TkvMessageKind::mtWarning: return IDI_WARNING;
        case TkvMessageKind::mtError: return IDI_ERROR;
        case TkvMessageKind::mtInformation: return IDI_INFORMATION;
        case TkvMessageKind::mtConfirmation: return IDI_QUESTION;
        default: return nullptr;
    }
}

// The standard icon of the kind, drawn at 32 x 32.
class MessageIcon : public fw::Control {
public:
    MessageIcon(fw::Component* owner, HICON icon) : fw::Control(owner), icon_(icon) {}
    void paint(fw::Canvas& canvas) override {
        DrawIconEx(canvas.handle(), 0, 0, icon_, kMsgIconSize, kMsgIconSize, 0, nullptr, DI_NORMAL);
    }

private:
    HICON icon_;  // a shared system icon: not ours to destroy
};

// The "do not display this message again" box: the platform's check box.
class MessageCheckBox : public fw::WindowedControl {
public:
    using fw::WindowedControl::WindowedControl;

protected:
    void createParams(CreateParams& p) override {
        fw::WindowedControl::createParams(p);
        p.className = L"BUTTON";
        p.platformClass = true;
        p.style |= BS_AUTOCHECKBOX | WS_TABSTOP;
    }
};

std::wstring resourceText(const TkvSkinData* model, const char* key, std::u16string_view builtIn) {
    if (!model || !model->ResourceStrData()) return fw::toWide(builtIn);
    return fw::utf8ToWide(SkinResourceStr(model, key));
}

// Width of a text in a font.
int textWidth(const fw::Font& font, const std::wstring& text) {
    fw::MemoryDC dc(nullptr);
    fw::SelectGuard select(dc.get(), font.handle());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

// ---- TkvSkinMessage ------------------------------------------------------------------------------------------

TkvSkinMessage::TkvSkinMessage(fw::Component* owner) : fw::Component(owner) {}

void TkvSkinMessage::SetSkinData(TkvSkinData* d) { skinData_.Set(d); }

void TkvSkinMessage::SetCtrlSkinData(TkvSkinData* d) { ctrlSkinData_.Set(d); }

std::wstring TkvSkinMessage::KindCaption(TkvMessageKind kind) const {
    if (kind == TkvMessageKind::mtCustom) return ApplicationTitle;
    const MessageKindInfo& info = MessageKindInfoOf(kind);
    return resourceText(ctrlSkinData_, info.key, info.caption);
}

std::wstring TkvSkinMessage::ButtonCaption(TkvMessageButton b) const {
    const MessageButtonInfo& info = kMessageButtonTable[b];
    return resourceText(ctrlSkinData_, info.key, info.caption);
}

int TkvSkinMessage::ButtonHeight() const {
    if (!ctrlSkinData_ || ctrlSkinData_->Empty()) return kMsgDefaultButtonHeight;
    const int i = ctrlSkinData_->GetControlIndex(ButtonSkinDataName);
    const auto* d = ctrlSkinData_->ControlAs<TkvDataSkinButtonControl>(i);
    return d ? d->SkinRect.height() : kMsgDefaultButtonHeight;
}

std::unique_ptr<TkvMessageForm> TkvSkinMessage::CreateSkinMessageForm(std::u16string_view text, TkvMessageKind kind,
                                                                      TkvMessageButtons buttons, int left, int top) {
    auto form = std::make_unique<TkvMessageForm>(fw::Application::instance());
    TkvMessageForm& f = *form;
    f.setBorderStyle(fw::BorderStyle::Dialog);
    f.setKeyPreview(true);
    if (left >= -10000) f.setBounds(left, top, f.width(), f.height());
    f.setCaption(KindCaption(kind));

    f.SkinForm = &f.create<TkvKelvaneForm>();
    f.SkinForm->SetBorderIcons({false, false, false, false, false});
    f.SkinForm->SetAlphaBlend(AlphaBlend);
    f.SkinForm->AlphaBlendAnimation = AlphaBlendAnimation;
    f.SkinForm->SetAlphaBlendValue(AlphaBlendValue);

    TkvSkinStdLabel& label = f.create<TkvSkinStdLabel>();
    label.setName("Message");
    label.setParent(&f);
    label.setFont(DefaultFont);
    label.SetDefaultFont(DefaultFont);
    label.UseSkinFont = UseSkinFont;
    label.SkinDataName = MessageLabelSkinDataName;
    label.setAutoSize(true);
    label.setCaption(fw::toWide(text));
    label.setBounds(kMsgLabelLeft, kMsgLabelTop, label.width(), label.height());
    label.SetSkinData(ctrlSkinData_);
    f.MessageLabel = &label;

    const std::wstring checkCaption = [&] {
        std::wstring c = resourceText(ctrlSkinData_, "MSG_CAP_SHOWFLAG", kShowAgainCaption);
        return c.empty() ? fw::toWide(kShowAgainCaption) : c;
    }();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MessageLayoutInput in;
    in.labelWidth = label.width();
    in.labelHeight = label.height();
    in.buttons = buttons;
    in.buttonHeight = ButtonHeight();
    in.showAgain = ShowAgainFlag;
    in.checkCaptionWidth = ShowAgainFlag ? textWidth(DefaultFont, checkCaption) : 0;
    in.maxClientWidth = 0;
    f.layout_ = LayoutMessageBox(in);
    f.setClientWidth(f.layout_.clientWidth);
    f.setClientHeight(f.layout_.clientHeight);
    // The frame's range: never wider than the work area, never narrower than the frame allows.
    const int maxWidth = f.SkinForm->FrameMaxWidth(), minWidth = f.SkinForm->FrameMinWidth();
    if (maxWidth > 0 && f.width() > maxWidth) f.setWidth(maxWidth);
    else if (minWidth > f.width()) f.setWidth(minWidth);
    if (f.clientWidth() != f.layout_.clientWidth) {
        // The buttons are centred in the width the frame left.
        in.maxClientWidth = f.clientWidth();
        in.minClientWidth = f.clientWidth();
        f.layout_ = LayoutMessageBox(in);
    }
    const MessageLayout& l = f.layout_;

    if (LPCWSTR icon = kindIcon(kind)) {
        auto& image = f.create<MessageIcon>(LoadIconW(nullptr, icon));
        image.setName("Image");
        image.setParent(&f);
        image.setBounds(l.icon.left, l.icon.top, l.icon.width(), l.icon.height());
        f.hasIcon_ = true;
    }
    if (ShowAgainFlag) {
        auto& check = f.create<MessageCheckBox>();
        check.setName("checkbox");
        check.setParent(&f);
        check.setFont(DefaultFont);
        check.setCaption(checkCaption);
        check.setBounds(l.checkBox.left, l.checkBox.top, l.checkBox.width(), l.checkBox.height());
        SetWindowLongPtrW(check.handle(), GWLP_ID, kMessageCheckBoxId);
        SendMessageW(check.handle(), BM_SETCHECK, ShowAgainFlagValue ? BST_UNCHECKED : BST_CHECKED, 0);
        f.ShowAgainCheckBox = &check;
    }
    f.defaultButton_ = DefaultMessageButton(buttons);
    f.cancelButton_ = CancelMessageButton(buttons);
    for (const PlacedMessageButton& pb : l.buttons) {
        const MessageButtonInfo& info = kMessageButtonTable[pb.button];
        auto& b = f.create<TkvSkinButton>();
        b.setName(info.name);
        b.setParent(&f);
        b.SetCanFocused(true);
        b.setCaption(ButtonCaption(pb.button));
        b.ModalResult = info.modalResult;
        b.SetDefaultHeight(pb.bounds.height());
        b.setBounds(pb.bounds.left, pb.bounds.top, pb.bounds.width(), pb.bounds.height());
        b.SetDefaultFont(DefaultButtonFont);
        b.UseSkinFont = UseSkinFont;
        if (pb.button == mbHelp) {
            TkvMessageForm* owner = &f;
            b.onClick = [owner](fw::Component*) {
                // There is no help file to show the topic of; the button only reports the request to the owner.
                if (HWND w = GetWindow(owner->Handle(), GW_OWNER))
                    PostMessageW(w, WM_HELP, 0, static_cast<LPARAM>(owner->HelpContext));
            };
        }
        b.SetSkinDataName(ButtonSkinDataName);
        b.SetSkinData(ctrlSkinData_);
        SetWindowLongPtrW(b.handle(), GWLP_ID, kMessageButtonIdBase + pb.button);
        if (pb.button == f.defaultButton_) b.SetDefault(true);
        if (pb.button == f.cancelButton_) b.Cancel = true;
    }
    f.SkinForm->SetMenusSkinData(ctrlSkinData_);
    f.SkinForm->SetSkinData(skinData_);
    if (left < -10000)  // centred on the screen with its final (skinned) size
        f.setBounds((GetSystemMetrics(SM_CXSCREEN) - f.width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - f.height()) / 2,
                    f.width(), f.height());
    return form;
}

int TkvSkinMessage::ShowMessageBox(std::u16string_view text, TkvMessageKind kind, TkvMessageButtons buttons,
                                   int helpContext) {
    std::unique_ptr<TkvMessageForm> form = CreateSkinMessageForm(text, kind, buttons, -10001, -10001);
    form->HelpContext = helpContext;
    int result = mrCancel;
    try {
        result = form->ShowModal();
    } catch (...) {
        if (ShowAgainFlag && form->ShowAgainCheckBox) ShowAgainFlagValue = !form->CheckBoxChecked();
        throw;
    }
    if (ShowAgainFlag && form->ShowAgainCheckBox) ShowAgainFlagValue = !form->CheckBoxChecked();
    return result;
}

// ---- TkvMessageForm ------------------------------------------------------------------------------------------

TkvMessageForm::TkvMessageForm(fw::Component* owner) : fw::Form(owner) {
    onKeyDown = [this](fw::Component*, WPARAM& key, fw::ShiftState s) {
        if (key == 'C' && s.ctrl && !s.alt) {
            CopyToClipboard();
            key = 0;
        }
    };
}

void TkvMessageForm::createParams(CreateParams& p) {
    fw::Form::createParams(p);
    p.className = kMessageFormClass;
}

TkvSkinButton* TkvMessageForm::Button(TkvMessageButton b) const {
    return dynamic_cast<TkvSkinButton*>(findComponent(kMessageButtonTable[b].name));
}

bool TkvMessageForm::CheckBoxChecked() {
    return ShowAgainCheckBox && SendMessageW(ShowAgainCheckBox->handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring TkvMessageForm::CopyText() const {
    const std::wstring rule = L"---------------------------\r\n";
    std::wstring out = rule + caption() + L"\r\n" + rule + (MessageLabel ? MessageLabel->caption() : std::wstring()) +
                       L"\r\n" + rule;
    for (const PlacedMessageButton& pb : layout_.buttons) {
        std::wstring c = Button(pb.button) ? Button(pb.button)->caption() : std::wstring();
        c.erase(std::remove(c.begin(), c.end(), L'&'), c.end());
        out += c + L"   ";
    }
    return out + L"\r\n" + rule;
}

void TkvMessageForm::CopyToClipboard() {
    const std::wstring text = CopyText();
    if (!OpenClipboard(handle())) return;
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(mem)) {
            std::memcpy(p, text.c_str(), bytes);
            GlobalUnlock(mem);
            if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);  // the clipboard owns it once set
        } else {
            GlobalFree(mem);
        }
    }
    CloseClipboard();
}

void TkvMessageForm::wndProc(fw::Message& m) {
    if (m.msg == WM_COPY) {
        CopyToClipboard();
        m.result = 0;
        return;
    }
    fw::Form::wndProc(m);
}

int TkvMessageForm::ShowModal() {
    if (defaultButton_ >= 0)
        if (TkvSkinButton* b = Button(static_cast<TkvMessageButton>(defaultButton_))) setActiveControl(b);
    return showModal();
}
