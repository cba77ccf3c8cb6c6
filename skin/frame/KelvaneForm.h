// TkvKelvaneForm: the component that takes over a form's whole non-client area. It replaces the form's window
// procedure, tells the platform how large the frame is, paints the frame from the skin's main picture (or a plain
// default frame without skin), clips the window to the skin's mask, paints the client background, and keeps all
// of it in step with the window's size, activation and the loaded skin.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinDataLink.h"
#include "skin/frame/ClientInactivePanel.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FrameHitTest.h"
#include "skin/frame/kvFrameObjects.h"
#include "skin/frame/kvSkinHint.h"
#include "skin/frame/kvSkinMenus.h"
#include "skin/frame/kvTrayIcon.h"

// Private messages other parties use to obtain the frame's look.
inline constexpr UINT KV_MSG_FRAME_QUERY = 0xB1B2;      // answered 0x3235 when the frame paints, else 0x3234
inline constexpr UINT KV_MSG_FRAME_PAINT_TO = 0xB1C9;   // wParam a DC: whole frame painted into it, 0x3233
inline constexpr UINT KV_MSG_FRAME_PAINT_ALT = 0xBC4B;  // same with lParam 0x41A2, answered 0x41A2

// The frame's timers on the host form's window. Their ids are derived from the frame's own address (see
// TkvKelvaneForm::TimerId), so that no timer the form starts with a small id of its own is taken for one of them.
enum class FrameTimer { Fade, Poll, Blend, Caption };

struct TkvBorderIcons {
    bool biSystemMenu = true, biMinimize = true, biMaximize = true, biRollUp = true, biMinimizeToTray = false;
};
enum class TkvPositionInMonitor { kvpDefault, kvpScreenCenter, kvpDesktopCenter };
enum class TkvFrameWindowState { Normal, Minimized, Maximized };

