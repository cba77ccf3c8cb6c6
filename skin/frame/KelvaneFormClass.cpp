// TkvKelvaneForm and TkvSkinPopupMenu in form descriptions: their classes and published properties.
#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/StandardClasses.h"
#include "skin/frame/KelvaneForm.h"

namespace {
using R = fw::DescriptionReader;
using K = TkvKelvaneForm;

template <bool K::*Field>
void boolProperty(fw::ClassInfo& c, const char* name) {
    c.property<K>(name, [](K& k, const fw::Value& v, R&) { k.*Field = v.toBool(); });
}
template <int K::*Field>
void intProperty(fw::ClassInfo& c, const char* name) {
    c.property<K>(name, [](K& k, const fw::Value& v, R&) { k.*Field = v.toInt(); });
}
constexpr std::pair<std::string_view, TkvPositionInMonitor> kPositions[] = {
    {"kvpDefault", TkvPositionInMonitor::kvpDefault},
    {"kvpScreenCenter", TkvPositionInMonitor::kvpScreenCenter},
    {"kvpDesktopCenter", TkvPositionInMonitor::kvpDesktopCenter}};
constexpr std::pair<std::string_view, TkvClientInActiveEffectType> kEffectTypes[] = {{"kvieSemiTransparent",
                                                                                      kvieSemiTransparent},
                                                                                     {"kvieBlur", kvieBlur}};
}  // namespace

