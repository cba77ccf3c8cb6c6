#include "app/uFrmMain.h"

#include <shellapi.h>

#include "app/Win32FileOperations.h"
#include "framework/Application.h"
#include "framework/DescriptionReader.h"
#include "framework/Platform.h"
#include "framework/StandardClasses.h"
#include "framework/Utf.h"
#include "promo/Banners.h"
#include "promo/Vendor.h"
#include "skin/controls/kvSkinCtrlsClasses.h"
#include "skin/data/kvSkinDataClasses.h"
#include "skin/frame/KelvaneForm.h"

void RegisterMainFormClasses(fw::ClassRegistry& classes) {
    using R = fw::DescriptionReader;
    if (classes.find("TfrmMain") != nullptr) return;
    classes.addAbstract("TfrmMain", "Form");
    if (classes.find("TkvSkinData") == nullptr) RegisterSkinDataClasses(classes);
    RegisterKelvaneFormClass(classes);
    RegisterSkinControlClasses(classes);
    RegisterLinkImageClass(classes);
    RegisterStatusBarClasses(classes);
    auto dialogSkin = [](void (TkvSkinFileEdit::*set)(TkvSkinData*)) {
        return [set](TkvSkinFileEdit& e, const fw::Value& v, R& r) {
            r.reference(v, [&e, set](fw::Component* t) { (e.*set)(dynamic_cast<TkvSkinData*>(t)); });
        };
    };
    classes.add<TkvSkinFileEdit>("TkvSkinFileEdit", "TkvSkinEdit")
        .property<TkvSkinFileEdit>("Filter",
                                   [](TkvSkinFileEdit& e, const fw::Value& v, R&) { e.SetFilter(v.toWide()); })
        .property<TkvSkinFileEdit>("DlgSkinData", dialogSkin(&TkvSkinFileEdit::SetDlgSkinData))
        .property<TkvSkinFileEdit>("DlgCtrlSkinData", dialogSkin(&TkvSkinFileEdit::SetDlgCtrlSkinData))
        .property<TkvSkinFileEdit>("LVHeaderSkinDataName", [](TkvSkinFileEdit& e, const fw::Value& v, R&) {
            e.LVHeaderSkinDataName = fw::wideToUtf8(v.toWide());
        });
    fw::ClassInfo& message = classes.add<TkvSkinMessage>("TkvSkinMessage");
    fw::registerFontProperties<TkvSkinMessage>(message, "DefaultFont",
                                               [](TkvSkinMessage& m) -> fw::Font& { return m.DefaultFont; });
    fw::registerFontProperties<TkvSkinMessage>(message, "DefaultButtonFont",
                                               [](TkvSkinMessage& m) -> fw::Font& { return m.DefaultButtonFont; });
    auto skinDataRef = [](void (TkvSkinMessage::*set)(TkvSkinData*)) {
        return [set](TkvSkinMessage& m, const fw::Value& v, R& r) {
            r.reference(v, [&m, set](fw::Component* t) { (m.*set)(dynamic_cast<TkvSkinData*>(t)); });
        };
    };
    message.property<TkvSkinMessage>("SkinData", skinDataRef(&TkvSkinMessage::SetSkinData))
        .property<TkvSkinMessage>("CtrlSkinData", skinDataRef(&TkvSkinMessage::SetCtrlSkinData))
        .property<TkvSkinMessage>("ButtonSkinDataName",
                                  [](TkvSkinMessage& m, const fw::Value& v, R&) { m.ButtonSkinDataName = v.toUtf8(); })
        .property<TkvSkinMessage>("MessageLabelSkinDataName", [](TkvSkinMessage& m, const fw::Value& v,
                                                                 R&) { m.MessageLabelSkinDataName = v.toUtf8(); })
        .property<TkvSkinMessage>("AlphaBlend",
                                  [](TkvSkinMessage& m, const fw::Value& v, R&) { m.AlphaBlend = v.toBool(); })
        .property<TkvSkinMessage>("AlphaBlendAnimation",
                                  [](TkvSkinMessage& m, const fw::Value& v, R&) { m.AlphaBlendAnimation = v.toBool(); })
        .property<TkvSkinMessage>("AlphaBlendValue", [](TkvSkinMessage& m, const fw::Value& v, R&) {
            m.AlphaBlendValue = static_cast<BYTE>(v.toInt());
        });
    message
        .property<TkvSkinMessage>("UseSkinFont",
                                  [](TkvSkinMessage& m, const fw::Value& v, R&) { m.UseSkinFont = v.toBool(); })
        .property<TkvSkinMessage>("ShowAgainFlag",
                                  [](TkvSkinMessage& m, const fw::Value& v, R&) { m.ShowAgainFlag = v.toBool(); })
        .property<TkvSkinMessage>("ShowAgainFlagValue",
                                  [](TkvSkinMessage& m, const fw::Value& v, R&) { m.ShowAgainFlagValue = v.toBool(); });
}

