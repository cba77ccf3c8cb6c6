// The frame's objects: building them from the skin (or the default ones without skin), their states from the
// border icons, their layout, the pointer tracking and mouse routing, the blend timer and the caption-button
// commands.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Utf.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinButtonObjects.h"

namespace {
bool isCommandObject(const TkvActiveSkinObject& o) {
    return o.Kind() == FrameObjectKind::StdButton || o.Kind() == FrameObjectKind::Animate;
}

const char* hintKey(TkvStdCommand c) {
    switch (c) {
        case cmclose: return "CLOSEBUTTON_HINT";
        case cmmaximize: return "MAXBUTTON_HINT";
        case cmminimize: return "MINBUTTON_HINT";
        case cmsysmenu: return "MENUBUTTON_HINT";
        case cmrollup: return "ROLLUPBUTTON_HINT";
        case cmminimizetotray: return "TRAYBUTTON_HINT";
        case cmdefault: break;
    }
    return nullptr;
}

const char* builtInHint(TkvStdCommand c) {
    switch (c) {
        case cmclose: return "Close";
        case cmmaximize: return "Maximize";
        case cmminimize: return "Minimize";
        case cmsysmenu: return "System menu";
        case cmrollup: return "Roll Up";
        case cmminimizetotray: return "Minimize to Tray";
        case cmdefault: break;
    }
    return "";
}
}  // namespace

void TkvKelvaneForm::BuildObjects() {
    objects_.clear();
    for (const auto& d : skinData_->ObjectDescriptions()) {
        const TkvDataSkinObject* o = d.get();
        // Menu items and the main menu bar's items and buttons belong to the menus, not to the frame.
        if (dynamic_cast<const TkvDataSkinMenuItem*>(o) || dynamic_cast<const TkvDataSkinMainMenuItem*>(o) ||
            dynamic_cast<const TkvDataSkinMainMenuBarButton*>(o))
            continue;
        if (auto* b = dynamic_cast<const TkvDataSkinStdButton*>(o))
            objects_.push_back(std::make_unique<TkvSkinStdButtonObject>(*this, *b));
        else if (auto* b = dynamic_cast<const TkvDataSkinButton*>(o))
            objects_.push_back(std::make_unique<TkvSkinButtonObject>(*this, *b));
        else if (auto* c = dynamic_cast<const TkvDataSkinCaption*>(o))
            objects_.push_back(std::make_unique<TkvSkinCaptionObject>(*this, *c));
        else if (auto* a = dynamic_cast<const TkvDataSkinAnimate*>(o))
            objects_.push_back(std::make_unique<TkvSkinAnimateObject>(*this, *a));
        else if (auto* u = dynamic_cast<const TkvDataUserObject*>(o))
            objects_.push_back(std::make_unique<TkvUserObject>(*this, *u));
    }
    ApplyBorderIcons();
    ApplyObjectPopups();
}

void TkvKelvaneForm::BuildDefaultObjects() {
    objects_.clear();
    const std::pair<const char*, TkvStdCommand> kDefault[] = {
        {"closebutton", cmclose},   {"maxbutton", cmmaximize},    {"minbutton", cmminimize},
        {"rollupbutton", cmrollup}, {"sysmenubutton", cmsysmenu}, {"traybutton", cmminimizetotray}};
    for (const auto& [name, command] : kDefault)
        objects_.push_back(std::make_unique<TkvSkinStdButtonObject>(*this, name, command));
    ApplyBorderIcons();
}

void TkvKelvaneForm::ApplyBorderIcons() {
    const TkvBorderIcons& b = borderIcons_;
    for (auto& o : objects_) {
        if (!isCommandObject(*o)) continue;
        if (HideCaptionButtons) {
            o->Usable = false;
            o->Shown = !o->NormalInHotPicture;
            continue;
        }
        if (auto* a = dynamic_cast<TkvSkinAnimateObject*>(o.get()); a && !a->Description.ButtonStyle) continue;
        bool on = true;
        switch (o->Command()) {
            case cmclose: continue;
            case cmmaximize: on = b.biMaximize; break;
            case cmminimize: on = b.biMinimize; break;
            case cmrollup: on = b.biRollUp; break;
            case cmminimizetotray: on = b.biMinimizeToTray; break;
            case cmsysmenu: on = b.biSystemMenu && !DisableSystemMenu; break;
            case cmdefault: {
                bool enabled = false;
                if (OnActivateCustomObject) OnActivateCustomObject(o->ObjectName, enabled);
                o->Usable = enabled;
                continue;
            }
        }
        o->Usable = on;
        o->Shown = o->NormalInHotPicture ? on : true;
    }
    RefreshObjectHints();
}

