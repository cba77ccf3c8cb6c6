// The main window, read from its form description (resources/uFrmMain.kvform, resource FRMMAIN): the skinned top
// bar with the two banners, the skinned field captions and command buttons, the file and password fields, the
// status bar and the skinned message box.
#pragma once

#include <string>

#include "app/Compaction.h"
#include "skin/dialogs/kvSkinFileEdit.h"
#include "framework/ClassRegistry.h"
#include "framework/Form.h"
#include "framework/StdControls.h"
#include "promo/BannerLoader.h"
#include "promo/PromoSite.h"
#include "promo/kvSkinLinkImage.h"
#include "skin/controls/kvSkinBoxCtrls.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/controls/kvSkinLabel.h"
#include "skin/controls/kvSkinPanel.h"
#include "skin/dialogs/kvMessages.h"
#include "statusbar/LmStatus.h"

inline constexpr wchar_t kApplicationTitle[] = L"KovraAccess数据库压缩器 V1.0";

// Registers the classes the main form's description names (beyond the framework's own).
void RegisterMainFormClasses(fw::ClassRegistry& classes);

class TfrmMain : public fw::Form {
public:
    // Reads the form from its description. `engineFactory` creates the compaction engine; `promoSite` is where
    // the show handler fetches the settings file and the banners.
    TfrmMain(fw::Component* owner, EngineFactory engineFactory, PromoSite promoSite = DefaultPromoSite());

    void kvSkinButton1Click(fw::Component* sender);
    void kvSkinButton2Click(fw::Component* sender);
    void FormShow(fw::Component* sender);
    bool CompactDatabaseFile(const std::u16string& fileName, const std::u16string& password,
                             std::u16string* reason = nullptr);
    // Puts a database named from outside (dropped on the window, or given on the command line, as "Open with"
    // does) into the file field.
    void OpenDatabaseFile(const std::wstring& fileName);

    TkvSkinPanel* TopPnl = nullptr;
    TkvSkinLinkImage* img1 = nullptr;
    TkvSkinLinkImage* img2 = nullptr;
    TkvSkinLabel* kvSkinLabel1 = nullptr;
    TkvSkinFileEdit* edtDatabaseFile = nullptr;
    TkvSkinLabel* kvSkinLabel2 = nullptr;
    TkvSkinPasswordEdit* edtPassword = nullptr;
    TkvSkinButton* kvSkinButton1 = nullptr;
    TkvSkinButton* kvSkinButton2 = nullptr;
    TLmStatusBar* LmStatusBar1 = nullptr;
    TLmClockStatus* LmClockStatus1 = nullptr;
    TLmVersionInfoStatus* LmVersionInfoStatus1 = nullptr;
    TLmStatusPane* LmStatusPane1 = nullptr;
    TLmStatusPane* LmStatusPane2 = nullptr;
    TkvSkinMessage* SkinMessage = nullptr;

protected:
    void createParams(CreateParams& p) override;
    void wndProc(fw::Message& m) override;

private:
    EngineFactory engineFactory_;
    BannerLoader banners_;  // destroyed before the form's components, the banners among them
};