TfrmMain::TfrmMain(fw::Component* owner, EngineFactory engineFactory, PromoSite promoSite)
    : fw::Form(owner), engineFactory_(std::move(engineFactory)), banners_(std::move(promoSite)) {
    fw::Binder b;
    b.field("TopPnl", TopPnl);
    b.field("img1", img1);
    b.field("img2", img2);
    b.field("kvSkinLabel1", kvSkinLabel1);
    b.field("edtDatabaseFile", edtDatabaseFile);
    b.field("kvSkinLabel2", kvSkinLabel2);
    b.field("edtPassword", edtPassword);
    b.field("kvSkinButton1", kvSkinButton1);
    b.field("kvSkinButton2", kvSkinButton2);
    b.field("LmStatusBar1", LmStatusBar1);
    b.field("LmClockStatus1", LmClockStatus1);
    b.field("LmVersionInfoStatus1", LmVersionInfoStatus1);
    b.field("LmStatusPane1", LmStatusPane1);
    b.field("LmStatusPane2", LmStatusPane2);
    b.field("SkinMessage", SkinMessage);
    b.method("kvSkinButton1Click", [this](fw::Component* s) { kvSkinButton1Click(s); });
    b.method("kvSkinButton2Click", [this](fw::Component* s) { kvSkinButton2Click(s); });
    b.method("FormShow", [this](fw::Component* s) { FormShow(s); });
    fw::Application* app = fw::Application::instance();
    RegisterMainFormClasses(app->classes());
    fw::loadFormFromResource(*this, L"FRMMAIN", app->classes(), &b);
    SkinMessage->ApplicationTitle = app->title();
    // The vendor's addresses live in one place for the whole program.
    LmStatusPane1->SetCaption(std::wstring(L"官方Email:") + kVendorContact);
    LmStatusPane2->SetCaption(kVendorHost);
}

void TfrmMain::OpenDatabaseFile(const std::wstring& fileName) {
    if (fileName.empty()) return;
    edtDatabaseFile->setText(fileName);
}

void TfrmMain::createParams(CreateParams& p) {
    fw::Form::createParams(p);
    p.exStyle |= WS_EX_ACCEPTFILES;
}

void TfrmMain::wndProc(fw::Message& m) {
    if (m.msg == WM_DROPFILES) {
        // Several files may come at once; the field takes the first.
        const HDROP drop = reinterpret_cast<HDROP>(m.wParam);
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        std::wstring name(length, L'\0');
        if (length > 0) DragQueryFileW(drop, 0, name.data(), length + 1);
        DragFinish(drop);
        OpenDatabaseFile(name);
        m.result = 0;
        return;
    }
    fw::Form::wndProc(m);
}

bool TfrmMain::CompactDatabaseFile(const std::u16string& fileName, const std::u16string& password,
                                   std::u16string* reason) {
    Win32FileOperations files;
    return ::CompactDatabaseFile(fileName, password, files, engineFactory_, reason);
}

void TfrmMain::kvSkinButton1Click(fw::Component*) {
    CompactCommandHost host;
    host.fileNameText = [this] { return fw::toU16(edtDatabaseFile->text()); };
    host.passwordText = [this] { return fw::toU16(edtPassword->text()); };
    host.showMessageBox = [this](std::u16string_view text, TkvMessageKind kind, TkvMessageButtons buttons, int help) {
        return SkinMessage->ShowMessageBox(text, kind, buttons, help);
    };
    host.compactDatabaseFile = [this](const std::u16string& f, const std::u16string& p, std::u16string& reason) {
        // The window does not respond while the engine works; show the wait cursor meanwhile.
        HCURSOR old = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
        const bool ok = CompactDatabaseFile(f, p, &reason);
        SetCursor(old);
        return ok;
    };
    RunCompactCommand(host);
}

void TfrmMain::kvSkinButton2Click(fw::Component*) { close(); }

// Fetches the settings file on every show and fills the two banners on the first, without waiting for the network:
// the banners are filled when their pictures have arrived.
void TfrmMain::FormShow(fw::Component*) { banners_.Show(*img1, *img2); }
