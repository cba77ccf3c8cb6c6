#include "skin/frame/kvSkinButtonObjects.h"

#include "framework/Form.h"
#include "skin/frame/DefaultButtonFace.h"
#include "skin/frame/KelvaneForm.h"

// ---- TkvSkinButtonObject -------------------------------------------------------------------------------------

TkvSkinButtonObject::TkvSkinButtonObject(TkvKelvaneForm& frame, const TkvDataSkinButton& d)
    : TkvActiveSkinObject(frame, d), PressedRect(d.DownRect), DisabledRect(d.DisableSkinRsect) {}

bool TkvSkinButtonObject::HasPopup() const { return PopupItems && PopupItems->count() > 0; }

bool TkvSkinButtonObject::NeedsBlendStep() const {
    if (PopupOpen && Pressed) return false;
    return TkvActiveSkinObject::NeedsBlendStep();
}

bool TkvSkinButtonObject::DrawButtonState(fw::Canvas& canvas) {
    if (!HotPicture) return false;
    if (!Usable && !DisabledRect.empty()) {
        DrawPart(canvas, *HotPicture, DisabledRect);
        return true;
    }
    if (Pressed && Hovered && !PressedRect.empty()) {
        DrawPart(canvas, *HotPicture, PressedRect);
        return true;
    }
    return false;
}

void TkvSkinButtonObject::DrawObject(fw::Canvas& canvas, bool immediate) {
    if (!FrameComponent.SkinReady()) return;
    if (!DrawButtonState(canvas)) TkvActiveSkinObject::DrawObject(canvas, immediate);
}

void TkvSkinButtonObject::MouseDown(int x, int y, fw::MouseButton button) {
    if (button == fw::MouseButton::Left && Usable && !Pressed) {
        Pressed = true;
        if (CanBlend() && Highlighted) MorphLevel = 1;
        FrameComponent.PaintObjectNow(*this);
        if (HasPopup()) PopupOpen = FrameComponent.OpenObjectPopup(*this, *PopupItems, PopupAbove);
    }
    TkvActiveSkinObject::MouseDown(x, y, button);
}

void TkvSkinButtonObject::Release(int x, int y, fw::MouseButton button) {
    if (Usable && button == fw::MouseButton::Left && !PopupOpen && Pressed) {
        Pressed = false;
        FrameComponent.PaintObjectNow(*this);
    }
    TkvActiveSkinObject::MouseUp(x, y, button);
}

void TkvSkinButtonObject::MouseUp(int x, int y, fw::MouseButton button) { Release(x, y, button); }

void TkvSkinButtonObject::MouseEnter() {
    Hovered = true;
    Highlighted = true;
    if (Pressed && !PressedRect.empty()) {
        if (CanBlend()) MorphLevel = 1;
        FrameComponent.PaintObjectNow(*this);
    } else if (!HotRect.empty()) {
        StartHotTransition();
    }
    if (FrameComponent.OnMouseEnterEvent) FrameComponent.OnMouseEnterEvent(ObjectName);
    ShowGlow();
}

void TkvSkinButtonObject::MouseLeave() {
    Hovered = false;
    Highlighted = false;
    if (!(PopupOpen && Pressed)) StartHotTransition();
    if (FrameComponent.OnMouseLeaveEvent) FrameComponent.OnMouseLeaveEvent(ObjectName);
    HideGlow();
}

void TkvSkinButtonObject::PopupClosed() {
    PopupOpen = false;
    if (!Pressed) return;
    Pressed = false;
    FrameComponent.PaintObjectNow(*this);
}

// ---- TkvSkinStdButtonObject ----------------------------------------------------------------------------------

TkvSkinStdButtonObject::TkvSkinStdButtonObject(TkvKelvaneForm& frame, const TkvDataSkinStdButton& d)
    : TkvSkinButtonObject(frame, d),
      ButtonCommand(d.Command),
      RestoreNormalRect(d.RestoreRect),
      RestoreHotRect(d.RestoreActiveRect),
      RestorePressedRect(d.RestoreDownRect),
      RestoreInactiveRect(d.RestoreInactiveRect),
      RestoreHintText(d.RestoreHint),
      NormalHintText(d.Hint),
      FromSkin(true) {}

TkvSkinStdButtonObject::TkvSkinStdButtonObject(TkvKelvaneForm& frame, std::string name, TkvStdCommand command)
    : TkvSkinButtonObject(frame), ButtonCommand(command) {
    ObjectName = std::move(name);
    NormalInHotPicture = true;
    NormalRect = HotRect = {0, 0, 1, 1};
    PlacedRect = NormalRect;
}

bool TkvSkinStdButtonObject::RestoreMode() const { return FrameComponent.CommandMeansRestore(ButtonCommand); }

bool TkvSkinStdButtonObject::ShowsIcon() const {
    return ButtonCommand == cmsysmenu && FrameComponent.ShowIcon() && FromSkin && NormalInHotPicture;
}

