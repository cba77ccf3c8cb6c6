#include "framework/WindowedControl.h"

#include <set>

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"

namespace fw {

LRESULT CALLBACK windowProcEntry(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {
constexpr wchar_t kWindowClass[] = L"KvWindow";
constexpr wchar_t kControlProp[] = L"KvControl";

// Our windows may carry a class name of their own (so that other programs and tests can tell them apart); every
// such class has the same window procedure. Registered on first use.
void registerWindowClass(const std::wstring& name) {
    static std::set<std::wstring> registered;
    if (registered.count(name)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProcEntry;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The program's icon (resource 1), which the task bar and the window switcher show; none in tests.
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszClassName = name.c_str();
    if (RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) registered.insert(name);
}

bool isMouseMessage(UINT msg) {
    switch (msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: return true;
        default: return false;
    }
}
}  // namespace

// The one entry point of every window we create or subclass.
LRESULT CALLBACK windowProcEntry(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* c = static_cast<WindowedControl*>(cs->lpCreateParams)) {
            SetPropW(hwnd, kControlProp, c);
            c->window_ = Window(hwnd);
        }
    }
    auto* c = static_cast<WindowedControl*>(GetPropW(hwnd, kControlProp));
    if (!c) return DefWindowProcW(hwnd, msg, wParam, lParam);
    Message m{msg, wParam, lParam, 0};
    try {
        c->windowProc(m);
    } catch (const std::exception& e) {
        showException(e);
    }
    if (msg == WM_NCDESTROY) {
        // The platform destroyed the window (with its parent): forget it without destroying it again.
        RemovePropW(hwnd, kControlProp);
        if (c->window_.get() == hwnd) c->window_.release();
        c->platformProc_ = nullptr;
        c->tracking_ = false;
    }
    return m.result;
}

WindowedControl::WindowedControl(Component* owner) : Control(owner) {}

WindowedControl::~WindowedControl() {
    destroyComponents();
    if (Form* f = parentForm(); f && f != static_cast<Control*>(this) && f->activeControl_ == this)
        f->activeControl_ = nullptr;
    for (Control* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    tabList_.clear();
    if (HWND h = window_.get()) {
        windowDestroying();
        RemovePropW(h, kControlProp);
        if (platformProc_) SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProc_));
        platformProc_ = nullptr;
        window_.reset();
    }
}

WindowedControl* WindowedControl::fromHandle(HWND hwnd) {
    return hwnd ? static_cast<WindowedControl*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

HWND WindowedControl::handle() {
    if (!window_) createWindow();
    return window_.get();
}

void WindowedControl::createParams(CreateParams& p) {
    p.className = kWindowClass;
    p.x = left();
    p.y = top();
    p.width = width();
    p.height = height();
}

void WindowedControl::createWindow() {
    keptValid_ = false;
    if (parent() && !parent()->handleAllocated()) {
        parent()->handle();  // creates this window too, with the parent's children
        if (window_) return;
    }
    CreateParams p;
    createParams(p);
    if (!p.platformClass) registerWindowClass(p.className);
    if (parent()) {
        p.parent = parent()->window_.get();
        p.style |= WS_CHILD;
        if (visible()) p.style |= WS_VISIBLE;
    }
    if (!enabled()) p.style |= WS_DISABLED;
    HWND h = CreateWindowExW(p.exStyle, p.className.c_str(), caption_.c_str(), p.style, p.x, p.y, p.width, p.height,
                             p.parent, nullptr, GetModuleHandleW(nullptr), p.platformClass ? nullptr : this);
    if (!h) throw std::runtime_error("Error creating window");
    if (!window_) window_ = Window(h);
    if (p.platformClass) {
        SetPropW(h, kControlProp, this);
        platformProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProcEntry)));
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font().handle()), FALSE);
    }
    windowCreated();
    for (Control* c : controls_)
        if (WindowedControl* w = c->asWindowed(); w && !w->window_) w->createWindow();
}

void WindowedControl::recreateWindow() {
    if (!window_) return;
    bool hadFocus = focused();
    // Children keep their state in their objects; their windows go with ours and come back with it.
    std::vector<WindowedControl*> stack{this};
    while (!stack.empty()) {
        WindowedControl* w = stack.back();
        stack.pop_back();
        if (w->window_) w->windowDestroying();
        for (Control* c : w->controls_)
            if (WindowedControl* cw = c->asWindowed()) stack.push_back(cw);
    }
    HWND h = window_.get();
    RemovePropW(h, kControlProp);
    if (platformProc_) SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platformProc_));
    platformProc_ = nullptr;
    window_.reset();
    createWindow();
    if (Form* f = dynamic_cast<Form*>(this); f && f->visible()) ShowWindow(window_.get(), SW_SHOW);
    if (hadFocus) setFocus();
}

