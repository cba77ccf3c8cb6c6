// The menu engine and the behaviour of its popups: showing and placing them, the pointer, scrolling, the keyboard,
// sub-menus with their delay, item commands and closing. Drawing is in kvSkinMenuPaint.cpp.
#include "skin/frame/kvSkinMenus.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

#include "framework/Utf.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/imaging/PlatformRegion.h"

namespace {
// Platform timer ids on a popup's window.
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT_PTR kPollTimer = 2;
constexpr UINT_PTR kBlendTimer = 3;
constexpr UINT_PTR kAnimationTimer = 4;
constexpr UINT kScrollInterval = 100, kPollInterval = 50, kBlendInterval = 20, kSubmenuDelay = 500;

bool platformAtLeast(int major, int minor) {
    const DWORD v = GetVersion();
    const int ma = LOBYTE(LOWORD(v)), mi = HIBYTE(LOWORD(v));
    return ma > major || (ma == major && mi >= minor);
}

RECT workAreaNear(HWND h) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    HMONITOR mon = MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST);
    if (mon && GetMonitorInfoW(mon, &mi)) return mi.rcWork;
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

const TkvDataSkinMenuItem* firstMenuItemSkin(const TkvSkinData* skin) {
    if (!skin || skin->Empty()) return nullptr;
    for (const auto& d : skin->ObjectDescriptions())
        if (auto* m = dynamic_cast<const TkvDataSkinMenuItem*>(d.get())) return m;
    return nullptr;
}

const fw::Bitmap* pictureAt(const TkvSkinData* skin, int index) {
    if (!skin || index < 0 || index >= static_cast<int>(skin->ActivePictures.size())) return nullptr;
    const fw::Bitmap& b = skin->ActivePictures[static_cast<std::size_t>(index)];
    return b.empty() ? nullptr : &b;
}
}  // namespace

// ---- items

TkvSkinMenuItem::TkvSkinMenuItem(TkvSkinPopupWindow& window, fw::MenuItem& item)
    : Window(&window), ItemSkin(window.ItemSkin), Item(&item) {
    if (ItemSkin) HotPicture = pictureAt(window.MenuSkin, ItemSkin->ActivePictureIndex);
}

bool TkvSkinMenuItem::HasChildren() const {
    for (int i = 0; i < Item->count(); ++i)
        if (Item->item(i).visible) return true;
    return false;
}

bool TkvSkinMenuItem::Animates() const {
    return ItemSkin && HotPicture && Window->WindowSkin && Window->MenuSkin && Window->MenuSkin->EnableSkinEffects &&
           !ItemSkin->AnimateSkinRect.empty() && ItemSkin->FrameCount > 0;
}

void TkvSkinMenuItem::StartAnimation() {
    if (!Animates()) return;
    AnimFrame = Active() ? 1 : (ItemSkin->InactiveAnimation ? ItemSkin->FrameCount : 0);
}

bool TkvSkinMenuItem::AnimationTick() {
    if (!Animates() || AnimFrame == 0) return false;
    if (Active()) AnimFrame = AnimFrame >= ItemSkin->FrameCount ? 0 : AnimFrame + 1;
    else --AnimFrame;
    return AnimFrame != 0;
}

// ---- popup windows

TkvSkinPopupWindow::TkvSkinPopupWindow(TkvSkinMenu& engine, fw::MenuItem& parentItem)
    : fw::PopupWindow(nullptr), Engine(engine), ParentItem(parentItem), MenuSkin(engine.MenuSkin) {
    if (MenuSkin && !MenuSkin->Empty()) {
        const TkvDataSkinPopupWindow& pw = MenuSkin->PopupWindow();
        if (pw.WindowPictureIndex != -1 && pictureAt(MenuSkin, pw.WindowPictureIndex)) {
            WindowSkin = &pw;
            PopupPicture = pictureAt(MenuSkin, pw.WindowPictureIndex);
            PopupMask = pictureAt(MenuSkin, pw.MaskPictureIndex);
        }
        ItemSkin = firstMenuItemSkin(MenuSkin);
    }
    if (engine.OwnerForm && engine.OwnerForm->handleAllocated()) setOwnerWindow(engine.OwnerForm->handle());
    setDropShadow(platformAtLeast(5, 1));
}

