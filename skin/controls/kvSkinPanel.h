// The skinned container: a "panel" skin frame around the area its children are aligned in, with an optional caption
// bar (check box, roll-up arrow, glyph), a see-through mode over its parent and background pictures; a bevelled
// button-face look without a skin.
#pragma once

#include "framework/Bitmap.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinLabelRules.h"
#include "skin/controls/kvSkinCtrls.h"

enum TkvImagePosition { kvipDefault, kvipLeft };

class TkvSkinPanel : public TkvSkinCustomControl {
public:
    explicit TkvSkinPanel(fw::Component* owner);

    TextAlign DefaultAlignment = TextAlign::Left;
    bool AutoEnabledControls = true;
    TkvImagePosition ImagePosition = kvipDefault;
    fw::Bitmap Glyph;
    int NumGlyphs = 1;
    int Spacing = 2;
    fw::NotifyEvent OnChecked;
    fw::NotifyEvent OnChangeRollUpState;

    TkvSkinBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TkvSkinBorderStyle s);
    bool CaptionMode() const { return captionMode_; }
    void SetCaptionMode(bool v);
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int h);
    bool CheckedMode() const { return checkedMode_; }
    void SetCheckedMode(bool v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool RollUpMode() const { return rollUpMode_; }
    void SetRollUpMode(bool v);
    bool RollUpState() const { return rollUpState_; }
    void SetRollUpState(bool v);
    int RealHeight() const { return realHeight_; }
    bool TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(bool v);

    void FetchSkinDescription() override;
    void ChangeSkinData() override;
    void DrawDefaultImage(fw::DibSection& bitmap) override;
    void DrawSkinImage(fw::DibSection& bitmap) override;
    void ParentImageChanged() override;
    fw::Rect alignRect() const override;
    // The caption bar where a click toggles the check box and the roll-up state (empty without caption mode).
    fw::Rect CaptionArea();

protected:
    void PaintControl(fw::Canvas& canvas) override;
    void wndProc(fw::Message& m) override;

private:
    void DrawDefaultCaption(fw::DibSection& bitmap);
    void DrawSkinCaption(fw::DibSection& bitmap, fw::Rect r, bool mapped);
    void DrawCaptionText(HDC dc, fw::Rect area, TextAlign align);
    void PaintWholeImage(fw::Canvas& canvas);
    void TellChildren();
    fw::Rect CurrentClientRect() const;

    TkvSkinBorderStyle borderStyle_ = bvFrame;
    bool captionMode_ = false;
    int defaultCaptionHeight_ = 22;
    bool checkedMode_ = false;
    bool checked_ = false;
    bool rollUpMode_ = false;
    bool rollUpState_ = false;
    int realHeight_ = -1;
    bool transparentMode_ = false;
    bool rolling_ = false;

    // Copied from a panel description.
    bool described_ = false;
    fw::Rect captionRect_, checkImageRect_, uncheckImageRect_;
    TkvAlignment captionAlignment_ = tacenter;
    std::string fontName_;
    int fontHeight_ = 14;
    TkvFontStyles fontStyle_;
    fw::Color fontColor_ = 0;
    int bgPictureIndex_ = -1;
    fw::Font captionFont_;  // kept between paints, so that its platform font is made once
};
