#include "skin/data/kvSkinObjects.h"

namespace {
// A restore hint left empty follows from the button's own hint and command.
void defaultRestoreHint(std::string& restoreHint, const std::string& hint, TkvStdCommand command) {
    if (!restoreHint.empty()) return;
    if ((hint == "Maximize" && command == cmmaximize) || (hint == "Minimize" && command == cmminimize) ||
        ((hint == "RollUp" || hint == "Roll Up") && command == cmrollup))
        restoreHint = "Restore";
}

void emptyTakes(fw::Rect& active, const fw::Rect& normal) {
    if (active.empty()) active = normal;
}
}  // namespace

void TkvDataSkinObject::Fields(TkvDescriptionFields& f) {
    f.Str("hint", Hint);
    f.Int("activepictureindex", ActivePictureIndex);
    f.Int("activemaskpictureindex", ActiveMaskPictureIndex);
    f.Bool("skinrectinapicture", SkinRectInAPicture);
    f.Rc("skinrect", SkinRect);
    f.Rc("activeskinrect", ActiveSkinRect);
    f.Rc("inactiveskinrect", InactiveSkinRect);
    f.Bool("morphing", Morphing);
    f.Morph("morphkind", MorphKind);
    f.Int("glowlayerpictureindex", GlowLayerPictureIndex);
    f.Int("glowlayermaskpictureindex", GlowLayerMaskPictureIndex);
    f.Int("glowlayeroffsetx", GlowLayerOffsetX);
    f.Int("glowlayeroffsety", GlowLayerOffsetY);
    f.Int("glowlayeralphablendvalue", GlowLayerAlphaBlendValue);
}

void TkvDataUserObject::Fields(TkvDescriptionFields& f) { f.Rc("skinrect", SkinRect); }

void TkvDataSkinButton::Fields(TkvDescriptionFields& f) {
    TkvDataSkinObject::Fields(f);
    f.Rc("downrect", DownRect);
    f.Rc("disableskinrsect", DisableSkinRsect);
}

void TkvDataSkinStdButton::Fields(TkvDescriptionFields& f) {
    TkvDataSkinButton::Fields(f);
    f.Command("command", Command);
    f.Rc("restorerect", RestoreRect);
    f.Rc("restoreactiverect", RestoreActiveRect);
    f.Rc("restoredownrect", RestoreDownRect);
    f.Rc("restoreinactiverect", RestoreInactiveRect);
    f.Str("restorehint", RestoreHint);
}

void TkvDataSkinStdButton::AfterRead() { defaultRestoreHint(RestoreHint, Hint, Command); }

void TkvDataSkinAnimate::Fields(TkvDescriptionFields& f) {
    TkvDataSkinObject::Fields(f);
    f.Int("countframes", CountFrames);
    f.Bool("cycle", Cycle);
    f.Bool("buttonstyle", ButtonStyle);
    f.Int("timerinterval", TimerInterval);
    f.Command("command", Command);
    f.Rc("downskinrect", DownSkinRect);
    f.Rc("restorerect", RestoreRect);
    f.Rc("restoreactiverect", RestoreActiveRect);
    f.Rc("restoredownrect", RestoreDownRect);
    f.Rc("restoreinactiverect", RestoreInactiveRect);
    f.Str("restorehint", RestoreHint);
}

void TkvDataSkinAnimate::AfterRead() {
    Morphing = false;
    defaultRestoreHint(RestoreHint, Hint, Command);
}

