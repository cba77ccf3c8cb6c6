// Frame-object descriptions of [SKINOBJECTS]: caption buttons, caption, menu items and their relatives.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "skin/data/kvSkinDescription.h"

namespace fw {

class TkvDataSkinObject : public TkvDataSkinDescription {
public:
    const char* ClassName() const override { return "TkvDataSkinObject"; }
    std::string Hint;
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    bool SkinRectInAPicture = false;
    Rect SkinRect;
    Rect ActiveSkinRect;
    Rect InactiveSkinRect;
    bool Morphing = false;
    TkvMorphKind MorphKind = mkdefault;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// Reads only its rectangle.
class TkvDataUserObject : public TkvDataSkinObject {
public:
    const char* ClassName() const override { return "TkvDataUserObject"; }
protected:
    void Fields(TkvDescriptionFields& f) override;
};

class TkvDataSkinButton : public TkvDataSkinObject {
public:
    const char* ClassName() const override { return "TkvDataSkinButton"; }
    Rect DownRect;
    Rect DisableSkinRsect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

class TkvDataSkinStdButton : public TkvDataSkinButton {
public:
    const char* ClassName() const override { return "TkvDataSkinStdButton"; }
    TkvStdCommand Command = cmdefault;
    Rect RestoreRect;
    Rect RestoreActiveRect;
    Rect RestoreDownRect;
    Rect RestoreInactiveRect;
    std::string RestoreHint;

protected:
    void Fields(TkvDescriptionFields& f) override;
    void AfterRead() override;
};

class TkvDataSkinMainMenuBarButton : public TkvDataSkinStdButton {
public:
    const char* ClassName() const override { return "TkvDataSkinMainMenuBarButton"; }
};

class TkvDataSkinAnimate : public TkvDataSkinObject {
public:
    const char* ClassName() const override { return "TkvDataSkinAnimate"; }
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TkvStdCommand Command = cmdefault;
    Rect DownSkinRect;
    Rect RestoreRect;
    Rect RestoreActiveRect;
    Rect RestoreDownRect;
    Rect RestoreInactiveRect;
    std::string RestoreHint;

protected:
    void Fields(TkvDescriptionFields& f) override;
    void AfterRead() override;
};

class TkvDataSkinMenuItem : public TkvDataSkinObject {
public:
    const char* ClassName() const override { return "TkvDataSkinMenuItem"; }
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    Rect DividerRect;
    int DividerLeftOffset = 0;
    int DividerRightOffset = 0;
    Rect TextRect;
    Rect ImageRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    Color UnEnabledFontColor = 0;
    bool StretchEffect = false;
    bool InactiveStretchEffect = false;
    bool DividerStretchEffect = false;
    Rect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InactiveAnimation = false;
    bool UseImageColor = false;
    Color ImageColor = 0;
    Color ActiveImageColor = 0;
    bool InactiveTransparent = false;
    Rect CheckImageRect;
    Rect ActiveCheckImageRect;
    Rect RadioImageRect;
    Rect ActiveRadioImageRect;
    Rect ArrowImageRect;
    Rect ActiveArrowImageRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
    void AfterRead() override;
};

class TkvDataSkinMainMenuItem : public TkvDataSkinObject {
public:
    const char* ClassName() const override { return "TkvDataSkinMainMenuItem"; }
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    Rect DownRect;
    Rect TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    Color DownFontColor = 0;
    Color UnEnabledFontColor = 0;
    bool StretchEffect = false;
    Rect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InactiveAnimation = false;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

class TkvDataSkinMainMenuBarItem : public TkvDataSkinMainMenuItem {
public:
    const char* ClassName() const override { return "TkvDataSkinMainMenuBarItem"; }
};

class TkvDataSkinCaption : public TkvDataSkinObject {
public:
    const char* ClassName() const override { return "TkvDataSkinCaption"; }
    Rect TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    TkvAlignment Alignment = tacenter;
    bool Light = false;
    Color LightColor = 0;
    Color ActiveLightColor = 0;
    bool Shadow = false;
    Color ShadowColor = 0;
    Color ActiveShadowColor = 0;
    Rect FrameRect;
    Rect ActiveFrameRect;
    Rect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    bool StretchEffect = false;
    Rect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InactiveAnimation = false;
    bool FullFrame = false;
    bool VistaGlowEffect = false;
    bool VistaGlowInactiveEffect = false;
    bool GlowEffect = false;
    bool GlowInactiveEffect = false;
    int GlowSize = 3;
    Color GlowColor = 0;
    Color GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    Color ReflactionColor = 0;
    Color ReflactionActiveColor = 0;
    int ReflectionOffset = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// The object of a [SKINOBJECTS] type keyword, or null for a word not in the table.
std::unique_ptr<TkvDataSkinObject> CreateSkinObject(std::string_view type);

}  // namespace fw