void WindowedControl::insertControl(Control* c) {
    controls_.push_back(c);
    keptValid_ = false;
    if (WindowedControl* w = c->asWindowed()) {
        tabList_.push_back(w);
        if (window_ && !w->window_) w->createWindow();
        else if (window_ && w->window_) SetParent(w->window_.get(), window_.get());
    } else {
        c->invalidate();
    }
    if (c->align() != Align::None) alignControls();
}

void WindowedControl::removeControl(Control* c) {
    if (hotChild_ == c) hotChild_ = nullptr;
    if (capturedChild_ == c) {
        capturedChild_ = nullptr;
        if (window_ && GetCapture() == window_.get()) ReleaseCapture();
    }
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    keptValid_ = false;
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
    if (!c->asWindowed()) c->invalidate();
    if (c->align() != Align::None) alignControls();
}

int WindowedControl::tabOrder() const {
    if (!parent()) return -1;
    const auto& list = parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void WindowedControl::setTabOrder(int order) {
    if (!parent()) return;
    auto& list = parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

bool WindowedControl::canFocus() const {
    if (!showing()) return false;
    for (const Control* c = this; c; c = c->parent())
        if (!c->enabled()) return false;
    return true;
}

bool WindowedControl::focused() const { return window_ && GetFocus() == window_.get(); }

void WindowedControl::setFocus() {
    if (HWND h = handle()) SetFocus(h);
}

void WindowedControl::loaded() {
    Control::loaded();
    alignControls();
}

Rect WindowedControl::clientRect() const {
    if (window_) {
        RECT r{};
        GetClientRect(window_.get(), &r);
        return fromRECT(r);
    }
    return Control::clientRect();
}

void WindowedControl::alignControls() {
    // While a description is read, positions are still the designed ones: aligning then would stack the
    // children by half-read positions. loaded() aligns once everything is read.
    if (inAlign_ || loading()) return;
    inAlign_ = true;
    Rect r = alignRect();
    for (Align kind : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        std::vector<Control*> list;
        for (Control* c : controls_)
            if (c->align() == kind && c->visible()) list.push_back(c);
        // Controls of one side stack in the order of their position, outermost first.
        std::stable_sort(list.begin(), list.end(), [kind](Control* a, Control* b) {
            switch (kind) {
                case Align::Top: return a->top() < b->top();
                case Align::Bottom: return a->top() + a->height() > b->top() + b->height();
                case Align::Left: return a->left() < b->left();
                case Align::Right: return a->left() + a->width() > b->left() + b->width();
                default: return false;
            }
        });
        for (Control* c : list) {
            switch (kind) {
                case Align::Top:
                    c->setBounds(r.left, r.top, r.width(), c->height());
                    r.top += c->height();
                    break;
                case Align::Bottom:
                    c->setBounds(r.left, r.bottom - c->height(), r.width(), c->height());
                    r.bottom -= c->height();
                    break;
                case Align::Left:
                    c->setBounds(r.left, r.top, c->width(), r.height());
                    r.left += c->width();
                    break;
                case Align::Right:
                    c->setBounds(r.right - c->width(), r.top, c->width(), r.height());
                    r.right -= c->width();
                    break;
                case Align::Client: c->setBounds(r.left, r.top, r.width(), r.height()); break;
                case Align::None: break;
            }
        }
    }
    inAlign_ = false;
}

void WindowedControl::startTimer(UINT_PTR id, UINT milliseconds) { SetTimer(handle(), id, milliseconds, nullptr); }

void WindowedControl::stopTimer(UINT_PTR id) {
    if (window_) KillTimer(window_.get(), id);
}

void WindowedControl::invalidate() {
    keptValid_ = false;
    if (window_) InvalidateRect(window_.get(), nullptr, TRUE);
}

void WindowedControl::setText(std::wstring t) {
    if (t == text()) return;
    caption_ = std::move(t);
    if (window_) SetWindowTextW(window_.get(), caption_.c_str());
    perform(CM_TEXTCHANGED);
}

std::wstring WindowedControl::text() const {
    if (window_ && platformProc_) {
        int n = GetWindowTextLengthW(window_.get());
        std::wstring s(static_cast<size_t>(n) + 1, L'\0');
        s.resize(static_cast<size_t>(GetWindowTextW(window_.get(), s.data(), n + 1)));
        return s;
    }
    return caption_;
}

void WindowedControl::updateWindowBounds() {
    if (window_) SetWindowPos(window_.get(), nullptr, left(), top(), width(), height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

Control* WindowedControl::controlAt(Point p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        if (c->asWindowed() || !c->visible() || !c->enabled() || !c->boundsRect().contains(p)) continue;
        if (c->hitTest({p.x - c->left(), p.y - c->top()})) return c;
    }
    return nullptr;
}

void WindowedControl::trackMouse() {
    if (tracking_ || !window_) return;
    TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, window_.get(), 0};
    tracking_ = TrackMouseEvent(&t);
}

void WindowedControl::routeMouse(Message& m) {
    Point p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    if (m.msg == WM_MOUSEMOVE) {
        trackMouse();
        if (!mouseInControl()) perform(CM_MOUSEENTER);
        Control* hot = capturedChild_ ? capturedChild_ : controlAt(p);
        if (hot != hotChild_) {
            if (hotChild_) hotChild_->perform(CM_MOUSELEAVE);
            hotChild_ = hot;
            if (hotChild_) hotChild_->perform(CM_MOUSEENTER);
        }
    }
    Control* target = capturedChild_ ? capturedChild_ : controlAt(p);
    if (!target) {
        Control::wndProc(m);
        return;
    }
    bool down = m.msg == WM_LBUTTONDOWN || m.msg == WM_RBUTTONDOWN || m.msg == WM_MBUTTONDOWN;
    bool up = m.msg == WM_LBUTTONUP || m.msg == WM_RBUTTONUP || m.msg == WM_MBUTTONUP;
    if (down && !capturedChild_) {
        capturedChild_ = target;
        SetCapture(window_.get());
    }
    m.result = target->perform(m.msg, m.wParam, MAKELPARAM(p.x - target->left(), p.y - target->top()));
    if (up && capturedChild_ && !(m.wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        capturedChild_ = nullptr;
        if (GetCapture() == window_.get()) ReleaseCapture();
    }
}

void WindowedControl::keyDown(WPARAM& key, ShiftState s) {
    if (onKeyDown) onKeyDown(this, key, s);
}
void WindowedControl::keyUp(WPARAM& key, ShiftState s) {
    if (onKeyUp) onKeyUp(this, key, s);
}
void WindowedControl::keyPress(wchar_t& ch) {
    if (onKeyPress) onKeyPress(this, ch);
}
void WindowedControl::doEnter() {
    if (onEnter) onEnter(this);
}
void WindowedControl::doExit() {
    if (onExit) onExit(this);
}

namespace {

bool hasNonClientArea(HWND h) {
    if ((GetWindowLongW(h, GWL_STYLE) & (WS_CHILD | WS_HSCROLL | WS_VSCROLL)) != WS_CHILD) return true;
    RECT outer{}, inner{};
    GetWindowRect(h, &outer);
    GetClientRect(h, &inner);
    return outer.right - outer.left != inner.right || outer.bottom - outer.top != inner.bottom;
}

}  // namespace

void WindowedControl::wndProc(Message& m) {
    const bool ownClass = !platformProc_;
    switch (m.msg) {
        case WM_PAINT:
            if (ownClass) {
                PaintDC dc(window_.get());
                paintWindow(dc.get(), fromRECT(dc.paintRect()));
                m.result = 0;
                return;
            }
            break;
        case WM_PRINTCLIENT:
            if (ownClass) {
                // Windowless children are this window's children: drawn only when the children are asked for,
                // so that a control painting what lies behind it can leave out the siblings above it.
                HDC dc = DCView::fromWParam(m.wParam).get();
                if (m.lParam & PRF_CHILDREN) paintTo(dc);
                else paintOwn(dc);
                m.result = 0;
                return;
            }
            break;
        case WM_NCPAINT:
            // A child window of ours without border or scroll bars has no frame to draw: the platform's frame
            // painting would only fetch a window context for nothing.
            if (ownClass && window_ && !hasNonClientArea(window_.get())) {
                m.result = 0;
                return;
            }
            break;
        case WM_SYSCOLORCHANGE:
            // The platform tells only top-level windows. Kept pictures may hold system colours, so every
            // window of ours below forgets its picture and paints again; platform controls hear of it too.
            keptValid_ = false;
            for (Control* c : controls_)
                if (WindowedControl* w = c->asWindowed(); w && w->window_)
                    SendMessageW(w->window_.get(), WM_SYSCOLORCHANGE, m.wParam, m.lParam);
            if (window_) InvalidateRect(window_.get(), nullptr, FALSE);
            break;
        case WM_ERASEBKGND:
            if (ownClass) {  // painting covers the whole area; erasing first would only flicker
                m.result = 1;
                return;
            }
            break;
        case WM_MOVE:
        case WM_SIZE:
            if (window_ && !IsIconic(window_.get())) {
                RECT r{};
                GetWindowRect(window_.get(), &r);
                if (parent() && parent()->window_)
                    MapWindowPoints(nullptr, parent()->window_.get(), reinterpret_cast<POINT*>(&r), 2);
                left_ = r.left;
                top_ = r.top;
                width_ = r.right - r.left;
                height_ = r.bottom - r.top;
                if (m.msg == WM_SIZE) resized();
            }
            break;
        case WM_SETFOCUS:
            if (Form* f = parentForm(); f && f != static_cast<Control*>(this)) f->controlFocused(this);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WPARAM key = m.wParam;
            if (m.msg == WM_KEYDOWN || m.msg == WM_SYSKEYDOWN) keyDown(key, shiftState());
            else keyUp(key, shiftState());
            if (key == 0) {
                m.result = 0;
                return;
            }
            m.wParam = key;
            break;
        }
        case WM_CHAR: {
            wchar_t ch = static_cast<wchar_t>(m.wParam);
            keyPress(ch);
            if (ch == 0) {
                m.result = 0;
                return;
            }
            m.wParam = ch;
            break;
        }
        case WM_SETCURSOR:
            if (LOWORD(m.lParam) == HTCLIENT && WindowView::fromWParam(m.wParam).get() == window_.get()) {
                Cursor c = hotChild_ && hotChild_->cursor() != crDefault ? hotChild_->cursor() : cursor();
                if (c != crDefault) {
                    SetCursor(cursorHandle(c));
                    m.result = TRUE;
                    return;
                }
            }
            break;
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Notifications belong to the child that sent them.
            HWND from = WindowView::fromLParam(m.lParam).get();
            if (WindowedControl* child = fromHandle(from); child && child != this) {
                m.result = child->perform(CN_BASE + m.msg, m.wParam, m.lParam);
                if (m.result || m.msg == WM_COMMAND) return;
            }
            break;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (hotChild_) {
                hotChild_->perform(CM_MOUSELEAVE);
                hotChild_ = nullptr;
            }
            if (mouseInControl()) perform(CM_MOUSELEAVE);
            break;
        case CM_VISIBLECHANGED:
            if (window_) ShowWindow(window_.get(), visible() ? SW_SHOW : SW_HIDE);
            else if (visible() && parent() && parent()->window_) createWindow();
            return;
        case CM_ENABLEDCHANGED:
            if (window_) EnableWindow(window_.get(), enabled());
            invalidate();
            return;
        case CM_FONTCHANGED:
            if (window_ && !ownClass)
                SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font().handle()), TRUE);
            invalidate();
            return;
        default:
            if (isMouseMessage(m.msg)) {
                routeMouse(m);
                return;
            }
            break;
    }
    Control::wndProc(m);
}

