// The message box component: builds a skinned dialog form for one call (its own skinned frame, the standard
// icon, the message in a standard label, skinned push buttons, optionally a "do not show again" check box), shows
// it modally and destroys it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "skin/dialogs/kvMessageTypes.h"
#include "skin/data/kvSkinDataLink.h"

class TkvSkinData;
class TkvKelvaneForm;
class TkvSkinStdLabel;
class TkvSkinButton;

// Window class of the dialog, for finding it.
inline constexpr wchar_t kMessageFormClass[] = L"TkvMessageForm";
// Control identifiers of the dialog's windows: each button is kMessageButtonIdBase + its TkvMessageButton.
inline constexpr int kMessageCheckBoxId = 12, kMessageButtonIdBase = 100;

class TkvMessageForm;

class TkvSkinMessage : public fw::Component {
public:
    explicit TkvSkinMessage(fw::Component* owner = nullptr);

    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* d);
    TkvSkinData* CtrlSkinData() const { return ctrlSkinData_; }
    void SetCtrlSkinData(TkvSkinData* d);
    std::string ButtonSkinDataName = "button";
    std::string MessageLabelSkinDataName = "stdlabel";
    fw::Font DefaultFont{L"Arial", 14};        // label and check box
    fw::Font DefaultButtonFont{L"Arial", 14};  // buttons
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    BYTE AlphaBlendValue = 200;
    bool ShowAgainFlag = false;
    bool ShowAgainFlagValue = false;
    // The application's title: the caption of the custom kind.
    std::wstring ApplicationTitle;

    // Builds, shows modally and destroys one dialog; returns the modal result of the button that closed it,
    // or mrCancel when it was closed without a button.
    int ShowMessageBox(std::u16string_view text, TkvMessageKind kind, TkvMessageButtons buttons, int helpContext);

    // Builds the dialog without showing it; a left below -10000 centres it on the screen.
    std::unique_ptr<TkvMessageForm> CreateSkinMessageForm(std::u16string_view text, TkvMessageKind kind,
                                                          TkvMessageButtons buttons, int left, int top);

    // The caption of a kind and of a button: the model's interface text for its key, or the built-in one.
    std::wstring KindCaption(TkvMessageKind kind) const;
    std::wstring ButtonCaption(TkvMessageButton b) const;
    // Button height: the button description's skin height, or 25.
    int ButtonHeight() const;

private:
    TkvSkinDataLink skinData_;
    TkvSkinDataLink ctrlSkinData_;
};

class TkvMessageForm : public fw::Form {
public:
    explicit TkvMessageForm(fw::Component* owner);

    TkvKelvaneForm* SkinForm = nullptr;
    TkvSkinStdLabel* MessageLabel = nullptr;
    fw::WindowedControl* ShowAgainCheckBox = nullptr;
    int HelpContext = 0;

    HWND Handle() { return handle(); }
    const MessageLayout& Layout() const { return layout_; }
    int DefaultButton() const { return defaultButton_; }
    int CancelButton() const { return cancelButton_; }
    TkvSkinButton* Button(TkvMessageButton b) const;
    bool HasIcon() const { return hasIcon_; }
    bool CheckBoxChecked();
    // The dialog's texts as the platform's message boxes copy them (Ctrl+C, or the copy message).
    std::wstring CopyText() const;

    // Shows the dialog modally with the default button focused; returns the modal result.
    int ShowModal();

protected:
    void createParams(CreateParams& p) override;
    void wndProc(fw::Message& m) override;

private:
    friend class TkvSkinMessage;
    void CopyToClipboard();

    MessageLayout layout_;
    int defaultButton_ = -1;
    int cancelButton_ = -1;
    bool hasIcon_ = false;
};
