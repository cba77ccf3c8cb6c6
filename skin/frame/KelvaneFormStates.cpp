// The window states the frame keeps itself (normal, minimised, maximised), the roll-up to the caption and the tray
// commands.
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/frame/KelvaneForm.h"

bool TkvKelvaneForm::IsMainForm() const {
    const fw::Application* app = fw::Application::instance();
    return app && app->mainForm() == host_;
}

bool TkvKelvaneForm::CommandMeansRestore(TkvStdCommand c) const {
    switch (c) {
        case cmmaximize: return FrameWindowState == TkvFrameWindowState::Maximized;
        case cmminimize: return FrameWindowState == TkvFrameWindowState::Minimized;
        case cmrollup: return RolledUp;
        default: return false;
    }
}

RECT TkvKelvaneForm::MonitorRect(bool whole) const {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    HMONITOR mon = MonitorFromWindow(host_->handleAllocated() ? host_->handle() : nullptr, MONITOR_DEFAULTTONEAREST);
    if (mon && GetMonitorInfoW(mon, &mi)) return whole ? mi.rcMonitor : mi.rcWork;
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!whole) SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

namespace {
// The frame component on a form, if it has one.
const TkvKelvaneForm* frameOf(const fw::Form& f) {
    for (fw::Component* c : f.components())
        if (auto* k = dynamic_cast<const TkvKelvaneForm*>(c)) return k;
    return nullptr;
}
}  // namespace

