#include "skin/frame/KelvaneForm.h"

#include <typeinfo>

#include "framework/Application.h"
#include "skin/controls/SkinChangeWalk.h"
#include "skin/controls/SkinControlFit.h"
#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/PlatformRegion.h"
#include "skin/imaging/kveffects.h"
#include "skin/imaging/kvLayerWindow.h"

namespace {

int platformMajorVersion() {
    const DWORD v = GetVersion();
    return static_cast<int>(LOBYTE(LOWORD(v)));
}

fw::Form* requireForm(fw::Component* owner) {
    auto* f = dynamic_cast<fw::Form*>(owner);
    if (!f) throw std::bad_cast();
    return f;
}

RECT monitorArea(HWND h, bool whole) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    HMONITOR mon = MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST);
    if (mon && GetMonitorInfoW(mon, &mi)) return whole ? mi.rcMonitor : mi.rcWork;
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!whole) SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}
}  // namespace

TkvKelvaneForm::TkvKelvaneForm(fw::Component* owner) : fw::Component(owner), host_(requireForm(owner)) {
    host_->setBorderIcons({false, false, false, false});
    saved_ = host_->windowProc;
    host_->windowProc = [this](fw::Message& m) { FrameWndProc(m); };
    // Without a skin the caption fonts show at once.
    auto fontChanged = [this] {
        if (!loading() && !skinReady_ && SkinningOn && HasBorder()) SendNcPaint();
    };
    DefCaptionFont.onChange = fontChanged;
    DefInActiveCaptionFont.onChange = fontChanged;
    host_->onShortCut = [this](fw::Component*, WPARAM key, fw::ShiftState shift, bool& handled) {
        ShortCut(key, shift, handled);
    };
    menu_ = &create<TkvSkinMenu>(host_);
    BuildTrayMenu();
    host_->recreateWindow();
    if (host_->handleAllocated() && platformMajorVersion() <= 5 &&
        (host_->borderStyle() == fw::BorderStyle::Single || host_->borderStyle() == fw::BorderStyle::Sizeable)) {
        HWND h = host_->handle();
        SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) & ~static_cast<LONG>(WS_CAPTION));
    }
}

