// The frame's menus: its menu engine, the system menu (its entries, their commands, where it opens), the tray menu,
// the application message hook while a skinned menu is open, and the handling when a menu has closed.
#include "framework/Application.h"
#include "framework/Utf.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinButtonObjects.h"
#include "skin/frame/kvSkinMenus.h"

namespace {
// Every entry the frame merges into a menu of the user's.
constexpr const char* kFrameEntries[] = {kItemMinimize, kItemMaximize,  kItemRestore,
                                         kItemRollUp,   kItemMinToTray, kItemClose};
}  // namespace

std::wstring TkvKelvaneForm::MenuText(const char* key, const wchar_t* builtIn) const {
    const TkvResourceStrData* r = skinData_ ? skinData_->ResourceStrData() : nullptr;
    return r ? fw::utf8ToWide(r->GetResourceStr(key)) : std::wstring(builtIn);
}

TkvSkinData* TkvKelvaneForm::MenuSkinData() const { return menusSkinData_ ? menusSkinData_ : skinData_; }

void TkvKelvaneForm::SetSystemMenu(TkvSkinPopupMenu* m) {
    if (systemMenu_ && systemMenu_ != m) removeFreeNotification(systemMenu_);
    systemMenu_ = m;
    if (m) freeNotification(m);
}

void TkvKelvaneForm::BuildTrayMenu() {
    trayMenu_ = &create<TkvSkinPopupMenu>();
    trayMenu_->SetComponentForm(host_);
    fw::MenuItem& items = trayMenu_->items();
    items.clear();
    fw::MenuItem& restore = items.add(MenuText("MI_RESTORECAPTION", L"&Restore"), kTrayItemRestore);
    restore.onClick = [this](fw::MenuItem&) { BackFromTray(); };
    items.add(L"-");
    fw::MenuItem& close = items.add(MenuText("MI_CLOSECAPTION", L"&Close"), kTrayItemClose);
    close.shortcut = L"Alt+F4";
    close.onClick = [this](fw::MenuItem&) { host_->close(); };
}

fw::MenuItem& TkvKelvaneForm::SystemMenuItems() {
    const bool minimized = FrameWindowState == TkvFrameWindowState::Minimized;
    const bool maximized = FrameWindowState == TkvFrameWindowState::Maximized;
    struct Entry {
        const char* name;
        bool shown;
        const char* key;
        const wchar_t* builtIn;
        std::function<void()> action;
    };
    const Entry minimize{kItemMinimize, borderIcons_.biMinimize && !minimized, "MI_MINCAPTION", L"Mi&nimize", [this] {
                             if (AlwaysMinimizeToTray) SendToTray();
                             else SetFrameWindowState(TkvFrameWindowState::Minimized);
                         }};
    const Entry maximize{kItemMaximize, borderIcons_.biMaximize && !maximized, "MI_MAXCAPTION", L"Ma&ximize",
                         [this] { SetFrameWindowState(TkvFrameWindowState::Maximized); }};
    const Entry restore{kItemRestore, FrameWindowState != TkvFrameWindowState::Normal || RolledUp, "MI_RESTORECAPTION",
                        L"&Restore", [this] {
                            if (RolledUp &&
                                (FrameWindowState == TkvFrameWindowState::Normal ||
                                 (FrameWindowState == TkvFrameWindowState::Maximized && RolledUpWhileMaximized)))
                                SetRolledUp(false);
                            else SetFrameWindowState(TkvFrameWindowState::Normal);
                        }};
    const Entry rollUp{kItemRollUp, borderIcons_.biRollUp && !RolledUp && !minimized, "MI_ROLLUPCAPTION", L"Ro&llUp",
                       [this] { SetRolledUp(true); }};
    const Entry toTray{kItemMinToTray, borderIcons_.biMinimizeToTray, "MI_MINTOTRAYCAPTION", L"Minimize to &Tray",
                       [this] { SendToTray(); }};
    const Entry close{kItemClose, true, "MI_CLOSECAPTION", L"&Close", [this] { host_->close(); }};

    auto make = [this](const Entry& e) {
        auto item = std::make_unique<fw::MenuItem>(MenuText(e.key, e.builtIn), e.name);
        item->onClick = [action = e.action](fw::MenuItem&) { action(); };
        if (std::string_view(e.name) == kItemClose) item->shortcut = L"Alt+F4";
        return item;
    };

    if (systemMenu_) {
        fw::MenuItem& items = systemMenu_->items();
        if (!UseDefaultSysMenu) return items;
        for (const char* name : kFrameEntries)
            for (int i = items.count() - 1; i >= 0; --i)
                if (items.item(i).name == name) items.remove(&items.item(i));
        // Each inserted at the top, before the ones inserted earlier: they read minimise, restore, maximise,
        // roll-up, tray from the top.
        for (const Entry* e : {&toTray, &rollUp, &maximize, &restore, &minimize})
            if (e->shown) items.insert(0, make(*e));
        items.add(make(close));
        return items;
    }
    defaultSysMenu_.clear();
    for (const Entry* e : {&minimize, &maximize, &restore, &rollUp, &toTray})
        if (e->shown) defaultSysMenu_.add(make(*e));
    if (defaultSysMenu_.count() > 0) defaultSysMenu_.add(L"-");
    defaultSysMenu_.add(make(close));
    return defaultSysMenu_;
}

