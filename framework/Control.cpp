#include "framework/Control.h"

#include <windowsx.h>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Hints.h"
#include "framework/WindowedControl.h"

namespace fw {

HCURSOR cursorHandle(Cursor c) {
    LPCWSTR id = IDC_ARROW;
    switch (c) {
        case Cursor::Default:
        case Cursor::Arrow: id = IDC_ARROW; break;
        case Cursor::IBeam: id = IDC_IBEAM; break;
        case Cursor::Cross: id = IDC_CROSS; break;
        case Cursor::HandPoint: id = IDC_HAND; break;
        case Cursor::SizeAll: id = IDC_SIZEALL; break;
        case Cursor::SizeNS: id = IDC_SIZENS; break;
        case Cursor::SizeWE: id = IDC_SIZEWE; break;
        case Cursor::SizeNWSE: id = IDC_SIZENWSE; break;
        case Cursor::SizeNESW: id = IDC_SIZENESW; break;
        case Cursor::Wait: id = IDC_WAIT; break;
        case Cursor::No: id = IDC_NO; break;
    }
    return LoadCursorW(nullptr, id);  // shared system cursor: never destroyed
}

ShiftState shiftState(WPARAM mouseFlags) {
    ShiftState s;
    s.shift = GetKeyState(VK_SHIFT) < 0;
    s.ctrl = GetKeyState(VK_CONTROL) < 0;
    s.alt = GetKeyState(VK_MENU) < 0;
    s.left = mouseFlags & MK_LBUTTON;
    s.right = mouseFlags & MK_RBUTTON;
    s.middle = mouseFlags & MK_MBUTTON;
    return s;
}

Control::Control(Component* owner) : Component(owner) {
    windowProc = [this](Message& m) { wndProc(m); };
    font_.onChange = [this] { fontChangedInternal(); };
}

Control::~Control() {
    if (Application* app = Application::instance()) app->hints().forget(this);
    if (parent_) parent_->removeControl(this);
}

void Control::setParent(WindowedControl* p) {
    if (p == parent_) return;
    if (parent_) parent_->removeControl(this);
    parent_ = p;
    if (parent_) {
        parent_->insertControl(this);
        parentFontChanged();
        parentColorChanged();
    }
}

Form* Control::parentForm() const {
    const Control* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<Form*>(const_cast<Control*>(c));
}

void Control::setControlBounds(int x, int y, int w, int h) {
    if (x == left_ && y == top_ && w == width_ && h == height_) return;
    Rect old = boundsRect();
    bool sized = w != width_ || h != height_;
    left_ = x;
    top_ = y;
    width_ = w;
    height_ = h;
    updateWindowBounds();
    if (parent_ && !asWindowed()) {
        // A windowless control: repaint where it was and where it is.
        parent_->dropKeptImage();
        if (parent_->handleAllocated()) {
            RECT a = toRECT(old), b = toRECT(boundsRect());
            InvalidateRect(parent_->handle(), &a, TRUE);
            InvalidateRect(parent_->handle(), &b, TRUE);
        }
    }
    if (align_ != Align::None) requestAlign();
    if (sized) {
        if (WindowedControl* w = asWindowed(); w && !w->handleAllocated()) w->alignControls();
    }
}

void Control::setAlign(Align a) {
    if (a == align_) return;
    align_ = a;
    requestAlign();
}

void Control::requestAlign() {
    if (parent_) parent_->alignControls();
}

void Control::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    perform(CM_VISIBLECHANGED);
    if (align_ != Align::None) requestAlign();
}

bool Control::showing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void Control::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    perform(CM_ENABLEDCHANGED);
}

void Control::setText(std::wstring t) {
    if (t == caption_) return;
    caption_ = std::move(t);
    perform(CM_TEXTCHANGED);
}

void Control::fontChangedInternal() {
    if (!applyingParentFont_) parentFont_ = false;
    perform(CM_FONTCHANGED);
    if (WindowedControl* w = asWindowed())
        for (Control* c : w->controls()) c->parentFontChanged();
}

void Control::parentFontChanged() {
    if (!parentFont_ || !parent_) return;
    applyingParentFont_ = true;
    font_.assign(parent_->font());
    applyingParentFont_ = false;
}

void Control::setParentFont(bool v) {
    parentFont_ = v;
    if (v) parentFontChanged();
}

