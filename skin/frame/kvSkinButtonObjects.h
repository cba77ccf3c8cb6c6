// The button objects of the frame: plain buttons, caption buttons with a command (close, maximise, minimise,
// system menu, roll-up, to tray), buttons animated by frames, and plain hot areas. Each knows its images in every
// state (normal, hot, pressed, inactive, disabled and the restore looks) and what a click on it does.
#pragma once

#include "framework/MenuItem.h"
#include "skin/frame/kvFrameObjects.h"

class TkvSkinButtonObject : public TkvActiveSkinObject {
public:
    TkvSkinButtonObject(TkvKelvaneForm& frame, const TkvDataSkinButton& d);
    explicit TkvSkinButtonObject(TkvKelvaneForm& frame) : TkvActiveSkinObject(frame) {}

    bool Pressed = false;
    fw::Rect PressedRect;   // `downrect`
    fw::Rect DisabledRect;  // `disableskinrsect`
    // The menu item whose children the button pops up (none: no popup), and whether above the button.
    fw::MenuItem* PopupItems = nullptr;
    bool PopupAbove = false;
    // The button's popup is open: it stays pressed until the popup closes.
    bool PopupOpen = false;
    bool HasPopup() const;

    FrameObjectKind Kind() const override { return FrameObjectKind::Button; }
    bool NeedsBlendStep() const override;
    void DrawObject(fw::Canvas& canvas, bool immediate) override;
    void MouseDown(int x, int y, fw::MouseButton button) override;
    void MouseUp(int x, int y, fw::MouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The popup closed: the button is released.
    void PopupClosed();

protected:
    // Pressed or disabled images; false when the base look applies.
    bool DrawButtonState(fw::Canvas& canvas);
    // Releases the button after a left-button release (no popup open).
    void Release(int x, int y, fw::MouseButton button);
};

class TkvSkinStdButtonObject : public TkvSkinButtonObject {
public:
    TkvSkinStdButtonObject(TkvKelvaneForm& frame, const TkvDataSkinStdButton& d);
    // A default object of the frame without skin.
    TkvSkinStdButtonObject(TkvKelvaneForm& frame, std::string name, TkvStdCommand command);

    TkvStdCommand ButtonCommand = cmdefault;
    fw::Rect RestoreNormalRect, RestoreHotRect, RestorePressedRect, RestoreInactiveRect;
    std::string RestoreHintText, NormalHintText;
    bool FromSkin = false;

    FrameObjectKind Kind() const override { return FrameObjectKind::StdButton; }
    TkvStdCommand Command() const override { return ButtonCommand; }
    // The button currently means restore (maximise while maximised, minimise while minimised, roll-up while rolled
    // up).
    bool RestoreMode() const;
    // A system-menu button showing the form's icon (always hit, no glow, no blending).
    bool ShowsIcon() const;

    bool InObject(int x, int y) const override;
    bool NeedsBlendStep() const override;
    void DrawObject(fw::Canvas& canvas, bool immediate) override;
    void DblClick() override;
    void MouseDown(int x, int y, fw::MouseButton button) override;
    void MouseUp(int x, int y, fw::MouseButton button) override;
    void MouseEnter() override;

private:
    void DrawDefaultLook(fw::Canvas& canvas);
    void RunCommand();
};

// A button whose image cycles through frames of its `skinrect` band on the frame's 25 ms animation timer.
class TkvSkinAnimateObject : public TkvActiveSkinObject {
public:
    TkvSkinAnimateObject(TkvKelvaneForm& frame, const TkvDataSkinAnimate& d);

    const TkvDataSkinAnimate& Description;
    int CurrentFrame = 1;
    bool Forward = true;
    int StepCounter = 0;
    bool Pressed = false;
    bool Animating = false;
    // A custom button's popup, opened on release; while it is open the button tracks its menu.
    fw::MenuItem* PopupItems = nullptr;
    bool PopupAbove = false;
    bool TrackingMenu = false;
    // The menu closed: the frames run back.
    void MenuClosed();

    FrameObjectKind Kind() const override { return FrameObjectKind::Animate; }
    TkvStdCommand Command() const override { return Description.Command; }
    bool RestoreMode() const;
    void DrawObject(fw::Canvas& canvas, bool immediate) override;
    void MouseDown(int x, int y, fw::MouseButton button) override;
    void MouseUp(int x, int y, fw::MouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // One tick of the animation timer; true while it still runs.
    bool AnimationTick();

private:
    fw::Rect FrameRect(int n) const;
};

// A plain hot area; its owner draws it through the frame's OnPaintEvent.
class TkvUserObject : public TkvActiveSkinObject {
public:
    using TkvActiveSkinObject::TkvActiveSkinObject;
    void DrawObject(fw::Canvas& canvas, bool immediate) override;
};
