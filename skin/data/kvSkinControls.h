// Control descriptions of [SKINCONTROLS]: one class per type keyword, each reading its parent's keys first.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "skin/data/kvSkinDescription.h"

namespace fw {
class TkvDataSkinControl : public TkvDataSkinDescription {
public:
    const char* ClassName() const override { return "TkvDataSkinControl"; }
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    Rect SkinRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

class TkvDataSkinCustomControl : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinCustomControl"; }
    Point LeftTopPoint;
    Point RightTopPoint;
    Point LeftBottomPoint;
    Point RightBottomPoint;
    Rect ClientRect;
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
    Rect CaptionRect;
    TkvAlignment Alignment = tacenter;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Rect CheckImageRect;
    Rect UnCheckImageRect;
    Rect MarkFrameRect;
    Rect FrameRect;
    Rect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    Rect GripperRect;
    bool GripperTransparent = false;
    Color GripperTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `expanel`
class TkvDataSkinExPanelControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinExPanelControl"; }
    Rect RollHSkinRect;
    Rect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    Rect RollVCaptionRect;
    Rect RollHCaptionRect;
    Rect CloseButtonRect;
    Rect CloseButtonActiveRect;
    Rect CloseButtonDownRect;
    Rect HRollButtonRect;
    Rect HRollButtonActiveRect;
    Rect HRollButtonDownRect;
    Rect HRestoreButtonRect;
    Rect HRestoreButtonActiveRect;
    Rect HRestoreButtonDownRect;
    Rect VRollButtonRect;
    Rect VRollButtonActiveRect;
    Rect VRollButtonDownRect;
    Rect VRestoreButtonRect;
    Rect VRestoreButtonActiveRect;
    Rect VRestoreButtonDownRect;
    Rect CaptionRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    bool ButtonsTransparent = false;
    Color ButtonsTransparentColor = 0;

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
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    Color DownFontColor = 0;
    Color DisabledFontColor = 0;
    Rect ActiveSkinRect;
    Rect DownSkinRect;
    Rect FocusedSkinRect;
    Rect DisabledSkinRect;
    bool Morphing = false;
    TkvMorphKind MorphKind = mkdefault;
    Rect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool ShowFocus = false;
    Rect MenuMarkerFlatRect;
    Rect MenuMarkerRect;
    Rect MenuMarkerActiveRect;
    Rect MenuMarkerDownRect;
    Color MenuMarkerTransparentColor = 0;
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
    Rect TrackButtonRect;

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
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    Color UnEnabledFontColor = 0;
    Color FrameFontColor = 0;
    Rect ActiveSkinRect;
    Rect CheckImageArea;
    Rect TextArea;
    Rect CheckImageRect;
    Rect UnCheckImageRect;
    Rect ActiveCheckImageRect;
    Rect ActiveUnCheckImageRect;
    Rect UnEnabledCheckImageRect;
    Rect UnEnabledUnCheckImageRect;
    Rect GrayedCheckImageRect;
    Rect ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TkvMorphKind MorphKind = mkdefault;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `gauge`
class TkvDataSkinGaugeControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinGaugeControl"; }
    Rect ProgressArea;
    Rect ProgressRect;
    int BeginOffset = 0;
    int EndOffset = 0;
    bool Vertical = false;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    bool ProgressTransparent = false;
    Color ProgressTransparentColor = 0;
    bool ProgressStretch = false;
    Rect AnimationSkinRect;
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    Rect ProgressAnimationSkinRect;
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
    Rect GripperRect;
    bool GripperTransparent = false;
    Color GripperTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `trackbar`
class TkvDataSkinTrackBarControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinTrackBarControl"; }
    Rect ActiveSkinRect;
    Rect TrackArea;
    Rect ButtonRect;
    Rect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    Color ButtonTransparentColor = 0;

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
    Color FontColor = 0;

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
    Color FontColor = 0;
    Color ActiveFontColor = 0xFF0000;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `updown`
class TkvDataSkinUpDownControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinUpDownControl"; }
    Rect UpButtonRect;
    Rect ActiveUpButtonRect;
    Rect DownUpButtonRect;
    Rect DownButtonRect;
    Rect ActiveDownButtonRect;
    Rect DownDownButtonRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
    // Up-down buttons never stretch: corner points and client rect are cleared after reading.
    void AfterRead() override;
};

// `grid`
class TkvDataSkinGridControl : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinGridControl"; }
    Rect FixedCellRect;
    Rect SelectCellRect;
    Rect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    Rect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    Rect CellTextRect;
    int BGPictureIndex = -1;
    Color LinesColor = 0;
    Color BGColor = 0;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color SelectFontColor = 0;
    Color FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    int FixedFontHeight = 14;
    TkvFontStyles FixedFontStyle;
    Color FixedFontColor = 0;
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
    Rect TabRect;
    Rect ActiveTabRect;
    Rect FocusTabRect;
    Rect MouseInTabRect;
    Rect ClientRect;
    int BGPictureIndex = -1;
    Point LeftTopPoint;
    Point RightTopPoint;
    Point LeftBottomPoint;
    Point RightBottomPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    Rect TabsBGRect;
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
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    Color FocusFontColor = 0;
    Color MouseInFontColor = 0;
    std::string UpDown;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    Rect CloseButtonRect;
    Rect CloseButtonActiveRect;
    Rect CloseButtonDownRect;
    bool ButtonTransparent = false;
    Color ButtonTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `mainmenubar`
class TkvDataSkinMainMenuBar : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinMainMenuBar"; }
    Rect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MinButton;
    std::string MaxButton;
    std::string SysMenuButton;
    Color TrackMarkColor = 0;
    Color TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `controlbar`
class TkvDataSkinControlBar : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinControlBar"; }
    Rect ItemRect;
    int BGPictureIndex = -1;
    Rect HGripRect;
    Rect VGripRect;
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 3;
    int ItemOffset2 = 3;
    bool ItemTransparent = false;
    Color ItemTransparentColor = 0;
    bool GripTransparent = false;
    Color GripTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `edit`
class TkvDataSkinEditControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinEditControl"; }
    Rect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color DisabledFontColor = 0;
    Color ActiveFontColor = 0;
    Rect ButtonRect;
    Rect ActiveButtonRect;
    Rect DownButtonRect;
    Rect UnEnabledButtonRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `memo`
class TkvDataSkinMemoControl : public TkvDataSkinEditControl {
public:
    const char* ClassName() const override { return "TkvDataSkinMemoControl"; }
    Color BGColor = 0;
    Color ActiveBGColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `listbox`
class TkvDataSkinListBox : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinListBox"; }
    Rect ItemRect;
    Rect ActiveItemRect;
    Rect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    Rect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    Color FocusFontColor = 0;
    Rect CaptionRect;
    std::string CaptionFontName = "Arial";
    int CaptionFontHeight = 14;
    TkvFontStyles CaptionFontStyle;
    Color CaptionFontColor = 0;
    Rect UpButtonRect;
    Rect ActiveUpButtonRect;
    Rect DownUpButtonRect;
    Rect DownButtonRect;
    Rect ActiveDownButtonRect;
    Rect DownDownButtonRect;
    Rect CheckButtonRect;
    Rect ActiveCheckButtonRect;
    Rect DownCheckButtonRect;
    std::string VScrollBarName = "vscrollbar";
    std::string HScrollBarName = "hscrollbar";
    std::string BothHScrollBarName = "bothhscrollbar";
    bool ShowFocus = false;
    Rect DisabledButtonsRect;
    Rect ButtonsArea;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `checklistbox`
class TkvDataSkinCheckListBox : public TkvDataSkinListBox {
public:
    const char* ClassName() const override { return "TkvDataSkinCheckListBox"; }
    Rect ItemCheckRect;
    Rect CheckImageRect;
    Rect UnCheckImageRect;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `combobox`
class TkvDataSkinComboBox : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinComboBox"; }
    Rect ActiveSkinRect;
    Rect ItemRect;
    Rect ActiveItemRect;
    Rect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    Rect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color FocusFontColor = 0;
    Color ActiveFontColor = 0;
    std::string ListBoxName;
    Rect ButtonRect;
    Rect ActiveButtonRect;
    Rect DownButtonRect;
    Rect UnEnabledButtonRect;
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
    Rect TrackArea;
    Rect UpButtonRect;
    Rect ActiveUpButtonRect;
    Rect DownUpButtonRect;
    Rect DownButtonRect;
    Rect ActiveDownButtonRect;
    Rect DownDownButtonRect;
    Rect ThumbRect;
    Rect ActiveThumbRect;
    Rect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    Color ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
    Rect GlyphRect;
    Rect ActiveGlyphRect;
    Rect DownGlyphRect;
    bool GlyphTransparent = false;
    Color GlyphTransparentColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `spinedit`
class TkvDataSkinSpinEditControl : public TkvDataSkinCustomControl {
public:
    const char* ClassName() const override { return "TkvDataSkinSpinEditControl"; }
    Rect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TkvFontStyles FontStyle;
    Color FontColor = 0;
    Color ActiveFontColor = 0;
    Color DisabledFontColor = 0;
    Rect UpButtonRect;
    Rect ActiveUpButtonRect;
    Rect DownUpButtonRect;
    Rect DownButtonRect;
    Rect ActiveDownButtonRect;
    Rect DownDownButtonRect;

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
    Color FontColor = 0;
    Color BGColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `bevel`
class TkvDataSkinBevel : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinBevel"; }
    Color LightColor = 0;
    Color DarkColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// `slider`
class TkvDataSkinSlider : public TkvDataSkinControl {
public:
    const char* ClassName() const override { return "TkvDataSkinSlider"; }
    Color BGColor = 0;
    Rect HRulerRect;
    Rect HThumbRect;
    Rect VRulerRect;
    Rect VThumbRect;
    int EdgeSize = 0;
    Color PointsColor = 0;

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
    Color FontColor = 0;
    Color BGColor = 0;

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
    Color FontColor = 0;
    Color BGColor = 0;

protected:
    void Fields(TkvDescriptionFields& f) override;
};

// The description of a [SKINCONTROLS] type keyword, or null for a word not in the table.
std::unique_ptr<TkvDataSkinControl> CreateSkinControl(std::string_view type);

}  // namespace fw