bool TkvSkinStdButtonObject::InObject(int x, int y) const { return ShowsIcon() || TkvActiveSkinObject::InObject(x, y); }

bool TkvSkinStdButtonObject::NeedsBlendStep() const { return !ShowsIcon() && TkvSkinButtonObject::NeedsBlendStep(); }

void TkvSkinStdButtonObject::DrawObject(fw::Canvas& canvas, bool immediate) {
    if (!FromSkin) {
        DrawDefaultLook(canvas);
        return;
    }
    if (!FrameComponent.SkinReady()) return;
    if (ButtonCommand == cmsysmenu && FrameComponent.ShowIcon() && NormalInHotPicture) {
        FrameComponent.DrawFormIcon(canvas, PlacedRect.topLeft());
        MorphLevel = 0;
        return;
    }
    if (RestoreMode() && Usable && !RestoreNormalRect.empty() && HotPicture) {
        const fw::Bitmap& pic = *HotPicture;
        if (!FrameComponent.FrameActive && !RestoreInactiveRect.empty()) DrawPart(canvas, pic, RestoreInactiveRect);
        else if (Pressed && Hovered && !RestorePressedRect.empty()) DrawPart(canvas, pic, RestorePressedRect);
        else if (DrawTransition(canvas, pic, RestoreNormalRect, pic, RestoreHotRect)) return;
        else if (Highlighted && !RestoreHotRect.empty()) DrawPart(canvas, pic, RestoreHotRect);
        else DrawPart(canvas, pic, RestoreNormalRect);
        return;
    }
    TkvSkinButtonObject::DrawObject(canvas, immediate);
}

void TkvSkinStdButtonObject::DrawDefaultLook(fw::Canvas& canvas) {
    if (ButtonCommand == cmsysmenu && FrameComponent.ShowIcon()) {
        FrameComponent.DrawFormIcon(canvas, PlacedRect.topLeft());
        return;
    }
    DefaultGlyph glyph = DefaultGlyph::Close;
    switch (ButtonCommand) {
        case cmclose: glyph = DefaultGlyph::Close; break;
        case cmmaximize: glyph = RestoreMode() ? DefaultGlyph::Restore : DefaultGlyph::Maximize; break;
        case cmminimize: glyph = RestoreMode() ? DefaultGlyph::Restore : DefaultGlyph::Minimize; break;
        case cmsysmenu: glyph = DefaultGlyph::SystemMenu; break;
        case cmrollup: glyph = RestoreMode() ? DefaultGlyph::RollDown : DefaultGlyph::RollUp; break;
        case cmminimizetotray: glyph = DefaultGlyph::ToTray; break;
        case cmdefault: return;
    }
    const DefaultButtonColors colors{fw::colorToPixel(GetSysColor(COLOR_BTNFACE)),
                                     fw::colorToPixel(GetSysColor(Usable ? COLOR_BTNTEXT : COLOR_BTNSHADOW))};
    const fw::Bitmap face = DrawDefaultButtonFace(PlacedRect.width(), PlacedRect.height(), glyph, Pressed, Hovered,
                                                  colors);
    if (!face.empty()) fw::drawPixels(canvas.handle(), PlacedRect.left, PlacedRect.top, face.view());
}

void TkvSkinStdButtonObject::MouseEnter() {
    if (ButtonCommand != cmdefault)
        ObjectHint = (RestoreMode() && !RestoreHintText.empty()) ? RestoreHintText : NormalHintText;
    TkvSkinButtonObject::MouseEnter();
}

void TkvSkinStdButtonObject::MouseDown(int x, int y, fw::MouseButton button) {
    if (button != fw::MouseButton::Left || !Usable || Pressed) return;
    Pressed = true;
    FrameComponent.PaintObjectNow(*this);
    if (ButtonCommand == cmsysmenu) {
        PopupOpen = true;
        FrameComponent.ShowSystemMenuUnder(FrameComponent.FrameToScreen(PlacedRect));
    } else if (ButtonCommand == cmdefault && HasPopup()) {
        PopupOpen = FrameComponent.OpenObjectPopup(*this, *PopupItems, PopupAbove);
    }
}

void TkvSkinStdButtonObject::RunCommand() {
    if (ButtonCommand != cmrollup) FrameComponent.TrackPointer(-1, -1, false);
    FrameComponent.ExecuteCommand(ButtonCommand);
}

void TkvSkinStdButtonObject::MouseUp(int x, int y, fw::MouseButton button) {
    const bool run = Highlighted && button == fw::MouseButton::Left && Usable;
    if (ButtonCommand == cmclose) {
        Release(x, y, button);
        if (run) RunCommand();
        return;
    }
    if (run) RunCommand();
    Release(x, y, button);
}

void TkvSkinStdButtonObject::DblClick() {
    if (ButtonCommand == cmsysmenu) FrameComponent.ExecuteCommand(cmclose);
}

// ---- TkvSkinAnimateObject ------------------------------------------------------------------------------------

