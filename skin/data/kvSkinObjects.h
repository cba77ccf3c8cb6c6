// Frame-object descriptions of [SKINOBJECTS]: caption buttons, caption, menu items and their relatives.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "skin/data/kvSkinDescription.h"

class TkvDataSkinObject : public TkvDataSkinDescription {
public:
    const char* ClassName() const override { return "TkvDataSkinObject"; }
    std::string Hint;
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    bool SkinRectInAPicture = false;
    fw::Rect SkinRect;
    fw::Rect ActiveSkinRect;
    fw::Rect InactiveSkinRect;
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
    fw::Rect DownRect;
    fw::Rect DisableSkinRsect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

class TkvDataSkinStdButton : public TkvDataSkinButton {
public:
    const char* ClassName() const override { return "TkvDataSkinStdButton"; }
    TkvStdCommand Command = cmdefault;
    fw::Rect RestoreRect;
    fw::Rect RestoreActiveRect;
    fw::Rect RestoreDownRect;
    fw::Rect RestoreInactiveRect;
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
    fw::Rect DownSkinRect;
    fw::Rect RestoreRect;
    fw::Rect RestoreActiveRect;
    fw::Rect RestoreDownRect;
    fw::Rect RestoreInactiveRect;
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
    fw::Rect DividerRect;
    int DividerLeftOffset = 0;
    int DividerRightOffset = 0;
    fw::Rect TextRect;
    fw::Rect ImageRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Color UnEnabledFontColor = 0;
    bool StretchEffect = false;
    bool InactiveStretchEffect = false;
    bool DividerStretchEffect = false;
    fw::Rect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InactiveAnimation = false;
    bool UseImageColor = false;
    fw::Color ImageColor = 0;
    fw::Color ActiveImageColor = 0;
    bool InactiveTransparent = false;
    fw::Rect CheckImageRect;
    fw::Rect ActiveCheckImageRect;
    fw::Rect RadioImageRect;
    fw::Rect ActiveRadioImageRect;
    fw::Rect ArrowImageRect;
    fw::Rect ActiveArrowImageRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
    void AfterRead() override;
};

class TkvDataSkinMainMenuItem : public TkvDataSkinObject {
public:
    const char* ClassName() const override { return "TkvDataSkinMainMenuItem"; }
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    fw::Rect DownRect;
    fw::Rect TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Color DownFontColor = 0;
    fw::Color UnEnabledFontColor = 0;
    bool StretchEffect = false;
    fw::Rect AnimateSkinRect;
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
    fw::Rect TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    TkvAlignment Alignment = tacenter;
    bool Light = false;
    fw::Color LightColor = 0;
    fw::Color ActiveLightColor = 0;
    bool Shadow = false;
    fw::Color ShadowColor = 0;
    fw::Color ActiveShadowColor = 0;
    fw::Rect FrameRect;
    fw::Rect ActiveFrameRect;
    fw::Rect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    bool StretchEffect = false;
    fw::Rect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InactiveAnimation = false;
    bool FullFrame = false;
    bool VistaGlowEffect = false;
    bool VistaGlowInactiveEffect = false;
    bool GlowEffect = false;
    bool GlowInactiveEffect = false;
    int GlowSize = 3;
    fw::Color GlowColor = 0;
    fw::Color GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    fw::Color ReflactionColor = 0;
    fw::Color ReflactionActiveColor = 0;
    int ReflectionOffset = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// The object of a [SKINOBJECTS] type keyword, or null for a word not in the table.
std::unique_ptr<TkvDataSkinObject> CreateSkinObject(std::string_view type);
