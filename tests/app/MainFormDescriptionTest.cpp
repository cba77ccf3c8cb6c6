// The main window's description, read as the program reads it, says every setting the window is built with: each
// component of the window, its class, and each of its settings with its value. The Windows-side test
// (MainFormTest) checks that the settings reach the components.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "framework/Description.h"

namespace {

// A value as it is written in a description, so that the expectations below read like the description itself.
std::string render(const fw::Value& v) {
    switch (v.kind) {
    case fw::Value::Kind::Integer: return std::to_string(v.integer);
    case fw::Value::Kind::String: return "\"" + v.text + "\"";
    case fw::Value::Kind::Identifier: return v.text;
    case fw::Value::Kind::Reference: return "&" + v.text;
    case fw::Value::Kind::Event: return "@" + v.text;
    case fw::Value::Kind::Include: return "<include \"" + v.text + "\">";
    case fw::Value::Kind::Set: {
        std::string s = "[";
        for (std::size_t i = 0; i < v.items.size(); ++i) s += (i ? ", " : "") + v.items[i];
        return s + "]";
    }
    default: return "?";
    }
}

struct Component {
    std::string className;
    std::map<std::string, std::string> settings;
};

void collect(const fw::ObjectNode& node, std::map<std::string, Component>& out) {
    Component& c = out[node.name];
    c.className = node.className;
    for (const fw::PropertyNode& p : node.properties) c.settings[p.name] = render(p.value);
    for (const fw::ObjectNode& child : node.children) collect(child, out);
}

std::map<std::string, Component> readMainForm() {
    std::ifstream in(KV_MAIN_FORM, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::map<std::string, Component> out;
    collect(fw::parseDescription(text.str()), out);
    return out;
}

struct Expected {
    const char* component;
    const char* className;
    // "Name=value" pairs separated by ';'.
    const char* settings;
};

const char* const kSkinnedButtonAndLabel =
    "SkinData=&kvSkinData1;DefaultFont.Charset=DEFAULT_CHARSET;DefaultFont.Name=\"宋体\";DefaultFont.Height=12;"
    "UseSkinFont=true;UseSkinSize=true;UseSkinFontColor=true";
const char* const kButton =
    "SkinDataName=\"button\";ImageIndex=-1;AlwaysShowLayeredFrame=false;RepeatMode=false;RepeatInterval=100;"
    "AllowAllUp=false;TabStop=true;CanFocused=true;Down=false;GroupIndex=0;NumGlyphs=1;Spacing=1";
const char* const kLabel =
    "SkinDataName=\"label\";ShadowEffect=false;ShadowColor=clBlack;ShadowOffset=0;ShadowSize=3;"
    "ReflectionEffect=false;ReflectionOffset=-5;EllipsType=kvetNoneEllips;BorderStyle=bvFrame;AutoSize=false";

const Expected kExpected[] = {
    {"TopPnl", "TkvSkinPanel",
     "SkinData=&kvSkinData1;SkinDataName=\"panel\";DefaultFont.Name=\"Arial\";DefaultFont.Height=14;"
     "BorderStyle=bvFrame;ImagePosition=kvipDefault;TransparentMode=false;CaptionImageIndex=-1;RealHeight=-1;"
     "AutoEnabledControls=true;CheckedMode=false;Checked=false;DefaultAlignment=taLeftJustify;"
     "DefaultCaptionHeight=22;CaptionMode=false;RollUpMode=false;RollUpState=false;NumGlyphs=1;Spacing=2;"
     "UseSkinFont=true"},
    {"img1", "TkvSkinLinkImage", "Cursor=crHandPoint"},
    {"img2", "TkvSkinLinkImage", "Cursor=crHandPoint"},
    {"kvSkinLabel1", "TkvSkinLabel", kSkinnedButtonAndLabel},
    {"kvSkinLabel1", "TkvSkinLabel", kLabel},
    {"kvSkinLabel2", "TkvSkinLabel", kSkinnedButtonAndLabel},
    {"kvSkinLabel2", "TkvSkinLabel", kLabel},
    // The form asks for 20 pixels; the skin makes the field 21.
    {"edtDatabaseFile", "TkvSkinFileEdit",
     "Height=20;SkinData=&kvSkinData1;SkinDataName=\"buttonedit\";ButtonMode=true;DefaultHeight=20;"
     "DefaultColor=clWindow;DefaultFont.Name=\"宋体\";DefaultFont.Height=12;Font.Name=\"宋体\";Font.Height=12;"
     "UseSkinFont=true;Filter=\"Access 数据库文件|*.mdb\";DlgSkinData=&kvSkinData1;DlgCtrlSkinData=&kvSkinData1;"
     "LVHeaderSkinDataName=\"resizebutton\""},
    {"edtPassword", "TkvSkinPasswordEdit",
     "SkinData=&kvSkinData1;SkinDataName=\"edit\";PasswordKind=pkRoundRect;DefaultHeight=21;DefaultColor=clWindow;"
     "DefaultFont.Name=\"宋体\";DefaultFont.Height=12;UseSkinFont=true;Cursor=crIBeam"},
    {"kvSkinButton1", "TkvSkinButton", kSkinnedButtonAndLabel},
    {"kvSkinButton1", "TkvSkinButton", kButton},
    {"kvSkinButton2", "TkvSkinButton", kSkinnedButtonAndLabel},
    {"kvSkinButton2", "TkvSkinButton", kButton},
    {"LmStatusBar1", "TLmStatusBar",
     "BorderInner=fsNone;BorderOuter=fsNone;BorderSides=[sdLeft, sdTop, sdRight, sdBottom];BorderWidth=0"},
    // The clock's and the version pane's widths are their defaults and are not stored.
    {"LmClockStatus1", "TLmClockStatus", "Left=203;Top=0;Height=19;Align=alRight"},
    {"LmVersionInfoStatus1", "TLmVersionInfoStatus", "Left=103;Top=0;Height=19;Align=alRight;Field=vifProductVersion"},
    {"LmStatusPane1", "TLmStatusPane", "Left=353;Top=0;Width=193;Height=19;Align=alRight"},
    {"LmStatusPane2", "TLmStatusPane", "Left=0;Top=0;Width=169;Height=19;Align=alLeft"},
    {"SkinMessage", "TkvSkinMessage",
     "SkinData=&kvSkinData1;CtrlSkinData=&kvSkinData1;ButtonSkinDataName=\"button\";"
     "MessageLabelSkinDataName=\"stdlabel\";DefaultFont.Name=\"宋体\";DefaultFont.Height=12;"
     "DefaultButtonFont.Name=\"宋体\";DefaultButtonFont.Height=12;UseSkinFont=true;ShowAgainFlag=false;"
     "ShowAgainFlagValue=false;AlphaBlend=false;AlphaBlendAnimation=false;AlphaBlendValue=200"},
    {"kvKelvaneForm1", "TkvKelvaneForm",
     "SkinData=&kvSkinData1;MenusSkinData=&kvSkinData1;BorderIcons=[biSystemMenu, biMinimize, biMaximize, biRollUp];"
     "ShowIcon=false;UseDefaultSysMenu=true;DisableSystemMenu=false;HideCaptionButtons=false;"
     "DefCaptionFont.Name=\"宋体\";DefCaptionFont.Height=12;DefCaptionFont.Style=[fsBold];"
     "DefCaptionFont.Color=clBtnText;DefInActiveCaptionFont.Color=clBtnShadow;DefMenuItemFont.Name=\"宋体\";"
     "DefMenuItemFont.Height=12;DefMenuItemHeight=20;UseSkinFontInMenu=true;AlphaBlend=false;"
     "AlphaBlendAnimation=false;AlphaBlendValue=200;MenusAlphaBlend=false;MenusAlphaBlendAnimation=false;"
     "MenusAlphaBlendValue=200;ClientInActiveEffect=false;ClientInActiveEffectType=kvieSemiTransparent;"
     "ShowObjectHint=false;Magnetic=false;MagneticSize=5;PositionInMonitor=kvpDefault;AlwaysResize=false;"
     "AlwaysShowInTray=false;AlwaysMinimizeToTray=false;MaximizeOnFullScreen=false;UseFormCursorInNCArea=false;"
     "LogoBitMapTransparent=false;MaxMenuItemsInWindow=0;ClientWidth=0;ClientHeight=0;MinWidth=0;MinHeight=0;"
     "MaxWidth=0;MaxHeight=0"},
    {"kvSkinData1", "TkvSkinData",
     "SkinnableForm=true;EnableSkinEffects=true;ShowButtonGlowFrames=true;ShowCaptionButtonGlowFrames=true;"
     "CompressedStoredSkin=&kvCompressedStoredSkin1;SkinIndex=0"},
    {"kvCompressedStoredSkin1", "TkvCompressedStoredSkin",
     "FileName=\"skin.ini\";CompressedData=<include \"KVSKIN\">"},
};

TEST(MainFormDescription, NamesEveryComponentWithEverySetting) {
    const std::map<std::string, Component> form = readMainForm();
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.component);
        const auto found = form.find(e.component);
        ASSERT_NE(found, form.end());
        EXPECT_EQ(found->second.className, e.className);
        std::stringstream pairs(e.settings);
        std::string pair;
        while (std::getline(pairs, pair, ';')) {
            const std::size_t eq = pair.find('=');
            const std::string name = pair.substr(0, eq);
            const auto setting = found->second.settings.find(name);
            if (setting == found->second.settings.end()) {
                ADD_FAILURE() << name << " is not set";
                continue;
            }
            EXPECT_EQ(setting->second, pair.substr(eq + 1)) << name;
        }
    }
    // The banners are filled at run time: the description gives them no picture and no address.
    for (const char* banner : {"img1", "img2"}) {
        const auto& settings = form.at(banner).settings;
        EXPECT_EQ(settings.count("Picture") + settings.count("URL"), 0u) << banner;
    }
    // No resource-string component: boxes and menus use their built-in texts.
    EXPECT_EQ(form.at("kvSkinData1").settings.count("ResourceStrData"), 0u);
}

}  // namespace
