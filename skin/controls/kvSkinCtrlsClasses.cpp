// The skinned controls in form descriptions: their classes and published properties.
#include "skin/controls/kvSkinCtrlsClasses.h"

#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/StandardClasses.h"
#include "skin/controls/kvSkinBoxCtrls.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/controls/kvSkinEdit.h"
#include "skin/controls/kvSkinLabel.h"
#include "skin/controls/kvSkinPanel.h"

namespace {
using R = fw::DescriptionReader;

constexpr std::pair<std::string_view, TkvSkinBorderStyle> kBorders[] = {{"bvFrame", bvFrame},
                                                                        {"bvRaised", bvRaised},
                                                                        {"bvLowered", bvLowered},
                                                                        {"bvNone", bvNone}};
constexpr std::pair<std::string_view, TextAlign> kAlignments[] = {{"taLeftJustify", TextAlign::Left},
                                                                  {"taRightJustify", TextAlign::Right},
                                                                  {"taCenter", TextAlign::Center}};
constexpr std::pair<std::string_view, TkvPasswordKind> kPasswordKinds[] = {{"pkRoundRect", pkRoundRect},
                                                                           {"pkRect", pkRect},
                                                                           {"pkTriangle", pkTriangle}};
constexpr std::pair<std::string_view, TkvTextAlignment> kTextAlignments[] = {{"taLeftJustify", taLeftJustify},
                                                                             {"taRightJustify", taRightJustify},
                                                                             {"taCenter", taCenter}};
constexpr std::pair<std::string_view, TkvEditCharCase> kCharCases[] = {{"ecNormal", ecNormal},
                                                                       {"ecUpperCase", ecUpperCase},
                                                                       {"ecLowerCase", ecLowerCase}};
constexpr std::pair<std::string_view, TkvEllipsType2> kEllipses[] = {{"kvetNoneEllips", kvetNoneEllips},
                                                                     {"kvetEllips", kvetEllips}};
constexpr std::pair<std::string_view, TkvImagePosition> kImagePositions[] = {{"kvipDefault", kvipDefault},
                                                                             {"kvipLeft", kvipLeft}};

// A colour written as a number or by name (the window colour when the name is unknown).
fw::Color colorValue(const fw::Value& v) {
    return v.kind == fw::Value::Kind::Integer ? static_cast<fw::Color>(v.toInt())
                                              : fw::colorFromName(v.ident()).value_or(fw::clWindow);
}

// What every skinned custom control publishes: the model, the description's name, the default size and font.
template <class T>
void customControlProperties(fw::ClassInfo& c) {
    c.property<T>("SkinData", [](T& t, const fw::Value& v, R& r) {
        r.reference(v, [&t](fw::Component* s) { t.SetSkinData(dynamic_cast<TkvSkinData*>(s)); });
    });
    c.property<T>("SkinDataName", [](T& t, const fw::Value& v, R&) { t.SetSkinDataName(v.toUtf8()); });
    c.property<T>("DefaultWidth", [](T& t, const fw::Value& v, R&) { t.SetDefaultWidth(v.toInt()); });
    c.property<T>("DefaultHeight", [](T& t, const fw::Value& v, R&) { t.SetDefaultHeight(v.toInt()); });
    c.property<T>("UseSkinFont", [](T& t, const fw::Value& v, R&) { t.UseSkinFont = v.toBool(); });
    fw::registerFontProperties<T>(c, "DefaultFont", [](T& t) -> fw::Font& { return t.DefaultFont(); });
}

}  // namespace

