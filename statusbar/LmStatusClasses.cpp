// The status bar and its panes in form descriptions: their classes and published properties.
#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/StandardClasses.h"
#include "statusbar/LmStatus.h"

namespace {

using R = fw::DescriptionReader;
using P = TLmCustomStatusPane;

constexpr std::pair<std::string_view, TFrameStyleEx> kFrameStyles[] = {
    {"fsNone", TFrameStyleEx::fsNone},         {"fsFlat", TFrameStyleEx::fsFlat},
    {"fsGroove", TFrameStyleEx::fsGroove},     {"fsBump", TFrameStyleEx::fsBump},
    {"fsLowered", TFrameStyleEx::fsLowered},   {"fsButtonDown", TFrameStyleEx::fsButtonDown},
    {"fsRaised", TFrameStyleEx::fsRaised},     {"fsButtonUp", TFrameStyleEx::fsButtonUp},
    {"fsStatus", TFrameStyleEx::fsStatus},     {"fsPopup", TFrameStyleEx::fsPopup},
    {"fsFlatBold", TFrameStyleEx::fsFlatBold}, {"fsFlatRounded", TFrameStyleEx::fsFlatRounded}};

constexpr std::pair<std::string_view, fw::Alignment> kAlignments[] = {{"taLeftJustify", fw::Alignment::LeftJustify},
                                                                      {"taRightJustify", fw::Alignment::RightJustify},
                                                                      {"taCenter", fw::Alignment::Center}};

constexpr std::pair<std::string_view, TLmVersionInfoField> kFields[] = {
    {"vifCompanyName", TLmVersionInfoField::vifCompanyName},
    {"vifFileDescription", TLmVersionInfoField::vifFileDescription},
    {"vifFileVersion", TLmVersionInfoField::vifFileVersion},
    {"vifInternalName", TLmVersionInfoField::vifInternalName},
    {"vifCopyright", TLmVersionInfoField::vifCopyright},
    {"vifTrademarks", TLmVersionInfoField::vifTrademarks},
    {"vifOriginalFilename", TLmVersionInfoField::vifOriginalFilename},
    {"vifProductName", TLmVersionInfoField::vifProductName},
    {"vifProductVersion", TLmVersionInfoField::vifProductVersion},
    {"vifComments", TLmVersionInfoField::vifComments}};

unsigned sidesFromValue(const fw::Value& v) {
    unsigned sides = 0;
    for (const std::string& item : v.set()) {
        if (item == "sdLeft") sides |= sdLeft;
        else if (item == "sdTop") sides |= sdTop;
        else if (item == "sdRight") sides |= sdRight;
        else if (item == "sdBottom") sides |= sdBottom;
        else throw fw::DescriptionError(v.line, "unknown border side '" + item + "'");
    }
    return sides;
}

// A property written through one setter of class T from a converted value.
template <class T, class V, class Convert>
void setter(fw::ClassInfo& c, const char* name, void (T::*set)(V), Convert convert) {
    c.property<T>(name, [set, convert](T& t, const fw::Value& v, R&) { (t.*set)(convert(v)); });
}

const auto asInt = [](const fw::Value& v) { return v.toInt(); };
const auto asBool = [](const fw::Value& v) { return v.toBool(); };
const auto asColor = [](const fw::Value& v) { return fw::Color(v.toColor()); };
const auto asText = [](const fw::Value& v) { return v.toWide(); };
const auto asFrameStyle = [](const fw::Value& v) { return v.toEnum(kFrameStyles); };

}  // namespace

