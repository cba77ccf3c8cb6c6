// The skin model: loads a stored skin, holds its pictures and descriptions, answers look-ups by name and tells
// every form when the skin changes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "skin/data/kvCompressedStoredSkin.h"
#include "skin/data/kvResourceStrData.h"
#include "skin/data/kvSkinColors.h"
#include "skin/data/kvSkinControls.h"
#include "skin/data/kvSkinObjects.h"

// Skin-change messages, in the platform's user message range.
inline constexpr unsigned SKIN_MSG_BEFORE_CHANGE = 1225;
inline constexpr unsigned SKIN_MSG_CHANGED = 1226;
inline constexpr unsigned SKIN_MSG_AFTER_CHANGE = 1227;
inline constexpr unsigned SKIN_MSG_RESSTRINGS_CHANGED = 1274;
inline constexpr unsigned SKIN_MSG_SKINNABLE_CHANGED = 1294;
// From a popup menu to the control that opened it: the menu closed; a menu command was chosen.
inline constexpr unsigned SKIN_MSG_MENU_CLOSED = 1228;
inline constexpr unsigned SKIN_MSG_MENU_COMMAND = 1229;
// Glow frames of buttons shown and hidden.
inline constexpr unsigned SKIN_MSG_SHOW_GLOW = 1424;
inline constexpr unsigned SKIN_MSG_HIDE_GLOW = 1425;
// Second parameter of every skin-change message.
inline constexpr std::intptr_t kSkinMessageParam = 1000;

class TkvSkinData;

// How the model reaches the forms. The Windows implementation sends window messages; tests use a recorder.
class SkinFormMessenger {
public:
    // A form as the messenger knows it: opaque to the model.
    using FormRef = const void*;
    virtual ~SkinFormMessenger() = default;
    // The form that component `c` is, or null when it is not a form.
    virtual FormRef FormOf(const fw::Component* c) = 0;
    // Every form of the application, in the application's order.
    virtual std::vector<FormRef> AllForms() = 0;
    // Sends synchronously; returns after the form has handled it.
    virtual void Send(FormRef form, unsigned msg, const TkvSkinData* model, std::intptr_t param) = 0;
};

// The messenger a new model uses: the platform's forms on Windows, none elsewhere.
SkinFormMessenger* DefaultSkinFormMessenger();

class TkvDataSkinPopupWindow {
public:
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    fw::Point LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    fw::Rect ItemsRect;
    fw::Color ScrollMarkerColor = 0;
    fw::Color ScrollMarkerActiveColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TkvStretchType StretchType = stfull;

    void ReadFromDescription(const IniText& ini);
};

class TkvDataSkinHintWindow {
public:
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    fw::Point LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    fw::Rect ClientRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TkvStretchType StretchType = stfull;

    void ReadFromDescription(const IniText& ini);
};

class TkvSkinData : public fw::Component {
public:
    explicit TkvSkinData(fw::Component* owner = nullptr, SkinFormMessenger* messenger = DefaultSkinFormMessenger());
    ~TkvSkinData() override;

    // Published properties.
    bool SkinnableForm() const { return skinnableForm_; }
    void SetSkinnableForm(bool v);
    bool EnableSkinEffects = true;
    bool ShowButtonGlowFrames = true;
    bool ShowCaptionButtonGlowFrames = true;
    TkvCompressedStoredSkin* CompressedStoredSkin() const { return storedSkin_; }
    void SetCompressedStoredSkin(TkvCompressedStoredSkin* s);
    TkvResourceStrData* ResourceStrData() const { return resourceStrData_; }
    void SetResourceStrData(TkvResourceStrData* r);
    TkvCompressedSkinList* SkinList() const { return skinList_; }
    void SetSkinList(TkvCompressedSkinList* l);
    int SkinIndex() const { return skinIndex_; }
    void SetSkinIndex(int i);

    // State.
    bool Empty() const { return empty_; }
    bool LoadInProgress() const { return loadInProgress_; }
    fw::Bitmap FramePicture, InactiveFramePicture, FrameMask;
    std::vector<fw::Bitmap> ActivePictures;
    // [PICTURES] names.
    std::string PictureName, InactivePictureName, MaskPictureName;
    std::vector<std::string> ActivePictureNames;
    // [VERSION] identity.
    std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;
    // [FORMINFO] after its adjustments.
    fw::Point LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    fw::Rect ClientRect;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TkvStretchType StretchType = stfull;
    bool MDIBGStretchEffect = false;
    TkvStretchType MDIBGStretchType = stfull;
    fw::Rect MaskRectArea;
    fw::Point HitTestLeftTopPoint, HitTestRightTopPoint, HitTestLeftBottomPoint, HitTestRightBottomPoint;
    fw::Rect ButtonsRect;
    fw::Rect CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
    int FormMinWidth = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;
    bool AutoRenderingInActiveImage = false;
    TkvInactiveEffect InactiveEffect = iebrightness;

    TkvDataSkinPopupWindow& PopupWindow() { return *popupWindow_; }
    TkvDataSkinHintWindow& HintWindow() { return *hintWindow_; }
    TkvSkinColors& SkinColors() { return *skinColors_; }
    const std::vector<std::unique_ptr<TkvDataSkinObject>>& ObjectDescriptions() const { return objects_; }
    const std::vector<std::unique_ptr<TkvDataSkinControl>>& ControlDescriptions() const { return controls_; }

    // Operations.
    void LoadStoredSkin(TkvCompressedStoredSkin& stored);
    void ClearSkin();
    // The index of the description with this name; -1 when there is none or the model holds no skin.
    int GetObjectIndex(std::string_view name) const;
    int GetControlIndex(std::string_view name) const;
    void NotifyForms(unsigned msg);

    // The description at an index when it is of class T (or a subclass), else null; always null while the
    // model holds no skin.
    template <class T>
    T* ControlAs(int index) const {
        if (empty_ || index < 0 || index >= static_cast<int>(controls_.size())) return nullptr;
        return dynamic_cast<T*>(controls_[static_cast<std::size_t>(index)].get());
    }
    template <class T>
    T* ObjectAs(int index) const {
        if (empty_ || index < 0 || index >= static_cast<int>(objects_.size())) return nullptr;
        return dynamic_cast<T*>(objects_[static_cast<std::size_t>(index)].get());
    }

    bool Designing() const { return designing_; }
    void SetDesigning(bool v) { designing_ = v; }
    SkinFormMessenger* Messenger() const { return messenger_; }
    void SetMessenger(SkinFormMessenger* m) { messenger_ = m; }

    void notification(fw::Component* c, fw::Operation op) override;

private:
    void ReadDescription(std::string_view text);
    void ReadFormInfo(const IniText& ini);
    void LoadListItem(int index);

    SkinFormMessenger* messenger_;
    bool skinnableForm_ = true;
    TkvCompressedStoredSkin* storedSkin_ = nullptr;
    TkvResourceStrData* resourceStrData_ = nullptr;
    TkvCompressedSkinList* skinList_ = nullptr;
    int skinIndex_ = 0;
    bool empty_ = true;
    bool loadInProgress_ = false;
    bool designing_ = false;
    bool reading_ = false;  // inside LoadStoredSkin
    std::unique_ptr<TkvDataSkinPopupWindow> popupWindow_;
    std::unique_ptr<TkvDataSkinHintWindow> hintWindow_;
    std::unique_ptr<TkvSkinColors> skinColors_;
    std::vector<std::unique_ptr<TkvDataSkinObject>> objects_;
    std::vector<std::unique_ptr<TkvDataSkinControl>> controls_;
};
