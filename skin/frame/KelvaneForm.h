// TkvKelvaneForm: the component that takes over a form's whole non-client area. It replaces the form's window
// procedure, tells the platform how large the frame is, paints the frame from the skin's main picture (or a plain
// default frame without skin), clips the window to the skin's mask, paints the client background, and keeps all
// of it in step with the window's size, activation and the loaded skin.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/data/kvSkinData.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/kvFrameObjects.h"

// Private messages other parties use to obtain the frame's look.
inline constexpr UINT KV_MSG_FRAME_QUERY = 0xB1B2;      // answered 0x3235 when the frame paints, else 0x3234
inline constexpr UINT KV_MSG_FRAME_PAINT_TO = 0xB1C9;   // wParam a DC: whole frame painted into it, 0x3233
inline constexpr UINT KV_MSG_FRAME_PAINT_ALT = 0xBC4B;  // same with lParam 0x41A2, answered 0x41A2

// Timer of the caption's frame animation (25 ms) on the host form's window.
inline constexpr UINT_PTR kCaptionAnimationTimer = 0x4B52;

struct TkvBorderIcons {
    bool biSystemMenu = true, biMinimize = true, biMaximize = true, biRollUp = true, biMinimizeToTray = false;
};
enum class TkvPositionInMonitor { kvpDefault, kvpScreenCenter, kvpDesktopCenter };
enum class TkvFrameWindowState { Normal, Minimized, Maximized };

class TkvKelvaneForm : public fw::Component {
public:
    // The owner must be a form (std::bad_cast otherwise).
    explicit TkvKelvaneForm(fw::Component* owner);
    ~TkvKelvaneForm() override;

    // Published properties.
    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* d);
    TkvSkinData* MenusSkinData() const { return menusSkinData_; }
    void SetMenusSkinData(TkvSkinData* d);
    TkvBorderIcons BorderIcons;
    fw::Font DefCaptionFont{L"Arial", 14, {true}, DEFAULT_CHARSET, fw::systemColor(COLOR_BTNTEXT)};
    fw::Font DefInActiveCaptionFont{L"Arial", 14, {true}, DEFAULT_CHARSET, fw::systemColor(COLOR_BTNSHADOW)};
    int DefMenuItemHeight = 20;
    fw::Font DefMenuItemFont{L"Arial", 14};
    bool UseSkinFontInMenu = true;
    int ClientWidth = 0, ClientHeight = 0;
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    bool MaximizeOnFullScreen = false;
    bool AlwaysResize = false;
    bool ShowIcon = false;
    bool HideCaptionButtons = false;
    bool DisableSystemMenu = false;
    bool UseDefaultSysMenu = true;
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool v);
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(int v);
    bool MenusAlphaBlend = false, MenusAlphaBlendAnimation = false;
    int MenusAlphaBlendValue = 200;
    bool ClientInActiveEffect = false;
    TkvPositionInMonitor PositionInMonitor = TkvPositionInMonitor::kvpDefault;
    bool Magnetic = false;
    int MagneticSize = 5;
    bool ShowObjectHint = false, UseDefaultObjectHint = true, UseFormCursorInNCArea = false;
    int MaxMenuItemsInWindow = 0;

    // Events.
    std::function<void(fw::Canvas&, const fw::Rect&, bool active)> OnCaptionPaint;
    fw::NotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData, OnActivate, OnDeActivate;

    // State.
    bool SkinningOn = true;
    bool SkinReady() const { return skinReady_; }
    bool SkinChanging() const { return skinChanging_; }
    bool FrameActive = false;
    TkvFrameWindowState FrameWindowState = TkvFrameWindowState::Normal;
    bool RolledUp = false;
    int CurrentWidth = 0, CurrentHeight = 0;
    const TkvStretchedGeometry& Geometry() const { return geometry_; }
    fw::Rect DefaultCaptionRect;
    const std::vector<std::unique_ptr<TkvActiveSkinObject>>& Objects() const { return objects_; }
    // The region last set on the window (our copy; the window owns its own).
    bool HasFrameRegion() const { return static_cast<bool>(frameRegion_); }
    HRGN FrameRegionHandle() const { return frameRegion_.get(); }
    // The four stretched mask pieces of the last region build (the hit test reads single pixels from them).
    const fw::Bitmap& MaskTop() const { return maskTop_; }
    const fw::Bitmap& MaskBottom() const { return maskBottom_; }
    const fw::Bitmap& MaskLeft() const { return maskLeft_; }
    const fw::Bitmap& MaskRight() const { return maskRight_; }

    fw::Form& HostForm() const { return *host_; }

    // Operations.
    void ChangeSkinData();
    void UpdateFrame(bool relayout);
    void UpdateRegion(bool rebuild);
    bool IsFrameActive() const;
    int FrameMinWidth() const;
    int FrameMinHeight() const;
    int FrameMaxWidth() const;
    int FrameMaxHeight() const;
    int DefaultCaptionHeight() const;
    int DefaultButtonSize() const;
    void PaintObjectNow(TkvActiveSkinObject& o);
    // Paints the whole non-client area into dc (window coordinates).
    void PaintFrameTo(HDC dc);
    // Paints the client background into dc (client coordinates).
    void PaintClientBackground(HDC dc);
    // Character set of the caption texts.
    int CaptionCharset() const;
    // The character set to ask for when drawing `text`: the program's texts are GB2312, so a caption with
    // characters beyond Latin-1 under "default character set" asks for GB2312, which makes the font mapper pick
    // a face that has them (a pure Latin caption keeps the font exactly as named).
    static int CharsetForText(int charset, const std::wstring& text);

    void notification(fw::Component* c, fw::Operation op) override;

private:
    void FrameWndProc(fw::Message& m);
    void callSaved(fw::Message& m) { saved_(m); }
    bool hasBorder() const { return host_->borderStyle() != fw::BorderStyle::None; }
    bool toolWindow() const;
    void sendNcPaint();
    void recomputeGeometry();
    void BuildObjects();
    void LayoutObjects();
    void UpdateCaptionActive(bool animate);
    void NudgeWidth();
    void PaintSkinnedFrame(HDC dc);
    void PaintDefaultFrame(HDC dc);
    void OnSkinMessage(fw::Message& m);
    void OnSize(fw::Message& m);
    void OnShowWindow(fw::Message& m);
    void OnFadeTimer();
    void OnWindowCreated();
    void OnPaint(fw::Message& m);
    void applyRegion(fw::Region r);

    fw::Form* host_;
    std::function<void(fw::Message&)> saved_;
    TkvSkinData* skinData_ = nullptr;
    TkvSkinData* menusSkinData_ = nullptr;
    bool alphaBlend_ = false;
    int alphaBlendValue_ = 200;
    bool skinReady_ = false;
    bool skinChanging_ = false;
    bool firstShowPending_ = true;
    TkvStretchedGeometry geometry_;
    std::vector<std::unique_ptr<TkvActiveSkinObject>> objects_;
    fw::Region frameRegion_;
    fw::Bitmap maskTop_, maskBottom_, maskLeft_, maskRight_;
    fw::Size designedClient_{-1, -1};
    bool inPaint_ = false;  // inside our own WM_PAINT: the erase it triggers is covered by the paint  // the form's client size before the frame changed its border
};

// Registers TkvKelvaneForm for form descriptions.
namespace fw {
class ClassRegistry;
}
void RegisterKelvaneFormClass(fw::ClassRegistry& classes);
