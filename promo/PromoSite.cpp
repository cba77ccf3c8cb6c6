#include "promo/PromoSite.h"

#include "promo/Communal.h"
#include "promo/Vendor.h"

std::wstring PromoSite::SettingsFile() const { return appDirectory + kSettingsFileName; }

PromoSite DefaultPromoSite() { return {kVendorBaseAddress, GetAppDirectory(), DownloadUrlToFile}; }
