// The frame's side of the platform's input: the three stages of its window procedure around the message handling,
// the hit test, non-client mouse routing to the frame objects, the pointer poll, size/move loops, docking while
// moving, the window-menu key and the frame's shortcuts.
#include <windowsx.h>

#include "framework/Form.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinButtonObjects.h"

namespace {
fw::Point messagePoint(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Messages before which an open hint or skinned menu of the frame goes away.
bool closesPopups(UINT msg) {
    if (fw::isButtonPress(msg)) return true;
    switch (msg) {
        case WM_MOVE:
        case WM_SIZE:
        case WM_ACTIVATE:
        case WM_KILLFOCUS:
        case WM_CANCELMODE:
        case WM_MOUSEACTIVATE:
        case WM_PARENTNOTIFY: return true;
        default: return false;
    }
}
}  // namespace

void TkvKelvaneForm::PreStep(const fw::Message& m) {
    if (closesPopups(m.msg)) CloseFramePopups();
}

bool TkvKelvaneForm::AfterButtonUp(fw::Message& m) {
    const fw::MouseButton b = m.msg == WM_LBUTTONUP ? fw::MouseButton::Left : fw::MouseButton::Right;
    if (PressedIndex != -1 && host_->handleAllocated()) {
        // Where the button was let go decides whether the command runs, not where the last poll saw the pointer.
        POINT pt{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
        ClientToScreen(host_->handle(), &pt);
        const fw::Point p = ScreenToFrame({pt.x, pt.y});
        TrackPointer(p.x, p.y, true);
    }
    ObjectMouseUp(b, -1, -1);
    return true;
}

bool TkvKelvaneForm::OnNcMouse(fw::Message& m) {
    const fw::Point screen = messagePoint(m.lParam);
    const fw::Point p = ScreenToFrame(screen);
    const bool onCaption = m.wParam == HTCAPTION;
    switch (m.msg) {
        case WM_NCMOUSEMOVE: ObjectMouseMove(p.x, p.y); break;
        case WM_NCLBUTTONDOWN:
            inNcPress_ = false;
            if (loopInPress_ || InSizeMove) {
                // The press started a move or size loop of the platform, which has ended by now.
                loopInPress_ = false;
                InSizeMove = false;
                break;
            }
            TrackPointer(p.x, p.y, true);
            ObjectMouseDown(fw::MouseButton::Left, p.x, p.y);
            if (onCaption) PressedIndex = -1;
            break;
        case WM_NCLBUTTONUP: ObjectMouseUp(fw::MouseButton::Left, p.x, p.y); break;
        case WM_NCLBUTTONDBLCLK:
            TrackPointer(p.x, p.y, true);
            ObjectMouseDown(fw::MouseButton::Left, p.x, p.y);
            ObjectDblClick();
            if (onCaption) CaptionDoubleClick();
            break;
        case WM_NCRBUTTONDOWN:
            TrackPointer(p.x, p.y, true);
            ObjectMouseDown(fw::MouseButton::Right, p.x, p.y);
            if (onCaption) {
                PressedIndex = -1;
                if (!DisableSystemMenu) ShowSystemMenuAt(screen.x, screen.y);
            }
            break;
        case WM_NCRBUTTONUP: ObjectMouseUp(fw::MouseButton::Right, p.x, p.y); break;
        case WM_NCRBUTTONDBLCLK:
            TrackPointer(p.x, p.y, true);
            ObjectMouseDown(fw::MouseButton::Right, p.x, p.y);
            if (onCaption) PressedIndex = -1;
            break;
        default: break;
    }
    return true;
}

bool TkvKelvaneForm::OnNcHitTest(fw::Message& m) {
    const fw::Point p = ScreenToFrame(messagePoint(m.lParam));
    const int code = skinReady_ ? SkinnedHitTest(p) : DefaultHitTest(p);
    m.result = code;
    if (code == HTOBJECT && !pollRunning_) {
        TrackPointer(p.x, p.y, true);
        StartTimer(FrameTimer::Poll, 50);
    }
    return true;
}

bool TkvKelvaneForm::BeforeNcLeftPress(fw::Message&) {
    // The platform's default processing of this press may run a whole size/move loop; the post-step learns of
    // it through loopInPress_.
    inNcPress_ = true;
    loopInPress_ = false;
    return false;
}

bool TkvKelvaneForm::OnMouseMove(fw::Message& m) {
    // A held frame button follows the pointer at once (the form has the mouse captured).
    if (PressedIndex != -1 && host_->handleAllocated()) {
        POINT pt{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
        ClientToScreen(host_->handle(), &pt);
        HWND under = WindowFromPoint(pt);
        if (under == host_->handle()) {
            const fw::Point p = ScreenToFrame({pt.x, pt.y});
            TrackPointer(p.x, p.y, true);
        } else {
            TrackPointer(-1, -1, false);
        }
    }
    return false;
}

bool TkvKelvaneForm::OnCaptureChanged(fw::Message& m) {
    // Capture taken away (another window, a key): the held button lets go without running its command.
    if (PressedIndex != -1 && reinterpret_cast<HWND>(m.lParam) != host_->handle()) {
        TrackPointer(-1, -1, false);
        ObjectMouseUp(fw::MouseButton::Left, -1, -1);
    }
    return false;
}

bool TkvKelvaneForm::OnSetCursor(fw::Message& m) {
    if (UseFormCursorInNCArea) {
        const int code = LOWORD(m.lParam);
        if (code != HTCLIENT && (code < HTLEFT || code > HTBOTTOMRIGHT))
            m.lParam = MAKELPARAM(HTCLIENT, HIWORD(m.lParam));
    }
    return false;
}

bool TkvKelvaneForm::OnEnterSizeMove(fw::Message&) {
    POINT pt{};
    GetCursorPos(&pt);
    Snap.anchorX = pt.x;
    Snap.anchorY = pt.y;
    ResetObjectStates();
    StopTimer(FrameTimer::Poll);
    HotIndex = PressedIndex = -1;
    InSizeMove = true;
    BOOL full = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    DragFullWindows = full != FALSE;
    return false;
}

bool TkvKelvaneForm::OnExitSizeMove(fw::Message&) {
    // Cleared here rather than by the next press, so that a loop started from the keyboard leaves no stale state
    // behind; the press that started the loop learns of it through loopInPress_.
    InSizeMove = false;
    if (inNcPress_) loopInPress_ = true;
    StopTimer(FrameTimer::Poll);
    HotIndex = PrevHotIndex = PressedIndex = -1;
    if (skinReady_) SendNcPaint();
    return false;
}

bool TkvKelvaneForm::OnSysCommand(fw::Message& m) {
    if (m.wParam == SC_RESTORE) {
        if (OnRestore) OnRestore(this);
        return false;
    }
    if (m.wParam != SC_KEYMENU) return false;
    // Alt alone or Alt with a letter: the platform's window menu never opens; the system menu is the frame's own
    // (Alt+Space, through the shortcut handler). The release of Alt after Alt+Space comes here too: a menu that is
    // showing stays open with its keys, only its button lets go.
    if (menu_->Showing) ReleaseMenuButtons();
    else if (skinMenuOpen_) MenuClosed();
    m.result = 0;
    return true;
}

void TkvKelvaneForm::OnTimer(fw::Message& m) {
    m.result = 0;
    if (m.wParam == TimerId(FrameTimer::Fade)) OnFadeTimer();
    else if (m.wParam == TimerId(FrameTimer::Poll)) PollPointer();
    else if (m.wParam == TimerId(FrameTimer::Blend)) OnBlendTimer();
    else if (m.wParam == TimerId(FrameTimer::Caption)) OnAnimationTimer();
}

void TkvKelvaneForm::OnSizing(fw::Message& m) {
    Snap.clear();
    CallSaved(m);
    const auto* r = reinterpret_cast<const RECT*>(m.lParam);
    const int w = r->right - r->left, h = r->bottom - r->top;
    CurrentWidth = w;
    CurrentHeight = h;
    if (!skinData_ || (SkinningOn && skinData_->Empty())) {
        UpdateRegion(true);
    } else if (skinReady_ && SkinningOn && host_->width() >= FrameMinWidth() && host_->height() >= FrameMinHeight() &&
               (host_->width() != w || host_->height() != h)) {
        UpdateFrame(true);
    }
}

bool TkvKelvaneForm::OnMoving(fw::Message& m) {
    auto* r = reinterpret_cast<RECT*>(m.lParam);
    if (!r || !host_->handleAllocated()) return false;
    if (FrameWindowState == TkvFrameWindowState::Maximized) {
        GetWindowRect(host_->handle(), r);
        return false;
    }
    if (!Magnetic) return false;
    RECT wr{};
    GetWindowRect(host_->handle(), &wr);
    POINT cursor{};
    GetCursorPos(&cursor);
    const fw::Rect placed = MagneticMove(fw::fromRECT(*r), {wr.right - wr.left, wr.bottom - wr.top},
                                         fw::fromRECT(MonitorRect(false)), MagneticSize, {cursor.x, cursor.y}, Snap);
    *r = fw::toRECT(placed);
    return false;  // the platform moves the window to the rectangle
}

void TkvKelvaneForm::CaptionDoubleClick() {
    const bool maximized = FrameWindowState == TkvFrameWindowState::Maximized;
    if (CanSize() && FrameWindowState == TkvFrameWindowState::Minimized)
        SetFrameWindowState(TkvFrameWindowState::Normal);
    else if (CanSize() && !maximized && !RolledUp && borderIcons_.biMaximize)
        SetFrameWindowState(TkvFrameWindowState::Maximized);
    else if (CanSize() && maximized && !RolledUpWhileMaximized) SetFrameWindowState(TkvFrameWindowState::Normal);
    else SetRolledUp(!RolledUp);
    PressedIndex = -1;
}

void TkvKelvaneForm::ShortCut(WPARAM key, fw::ShiftState shift, bool& handled) {
    if (OnShortCut) OnShortCut(key, shift, handled);
    if (handled) return;
    if (key != VK_SPACE || !shift.alt || shift.ctrl || shift.shift) return;
    for (auto& o : objects_)
        if ((o->Kind() == FrameObjectKind::StdButton || o->Kind() == FrameObjectKind::Animate) &&
            o->Command() == cmsysmenu && o->Usable)
            ShowSystemMenuUnder(FrameToScreen(o->PlacedRect));
    handled = true;
}

void TkvKelvaneForm::PollPointer() {
    if (!IsFrameActive() || !host_->handleAllocated()) return;
    POINT pt{};
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) != host_->handle()) {
        StopTimer(FrameTimer::Poll);
        TrackPointer(-1, -1, false);
        return;
    }
    if (InSizeMove) {
        StopTimer(FrameTimer::Poll);
        return;
    }
    const fw::Point p = ScreenToFrame({pt.x, pt.y});
    const fw::Rect client = skinReady_ ? geometry_.StretchedClientRect
                                       : fw::Rect{3, DefaultCaptionHeight() + 3, CurrentWidth - 3, CurrentHeight - 3};
    if (!client.contains(p)) TrackPointer(p.x, p.y, true);
    else if (HotIndex != -1) TrackPointer(-1, -1, true);
}

bool TkvKelvaneForm::CanSize() const {
    const fw::BorderStyle b = host_->borderStyle();
    return AlwaysResize || b == fw::BorderStyle::Sizeable || b == fw::BorderStyle::SizeToolWin;
}

FrameHitState TkvKelvaneForm::HitState() const {
    FrameHitState s;
    s.width = host_->width();
    s.height = host_->height();
    s.rolledUp = RolledUp;
    s.minimized = FrameWindowState == TkvFrameWindowState::Minimized;
    s.maximized = FrameWindowState == TkvFrameWindowState::Maximized;
    s.canSize = CanSize();
    s.objectHot = HotIndex != -1;
    s.inSizeMove = InSizeMove;
    return s;
}

int TkvKelvaneForm::SkinnedHitTest(fw::Point p) const {
    const FrameHitState s = HitState();
    std::vector<fw::Rect> captions;
    for (const auto& o : objects_)
        if (o->Kind() == FrameObjectKind::Caption) captions.push_back(o->PlacedRect);
    const FrameMaskPieces pieces{&maskTop_, &maskBottom_, &maskLeft_, &maskRight_};
    const bool hasMask = !skinData_->FrameMask.empty();
    return ::SkinnedHitTest(p, geometry_, skinData_->BorderWidth, hasMask ? &pieces : nullptr, captions, s);
}

int TkvKelvaneForm::DefaultHitTest(fw::Point p) {
    const FrameHitState s = HitState();
    if (CurrentWidth == 0) CurrentWidth = host_->width();
    if (CurrentHeight == 0) CurrentHeight = host_->height();
    DefaultCaptionRect = DefaultCaptionRectFor(CurrentWidth, DefaultCaptionHeight());
    LayoutDefaultCaption();
    return ::DefaultHitTest(p, DefaultCaptionRect, DefaultCaptionHeight(), s);
}

fw::Point TkvKelvaneForm::ScreenToFrame(fw::Point screen) const {
    RECT wr{host_->left(), host_->top(), 0, 0};
    if (host_->handleAllocated()) GetWindowRect(host_->handle(), &wr);
    return {screen.x - wr.left, screen.y - wr.top};
}

fw::Rect TkvKelvaneForm::FrameToScreen(const fw::Rect& r) const {
    RECT wr{host_->left(), host_->top(), 0, 0};
    if (host_->handleAllocated()) GetWindowRect(host_->handle(), &wr);
    return r.offset(wr.left, wr.top);
}