void RegisterSkinControlClasses(fw::ClassRegistry& classes) {
    if (classes.find("TkvSkinButton") != nullptr) return;
    using P = TkvSkinPanel;
    fw::ClassInfo& panel = classes.add<P>("TkvSkinPanel", "CustomControl");
    customControlProperties<P>(panel);
    panel.property<P>("BorderStyle", [](P& p, const fw::Value& v, R&) { p.SetBorderStyle(v.toEnum(kBorders)); })
        .property<P>("ImagePosition", [](P& p, const fw::Value& v, R&) { p.ImagePosition = v.toEnum(kImagePositions); })
        .property<P>("TransparentMode", [](P& p, const fw::Value& v, R&) { p.SetTransparentMode(v.toBool()); })
        .property<P>("CaptionImageIndex", [](P&, const fw::Value& v, R&) { (void)v.toInt(); })
        .property<P>("RealHeight", [](P&, const fw::Value& v, R&) { (void)v.toInt(); })
        .property<P>("AutoEnabledControls", [](P& p, const fw::Value& v, R&) { p.AutoEnabledControls = v.toBool(); })
        .property<P>("CheckedMode", [](P& p, const fw::Value& v, R&) { p.SetCheckedMode(v.toBool()); })
        .property<P>("Checked", [](P& p, const fw::Value& v, R&) { p.SetChecked(v.toBool()); })
        .property<P>("DefaultAlignment",
                     [](P& p, const fw::Value& v, R&) { p.DefaultAlignment = v.toEnum(kAlignments); })
        .property<P>("DefaultCaptionHeight", [](P& p, const fw::Value& v, R&) { p.SetDefaultCaptionHeight(v.toInt()); })
        .property<P>("CaptionMode", [](P& p, const fw::Value& v, R&) { p.SetCaptionMode(v.toBool()); })
        .property<P>("RollUpMode", [](P& p, const fw::Value& v, R&) { p.SetRollUpMode(v.toBool()); })
        .property<P>("RollUpState", [](P& p, const fw::Value& v, R&) { p.SetRollUpState(v.toBool()); })
        .property<P>("NumGlyphs", [](P& p, const fw::Value& v, R&) { p.NumGlyphs = v.toInt(); })
        .property<P>("Spacing", [](P& p, const fw::Value& v, R&) { p.Spacing = v.toInt(); });

    using L = TkvSkinLabel;
    fw::ClassInfo& label = classes.add<L>("TkvSkinLabel", "CustomControl");
    customControlProperties<L>(label);
    label.property<L>("Alignment", [](L& l, const fw::Value& v, R&) { l.Alignment = v.toEnum(kAlignments); })
        .property<L>("AutoSize", [](L& l, const fw::Value& v, R&) { l.SetAutoSize(v.toBool()); })
        .property<L>("UseSkinSize", [](L& l, const fw::Value& v, R&) { l.UseSkinSize = v.toBool(); })
        .property<L>("UseSkinFontColor", [](L& l, const fw::Value& v, R&) { l.UseSkinFontColor = v.toBool(); })
        .property<L>("BorderStyle", [](L& l, const fw::Value& v, R&) { l.BorderStyle = v.toEnum(kBorders); })
        .property<L>("EllipsType", [](L& l, const fw::Value& v, R&) { l.EllipsType = v.toEnum(kEllipses); })
        .property<L>("ShadowEffect", [](L& l, const fw::Value& v, R&) { l.ShadowEffect = v.toBool(); })
        .property<L>("ShadowColor",
                     [](L& l, const fw::Value& v, R&) {
                         l.ShadowColor = v.kind == fw::Value::Kind::Integer ? static_cast<fw::Color>(v.toInt())
                                                                            : fw::colorFromName(v.ident()).value_or(0);
                     })
        .property<L>("ShadowSize", [](L& l, const fw::Value& v, R&) { l.ShadowSize = v.toInt(); })
        .property<L>("ShadowOffset", [](L& l, const fw::Value& v, R&) { l.ShadowOffset = v.toInt(); })
        .property<L>("ReflectionEffect", [](L& l, const fw::Value& v, R&) { l.ReflectionEffect = v.toBool(); })
        .property<L>("ReflectionOffset", [](L& l, const fw::Value& v, R&) { l.ReflectionOffset = v.toInt(); });

    using B = TkvSkinButton;
    fw::ClassInfo& button = classes.add<B>("TkvSkinButton", "CustomControl");
    customControlProperties<B>(button);
    button.property<B>("UseSkinSize", [](B& b, const fw::Value& v, R&) { b.UseSkinSize = v.toBool(); })
        .property<B>("UseSkinFontColor", [](B& b, const fw::Value& v, R&) { b.UseSkinFontColor = v.toBool(); })
        .property<B>("ImageIndex", [](B&, const fw::Value& v, R&) { (void)v.toInt(); })
        .property<B>("AlwaysShowLayeredFrame",
                     [](B& b, const fw::Value& v, R&) { b.AlwaysShowLayeredFrame = v.toBool(); })
        .property<B>("RepeatMode", [](B& b, const fw::Value& v, R&) { b.RepeatMode = v.toBool(); })
        .property<B>("RepeatInterval", [](B& b, const fw::Value& v, R&) { b.RepeatInterval = v.toInt(); })
        .property<B>("AllowAllUp", [](B& b, const fw::Value& v, R&) { b.AllowAllUp = v.toBool(); })
        .property<B>("CanFocused", [](B& b, const fw::Value& v, R&) { b.SetCanFocused(v.toBool()); })
        .property<B>("Down", [](B& b, const fw::Value& v, R&) { b.SetDown(v.toBool()); })
        .property<B>("GroupIndex", [](B& b, const fw::Value& v, R&) { b.SetGroupIndex(v.toInt()); })
        .property<B>("NumGlyphs", [](B& b, const fw::Value& v, R&) { b.SetNumGlyphs(v.toInt()); })
        .property<B>("Spacing", [](B& b, const fw::Value& v, R&) { b.SetSpacing(v.toInt()); })
        .property<B>("Margin", [](B& b, const fw::Value& v, R&) { b.SetMargin(v.toInt()); })
        .property<B>("ModalResult", [](B& b, const fw::Value& v, R&) { b.ModalResult = v.toInt(); })
        .property<B>("Default", [](B& b, const fw::Value& v, R&) { b.SetDefault(v.toBool()); })
        .property<B>("Cancel", [](B& b, const fw::Value& v, R&) { b.Cancel = v.toBool(); });

    using E = TkvSkinPasswordEdit;
    fw::ClassInfo& password = classes.add<E>("TkvSkinPasswordEdit", "CustomControl");
    customControlProperties<E>(password);
    password
        .property<E>("PasswordKind", [](E& e, const fw::Value& v, R&) { e.SetPasswordKind(v.toEnum(kPasswordKinds)); })
        .property<E>("TextAlignment",
                     [](E& e, const fw::Value& v, R&) { e.SetTextAlignment(v.toEnum(kTextAlignments)); })
        .property<E>("CharCase", [](E& e, const fw::Value& v, R&) { e.SetCharCase(v.toEnum(kCharCases)); })
        .property<E>("AutoSelect", [](E& e, const fw::Value& v, R&) { e.AutoSelect = v.toBool(); })
        .property<E>("HideSelection", [](E& e, const fw::Value& v, R&) { e.SetHideSelection(v.toBool()); })
        .property<E>("MaxLength", [](E& e, const fw::Value& v, R&) { e.SetMaxLength(v.toInt()); })
        .property<E>("ReadOnly", [](E& e, const fw::Value& v, R&) { e.SetReadOnly(v.toBool()); })
        .property<E>("DefaultColor", [](E& e, const fw::Value& v, R&) { e.SetDefaultColor(colorValue(v)); });

    using S = TkvSkinEdit;
    fw::ClassInfo& edit = classes.add<S>("TkvSkinEdit", "Edit");
    edit.property<S>("SkinData",
                     [](S& e, const fw::Value& v, R& r) {
                         r.reference(v, [&e](fw::Component* s) { e.SetSkinData(dynamic_cast<TkvSkinData*>(s)); });
                     })
        .property<S>("SkinDataName", [](S& e, const fw::Value& v, R&) { e.SetSkinDataName(v.toUtf8()); })
        .property<S>("ButtonMode", [](S& e, const fw::Value& v, R&) { e.SetButtonMode(v.toBool()); })
        .property<S>("UseSkinFont", [](S& e, const fw::Value& v, R&) { e.SetUseSkinFont(v.toBool()); })
        .property<S>("DefaultWidth", [](S& e, const fw::Value& v, R&) { e.SetDefaultWidth(v.toInt()); })
        .property<S>("DefaultHeight", [](S& e, const fw::Value& v, R&) { e.SetDefaultHeight(v.toInt()); })
        .property<S>("Alignment", [](S& e, const fw::Value& v, R&) { e.SetAlignment(v.toEnum(kTextAlignments)); })
        .property<S>("AutoSelect", [](S& e, const fw::Value& v, R&) { e.AutoSelect = v.toBool(); })
        .property<S>("DefaultColor", [](S& e, const fw::Value& v, R&) { e.SetDefaultColor(colorValue(v)); });
    fw::registerFontProperties<S>(edit, "DefaultFont", [](S& e) -> fw::Font& { return e.DefaultFont(); });
}
