// The frame's window procedure in one place: every message of the host form goes through three stages, and each
// stage is one table from message to handler, so that what happens to any message can be read here.
//
//   1. Pre-step (every message, before anything else): presses, activation, moving, sizing and losing the focus
//      close the frame's hint and skinned menus (closesPopups in KelvaneFormInput.cpp).
//   2. The message's own handling (kOwnRoutes): the handler returns true when it handled the message in full
//      (then the form's saved procedure is not called), false when the saved procedure follows.
//   3. Post-step (kAfterRoutes), after the form's own processing: button releases and the non-client mouse reach
//      the frame objects.
//
// A route marked "skinning" runs only while the frame handles the non-client area (SkinningOn); otherwise the
// message goes to the saved procedure alone.
#include <algorithm>
#include <iterator>

#include "skin/frame/KelvaneForm.h"

struct TkvKelvaneForm::MessageRoute {
    UINT msg;
    MessageHandler handle;
    bool skinningOnly;
};

namespace {
constexpr bool kSkinning = true, kAlways = false;
}  // namespace

const TkvKelvaneForm::MessageRoute* TkvKelvaneForm::FindRoute(const MessageRoute* first, const MessageRoute* last,
                                                              UINT msg) const {
    const MessageRoute* r = std::find_if(first, last, [msg](const MessageRoute& e) { return e.msg == msg; });
    if (r == last || (r->skinningOnly && !SkinningOn)) return nullptr;
    return r;
}

void TkvKelvaneForm::FrameWndProc(fw::Message& m) {
    // Stage 2: the message's own handling.
    static const MessageRoute kOwnRoutes[] = {
        // Creation, geometry and painting of the frame.
        {WM_NCCREATE, &TkvKelvaneForm::OnNcCreate, kAlways},
        {WM_CREATE, &TkvKelvaneForm::OnCreate, kAlways},
        {WM_NCCALCSIZE, &TkvKelvaneForm::OnNcCalcSize, kSkinning},
        {WM_NCPAINT, &TkvKelvaneForm::OnNcPaint, kSkinning},
        {WM_ERASEBKGND, &TkvKelvaneForm::OnEraseBackground, kAlways},
        {WM_PAINT, &TkvKelvaneForm::OnPaint, kAlways},
        {WM_SYNCPAINT, &TkvKelvaneForm::OnSyncPaint, kSkinning},
        {WM_SETTEXT, &TkvKelvaneForm::OnSetText, kAlways},
        // Activation, size, showing.
        {WM_NCACTIVATE, &TkvKelvaneForm::OnNcActivate, kSkinning},
        {WM_ACTIVATE, &TkvKelvaneForm::OnActivateMessage, kAlways},
        {WM_SIZE, &TkvKelvaneForm::OnSize, kAlways},
        {WM_SIZING, &TkvKelvaneForm::OnSizingMessage, kAlways},
        {WM_GETMINMAXINFO, &TkvKelvaneForm::OnGetMinMaxInfo, kSkinning},
        {WM_DISPLAYCHANGE, &TkvKelvaneForm::OnDisplayChange, kAlways},
        {WM_SHOWWINDOW, &TkvKelvaneForm::OnShowWindow, kAlways},
        {WM_TIMER, &TkvKelvaneForm::OnTimerMessage, kAlways},
        {WM_DESTROY, &TkvKelvaneForm::OnDestroy, kAlways},
        // The pointer, the non-client mouse and the platform's size/move loop.
        {WM_NCHITTEST, &TkvKelvaneForm::OnNcHitTest, kSkinning},
        {WM_NCLBUTTONDOWN, &TkvKelvaneForm::BeforeNcLeftPress, kSkinning},
        {WM_MOUSEMOVE, &TkvKelvaneForm::OnMouseMove, kSkinning},
        {WM_CAPTURECHANGED, &TkvKelvaneForm::OnCaptureChanged, kSkinning},
        {WM_SETCURSOR, &TkvKelvaneForm::OnSetCursor, kSkinning},
        {WM_ENTERSIZEMOVE, &TkvKelvaneForm::OnEnterSizeMove, kSkinning},
        {WM_EXITSIZEMOVE, &TkvKelvaneForm::OnExitSizeMove, kSkinning},
        {WM_MOVING, &TkvKelvaneForm::OnMoving, kSkinning},
        {WM_SYSCOMMAND, &TkvKelvaneForm::OnSysCommand, kSkinning},
        // The skin model's and the menus' private messages, and the frame's look for other parties.
        {SKIN_MSG_BEFORE_CHANGE, &TkvKelvaneForm::OnSkinMessage, kAlways},
        {SKIN_MSG_CHANGED, &TkvKelvaneForm::OnSkinMessage, kAlways},
        {SKIN_MSG_AFTER_CHANGE, &TkvKelvaneForm::OnSkinMessage, kAlways},
        {SKIN_MSG_SKINNABLE_CHANGED, &TkvKelvaneForm::OnSkinMessage, kAlways},
        {SKIN_MSG_RESSTRINGS_CHANGED, &TkvKelvaneForm::OnResStringsChanged, kAlways},
        {SKIN_MSG_MENU_CLOSED, &TkvKelvaneForm::OnMenuClosedMessage, kAlways},
        {KV_MSG_FRAME_QUERY, &TkvKelvaneForm::OnFrameQuery, kAlways},
        {KV_MSG_FRAME_PAINT_TO, &TkvKelvaneForm::OnFramePaintTo, kAlways},
        {KV_MSG_FRAME_PAINT_ALT, &TkvKelvaneForm::OnFramePaintAlt, kAlways},
    };
    // Stage 3: after the form's own processing.
    static const MessageRoute kAfterRoutes[] = {
        {WM_LBUTTONUP, &TkvKelvaneForm::AfterButtonUp, kAlways},
        {WM_RBUTTONUP, &TkvKelvaneForm::AfterButtonUp, kAlways},
        {WM_NCMOUSEMOVE, &TkvKelvaneForm::OnNcMouse, kSkinning},
        {WM_NCLBUTTONDOWN, &TkvKelvaneForm::OnNcMouse, kSkinning},
        {WM_NCLBUTTONUP, &TkvKelvaneForm::OnNcMouse, kSkinning},
        {WM_NCLBUTTONDBLCLK, &TkvKelvaneForm::OnNcMouse, kSkinning},
        {WM_NCRBUTTONDOWN, &TkvKelvaneForm::OnNcMouse, kSkinning},
        {WM_NCRBUTTONUP, &TkvKelvaneForm::OnNcMouse, kSkinning},
        {WM_NCRBUTTONDBLCLK, &TkvKelvaneForm::OnNcMouse, kSkinning},
    };

    PreStep(m);
    const MessageRoute* own = FindRoute(std::begin(kOwnRoutes), std::end(kOwnRoutes), m.msg);
    if (!own || !(this->*own->handle)(m)) CallSaved(m);
    if (const MessageRoute* after = FindRoute(std::begin(kAfterRoutes), std::end(kAfterRoutes), m.msg))
        (this->*after->handle)(m);
}