TkvSkinPopupWindow::~TkvSkinPopupWindow() = default;

int TkvSkinPopupWindow::IndexOf(const TkvSkinMenuItem* item) const {
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (Items[i].get() == item) return static_cast<int>(i);
    return -1;
}

void TkvSkinPopupWindow::ShowPopup(const fw::Rect& anchor, bool popupAbove, bool isSubmenu, int startIndex) {
    // The font: the skin's item font when the popup is skinned, else the engine's default.
    if (WindowSkin && ItemSkin && Engine.UseSkinFont) {
        fw::FontStyle style{ItemSkin->FontStyle.bold, ItemSkin->FontStyle.italic, ItemSkin->FontStyle.underline,
                            ItemSkin->FontStyle.strikeOut};
        ItemFont = fw::Font(fw::utf8ToWide(ItemSkin->FontName), ItemSkin->FontHeight, style);
    } else {
        ItemFont = Engine.ItemFontDefault;
    }
    const TkvResourceStrData* strings = MenuSkin ? MenuSkin->ResourceStrData() : nullptr;
    ItemFont.setCharset(strings ? strings->CharSet : Engine.ItemFontDefault.charset());

    for (int i = std::max(0, startIndex); i < ParentItem.count(); ++i) {
        fw::MenuItem& child = ParentItem.item(i);
        if (child.visible) Items.push_back(std::make_unique<TkvSkinMenuItem>(*this, child));
    }

    // Size: the widest text decides the width, the items (or the visible-item limit) the height.
    Metrics = PopupMetricsFrom(WindowSkin ? MenuSkin : nullptr, ItemSkin, Engine.ItemHeightDefault);
    int maxText = 0;
    {
        fw::DibSection probe(1, 1);
        fw::Canvas& c = probe.canvas();
        c.setFont(ItemFont);
        for (const auto& it : Items) {
            if (it->Separator()) continue;
            std::wstring text = fw::captionWithoutAccessKey(it->Item->caption);
            if (!it->Item->shortcut.empty()) text += L"  " + it->Item->shortcut;
            maxText = std::max(maxText, c.textWidth(text) + 2);
        }
    }
    MenuGlyphWidth = 19;  // no image lists in this framework: the glyph column of the check marks
    std::vector<int> heights;
    for (const auto& it : Items) heights.push_back(ItemHeight(Metrics, it->Separator()));
    const int w = PopupWidth(Metrics, maxText, MenuGlyphWidth);
    const PopupHeight ph = MeasurePopupHeight(Metrics, heights, Engine.MaxVisibleItems,
                                              Engine.MonitorWorkArea.height());
    Scrolling = ph.scrolling;
    ScrollByLimit = ph.byLimit;
    const fw::Size size{w, ph.height};
    Points = PopupCornersFor(Metrics, size);
    ItemsArea = Points.client;
    FirstVisible = 0;
    Restack();

    // The popup's shape from the skin's mask.
    if (WindowSkin && PopupMask) {
        const SkinCorners src{WindowSkin->LeftTopPoint, WindowSkin->RightTopPoint, WindowSkin->LeftBottomPoint,
                              WindowSkin->RightBottomPoint, WindowSkin->ItemsRect};
        if (auto region = ComposeMaskRegion(PopupMask->view(), src, Points, w, ph.height)) {
            PopupRegion = CreatePlatformRegion(*region);
            SetWindowRegionCopy(handle(), PopupRegion);
        }
    }

    const PopupKind kind = isSubmenu    ? PopupKind::Submenu
                           : popupAbove ? PopupKind::TopLevelAbove
                                        : PopupKind::TopLevelDown;
    ShowAt = PlacePopup(anchor, Engine.MonitorWorkArea, size, ItemsArea.top, kind, Scrolling && !ScrollByLimit);

    const bool blend = Engine.BlendOn && platformAtLeast(5, 0);
    if (blend) {
        HWND h = handle();
        SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(
            h, 0, static_cast<BYTE>(Engine.FirstPopup && Engine.BlendAnimation ? 0 : Engine.BlendValue), LWA_ALPHA);
    }
    showAt(fw::Rect::fromSize(ShowAt.x, ShowAt.y, w, ph.height));
    if (blend && Engine.FirstPopup && Engine.BlendAnimation) {
        // The fade-in: a short busy loop on this thread, 10 steps of alpha every 5 ms.
        UpdateWindow(handle());
        int alpha = 0;
        DWORD last = GetTickCount();
        while (alpha < Engine.BlendValue) {
            if (GetTickCount() - last >= 5) {
                alpha = std::min(alpha + 10, Engine.BlendValue);
                SetLayeredWindowAttributes(handle(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
                last = GetTickCount();
            }
        }
    }

    startTimer(kPollTimer, kPollInterval);
    HotItem = -1;
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->Selectable()) {
            Items[i]->KeyboardSelected = true;
            HotItem = static_cast<int>(i);
            SelectItem(HotItem, true);
            break;
        }
}

void TkvSkinPopupWindow::Restack() {
    std::vector<int> heights;
    for (const auto& it : Items) heights.push_back(ItemHeight(Metrics, it->Separator()));
    const StackedItems s = StackItems(heights, ItemsArea, Scrolling, FirstVisible);
    for (std::size_t i = 0; i < Items.size(); ++i) {
        Items[i]->ItemBounds = s.bounds[i];
        Items[i]->InView = s.inView[i];
    }
    ShownCount = s.shownCount;
}

void TkvSkinPopupWindow::EnsureVisible(int index) {
    if (!Scrolling || index < 0) return;
    std::vector<int> heights;
    for (const auto& it : Items) heights.push_back(ItemHeight(Metrics, it->Separator()));
    const int first = FirstVisibleFor(heights, ItemsArea, Scrolling, FirstVisible, index);
    if (first != FirstVisible) {
        FirstVisible = first;
        Restack();
        invalidate();
    }
}

void TkvSkinPopupWindow::RepaintItem(int index) {
    if (index < 0 || index >= static_cast<int>(Items.size()) || !handleAllocated()) return;
    const TkvSkinMenuItem& it = *Items[static_cast<std::size_t>(index)];
    if (!it.InView) return;
    const RECT r = fw::toRECT(it.ItemBounds);
    InvalidateRect(handle(), &r, FALSE);
}

void TkvSkinPopupWindow::SelectItem(int index, bool byKeyboard) {
    if (index < 0 || index >= static_cast<int>(Items.size())) return;
    TkvSkinMenuItem& it = *Items[static_cast<std::size_t>(index)];
    const bool wasKeyboardSelected = it.KeyboardSelected;
    it.Highlighted = true;
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (static_cast<int>(i) != index && Items[i]->SubmenuOpen) {
            Items[i]->SubmenuOpen = false;
            RepaintItem(static_cast<int>(i));
        }
    if (wasKeyboardSelected && !byKeyboard) {
        RepaintItem(index);
    } else if (it.SubmenuOpen) {
        const int level = Engine.LevelOf(this);
        if (level >= 0) Engine.CloseFrom(level + 2);
    } else {
        RepaintItem(index);
        Engine.ItemAction(*this, it, byKeyboard, false);
    }
    StartItemEffects(it);
}

void TkvSkinPopupWindow::StartItemEffects(TkvSkinMenuItem& it) {
    if (!handleAllocated()) return;
    if (it.ItemSkin && it.ItemSkin->Morphing) startTimer(kBlendTimer, kBlendInterval);
    it.StartAnimation();
    if (it.AnimFrame != 0) startTimer(kAnimationTimer, static_cast<UINT>(std::max(10, it.ItemSkin->AnimateInterval)));
}

void TkvSkinPopupWindow::DeselectItem(int index) {
    if (index < 0 || index >= static_cast<int>(Items.size())) return;
    TkvSkinMenuItem& it = *Items[static_cast<std::size_t>(index)];
    it.Highlighted = false;
    it.KeyboardSelected = false;
    if (!it.SubmenuOpen) RepaintItem(index);
    if (Engine.PendingItem == &it) {
        Engine.SubmenuDelayTimer.setEnabled(false);
        Engine.PendingItem = nullptr;
    }
    StartItemEffects(it);
}

void TkvSkinPopupWindow::SetHot(int index, bool byKeyboard) {
    if (index == HotItem) return;
    PrevHotItem = HotItem;
    if (PrevHotItem >= 0 && Items[static_cast<std::size_t>(PrevHotItem)]->Selectable()) DeselectItem(PrevHotItem);
    HotItem = index;
    if (index >= 0 && Items[static_cast<std::size_t>(index)]->Selectable()) SelectItem(index, byKeyboard);
}

void TkvSkinPopupWindow::TrackPointer(fw::Point screen) {
    const fw::Point p = screenToClient(screen);
    if (Scrolling) {
        const fw::Rect upper{ItemsArea.left, ItemsArea.top, ItemsArea.right, ItemsArea.top + kScrollMarkerHeight};
        const fw::Rect lower{ItemsArea.left, ItemsArea.bottom - kScrollMarkerHeight, ItemsArea.right, ItemsArea.bottom};
        const bool canDown = FirstVisible + ShownCount < static_cast<int>(Items.size());
        int direction = 0;
        if (upper.contains(p) && FirstVisible > 0) direction = 1;
        else if (lower.contains(p) && canDown) direction = 2;
        if (direction != 0 && ScrollDirection == 0) {
            ScrollDirection = direction;
            invalidate();
            const int level = Engine.LevelOf(this);
            if (level >= 0) Engine.CloseFrom(level + 1);
            startTimer(kScrollTimer, kScrollInterval);
        } else if (!upper.contains(p) && !lower.contains(p) && ScrollDirection != 0) {
            StopScrolling();
        }
    }
    int hot = -1;
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->InView && Items[i]->ItemBounds.contains(p)) {
            hot = static_cast<int>(i);
            break;
        }
    if (hot < 0) return;
    TkvSkinMenuItem& it = *Items[static_cast<std::size_t>(hot)];
    if (hot == HotItem) {
        if (it.KeyboardSelected) {
            it.KeyboardSelected = false;
            if (it.HasChildren()) SelectItem(hot, false);
        }
        return;
    }
    SetHot(hot, false);
}