void WindowedControl::defaultHandler(Message& m) {
    HWND h = window_.get();
    if (!h) {
        m.result = 0;
        return;
    }
    m.result = platformProc_ ? CallWindowProcW(platformProc_, h, m.msg, m.wParam, m.lParam)
                             : DefWindowProcW(h, m.msg, m.wParam, m.lParam);
}

void WindowedControl::setKeepsImage(bool v) {
    keepsImage_ = v;
    keptValid_ = false;
    if (!v) keptImage_.reset();
}

void WindowedControl::paintWindow(HDC dc, const Rect& area) {
    if (keepsImage_) {
        paintKeptImage(dc);
        return;
    }
    paintOwn(dc);
    paintControls(dc, area);
}

void WindowedControl::paintKeptImage(HDC dc) {
    const Rect client = clientRect();
    if (client.empty()) return;
    if (!keptImage_) keptImage_ = std::make_unique<DibSection>();
    if (!keptValid_ || keptImage_->width() != client.width() || keptImage_->height() != client.height()) {
        keptImage_->resize(client.width(), client.height());
        paintOwn(keptImage_->dc());
        paintControls(keptImage_->dc(), client);
        keptValid_ = true;
    }
    keptImage_->drawTo(dc, 0, 0);
}

void WindowedControl::paintOwn(HDC dc) {
    Canvas canvas(dc);
    canvas.setBrushColor(color());
    canvas.fillRect(clientRect());
}

void WindowedControl::paintControls(HDC dc, const Rect& area) {
    for (Control* c : controls_) {
        if (c->asWindowed() || !c->visible()) continue;
        Rect b = c->boundsRect();
        if (b.intersect(area).empty()) continue;
        SavedDC saved(dc);
        IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
        OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
        Canvas canvas(dc);
        canvas.setFont(c->font());
        c->paint(canvas);
    }
}

void CustomControl::paintOwn(HDC dc) {
    Canvas canvas(dc);
    canvas.setFont(font());
    canvas.setBrushColor(color());
    paint(canvas);
}

}  // namespace fw
