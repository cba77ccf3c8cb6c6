#include "promo/PromoSite.h"

#include "promo/Communal.h"
#include "promo/Vendor.h"

std::wstring PromoSite::settingsFile() const { return appDirectory + kSettingsFileName; }

PromoSite DefaultPromoSite() { return {kVendorBaseAddress, GetAppDirectory(), DownloadUrlToFile}; }
