// Skinned popup menus: the menu engine of a frame (TkvSkinMenu), its popup windows (TkvSkinPopupWindow) with their
// items (TkvSkinMenuItem), and the popup-menu component that forms and controls use (TkvSkinPopupMenu). Menus are
// not the platform's: each popup is a top-level window that never takes the focus, drawn from the skin's
// [POPUPWINDOW] and `menuitem` descriptions (or a plain default look), tracked by timers and, for the keyboard,
// by the frame's hook on the application's message stream.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/DibSection.h"
#include "framework/Form.h"
#include "framework/MenuItem.h"
#include "framework/PopupWindow.h"
#include "framework/Timer.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinDataLink.h"
#include "skin/frame/MenuLayout.h"

class TkvSkinMenu;
class TkvSkinPopupWindow;
class TkvKelvaneForm;

// The frame's own menu entries get the caption buttons' glyphs by these names.
inline constexpr char kItemMinimize[] = "KLF_MINITEM";
inline constexpr char kItemMaximize[] = "KLF_MAXITEM";
inline constexpr char kItemRestore[] = "KLF_RESTORE";
inline constexpr char kItemRollUp[] = "KLF_ROLLUP";
inline constexpr char kItemMinToTray[] = "KLF_MINTOTRAY";
inline constexpr char kItemClose[] = "KLF_CLOSE";
inline constexpr char kTrayItemRestore[] = "TRAY_KLF_RESTORE";
inline constexpr char kTrayItemClose[] = "TRAY_KLF_CLOSE";

// One entry of a popup.
class TkvSkinMenuItem {
public:
    TkvSkinMenuItem(TkvSkinPopupWindow& window, fw::MenuItem& item);

    TkvSkinPopupWindow* Window;
    const TkvDataSkinMenuItem* ItemSkin;
    const fw::Bitmap* HotPicture = nullptr;
    fw::MenuItem* Item;
    fw::Rect ItemBounds;
    bool InView = false;
    bool Highlighted = false;
    bool SubmenuOpen = false;
    bool KeyboardSelected = false;
    double BlendLevel = 0;
    int AnimFrame = 0;

    bool Separator() const { return Item->isSeparator(); }
    bool Enabled() const { return Item->enabled; }
    bool HasChildren() const;
    // Enabled and not a separator: the items the pointer and the keyboard select.
    bool Selectable() const { return Enabled() && !Separator(); }
    bool Active() const { return Highlighted || SubmenuOpen; }
    // The skin gives the item's background as a frame animation (and skin effects are on).
    bool Animates() const;
    // Starts the frames towards the active (or, with `inactiveanimation`, back to the normal) look.
    void StartAnimation();
    // One step; false when the animation has ended.
    bool AnimationTick();
    // Draws the item at its bounds into the popup's image.
    void Draw(fw::DibSection& popupImage);

private:
    void DrawSkinned(fw::DibSection& img);
    void DrawDefault(fw::DibSection& img);
    void DrawGlyph(fw::DibSection& img, int x, int y, fw::Color color, bool active);
};

class TkvSkinPopupWindow : public fw::PopupWindow {
public:
    TkvSkinPopupWindow(TkvSkinMenu& engine, fw::MenuItem& parentItem);
    ~TkvSkinPopupWindow() override;

    TkvSkinMenu& Engine;
    fw::MenuItem& ParentItem;
    TkvSkinData* MenuSkin;
    const TkvDataSkinPopupWindow* WindowSkin = nullptr;
    const fw::Bitmap* PopupPicture = nullptr;
    const fw::Bitmap* PopupMask = nullptr;
    const TkvDataSkinMenuItem* ItemSkin = nullptr;
    std::vector<std::unique_ptr<TkvSkinMenuItem>> Items;
    int HotItem = -1, PrevHotItem = -1;
    bool Scrolling = false, ScrollByLimit = false;
    int ScrollDirection = 0;  // 0 none, 1 up, 2 down
    int FirstVisible = 0, ShownCount = 0;
    fw::Rect ItemsArea;
    SkinCorners Points;  // the window picture's corner points stretched to the popup
    fw::Point ShowAt;
    fw::Region PopupRegion;
    int MenuGlyphWidth = 19;
    fw::Bitmap BackgroundBuffer;
    fw::Font ItemFont;
    PopupMetrics Metrics;

