#include "framework/Form.h"

#include "framework/Application.h"
#include "framework/Dpi.h"

namespace fw {

namespace {
void collectTabOrder(WindowedControl* parent, std::vector<WindowedControl*>& out) {
    for (WindowedControl* c : parent->tabList()) {
        out.push_back(c);
        collectTabOrder(c, out);
    }
}

DWORD styleFor(BorderStyle b, const BorderIcons& icons, DWORD& exStyle) {
    DWORD style = WS_CLIPCHILDREN;
    exStyle = 0;
    switch (b) {
        case BorderStyle::None: style |= WS_POPUP; break;
        case BorderStyle::Single: style |= WS_OVERLAPPED | WS_CAPTION; break;
        case BorderStyle::Sizeable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
        case BorderStyle::Dialog:
            style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case BorderStyle::ToolWindow:
            style |= WS_OVERLAPPED | WS_CAPTION;
            exStyle |= WS_EX_TOOLWINDOW;
            break;
        case BorderStyle::SizeToolWin:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
            exStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (b != BorderStyle::None && icons.systemMenu) {
        style |= WS_SYSMENU;
        if (b == BorderStyle::Single || b == BorderStyle::Sizeable) {
            if (icons.minimize) style |= WS_MINIMIZEBOX;
            if (icons.maximize) style |= WS_MAXIMIZEBOX;
        }
        if (icons.help && b == BorderStyle::Dialog) exStyle |= WS_EX_CONTEXTHELP;
    }
    return style;
}

int screenDpi() {
    WindowDC dc(nullptr);
    return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

void scaleTree(WindowedControl* parent, int to, int from) {
    for (Control* c : parent->controls()) {
        c->setBounds(scaleForDpi(c->left(), to, from), scaleForDpi(c->top(), to, from),
                     scaleForDpi(c->width(), to, from), scaleForDpi(c->height(), to, from));
        if (!c->parentFont()) {
            c->font().setHeight(scaleForDpi(c->font().height(), to, from));
        }
        if (WindowedControl* w = c->asWindowed()) scaleTree(w, to, from);
    }
}
}  // namespace

Form::Form(Component* owner) : WindowedControl(owner) {
    setVisible(false);
    setParentFont(false);
    setColor(clBtnFace);
    if (Application* app = Application::instance()) app->addForm(this);
}

Form::~Form() {
    if (Application* app = Application::instance()) app->removeForm(this);
    // Components go while the form is whole: a component that replaced the window procedure puts it back.
    destroyComponents();
}

void Form::createParams(CreateParams& p) {
    WindowedControl::createParams(p);
    p.style = styleFor(borderStyle_, borderIcons_, p.exStyle);
    Application* app = Application::instance();
    if (app && app->mainForm() && app->mainForm() != this && app->mainForm()->handleAllocated())
        p.parent = app->mainForm()->handle();  // owned: stays above the main window
}

int Form::clientWidth() const { return clientRect().width(); }
int Form::clientHeight() const { return clientRect().height(); }

Size Form::nonClientSize() const {
    if (handleAllocated()) {
        Rect c = WindowedControl::clientRect();
        return {width() - c.width(), height() - c.height()};
    }
    DWORD ex = 0;
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, styleFor(borderStyle_, borderIcons_, ex), FALSE, ex);
    return {static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

Rect Form::clientRect() const {
    if (handleAllocated()) return WindowedControl::clientRect();
    Size nc = nonClientSize();
    return {0, 0, std::max(0, width() - nc.width), std::max(0, height() - nc.height)};
}

void Form::setClientWidth(int w) { setWidth(w + nonClientSize().width); }
void Form::setClientHeight(int h) { setHeight(h + nonClientSize().height); }

void Form::updateWindowBounds() {
    if (handleAllocated())
        SetWindowPos(handle(), nullptr, left(), top(), width(), height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::styleChanged() {
    if (!handleAllocated()) return;
    int cw = clientWidth(), ch = clientHeight();
    DWORD ex = 0;
    DWORD style = styleFor(borderStyle_, borderIcons_, ex);
    HWND h = handle();
    DWORD keep = GetWindowLongW(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(style | keep));
    SetWindowLongW(h, GWL_EXSTYLE, static_cast<LONG>(ex | (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED)));
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    setClientWidth(cw);
    setClientHeight(ch);
}

void Form::setBorderStyle(BorderStyle s) {
    if (s == borderStyle_) return;
    int cw = clientWidth(), ch = clientHeight();
    borderStyle_ = s;
    if (handleAllocated()) {
        styleChanged();
    } else if (width() > 0 && height() > 0) {  // keep the client area, not the window size
        setClientWidth(cw);
        setClientHeight(ch);
    }
}

void Form::setBorderIcons(BorderIcons b) {
    if (b == borderIcons_) return;
    borderIcons_ = b;
    styleChanged();
}

void Form::placeForFirstShow() {
    if (shownOnce_) return;
    shownOnce_ = true;
    if (position_ == FormPosition::Designed) return;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (position_ == FormPosition::DesktopCenter) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    setBounds(area.left + (area.right - area.left - width()) / 2, area.top + (area.bottom - area.top - height()) / 2,
              width(), height());
}

void Form::show() {
    setVisible(true);
    if (handleAllocated()) SetForegroundWindow(handle());
}

void Form::close() {
    if (modal_) {
        // The modal loop asks onCloseQuery / onClose before it ends.
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    bool canClose = true;
    if (onCloseQuery) onCloseQuery(this, canClose);
    if (!canClose) return;
    CloseAction action = CloseAction::Hide;
    if (onClose) onClose(this, action);
    if (action == CloseAction::None) return;
    if (action == CloseAction::Minimize) {
        ShowWindow(handle(), SW_MINIMIZE);
        return;
    }
    hide();
    Application* app = Application::instance();
    if (app && app->mainForm() == this) app->terminate();
}

ModalResult Form::showModal() {
    if (modal_ || visible()) return mrNone;  // a form is shown modally only from hidden, and once at a time
    modalResult_ = mrNone;
    modal_ = true;
    HWND previous = GetActiveWindow();
    std::vector<HWND> disabled;
    auto disable = [&](HWND h) {
        if (h && h != handle() && IsWindowEnabled(h)) {
            EnableWindow(h, FALSE);
            disabled.push_back(h);
        }
    };
    if (Application* app = Application::instance()) {
        for (Form* f : app->forms())
            if (f != this && f->handleAllocated() && f->visible()) disable(f->handle());
    } else {
        disable(previous);
    }
    show();
    while (true) {
        if (modalResult_ != mrNone) {
            bool canClose = true;
            if (onCloseQuery) onCloseQuery(this, canClose);
            CloseAction action = CloseAction::Hide;
            if (canClose && onClose) onClose(this, action);
            if (canClose && action != CloseAction::None) break;
            modalResult_ = mrNone;
        }
        MSG msg;
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see the quit too
            if (modalResult_ == mrNone) modalResult_ = mrCancel;
            break;
        }
        if (!preTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    for (HWND h : disabled) EnableWindow(h, TRUE);
    hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    modal_ = false;
    return modalResult_;
}

void Form::setActiveControl(WindowedControl* c) {
    if (c && active_) {
        c->setFocus();
    } else {
        activeControl_ = c;
    }
}

namespace {
void broadcastFocusChanged(WindowedControl* parent, WindowedControl* focused) {
    for (WindowedControl* w : parent->tabList()) {
        w->perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused));
        broadcastFocusChanged(w, focused);
    }
}
}  // namespace

bool Form::dialogChar(WindowedControl* target, wchar_t ch, bool alt) {
    if (!alt && target->wantsChars()) return false;
    std::vector<WindowedControl*> order;
    collectTabOrder(this, order);
    for (WindowedControl* c : order)
        if (c->dialogChar(ch)) return true;
    return false;
}

void Form::controlFocused(WindowedControl* c) {
    if (c == activeControl_) return;
    WindowedControl* old = activeControl_;
    activeControl_ = c;
    if (old) old->doExit();
    c->doEnter();
    broadcastFocusChanged(this, c);
}

void Form::selectNext(WindowedControl* from, bool forward) {
    std::vector<WindowedControl*> order;
    collectTabOrder(this, order);
    if (order.empty()) return;
    const int n = static_cast<int>(order.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (order[i] == from) start = i;
    if (start < 0) start = forward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (forward ? step : -step)) % n + n) % n;
        WindowedControl* c = order[i];
        if (c->tabStop() && c->canFocus()) {
            if (c != from) c->setFocus();
            return;
        }
    }
}

bool Form::dialogNavigation(WindowedControl* target, WPARAM& key) {
    ShiftState s = shiftState();
    if (key == VK_TAB && !s.ctrl && !s.alt && !target->wantsKey(key)) {
        selectNext(target == this ? activeControl_ : target, !s.shift);
        return true;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && !target->wantsKey(key)) {
        if (target != this && target->dialogKey(key, true)) return true;
        std::vector<WindowedControl*> order;
        collectTabOrder(this, order);
        for (WindowedControl* c : order)
            if (c != target && c->canFocus() && c->dialogKey(key, false)) return true;
    }
    return false;
}

void Form::loaded() {
    WindowedControl::loaded();
    int dpi = screenDpi();
    if (dpi > 0 && pixelsPerInch_ > 0 && dpi != pixelsPerInch_) {
        int cw = clientWidth(), ch = clientHeight();
        scaleTree(this, dpi, pixelsPerInch_);
        font().setHeight(scaleForDpi(font().height(), dpi, pixelsPerInch_));
        setClientWidth(scaleForDpi(cw, dpi, pixelsPerInch_));
        setClientHeight(scaleForDpi(ch, dpi, pixelsPerInch_));
        pixelsPerInch_ = dpi;
    }
}

void Form::wndProc(Message& m) {
    switch (m.msg) {
        case WM_CLOSE:
            close();
            m.result = 0;
            return;
        case WM_ACTIVATE:
            active_ = LOWORD(m.wParam) != WA_INACTIVE;
            if (active_) {
                if (onActivate) onActivate(this);
                WindowedControl* target = activeControl_;
                if (!target || !target->canFocus()) {
                    activeControl_ = nullptr;
                    selectNext(nullptr, true);
                    target = activeControl_;
                }
                if (target && !HIWORD(m.wParam)) {
                    target->setFocus();
                    m.result = 0;
                    return;
                }
            } else if (onDeactivate) {
                onDeactivate(this);
            }
            break;
        case WM_SHOWWINDOW:
            if (m.wParam) {
                if (onShow) onShow(this);
            } else if (onHide) {
                onHide(this);
            }
            break;
        case CM_VISIBLECHANGED:
            if (visible()) {
                handle();
                placeForFirstShow();
                ShowWindow(handle(), SW_SHOW);
            } else if (handleAllocated()) {
                ShowWindow(handle(), SW_HIDE);
            }
            return;
        default: break;
    }
    WindowedControl::wndProc(m);
}

}  // namespace fw