void RegisterKelvaneFormClass(fw::ClassRegistry& classes) {
    if (classes.find("TkvKelvaneForm") != nullptr) return;
    RegisterSkinHintClass(classes);
    using M = TkvSkinPopupMenu;
    fw::ClassInfo& menu = classes.add<M>("TkvSkinPopupMenu");
    menu.property<M>("SkinData", [](M& m, const fw::Value& v, R& r) {
        r.reference(v, [&m](fw::Component* t) { m.SetSkinData(dynamic_cast<TkvSkinData*>(t)); });
    });
    menu.property<M>("SkinComponent", [](M& m, const fw::Value& v, R& r) {
        r.reference(v, [&m](fw::Component* t) { m.SetSkinComponent(dynamic_cast<K*>(t)); });
    });
    menu.property<M>("ComponentForm", [](M& m, const fw::Value& v, R& r) {
        r.reference(v, [&m](fw::Component* t) { m.SetComponentForm(dynamic_cast<fw::Form*>(t)); });
    });
    using T = TkvTrayIcon;
    fw::ClassInfo& tray = classes.add<T>("TkvTrayIcon");
    tray.property<T>("Hint", [](T& t, const fw::Value& v, R&) { t.Hint = v.toWide(); });
    tray.property<T>("PopupMenu", [](T& t, const fw::Value& v, R& r) {
        r.reference(v, [&t](fw::Component* m) { t.SetPopupMenu(dynamic_cast<M*>(m)); });
    });
    fw::ClassInfo& c = classes.add<K>("TkvKelvaneForm");
    c.property<K>("TrayIcon", [](K& k, const fw::Value& v, R& r) {
        r.reference(v, [&k](fw::Component* t) { k.SetTrayIcon(dynamic_cast<TkvTrayIcon*>(t)); });
    });
    c.property<K>("SkinData", [](K& k, const fw::Value& v, R& r) {
        r.reference(v, [&k](fw::Component* t) { k.SetSkinData(dynamic_cast<TkvSkinData*>(t)); });
    });
    c.property<K>("SkinHint", [](K& k, const fw::Value& v, R& r) {
        r.reference(v, [&k](fw::Component* t) { k.SetSkinHint(dynamic_cast<TkvSkinHint*>(t)); });
    });
    c.property<K>("MenusSkinData", [](K& k, const fw::Value& v, R& r) {
        r.reference(v, [&k](fw::Component* t) { k.SetMenusSkinData(dynamic_cast<TkvSkinData*>(t)); });
    });
    c.property<K>("SystemMenu", [](K& k, const fw::Value& v, R& r) {
        r.reference(v, [&k](fw::Component* t) { k.SetSystemMenu(dynamic_cast<TkvSkinPopupMenu*>(t)); });
    });
    c.property<K>("BorderIcons", [](K& k, const fw::Value& v, R&) {
        TkvBorderIcons b{false, false, false, false, false};
        for (const std::string& item : v.set()) {
            if (item == "biSystemMenu") b.biSystemMenu = true;
            else if (item == "biMinimize") b.biMinimize = true;
            else if (item == "biMaximize") b.biMaximize = true;
            else if (item == "biRollUp") b.biRollUp = true;
            else if (item == "biMinimizeToTray") b.biMinimizeToTray = true;
            else throw fw::DescriptionError(v.line, "unknown border icon '" + item + "'");
        }
        k.SetBorderIcons(b);
    });
    c.property<K>("AlphaBlend", [](K& k, const fw::Value& v, R&) { k.SetAlphaBlend(v.toBool()); });
    c.property<K>("AlphaBlendValue", [](K& k, const fw::Value& v, R&) { k.SetAlphaBlendValue(v.toInt()); });
    c.property<K>("PositionInMonitor",
                  [](K& k, const fw::Value& v, R&) { k.PositionInMonitor = v.toEnum(kPositions); });
    boolProperty<&K::AlphaBlendAnimation>(c, "AlphaBlendAnimation");
    c.property<K>("ShowIcon", [](K& k, const fw::Value& v, R&) { k.SetShowIcon(v.toBool()); });
    boolProperty<&K::HideCaptionButtons>(c, "HideCaptionButtons");
    boolProperty<&K::DisableSystemMenu>(c, "DisableSystemMenu");
    boolProperty<&K::UseDefaultSysMenu>(c, "UseDefaultSysMenu");
    boolProperty<&K::UseSkinFontInMenu>(c, "UseSkinFontInMenu");
    boolProperty<&K::MenusAlphaBlend>(c, "MenusAlphaBlend");
    boolProperty<&K::MenusAlphaBlendAnimation>(c, "MenusAlphaBlendAnimation");
    boolProperty<&K::ClientInActiveEffect>(c, "ClientInActiveEffect");
    boolProperty<&K::Magnetic>(c, "Magnetic");
    boolProperty<&K::MaximizeOnFullScreen>(c, "MaximizeOnFullScreen");
    boolProperty<&K::AlwaysResize>(c, "AlwaysResize");
    boolProperty<&K::ShowObjectHint>(c, "ShowObjectHint");
    boolProperty<&K::UseDefaultObjectHint>(c, "UseDefaultObjectHint");
    boolProperty<&K::UseFormCursorInNCArea>(c, "UseFormCursorInNCArea");
    intProperty<&K::MenusAlphaBlendValue>(c, "MenusAlphaBlendValue");
    intProperty<&K::DefMenuItemHeight>(c, "DefMenuItemHeight");
    intProperty<&K::MagneticSize>(c, "MagneticSize");
    intProperty<&K::MaxMenuItemsInWindow>(c, "MaxMenuItemsInWindow");
    intProperty<&K::ClientWidth>(c, "ClientWidth");
    intProperty<&K::ClientHeight>(c, "ClientHeight");
    intProperty<&K::MinWidth>(c, "MinWidth");
    intProperty<&K::MinHeight>(c, "MinHeight");
    intProperty<&K::MaxWidth>(c, "MaxWidth");
    intProperty<&K::MaxHeight>(c, "MaxHeight");
    boolProperty<&K::AlwaysShowInTray>(c, "AlwaysShowInTray");
    boolProperty<&K::AlwaysMinimizeToTray>(c, "AlwaysMinimizeToTray");
    boolProperty<&K::LogoBitMapTransparent>(c, "LogoBitMapTransparent");
    c.property<K>("ClientInActiveEffectType",
                  [](K& k, const fw::Value& v, R&) { k.ClientInActiveEffectType = v.toEnum(kEffectTypes); });
    fw::registerFontProperties<K>(
        c, "DefCaptionFont", +[](K& k) -> fw::Font& { return k.DefCaptionFont; });
    fw::registerFontProperties<K>(
        c, "DefInActiveCaptionFont", +[](K& k) -> fw::Font& { return k.DefInActiveCaptionFont; });
    fw::registerFontProperties<K>(
        c, "DefMenuItemFont", +[](K& k) -> fw::Font& { return k.DefMenuItemFont; });
}
