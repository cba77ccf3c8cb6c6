// Controls: components with a place in a parent/child tree, bounds, alignment, visibility, font, colour, text,
// mouse events and a replaceable window procedure.
//   Control          windowless: painted by its windowed parent onto the parent's canvas, mouse routed by the parent
//   WindowedControl  owns a window (its own window class, or a platform class such as "EDIT" that it subclasses)
//   CustomControl    windowed, paints itself through a canvas (virtual paint)
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/Font.h"
#include "framework/Geometry.h"
#include "framework/Handles.h"
#include "framework/Message.h"

namespace fw {

class WindowedControl;
class Form;

enum class Align { None, Top, Bottom, Left, Right, Client };

enum class Cursor { Default, Arrow, IBeam, Cross, HandPoint, SizeAll, SizeNS, SizeWE, SizeNWSE, SizeNESW, Wait, No };
constexpr Cursor crDefault = Cursor::Default;
constexpr Cursor crArrow = Cursor::Arrow;
constexpr Cursor crIBeam = Cursor::IBeam;
constexpr Cursor crCross = Cursor::Cross;
constexpr Cursor crHandPoint = Cursor::HandPoint;
constexpr Cursor crSizeAll = Cursor::SizeAll;
constexpr Cursor crSizeNS = Cursor::SizeNS;
constexpr Cursor crSizeWE = Cursor::SizeWE;
constexpr Cursor crSizeNWSE = Cursor::SizeNWSE;
constexpr Cursor crSizeNESW = Cursor::SizeNESW;
constexpr Cursor crHourGlass = Cursor::Wait;
// The platform cursor for a cursor value (crDefault gives the arrow).
HCURSOR cursorHandle(Cursor c);

enum class MouseButton { Left, Right, Middle };
struct ShiftState {
    bool shift = false, ctrl = false, alt = false;
    bool left = false, right = false, middle = false;
};
// Keyboard state now plus the button flags of a mouse message's wParam.
ShiftState shiftState(WPARAM mouseFlags = 0);

using MouseEvent = std::function<void(Component* sender, MouseButton, ShiftState, int x, int y)>;
using MouseMoveEvent = std::function<void(Component* sender, ShiftState, int x, int y)>;
// key may be set to 0 to swallow it.
using KeyEvent = std::function<void(Component* sender, WPARAM& key, ShiftState)>;
using KeyPressEvent = std::function<void(Component* sender, wchar_t& ch)>;

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    // Parent (the windowed control that shows this one).
    WindowedControl* parent() const { return parent_; }
    virtual void setParent(WindowedControl* p);
    // The form this control is on (itself for a form).
    Form* parentForm() const;

    // Bounds in the parent's client coordinates (for a form: screen coordinates of its window).
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Rect boundsRect() const { return Rect::fromSize(left_, top_, width_, height_); }
    void setLeft(int v) { setBounds(v, top_, width_, height_); }
    void setTop(int v) { setBounds(left_, v, width_, height_); }
    void setWidth(int v) { setBounds(left_, top_, v, height_); }
    void setHeight(int v) { setBounds(left_, top_, width_, v); }
    void setBounds(int x, int y, int w, int h) { setControlBounds(x, y, w, h); }
    // Every bounds change goes through here; overrides may adjust the size (skin sizes) before calling the base.
    virtual void setControlBounds(int x, int y, int w, int h);
    // Client area in the control's own coordinates.
    virtual Rect clientRect() const { return {0, 0, width_, height_}; }
    // Whether a windowless control takes the pointer at p (its own coordinates, inside its bounds); a control
    // may leave part of its area to the parent beneath it.
    virtual bool hitTest(Point p) const { return true; }
    // This control as a windowed control, or null when it is windowless.
    virtual WindowedControl* asWindowed() { return nullptr; }
    virtual const WindowedControl* asWindowed() const { return nullptr; }

    Align align() const { return align_; }
    void setAlign(Align a);

    bool visible() const { return visible_; }
    void setVisible(bool v);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Visible and every parent up to the form visible.
    bool showing() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);

    // Caption or text (edits keep their text in the platform window; text() reads it from there).
    virtual std::wstring text() const { return caption_; }
    virtual void setText(std::wstring t);
    std::wstring caption() const { return text(); }
    void setCaption(std::wstring t) { setText(std::move(t)); }

    Font& font() { return font_; }
    const Font& font() const { return font_; }
    void setFont(const Font& f) { font_.assign(f); }
    bool parentFont() const { return parentFont_; }
    void setParentFont(bool v);
    Color color() const { return color_; }
    void setColor(Color c);
    bool parentColor() const { return parentColor_; }
    void setParentColor(bool v);

    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor c) { cursor_ = c; }
    // The hint shown when the pointer rests over the control (see Hints.h); with showHint off it shows none. A control
    // without a hint shows its parent's.
    const std::wstring& hint() const { return hint_; }
    void setHint(std::wstring h) { hint_ = std::move(h); }
    bool showHint() const { return showHint_; }
    void setShowHint(bool v) { showHint_ = v; }
    // Pointer is over the control (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool mouseInControl() const { return mouseInControl_; }

    // Repainting: invalidate marks the control's area, repaint paints it now.
    virtual void invalidate();
    void repaint();
    // Windowless controls paint here, in their own coordinates, onto the parent's canvas.
    virtual void paint(Canvas& canvas) {}

    Point clientToScreen(Point p) const;
    Point screenToClient(Point p) const;
    // Position of this control's origin in the nearest window's client coordinates.
    Point originInWindow() const;

    // The replaceable window procedure: every message reaches the control through this member. Another component
    // may save it, install its own handler that calls the saved one, and put the saved one back later.
    std::function<void(Message&)> windowProc;
    // Sends a message through windowProc and returns its result.
    LRESULT perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Events.
    NotifyEvent onClick;
    NotifyEvent onDblClick;
    MouseEvent onMouseDown;
    MouseEvent onMouseUp;
    MouseMoveEvent onMouseMove;
    NotifyEvent onMouseEnter;
    NotifyEvent onMouseLeave;

    // Fires the click (buttons call it from keyboard and mouse).
    virtual void click();

protected:
    // The control's own message handling, the initial target of windowProc.
    virtual void wndProc(Message& m);
    // Processing when nothing else handles a message (windowless: result 0; windowed: the platform's).
    virtual void defaultHandler(Message& m) { m.result = 0; }
    // Whether a press and release of the left button inside the control is a click.
    virtual bool clicksOnMouseUp() const { return true; }

    virtual void mouseDown(MouseButton b, ShiftState s, int x, int y);
    virtual void mouseUp(MouseButton b, ShiftState s, int x, int y);
    virtual void mouseMove(ShiftState s, int x, int y);
    virtual void mouseEnter();
    virtual void mouseLeave();
    // Applies a bounds change to the platform window (windowed controls).
    virtual void updateWindowBounds() {}
    // The parent's font or colour changed: follow it when "parent font/colour" is on.
    void parentFontChanged();
    void parentColorChanged();
    // Asks the parent to re-align its children after a change that affects alignment.
    void requestAlign();

    std::wstring caption_;

private:
    friend class WindowedControl;
    void fontChangedInternal();

    WindowedControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Align align_ = Align::None;
    bool visible_ = true;
    bool enabled_ = true;
    Font font_;
    bool parentFont_ = true;
    bool applyingParentFont_ = false;
    Color color_ = clBtnFace;
    bool parentColor_ = false;
    Cursor cursor_ = crDefault;
    std::wstring hint_;
    bool showHint_ = false;
    bool mouseInControl_ = false;
    bool mousePressed_ = false;
};

}  // namespace fw
