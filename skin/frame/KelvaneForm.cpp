#include "skin/frame/KelvaneForm.h"

#include <typeinfo>

#include "skin/controls/SkinChangeWalk.h"
#include "skin/controls/SkinControlFit.h"
#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/PlatformRegion.h"
#include "skin/imaging/kveffects.h"

namespace {
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT_PTR kPollTimer = 0x4B50, kBlendTimer = 0x4B51, kCaptionTimer = kCaptionAnimationTimer;

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
        if (!loading() && !skinReady_ && SkinningOn && hasBorder()) sendNcPaint();
    };
    DefCaptionFont.onChange = fontChanged;
    DefInActiveCaptionFont.onChange = fontChanged;
    host_->recreateWindow();
    if (host_->handleAllocated() && platformMajorVersion() <= 5 &&
        (host_->borderStyle() == fw::BorderStyle::Single || host_->borderStyle() == fw::BorderStyle::Sizeable)) {
        HWND h = host_->handle();
        SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) & ~static_cast<LONG>(WS_CAPTION));
    }
}

TkvKelvaneForm::~TkvKelvaneForm() {
    objects_.clear();
    if (host_->handleAllocated()) {
        HWND h = host_->handle();
        KillTimer(h, kPollTimer);
        KillTimer(h, kBlendTimer);
        KillTimer(h, kCaptionTimer);
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
    if (c == skinData_) {
        skinData_ = nullptr;
        skinReady_ = false;
        objects_.clear();
    }
    if (c == menusSkinData_) menusSkinData_ = nullptr;
}

void TkvKelvaneForm::SetSkinData(TkvSkinData* d) {
    if (skinData_ && skinData_ != d) removeFreeNotification(skinData_);
    skinData_ = d;
    if (d) {
        freeNotification(d);
        SkinningOn = d->SkinnableForm();
    }
    if (!d || !d->Designing()) ChangeSkinData();
}

void TkvKelvaneForm::SetMenusSkinData(TkvSkinData* d) {
    if (menusSkinData_ && menusSkinData_ != d) removeFreeNotification(menusSkinData_);
    menusSkinData_ = d;
    if (d) freeNotification(d);
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

bool TkvKelvaneForm::toolWindow() const {
    return host_->borderStyle() == fw::BorderStyle::ToolWindow || host_->borderStyle() == fw::BorderStyle::SizeToolWin;
}

int TkvKelvaneForm::DefaultCaptionHeight() const { return DefaultFrameCaptionHeight(toolWindow()); }
int TkvKelvaneForm::DefaultButtonSize() const { return DefaultFrameButtonSize(toolWindow()); }

bool TkvKelvaneForm::IsFrameActive() const { return host_->active(); }

int TkvKelvaneForm::FrameMinWidth() const {
    return FrameMinWidthFor(skinReady_ ? skinData_ : nullptr, MinWidth,
                            FrameWindowState == TkvFrameWindowState::Minimized);
}

int TkvKelvaneForm::FrameMinHeight() const {
    return FrameMinHeightFor(skinReady_ ? skinData_ : nullptr, MinHeight, DefaultCaptionHeight(), RolledUp,
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

void TkvKelvaneForm::sendNcPaint() {
    if (host_->handleAllocated()) SendMessageW(host_->handle(), WM_NCPAINT, 1, 0);
}

void TkvKelvaneForm::recomputeGeometry() {
    if (CurrentWidth == 0) CurrentWidth = host_->width();
    if (CurrentHeight == 0) CurrentHeight = host_->height();
    if (skinReady_) geometry_ = StretchFrameGeometry(*skinData_, CurrentWidth, CurrentHeight);
}

// ---- objects -----------------------------------------------------------------------------------------------

void TkvKelvaneForm::BuildObjects() {
    objects_.clear();
    for (const auto& d : skinData_->ObjectDescriptions()) {
        // Only the caption is built here; buttons and the other object kinds come with the frame's interaction.
        if (auto* c = dynamic_cast<const TkvDataSkinCaption*>(d.get()))
            objects_.push_back(std::make_unique<TkvSkinCaptionObject>(*this, *c));
    }
}

void TkvKelvaneForm::LayoutObjects() {
    if (!skinReady_) return;
    std::vector<FrameLayoutItem> items;
    items.reserve(objects_.size());
    for (const auto& o : objects_) {
        FrameLayoutItem i;
        i.kind = o->Kind();
        i.command = o->Command();
        i.normalRect = o->NormalRect;
        i.normalInHotPicture = o->NormalInHotPicture;
        i.shown = o->Shown;
        items.push_back(i);
    }
    fw::Size icon{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    if (icon.width == 0) icon.width = GetSystemMetrics(SM_CXSIZE);
    if (icon.height == 0) icon.height = GetSystemMetrics(SM_CYSIZE);
    LayoutFrameObjects(items, *skinData_, geometry_, icon);
    for (std::size_t k = 0; k < objects_.size(); ++k) objects_[k]->PlacedRect = items[k].placed;
}

void TkvKelvaneForm::UpdateCaptionActive(bool animate) {
    const bool active = IsFrameActive();
    for (auto& o : objects_) {
        auto* c = dynamic_cast<TkvSkinCaptionObject*>(o.get());
        if (!c || c->Active == active) continue;
        c->Active = active;
        if (animate) {
            if (c->Animates()) {
                c->StartAnimation();
                if (host_->handleAllocated()) SetTimer(host_->handle(), kCaptionTimer, 25, nullptr);
            }
            sendNcPaint();
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

void TkvKelvaneForm::applyRegion(fw::Region r) {
    if (host_->handleAllocated()) SetWindowRegionCopy(host_->handle(), r);
    frameRegion_ = std::move(r);
}

void TkvKelvaneForm::UpdateRegion(bool rebuild) {
    if (!SkinningOn || !hasBorder()) {
        if (frameRegion_) applyRegion(fw::Region());
        return;
    }
    const bool hasMask = skinReady_ && !skinData_->FrameMask.empty();
    if (!hasMask) {
        if (!skinReady_) maskTop_ = maskBottom_ = maskLeft_ = maskRight_ = fw::Bitmap();
        applyRegion(fw::Region(CreateRectRgn(0, 0, CurrentWidth, CurrentHeight)));
        return;
    }
    const TkvSkinData& s = *skinData_;
    const fw::ConstPixelView mask = s.FrameMask.view();
    if (!rebuild) {
        applyRegion(CreatePlatformRegion(MaskToRegion(mask, 0, 0)));
        return;
    }
    const SkinCorners src{s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.MaskRectArea};
    const TkvStretchedGeometry& g = geometry_;
    const SkinCorners dst{g.StretchedLeftTop, g.StretchedRightTop, g.StretchedLeftBottom, g.StretchedRightBottom,
                          g.StretchedMaskRect};
    BorderBands bands = composeBands(mask, mask.rect(), src, dst, CurrentWidth, CurrentHeight, SkinStretch{},
                                         false, fw::makePixel(255, 255, 255));
    maskTop_ = std::move(bands.top);
    maskBottom_ = std::move(bands.bottom);
    maskLeft_ = std::move(bands.left);
    maskRight_ = std::move(bands.right);
    std::optional<MaskRegion> r = ComposeMaskRegion(mask, src, dst, CurrentWidth, CurrentHeight);
    if (r) applyRegion(CreatePlatformRegion(*r));
    else applyRegion(fw::Region(CreateRectRgn(0, 0, CurrentWidth, CurrentHeight)));
}

void TkvKelvaneForm::UpdateFrame(bool relayout) {
    if (!skinReady_) return;
    if (SkinningOn) recomputeGeometry();
    if (SkinningOn && relayout) LayoutObjects();
    UpdateRegion(relayout);
    if (!frameRegion_ && SkinningOn && hasBorder()) sendNcPaint();
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
    skinReady_ = skinData_ && !skinData_->Empty();
    if (skinReady_ && SkinningOn) {
        BuildObjects();
    } else {
        objects_.clear();
        CurrentWidth = host_->width();
        CurrentHeight = host_->height();
        UpdateRegion(true);
    }
    if (SkinningOn) host_->setBorderIcons({false, false, false, false});
    else host_->setBorderIcons({BorderIcons.biSystemMenu, BorderIcons.biMinimize, BorderIcons.biMaximize, false});

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
    if (OnChangeSkinData) OnChangeSkinData(this);
    if (!RolledUp) {
        if (ClientWidth > 0) host_->setClientWidth(ClientWidth);
        if (ClientHeight > 0) host_->setClientHeight(ClientHeight);
    }
}

void TkvKelvaneForm::OnSkinMessage(fw::Message& m) {
    const auto* sender = reinterpret_cast<const TkvSkinData*>(m.wParam);
    switch (m.msg) {
        case SKIN_MSG_BEFORE_CHANGE:
            if (sender != skinData_ || !skinData_) break;
            skinChanging_ = true;
            skinReady_ = false;
            if (host_->handleAllocated()) {
                KillTimer(host_->handle(), kPollTimer);
                KillTimer(host_->handle(), kBlendTimer);
                KillTimer(host_->handle(), kCaptionTimer);
            }
            objects_.clear();
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
                SkinningOn = skinData_->SkinnableForm();
                ChangeSkinData();
                NotifySkinControls(*host_, sender, SkinChangeStage::Changed);
                if (host_->handleAllocated())
                    SetWindowPos(host_->handle(), nullptr, 0, 0, 0, 0,
                                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            }
            break;
        default:
            break;
    }
    m.result = 0;
}

// ---- the window procedure ------------------------------------------------------------------------------------

void TkvKelvaneForm::FrameWndProc(fw::Message& m) {
    // Pre-step: hints and skinned menus of the frame close here once they exist.
    switch (m.msg) {
        case WM_NCCREATE: {
            // The form's size was made for the platform's border; remember the client size it meant.
            const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(m.lParam);
            RECT r{0, 0, 0, 0};
            AdjustWindowRectEx(&r, static_cast<DWORD>(cs->style), FALSE, cs->dwExStyle);
            designedClient_ = {cs->cx - (r.right - r.left), cs->cy - (r.bottom - r.top)};
            callSaved(m);
            return;
        }
        case WM_CREATE:
            callSaved(m);
            OnWindowCreated();
            return;
        case WM_NCCALCSIZE:
            if (!SkinningOn) break;
            if (hasBorder()) {
                auto* r = reinterpret_cast<RECT*>(m.lParam);
                if (skinReady_) recomputeGeometry();
                const fw::Rect c = FrameClientRect(fw::fromRECT(*r), skinReady_ ? skinData_ : nullptr,
                                                   DefaultCaptionHeight());
                *r = fw::toRECT(c);
            }
            m.result = 0;
            return;
        case WM_NCPAINT:
            if (!SkinningOn) break;
            if (hasBorder() && host_->handleAllocated()) {
                fw::WindowDC dc(host_->handle(), fw::WindowDC::Area::WholeWindow);
                PaintFrameTo(dc.get());
            }
            m.result = 0;
            return;
        case WM_NCACTIVATE:
            if (!SkinningOn) break;
            FrameActive = m.wParam != 0;
            m.result = 1;
            if (hasBorder()) {
                sendNcPaint();
                UpdateCaptionActive(true);
            } else {
                UpdateCaptionActive(false);
            }
            return;
        case WM_ACTIVATE:
            callSaved(m);
            if (SkinningOn) {
                sendNcPaint();
                UpdateCaptionActive(true);
            }
            return;
        case WM_SIZE:
            OnSize(m);
            return;
        case WM_GETMINMAXINFO:
            if (SkinningOn) {
                auto* mm = reinterpret_cast<MINMAXINFO*>(m.lParam);
                mm->ptMinTrackSize = {FrameMinWidth(), FrameMinHeight()};
                mm->ptMaxTrackSize = {FrameMaxWidth(), FrameMaxHeight()};
            }
            break;
        case WM_DISPLAYCHANGE:
            callSaved(m);
            if (hasBorder() && (FrameMaxWidth() < host_->width() || FrameMaxHeight() < host_->height())) NudgeWidth();
            return;
        case WM_ERASEBKGND:
            if (!inPaint_) PaintClientBackground(fw::DCView::fromWParam(m.wParam).get());
            m.result = 0;
            return;
        case WM_PAINT:
            OnPaint(m);
            return;
        case WM_SETTEXT:
            callSaved(m);
            if (SkinningOn && hasBorder()) sendNcPaint();
            return;
        case WM_SHOWWINDOW:
            OnShowWindow(m);
            return;
        case WM_SYNCPAINT:
            if (SkinningOn && RolledUp) {
                sendNcPaint();
                m.result = 0;
                return;
            }
            break;
        case WM_TIMER:
            if (m.wParam == kFadeTimer) {
                OnFadeTimer();
                return;
            }
            if (m.wParam == kCaptionTimer) {
                bool running = false;
                for (auto& o : objects_)
                    if (auto* c = dynamic_cast<TkvSkinCaptionObject*>(o.get()); c && c->Animates())
                        running = c->AnimationTick() || running;
                if (!running) KillTimer(host_->handle(), kCaptionTimer);
                m.result = 0;
                return;
            }
            break;
        case WM_DESTROY:
            KillTimer(host_->handle(), kPollTimer);
            KillTimer(host_->handle(), kBlendTimer);
            KillTimer(host_->handle(), kCaptionTimer);
            break;
        case SKIN_MSG_BEFORE_CHANGE:
        case SKIN_MSG_CHANGED:
        case SKIN_MSG_AFTER_CHANGE:
        case SKIN_MSG_SKINNABLE_CHANGED:
            OnSkinMessage(m);
            return;
        case KV_MSG_FRAME_QUERY:
            m.result = (SkinningOn || platformMajorVersion() <= 5) ? 0x3235 : 0x3234;
            return;
        case KV_MSG_FRAME_PAINT_TO:
            if (SkinningOn && m.wParam && hasBorder()) {
                PaintFrameTo(fw::DCView::fromWParam(m.wParam).get());
                m.result = 0x3233;
                return;
            }
            break;
        case KV_MSG_FRAME_PAINT_ALT:
            if (m.lParam == 0x41A2) {
                if (SkinningOn && m.wParam && hasBorder()) PaintFrameTo(fw::DCView::fromWParam(m.wParam).get());
                m.result = 0x41A2;
                return;
            }
            break;
        default:
            break;
    }
    callSaved(m);
    // Post-step: non-client mouse handling joins here with the frame's interaction.
}

void TkvKelvaneForm::OnWindowCreated() {
    if (!SkinningOn || !hasBorder() || designedClient_.width < 0) return;
    // Keep the designed client area under the skinned border.
    const fw::Rect c = FrameClientRect({0, 0, 10000, 10000}, skinReady_ ? skinData_ : nullptr, DefaultCaptionHeight());
    const int w = designedClient_.width + (10000 - c.width());
    const int h = designedClient_.height + (10000 - c.height());
    designedClient_ = {-1, -1};
    host_->setBounds(host_->left(), host_->top(), w, h);
    CurrentWidth = host_->width();
    CurrentHeight = host_->height();
    if (skinReady_) UpdateFrame(true);
    else UpdateRegion(true);
}

void TkvKelvaneForm::OnSize(fw::Message& m) {
    callSaved(m);
    CurrentWidth = host_->width();
    CurrentHeight = host_->height();
    if (SkinningOn && !skinReady_) {
        UpdateRegion(true);
        sendNcPaint();
    } else if (SkinningOn && skinReady_ && CurrentWidth >= FrameMinWidth() && CurrentHeight >= FrameMinHeight()) {
        UpdateFrame(true);
    }
    if (alphaBlend_ && alphaBlendValue_ != 255 && platformMajorVersion() >= 5) {
        sendNcPaint();
        host_->invalidate();
    }
}

void TkvKelvaneForm::OnShowWindow(fw::Message& m) {
    if (m.wParam) {
        if (firstShowPending_) {
            firstShowPending_ = false;
            if (PositionInMonitor != TkvPositionInMonitor::kvpDefault &&
                FrameWindowState == TkvFrameWindowState::Normal) {
                RECT a = monitorArea(host_->handle(), PositionInMonitor == TkvPositionInMonitor::kvpScreenCenter);
                host_->setBounds(a.left + (a.right - a.left) / 2 - host_->width() / 2,
                                 a.top + (a.bottom - a.top) / 2 - host_->height() / 2, host_->width(),
                                 host_->height());
            }
        }
        if ((alphaBlend_ || AlphaBlendAnimation) && platformMajorVersion() >= 5) {
            HWND h = host_->handle();
            SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_LAYERED);
            SetLayeredWindowAttributes(h, 0, 0, LWA_ALPHA);
            SetTimer(h, kFadeTimer, 1, nullptr);
        }
        if (SkinningOn) NudgeWidth();
    } else if (SkinningOn && alphaBlend_) {
        HWND h = host_->handle();
        SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_LAYERED));
    }
    callSaved(m);
}

void TkvKelvaneForm::OnFadeTimer() {
    HWND h = host_->handle();
    KillTimer(h, kFadeTimer);
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
    if (target == 255) SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_LAYERED));
}
