// Top-level windows: caption, border, position, show / close / modal show, keyboard navigation between controls.
#pragma once

#include "framework/WindowedControl.h"

namespace fw {

class Binder;
class ClassRegistry;

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
struct BorderIcons {
    bool systemMenu = true;
    bool minimize = true;
    bool maximize = true;
    bool help = false;
    friend bool operator==(const BorderIcons&, const BorderIcons&) = default;
};
enum class FormPosition { Designed, ScreenCenter, DesktopCenter };
enum class CloseAction { None, Hide, Minimize };

// Modal results of buttons and forms.
using ModalResult = int;
constexpr ModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                      mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

class Form : public WindowedControl {
public:
    explicit Form(Component* owner = nullptr);
    ~Form() override;

    // Client size (applied to the window size through the border's size).
    int clientWidth() const;
    int clientHeight() const;
    void setClientWidth(int w);
    void setClientHeight(int h);
    Rect clientRect() const override;

    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle s);
    const BorderIcons& borderIcons() const { return borderIcons_; }
    void setBorderIcons(BorderIcons b);
    FormPosition position() const { return position_; }
    void setPosition(FormPosition p) { position_ = p; }
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool v) { keyPreview_ = v; }
    // Resolution the positions were designed at; loaded() scales them to the screen's (96 = no change).
    int pixelsPerInch() const { return pixelsPerInch_; }
    void setPixelsPerInch(int v) { pixelsPerInch_ = v; }

    void show();
    void hide() { setVisible(false); }
    // Asks to close: onCloseQuery may refuse; onClose decides the action. A modal form ends its modal loop with
    // mrCancel; the main form ends the application.
    void close();
    // Shows the form modally: other forms are disabled until a modal result is set; returns it.
    ModalResult showModal();
    ModalResult modalResult() const { return modalResult_; }
    void setModalResult(ModalResult r) { modalResult_ = r; }
    bool modal() const { return modal_; }

    // True while the form is the active window.
    bool active() const { return active_; }
    // The focused control of this form (kept while the form is inactive).
    WindowedControl* activeControl() const { return activeControl_; }
    void setActiveControl(WindowedControl* c);
    // Moves the focus to the next (or previous) focusable control in tab order after `from`.
    void selectNext(WindowedControl* from, bool forward);
    // Handles Tab, Shift+Tab, Enter and Escape for a key-down aimed at `target`; true when the key was used.
    bool dialogNavigation(WindowedControl* target, WPARAM& key);
    // Offers an access key to the form's controls in tab order; true when one took it.
    bool dialogChar(WindowedControl* target, wchar_t ch, bool alt);

    // After a description was read: scales designed positions to the screen's resolution.
    void loaded() override;

    NotifyEvent onCreate;
    NotifyEvent onShow;
    NotifyEvent onHide;
    NotifyEvent onActivate;
    NotifyEvent onDeactivate;
    std::function<void(Component* sender, CloseAction& action)> onClose;
    std::function<void(Component* sender, bool& canClose)> onCloseQuery;
    // Every key press on the form (WM_KEYDOWN, WM_SYSKEYDOWN) before anything else sees it; set handled to
    // swallow the key.
    std::function<void(Component* sender, WPARAM key, ShiftState shift, bool& handled)> onShortCut;

protected:
    void createParams(CreateParams& p) override;
    void wndProc(Message& m) override;
    void updateWindowBounds() override;

private:
    friend class WindowedControl;
    void placeForFirstShow();
    // Border and caption: window size minus client size.
    Size nonClientSize() const;
    void controlFocused(WindowedControl* c);
    void styleChanged();

    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    BorderIcons borderIcons_;
    FormPosition position_ = FormPosition::Designed;
    bool keyPreview_ = false;
    int pixelsPerInch_ = 96;
    int clientWidth_ = 0, clientHeight_ = 0;
    bool clientSizeSet_ = false;
    ModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool active_ = false;
    bool shownOnce_ = false;
    WindowedControl* activeControl_ = nullptr;
};

}  // namespace fw
