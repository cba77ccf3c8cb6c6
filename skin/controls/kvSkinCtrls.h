// The base of every windowed skinned control. TkvSkinControl binds a control to a skin model and one control
// description in it (looked up by name on every paint), paints through one off-screen bitmap of the control's
// size and swallows background erasing. TkvSkinCustomControl adds the copied skin geometry, fitting the size to
// the skin, the default size and font, the panels' forced-background painting and the window region from the mask.
#pragma once

#include <string>

#include "framework/DibSection.h"
#include "framework/WindowedControl.h"
#include "skin/controls/SkinChangeWalk.h"
#include "skin/controls/SkinControlFit.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinDataLink.h"

class TkvSkinControl : public fw::CustomControl, public TkvSkinChangeTarget {
public:
    explicit TkvSkinControl(fw::Component* owner);
    ~TkvSkinControl() override;

    TkvSkinData* SkinData() const { return skinData_; }
    const std::string& SkinDataName() const { return skinDataName_; }
    int DescriptionIndex = -1;
    std::wstring HintTitle;
    int HintImageIndex = 0;
    bool InPaintMessage = false;

    virtual void FetchSkinDescription();
    virtual void SetSkinDataName(const std::string& name);
    virtual void SetSkinData(TkvSkinData* data);
    virtual void DrawDefaultImage(fw::DibSection& bitmap);
    virtual void DrawSkinImage(fw::DibSection& bitmap);
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    virtual void ParentImageChanged();

    TkvSkinData* SkinDataOf() const override { return skinData_; }
    // True while a window region from the mask is applied.
    bool HasWindowRegion() const { return static_cast<bool>(windowRegion_); }

protected:
    void paint(fw::Canvas& canvas) override;
    virtual void PaintControl(fw::Canvas& canvas);
    // The off-screen picture a paint composes in, of the control's size, zeroed: one section kept between paints
    // instead of one made and freed on each.
    fw::DibSection& PaintBuffer();
    // Whether an erase request outside a paint message paints the whole control into the given context.
    virtual bool PaintsOnErase() const { return false; }
    void wndProc(fw::Message& m) override;
    // Whether the skin model holds a loaded skin.
    bool SkinReady() const { return skinData_ && !skinData_->Empty(); }

    std::string skinDataName_;
    fw::Region windowRegion_;  // our copy of the region the window was given

private:
    TkvSkinDataLink skinData_;
    fw::DibSection paintBuffer_;
};

class TkvSkinCustomControl : public TkvSkinControl, public TkvSkinFitData {
public:
    explicit TkvSkinCustomControl(fw::Component* owner);

    int DefaultWidth() const { return defaultWidth_; }
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultWidth(int w);
    void SetDefaultHeight(int h);
    fw::Font& DefaultFont() { return defaultFont_; }
    void SetDefaultFont(const fw::Font& f);
    bool UseSkinFont = true;
    bool ForceBackgroundPaint = false;
    bool PaintClientBackground = true;

    // Pictures of the current description (not owned; null when absent).
    const fw::Bitmap* SkinPicture = nullptr;
    const fw::Bitmap* SkinMaskPicture = nullptr;

    void FetchSkinDescription() override;
    void DrawSkinImage(fw::DibSection& bitmap) override;
    void DrawDefaultImage(fw::DibSection& bitmap) override;
    void ChangeSkinData() override;
    virtual void DefaultFontChanged() {}
    // Fits a requested size to the skin and moves the current points for it; controls with their own size rules
    // (labels, panels, the password edit) override it.
    virtual void CalcSkinSize(int& width, int& height) {
        TkvSkinFitData::CalcSkinSize(DescriptionIndex != -1, width, height);
    }
    // The current points for the control's present size (the fitted size itself is dropped).
    void RefreshCurrentPoints() {
        int w = width(), h = height();
        CalcSkinSize(w, h);
    }
    virtual void UpdateControlRegion();
    void setControlBounds(int x, int y, int w, int h) override;

protected:
    void PaintControl(fw::Canvas& canvas) override;
    // A region worked out before the window existed is given to the window when it is made.
    void windowCreated() override;
    // Composes the image of a state whose rectangle in SkinPicture is `source` (the skin rect's size).
    void DrawSkinImageFrom(fw::DibSection& bitmap, fw::Rect source);
    // The panels' path: border strips composed, the client background straight onto the canvas.
    void PaintForcedBackground(fw::Canvas& canvas);

private:
    void ApplyRegion(fw::Region region);

    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    fw::Font defaultFont_;
};
