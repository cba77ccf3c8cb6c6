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
    const IniText::Section* s = ini.FindSection(section);
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
    std::int64_t count = ToInteger(ini.Value(section, "count"), 0);
    std::int64_t last = std::min<std::int64_t>(count - 1, highestNumberedKey(ini, section));
    for (std::int64_t i = 0; i <= last; ++i) {
        auto entry = ini.Value(section, std::to_string(i));
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
    w.WindowPictureIndex = ToInteger(v("windowpictureindex"), -1);
    w.MaskPictureIndex = ToInteger(v("maskpictureindex"), -1);
    w.LeftTopPoint = ToPoint(v("lefttoppoint"), {});
    w.RightTopPoint = ToPoint(v("righttoppoint"), {});
    w.LeftBottomPoint = ToPoint(v("leftbottompoint"), {});
    w.RightBottomPoint = ToPoint(v("rightbottompoint"), {});
}
template <class Window, class Get>
void readWindowStretch(Window& w, Get v) {
    w.LeftStretch = ToBoolean(v("leftstretch"), false);
    w.RightStretch = ToBoolean(v("rightstretch"), false);
    w.TopStretch = ToBoolean(v("topstretch"), false);
    w.BottomStretch = ToBoolean(v("bottomstretch"), false);
    w.StretchEffect = ToBoolean(v("stretcheffect"), false);
    w.StretchType = ToStretchType(v("stretchtype"), stfull);
}
}  // namespace

void TkvDataSkinPopupWindow::ReadFromDescription(const IniText& ini) {
    auto v = [&ini](const char* key) { return ini.Value("POPUPWINDOW", key); };
    readWindowFrame(*this, v);
    ItemsRect = ToRect(v("itemsrect"), {});
    ScrollMarkerColor = static_cast<fw::Color>(ToInteger(v("scrollmarkercolor"), 0));
    ScrollMarkerActiveColor = static_cast<fw::Color>(ToInteger(v("scrollmarkeractivecolor"), 0));
    readWindowStretch(*this, v);
}

void TkvDataSkinHintWindow::ReadFromDescription(const IniText& ini) {
    auto v = [&ini](const char* key) { return ini.Value("HINTWINDOW", key); };
    readWindowFrame(*this, v);
    ClientRect = ToRect(v("clientrect"), {});
    auto name = v("fontname");
    FontName = name ? std::string(*name) : "Arial";
    FontHeight = ToInteger(v("fontheight"), 14);
    FontStyle = ToFontStyles(v("fontstyle"), {});
    FontColor = static_cast<fw::Color>(ToInteger(v("fontcolor"), 0));
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
    if (!designing_ && l && skinIndex_ >= 0 && skinIndex_ < l->Skins().Count()) LoadListItem(skinIndex_);
}

void TkvSkinData::SetSkinIndex(int i) {
    if (i == skinIndex_) return;
    if (!skinList_) {
        skinIndex_ = i;
        return;
    }
    if (i < 0 || i >= skinList_->Skins().Count()) return;
    skinIndex_ = i;
    if (!designing_) LoadListItem(i);
}

void TkvSkinData::LoadListItem(int index) { LoadStoredSkin(skinList_->Skins()[index].StoredSkin()); }

void TkvSkinData::notification(fw::Component* c, fw::Operation op) {
    fw::Component::notification(c, op);
    if (op != fw::Operation::Remove) return;
    if (c == storedSkin_) storedSkin_ = nullptr;
    if (c == resourceStrData_) resourceStrData_ = nullptr;
    if (c == skinList_) skinList_ = nullptr;
}