class TkvLayerManager;

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
    // Which caption buttons are usable; setting it applies the object states again and repaints the frame.
    const TkvBorderIcons& BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(const TkvBorderIcons& b);
    fw::Font DefCaptionFont{L"Arial", 14, {true}, DEFAULT_CHARSET, fw::systemColor(COLOR_BTNTEXT)};
    fw::Font DefInActiveCaptionFont{L"Arial", 14, {true}, DEFAULT_CHARSET, fw::systemColor(COLOR_BTNSHADOW)};
    int DefMenuItemHeight = 20;
    fw::Font DefMenuItemFont{L"Arial", 14};
    bool UseSkinFontInMenu = true;
    int ClientWidth = 0, ClientHeight = 0;
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    bool MaximizeOnFullScreen = false;
    bool AlwaysResize = false;
    // The system-menu button shows the form's small icon; setting it repaints the frame.
    bool ShowIcon() const { return showIcon_; }
    void SetShowIcon(bool v);
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
    TkvClientInActiveEffectType ClientInActiveEffectType = kvieSemiTransparent;
    // The panel over the client area while the form is inactive (ClientInActiveEffect), or none.
    ClientInactivePanel* InactivePanel() const { return inactivePanel_; }
    // A picture drawn at the top-left of the client background (LogoBitMapTransparent: the colour of its
    // bottom-left pixel is left out); the form repaints when it changes size.
    fw::Bitmap LogoBitMap;
    bool LogoBitMapTransparent = false;
    TkvPositionInMonitor PositionInMonitor = TkvPositionInMonitor::kvpDefault;
    bool Magnetic = false;
    int MagneticSize = 5;
    // Tray behaviour; this program links no tray icon, so the tray commands do nothing.
    bool AlwaysMinimizeToTray = false, AlwaysShowInTray = false;
    bool ShowObjectHint = false, UseDefaultObjectHint = true, UseFormCursorInNCArea = false;
    // The hint component the caption buttons' hints show in (with ShowObjectHint on); none shows no hints.
    TkvSkinHint* SkinHint() const { return skinHint_; }
    void SetSkinHint(TkvSkinHint* h);
    int MaxMenuItemsInWindow = 0;

    // Events.
    std::function<void(fw::Canvas&, const fw::Rect&, bool active)> OnCaptionPaint;
    fw::NotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData, OnActivate, OnDeActivate;
    fw::NotifyEvent OnChangeRollUpState, OnMinimize, OnRestore, OnMaximize, OnMinimizeToTray, OnRestoreFromTray;
    fw::NotifyEvent OnSkinMenuOpen, OnSkinMenuClose;
    // Keys of the host form before the frame's own shortcuts (Alt+Space); set handled to swallow the key.
    std::function<void(WPARAM key, fw::ShiftState shift, bool& handled)> OnShortCut;
    // Frame objects, by their ObjectName.
    std::function<void(const std::string&name)> OnMouseEnterEvent, OnMouseLeaveEvent;
    std::function<void(const std::string&name, fw::MouseButton, int x, int y)> OnMouseDownEvent, OnMouseUpEvent;
    std::function<void(const std::string& name, int x, int y, const fw::Rect& placed)> OnMouseMoveEvent;
    std::function<void(const std::string& name, fw::Canvas&, const fw::Rect& placed)> OnPaintEvent;
    // Whether a custom (cmdefault) object is usable; without handler it is not.
    std::function<void(const std::string& name, bool& enabled)> OnActivateCustomObject;

    // State.
    bool SkinningOn = true;
    bool SkinReady() const { return skinReady_; }
    bool SkinChanging() const { return skinChanging_; }
    bool FrameActive = false;
    TkvFrameWindowState FrameWindowState = TkvFrameWindowState::Normal;
    bool RolledUp = false;
    bool RolledUpWhileMaximized = false;
    int HeightBeforeRollUp = 0;
    fw::Rect RestoreBounds;  // bounds before the frame maximised or minimised the form; empty when normal
    bool InSizeMove = false, DragFullWindows = false;
    MagneticState Snap;
    int HotIndex = -1, PrevHotIndex = -1, PressedIndex = -1;
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
    // The id of one of the frame's timers on the host form's window.
    UINT_PTR TimerId(FrameTimer t) const { return reinterpret_cast<UINT_PTR>(this) + static_cast<UINT_PTR>(t); }

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

    // Frame objects.
    void BuildObjects();
    void BuildDefaultObjects();
    void ApplyBorderIcons();
    void RefreshObjectHints();
    void LayoutObjects();
    void LayoutDefaultCaption();
    void TrackPointer(int x, int y, bool allowHot);
    void ObjectMouseDown(fw::MouseButton button, int x, int y);
    void ObjectMouseUp(fw::MouseButton button, int x, int y);
    void ObjectMouseMove(int x, int y);
    void ObjectDblClick();
    void ResetObjectStates();
    // What a caption button's command does (close, maximise/restore, minimise/restore, roll-up, to tray).
    void ExecuteCommand(TkvStdCommand c);
    void StartBlendTimer();
    void StartAnimationTimer();
    // The form's small icon at a window point (the form's icon, else the application's, else the platform's).
    void DrawFormIcon(fw::Canvas& canvas, fw::Point at) const;

    // The frame's two glow windows for caption buttons: the second for a button that opens a popup.
    TkvLayerManager& GlowLayer(bool popupButton);
    void HideGlowLayer(bool popupButton);
    void HideGlowLayers();

    // Hit testing and window states.
    bool CanSize() const;
    // Whether a button with this command currently means restore (maximise while maximised, minimise while
    // minimised, roll-up while rolled up).
    bool CommandMeansRestore(TkvStdCommand c) const;
    int SkinnedHitTest(fw::Point p) const;
    int DefaultHitTest(fw::Point p);
    void PollPointer();
    void SetFrameWindowState(TkvFrameWindowState state);
    void SetRolledUp(bool value);
    // With a linked tray icon: the form goes into the notification area (its window hidden, the icon shown), and
    // comes back from it. Without one both do nothing.
    void SendToTray();
    void BackFromTray();
    TkvTrayIcon* TrayIcon() const { return trayIcon_; }
    // Linking hides the icon (unless AlwaysShowInTray), gives it the tray menu when it has no menu of its own and
    // makes its double click bring the form back when it has no handler of its own.
    void SetTrayIcon(TkvTrayIcon* icon);
    // The system menu at a screen point, or below a screen rectangle, opening downwards.
    void ShowSystemMenuAt(int x, int y);
    void ShowSystemMenuUnder(const fw::Rect& r);
    bool SkinMenuOpen() const { return skinMenuOpen_; }

    // Menus. The engine that shows this frame's skinned menus.
    TkvSkinMenu& SkinMenu() const { return *menu_; }
    // The skin the menus are drawn with: MenusSkinData, else SkinData.
    TkvSkinData* MenuSkinData() const;
    // A popup menu whose items the system menu shows (the frame's entries merged in with UseDefaultSysMenu);
    // none: the frame's own default menu.
    TkvSkinPopupMenu* SystemMenu() const { return systemMenu_; }
    void SetSystemMenu(TkvSkinPopupMenu* m);
    // The entries the system menu shows now (rebuilt for the window's state on every call).
    fw::MenuItem& SystemMenuItems();
    // The popup of a frame object by its name in the skin: a plain button or a custom (cmdefault) caption button
    // opens the menu's items on its press, an animated custom button on its release; it stays pressed until the
    // menu closes. Kept across skin changes (the objects are rebuilt from every skin) and dropped when the menu
    // goes; none removes it.
    void SetObjectPopup(const std::string& objectName, TkvSkinPopupMenu* menu, bool popupAbove = false);
    // Opens an object's popup below (or above) it; false when there was nothing to show.
    bool OpenObjectPopup(const TkvActiveSkinObject& o, fw::MenuItem& items, bool popupAbove);
    // The menu a linked tray icon without a menu of its own gets.
    TkvSkinPopupMenu& TrayMenu() const { return *trayMenu_; }
    // A skinned menu is opening: the engine takes the frame's menu settings, and the application's keys go to it
    // until MenuClosed.
    void MarkSkinMenuOpen();
    // The frame's handling when its skinned menu has closed: the pressed menu button lets go, the hook goes,
    // OnSkinMenuClose fires.
    void MenuClosed();
    // Where the system menu was last asked to open (screen coordinates).
    const fw::Rect& SystemMenuAnchor() const { return systemMenuAnchor_; }
    fw::Point ScreenToFrame(fw::Point screen) const;
    fw::Rect FrameToScreen(const fw::Rect& r) const;
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
    // Without its model the frame forgets everything it built from it.
    void SkinDataGone();
    // The window procedure in three stages, one table each (KelvaneFormRoutes.cpp): the pre-step sees every
    // message, the message's own handler (false: the saved procedure follows), the handler after the form's own
    // processing.
    void FrameWndProc(fw::Message& m);
    void PreStep(const fw::Message& m);
    using MessageHandler = bool (TkvKelvaneForm::*)(fw::Message&);
    struct MessageRoute;
    const MessageRoute* FindRoute(const MessageRoute* first, const MessageRoute* last, UINT msg) const;
    // Own handlers (KelvaneForm.cpp, KelvaneFramePaint.cpp).
    bool OnNcCreate(fw::Message& m);
    bool OnCreate(fw::Message& m);
    bool OnNcCalcSize(fw::Message& m);
    bool OnNcPaint(fw::Message& m);
    bool OnEraseBackground(fw::Message& m);
    bool OnPaint(fw::Message& m);
    bool OnSyncPaint(fw::Message& m);
    bool OnSetText(fw::Message& m);
    bool OnNcActivate(fw::Message& m);
    bool OnActivateMessage(fw::Message& m);
    bool OnSize(fw::Message& m);
    bool OnSizingMessage(fw::Message& m);
    bool OnGetMinMaxInfo(fw::Message& m);
    bool OnDisplayChange(fw::Message& m);
    bool OnShowWindow(fw::Message& m);
    bool OnTimerMessage(fw::Message& m);
    bool OnDestroy(fw::Message& m);
    bool OnSkinMessage(fw::Message& m);
    bool OnResStringsChanged(fw::Message& m);
    bool OnMenuClosedMessage(fw::Message& m);
    bool OnFrameQuery(fw::Message& m);
    bool OnFramePaintTo(fw::Message& m);
    bool OnFramePaintAlt(fw::Message& m);
    // Input handlers (KelvaneFormInput.cpp).
    bool OnNcHitTest(fw::Message& m);
    bool BeforeNcLeftPress(fw::Message& m);
    bool OnMouseMove(fw::Message& m);
    bool OnCaptureChanged(fw::Message& m);
    bool OnSetCursor(fw::Message& m);
    bool OnEnterSizeMove(fw::Message& m);
    bool OnExitSizeMove(fw::Message& m);
    bool OnMoving(fw::Message& m);
    bool OnSysCommand(fw::Message& m);
    // After the form's own processing.
    bool AfterButtonUp(fw::Message& m);
    bool OnNcMouse(fw::Message& m);
    void OnTimer(fw::Message& m);
    void OnSizing(fw::Message& m);
    void CaptionDoubleClick();
    void ShortCut(WPARAM key, fw::ShiftState shift, bool& handled);
    void CloseFramePopups();
    void ReleaseMenuButtons();
    // Gives the objects their popups (after they were built).
    void ApplyObjectPopups();
    struct ObjectPopup {
        TkvSkinPopupMenu* menu = nullptr;
        bool above = false;
    };
    std::map<std::string, ObjectPopup> objectPopups_;
    void ApplyMenuSettings();
    void BuildTrayMenu();
    // An interface text from the skin's resource strings, else the built-in one.
    std::wstring MenuText(const char* key, const wchar_t* builtIn) const;
    void StopTimer(FrameTimer t);
    void StartTimer(FrameTimer t, UINT ms);
    void OnBlendTimer();
    void OnAnimationTimer();
    void UpdateInactivePanel(bool active);
    bool IsMainForm() const;
    FrameHitState HitState() const;
    RECT MonitorRect(bool whole) const;
    void CallSaved(fw::Message& m) { saved_(m); }
    bool HasBorder() const { return host_->borderStyle() != fw::BorderStyle::None; }
    bool ToolWindow() const;
    void SendNcPaint();
    void RecomputeGeometry();
    void UpdateCaptionActive(bool animate);
    void NudgeWidth();
    void PaintSkinnedFrame(HDC dc);
    void PaintDefaultFrame(HDC dc);
    void OnFadeTimer();
    void OnWindowCreated();
    void ApplyRegion(fw::Region r);

    fw::Form* host_;
    TkvBorderIcons borderIcons_;
    bool showIcon_ = false;
    bool skinMenuOpen_ = false;
    TkvSkinMenu* menu_ = nullptr;
    TkvSkinPopupMenu* systemMenu_ = nullptr;
    TkvSkinPopupMenu* trayMenu_ = nullptr;
    TkvTrayIcon* trayIcon_ = nullptr;
    fw::MenuItem defaultSysMenu_;
    ClientInactivePanel* inactivePanel_ = nullptr;
    fw::Rect systemMenuAnchor_;
    bool pollRunning_ = false;
    bool inNcPress_ = false, loopInPress_ = false;  // a size/move loop ran inside the current non-client press
    bool rolledUpBeforeMax_ = false;
    std::function<void(fw::Message&)> saved_;
    TkvSkinDataLink skinData_{[this] { SkinDataGone(); }};
    TkvSkinDataLink menusSkinData_;
    TkvSkinHint* skinHint_ = nullptr;
    std::unique_ptr<TkvLayerManager> glow_[2];
    bool alphaBlend_ = false;
    int alphaBlendValue_ = 200;
    bool skinReady_ = false;
    bool skinChanging_ = false;
    bool firstShowPending_ = true;
    TkvStretchedGeometry geometry_;
    // Off-screen pictures of the frame's top and bottom bands and of the client area, kept between paints.
    fw::DibSection frameTop_, frameBottom_, clientBuffer_;
    // The client background composed from the skin, kept for the sizes it was composed at until the skin changes.
    struct ClientBackground {
        fw::Bitmap image;
        int clientW = 0, clientH = 0, windowW = 0, windowH = 0;
    } clientBackground_;
    const fw::Bitmap& KeptClientBackground(int clientW, int clientH);
    std::vector<std::unique_ptr<TkvActiveSkinObject>> objects_;
    fw::Region frameRegion_;
    fw::Bitmap maskTop_, maskBottom_, maskLeft_, maskRight_;
    fw::Size designedClient_{-1, -1};  // the form's client size before the frame changed its border
    bool inPaint_ = false;             // inside our own WM_PAINT: the erase it triggers is covered by the paint
};

// Registers TkvKelvaneForm for form descriptions.
namespace fw {
class ClassRegistry;
}
void RegisterKelvaneFormClass(fw::ClassRegistry& classes);