void TkvSkinPopupWindow::StopScrolling() {
    if (ScrollDirection == 0) return;
    ScrollDirection = 0;
    stopTimer(kScrollTimer);
    invalidate();
}

void TkvSkinPopupWindow::ScrollStep() {
    POINT pt{};
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) != handle()) {
        StopScrolling();
        return;
    }
    const int n = static_cast<int>(Items.size());
    if (ScrollDirection == 1 && FirstVisible > 0) {
        --FirstVisible;
    } else if (ScrollDirection == 2 && FirstVisible + ShownCount < n) {
        ++FirstVisible;
    } else {
        StopScrolling();
        return;
    }
    Restack();
    invalidate();
    if ((ScrollDirection == 1 && FirstVisible == 0) || (ScrollDirection == 2 && FirstVisible + ShownCount >= n))
        StopScrolling();
}

void TkvSkinPopupWindow::MouseReleased(fw::Point client, bool left) {
    TrackPointer(clientToScreen(client));
    if (!left || HotItem < 0) return;
    TkvSkinMenuItem& it = *Items[static_cast<std::size_t>(HotItem)];
    if (!it.InView || !it.ItemBounds.contains(client) || it.Separator()) return;
    it.KeyboardSelected = false;
    if (!it.SubmenuOpen && it.Enabled()) Engine.ItemAction(*this, it, false, true);
}

