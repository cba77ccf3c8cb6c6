// The message box component: builds a dialog for one call, shows it modally and destroys it. Drawn with the
// platform's plain controls until the skinned look takes over.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/Handles.h"
#include "skin/dialogs/kvMessageTypes.h"

// Window class of the dialog, for finding it.
inline constexpr wchar_t kMessageFormClass[] = L"TkvMessageForm";
// Control identifiers inside the dialog: each button is kMessageButtonIdBase + its TkvMessageButton.
inline constexpr int kMessageLabelId = 10, kMessageIconId = 11, kMessageCheckBoxId = 12, kMessageButtonIdBase = 100;

class TkvMessageForm;

class TkvSkinMessage : public fw::Component {
public:
    explicit TkvSkinMessage(fw::Component* owner = nullptr) : fw::Component(owner) {}

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
};

class TkvMessageForm {
public:
    ~TkvMessageForm();
    TkvMessageForm(const TkvMessageForm&) = delete;
    TkvMessageForm& operator=(const TkvMessageForm&) = delete;

    HWND Handle() const { return window_.get(); }
    const MessageLayout& Layout() const { return layout_; }
    int DefaultButton() const { return defaultButton_; }
    int CancelButton() const { return cancelButton_; }
    bool CheckBoxChecked() const;
    int HelpContext = 0;

    // Shows the dialog modally over the active window; returns the modal result.
    int ShowModal();

private:
    friend class TkvSkinMessage;
    TkvMessageForm() = default;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool HandleKey(const MSG& msg);
    void PressButton(int button);

    fw::Window window_;
    fw::Font labelFont_;
    fw::Font buttonFont_;
    MessageLayout layout_;
    int defaultButton_ = -1;
    int cancelButton_ = -1;
    int modalResult_ = mrNone;
    bool closed_ = false;
};