void TkvDataSkinMenuItem::Fields(TkvDescriptionFields& f) {
    TkvDataSkinObject::Fields(f);
    f.Int("itemleftoffset", ItemLeftOffset);
    f.Int("itemrightoffset", ItemRightOffset);
    f.Rc("dividerrect", DividerRect);
    f.Int("dividerleftoffset", DividerLeftOffset);
    f.Int("dividerrightoffset", DividerRightOffset);
    f.Rc("textrect", TextRect);
    f.Rc("imagerect", ImageRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Colour("unenabledfontcolor", UnEnabledFontColor);
    f.Bool("stretcheffect", StretchEffect);
    f.Bool("inactivestretcheffect", InactiveStretchEffect);
    f.Bool("dividerstretcheffect", DividerStretchEffect);
    f.Rc("animateskinrect", AnimateSkinRect);
    f.Int("framecount", FrameCount);
    f.Int("animateinterval", AnimateInterval);
    f.Bool("inactiveanimation", InactiveAnimation);
    f.Bool("useimagecolor", UseImageColor);
    f.Colour("imagecolor", ImageColor);
    f.Colour("activeimagecolor", ActiveImageColor);
    f.Bool("inactivetransparent", InactiveTransparent);
    f.Rc("checkimagerect", CheckImageRect);
    f.Rc("activecheckimagerect", ActiveCheckImageRect);
    f.Rc("radioimagerect", RadioImageRect);
    f.Rc("activeradioimagerect", ActiveRadioImageRect);
    f.Rc("arrowimagerect", ArrowImageRect);
    f.Rc("activearrowimagerect", ActiveArrowImageRect);
}

void TkvDataSkinMenuItem::AfterRead() {
    emptyTakes(ActiveCheckImageRect, CheckImageRect);
    emptyTakes(ActiveRadioImageRect, RadioImageRect);
    emptyTakes(ActiveArrowImageRect, ArrowImageRect);
}

void TkvDataSkinMainMenuItem::Fields(TkvDescriptionFields& f) {
    TkvDataSkinObject::Fields(f);
    f.Int("itemleftoffset", ItemLeftOffset);
    f.Int("itemrightoffset", ItemRightOffset);
    f.Rc("downrect", DownRect);
    f.Rc("textrect", TextRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Colour("downfontcolor", DownFontColor);
    f.Colour("unenabledfontColor", UnEnabledFontColor);
    f.Bool("stretcheffect", StretchEffect);
    f.Rc("animateskinrect", AnimateSkinRect);
    f.Int("framecount", FrameCount);
    f.Int("animateinterval", AnimateInterval);
    f.Bool("inactiveanimation", InactiveAnimation);
}

void TkvDataSkinCaption::Fields(TkvDescriptionFields& f) {
    TkvDataSkinObject::Fields(f);
    f.Rc("textrect", TextRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Align("alignment", Alignment);
    f.Bool("light", Light);
    f.Colour("lightcolor", LightColor);
    f.Colour("activelightcolor", ActiveLightColor);
    f.Bool("shadow", Shadow);
    f.Colour("shadowcolor", ShadowColor);
    f.Colour("activeshadowcolor", ActiveShadowColor);
    f.Rc("framerect", FrameRect);
    f.Rc("activeframerect", ActiveFrameRect);
    f.Rc("frametextrect", FrameTextRect);
    f.Int("frameleftoffset", FrameLeftOffset);
    f.Int("framerightoffset", FrameRightOffset);
    f.Bool("stretcheffect", StretchEffect);
    f.Rc("animateskinrect", AnimateSkinRect);
    f.Int("framecount", FrameCount);
    f.Int("animateinterval", AnimateInterval);
    f.Bool("inactiveanimation", InactiveAnimation);
    f.Bool("fullframe", FullFrame);
    f.Bool("vistagloweffect", VistaGlowEffect);
    f.Bool("vistaglowinactiveeffect", VistaGlowInactiveEffect);
    f.Bool("gloweffect", GlowEffect);
    f.Bool("glowinactiveeffect", GlowInactiveEffect);
    f.Int("glowsize", GlowSize);
    f.Colour("glowcolor", GlowColor);
    f.Colour("glowactivecolor", GlowActiveColor);
    f.Int("glowoffset", GlowOffset);
    f.Bool("reflectioneffect", ReflectionEffect);
    f.Colour("reflactioncolor", ReflactionColor);
    f.Colour("reflactionactivecolor", ReflactionActiveColor);
    f.Int("reflectionoffset", ReflectionOffset);
}

std::unique_ptr<TkvDataSkinObject> CreateSkinObject(std::string_view type) {
    if (type == "stdbutton") return std::make_unique<TkvDataSkinStdButton>();
    if (type == "mainmenubarbutton") return std::make_unique<TkvDataSkinMainMenuBarButton>();
    if (type == "button") return std::make_unique<TkvDataSkinButton>();
    if (type == "caption") return std::make_unique<TkvDataSkinCaption>();
    if (type == "menuitem") return std::make_unique<TkvDataSkinMenuItem>();
    if (type == "mainmenubaritem") return std::make_unique<TkvDataSkinMainMenuBarItem>();
    if (type == "animate") return std::make_unique<TkvDataSkinAnimate>();
    if (type == "userobject") return std::make_unique<TkvDataUserObject>();
    return nullptr;
}