void TkvSkinPopupWindow::KeyDown(WPARAM key) {
    if (!visible()) return;
    const int n = static_cast<int>(Items.size());
    const int level = Engine.LevelOf(this);
    auto closeThisLevel = [&] {
        if (level >= 1) {
            TkvSkinPopupWindow& parent = *Engine.OpenWindows[static_cast<std::size_t>(level - 1)];
            for (std::size_t i = 0; i < parent.Items.size(); ++i)
                if (parent.Items[i]->SubmenuOpen) {
                    parent.Items[i]->SubmenuOpen = false;
                    parent.RepaintItem(static_cast<int>(i));
                }
            Engine.CloseFrom(level);
        }
    };
    switch (key) {
        case VK_RETURN:
            if (HotItem >= 0 && Items[static_cast<std::size_t>(HotItem)]->Selectable())
                Engine.ItemAction(*this, *Items[static_cast<std::size_t>(HotItem)], true, true);
            return;
        case VK_ESCAPE:
            if (level >= 1) closeThisLevel();
            else Engine.CloseFrom(0);
            return;
        case VK_LEFT: closeThisLevel(); return;
        case VK_RIGHT:
            if (HotItem >= 0 && Items[static_cast<std::size_t>(HotItem)]->HasChildren() &&
                Items[static_cast<std::size_t>(HotItem)]->Selectable())
                Engine.ItemAction(*this, *Items[static_cast<std::size_t>(HotItem)], true, true);
            return;
        case VK_UP:
        case VK_DOWN: {
            std::vector<bool> selectable;
            for (const auto& it : Items) selectable.push_back(it->Selectable());
            const int next = NextSelectable(selectable, HotItem, key == VK_DOWN);
            if (next < 0 || next == HotItem) return;
            EnsureVisible(next);
            if (HotItem >= 0 && Items[static_cast<std::size_t>(HotItem)]->Selectable()) DeselectItem(HotItem);
            PrevHotItem = HotItem;
            HotItem = next;
            Items[static_cast<std::size_t>(next)]->KeyboardSelected = true;
            SelectItem(next, true);
            return;
        }
        default: break;
    }
    // An access key: the first item whose marked letter is the key.
    for (int i = 0; i < n; ++i) {
        TkvSkinMenuItem& it = *Items[static_cast<std::size_t>(i)];
        const wchar_t ch = fw::accessKeyOf(it.Item->caption);
        if (ch == 0 || static_cast<WPARAM>(std::towupper(ch)) != key) continue;
        if (!it.Selectable()) return;
        EnsureVisible(i);
        it.KeyboardSelected = true;
        SetHot(i, true);
        if (HotItem == i) Engine.ItemAction(*this, it, true, true);
        return;
    }
}

