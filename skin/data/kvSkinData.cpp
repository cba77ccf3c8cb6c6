#include "skin/data/kvSkinData.h"

#include <algorithm>

#include "skin/data/kvSkinPackage.h"
#include "skin/data/kvZlibStreams.h"

namespace {
// Most active-picture names kept from [PICTURES]; a larger count is damage, and its names would all be empty.
constexpr std::int32_t kMaxPictureNames = 65536;

// Highest numbered key ("0", "1", ...) of a section, or -1. Entries past it cannot exist, so list readers stop
// there instead of probing up to a damaged count.
std::int64_t highestNumberedKey(const IniText& ini, std::string_view section) {
    const IniText::Section* s = ini.findSection(section);
    std::int64_t best = -1;
    if (!s) return best;
    for (const auto& e : s->entries) {
        if (!e.hasValue || e.key.empty() || e.key.size() > 10) continue;
        if (e.key.size() > 1 && e.key[0] == '0') continue;
        if (!std::all_of(e.key.begin(), e.key.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
        best = std::max<std::int64_t>(best, std::stoll(e.key));
    }
    return best;
}

// Calls fn(name, type) for entries 0 .. count-1 of a "name:type" list section, in entry order.
template <class Fn>
void forEachListEntry(const IniText& ini, std::string_view section, Fn fn) {
    std::int64_t count = toInteger(ini.value(section, "count"), 0);
    std::int64_t last = std::min<std::int64_t>(count - 1, highestNumberedKey(ini, section));
    for (std::int64_t i = 0; i <= last; ++i) {
        auto entry = ini.value(section, std::to_string(i));
        if (!entry) continue;
        std::size_t colon = entry->find(':');
        if (colon == std::string_view::npos) continue;
        fn(entry->substr(0, colon), entry->substr(colon + 1));
    }
}

struct LoadGuard {
    bool& flag;
    explicit LoadGuard(bool& f) : flag(f) { flag = true; }
    ~LoadGuard() { flag = false; }
};
}  // namespace

#ifndef KV_SKIN_FORM_MESSAGES
// Without the platform's forms there is nobody to tell; the Windows build supplies the real messenger.
SkinFormMessenger* DefaultSkinFormMessenger() { return nullptr; }
#endif

namespace {
// The keys the popup and hint windows share: their pictures, corner points and stretching.
template <class Window, class Get>
void readWindowFrame(Window& w, Get v) {
    w.WindowPictureIndex = toInteger(v("windowpictureindex"), -1);
    w.MaskPictureIndex = toInteger(v("maskpictureindex"), -1);
    w.LeftTopPoint = toPoint(v("lefttoppoint"), {});
    w.RightTopPoint = toPoint(v("righttoppoint"), {});
    w.LeftBottomPoint = toPoint(v("leftbottompoint"), {});
    w.RightBottomPoint = toPoint(v("rightbottompoint"), {});
}
template <class Window, class Get>
void readWindowStretch(Window& w, Get v) {
    w.LeftStretch = toBoolean(v("leftstretch"), false);
    w.RightStretch = toBoolean(v("rightstretch"), false);
    w.TopStretch = toBoolean(v("topstretch"), false);
    w.BottomStretch = toBoolean(v("bottomstretch"), false);
    w.StretchEffect = toBoolean(v("stretcheffect"), false);
    w.StretchType = toStretchType(v("stretchtype"), stfull);
}
}  // namespace

void TkvDataSkinPopupWindow::ReadFromDescription(const IniText& ini) {
    auto v = [&ini](const char* key) { return ini.value("POPUPWINDOW", key); };
    readWindowFrame(*this, v);
    ItemsRect = toRect(v("itemsrect"), {});
    ScrollMarkerColor = static_cast<fw::Color>(toInteger(v("scrollmarkercolor"), 0));
    ScrollMarkerActiveColor = static_cast<fw::Color>(toInteger(v("scrollmarkeractivecolor"), 0));
    readWindowStretch(*this, v);
}

void TkvDataSkinHintWindow::ReadFromDescription(const IniText& ini) {
    auto v = [&ini](const char* key) { return ini.value("HINTWINDOW", key); };
    readWindowFrame(*this, v);
    ClientRect = toRect(v("clientrect"), {});
    auto name = v("fontname");
    FontName = name ? std::string(*name) : "Arial";
    FontHeight = toInteger(v("fontheight"), 14);
    FontStyle = toFontStyles(v("fontstyle"), {});
    FontColor = static_cast<fw::Color>(toInteger(v("fontcolor"), 0));
    readWindowStretch(*this, v);
}

TkvSkinData::TkvSkinData(fw::Component* owner, SkinFormMessenger* messenger)
    : fw::Component(owner),
      messenger_(messenger),
      popupWindow_(std::make_unique<TkvDataSkinPopupWindow>()),
      hintWindow_(std::make_unique<TkvDataSkinHintWindow>()),
      skinColors_(std::make_unique<TkvSkinColors>()) {}

TkvSkinData::~TkvSkinData() {
    empty_ = true;
    objects_.clear();
    controls_.clear();
    ActivePictures.clear();
}

void TkvSkinData::SetSkinnableForm(bool v) {
    if (v == skinnableForm_) return;
    skinnableForm_ = v;
    if (!designing_ && !loading()) NotifyForms(SKIN_MSG_SKINNABLE_CHANGED);
}

void TkvSkinData::SetCompressedStoredSkin(TkvCompressedStoredSkin* s) {
    if (storedSkin_ && storedSkin_ != s) removeFreeNotification(storedSkin_);
    storedSkin_ = s;
    if (s) freeNotification(s);
    if (!designing_ && s) LoadStoredSkin(*s);
}

void TkvSkinData::SetResourceStrData(TkvResourceStrData* r) {
    if (resourceStrData_ && resourceStrData_ != r) removeFreeNotification(resourceStrData_);
    resourceStrData_ = r;
    if (r) freeNotification(r);
    if (!designing_) NotifyForms(SKIN_MSG_RESSTRINGS_CHANGED);
}

void TkvSkinData::SetSkinList(TkvCompressedSkinList* l) {
    if (skinList_ && skinList_ != l) removeFreeNotification(skinList_);
    skinList_ = l;
    if (l) freeNotification(l);
    if (!designing_ && l && skinIndex_ >= 0 && skinIndex_ < l->Skins().Count()) loadListItem(skinIndex_);
}

void TkvSkinData::SetSkinIndex(int i) {
    if (i == skinIndex_) return;
    if (!skinList_) {
        skinIndex_ = i;
        return;
    }
    if (i < 0 || i >= skinList_->Skins().Count()) return;
    skinIndex_ = i;
    if (!designing_) loadListItem(i);
}

void TkvSkinData::loadListItem(int index) { LoadStoredSkin(skinList_->Skins()[index].StoredSkin()); }

void TkvSkinData::notification(fw::Component* c, fw::Operation op) {
    fw::Component::notification(c, op);
    if (op != fw::Operation::Remove) return;
    if (c == storedSkin_) storedSkin_ = nullptr;
    if (c == resourceStrData_) resourceStrData_ = nullptr;
    if (c == skinList_) skinList_ = nullptr;
}

void TkvSkinData::NotifyForms(unsigned msg) {
    if (!messenger_) return;
    SkinFormMessenger::FormRef ownerForm = owner() ? messenger_->formOf(owner()) : nullptr;
    if (ownerForm) messenger_->send(ownerForm, msg, this, kSkinMessageParam);
    for (SkinFormMessenger::FormRef f : messenger_->allForms())
        if (f != ownerForm) messenger_->send(f, msg, this, kSkinMessageParam);
}

void TkvSkinData::ClearSkin() {
    objects_.clear();
    controls_.clear();
    ActivePictures.clear();
    ActivePictureNames.clear();
    popupWindow_->WindowPictureIndex = -1;
    popupWindow_->MaskPictureIndex = -1;
    hintWindow_->WindowPictureIndex = -1;
    hintWindow_->MaskPictureIndex = -1;
    skinColors_->ResetColors();
    FramePicture = fw::Bitmap();
    InactiveFramePicture = fw::Bitmap();
    FrameMask = fw::Bitmap();
    PictureName.clear();
    MaskPictureName.clear();
    empty_ = true;
}

int TkvSkinData::GetObjectIndex(std::string_view name) const {
    for (std::size_t i = 0; i < objects_.size(); ++i)
        if (objects_[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

int TkvSkinData::GetControlIndex(std::string_view name) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

void TkvSkinData::LoadStoredSkin(TkvCompressedStoredSkin& stored) {
    if (stored.IsEmpty()) return;
    // A form answering a skin message must not start another load of this model; such a call is ignored.
    if (reading_) return;
    LoadGuard guard(reading_);
    empty_ = true;
    loadInProgress_ = true;
    NotifyForms(SKIN_MSG_BEFORE_CHANGE);
    ClearSkin();
    {
        std::optional<SkinPackage> package;
        {
            fw::MemoryStream raw;
            stored.DecompressTo(raw);
            raw.setPosition(0);
            package = readSkinPackage(raw);
        }
        if (!package) return;
        FramePicture = package->picture.decode();
        InactiveFramePicture = package->inactivePicture.decode();
        FrameMask = package->mask.decode();
        for (const BmpImage& img : package->activePictures) {
            ActivePictures.emplace_back();
            ActivePictures.back() = img.decode();
        }
        readDescription(package->text);
    }
    empty_ = false;
    NotifyForms(SKIN_MSG_CHANGED);
    loadInProgress_ = false;
    NotifyForms(SKIN_MSG_AFTER_CHANGE);
}

void TkvSkinData::readDescription(std::string_view text) {
    IniText ini = IniText::parse(text);
    auto str = [&ini](const char* section, const char* key, const char* def = "") {
        auto v = ini.value(section, key);
        return v ? std::string(*v) : std::string(def);
    };
    SkinName = str("VERSION", "skinname");
    SkinAuthor = str("VERSION", "skinauthor");
    AuthorEmail = str("VERSION", "authoremail");
    AuthorURL = str("VERSION", "authorurl");
    SkinComments = str("VERSION", "skincomments");

    PictureName = str("PICTURES", "picture");
    InactivePictureName = str("PICTURES", "inactivepicture");
    MaskPictureName = str("PICTURES", "mask");
    std::int32_t names = std::min(toInteger(ini.value("PICTURES", "activepicturescount"), 0), kMaxPictureNames);
    for (std::int32_t i = 0; i < names; ++i) ActivePictureNames.push_back(str("PICTURES", std::to_string(i).c_str()));

    readFormInfo(ini);
    popupWindow_->ReadFromDescription(ini);
    hintWindow_->ReadFromDescription(ini);
    skinColors_->ReadFromDescription(ini);

    forEachListEntry(ini, "SKINOBJECTS", [&](std::string_view name, std::string_view type) {
        auto obj = CreateSkinObject(type);
        if (!obj) return;
        obj->IDName = std::string(name);
        objects_.push_back(std::move(obj));
        objects_.back()->ReadFromDescription(ini);
    });
    forEachListEntry(ini, "SKINCONTROLS", [&](std::string_view name, std::string_view type) {
        auto ctrl = CreateSkinControl(type);
        if (!ctrl) return;
        ctrl->IDName = std::string(name);
        controls_.push_back(std::move(ctrl));
        controls_.back()->ReadFromDescription(ini);
    });
}

void TkvSkinData::readFormInfo(const IniText& ini) {
    auto v = [&ini](const char* key) { return ini.value("FORMINFO", key); };
    LeftTopPoint = toPoint(v("lefttoppoint"), {});
    RightTopPoint = toPoint(v("righttoppoint"), {});
    LeftBottomPoint = toPoint(v("leftbottompoint"), {});
    RightBottomPoint = toPoint(v("rightbottompoint"), {});
    ClientRect = toRect(v("clientrect"), {});
    BGPictureIndex = toInteger(v("bgpictureindex"), -1);
    MDIBGPictureIndex = toInteger(v("mdibgpictureindex"), -1);
    LeftStretch = toBoolean(v("leftstretch"), false);
    RightStretch = toBoolean(v("rightstretch"), false);
    TopStretch = toBoolean(v("topstretch"), false);
    BottomStretch = toBoolean(v("bottomstretch"), false);
    StretchEffect = toBoolean(v("stretcheffect"), false);
    StretchType = toStretchType(v("stretchtype"), stfull);
    MDIBGStretchEffect = toBoolean(v("mdibgstretcheffect"), false);
    MDIBGStretchType = toStretchType(v("mdibgstretchtype"), stfull);
    MaskRectArea = toRect(v("maskrectarea"), {});
    HitTestLeftTopPoint = toPoint(v("hittestlefttoppoint"), {});
    HitTestRightTopPoint = toPoint(v("hittestrighttoppoint"), {});
    HitTestLeftBottomPoint = toPoint(v("hittestleftbottompoint"), {});
    HitTestRightBottomPoint = toPoint(v("hittestrightbottompoint"), {});
    ButtonsRect = toRect(v("buttonsrect"), {});
    CaptionRect = toRect(v("captionrect"), {});
    ButtonsOffset = toInteger(v("buttonsoffset"), 0);
    ButtonsInLeft = toBoolean(v("buttonsinleft"), false);
    MainMenuPopupUp = toBoolean(v("mainmenupopupup"), false);
    BorderWidth = toInteger(v("borderwidth"), 0);
    FormMinWidth = toInteger(v("formminwidth"), 0);
    MDITabsTransparent = toBoolean(v("mditabstransparent"), false);
    MainMenuBarTransparent = toBoolean(v("mainmenubartransparent"), false);
    AutoRenderingInActiveImage = toBoolean(v("autorenderinginactiveimage"), false);
    InactiveEffect = toInactiveEffect(v("inactiveeffect"), iebrightness);

    // The mask shapes the window: its area must cover the client area, and hit-test corners left at 0 follow
    // the frame's corners.
    if (!MaskPictureName.empty()) {
        if (MaskRectArea.empty()) {
            MaskRectArea = ClientRect;
        } else {
            MaskRectArea = {std::min(MaskRectArea.left, ClientRect.left), std::min(MaskRectArea.top, ClientRect.top),
                            std::max(MaskRectArea.right, ClientRect.right),
                            std::max(MaskRectArea.bottom, ClientRect.bottom)};
        }
        auto follow = [](fw::Point& hit, fw::Point corner) {
            if (hit.x == 0 || hit.y == 0) hit = corner;
        };
        follow(HitTestLeftTopPoint, LeftTopPoint);
        follow(HitTestRightTopPoint, RightTopPoint);
        follow(HitTestLeftBottomPoint, LeftBottomPoint);
        follow(HitTestRightBottomPoint, RightBottomPoint);
    }
    // The corners cut the frame picture around the client area, so they may not reach into it.
    if (RightBottomPoint.x != LeftTopPoint.x && RightBottomPoint.y != LeftTopPoint.y) {
        const fw::Rect& c = ClientRect;
        LeftTopPoint.x = std::max(LeftTopPoint.x, c.left);
        LeftTopPoint.y = std::max(LeftTopPoint.y, c.top);
        RightTopPoint.x = std::min(RightTopPoint.x, c.right);
        RightTopPoint.y = std::max(RightTopPoint.y, c.top);
        LeftBottomPoint.x = std::max(LeftBottomPoint.x, c.left);
        LeftBottomPoint.y = std::min(LeftBottomPoint.y, c.bottom);
        RightBottomPoint.x = std::min(RightBottomPoint.x, c.right);
        RightBottomPoint.y = std::min(RightBottomPoint.y, c.bottom);
    }
}
