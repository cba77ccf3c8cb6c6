// Frame objects: the things drawn on a skinned frame. The base keeps what every object takes from its skin
// description and its pointer behaviour; the caption object draws the form's caption text. The button objects
// are in kvSkinButtonObjects.h.
#pragma once

#include <string>

#include "framework/Canvas.h"
#include "framework/Control.h"
#include "skin/data/kvSkinData.h"
#include "skin/frame/FrameGeometry.h"

class TkvKelvaneForm;

class TkvActiveSkinObject {
public:
    TkvActiveSkinObject(TkvKelvaneForm& frame, const TkvDataSkinObject& d);
    // An object without description (the default objects of the frame without skin).
    explicit TkvActiveSkinObject(TkvKelvaneForm& frame);
    // Takes its hint along when it goes.
    virtual ~TkvActiveSkinObject();

    TkvKelvaneForm& FrameComponent;
    std::string ObjectName;
    std::string ObjectHint;
    fw::Rect NormalRect, HotRect, InactiveRect;
    bool NormalInHotPicture = false;
    const fw::Bitmap* HotPicture = nullptr;
    const fw::Bitmap* HotMaskPicture = nullptr;
    bool MorphOn = false;
    TkvMorphKind MorphStyle = mkdefault;
    double MorphLevel = 0;
    int GlowPictureIndex = -1, GlowMaskIndex = -1, GlowOffsetX = 0, GlowOffsetY = 0, GlowAlpha = 255;
    fw::Rect PlacedRect;
    bool Usable = true;
    bool Shown = true;
    bool Hovered = false;
    bool Highlighted = false;

    virtual FrameObjectKind Kind() const { return FrameObjectKind::User; }
    virtual TkvStdCommand Command() const { return cmdefault; }

    // Pixel test at a point relative to the object's top-left.
    virtual bool InObject(int x, int y) const;
    // The object's glow picture in one of the frame's glow windows (the system-menu button, which opens a popup,
    // uses the second one), when the skin has one and asks for caption-button glows.
    virtual void ShowGlow();
    virtual void HideGlow();
    // Whether the object's blend level still has to move towards its state.
    virtual bool NeedsBlendStep() const;
    // Draws the object at PlacedRect onto a canvas in window coordinates (Immediate: straight onto the window).
    virtual void DrawObject(fw::Canvas& canvas, bool immediate);
    virtual void DblClick() {}
    virtual void MouseDown(int x, int y, fw::MouseButton button);
    virtual void MouseUp(int x, int y, fw::MouseButton button);
    virtual void MouseMove(int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // The state the blend level moves towards: the hot look (for the caption: its active look).
    virtual bool BlendTowardsHot() const { return Highlighted; }
    // Blending is possible: morphing on, a ready skin with effects enabled.
    bool CanBlend() const;
    // One step of the blend timer: MorphLevel moves by 0.2 towards the state; true when it moved.
    bool BlendStep();

protected:
    // Starts the change to or from the hot look: the blend timer, or a repaint at once.
    void StartHotTransition();
    // Copies `src` of `picture` into PlacedRect, stretched when the sizes differ.
    void DrawPart(fw::Canvas& canvas, const fw::Bitmap& picture, fw::Rect src) const;
    // The blend of two images of the object at MorphLevel by MorphStyle; false when no transition is under way.
    bool DrawTransition(fw::Canvas& canvas, const fw::Bitmap& normalPic, fw::Rect normal, const fw::Bitmap& hotPic,
                        fw::Rect hot) const;
    bool InTransition() const;
};

class TkvSkinCaptionObject : public TkvActiveSkinObject {
public:
    TkvSkinCaptionObject(TkvKelvaneForm& frame, const TkvDataSkinCaption& d);

    const TkvDataSkinCaption& Description;
    bool Active = false;     // the caption's active state (follows the frame's activity)
    int AnimationFrame = 0;  // 1 .. framecount while an animation frame is shown
    int AnimationCounter = 0;

    // Whether the caption has frame animation with the current skin.
    bool Animates() const;
    // Starts the animation for a change of the active state (the frame runs the timer).
    void StartAnimation();
    // One timer tick; true when the caption stepped or counted (the timer keeps running).
    bool AnimationTick();

    FrameObjectKind Kind() const override { return FrameObjectKind::Caption; }
    bool BlendTowardsHot() const override { return Active; }
    // The caption only follows the pointer (it never captures the mouse or lights up).
    void MouseEnter() override;
    void MouseLeave() override;
    void DrawObject(fw::Canvas& canvas, bool immediate) override;

private:
    // The caption text mirrored below itself in `colour`, `offset` pixels down.
    void DrawReflection(fw::Canvas& canvas, const std::wstring& text, fw::Point at, fw::Size size, fw::Color colour,
                        int offset) const;
    // The text frame behind the caption text (`framerect`), widened to the text or to the whole caption.
    void DrawTextFrame(fw::Canvas& canvas, fw::Point text, int textWidth) const;
};