void TkvSkinPopupWindow::OnBlendTimer() {
    bool running = false;
    for (std::size_t i = 0; i < Items.size(); ++i) {
        TkvSkinMenuItem& it = *Items[i];
        const double target = it.Active() ? 1.0 : 0.0;
        if (it.BlendLevel == target) continue;
        it.BlendLevel = target > it.BlendLevel ? std::min(1.0, it.BlendLevel + 0.2)
                                               : std::max(0.0, it.BlendLevel - 0.2);
        RepaintItem(static_cast<int>(i));
        running = running || it.BlendLevel != target;
    }
    if (!running) stopTimer(kBlendTimer);
}

void TkvSkinPopupWindow::OnAnimationTimer() {
    bool running = false;
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->AnimFrame != 0) {
            running = Items[i]->AnimationTick() || running;
            RepaintItem(static_cast<int>(i));
        }
    if (!running) stopTimer(kAnimationTimer);
}

void TkvSkinPopupWindow::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_ERASEBKGND: m.result = 1; return;
        case WM_TIMER:
            m.result = 0;
            if (m.wParam == kPollTimer) {
                POINT pt{};
                GetCursorPos(&pt);
                const fw::Point p{pt.x, pt.y};
                if (p == lastPointer_) return;
                lastPointer_ = p;
                if (WindowFromPoint(pt) == handle()) TrackPointer(p);
                else if (ScrollDirection != 0) StopScrolling();
            } else if (m.wParam == kScrollTimer) {
                ScrollStep();
            } else if (m.wParam == kBlendTimer) {
                OnBlendTimer();
            } else if (m.wParam == kAnimationTimer) {
                OnAnimationTimer();
            }
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            MouseReleased({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}, m.msg == WM_LBUTTONUP);
            m.result = 0;
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            m.result = 0;  // a press only chooses where the release goes
            return;
        default: fw::PopupWindow::wndProc(m);
    }
}

