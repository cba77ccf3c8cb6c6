// Windowed controls: own a platform window, hold child controls, take the keyboard focus and move it in tab order.
#pragma once

#include <memory>

#include "framework/Control.h"

namespace fw {

class DibSection;

class WindowedControl : public Control {
public:
    explicit WindowedControl(Component* owner);
    ~WindowedControl() override;

    // The window, created on first request (with the parent's window first).
    HWND handle();
    bool handleAllocated() const { return static_cast<bool>(window_); }
    // Destroys the window and creates it again with the current settings (after a style change).
    void recreateWindow();
    // The control that owns a window we created (nullptr for foreign windows).
    static WindowedControl* fromHandle(HWND hwnd);
    WindowedControl* asWindowed() override { return this; }
    const WindowedControl* asWindowed() const override { return this; }

    // Children in insertion order (painting order for windowless children; the last one is on top).
    const std::vector<Control*>& controls() const { return controls_; }
    // Windowed children in tab order.
    const std::vector<WindowedControl*>& tabList() const { return tabList_; }
    int tabOrder() const;
    void setTabOrder(int order);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool v) { tabStop_ = v; }

    // Focus.
    virtual bool canFocus() const;
    bool focused() const;
    void setFocus();
    // A key the control handles itself instead of the form's dialog navigation (Tab, Enter, Escape, arrows).
    virtual bool wantsKey(WPARAM key) const { return false; }
    // Enter/Escape offered to the control by its form; true when taken (default and cancel buttons).
    virtual bool dialogKey(WPARAM key, bool isFocused) { return false; }
    // A character offered to the form's controls as an access key (Alt + character, or the character alone when
    // the focused control takes no typed text); true when taken.
    virtual bool dialogChar(wchar_t ch) { return false; }
    // Whether typed characters are text for this control (edits) rather than access keys.
    virtual bool wantsChars() const { return false; }

    // Lays the aligned children out in alignRect() (top, bottom, left, right, then client).
    void alignControls();
    // Aligns the children once the description that made them has been read.
    void loaded() override;
    // The rectangle aligned children share: the client area unless a control keeps a margin or an overhang.
    virtual Rect alignRect() const { return clientRect(); }
    Rect clientRect() const override;

    // Timers delivered as WM_TIMER to this control's window procedure.
    void startTimer(UINT_PTR id, UINT milliseconds);
    void stopTimer(UINT_PTR id);

    void invalidate() override;
    // Keeps the picture of the client area (own drawing and windowless children) in an off-screen section between
    // paints and copies it back while nothing has changed, instead of drawing it again: for controls whose look
    // changes only through invalidate() (their own or a windowless child's), a change of their children or of
    // their size, and never with what lies behind them.
    void setKeepsImage(bool v);
    // Forgets the kept picture: the next paint draws it again.
    void dropKeptImage() { keptValid_ = false; }
    // Paints the visible windowless children in child order onto dc (window coordinates). Public so that a
    // component painting a form's client area itself (the skinned frame) can draw the children over it.
    void paintControls(HDC dc, const Rect& area);
    // Paints the client area (background, own drawing, windowless children) into any DC, as WM_PAINT would;
    // child windows are not included. WM_PRINTCLIENT does the same with PRF_CHILDREN, and without it leaves out
    // the windowless children (paintOwn).
    void paintTo(HDC dc) { paintWindow(dc, clientRect()); }

    NotifyEvent onEnter;
    NotifyEvent onExit;
    KeyEvent onKeyDown;
    KeyEvent onKeyUp;
    KeyPressEvent onKeyPress;

    void setText(std::wstring t) override;
    std::wstring text() const override;

protected:
    struct CreateParams {
        std::wstring className;  // window class; our own class unless a platform class is named
        bool platformClass = false;
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        DWORD exStyle = 0;
        int x = 0, y = 0, width = 0, height = 0;
        HWND parent = nullptr;
    };
    virtual void createParams(CreateParams& p);
    // Called after the window exists (children are created after this).
    virtual void windowCreated() {}
    // Called before the window goes (save state kept in the window, such as an edit's text).
    virtual void windowDestroying() {}

    void wndProc(Message& m) override;
    void defaultHandler(Message& m) override;
    // WM_PAINT for windows of our own class: paints the background with the control's colour, then children.
    virtual void paintWindow(HDC dc, const Rect& area);
    // The window's own drawing without its windowless children (the background in the control's colour).
    virtual void paintOwn(HDC dc);
    void updateWindowBounds() override;
    // The window's client size changed: re-align.
    virtual void resized() { alignControls(); }

    virtual void keyDown(WPARAM& key, ShiftState s);
    virtual void keyUp(WPARAM& key, ShiftState s);
    virtual void keyPress(wchar_t& ch);
    virtual void doEnter();
    virtual void doExit();

private:
    friend class Control;
    friend class Form;
    friend LRESULT CALLBACK windowProcEntry(HWND, UINT, WPARAM, LPARAM);
    void createWindow();
    void insertControl(Control* c);
    void removeControl(Control* c);
    Control* controlAt(Point p) const;
    void routeMouse(Message& m);
    void trackMouse();
    void paintKeptImage(HDC dc);

    Window window_;
    WNDPROC platformProc_ = nullptr;  // the platform class's procedure we subclassed
    std::vector<Control*> controls_;
    std::vector<WindowedControl*> tabList_;
    bool tabStop_ = false;
    bool tracking_ = false;
    Control* hotChild_ = nullptr;       // windowless child under the pointer
    Control* capturedChild_ = nullptr;  // windowless child that got the button press
    bool inAlign_ = false;
    bool keepsImage_ = false;
    bool keptValid_ = false;
    std::unique_ptr<DibSection> keptImage_;
};

// A windowed control of our own class that paints itself: override paint(canvas).
class CustomControl : public WindowedControl {
public:
    using WindowedControl::WindowedControl;

protected:
    void paintOwn(HDC dc) override;
};

}  // namespace fw