void TkvKelvaneForm::SetFrameWindowState(TkvFrameWindowState state) {
    if (!SkinningOn) {
        if (host_->handleAllocated())
            ShowWindow(host_->handle(), state == TkvFrameWindowState::Minimized   ? SW_MINIMIZE
                                        : state == TkvFrameWindowState::Maximized ? SW_MAXIMIZE
                                                                                  : SW_RESTORE);
        return;
    }
    if (state == FrameWindowState) return;
    const TkvFrameWindowState old = FrameWindowState;
    const bool mainForm = IsMainForm();
    if (!(state == TkvFrameWindowState::Minimized && mainForm)) FrameWindowState = state;
    const fw::Rect bounds = host_->boundsRect();

    switch (state) {
        case TkvFrameWindowState::Minimized: {
            if (mainForm) {
                // The main form stands for the application: the application is minimised, the frame's state stays.
                if (host_->handleAllocated()) ShowWindow(host_->handle(), SW_MINIMIZE);
            } else {
                if (RestoreBounds.empty()) RestoreBounds = bounds;
                const int w = FrameMinWidth(), h = FrameMinHeight();
                const fw::Rect area = fw::fromRECT(MonitorRect(false));
                const fw::Application* app = fw::Application::instance();
                const fw::Point slot = ParkingSlot(area, w, h, [&](int x, int y) {
                    if (!app) return false;
                    for (const fw::Form* f : app->forms()) {
                        if (f == host_ || f == app->mainForm() || !f->visible()) continue;
                        const TkvKelvaneForm* k = frameOf(*f);
                        if (k && k->FrameWindowState == TkvFrameWindowState::Minimized && f->left() == x &&
                            f->top() == y)
                            return true;
                    }
                    return false;
                });
                host_->setBounds(slot.x, slot.y, w, h);
            }
            if (OnMinimize) OnMinimize(this);
            break;
        }
        case TkvFrameWindowState::Maximized: {
            rolledUpBeforeMax_ = RolledUp;
            if (RestoreBounds.empty()) RestoreBounds = bounds;
            const RECT monitor = MonitorRect(true), work = MonitorRect(false);
            RECT target = MaximizeOnFullScreen ? monitor : work;
            const bool workIsWhole = (work.right - work.left) == (monitor.right - monitor.left) &&
                                     (work.bottom - work.top) == (monitor.bottom - monitor.top);
            const bool primary = monitor.left == 0 && monitor.top == 0 &&
                                 monitor.right == GetSystemMetrics(SM_CXSCREEN) &&
                                 monitor.bottom == GetSystemMetrics(SM_CYSCREEN);
            // One pixel left free on every side, so that a taskbar that hides itself can still be reached.
            if (workIsWhole && primary) InflateRect(&target, -1, -1);
            host_->setBounds(target.left, target.top, target.right - target.left, target.bottom - target.top);
            if (OnMaximize) OnMaximize(this);
            break;
        }
        case TkvFrameWindowState::Normal: {
            if (old == TkvFrameWindowState::Maximized && RolledUp && !rolledUpBeforeMax_) {
                RolledUpWhileMaximized = true;  // lets the unroll through
                SetRolledUp(false);
            }
            rolledUpBeforeMax_ = false;
            RolledUpWhileMaximized = false;
            if (firstShowPending_) {
                firstShowPending_ = false;
                int x = RestoreBounds.left, y = RestoreBounds.top;
                if (PositionInMonitor != TkvPositionInMonitor::kvpDefault) {
                    const RECT a = MonitorRect(PositionInMonitor == TkvPositionInMonitor::kvpScreenCenter);
                    x = a.left + (a.right - a.left) / 2 - RestoreBounds.width() / 2;
                    y = a.top + (a.bottom - a.top) / 2 - RestoreBounds.height() / 2;
                }
                host_->setBounds(x, y, RestoreBounds.width(), RestoreBounds.height());
            } else if (!RestoreBounds.empty()) {
                host_->setBounds(RestoreBounds.left, RestoreBounds.top, RestoreBounds.width(), RestoreBounds.height());
            }
            StartTimer(FrameTimer::Poll, 50);
            if (host_->width() == bounds.width() && host_->height() == bounds.height()) NudgeWidth();
            if (host_->handleAllocated())
                RedrawWindow(host_->handle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            RestoreBounds = {};
            if (OnRestore) OnRestore(this);
            break;
        }
    }
    if (SkinningOn && HasBorder()) SendNcPaint();
}

void TkvKelvaneForm::SetRolledUp(bool value) {
    if (!borderIcons_.biRollUp || FrameWindowState == TkvFrameWindowState::Minimized) return;
    if (FrameWindowState == TkvFrameWindowState::Maximized && RolledUp && !RolledUpWhileMaximized) return;
    if (value == RolledUp) return;  // a second roll-up would take the rolled-up height for the form's own
    if (FrameWindowState == TkvFrameWindowState::Maximized) RolledUpWhileMaximized = value;
    RolledUp = value;
    if (value) {
        HeightBeforeRollUp = host_->height();
        host_->setHeight(FrameMinHeight());
    } else if (ClientHeight != 0) {
        host_->setClientHeight(ClientHeight);
    } else {
        host_->setHeight(HeightBeforeRollUp);
    }
    if (SkinningOn && HasBorder()) SendNcPaint();
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TkvKelvaneForm::SetTrayIcon(TkvTrayIcon* icon) {
    if (trayIcon_ && trayIcon_ != icon) removeFreeNotification(trayIcon_);
    trayIcon_ = icon;
    if (!icon) return;
    freeNotification(icon);
    icon->SetVisible(AlwaysShowInTray);
    icon->MinimizeToTray = false;
    if (!icon->PopupMenu()) icon->SetPopupMenu(trayMenu_);
    if (!icon->OnDblClick) icon->OnDblClick = [this](fw::Component*) { BackFromTray(); };
}

// Without a tray icon there is nothing to minimise into or come back from.
void TkvKelvaneForm::SendToTray() {
    if (!trayIcon_) return;
    trayIcon_->MinimizeToTray = true;
    trayIcon_->SetVisible(true);
    CloseFramePopups();
    TrackPointer(-1, -1, false);
    if (host_->handleAllocated()) ShowWindow(host_->handle(), SW_HIDE);  // off the screen and the task bar
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TkvKelvaneForm::BackFromTray() {
    if (!trayIcon_) return;
    trayIcon_->MinimizeToTray = false;
    if (host_->handleAllocated()) {
        ShowWindow(host_->handle(), SW_SHOW);
        SetForegroundWindow(host_->handle());
    }
    if (!AlwaysShowInTray) trayIcon_->SetVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}