// ---- the engine

TkvSkinMenu::TkvSkinMenu(fw::Component* owner, fw::Form* ownerForm)
    : fw::Component(owner),
      OwnerForm(ownerForm),
      SubmenuDelayTimer(create<fw::Timer>(kSubmenuDelay)),
      reaper_(create<fw::Timer>(1u)) {
    SubmenuDelayTimer.onTimer = [this](fw::Component*) {
        SubmenuDelayTimer.setEnabled(false);
        TkvSkinMenuItem* item = PendingItem;
        PendingItem = nullptr;
        if (item) ItemAction(*item->Window, *item, false, true);
    };
    reaper_.onTimer = [this](fw::Component*) {
        reaper_.setEnabled(false);
        retired_.clear();
    };
}

TkvSkinMenu::~TkvSkinMenu() {
    OpenWindows.clear();
    retired_.clear();
}

void TkvSkinMenu::notification(fw::Component* c, fw::Operation op) {
    fw::Component::notification(c, op);
    if (op != fw::Operation::Remove) return;
    if (c == NotifyControl) NotifyControl = nullptr;
    if (c == LastNotifyControl) LastNotifyControl = nullptr;
    if (c == MenuSkin) {
        CloseFrom(0);
        MenuSkin = nullptr;
    }
}

void TkvSkinMenu::SetNotifyControl(fw::Control* c) {
    if (NotifyControl && NotifyControl != LastNotifyControl) removeFreeNotification(NotifyControl);
    NotifyControl = c;
    if (c) freeNotification(c);
}

void TkvSkinMenu::SetLastNotifyControl(fw::Control* c) {
    if (LastNotifyControl && LastNotifyControl != NotifyControl) removeFreeNotification(LastNotifyControl);
    LastNotifyControl = c;
    if (c) freeNotification(c);
}

void TkvSkinMenu::Notify(fw::Control* c, UINT msg) {
    if (!c) return;
    if (fw::WindowedControl* w = c->asWindowed(); w && w->handleAllocated()) SendMessageW(w->handle(), msg, 0, 0);
    else c->perform(msg, 0, 0);
}

int TkvSkinMenu::LevelOf(const TkvSkinPopupWindow* popup) const {
    for (std::size_t i = 0; i < OpenWindows.size(); ++i)
        if (OpenWindows[i].get() == popup) return static_cast<int>(i);
    return -1;
}

