#include "framework/Hints.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/DibSection.h"
#include "framework/Message.h"

namespace fw {

namespace {
// The platform's hint font: the message font of the non-client metrics.
Font messageFont() {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof(m);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0)) return Font(L"Tahoma", -11);
    FontStyle style{m.lfMessageFont.lfWeight >= FW_BOLD, m.lfMessageFont.lfItalic != 0, false, false};
    return Font(m.lfMessageFont.lfFaceName, m.lfMessageFont.lfHeight, style, m.lfMessageFont.lfCharSet,
                systemColor(COLOR_INFOTEXT));
}

// A hint that comes while another was just showing waits this long instead of the full pause.
constexpr unsigned kReshowPause = 100;

// The control whose hint shows over c: the nearest of c and its parents that has a hint, when it shows it.
const Control* hintControl(const Control* c) {
    for (; c; c = c->parent())
        if (!c->hint().empty()) return c->showHint() ? c : nullptr;
    return nullptr;
}
}  // namespace

// ---- the plain window

PlainHintWindow::PlainHintWindow() : PopupWindow(nullptr) {
    setFont(messageFont());
    setParentFont(false);
    setColor(systemColor(COLOR_INFOBK));
}

Size PlainHintWindow::hintSize(const std::wstring& text) {
    DibSection probe(1, 1);
    probe.canvas().setFont(font());
    const Size t = probe.canvas().textExtent(text);
    return {t.width + 8, t.height + 4};
}

void PlainHintWindow::showHint(const std::wstring& text, Point at, int above) {
    text_ = text;
    const Size s = hintSize(text);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    const POINT pt{at.x, at.y};
    GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi);
    const Rect area = fromRECT(mi.rcWork);
    int x = std::max(area.left, std::min(at.x, area.right - s.width));
    int y = at.y + s.height > area.bottom ? above - s.height : at.y;
    y = std::max(area.top, y);
    setBounds(x, y, s.width, s.height);
    placed();
    showAt({x, y, x + s.width, y + s.height});
    invalidate();
}

void PlainHintWindow::hideHint() { setVisible(false); }

void PlainHintWindow::wndProc(Message& m) {
    if (m.msg == WM_NCHITTEST) {
        m.result = HTTRANSPARENT;
        return;
    }
    PopupWindow::wndProc(m);
}

void PlainHintWindow::paint(Canvas& canvas) {
    const Rect r = clientRect();
    canvas.setBrushColor(color());
    canvas.fillRect(r);
    canvas.setBrushColor(systemColor(COLOR_INFOTEXT));
    canvas.frameRect(r);
    canvas.setFont(font());
    canvas.setBrushStyle(BrushStyle::Clear);
    Rect t{r.left + 4, r.top + 2, r.right - 4, r.bottom - 2};
    canvas.drawText(text_, t, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}

// ---- the pump

HintPump::HintPump() {
    timer_.onTimer = [this](Component*) { tick(); };
}

HintPump::~HintPump() { timer_.onTimer = nullptr; }

void HintPump::setWindow(HintWindow* w) {
    if (w == window_) return;
    hideNow();
    window_ = w;
}

void HintPump::windowGone(HintWindow* w) {
    if ((via_ ? via_ : window_) == w) {
        hideNow();
        source_ = nullptr;
    }
    if (via_ == w) via_ = nullptr;
    if (window_ == w) window_ = nullptr;
}

HintWindow& HintPump::window() {
    if (window_) return *window_;
    if (!plain_) plain_ = std::make_unique<PlainHintWindow>();
    return *plain_;
}

void HintPump::request(const void* source, const std::wstring& text, HintWindow* via) {
    if (!source || text.empty()) return;
    if (source == dismissed_) return;
    if (source == source_ && text == text_ && via == via_ && state_ != State::Idle) return;
    const bool wasShowing = showing();
    hideNow();
    source_ = source;
    text_ = text;
    via_ = via;
    state_ = State::Waiting;
    timer_.setInterval(wasShowing ? std::min(kReshowPause, pause_) : pause_);
    timer_.setEnabled(true);
}

void HintPump::withdraw(const void* source) {
    if (source == dismissed_) dismissed_ = nullptr;
    if (source != source_) return;
    hideNow();
    source_ = nullptr;
}

void HintPump::dismiss() {
    if (state_ == State::Idle) return;
    dismissed_ = source_;
    hideNow();
}

void HintPump::messageSeen(const MSG& msg) {
    if (isButtonPress(msg.message) || msg.message == WM_MOUSEWHEEL || msg.message == WM_KEYDOWN ||
        msg.message == WM_SYSKEYDOWN)
        dismiss();
}

void HintPump::forget(const void* source) {
    if (over_ == source) over_ = nullptr;
    if (dismissed_ == source) dismissed_ = nullptr;
    if (source_ == source) {
        hideNow();
        source_ = nullptr;
    }
}

void HintPump::controlEntered(Control& c) {
    over_ = &c;
    const Control* h = hintControl(&c);
    if (!h) {
        // Over a control without a hint: a control's hint that was showing goes.
        if (source_ && source_ != &c) withdraw(source_);
        return;
    }
    if (h != source_ && source_) withdraw(source_);
    request(h, h->hint());
}

void HintPump::controlLeft(Control& c) {
    if (over_ != &c) return;
    const Control* h = hintControl(&c);
    if (h) withdraw(h);
    dismissed_ = nullptr;
    // The pointer is back over the parent when it still holds it.
    Control* p = c.parent();
    over_ = nullptr;
    if (p && p->mouseInControl()) controlEntered(*p);
}

void HintPump::tick() {
    if (state_ == State::Waiting) {
        POINT pt{};
        GetCursorPos(&pt);
        // Below the pointer by the standard arrow's height; above its hot spot when there is no room below.
        constexpr int kBelowPointer = 20;
        target().showHint(text_, {pt.x, pt.y + kBelowPointer}, pt.y);
        state_ = State::Shown;
        timer_.setInterval(hidePause_);
        return;
    }
    if (state_ == State::Shown) dismiss();
}

void HintPump::hideNow() {
    timer_.setEnabled(false);
    if (state_ == State::Shown) target().hideHint();
    state_ = State::Idle;
}

}  // namespace fw