    // Builds the items from startIndex on, sizes, places and shows the popup for the anchor (screen coordinates).
    void ShowPopup(const fw::Rect& anchor, bool popupAbove, bool isSubmenu, int startIndex);
    int IndexOf(const TkvSkinMenuItem* item) const;
    // Selecting and deselecting by pointer or keyboard (the item's look, sub-menus, the engine's item action).
    void SelectItem(int index, bool byKeyboard);
    void DeselectItem(int index);
    // The pointer at a screen point (poll tick or release): scroll markers and the hot item.
    void TrackPointer(fw::Point screen);
    void MouseReleased(fw::Point client, bool left);
    // A key of the keyboard while this popup is the top one.
    void KeyDown(WPARAM key);
    void RepaintItem(int index);
    void ScrollStep();
    void StopScrolling();

protected:
    void wndProc(fw::Message& m) override;
    void paintWindow(HDC dc, const fw::Rect& area) override;

private:
    void Restack();
    void EnsureVisible(int index);
    void ComposeBackground(fw::DibSection& img, bool fillItems);
    void DrawScrollMarkers(fw::DibSection& img);
    void SetHot(int index, bool byKeyboard);
    void OnBlendTimer();
    void OnAnimationTimer();
    void StartItemEffects(TkvSkinMenuItem& item);
    fw::Point lastPointer_{-1, -1};
};

class TkvSkinMenu : public fw::Component {
public:
    TkvSkinMenu(fw::Component* owner, fw::Form* ownerForm);
    ~TkvSkinMenu() override;

    fw::Form* OwnerForm;
    std::vector<std::unique_ptr<TkvSkinPopupWindow>> OpenWindows;
    bool Showing = false;
    bool FirstPopup = false;
    fw::Rect MonitorWorkArea;
    TkvSkinData* MenuSkin = nullptr;
    fw::Control* NotifyControl = nullptr;
    fw::Control* LastNotifyControl = nullptr;
    fw::Timer& SubmenuDelayTimer;
    TkvSkinMenuItem* PendingItem = nullptr;
    // Settings the frame copies in.
    bool UseSkinFont = true;
    int ItemHeightDefault = 20;
    fw::Font ItemFontDefault{L"Arial", 14};
    bool BlendOn = false;
    int BlendValue = 150;
    bool BlendAnimation = false;
    int MaxVisibleItems = 0;
    // Called once when the menu closes, then cleared.
    std::function<void()> CloseCallback;

    void PopupMenu(fw::Control* control, TkvSkinData* skin, bool popupAbove, fw::MenuItem& parentItem,
                   const fw::Rect& anchor, int startIndex);
    void CloseFrom(int level);
    void HideMenu();
    void ItemAction(TkvSkinPopupWindow& popup, TkvSkinMenuItem& item, bool byKeyboard, bool click);
    int LevelOf(const TkvSkinPopupWindow* popup) const;
    // Gives a key to the top popup.
    void KeyDown(WPARAM key);

    void notification(fw::Component* c, fw::Operation op) override;

private:
    void Notify(fw::Control* c, UINT msg);
    void SetNotifyControl(fw::Control* c);
    void SetLastNotifyControl(fw::Control* c);
    // Closed popups wait here until the message loop is back: one may be closing from inside its own window
    // procedure. Their windows are destroyed at once.
    std::vector<std::unique_ptr<TkvSkinPopupWindow>> retired_;
    fw::Timer& reaper_;
};

// A popup menu whose popups are shown by a frame's menu engine.
class TkvSkinPopupMenu : public fw::PopupMenu {
public:
    explicit TkvSkinPopupMenu(fw::Component* owner = nullptr);

    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* d);
    TkvKelvaneForm* SkinComponent() const { return skinComponent_; }
    void SetSkinComponent(TkvKelvaneForm* f);
    fw::Form* ComponentForm() const { return componentForm_; }
    void SetComponentForm(fw::Form* f);
    fw::NotifyEvent OnMenuClose;
    fw::Point LastPopupPoint() const { return lastPoint_; }

    void popup(int x, int y) override { PopupAt(x, y); }
    void popupFor(fw::Control* opener, const fw::Rect& screenRect) override {
        PopupForButton(opener, screenRect, false);
    }
    void PopupAt(int x, int y);
    void PopupFromRect(const fw::Rect& r, bool popupAbove);
    void PopupForButton(fw::Control* button, const fw::Rect& r, bool popupAbove);
    void PopupForControl(fw::Control* control, int x, int y);

    void notification(fw::Component* c, fw::Operation op) override;

private:
    TkvKelvaneForm* FindFrame() const;
    void Show(fw::Control* control, const fw::Rect& r, bool popupAbove, bool needSkin);

    TkvSkinDataLink skinData_;
    TkvKelvaneForm* skinComponent_ = nullptr;
    fw::Form* componentForm_ = nullptr;
    fw::Point lastPoint_{-1, -1};
};