void TkvSkinMenu::PopupMenu(fw::Control* control, TkvSkinData* skin, bool popupAbove, fw::MenuItem& parentItem,
                            const fw::Rect& anchor, int startIndex) {
    FirstPopup = !Showing;
    CloseFrom(0);
    SetNotifyControl(control);
    if (MenuSkin && MenuSkin != skin) removeFreeNotification(MenuSkin);
    MenuSkin = skin;
    if (skin) freeNotification(skin);
    HWND owner = OwnerForm && OwnerForm->handleAllocated() ? OwnerForm->handle() : nullptr;
    MonitorWorkArea = fw::fromRECT(workAreaNear(owner));
    int visibleChildren = 0;
    for (int i = std::max(0, startIndex); i < parentItem.count(); ++i)
        if (parentItem.item(i).visible) ++visibleChildren;
    if (visibleChildren == 0) return;
    Showing = true;
    OpenWindows.push_back(std::make_unique<TkvSkinPopupWindow>(*this, parentItem));
    TkvSkinPopupWindow* popup = OpenWindows.back().get();
    popup->ShowPopup(anchor, popupAbove, false, startIndex);
    FirstPopup = false;
}

void TkvSkinMenu::CloseFrom(int level) {
    level = std::max(level, 0);
    while (static_cast<int>(OpenWindows.size()) > level) {
        std::unique_ptr<TkvSkinPopupWindow> popup = std::move(OpenWindows.back());
        OpenWindows.pop_back();
        if (PendingItem && PendingItem->Window == popup.get()) {
            SubmenuDelayTimer.setEnabled(false);
            PendingItem = nullptr;
        }
        if (popup->handleAllocated()) DestroyWindow(popup->handle());
        retired_.push_back(std::move(popup));
        reaper_.setEnabled(true);
    }
    if (level == 0 && Showing) {
        Showing = false;
        SubmenuDelayTimer.setEnabled(false);
        PendingItem = nullptr;
        fw::Control* opener = NotifyControl;
        SetLastNotifyControl(opener);
        SetNotifyControl(nullptr);
        Notify(opener, SKIN_MSG_MENU_CLOSED);
        if (CloseCallback) {
            auto callback = std::move(CloseCallback);
            CloseCallback = nullptr;
            callback();
        }
    }
}

void TkvSkinMenu::HideMenu() {
    CloseFrom(0);
    PendingItem = nullptr;
    if (OwnerForm && OwnerForm->handleAllocated()) SendMessageW(OwnerForm->handle(), SKIN_MSG_MENU_CLOSED, 0, 0);
    Notify(LastNotifyControl, SKIN_MSG_MENU_CLOSED);
}

void TkvSkinMenu::ItemAction(TkvSkinPopupWindow& popup, TkvSkinMenuItem& item, bool byKeyboard, bool click) {
    const int level = LevelOf(&popup);
    if (level < 0) return;
    auto cancelDelay = [this] {
        SubmenuDelayTimer.setEnabled(false);
        PendingItem = nullptr;
    };
    if (!item.HasChildren()) {
        if (!click) {
            CloseFrom(level + 1);
            cancelDelay();
            return;
        }
        cancelDelay();
        fw::MenuItem* command = item.Item;  // the popups and their items go with HideMenu
        HideMenu();
        command->click();
        if (fw::Control* c = LastNotifyControl) {
            SetLastNotifyControl(nullptr);
            Notify(c, SKIN_MSG_MENU_COMMAND);
        }
        return;
    }
    if (!click) {
        // The old sub-menu goes; a new one opens after the pointer has rested (never by the keyboard's moves).
        CloseFrom(level + 1);
        if (!byKeyboard) {
            PendingItem = &item;
            SubmenuDelayTimer.setEnabled(false);
            SubmenuDelayTimer.setEnabled(true);
        }
        return;
    }
    item.Item->click();
    cancelDelay();
    CloseFrom(level + 1);
    item.SubmenuOpen = true;
    popup.RepaintItem(popup.IndexOf(&item));
    const fw::Rect anchor = item.ItemBounds.offset(popup.left(), popup.top());
    OpenWindows.push_back(std::make_unique<TkvSkinPopupWindow>(*this, *item.Item));
    OpenWindows.back()->ShowPopup(anchor, false, true, 0);
}

void TkvSkinMenu::KeyDown(WPARAM key) {
    if (!OpenWindows.empty()) OpenWindows.back()->KeyDown(key);
}