void TkvSkinData::NotifyForms(unsigned msg) {
    if (!messenger_) return;
    SkinFormMessenger::FormRef ownerForm = owner() ? messenger_->FormOf(owner()) : nullptr;
    if (ownerForm) messenger_->Send(ownerForm, msg, this, kSkinMessageParam);
    for (SkinFormMessenger::FormRef f : messenger_->AllForms())
        if (f != ownerForm) messenger_->Send(f, msg, this, kSkinMessageParam);
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
    if (empty_) return -1;
    for (std::size_t i = 0; i < objects_.size(); ++i)
        if (objects_[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

int TkvSkinData::GetControlIndex(std::string_view name) const {
    if (empty_) return -1;
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
        std::optional<DecodedSkinPackage> package;
        {
            fw::MemoryStream raw;
            stored.DecompressTo(raw);
            raw.setPosition(0);
            package = DecodeSkinPackage(raw);
        }
        if (!package) return;
        FramePicture = std::move(package->picture);
        InactiveFramePicture = std::move(package->inactivePicture);
        FrameMask = std::move(package->mask);
        ActivePictures = std::move(package->activePictures);
        ReadDescription(package->text);
    }
    empty_ = false;
    NotifyForms(SKIN_MSG_CHANGED);
    loadInProgress_ = false;
    NotifyForms(SKIN_MSG_AFTER_CHANGE);
}

void TkvSkinData::ReadDescription(std::string_view text) {
    IniText ini = IniText::Parse(text);
    auto str = [&ini](const char* section, const char* key, const char* def = "") {
        auto v = ini.Value(section, key);
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
    std::int32_t names = std::min(ToInteger(ini.Value("PICTURES", "activepicturescount"), 0), kMaxPictureNames);
    for (std::int32_t i = 0; i < names; ++i) ActivePictureNames.push_back(str("PICTURES", std::to_string(i).c_str()));

    ReadFormInfo(ini);
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

void TkvSkinData::ReadFormInfo(const IniText& ini) {
    auto v = [&ini](const char* key) { return ini.Value("FORMINFO", key); };
    LeftTopPoint = ToPoint(v("lefttoppoint"), {});
    RightTopPoint = ToPoint(v("righttoppoint"), {});
    LeftBottomPoint = ToPoint(v("leftbottompoint"), {});
    RightBottomPoint = ToPoint(v("rightbottompoint"), {});
    ClientRect = ToRect(v("clientrect"), {});
    BGPictureIndex = ToInteger(v("bgpictureindex"), -1);
    MDIBGPictureIndex = ToInteger(v("mdibgpictureindex"), -1);
    LeftStretch = ToBoolean(v("leftstretch"), false);
    RightStretch = ToBoolean(v("rightstretch"), false);
    TopStretch = ToBoolean(v("topstretch"), false);
    BottomStretch = ToBoolean(v("bottomstretch"), false);
    StretchEffect = ToBoolean(v("stretcheffect"), false);
    StretchType = ToStretchType(v("stretchtype"), stfull);
    MDIBGStretchEffect = ToBoolean(v("mdibgstretcheffect"), false);
    MDIBGStretchType = ToStretchType(v("mdibgstretchtype"), stfull);
    MaskRectArea = ToRect(v("maskrectarea"), {});
    HitTestLeftTopPoint = ToPoint(v("hittestlefttoppoint"), {});
    HitTestRightTopPoint = ToPoint(v("hittestrighttoppoint"), {});
    HitTestLeftBottomPoint = ToPoint(v("hittestleftbottompoint"), {});
    HitTestRightBottomPoint = ToPoint(v("hittestrightbottompoint"), {});
    ButtonsRect = ToRect(v("buttonsrect"), {});
    CaptionRect = ToRect(v("captionrect"), {});
    ButtonsOffset = ToInteger(v("buttonsoffset"), 0);
    ButtonsInLeft = ToBoolean(v("buttonsinleft"), false);
    MainMenuPopupUp = ToBoolean(v("mainmenupopupup"), false);
    BorderWidth = ToInteger(v("borderwidth"), 0);
    FormMinWidth = ToInteger(v("formminwidth"), 0);
    MDITabsTransparent = ToBoolean(v("mditabstransparent"), false);
    MainMenuBarTransparent = ToBoolean(v("mainmenubartransparent"), false);
    AutoRenderingInActiveImage = ToBoolean(v("autorenderinginactiveimage"), false);
    InactiveEffect = ToInactiveEffect(v("inactiveeffect"), iebrightness);

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
