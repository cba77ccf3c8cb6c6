// The windowless twin of the skinned control base: the same binding to a skin model and description, the same
// fetch, draw and change operations, painted onto the parent's canvas through an off-screen bitmap. No region.
#pragma once

#include <string>

#include "framework/Control.h"
#include "framework/DibSection.h"
#include "skin/controls/SkinChangeWalk.h"
#include "skin/controls/SkinControlFit.h"
#include "skin/data/kvSkinDataLink.h"

class TkvGraphicSkinControl : public fw::Control, public TkvSkinChangeTarget {
public:
    explicit TkvGraphicSkinControl(fw::Component* owner) : fw::Control(owner) {}

    TkvSkinData* SkinData() const { return skinData_; }
    const std::string& SkinDataName() const { return skinDataName_; }
    int DescriptionIndex = -1;
    std::wstring HintTitle;
    int HintImageIndex = 0;

    virtual void FetchSkinDescription();
    virtual void SetSkinDataName(const std::string& name) { skinDataName_ = name; }
    virtual void SetSkinData(TkvSkinData* data);
    virtual void DrawDefaultImage(fw::DibSection& bitmap);
    virtual void DrawSkinImage(fw::DibSection&) {}
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override { DescriptionIndex = -1; }
    virtual void ParentImageChanged() { invalidate(); }

    TkvSkinData* SkinDataOf() const override { return skinData_; }
    void paint(fw::Canvas& canvas) override;

protected:
    void wndProc(fw::Message& m) override;
    bool SkinReady() const { return skinData_ && !skinData_->Empty(); }

private:
    TkvSkinDataLink skinData_;
    std::string skinDataName_;
};

class TkvGraphicSkinCustomControl : public TkvGraphicSkinControl, public TkvSkinFitData {
public:
    explicit TkvGraphicSkinCustomControl(fw::Component* owner);

    int DefaultWidth() const { return defaultWidth_; }
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultWidth(int w);
    void SetDefaultHeight(int h);
    fw::Font& DefaultFont() { return defaultFont_; }
    void SetDefaultFont(const fw::Font& f) { defaultFont_.assign(f); }
    bool UseSkinFont = true;
    const fw::Bitmap* SkinPicture = nullptr;

    void FetchSkinDescription() override;
    void DrawSkinImage(fw::DibSection& bitmap) override;
    void ChangeSkinData() override;
    virtual void DefaultFontChanged() {}
    virtual void CalcSkinSize(int& width, int& height) {
        TkvSkinFitData::CalcSkinSize(DescriptionIndex != -1, width, height);
    }
    // The current points for the control's present size (the fitted size itself is dropped).
    void RefreshCurrentPoints() {
        int w = width(), h = height();
        CalcSkinSize(w, h);
    }
    void setControlBounds(int x, int y, int w, int h) override;

private:
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    fw::Font defaultFont_;
};
