// The light text label of the skinned dialogs: the framework's windowless, transparent label taking its font,
// colour and character set from a "stdlabel" description and the skin's resource strings, with an optional
// ellipsis.
#pragma once

#include <string>

#include "framework/StdControls.h"
#include "skin/controls/SkinChangeWalk.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinDataLink.h"

enum TkvEllipsType { kvetNone, kvetEndEllips, kvetPathEllips };

class TkvSkinStdLabel : public fw::Label, public TkvSkinChangeTarget {
public:
    explicit TkvSkinStdLabel(fw::Component* owner);

    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* data);
    std::string SkinDataName = "stdlabel";
    fw::Font& DefaultFont() { return defaultFont_; }
    void SetDefaultFont(const fw::Font& f) { defaultFont_.assign(f); }
    bool UseSkinFont = true;
    bool UseSkinColor = true;
    TkvEllipsType EllipsType() const { return ellipsType_; }
    void SetEllipsType(TkvEllipsType t);

    int DescriptionIndex = -1;
    std::string SkinFontName;
    int SkinFontHeight = 14;
    TkvFontStyles SkinFontStyle;
    fw::Color SkinFontColor = 0;

    void FetchSkinDescription();
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override { DescriptionIndex = -1; }
    TkvSkinData* SkinDataOf() const override { return skinData_; }

protected:
    void drawLabelText(fw::Canvas& canvas, fw::Rect& r, UINT flags) override;

private:
    TkvSkinDataLink skinData_;
    fw::Font defaultFont_;
    TkvEllipsType ellipsType_ = kvetNone;
};
