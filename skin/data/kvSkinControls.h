// Control descriptions of [SKINCONTROLS]: one class per type keyword, each reading its parent's keys first.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "skin/data/kvSkinDescription.h"

class TkvDataSkinControl : public TkvDataSkinDescription {
public:
    const char* ClassName() const override { return "TkvDataSkinControl"; }
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    fw::Rect SkinRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

class TkvDataSkinCustomControl : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinCustomControl"; }
    fw::Point LeftTopPoint;
    fw::Point RightTopPoint;
    fw::Point LeftBottomPoint;
    fw::Point RightBottomPoint;
    fw::Rect ClientRect;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TkvStretchType StretchType = stfull;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `panel`
class TkvDataSkinPanelControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinPanelControl"; }
    int BGPictureIndex = -1;
    fw::Rect CaptionRect;
    TkvAlignment Alignment = tacenter;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Rect CheckImageRect;
    fw::Rect UnCheckImageRect;
    fw::Rect MarkFrameRect;
    fw::Rect FrameRect;
    fw::Rect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    fw::Rect GripperRect;
    bool GripperTransparent = false;
    fw::Color GripperTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `expanel`
class TkvDataSkinExPanelControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinExPanelControl"; }
    fw::Rect RollHSkinRect;
    fw::Rect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    fw::Rect RollVCaptionRect;
    fw::Rect RollHCaptionRect;
    fw::Rect CloseButtonRect;
    fw::Rect CloseButtonActiveRect;
    fw::Rect CloseButtonDownRect;
    fw::Rect HRollButtonRect;
    fw::Rect HRollButtonActiveRect;
    fw::Rect HRollButtonDownRect;
    fw::Rect HRestoreButtonRect;
    fw::Rect HRestoreButtonActiveRect;
    fw::Rect HRestoreButtonDownRect;
    fw::Rect VRollButtonRect;
    fw::Rect VRollButtonActiveRect;
    fw::Rect VRollButtonDownRect;
    fw::Rect VRestoreButtonRect;
    fw::Rect VRestoreButtonActiveRect;
    fw::Rect VRestoreButtonDownRect;
    fw::Rect CaptionRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    bool ButtonsTransparent = false;
    fw::Color ButtonsTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `button`
class TkvDataSkinButtonControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinButtonControl"; }
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Color DownFontColor = 0;
    fw::Color DisabledFontColor = 0;
    fw::Rect ActiveSkinRect;
    fw::Rect DownSkinRect;
    fw::Rect FocusedSkinRect;
    fw::Rect DisabledSkinRect;
    bool Morphing = false;
    TkvMorphKind MorphKind = mkdefault;
    fw::Rect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool ShowFocus = false;
    fw::Rect MenuMarkerFlatRect;
    fw::Rect MenuMarkerRect;
    fw::Rect MenuMarkerActiveRect;
    fw::Rect MenuMarkerDownRect;
    fw::Color MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0;
    int GlowLayerOffsetTop = 0;
    int GlowLayerOffsetRight = 0;
    int GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0;
    int GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `menubutton`
class TkvDataSkinMenuButtonControl : public TkvDataSkinButtonControl {
public:
    const char* ClassName() const override { return "TkvDataSkinMenuButtonControl"; }
    fw::Rect TrackButtonRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `checkradio`
class TkvDataSkinCheckRadioControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinCheckRadioControl"; }
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Color UnEnabledFontColor = 0;
    fw::Color FrameFontColor = 0;
    fw::Rect ActiveSkinRect;
    fw::Rect CheckImageArea;
    fw::Rect TextArea;
    fw::Rect CheckImageRect;
    fw::Rect UnCheckImageRect;
    fw::Rect ActiveCheckImageRect;
    fw::Rect ActiveUnCheckImageRect;
    fw::Rect UnEnabledCheckImageRect;
    fw::Rect UnEnabledUnCheckImageRect;
    fw::Rect GrayedCheckImageRect;
    fw::Rect ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TkvMorphKind MorphKind = mkdefault;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `gauge`
class TkvDataSkinGaugeControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinGaugeControl"; }
    fw::Rect ProgressArea;
    fw::Rect ProgressRect;
    int BeginOffset = 0;
    int EndOffset = 0;
    bool Vertical = false;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    bool ProgressTransparent = false;
    fw::Color ProgressTransparentColor = 0;
    bool ProgressStretch = false;
    fw::Rect AnimationSkinRect;
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    fw::Rect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0;
    int ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0;
    int AnimationEndOffset = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `splitter`
class TkvDataSkinSplitterControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinSplitterControl"; }
    fw::Rect GripperRect;
    bool GripperTransparent = false;
    fw::Color GripperTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `trackbar`
class TkvDataSkinTrackBarControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinTrackBarControl"; }
    fw::Rect ActiveSkinRect;
    fw::Rect TrackArea;
    fw::Rect ButtonRect;
    fw::Rect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    fw::Color ButtonTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `label`
class TkvDataSkinLabelControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinLabelControl"; }
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `stdlabel`
class TkvDataSkinStdLabelControl : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinStdLabelControl"; }
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0xFF0000;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `updown`
class TkvDataSkinUpDownControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinUpDownControl"; }
    fw::Rect UpButtonRect;
    fw::Rect ActiveUpButtonRect;
    fw::Rect DownUpButtonRect;
    fw::Rect DownButtonRect;
    fw::Rect ActiveDownButtonRect;
    fw::Rect DownDownButtonRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
    // Up-down buttons never stretch: corner points and client rect are cleared after reading.
    void AfterRead() override;
};

// `grid`
class TkvDataSkinGridControl : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinGridControl"; }
    fw::Rect FixedCellRect;
    fw::Rect SelectCellRect;
    fw::Rect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    fw::Rect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    fw::Rect CellTextRect;
    int BGPictureIndex = -1;
    fw::Color LinesColor = 0;
    fw::Color BGColor = 0;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color SelectFontColor = 0;
    fw::Color FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    int FixedFontHeight = 14;
    TkvFontStyles FixedFontStyle;
    fw::Color FixedFontColor = 0;
    bool CellStretchEffect = false;
    bool FixedCellStretchEffect = false;
    bool ShowFocus = false;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `tab`
class TkvDataSkinTabControl : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinTabControl"; }
    fw::Rect TabRect;
    fw::Rect ActiveTabRect;
    fw::Rect FocusTabRect;
    fw::Rect MouseInTabRect;
    fw::Rect ClientRect;
    int BGPictureIndex = -1;
    fw::Point LeftTopPoint;
    fw::Point RightTopPoint;
    fw::Point LeftBottomPoint;
    fw::Point RightBottomPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    fw::Rect TabsBGRect;
    bool TabStretchEffect = false;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TkvStretchType StretchType = stfull;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Color FocusFontColor = 0;
    fw::Color MouseInFontColor = 0;
    std::string UpDown;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    fw::Rect CloseButtonRect;
    fw::Rect CloseButtonActiveRect;
    fw::Rect CloseButtonDownRect;
    bool ButtonTransparent = false;
    fw::Color ButtonTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `mainmenubar`
class TkvDataSkinMainMenuBar : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinMainMenuBar"; }
    fw::Rect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MinButton;
    std::string MaxButton;
    std::string SysMenuButton;
    fw::Color TrackMarkColor = 0;
    fw::Color TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `controlbar`
class TkvDataSkinControlBar : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinControlBar"; }
    fw::Rect ItemRect;
    int BGPictureIndex = -1;
    fw::Rect HGripRect;
    fw::Rect VGripRect;
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 3;
    int ItemOffset2 = 3;
    bool ItemTransparent = false;
    fw::Color ItemTransparentColor = 0;
    bool GripTransparent = false;
    fw::Color GripTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `edit`
class TkvDataSkinEditControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinEditControl"; }
    fw::Rect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color DisabledFontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Rect ButtonRect;
    fw::Rect ActiveButtonRect;
    fw::Rect DownButtonRect;
    fw::Rect UnEnabledButtonRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `memo`
class TkvDataSkinMemoControl : public TkvDataSkinEditControl {
public:
    const char* ClassName() const override { return "TkvDataSkinMemoControl"; }
    fw::Color BGColor = 0;
    fw::Color ActiveBGColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `listbox`
class TkvDataSkinListBox : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinListBox"; }
    fw::Rect ItemRect;
    fw::Rect ActiveItemRect;
    fw::Rect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    fw::Rect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Color FocusFontColor = 0;
    fw::Rect CaptionRect;
    std::string CaptionFontName = "Arial";
    int CaptionFontHeight = 14;
    TkvFontStyles CaptionFontStyle;
    fw::Color CaptionFontColor = 0;
    fw::Rect UpButtonRect;
    fw::Rect ActiveUpButtonRect;
    fw::Rect DownUpButtonRect;
    fw::Rect DownButtonRect;
    fw::Rect ActiveDownButtonRect;
    fw::Rect DownDownButtonRect;
    fw::Rect CheckButtonRect;
    fw::Rect ActiveCheckButtonRect;
    fw::Rect DownCheckButtonRect;
    std::string VScrollBarName = "vscrollbar";
    std::string HScrollBarName = "hscrollbar";
    std::string BothHScrollBarName = "bothhscrollbar";
    bool ShowFocus = false;
    fw::Rect DisabledButtonsRect;
    fw::Rect ButtonsArea;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `checklistbox`
class TkvDataSkinCheckListBox : public TkvDataSkinListBox {
public:
    const char* ClassName() const override { return "TkvDataSkinCheckListBox"; }
    fw::Rect ItemCheckRect;
    fw::Rect CheckImageRect;
    fw::Rect UnCheckImageRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `combobox`
class TkvDataSkinComboBox : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinComboBox"; }
    fw::Rect ActiveSkinRect;
    fw::Rect ItemRect;
    fw::Rect ActiveItemRect;
    fw::Rect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    fw::Rect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color FocusFontColor = 0;
    fw::Color ActiveFontColor = 0;
    std::string ListBoxName;
    fw::Rect ButtonRect;
    fw::Rect ActiveButtonRect;
    fw::Rect DownButtonRect;
    fw::Rect UnEnabledButtonRect;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    bool ShowFocus = false;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `scrollbar`
class TkvDataSkinScrollBarControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinScrollBarControl"; }
    fw::Rect TrackArea;
    fw::Rect UpButtonRect;
    fw::Rect ActiveUpButtonRect;
    fw::Rect DownUpButtonRect;
    fw::Rect DownButtonRect;
    fw::Rect ActiveDownButtonRect;
    fw::Rect DownDownButtonRect;
    fw::Rect ThumbRect;
    fw::Rect ActiveThumbRect;
    fw::Rect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    fw::Color ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
    fw::Rect GlyphRect;
    fw::Rect ActiveGlyphRect;
    fw::Rect DownGlyphRect;
    bool GlyphTransparent = false;
    fw::Color GlyphTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `spinedit`
class TkvDataSkinSpinEditControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinSpinEditControl"; }
    fw::Rect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color ActiveFontColor = 0;
    fw::Color DisabledFontColor = 0;
    fw::Rect UpButtonRect;
    fw::Rect ActiveUpButtonRect;
    fw::Rect DownUpButtonRect;
    fw::Rect DownButtonRect;
    fw::Rect ActiveDownButtonRect;
    fw::Rect DownDownButtonRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `scrollbox`
class TkvDataSkinScrollBoxControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinScrollBoxControl"; }
    int BGPictureIndex = -1;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `treeview`
class TkvDataSkinTreeView : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinTreeView"; }
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color BGColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `bevel`
class TkvDataSkinBevel : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinBevel"; }
    fw::Color LightColor = 0;
    fw::Color DarkColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `slider`
class TkvDataSkinSlider : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinSlider"; }
    fw::Color BGColor = 0;
    fw::Rect HRulerRect;
    fw::Rect HThumbRect;
    fw::Rect VRulerRect;
    fw::Rect VThumbRect;
    int EdgeSize = 0;
    fw::Color PointsColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `listview`
class TkvDataSkinListView : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinListView"; }
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color BGColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `richedit`
class TkvDataSkinRichEdit : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinRichEdit"; }
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    fw::Color FontColor = 0;
    fw::Color BGColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// The description of a [SKINCONTROLS] type keyword, or null for a word not in the table.
std::unique_ptr<TkvDataSkinControl> CreateSkinControl(std::string_view type);
