// Hints: the short text a control (or a caption button of a skinned frame) shows in a small window when the
// pointer rests over it. The application's one HintPump decides when: after a pause with the pointer over the same
// thing, for a while; leaving it, a mouse button or a key hides it, and the same thing shows no hint again until
// the pointer has been elsewhere.
#pragma once

#include <memory>
#include <string>

#include "framework/PopupWindow.h"
#include "framework/Timer.h"

namespace fw {

class Control;

// Where hints are shown. The pump owns a plain one; a skin may offer its own (setWindow).
class HintWindow {
public:
    virtual ~HintWindow() = default;
    // Shows text with its top-left corner at the screen point `at`, moved inside the monitor's work area; a hint
    // that would leave the bottom goes above `above` instead.
    virtual void showHint(const std::wstring& text, Point at, int above) = 0;
    virtual void hideHint() = 0;
    virtual bool hintShowing() const = 0;
};

// The platform's look: info colours, a one-pixel frame, the message font. Subclasses change the size and the
// painting (and may give the window a shape in placed()).
class PlainHintWindow : public PopupWindow, public HintWindow {
public:
    PlainHintWindow();

    void showHint(const std::wstring& text, Point at, int above) override;
    void hideHint() override;
    bool hintShowing() const override { return visible(); }
    const std::wstring& hintText() const { return text_; }

protected:
    // The window's size for text.
    virtual Size hintSize(const std::wstring& text);
    // The window got its size and place, before it shows.
    virtual void placed() {}
    void paint(Canvas& canvas) override;
    // The pointer passes through to the window below: a hint never takes it from what it belongs to.
    void wndProc(Message& m) override;

private:
    std::wstring text_;
};

class HintPump {
public:
    HintPump();
    ~HintPump();
    HintPump(const HintPump&) = delete;
    HintPump& operator=(const HintPump&) = delete;

    // Milliseconds the pointer rests before a hint shows, and how long it stays.
    unsigned pause() const { return pause_; }
    void setPause(unsigned ms) { pause_ = ms; }
    unsigned hidePause() const { return hidePause_; }
    void setHidePause(unsigned ms) { hidePause_ = ms; }

    // The window hints are shown in; null gives the plain one back. The caller keeps its window alive until it
    // sets another.
    void setWindow(HintWindow* w);
    HintWindow& window();
    // w is going away: it is no longer used, for any hint.
    void windowGone(HintWindow* w);

    // The pointer rests over `source`, whose hint is text: it shows after the pause (sooner when another hint was
    // just showing), in `via` or else the pump's window. Asking again for the hint already waiting or showing
    // changes nothing.
    void request(const void* source, const std::wstring& text, HintWindow* via = nullptr);
    // The pointer left `source`: its hint goes, and it may show again on the next visit.
    void withdraw(const void* source);
    // A press or a key: the hint goes, and its source shows none until the pointer has left it.
    void dismiss();
    // A queued message the application's loops take: presses and keys dismiss the hint.
    void messageSeen(const MSG& msg);
    // `source` is going away: nothing of it may stay behind.
    void forget(const void* source);

    // The pointer entered or left a control: the hint of the control, or of the nearest parent that has one.
    void controlEntered(Control& c);
    void controlLeft(Control& c);

    bool showing() const { return state_ == State::Shown; }
    bool waiting() const { return state_ == State::Waiting; }
    const void* source() const { return source_; }
    const std::wstring& text() const { return text_; }

private:
    enum class State { Idle, Waiting, Shown };
    void tick();
    void hideNow();
    HintWindow& target() { return via_ ? *via_ : window(); }

    unsigned pause_ = 500, hidePause_ = 5000;
    Timer timer_;
    std::unique_ptr<PlainHintWindow> plain_;  // made on first use
    HintWindow* window_ = nullptr;
    HintWindow* via_ = nullptr;
    State state_ = State::Idle;
    const void* source_ = nullptr;
    const void* dismissed_ = nullptr;  // shows no hint until the pointer leaves it
    const Control* over_ = nullptr;    // the control under the pointer
    std::wstring text_;
};

}  // namespace fw