void RegisterStatusBarClasses(fw::ClassRegistry& classes) {
    if (classes.find("TLmStatusBar") != nullptr) return;

    fw::ClassInfo& bar = classes.add<TLmStatusBar>("TLmStatusBar", "Panel");
    setter(bar, "BorderInner", &TLmStatusBar::SetBorderInner, asFrameStyle);
    setter(bar, "BorderOuter", &TLmStatusBar::SetBorderOuter, asFrameStyle);
    setter(bar, "BorderSides", &TLmStatusBar::SetBorderSides, sidesFromValue);
    setter(bar, "BorderWidth", &TLmStatusBar::SetBorderWidth, asInt);
    setter(bar, "AutoStyle", &TLmStatusBar::SetAutoStyle, asBool);
    setter(bar, "ShowSizeGrip", &TLmStatusBar::SetShowSizeGrip, asBool);
    setter(bar, "SimpleStatus", &TLmStatusBar::SetSimpleStatus, asBool);
    setter(bar, "SimpleFrameStyle", &TLmStatusBar::SetSimpleFrameStyle, asFrameStyle);
    setter(bar, "SimpleCaption", &TLmStatusBar::SetSimpleCaption, asText);
    setter(bar, "AutoScalePanes", &TLmStatusBar::SetAutoScalePanes, asBool);
    setter(bar, "ThemeAware", &TLmStatusBar::SetThemeAware, asBool);

    fw::ClassInfo& pane = classes.addAbstract("TLmCustomStatusPane", "Control");
    setter(pane, "Alignment", &P::SetAlignment, [](const fw::Value& v) { return v.toEnum(kAlignments); });
    setter(pane, "AutoSize", &P::SetAutoSize, asBool);
    setter(pane, "DefaultWidth", &P::SetDefaultWidth, asInt);
    setter(pane, "CaptionOffset", &P::SetCaptionOffset, asInt);
    setter(pane, "BorderWidth", &P::SetBorderWidth, asInt);
    setter(pane, "FrameStyle", &P::SetFrameStyle, asFrameStyle);
    setter(pane, "FlatColor", &P::SetFlatColor, asColor);
    setter(pane, "FlatColorAdjustment", &P::SetFlatColorAdjustment, asInt);
    setter(pane, "FillColor", &P::SetFillColor, asColor);
    setter(pane, "ParentFillColor", &P::SetParentFillColor, asBool);
    setter(pane, "Blinking", &P::SetBlinking, asBool);
    setter(pane, "BlinkColor", &P::SetBlinkColor, asColor);
    setter(pane, "BlinkIntervalOn", &P::SetBlinkIntervalOn, asInt);
    setter(pane, "BlinkIntervalOff", &P::SetBlinkIntervalOff, asInt);

    classes.add<TLmStatusPane>("TLmStatusPane", "TLmCustomStatusPane");

    fw::ClassInfo& clock = classes.add<TLmClockStatus>("TLmClockStatus", "TLmCustomStatusPane");
    setter(clock, "Format", &TLmClockStatus::SetFormat, asText);
    clock.property<TLmClockStatus>("Active", [](TLmClockStatus&, const fw::Value& v, R&) {
        TLmPollingStatus::SetActive(v.toBool());
    });
    clock.property<TLmClockStatus>("Interval", [](TLmClockStatus&, const fw::Value& v, R&) {
        TLmPollingStatus::SetInterval(static_cast<unsigned>(std::max(1, v.toInt())));
    });

    fw::ClassInfo& info = classes.add<TLmVersionInfo>("TLmVersionInfo");
    setter(info, "FilePath", &TLmVersionInfo::SetFilePath, asText);

    fw::ClassInfo& version = classes.add<TLmVersionInfoStatus>("TLmVersionInfoStatus", "TLmCustomStatusPane");
    setter(version, "Field", &TLmVersionInfoStatus::SetField, [](const fw::Value& v) { return v.toEnum(kFields); });
    setter(version, "FieldLabel", &TLmVersionInfoStatus::SetFieldLabel, asText);
    setter(version, "FieldLabelColor", &TLmVersionInfoStatus::SetFieldLabelColor, asColor);
    version.property<TLmVersionInfoStatus>("VersionInfo", [](TLmVersionInfoStatus& s, const fw::Value& v, R& r) {
        r.reference(v, [&s](fw::Component* c) { s.SetVersionInfo(dynamic_cast<TLmVersionInfo*>(c)); });
    });
}