TkvSkinAnimateObject::TkvSkinAnimateObject(TkvKelvaneForm& frame, const TkvDataSkinAnimate& d)
    : TkvActiveSkinObject(frame, d), Description(d) {}

bool TkvSkinAnimateObject::RestoreMode() const { return FrameComponent.CommandMeansRestore(Description.Command); }

fw::Rect TkvSkinAnimateObject::FrameRect(int n) const {
    const fw::Rect band = (RestoreMode() && !Description.RestoreRect.empty()) ? Description.RestoreRect : NormalRect;
    const int count = std::max(1, Description.CountFrames);
    n = std::clamp(n, 1, count);
    const int w = band.width() / count;
    return {band.left + (n - 1) * w, band.top, band.left + n * w, band.bottom};
}

void TkvSkinAnimateObject::DrawObject(fw::Canvas& canvas, bool immediate) {
    if (!FrameComponent.SkinReady()) return;
    const TkvSkinData& skin = *FrameComponent.SkinData();
    const fw::Bitmap& pic = NormalInHotPicture && HotPicture ? *HotPicture : skin.FramePicture;
    if (Pressed && Hovered && !Description.DownSkinRect.empty() && HotPicture) {
        DrawPart(canvas, *HotPicture, Description.DownSkinRect);
        return;
    }
    if (!immediate && !NormalInHotPicture) return;
    DrawPart(canvas, pic, FrameRect(CurrentFrame));
}

void TkvSkinAnimateObject::MouseEnter() {
    Hovered = true;
    Highlighted = true;
    if (Description.ButtonStyle) {
        Forward = true;
        Animating = true;
        StepCounter = 0;
        FrameComponent.StartAnimationTimer();
    }
    if (FrameComponent.OnMouseEnterEvent) FrameComponent.OnMouseEnterEvent(ObjectName);
}

void TkvSkinAnimateObject::MouseLeave() {
    Hovered = false;
    Highlighted = false;
    if (Description.ButtonStyle) {
        Forward = false;
        Animating = true;
        StepCounter = 0;
        FrameComponent.StartAnimationTimer();
    }
    if (FrameComponent.OnMouseLeaveEvent) FrameComponent.OnMouseLeaveEvent(ObjectName);
}

bool TkvSkinAnimateObject::AnimationTick() {
    if (!Animating) return false;
    StepCounter += 25;
    if (StepCounter < std::max(25, Description.TimerInterval)) return true;
    StepCounter = 0;
    const int count = std::max(1, Description.CountFrames);
    if (Forward) {
        if (CurrentFrame < count) ++CurrentFrame;
        else if (Description.Cycle) CurrentFrame = 1;
        else Animating = false;
    } else {
        if (CurrentFrame > 1) --CurrentFrame;
        else Animating = false;
    }
    FrameComponent.PaintObjectNow(*this);
    return Animating;
}

void TkvSkinAnimateObject::MouseDown(int x, int y, fw::MouseButton button) {
    if (button == fw::MouseButton::Left && Usable && !Pressed) {
        Pressed = true;
        if (!Description.DownSkinRect.empty()) CurrentFrame = std::max(1, Description.CountFrames);
        FrameComponent.PaintObjectNow(*this);
        if (Description.ButtonStyle && Description.Command == cmsysmenu) {
            FrameComponent.ShowSystemMenuUnder(FrameComponent.FrameToScreen(PlacedRect));
            Pressed = false;
        }
    }
    TkvActiveSkinObject::MouseDown(x, y, button);
}

void TkvSkinAnimateObject::MouseUp(int x, int y, fw::MouseButton button) {
    const bool wasPressed = Pressed;
    if (button == fw::MouseButton::Left && Pressed) {
        Pressed = false;
        FrameComponent.PaintObjectNow(*this);
    }
    const bool click = wasPressed && Hovered && Usable && Description.ButtonStyle && button == fw::MouseButton::Left;
    if (click && Description.Command == cmdefault && PopupItems && PopupItems->count() > 0)
        TrackingMenu = FrameComponent.OpenObjectPopup(*this, *PopupItems, PopupAbove);
    if (click && Description.Command != cmsysmenu && Description.Command != cmdefault) {
        if (Description.Command != cmrollup) FrameComponent.TrackPointer(-1, -1, false);
        FrameComponent.ExecuteCommand(Description.Command);
    }
    TkvActiveSkinObject::MouseUp(x, y, button);
}

void TkvSkinAnimateObject::MenuClosed() {
    TrackingMenu = false;
    if (!Description.ButtonStyle) return;
    Forward = false;
    Animating = true;
    StepCounter = 0;
    FrameComponent.StartAnimationTimer();
}

// ---- TkvUserObject -------------------------------------------------------------------------------------------

void TkvUserObject::DrawObject(fw::Canvas& canvas, bool) {
    if (FrameComponent.OnPaintEvent) FrameComponent.OnPaintEvent(ObjectName, canvas, PlacedRect);
}
