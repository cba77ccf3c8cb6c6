// The skinned one-line caption: text on its own "label" background, shortened with "..." when asked, with a soft
// shadow or a reflection; a bevelled button-face look without a skin.
#pragma once

#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinLabelRules.h"
#include "skin/controls/kvSkinCtrls.h"

enum TkvEllipsType2 { kvetNoneEllips, kvetEllips };

class TkvSkinLabel : public TkvSkinCustomControl {
public:
    explicit TkvSkinLabel(fw::Component* owner);

    TextAlign Alignment = TextAlign::Left;
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    TkvSkinBorderStyle BorderStyle = bvFrame;
    TkvEllipsType2 EllipsType = kvetNoneEllips;
    bool ShadowEffect = false;
    fw::Color ShadowColor = fw::clBlack;
    int ShadowSize = 3;
    int ShadowOffset = 0;
    bool ReflectionEffect = false;
    int ReflectionOffset = -5;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);

    void FetchSkinDescription() override;
    void CalcSkinSize(int& width, int& height) override;
    void DrawDefaultImage(fw::DibSection& bitmap) override;
    void DrawSkinImage(fw::DibSection& bitmap) override;
    // How much wider the caption is than the room for it (negative: narrower).
    int TextOverflow();

protected:
    bool PaintsOnErase() const override { return true; }
    void wndProc(fw::Message& m) override;

private:
    void DrawLabelText(fw::DibSection& bitmap, fw::Rect r);
    // The font for `text`, kept between paints so that its platform font is made once.
    const fw::Font& TextFont(const std::wstring& text) const;
    void FitWidthToText();

    bool autoSize_ = false;
    bool described_ = false;  // a label description was found at the last fetch
    std::string skinFontName_;
    int skinFontHeight_ = 14;
    TkvFontStyles skinFontStyle_;
    fw::Color skinFontColor_ = 0;
    mutable fw::Font textFont_;
};