TkvKelvaneForm::~TkvKelvaneForm() {
    if (fw::Application* app = fw::Application::instance()) app->unhookMessages(this);
    objects_.clear();
    if (host_->handleAllocated()) {
        HWND h = host_->handle();
        KillTimer(h, TimerId(FrameTimer::Poll));
        KillTimer(h, TimerId(FrameTimer::Blend));
        KillTimer(h, TimerId(FrameTimer::Caption));
        KillTimer(h, TimerId(FrameTimer::Fade));
    }
    host_->windowProc = saved_;
    // The form takes its own frame back: no region, border recomputed by its own procedure.
    if (host_->handleAllocated()) {
        HWND h = host_->handle();
        if (frameRegion_) SetWindowRgn(h, nullptr, FALSE);
        SetWindowPos(h, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TkvKelvaneForm::notification(fw::Component* c, fw::Operation op) {
    fw::Component::notification(c, op);
    if (op != fw::Operation::Remove) return;
    if (c == skinHint_) skinHint_ = nullptr;
    if (c == trayIcon_) trayIcon_ = nullptr;
    const auto popups = objectPopups_;
    for (const auto& [name, p] : popups)
        if (c == p.menu) SetObjectPopup(name, nullptr);
    if (c == systemMenu_) systemMenu_ = nullptr;
}

void TkvKelvaneForm::SkinDataGone() {
    skinReady_ = false;
    clientBackground_ = {};
    objects_.clear();
}

void TkvKelvaneForm::SetSkinData(TkvSkinData* d) {
    skinData_.Set(d);
    clientBackground_ = {};
    if (d) SkinningOn = d->SkinnableForm();
    if (trayMenu_) trayMenu_->SetSkinData(d);  // the tray menu is drawn with the frame's skin
    if (!d || !d->Designing()) ChangeSkinData();
}

TkvLayerManager& TkvKelvaneForm::GlowLayer(bool popupButton) {
    auto& g = glow_[popupButton ? 1 : 0];
    if (!g) g = std::make_unique<TkvLayerManager>();
    // Above every window only when the form itself stays on top.
    g->TopMost = host_->handleAllocated() && (GetWindowLongPtrW(host_->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return *g;
}

void TkvKelvaneForm::HideGlowLayer(bool popupButton) {
    if (auto& g = glow_[popupButton ? 1 : 0]) g->Hide();
}

void TkvKelvaneForm::HideGlowLayers() {
    HideGlowLayer(false);
    HideGlowLayer(true);
}

void TkvKelvaneForm::SetSkinHint(TkvSkinHint* h) {
    if (skinHint_ && skinHint_ != h) removeFreeNotification(skinHint_);
    skinHint_ = h;
    if (h) freeNotification(h);
}

void TkvKelvaneForm::SetMenusSkinData(TkvSkinData* d) { menusSkinData_.Set(d); }

void TkvKelvaneForm::SetBorderIcons(const TkvBorderIcons& b) {
    borderIcons_ = b;
    if (loading()) return;
    ApplyBorderIcons();
    if (SkinningOn && HasBorder()) SendNcPaint();
}

void TkvKelvaneForm::SetShowIcon(bool v) {
    showIcon_ = v;
    if (loading()) return;
    if (SkinningOn && HasBorder()) SendNcPaint();
}

void TkvKelvaneForm::StartTimer(FrameTimer t, UINT ms) {
    if (!host_->handleAllocated()) return;
    SetTimer(host_->handle(), TimerId(t), ms, nullptr);
    if (t == FrameTimer::Poll) pollRunning_ = true;
}

void TkvKelvaneForm::StopTimer(FrameTimer t) {
    if (t == FrameTimer::Poll) pollRunning_ = false;
    if (host_->handleAllocated()) KillTimer(host_->handle(), TimerId(t));
}

void TkvKelvaneForm::UpdateInactivePanel(bool active) {
    if (active) {
        if (inactivePanel_) {
            ClientInactivePanel* p = inactivePanel_;
            inactivePanel_ = nullptr;
            host_->destroyComponent(p);
        }
        return;
    }
    if (inactivePanel_ || !host_->handleAllocated()) return;
    const fw::Rect client = host_->clientRect();
    ClientInactivePanel& p = host_->create<ClientInactivePanel>();
    p.Capture(host_->handle(), client.width(), client.height(), ClientInActiveEffectType);
    p.setBounds(0, 0, client.width(), client.height());
    p.setParent(host_);
    if (p.handleAllocated()) SetWindowPos(p.handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    inactivePanel_ = &p;
}

void TkvKelvaneForm::SetAlphaBlend(bool v) {
    alphaBlend_ = v;
    if (loading() || !host_->handleAllocated() || platformMajorVersion() < 5) return;
    HWND h = host_->handle();
    const LONG ex = GetWindowLongW(h, GWL_EXSTYLE);
    if (v) {
        SetWindowLongW(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(alphaBlendValue_), LWA_ALPHA);
    } else {
        SetWindowLongW(h, GWL_EXSTYLE, ex & ~static_cast<LONG>(WS_EX_LAYERED));
    }
}

void TkvKelvaneForm::SetAlphaBlendValue(int v) {
    alphaBlendValue_ = std::clamp(v, 0, 255);
    if (alphaBlend_ && host_->handleAllocated())
        SetLayeredWindowAttributes(host_->handle(), 0, static_cast<BYTE>(alphaBlendValue_), LWA_ALPHA);
}

bool TkvKelvaneForm::ToolWindow() const {
    return host_->borderStyle() == fw::BorderStyle::ToolWindow || host_->borderStyle() == fw::BorderStyle::SizeToolWin;
}

int TkvKelvaneForm::DefaultCaptionHeight() const { return DefaultFrameCaptionHeight(ToolWindow()); }
int TkvKelvaneForm::DefaultButtonSize() const { return DefaultFrameButtonSize(ToolWindow()); }

bool TkvKelvaneForm::IsFrameActive() const { return host_->active(); }

int TkvKelvaneForm::FrameMinWidth() const {
    return FrameMinWidthFor(skinReady_ ? skinData_.get() : nullptr, MinWidth,
                            FrameWindowState == TkvFrameWindowState::Minimized);
}

int TkvKelvaneForm::FrameMinHeight() const {
    return FrameMinHeightFor(skinReady_ ? skinData_.get() : nullptr, MinHeight, DefaultCaptionHeight(), RolledUp,
                             FrameWindowState == TkvFrameWindowState::Minimized);
}

int TkvKelvaneForm::FrameMaxWidth() const {
    RECT a = monitorArea(host_->handleAllocated() ? host_->handle() : nullptr, MaximizeOnFullScreen);
    return FrameMaxFor(a.right - a.left, MaxWidth);
}

int TkvKelvaneForm::FrameMaxHeight() const {
    RECT a = monitorArea(host_->handleAllocated() ? host_->handle() : nullptr, MaximizeOnFullScreen);
    return FrameMaxFor(a.bottom - a.top, MaxHeight);
}

int TkvKelvaneForm::CaptionCharset() const {
    if (skinData_ && skinData_->ResourceStrData()) return skinData_->ResourceStrData()->CharSet;
    return DefCaptionFont.charset();
}

int TkvKelvaneForm::CharsetForText(int charset, const std::wstring& text) {
    if (charset != DEFAULT_CHARSET) return charset;
    for (wchar_t ch : text)
        if (ch > 0xFF) return GB2312_CHARSET;
    return charset;
}

void TkvKelvaneForm::SendNcPaint() {
    if (host_->handleAllocated()) SendMessageW(host_->handle(), WM_NCPAINT, 1, 0);
}

void TkvKelvaneForm::RecomputeGeometry() {
    if (CurrentWidth == 0) CurrentWidth = host_->width();
    if (CurrentHeight == 0) CurrentHeight = host_->height();
    if (skinReady_) geometry_ = StretchFrameGeometry(*skinData_, CurrentWidth, CurrentHeight);
}

// ---- caption state ---------------------------------------------------------------------------------------

void TkvKelvaneForm::UpdateCaptionActive(bool animate) {
    const bool active = IsFrameActive();
    for (auto& o : objects_) {
        auto* c = dynamic_cast<TkvSkinCaptionObject*>(o.get());
        if (!c || c->Active == active) continue;
        c->Active = active;
        if (animate) {
            if (c->Animates()) {
                c->StartAnimation();
                StartAnimationTimer();
            }
            SendNcPaint();
            if (c->CanBlend()) StartBlendTimer();
        } else if (c->CanBlend()) {
            c->MorphLevel = active ? 1 : 0;
        }
        break;
    }
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

void TkvKelvaneForm::PaintObjectNow(TkvActiveSkinObject& o) {
    if (!host_->handleAllocated() || !o.Shown) return;
    fw::WindowDC dc(host_->handle(), fw::WindowDC::Area::WholeWindow);
    fw::Canvas canvas(dc.get());
    o.DrawObject(canvas, true);
}

// ---- geometry, region ----------------------------------------------------------------------------------------

void TkvKelvaneForm::ApplyRegion(fw::Region r) {
    if (host_->handleAllocated()) SetWindowRegionCopy(host_->handle(), r);
    frameRegion_ = std::move(r);
}

void TkvKelvaneForm::UpdateRegion(bool rebuild) {
    if (!SkinningOn || !HasBorder()) {
        if (frameRegion_) ApplyRegion(fw::Region());
        return;
    }
    const bool hasMask = skinReady_ && !skinData_->FrameMask.empty();
    if (!hasMask) {
        if (!skinReady_) maskTop_ = maskBottom_ = maskLeft_ = maskRight_ = fw::Bitmap();
        ApplyRegion(fw::Region(CreateRectRgn(0, 0, CurrentWidth, CurrentHeight)));
        return;
    }
    const TkvSkinData& s = *skinData_;
    const fw::ConstPixelView mask = s.FrameMask.view();
    if (!rebuild) {
        ApplyRegion(CreatePlatformRegion(MaskToRegion(mask, 0, 0)));
        return;
    }
    const SkinCorners src{s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.MaskRectArea};
    const TkvStretchedGeometry& g = geometry_;
    const SkinCorners dst{g.StretchedLeftTop, g.StretchedRightTop, g.StretchedLeftBottom, g.StretchedRightBottom,
                          g.StretchedMaskRect};
    BorderBands bands = ComposeBands(mask, mask.rect(), src, dst, CurrentWidth, CurrentHeight, SkinStretch{}, false,
                                     fw::makePixel(255, 255, 255));
    maskTop_ = std::move(bands.top);
    maskBottom_ = std::move(bands.bottom);
    maskLeft_ = std::move(bands.left);
    maskRight_ = std::move(bands.right);
    std::optional<MaskRegion> r = ComposeMaskRegion(mask, src, dst, CurrentWidth, CurrentHeight);
    if (r) ApplyRegion(CreatePlatformRegion(*r));
    else ApplyRegion(fw::Region(CreateRectRgn(0, 0, CurrentWidth, CurrentHeight)));
}

void TkvKelvaneForm::UpdateFrame(bool relayout) {
    if (!skinReady_) return;
    if (SkinningOn) RecomputeGeometry();
    if (SkinningOn && relayout) LayoutObjects();
    UpdateRegion(relayout);
    if (!frameRegion_ && SkinningOn && HasBorder()) SendNcPaint();
    if (skinData_->StretchEffect && host_->handleAllocated()) {
        host_->invalidate();
        for (fw::Control* c : host_->controls())
            if (fw::WindowedControl* w = c->asWindowed(); w && w->handleAllocated())
                SendMessageW(w->handle(), SKIN_MSG_PARENT_IMAGE_CHANGED, 0, 0);
    }
}

void TkvKelvaneForm::NudgeWidth() {
    const int w = host_->width();
    const int step = (w - 1 < FrameMinWidth()) ? 1 : -1;
    host_->setWidth(w + step);
    host_->setWidth(w);
}

// ---- skin change ---------------------------------------------------------------------------------------------

void TkvKelvaneForm::ChangeSkinData() {
    HotIndex = PrevHotIndex = PressedIndex = -1;
    clientBackground_ = {};
    skinReady_ = skinData_ && !skinData_->Empty();
    HideGlowLayers();
    if (skinReady_ && SkinningOn) {
        BuildObjects();
    } else {
        objects_.clear();
        CurrentWidth = host_->width();
        CurrentHeight = host_->height();
        UpdateRegion(true);
    }
    if (SkinningOn) host_->setBorderIcons({false, false, false, false});
    else host_->setBorderIcons({borderIcons_.biSystemMenu, borderIcons_.biMinimize, borderIcons_.biMaximize, false});

    const int minW = FrameMinWidth(), minH = FrameMinHeight();
    const bool narrow = host_->width() < minW, low = host_->height() < minH;
    if (narrow && low) host_->setBounds(host_->left(), host_->top(), minW, minH);
    else if (low) host_->setHeight(minH);
    else if (narrow) host_->setWidth(minW);
    else NudgeWidth();
    if (RolledUp || FrameWindowState == TkvFrameWindowState::Minimized) host_->setHeight(minH);
    if (FrameWindowState == TkvFrameWindowState::Minimized) host_->setWidth(minW);

    CurrentWidth = host_->width();
    CurrentHeight = host_->height();
    if (skinReady_) UpdateFrame(true);

    if (host_->handleAllocated())
        RedrawWindow(host_->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    UpdateCaptionActive(true);
    StartTimer(FrameTimer::Poll, 50);
    if (OnChangeSkinData) OnChangeSkinData(this);
    if (!RolledUp) {
        if (ClientWidth > 0) host_->setClientWidth(ClientWidth);
        if (ClientHeight > 0) host_->setClientHeight(ClientHeight);
    }
}

bool TkvKelvaneForm::OnSkinMessage(fw::Message& m) {
    const auto* sender = reinterpret_cast<const TkvSkinData*>(m.wParam);
    switch (m.msg) {
        case SKIN_MSG_BEFORE_CHANGE:
            // An open menu draws from the descriptions and pictures of its model, which are about to go: it
            // closes first, whichever model the frame itself is on.
            if (sender && menu_ && menu_->Showing && menu_->MenuSkin == sender) CloseFramePopups();
            if (sender != skinData_ || !skinData_) break;
            skinChanging_ = true;
            skinReady_ = false;
            clientBackground_ = {};
            StopTimer(FrameTimer::Poll);
            StopTimer(FrameTimer::Blend);
            StopTimer(FrameTimer::Caption);
            objects_.clear();
            HotIndex = PrevHotIndex = PressedIndex = -1;
            NotifySkinControls(*host_, sender, SkinChangeStage::Before);
            if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
            break;
        case SKIN_MSG_CHANGED:
            skinChanging_ = false;
            if (sender && sender == skinData_) ChangeSkinData();
            NotifySkinControls(*host_, sender, SkinChangeStage::Changed);
            break;
        case SKIN_MSG_AFTER_CHANGE:
            if (OnAfterChangeSkinData) OnAfterChangeSkinData(this);
            break;
        case SKIN_MSG_SKINNABLE_CHANGED:
            if (sender && sender == skinData_) {
                // A maximised form is restored for the switch, so that its bounds are those of the new frame.
                // Without skinning the platform maximised it (SetFrameWindowState hands the states over to it).
                const bool wasMaximized = SkinningOn ? FrameWindowState == TkvFrameWindowState::Maximized
                                                     : host_->handleAllocated() && IsZoomed(host_->handle());
                if (wasMaximized) SetFrameWindowState(TkvFrameWindowState::Normal);
                SkinningOn = skinData_->SkinnableForm();
                ChangeSkinData();
                NotifySkinControls(*host_, sender, SkinChangeStage::Changed);
                if (host_->handleAllocated())
                    SetWindowPos(host_->handle(), nullptr, 0, 0, 0, 0,
                                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                if (wasMaximized) SetFrameWindowState(TkvFrameWindowState::Maximized);
            }
            break;
        default: break;
    }
    m.result = 0;
    return true;
}

// ---- the window procedure ------------------------------------------------------------------------------------

bool TkvKelvaneForm::OnNcCreate(fw::Message& m) {
    // The form's size was made for the platform's border; remember the client size it meant.
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(m.lParam);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, static_cast<DWORD>(cs->style), FALSE, cs->dwExStyle);
    designedClient_ = {cs->cx - (r.right - r.left), cs->cy - (r.bottom - r.top)};
    CallSaved(m);
    return true;
}

bool TkvKelvaneForm::OnCreate(fw::Message& m) {
    CallSaved(m);
    OnWindowCreated();
    return true;
}

bool TkvKelvaneForm::OnNcCalcSize(fw::Message& m) {
    if (HasBorder()) {
        auto* r = reinterpret_cast<RECT*>(m.lParam);
        if (skinReady_) RecomputeGeometry();
        const fw::Rect c = FrameClientRect(fw::fromRECT(*r), skinReady_ ? skinData_.get() : nullptr,
                                           DefaultCaptionHeight());
        *r = fw::toRECT(c);
    }
    m.result = 0;
    return true;
}

bool TkvKelvaneForm::OnNcPaint(fw::Message& m) {
    if (HasBorder() && host_->handleAllocated()) {
        fw::WindowDC dc(host_->handle(), fw::WindowDC::Area::WholeWindow);
        PaintFrameTo(dc.get());
    }
    m.result = 0;
    return true;
}

bool TkvKelvaneForm::OnNcActivate(fw::Message& m) {
    CloseFramePopups();
    HideGlowLayers();
    FrameActive = m.wParam != 0;
    if (!FrameActive) TrackPointer(-1, -1, false);
    m.result = 1;
    if (HasBorder()) {
        SendNcPaint();
        UpdateCaptionActive(true);
    } else {
        UpdateCaptionActive(false);
    }
    if (host_->visible() && ClientInActiveEffect) UpdateInactivePanel(FrameActive);
    return true;
}

bool TkvKelvaneForm::OnActivateMessage(fw::Message& m) {
    CallSaved(m);
    if (SkinningOn) {
        // No object keeps a hot look from before; one still under the pointer lights up again at the next poll.
        ResetObjectStates();
        HotIndex = PrevHotIndex = -1;
        SendNcPaint();
        UpdateCaptionActive(true);
    }
    return true;
}

bool TkvKelvaneForm::OnGetMinMaxInfo(fw::Message& m) {
    auto* mm = reinterpret_cast<MINMAXINFO*>(m.lParam);
    mm->ptMinTrackSize = {FrameMinWidth(), FrameMinHeight()};
    mm->ptMaxTrackSize = {FrameMaxWidth(), FrameMaxHeight()};
    return false;  // the form's own constraints still apply
}

bool TkvKelvaneForm::OnDisplayChange(fw::Message& m) {
    CallSaved(m);
    if (HasBorder() && (FrameMaxWidth() < host_->width() || FrameMaxHeight() < host_->height())) NudgeWidth();
    return true;
}

bool TkvKelvaneForm::OnEraseBackground(fw::Message& m) {
    if (!inPaint_) PaintClientBackground(fw::DCView::fromWParam(m.wParam).get());
    m.result = 0;
    return true;
}

bool TkvKelvaneForm::OnSetText(fw::Message& m) {
    CallSaved(m);
    if (SkinningOn && HasBorder()) SendNcPaint();
    return true;
}

bool TkvKelvaneForm::OnSyncPaint(fw::Message& m) {
    if (!RolledUp) return false;
    SendNcPaint();
    m.result = 0;
    return true;
}

bool TkvKelvaneForm::OnTimerMessage(fw::Message& m) {
    if (m.wParam != TimerId(FrameTimer::Fade) && m.wParam != TimerId(FrameTimer::Poll) &&
        m.wParam != TimerId(FrameTimer::Blend) && m.wParam != TimerId(FrameTimer::Caption))
        return false;  // the form's own timers
    OnTimer(m);
    return true;
}

bool TkvKelvaneForm::OnSizingMessage(fw::Message& m) {
    if (!(InSizeMove && DragFullWindows)) return false;
    OnSizing(m);
    return true;
}

bool TkvKelvaneForm::OnDestroy(fw::Message&) {
    StopTimer(FrameTimer::Poll);
    StopTimer(FrameTimer::Blend);
    StopTimer(FrameTimer::Caption);
    return false;
}

bool TkvKelvaneForm::OnMenuClosedMessage(fw::Message& m) {
    MenuClosed();
    m.result = 0;
    return true;
}

bool TkvKelvaneForm::OnResStringsChanged(fw::Message& m) {
    RefreshObjectHints();
    m.result = 0;
    return true;
}

bool TkvKelvaneForm::OnFrameQuery(fw::Message& m) {
    m.result = (SkinningOn || platformMajorVersion() <= 5) ? 0x3235 : 0x3234;
    return true;
}

bool TkvKelvaneForm::OnFramePaintTo(fw::Message& m) {
    if (!(SkinningOn && m.wParam && HasBorder())) return false;
    PaintFrameTo(fw::DCView::fromWParam(m.wParam).get());
    m.result = 0x3233;
    return true;
}

bool TkvKelvaneForm::OnFramePaintAlt(fw::Message& m) {
    if (m.lParam != 0x41A2) return false;
    if (SkinningOn && m.wParam && HasBorder()) PaintFrameTo(fw::DCView::fromWParam(m.wParam).get());
    m.result = 0x41A2;
    return true;
}

void TkvKelvaneForm::OnWindowCreated() {
    if (!SkinningOn || !HasBorder() || designedClient_.width < 0) return;
    // Keep the designed client area under the skinned border.
    const fw::Rect c = FrameClientRect({0, 0, 10000, 10000}, skinReady_ ? skinData_.get() : nullptr,
                                       DefaultCaptionHeight());
    const int w = designedClient_.width + (10000 - c.width());
    const int h = designedClient_.height + (10000 - c.height());
    designedClient_ = {-1, -1};
    host_->setBounds(host_->left(), host_->top(), w, h);
    CurrentWidth = host_->width();
    CurrentHeight = host_->height();
    if (skinReady_) UpdateFrame(true);
    else UpdateRegion(true);
}

bool TkvKelvaneForm::OnSize(fw::Message& m) {
    if (InSizeMove && DragFullWindows) {
        // The geometry followed WM_SIZING already.
        CallSaved(m);
        if (!LogoBitMap.empty()) host_->invalidate();
        return true;
    }
    CallSaved(m);
    Snap.clear();
    CurrentWidth = host_->width();
    CurrentHeight = host_->height();
    if (SkinningOn && !skinReady_) {
        UpdateRegion(true);
        SendNcPaint();
    } else if (SkinningOn && skinReady_ && CurrentWidth >= FrameMinWidth() && CurrentHeight >= FrameMinHeight()) {
        UpdateFrame(true);
    }
    if (alphaBlend_ && alphaBlendValue_ != 255 && platformMajorVersion() >= 5) {
        SendNcPaint();
        host_->invalidate();
    }
    if (!LogoBitMap.empty()) host_->invalidate();
    return true;
}

bool TkvKelvaneForm::OnShowWindow(fw::Message& m) {
    if (m.wParam) {
        if (firstShowPending_) {
            firstShowPending_ = false;
            if (PositionInMonitor != TkvPositionInMonitor::kvpDefault &&
                FrameWindowState == TkvFrameWindowState::Normal) {
                RECT a = monitorArea(host_->handle(), PositionInMonitor == TkvPositionInMonitor::kvpScreenCenter);
                host_->setBounds(a.left + (a.right - a.left) / 2 - host_->width() / 2,
                                 a.top + (a.bottom - a.top) / 2 - host_->height() / 2, host_->width(), host_->height());
            }
        }
        if ((alphaBlend_ || AlphaBlendAnimation) && platformMajorVersion() >= 5) {
            HWND h = host_->handle();
            SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_LAYERED);
            SetLayeredWindowAttributes(h, 0, 0, LWA_ALPHA);
            SetTimer(h, TimerId(FrameTimer::Fade), 1, nullptr);
        }
        if (SkinningOn) NudgeWidth();
    } else if (SkinningOn) {
        HideGlowLayers();
    }
    if (!m.wParam && SkinningOn && alphaBlend_) {
        HWND h = host_->handle();
        SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_LAYERED));
    }
    CallSaved(m);
    return true;
}

void TkvKelvaneForm::OnFadeTimer() {
    HWND h = host_->handle();
    KillTimer(h, TimerId(FrameTimer::Fade));
    if (!(alphaBlend_ || AlphaBlendAnimation) || platformMajorVersion() < 5) return;
    const int target = (AlphaBlendAnimation && !alphaBlend_) ? 255 : alphaBlendValue_;
    if (AlphaBlendAnimation) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        int alpha = 0;
        DWORD last = GetTickCount();
        while (alpha < target) {
            if (GetTickCount() - last > 5) {
                alpha = std::min(alpha + 10, target);
                SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
                last = GetTickCount();
            }
        }
    } else if (target != 255) {
        SetLayeredWindowAttributes(h, 0, static_cast<BYTE>(target), LWA_ALPHA);
    }
    if (target == 255)
        SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_LAYERED));
}
