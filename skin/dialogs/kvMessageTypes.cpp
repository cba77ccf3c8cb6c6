#include "skin/dialogs/kvMessageTypes.h"

#include <algorithm>

const MessageButtonInfo kMessageButtonTable[kMessageButtonCount] = {
    {"Yes", mrYes, u"&Yes", "MSG_BTN_YES"},
    {"No", mrNo, u"&No", "MSG_BTN_NO"},
    {"OK", mrOk, u"OK", "MSG_BTN_OK"},
    {"Cancel", mrCancel, u"Cancel", "MSG_BTN_CANCEL"},
    {"Abort", mrAbort, u"&Abort", "MSG_BTN_ABORT"},
    {"Retry", mrRetry, u"&Retry", "MSG_BTN_RETRY"},
    {"Ignore", mrIgnore, u"&Ignore", "MSG_BTN_IGNORE"},
    {"All", mrAll, u"&All", "MSG_BTN_ALL"},
    {"NoToAll", mrNoToAll, u"N&oToAll", "MSG_BTN_NOTOALL"},
    {"YesToAll", mrYesToAll, u"&YesToAll", "MSG_BTN_YESTOALL"},
    {"Help", mrNone, u"&Help", "MSG_BTN_HELP"},
};

const MessageKindInfo& MessageKindInfoOf(TkvMessageKind kind) {
    static const MessageKindInfo kinds[] = {
        {u"Warning", "MSG_CAP_WARNING"},
        {u"Error", "MSG_CAP_ERROR"},
        {u"Information", "MSG_CAP_INFORMATION"},
        {u"Confirm", "MSG_CAP_CONFIRM"},
        {u"", nullptr},
    };
    int i = static_cast<int>(kind);
    return kinds[(i >= 0 && i <= 4) ? i : 4];
}

namespace {
bool has(TkvMessageButtons set, TkvMessageButton b) { return (set & ButtonBit(b)) != 0; }
}  // namespace

int DefaultMessageButton(TkvMessageButtons buttons) {
    for (TkvMessageButton b : {mbOK, mbYes, mbRetry}) {
        if (has(buttons, b)) return b;
    }
    return -1;
}

int CancelMessageButton(TkvMessageButtons buttons) {
    for (TkvMessageButton b : {mbCancel, mbNo, mbOK}) {
        if (has(buttons, b)) return b;
    }
    return -1;
}

MessageLayout LayoutMessageBox(const MessageLayoutInput& in) {
    MessageLayout out;
    int count = 0;
    for (int b = 0; b < kMessageButtonCount; ++b) count += has(in.buttons, static_cast<TkvMessageButton>(b)) ? 1 : 0;
    const int rowWidth = count == 0 ? 0 : kMsgButtonWidth * count + kMsgButtonGap * (count - 1);

    out.label = fw::Rect{kMsgLabelLeft, kMsgLabelTop, kMsgLabelLeft + in.labelWidth, kMsgLabelTop + in.labelHeight};
    const int iconTop = std::max(kMsgMinIconTop, kMsgLabelTop + in.labelHeight / 2 - 16);
    out.icon = fw::Rect{kMsgIconLeft, iconTop, kMsgIconLeft + kMsgIconSize, iconTop + kMsgIconSize};

    out.clientHeight = in.buttonHeight + 50 + in.labelHeight;
    out.clientWidth = 40 + std::max(out.label.right, rowWidth);

    if (in.showAgain) {
        out.clientHeight += 40;
        const int top = out.clientHeight - in.buttonHeight - 50;
        out.clientWidth = std::max(out.clientWidth, in.checkCaptionWidth + 60);
        out.checkBox = fw::Rect{5, top, 5 + in.checkCaptionWidth + 55, top + kMsgCheckHeight};
    }
    if (in.maxClientWidth > 0 && out.clientWidth > in.maxClientWidth) out.clientWidth = in.maxClientWidth;
    else if (out.clientWidth < in.minClientWidth) out.clientWidth = in.minClientWidth;

    int x = (out.clientWidth - rowWidth) / 2;
    const int y = out.clientHeight - in.buttonHeight - 10;
    for (int b = 0; b < kMessageButtonCount; ++b) {
        if (!has(in.buttons, static_cast<TkvMessageButton>(b))) continue;
        out.buttons.push_back(
            {static_cast<TkvMessageButton>(b), fw::Rect{x, y, x + kMsgButtonWidth, y + in.buttonHeight}});
        x += kMsgButtonWidth + kMsgButtonGap;
    }
    return out;
}
