// Frame objects: the things drawn on a skinned frame. The base keeps what every object takes from its skin
// description; the caption object draws the form's caption text. Button objects join these classes later.
#pragma once

#include <string>

#include "framework/Canvas.h"
#include "skin/data/kvSkinData.h"
#include "skin/frame/FrameGeometry.h"

class TkvKelvaneForm;

class TkvActiveSkinObject {
public:
    TkvActiveSkinObject(TkvKelvaneForm& frame, const TkvDataSkinObject& d);
    virtual ~TkvActiveSkinObject() = default;

    TkvKelvaneForm& FrameComponent;
    std::string ObjectName;
    std::string ObjectHint;
    fw::Rect NormalRect, HotRect, InactiveRect;
    bool NormalInHotPicture = false;
    const fw::Bitmap* HotPicture = nullptr;
    const fw::Bitmap* HotMaskPicture = nullptr;
    bool MorphOn = false;
    double MorphLevel = 0;
    fw::Rect PlacedRect;
    bool Usable = true;
    bool Shown = true;
    bool Hovered = false;
    bool Highlighted = false;

    virtual FrameObjectKind Kind() const { return FrameObjectKind::User; }
    virtual TkvStdCommand Command() const { return cmdefault; }
    // Draws the object at PlacedRect onto a canvas in window coordinates (Immediate: straight onto the window).
    virtual void DrawObject(fw::Canvas& canvas, bool immediate);

protected:
    // Copies `src` of `picture` into PlacedRect, stretched when the sizes differ.
    void DrawPart(fw::Canvas& canvas, const fw::Bitmap& picture, fw::Rect src) const;
};

class TkvSkinCaptionObject : public TkvActiveSkinObject {
public:
    TkvSkinCaptionObject(TkvKelvaneForm& frame, const TkvDataSkinCaption& d);

    const TkvDataSkinCaption& Description;
    bool Active = false;  // the caption's active state (follows the frame's activity)
    int AnimationFrame = 0;  // 1 .. framecount while an animation frame is shown
    int AnimationCounter = 0;

    // Whether the caption has frame animation with the current skin.
    bool Animates() const;
    // Starts the animation for a change of the active state (the frame runs the timer).
    void StartAnimation();
    // One timer tick; true when the caption stepped or counted (the timer keeps running).
    bool AnimationTick();

    FrameObjectKind Kind() const override { return FrameObjectKind::Caption; }
    void DrawObject(fw::Canvas& canvas, bool immediate) override;

private:
    // The text frame behind the caption text (`framerect`), widened to the text or to the whole caption.
    void DrawTextFrame(fw::Canvas& canvas, fw::Point text, int textWidth) const;
};
