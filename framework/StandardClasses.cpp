#include "framework/StandardClasses.h"

#include <stdexcept>

#include "framework/Form.h"
#include "framework/StdControls.h"
#include "framework/Timer.h"
#include "framework/Utf.h"

namespace fw {

namespace {
using R = DescriptionReader;

constexpr std::pair<std::string_view, Align> kAligns[] = {{"alNone", Align::None},     {"alTop", Align::Top},
                                                          {"alBottom", Align::Bottom}, {"alLeft", Align::Left},
                                                          {"alRight", Align::Right},   {"alClient", Align::Client}};
constexpr std::pair<std::string_view, Cursor> kCursors[] = {{"crDefault", crDefault},     {"crArrow", crArrow},
                                                            {"crIBeam", crIBeam},         {"crCross", crCross},
                                                            {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll},
                                                            {"crSizeNS", crSizeNS},       {"crSizeWE", crSizeWE},
                                                            {"crSizeNWSE", crSizeNWSE},   {"crSizeNESW", crSizeNESW},
                                                            {"crHourGlass", crHourGlass}};
constexpr std::pair<std::string_view, int> kCharsets[] = {{"ANSI_CHARSET", ANSI_CHARSET},
                                                          {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                          {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                                          {"GB2312_CHARSET", GB2312_CHARSET},
                                                          {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
                                                          {"OEM_CHARSET", OEM_CHARSET}};
constexpr std::pair<std::string_view, BorderStyle> kBorderStyles[] = {{"bsNone", BorderStyle::None},
                                                                      {"bsSingle", BorderStyle::Single},
                                                                      {"bsSizeable", BorderStyle::Sizeable},
                                                                      {"bsDialog", BorderStyle::Dialog},
                                                                      {"bsToolWindow", BorderStyle::ToolWindow},
                                                                      {"bsSizeToolWin", BorderStyle::SizeToolWin}};
constexpr std::pair<std::string_view, FormPosition> kPositions[] = {{"poDesigned", FormPosition::Designed},
                                                                    {"poScreenCenter", FormPosition::ScreenCenter},
                                                                    {"poDesktopCenter", FormPosition::DesktopCenter}};
constexpr std::pair<std::string_view, Alignment> kAlignments[] = {{"taLeftJustify", Alignment::LeftJustify},
                                                                  {"taRightJustify", Alignment::RightJustify},
                                                                  {"taCenter", Alignment::Center}};
constexpr std::pair<std::string_view, BevelStyle> kBevels[] = {{"bvNone", BevelStyle::None},
                                                               {"bvLowered", BevelStyle::Lowered},
                                                               {"bvRaised", BevelStyle::Raised}};
constexpr std::pair<std::string_view, ModalResult> kModalResults[] = {
    {"mrNone", mrNone},   {"mrOk", mrOk},           {"mrCancel", mrCancel},    {"mrAbort", mrAbort},
    {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore},   {"mrYes", mrYes},          {"mrNo", mrNo},
    {"mrAll", mrAll},     {"mrNoToAll", mrNoToAll}, {"mrYesToAll", mrYesToAll}};

template <class T, class M>
void notifyEvent(ClassInfo& cls, const std::string& name, M T::*member) {
    cls.property<T>(name, [member](T& c, const Value& v, R& r) {
        r.event(v, [&c, member](const NotifyEvent& e) { c.*member = e; });
    });
}

Font& controlFont(Control& c) { return c.font(); }
}  // namespace

Align alignFromValue(const Value& v) { return v.toEnum(kAligns); }
Cursor cursorFromValue(const Value& v) { return v.toEnum(kCursors); }

int charsetFromValue(const Value& v) {
    if (v.kind == Value::Kind::Integer) return v.toInt();
    return v.toEnum(kCharsets);
}

FontStyle fontStyleFromValue(const Value& v) {
    FontStyle s;
    for (const std::string& item : v.set()) {
        if (item == "fsBold") s.bold = true;
        else if (item == "fsItalic") s.italic = true;
        else if (item == "fsUnderline") s.underline = true;
        else if (item == "fsStrikeOut") s.strikeOut = true;
        else throw DescriptionError(v.line, "unknown font style '" + item + "'");
    }
    return s;
}

void registerStandardClasses(ClassRegistry& classes) {
    ClassInfo& control = classes.addAbstract("Control");
    control.property<Control>("Left", [](Control& c, const Value& v, R&) { c.setLeft(v.toInt()); })
        .property<Control>("Top", [](Control& c, const Value& v, R&) { c.setTop(v.toInt()); })
        .property<Control>("Width", [](Control& c, const Value& v, R&) { c.setWidth(v.toInt()); })
        .property<Control>("Height", [](Control& c, const Value& v, R&) { c.setHeight(v.toInt()); })
        .property<Control>("Caption", [](Control& c, const Value& v, R&) { c.setCaption(v.toWide()); })
        .property<Control>("Text", [](Control& c, const Value& v, R&) { c.setText(v.toWide()); })
        .property<Control>("Align", [](Control& c, const Value& v, R&) { c.setAlign(alignFromValue(v)); })
        .property<Control>("Visible", [](Control& c, const Value& v, R&) { c.setVisible(v.toBool()); })
        .property<Control>("Enabled", [](Control& c, const Value& v, R&) { c.setEnabled(v.toBool()); })
        .property<Control>("Color", [](Control& c, const Value& v, R&) { c.setColor(v.toColor()); })
        .property<Control>("ParentColor", [](Control& c, const Value& v, R&) { c.setParentColor(v.toBool()); })
        .property<Control>("ParentFont", [](Control& c, const Value& v, R&) { c.setParentFont(v.toBool()); })
        .property<Control>("Cursor", [](Control& c, const Value& v, R&) { c.setCursor(cursorFromValue(v)); })
        .property<Control>("Hint", [](Control& c, const Value& v, R&) { c.setHint(v.toWide()); })
        .property<Control>("ShowHint", [](Control& c, const Value& v, R&) { c.setShowHint(v.toBool()); });
    registerFontProperties<Control>(control, "Font", controlFont);
    notifyEvent<Control>(control, "OnClick", &Control::onClick);
    notifyEvent<Control>(control, "OnDblClick", &Control::onDblClick);
    notifyEvent<Control>(control, "OnMouseEnter", &Control::onMouseEnter);
    notifyEvent<Control>(control, "OnMouseLeave", &Control::onMouseLeave);

    ClassInfo& windowed = classes.addAbstract("WindowedControl", "Control");
    windowed
        .property<WindowedControl>("TabOrder", [](WindowedControl& c, const Value& v, R&) { c.setTabOrder(v.toInt()); })
        .property<WindowedControl>("TabStop", [](WindowedControl& c, const Value& v, R&) { c.setTabStop(v.toBool()); });
    notifyEvent<WindowedControl>(windowed, "OnEnter", &WindowedControl::onEnter);
    notifyEvent<WindowedControl>(windowed, "OnExit", &WindowedControl::onExit);
    classes.addAbstract("CustomControl", "WindowedControl");

    ClassInfo& form = classes.addAbstract("Form", "WindowedControl");
    form.property<Form>("ClientWidth", [](Form& f, const Value& v, R&) { f.setClientWidth(v.toInt()); })
        .property<Form>("ClientHeight", [](Form& f, const Value& v, R&) { f.setClientHeight(v.toInt()); })
        .property<Form>("BorderStyle", [](Form& f, const Value& v, R&) { f.setBorderStyle(v.toEnum(kBorderStyles)); })
        .property<Form>("BorderIcons",
                        [](Form& f, const Value& v, R&) {
                            BorderIcons b{false, false, false, false};
                            for (const std::string& item : v.set()) {
                                if (item == "biSystemMenu") b.systemMenu = true;
                                else if (item == "biMinimize") b.minimize = true;
                                else if (item == "biMaximize") b.maximize = true;
                                else if (item == "biHelp") b.help = true;
                                else throw DescriptionError(v.line, "unknown border icon '" + item + "'");
                            }
                            f.setBorderIcons(b);
                        })
        .property<Form>("Position", [](Form& f, const Value& v, R&) { f.setPosition(v.toEnum(kPositions)); })
        .property<Form>("KeyPreview", [](Form& f, const Value& v, R&) { f.setKeyPreview(v.toBool()); })
        .property<Form>("PixelsPerInch", [](Form& f, const Value& v, R&) { f.setPixelsPerInch(v.toInt()); });
    notifyEvent<Form>(form, "OnCreate", &Form::onCreate);
    notifyEvent<Form>(form, "OnShow", &Form::onShow);
    notifyEvent<Form>(form, "OnHide", &Form::onHide);
    notifyEvent<Form>(form, "OnActivate", &Form::onActivate);
    notifyEvent<Form>(form, "OnDeactivate", &Form::onDeactivate);

    classes.add<Panel>("Panel", "CustomControl")
        .property<Panel>("BevelOuter", [](Panel& p, const Value& v, R&) { p.setBevelOuter(v.toEnum(kBevels)); })
        .property<Panel>("ShowCaption", [](Panel& p, const Value& v, R&) { p.setShowCaption(v.toBool()); });
    classes.add<Label>("Label", "Control")
        .property<Label>("Alignment", [](Label& l, const Value& v, R&) { l.setAlignment(v.toEnum(kAlignments)); })
        .property<Label>("Transparent", [](Label& l, const Value& v, R&) { l.setTransparent(v.toBool()); })
        .property<Label>("WordWrap", [](Label& l, const Value& v, R&) { l.setWordWrap(v.toBool()); })
        .property<Label>("AutoSize", [](Label& l, const Value& v, R&) { l.setAutoSize(v.toBool()); });
    classes.add<Edit>("Edit", "WindowedControl")
        .property<Edit>("PasswordChar",
                        [](Edit& e, const Value& v, R&) {
                            std::wstring s = v.toWide();
                            if (s.size() > 1) throw DescriptionError(v.line, "one character expected");
                            e.setPasswordChar(s.empty() ? 0 : s[0]);
                        })
        .property<Edit>("ReadOnly", [](Edit& e, const Value& v, R&) { e.setReadOnly(v.toBool()); })
        .property<Edit>("MaxLength", [](Edit& e, const Value& v, R&) { e.setMaxLength(v.toInt()); });
    classes.add<Button>("Button", "WindowedControl")
        .property<Button>("ModalResult",
                          [](Button& b, const Value& v, R&) {
                              b.setModalResult(v.kind == Value::Kind::Integer ? v.toInt() : v.toEnum(kModalResults));
                          })
        .property<Button>("Default", [](Button& b, const Value& v, R&) { b.setDefault(v.toBool()); })
        .property<Button>("Cancel", [](Button& b, const Value& v, R&) { b.setCancel(v.toBool()); });
    classes.add<Image>("Image", "Control")
        .property<Image>("Stretch", [](Image& i, const Value& v, R&) { i.setStretch(v.toBool()); })
        .property<Image>("Center", [](Image& i, const Value& v, R&) { i.setCenter(v.toBool()); });
    ClassInfo& timer = classes.add<Timer>("Timer");
    timer
        .property<Timer>("Interval",
                         [](Timer& t, const Value& v, R&) { t.setInterval(static_cast<unsigned>(v.toInt())); })
        .property<Timer>("Enabled", [](Timer& t, const Value& v, R&) { t.setEnabled(v.toBool()); });
    notifyEvent<Timer>(timer, "OnTimer", &Timer::onTimer);

    classes.nest = [](Component& child, Component& container) {
        auto* control = dynamic_cast<Control*>(&child);
        auto* parent = dynamic_cast<WindowedControl*>(&container);
        if (control && parent && !dynamic_cast<Form*>(control)) control->setParent(parent);
    };
}

std::vector<std::uint8_t> loadResourceData(const std::wstring& name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL global = res ? LoadResource(module, res) : nullptr;
    const void* bytes = global ? LockResource(global) : nullptr;
    if (!bytes) throw std::runtime_error("Resource " + wideToUtf8(name) + " not found");
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    return std::vector<std::uint8_t>(p, p + SizeofResource(module, res));
}

void loadFormFromText(Form& form, std::string_view text, const ClassRegistry& classes, Binder* binder) {
    DescriptionReader reader(classes, binder,
                             [](const std::string& name) { return loadResourceData(utf8ToWide(name)); });
    reader.read(text, form);
    if (form.onCreate) form.onCreate(&form);
}

void loadFormFromResource(Form& form, const std::wstring& resourceName, const ClassRegistry& classes, Binder* binder) {
    std::vector<std::uint8_t> text = loadResourceData(resourceName);
    loadFormFromText(form, std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), classes, binder);
}

}  // namespace fw