void Control::setColor(Color c) {
    parentColor_ = false;
    if (c == color_) return;
    color_ = c;
    perform(CM_COLORCHANGED);
    if (WindowedControl* w = asWindowed())
        for (Control* child : w->controls()) child->parentColorChanged();
}

void Control::parentColorChanged() {
    if (!parentColor_ || !parent_) return;
    if (color_ != parent_->color()) {
        color_ = parent_->color();
        perform(CM_COLORCHANGED);
    }
}

void Control::setParentColor(bool v) {
    parentColor_ = v;
    if (v) parentColorChanged();
}

void Control::invalidate() {
    if (parent_) parent_->dropKeptImage();
    if (parent_ && parent_->handleAllocated()) {
        RECT r = toRECT(boundsRect());
        InvalidateRect(parent_->handle(), &r, TRUE);
    }
}

void Control::repaint() {
    invalidate();
    for (Control* c = this; c; c = c->parent_)
        if (WindowedControl* w = c->asWindowed(); w && w->handleAllocated()) {
            UpdateWindow(w->handle());
            break;
        }
}

Point Control::originInWindow() const {
    Point p{0, 0};
    const Control* c = this;
    while (c && !c->asWindowed()) {
        p.x += c->left_;
        p.y += c->top_;
        c = c->parent_;
    }
    return p;
}

Point Control::clientToScreen(Point p) const {
    Point o = originInWindow();
    POINT pt{p.x + o.x, p.y + o.y};
    // The nearest window: the control's own, or its parent's (a parent is always windowed).
    WindowedControl* w = const_cast<Control*>(this)->asWindowed();
    if (!w) w = parent_;
    if (w && w->handleAllocated()) ClientToScreen(w->handle(), &pt);
    return {pt.x, pt.y};
}

Point Control::screenToClient(Point p) const {
    Point zero = clientToScreen({0, 0});
    return {p.x - zero.x, p.y - zero.y};
}

LRESULT Control::perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    Message m{msg, wParam, lParam, 0};
    windowProc(m);
    return m.result;
}

void Control::click() {
    if (onClick) onClick(this);
}

void Control::mouseDown(MouseButton b, ShiftState s, int x, int y) {
    if (onMouseDown) onMouseDown(this, b, s, x, y);
}
void Control::mouseUp(MouseButton b, ShiftState s, int x, int y) {
    if (onMouseUp) onMouseUp(this, b, s, x, y);
}
void Control::mouseMove(ShiftState s, int x, int y) {
    if (onMouseMove) onMouseMove(this, s, x, y);
}
void Control::mouseEnter() {
    if (onMouseEnter) onMouseEnter(this);
}
void Control::mouseLeave() {
    if (onMouseLeave) onMouseLeave(this);
}

void Control::wndProc(Message& m) {
    auto button = [&](UINT msg) {
        switch (msg) {
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP: return MouseButton::Right;
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP: return MouseButton::Middle;
            default: return MouseButton::Left;
        }
    };
    const int x = GET_X_LPARAM(m.lParam), y = GET_Y_LPARAM(m.lParam);
    switch (m.msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (m.msg == WM_LBUTTONDOWN) mousePressed_ = true;
            mouseDown(button(m.msg), shiftState(m.wParam), x, y);
            break;
        case WM_LBUTTONDBLCLK:
            if (onDblClick) onDblClick(this);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            bool wasPressed = mousePressed_ && m.msg == WM_LBUTTONUP;
            if (m.msg == WM_LBUTTONUP) mousePressed_ = false;
            mouseUp(button(m.msg), shiftState(m.wParam), x, y);
            if (wasPressed && clicksOnMouseUp() && Rect{0, 0, width_, height_}.contains({x, y})) click();
            break;
        }
        case WM_MOUSEMOVE: mouseMove(shiftState(m.wParam), x, y); break;
        case CM_MOUSEENTER:
            mouseInControl_ = true;
            if (Application* app = Application::instance()) app->hints().controlEntered(*this);
            mouseEnter();
            return;
        case CM_MOUSELEAVE:
            mouseInControl_ = false;
            if (Application* app = Application::instance()) app->hints().controlLeft(*this);
            mouseLeave();
            return;
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
        case CM_COLORCHANGED:
        case CM_ENABLEDCHANGED:
        case CM_VISIBLECHANGED: invalidate(); return;
        default: break;
    }
    defaultHandler(m);
}

}  // namespace fw