void TkvKelvaneForm::ApplyMenuSettings() {
    TkvSkinMenu& m = *menu_;
    m.UseSkinFont = UseSkinFontInMenu;
    m.ItemHeightDefault = DefMenuItemHeight;
    m.ItemFontDefault = DefMenuItemFont;
    m.BlendOn = MenusAlphaBlend;
    m.BlendValue = MenusAlphaBlendValue;
    m.BlendAnimation = MenusAlphaBlendAnimation;
    m.MaxVisibleItems = MaxMenuItemsInWindow;
}

void TkvKelvaneForm::MarkSkinMenuOpen() {
    skinMenuOpen_ = true;
    ApplyMenuSettings();
    // While the menu is open its keys go to the top popup (the focus stays on the form), and the wheel does
    // nothing; every other message goes its usual way.
    if (fw::Application* app = fw::Application::instance())
        app->hookMessages(this, [this](MSG& msg) {
            if (msg.message == WM_MOUSEWHEEL) return true;
            if (msg.message != WM_KEYDOWN) return false;
            if (!menu_->Showing) {
                // Closed without telling the form: the key is the form's again.
                MenuClosed();
                return false;
            }
            menu_->KeyDown(msg.wParam);
            if (!menu_->Showing && skinMenuOpen_) MenuClosed();
            return true;
        });
    if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TkvKelvaneForm::ShowSystemMenuAt(int x, int y) { ShowSystemMenuUnder({x, y, x, y}); }

void TkvKelvaneForm::ShowSystemMenuUnder(const fw::Rect& r) {
    systemMenuAnchor_ = r;
    MarkSkinMenuOpen();
    menu_->PopupMenu(nullptr, MenuSkinData(), false, SystemMenuItems(), r, 0);
    if (!menu_->Showing) MenuClosed();  // nothing to show
}

void TkvKelvaneForm::ReleaseMenuButtons() {
    for (auto& o : objects_)
        if (auto* b = dynamic_cast<TkvSkinButtonObject*>(o.get()); b && b->PopupOpen) {
            b->PopupClosed();
            return;
        }
    for (auto& o : objects_)
        if (auto* a = dynamic_cast<TkvSkinAnimateObject*>(o.get()); a && a->TrackingMenu) {
            a->MenuClosed();
            return;
        }
}

void TkvKelvaneForm::SetObjectPopup(const std::string& objectName, TkvSkinPopupMenu* menu, bool popupAbove) {
    if (menu) {
        objectPopups_[objectName] = {menu, popupAbove};
        freeNotification(menu);
    } else {
        objectPopups_.erase(objectName);
    }
    fw::MenuItem* items = menu ? &menu->items() : nullptr;
    for (auto& o : objects_)
        if (o->ObjectName == objectName) {
            if (auto* b = dynamic_cast<TkvSkinButtonObject*>(o.get())) {
                b->PopupItems = items;
                b->PopupAbove = popupAbove;
            } else if (auto* a = dynamic_cast<TkvSkinAnimateObject*>(o.get())) {
                a->PopupItems = items;
                a->PopupAbove = popupAbove;
            }
        }
}

void TkvKelvaneForm::ApplyObjectPopups() {
    const auto popups = objectPopups_;
    for (const auto& [name, p] : popups) SetObjectPopup(name, p.menu, p.above);
}

bool TkvKelvaneForm::OpenObjectPopup(const TkvActiveSkinObject& o, fw::MenuItem& items, bool popupAbove) {
    HideGlowLayers();
    MarkSkinMenuOpen();
    menu_->PopupMenu(nullptr, MenuSkinData(), popupAbove, items, FrameToScreen(o.PlacedRect), 0);
    if (menu_->Showing) return true;
    MenuClosed();  // nothing to show
    return false;
}

void TkvKelvaneForm::MenuClosed() {
    const bool wasOpen = skinMenuOpen_;
    skinMenuOpen_ = false;
    HideGlowLayer(true);
    ReleaseMenuButtons();
    if (fw::Application* app = fw::Application::instance()) app->unhookMessages(this);
    if (wasOpen && OnSkinMenuClose) OnSkinMenuClose(this);
}

void TkvKelvaneForm::CloseFramePopups() {
    // A hint of one of the frame's objects goes, and so does an open skinned menu of the frame.
    if (fw::Application* app = fw::Application::instance()) {
        fw::HintPump& hints = app->hints();
        for (const auto& o : objects_)
            if (hints.source() == o.get()) hints.dismiss();
    }
    if (menu_ && menu_->Showing) menu_->HideMenu();
    if (skinMenuOpen_) MenuClosed();
}
