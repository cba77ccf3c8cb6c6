// Message kinds, button sets, modal results and the plain layout of a message box. Portable, so that the
// rules (captions, default and cancel buttons, sizes) are tested natively.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/Geometry.h"

enum class TkvMessageKind : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// A 16-bit set: bit i stands for row i of kMessageButtonTable.
using TkvMessageButtons = std::uint16_t;

enum TkvMessageButton : int {
    mbYes = 0,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    kMessageButtonCount
};

constexpr TkvMessageButtons ButtonBit(TkvMessageButton b) { return static_cast<TkvMessageButtons>(1u << b); }

// Modal results.
inline constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                     mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

struct MessageButtonInfo {
    const char* name;  // component name
    int modalResult;
    std::u16string_view caption;  // built-in caption; '&' marks the accelerator
    const char* key;              // interface-text key
};
extern const MessageButtonInfo kMessageButtonTable[kMessageButtonCount];

struct MessageKindInfo {
    std::u16string_view caption;  // built-in caption (the custom kind uses the application's title instead)
    const char* key;              // interface-text key, nullptr for the custom kind
};
const MessageKindInfo& MessageKindInfoOf(TkvMessageKind kind);

inline constexpr std::u16string_view kShowAgainCaption = u"Do not display this message again";

// Layout constants of the message box.
inline constexpr int kMsgButtonWidth = 70, kMsgDefaultButtonHeight = 25, kMsgButtonGap = 10, kMsgLabelLeft = 50,
                     kMsgLabelTop = 15, kMsgIconLeft = 5, kMsgMinIconTop = 10, kMsgIconSize = 32, kMsgCheckHeight = 30;

// Default button: OK, else Yes, else Retry; -1 when none of them is in the set.
int DefaultMessageButton(TkvMessageButtons buttons);
// Cancel button: Cancel, else No, else OK; -1 when none of them is in the set.
int CancelMessageButton(TkvMessageButtons buttons);

struct MessageLayoutInput {
    int labelWidth = 0;  // the auto-sized message label
    int labelHeight = 0;
    TkvMessageButtons buttons = 0;
    int buttonHeight = kMsgDefaultButtonHeight;
    bool showAgain = false;
    int checkCaptionWidth = 0;  // measured caption of the check box (only with showAgain)
    int maxClientWidth = 0;     // 0: no limit; otherwise the widest the dialog may be
    int minClientWidth = 0;     // the narrowest the dialog may be (its frame's least width)
};

struct PlacedMessageButton {
    TkvMessageButton button;
    fw::Rect bounds;
};

struct MessageLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    fw::Rect label;
    fw::Rect icon;
    fw::Rect checkBox;                         // empty without the check box
    std::vector<PlacedMessageButton> buttons;  // table order, left to right
};

MessageLayout LayoutMessageBox(const MessageLayoutInput& in);