void TkvKelvaneForm::RefreshObjectHints() {
    if (!UseDefaultObjectHint || !skinData_) return;
    const TkvResourceStrData* r = skinData_->ResourceStrData();
    auto text = [&](const char* key, const char* builtIn) { return r ? r->GetResourceStr(key) : std::string(builtIn); };
    for (auto& o : objects_) {
        if (!isCommandObject(*o)) continue;
        const char* key = hintKey(o->Command());
        if (!key) continue;
        o->ObjectHint = text(key, builtInHint(o->Command()));
        if (auto* s = dynamic_cast<TkvSkinStdButtonObject*>(o.get())) {
            s->NormalHintText = o->ObjectHint;
            s->RestoreHintText = text("RESTORE_HINT", "Restore");
        }
    }
}

void TkvKelvaneForm::LayoutObjects() {
    if (!skinReady_) return;
    std::vector<FrameLayoutItem> items;
    items.reserve(objects_.size());
    for (const auto& o : objects_) {
        FrameLayoutItem i;
        i.kind = o->Kind();
        i.command = o->Command();
        i.normalRect = o->NormalRect;
        i.normalInHotPicture = o->NormalInHotPicture;
        i.shown = o->Shown;
        i.showIcon = showIcon_ && o->Kind() == FrameObjectKind::StdButton && o->Command() == cmsysmenu;
        items.push_back(i);
    }
    fw::Size icon{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    if (icon.width == 0) icon.width = GetSystemMetrics(SM_CXSIZE);
    if (icon.height == 0) icon.height = GetSystemMetrics(SM_CYSIZE);
    LayoutFrameObjects(items, *skinData_, geometry_, icon);
    for (std::size_t k = 0; k < objects_.size(); ++k) objects_[k]->PlacedRect = items[k].placed;
}

void TkvKelvaneForm::LayoutDefaultCaption() {
    if (objects_.empty()) return;
    const int s = DefaultButtonSize();
    DefaultCaptionRect = DefaultCaptionRectFor(CurrentWidth, DefaultCaptionHeight());
    int x = CurrentWidth - kDefaultFrameBorder;
    for (TkvStdCommand c : {cmclose, cmmaximize, cmminimize, cmrollup, cmminimizetotray})
        for (auto& o : objects_)
            if (o->Kind() == FrameObjectKind::StdButton && o->Command() == c && o->Shown && o->NormalInHotPicture) {
                o->PlacedRect = {x - s, 4, x, 4 + s};
                x -= s;
                break;
            }
    DefaultCaptionRect.right = x;
    x = kDefaultFrameBorder;
    for (auto& o : objects_)
        if (o->Kind() == FrameObjectKind::StdButton && o->Command() == cmsysmenu && o->Shown && o->NormalInHotPicture) {
            int w = s, h = s;
            if (showIcon_) {
                w = GetSystemMetrics(SM_CXSMICON);
                h = GetSystemMetrics(SM_CYSMICON);
            }
            o->PlacedRect = {x, 4, x + w, 4 + h};
            DefaultCaptionRect.left = x + w;
            break;
        }
}

void TkvKelvaneForm::TrackPointer(int x, int y, bool allowHot) {
    if (objects_.empty() || !IsFrameActive() || InSizeMove || !HasBorder()) return;
    PrevHotIndex = HotIndex;
    int found = -1;
    for (std::size_t k = 0; k < objects_.size(); ++k) {
        const TkvActiveSkinObject& o = *objects_[k];
        if (o.Usable && o.Shown && o.PlacedRect.contains({x, y}) &&
            o.InObject(x - o.PlacedRect.left, y - o.PlacedRect.top)) {
            found = static_cast<int>(k);
            break;
        }
    }
    HotIndex = allowHot ? found : -1;
    // While a button is held down no other object lights up.
    if (PressedIndex != -1 && HotIndex != PressedIndex) HotIndex = -1;
    const int count = static_cast<int>(objects_.size());
    if (HotIndex >= count) HotIndex = -1;
    if (HotIndex == PrevHotIndex) return;
    fw::Application* app = fw::Application::instance();
    if (PrevHotIndex >= 0 && PrevHotIndex < count) {
        TkvActiveSkinObject& o = *objects_[static_cast<std::size_t>(PrevHotIndex)];
        if (app) app->hints().withdraw(&o);
        if (o.Usable && o.Shown) o.MouseLeave();
    }
    if (HotIndex >= 0) {
        TkvActiveSkinObject& o = *objects_[static_cast<std::size_t>(HotIndex)];
        if (o.Usable && o.Shown) {
            o.MouseEnter();  // a button that means restore now takes its restore hint here
            if (app && ShowObjectHint && skinHint_)
                app->hints().request(&o, fw::utf8ToWide(o.ObjectHint), &skinHint_->Window());
        }
    }
}

void TkvKelvaneForm::ObjectMouseDown(fw::MouseButton button, int x, int y) {
    if (HotIndex < 0 || HotIndex >= static_cast<int>(objects_.size())) return;
    TkvActiveSkinObject& o = *objects_[static_cast<std::size_t>(HotIndex)];
    if (o.Kind() != FrameObjectKind::Caption && host_->handleAllocated()) SetCapture(host_->handle());
    PressedIndex = HotIndex;
    o.MouseDown(x, y, button);
}

void TkvKelvaneForm::ObjectMouseUp(fw::MouseButton button, int x, int y) {
    if (PressedIndex < 0 || PressedIndex >= static_cast<int>(objects_.size())) {
        PressedIndex = -1;
        return;
    }
    TkvActiveSkinObject& o = *objects_[static_cast<std::size_t>(PressedIndex)];
    // Cleared before the capture goes: releasing it reports a capture change back to this frame.
    PressedIndex = -1;
    if (o.Kind() != FrameObjectKind::Caption && host_->handleAllocated() && GetCapture() == host_->handle())
        ReleaseCapture();
    o.MouseUp(x, y, button);
}

void TkvKelvaneForm::ObjectMouseMove(int x, int y) {
    const int k = PressedIndex != -1 ? PressedIndex : HotIndex;
    if (k >= 0 && k < static_cast<int>(objects_.size())) objects_[static_cast<std::size_t>(k)]->MouseMove(x, y);
}

void TkvKelvaneForm::ObjectDblClick() {
    if (HotIndex >= 0 && HotIndex < static_cast<int>(objects_.size()))
        objects_[static_cast<std::size_t>(HotIndex)]->DblClick();
}

void TkvKelvaneForm::ResetObjectStates() {
    for (auto& o : objects_) {
        if (o->Kind() == FrameObjectKind::Caption) continue;
        o->Highlighted = false;
        o->Hovered = false;
        o->MorphLevel = 0;
        if (auto* a = dynamic_cast<TkvSkinAnimateObject*>(o.get())) {
            a->CurrentFrame = 1;
            a->Animating = false;
        }
    }
}

void TkvKelvaneForm::ExecuteCommand(TkvStdCommand c) {
    switch (c) {
        case cmclose: host_->close(); break;
        case cmmaximize:
            SetFrameWindowState(FrameWindowState == TkvFrameWindowState::Maximized ? TkvFrameWindowState::Normal
                                                                                   : TkvFrameWindowState::Maximized);
            break;
        case cmminimize:
            if (AlwaysMinimizeToTray) SendToTray();
            else
                SetFrameWindowState(FrameWindowState == TkvFrameWindowState::Minimized
                                        ? TkvFrameWindowState::Normal
                                        : TkvFrameWindowState::Minimized);
            break;
        case cmrollup: SetRolledUp(!RolledUp); break;
        case cmminimizetotray: SendToTray(); break;
        case cmsysmenu:
        case cmdefault: break;
    }
}

void TkvKelvaneForm::StartBlendTimer() { StartTimer(FrameTimer::Blend, 25); }
void TkvKelvaneForm::StartAnimationTimer() { StartTimer(FrameTimer::Caption, 25); }

void TkvKelvaneForm::OnBlendTimer() {
    bool stepped = false;
    for (auto& o : objects_)
        if (o->CanBlend() && o->NeedsBlendStep()) stepped = o->BlendStep() || stepped;
    if (!stepped) StopTimer(FrameTimer::Blend);
}

void TkvKelvaneForm::OnAnimationTimer() {
    bool running = false;
    for (auto& o : objects_) {
        if (auto* c = dynamic_cast<TkvSkinCaptionObject*>(o.get()); c && c->Animates())
            running = c->AnimationTick() || running;
        else if (auto* a = dynamic_cast<TkvSkinAnimateObject*>(o.get())) running = a->AnimationTick() || running;
    }
    if (!running) StopTimer(FrameTimer::Caption);
}

void TkvKelvaneForm::DrawFormIcon(fw::Canvas& canvas, fw::Point at) const {
    HICON icon = nullptr;
    if (host_->handleAllocated()) {
        icon = reinterpret_cast<HICON>(SendMessageW(host_->handle(), WM_GETICON, ICON_SMALL, 0));
        if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(host_->handle(), GCLP_HICONSM));
    }
    if (!icon) icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    DrawIconEx(canvas.handle(), at.x, at.y, icon, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0,
               nullptr, DI_NORMAL);
}
