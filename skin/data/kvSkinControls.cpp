#include "skin/data/kvSkinControls.h"

void TkvDataSkinControl::Fields(TkvDescriptionFields& f) {
    f.Int("pictureindex", PictureIndex);
    f.Int("maskpictureindex", MaskPictureIndex);
    f.Rc("skinrect", SkinRect);
}

void TkvDataSkinCustomControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Pt("lefttoppoint", LeftTopPoint);
    f.Pt("righttoppoint", RightTopPoint);
    f.Pt("leftbottompoint", LeftBottomPoint);
    f.Pt("rightbottompoint", RightBottomPoint);
    f.Rc("clientrect", ClientRect);
    f.Bool("leftstretch", LeftStretch);
    f.Bool("topstretch", TopStretch);
    f.Bool("rightstretch", RightStretch);
    f.Bool("bottomstretch", BottomStretch);
    f.Bool("stretcheffect", StretchEffect);
    f.Stretch("stretchtype", StretchType);
}

void TkvDataSkinPanelControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Int("bgpictureindex", BGPictureIndex);
    f.Rc("captionrect", CaptionRect);
    f.Align("alignment", Alignment);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Rc("checkimagerect", CheckImageRect);
    f.Rc("uncheckimagerect", UnCheckImageRect);
    f.Rc("markframerect", MarkFrameRect);
    f.Rc("framerect", FrameRect);
    f.Rc("frametextrect", FrameTextRect);
    f.Int("frameleftoffset", FrameLeftOffset);
    f.Int("framerightoffset", FrameRightOffset);
    f.Rc("gripperrect", GripperRect);
    f.Bool("grippertransparent", GripperTransparent);
    f.Colour("grippertransparentcolor", GripperTransparentColor);
}

void TkvDataSkinExPanelControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("rollhskinrect", RollHSkinRect);
    f.Rc("rollvskinrect", RollVSkinRect);
    f.Int("rollleftoffset", RollLeftOffset);
    f.Int("rollrightoffset", RollRightOffset);
    f.Int("rolltopoffset", RollTopOffset);
    f.Int("rollbottomoffset", RollBottomOffset);
    f.Rc("rollvcaptionrect", RollVCaptionRect);
    f.Rc("rollhcaptionrect", RollHCaptionRect);
    f.Rc("closebuttonrect", CloseButtonRect);
    f.Rc("closebuttonactiverect", CloseButtonActiveRect);
    f.Rc("closebuttondownrect", CloseButtonDownRect);
    f.Rc("hrollbuttonrect", HRollButtonRect);
    f.Rc("hrollbuttonactiverect", HRollButtonActiveRect);
    f.Rc("hrollbuttondownrect", HRollButtonDownRect);
    f.Rc("hrestorebuttonrect", HRestoreButtonRect);
    f.Rc("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    f.Rc("hrestorebuttondownrect", HRestoreButtonDownRect);
    f.Rc("vrollbuttonrect", VRollButtonRect);
    f.Rc("vrollbuttonactiverect", VRollButtonActiveRect);
    f.Rc("vrollbuttondownrect", VRollButtonDownRect);
    f.Rc("vrestorebuttonrect", VRestoreButtonRect);
    f.Rc("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    f.Rc("vrestorebuttondownrect", VRestoreButtonDownRect);
    f.Rc("captionrect", CaptionRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Bool("buttonstransparent", ButtonsTransparent);
    f.Colour("buttonstransparentcolor", ButtonsTransparentColor);
}

void TkvDataSkinButtonControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Colour("downfontcolor", DownFontColor);
    f.Colour("disabledfontcolor", DisabledFontColor);
    f.Rc("activeskinrect", ActiveSkinRect);
    f.Rc("downskinrect", DownSkinRect);
    f.Rc("focusedskinrect", FocusedSkinRect);
    f.Rc("disabledskinrect", DisabledSkinRect);
    f.Bool("morphing", Morphing);
    f.Morph("morphkind", MorphKind);
    f.Rc("animateskinrect", AnimateSkinRect);
    f.Int("framecount", FrameCount);
    f.Int("animateinterval", AnimateInterval);
    f.Bool("showfocus", ShowFocus);
    f.Rc("menumarkerflatrect", MenuMarkerFlatRect);
    f.Rc("menumarkerrect", MenuMarkerRect);
    f.Rc("menumarkeractiverect", MenuMarkerActiveRect);
    f.Rc("menumarkerdownrect", MenuMarkerDownRect);
    f.Colour("menumarkertransparentcolor", MenuMarkerTransparentColor);
    f.Int("glowlayerpictureindex", GlowLayerPictureIndex);
    f.Int("glowlayermaskpictureindex", GlowLayerMaskPictureIndex);
    f.Int("glowlayeroffsetleft", GlowLayerOffsetLeft);
    f.Int("glowlayeroffsettop", GlowLayerOffsetTop);
    f.Int("glowlayeroffsetright", GlowLayerOffsetRight);
    f.Int("glowlayeroffsetbottom", GlowLayerOffsetBottom);
    f.Int("glowlayershowoffsetx", GlowLayerShowOffsetX);
    f.Int("glowlayershowoffsety", GlowLayerShowOffsetY);
    f.Int("glowlayeralphablendvalue", GlowLayerAlphaBlendValue);
}

void TkvDataSkinMenuButtonControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinButtonControl::Fields(f);
    f.Rc("trackbuttonrect", TrackButtonRect);
}

void TkvDataSkinCheckRadioControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Colour("unenabledfontcolor", UnEnabledFontColor);
    f.Colour("framefontcolor", FrameFontColor);
    f.Rc("activeskinrect", ActiveSkinRect);
    f.Rc("checkimagearea", CheckImageArea);
    f.Rc("textarea", TextArea);
    f.Rc("checkimagerect", CheckImageRect);
    f.Rc("uncheckimagerect", UnCheckImageRect);
    f.Rc("activecheckimagerect", ActiveCheckImageRect);
    f.Rc("activeuncheckimagerect", ActiveUnCheckImageRect);
    f.Rc("unenabledcheckimagerect", UnEnabledCheckImageRect);
    f.Rc("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    f.Rc("grayedcheckimagerect", GrayedCheckImageRect);
    f.Rc("activegrayedcheckimagerect", ActiveGrayedCheckImageRect);
    f.Bool("morphing", Morphing);
    f.Morph("morphkind", MorphKind);
}

void TkvDataSkinGaugeControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("progressarea", ProgressArea);
    f.Rc("progressrect", ProgressRect);
    f.Int("beginoffset", BeginOffset);
    f.Int("endoffset", EndOffset);
    f.Bool("vertical", Vertical);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Bool("progresstransparent", ProgressTransparent);
    f.Colour("progresstransparentcolor", ProgressTransparentColor);
    f.Bool("progressstretch", ProgressStretch);
    f.Rc("animationskinrect", AnimationSkinRect);
    f.Int("animationcountframes", AnimationCountFrames);
    f.Int("animationtimerinterval", AnimationTimerInterval);
    f.Rc("progressanimationskinrect", ProgressAnimationSkinRect);
    f.Int("progressanimationcountframes", ProgressAnimationCountFrames);
    f.Int("progressanimationtimerinterval", ProgressAnimationTimerInterval);
    f.Int("animationbeginoffset", AnimationBeginOffset);
    f.Int("animationendoffset", AnimationEndOffset);
}

void TkvDataSkinSplitterControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("gripperrect", GripperRect);
    f.Bool("grippertransparent", GripperTransparent);
    f.Colour("grippertransparentcolor", GripperTransparentColor);
}

void TkvDataSkinTrackBarControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("activeskinrect", ActiveSkinRect);
    f.Rc("trackarea", TrackArea);
    f.Rc("buttonrect", ButtonRect);
    f.Rc("activebuttonrect", ActiveButtonRect);
    f.Bool("vertical", Vertical);
    f.Bool("buttontransparent", ButtonTransparent);
    f.Colour("buttontransparentcolor", ButtonTransparentColor);
}

void TkvDataSkinLabelControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
}

void TkvDataSkinStdLabelControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
}

void TkvDataSkinUpDownControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("upbuttonrect", UpButtonRect);
    f.Rc("activeupbuttonrect", ActiveUpButtonRect);
    f.Rc("downupbuttonrect", DownUpButtonRect);
    f.Rc("downbuttonrect", DownButtonRect);
    f.Rc("activedownbuttonrect", ActiveDownButtonRect);
    f.Rc("downdownbuttonrect", DownDownButtonRect);
}

void TkvDataSkinGridControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Rc("fixedcellrect", FixedCellRect);
    f.Rc("selectcellrect", SelectCellRect);
    f.Rc("focuscellrect", FocusCellRect);
    f.Int("fixedcellleftoffset", FixedCellLeftOffset);
    f.Int("fixedcellrightoffset", FixedCellRightOffset);
    f.Rc("fixedcelltextrect", FixedCellTextRect);
    f.Int("cellleftoffset", CellLeftOffset);
    f.Int("cellrightoffset", CellRightOffset);
    f.Rc("celltextrect", CellTextRect);
    f.Int("bgpictureindex", BGPictureIndex);
    f.Colour("linescolor", LinesColor);
    f.Colour("bgcolor", BGColor);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("selectfontcolor", SelectFontColor);
    f.Colour("focusfontcolor", FocusFontColor);
    f.Str("fixedfontname", FixedFontName);
    f.Int("fixedfontheight", FixedFontHeight);
    f.Style("fixedfontstyle", FixedFontStyle);
    f.Colour("fixedfontcolor", FixedFontColor);
    f.Bool("cellstretcheffect", CellStretchEffect);
    f.Bool("fixedcellstretcheffect", FixedCellStretchEffect);
    f.Bool("showfocus", ShowFocus);
}

void TkvDataSkinTabControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Rc("tabrect", TabRect);
    f.Rc("activetabrect", ActiveTabRect);
    f.Rc("focustabrect", FocusTabRect);
    f.Rc("mouseintabrect", MouseInTabRect);
    f.Rc("clientrect", ClientRect);
    f.Int("bgpictureindex", BGPictureIndex);
    f.Pt("lefttoppoint", LeftTopPoint);
    f.Pt("righttoppoint", RightTopPoint);
    f.Pt("leftbottompoint", LeftBottomPoint);
    f.Pt("rightbottompoint", RightBottomPoint);
    f.Int("tableftoffset", TabLeftOffset);
    f.Int("tabrightoffset", TabRightOffset);
    f.Rc("tabsbgrect", TabsBGRect);
    f.Bool("tabstretcheffect", TabStretchEffect);
    f.Bool("leftstretch", LeftStretch);
    f.Bool("topstretch", TopStretch);
    f.Bool("rightstretch", RightStretch);
    f.Bool("bottomstretch", BottomStretch);
    f.Bool("stretcheffect", StretchEffect);
    f.Stretch("stretchtype", StretchType);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Colour("focusfontcolor", FocusFontColor);
    f.Colour("mouseinfontcolor", MouseInFontColor);
    f.Str("updown", UpDown);
    f.Bool("showfocus", ShowFocus);
    f.Int("focusoffsetx", FocusOffsetX);
    f.Int("focusoffsety", FocusOffsetY);
    f.Rc("closebuttonrect", CloseButtonRect);
    f.Rc("closebuttonactiverect", CloseButtonActiveRect);
    f.Rc("closebuttondownrect", CloseButtonDownRect);
    f.Bool("buttontransparent", ButtonTransparent);
    f.Colour("buttontransparentcolor", ButtonTransparentColor);
}

void TkvDataSkinMainMenuBar::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Rc("itemsrect", ItemsRect);
    f.Str("menubaritem", MenuBarItem);
    f.Str("closebutton", CloseButton);
    f.Str("minbutton", MinButton);
    f.Str("maxbutton", MaxButton);
    f.Str("sysmenubutton", SysMenuButton);
    f.Colour("trackmarkcolor", TrackMarkColor);
    f.Colour("trackmarkactivecolor", TrackMarkActiveColor);
    f.Bool("stretcheffect", StretchEffect);
    f.Bool("itemtransparent", ItemTransparent);
}

void TkvDataSkinControlBar::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("itemrect", ItemRect);
    f.Int("bgpictureindex", BGPictureIndex);
    f.Rc("hgriprect", HGripRect);
    f.Rc("vgriprect", VGripRect);
    f.Int("gripoffset1", GripOffset1);
    f.Int("gripoffset2", GripOffset2);
    f.Bool("itemstretcheffect", ItemStretchEffect);
    f.Int("itemoffset1", ItemOffset1);
    f.Int("itemoffset2", ItemOffset2);
    f.Bool("itemtransparent", ItemTransparent);
    f.Colour("itemtransparentcolor", ItemTransparentColor);
    f.Bool("griptransparent", GripTransparent);
    f.Colour("griptransparentcolor", GripTransparentColor);
}

void TkvDataSkinEditControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("activeskinrect", ActiveSkinRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("disabledfontcolor", DisabledFontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Rc("buttonrect", ButtonRect);
    f.Rc("activebuttonrect", ActiveButtonRect);
    f.Rc("downbuttonrect", DownButtonRect);
    f.Rc("unenabledbuttonrect", UnEnabledButtonRect);
}

void TkvDataSkinMemoControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinEditControl::Fields(f);
    f.Colour("bgcolor", BGColor);
    f.Colour("activebgcolor", ActiveBGColor);
}

void TkvDataSkinListBox::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("itemrect", ItemRect);
    f.Rc("activeitemrect", ActiveItemRect);
    f.Rc("focusitemrect", FocusItemRect);
    f.Int("itemleftoffset", ItemLeftOffset);
    f.Int("itemrightoffset", ItemRightOffset);
    f.Rc("itemtextrect", ItemTextRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Colour("focusfontcolor", FocusFontColor);
    f.Rc("captionrect", CaptionRect);
    f.Str("captionfontname", CaptionFontName);
    f.Int("captionfontheight", CaptionFontHeight);
    f.Style("captionfontstyle", CaptionFontStyle);
    f.Colour("captionfontcolor", CaptionFontColor);
    f.Rc("upbuttonrect", UpButtonRect);
    f.Rc("activeupbuttonrect", ActiveUpButtonRect);
    f.Rc("downupbuttonrect", DownUpButtonRect);
    f.Rc("downbuttonrect", DownButtonRect);
    f.Rc("activedownbuttonrect", ActiveDownButtonRect);
    f.Rc("downdownbuttonrect", DownDownButtonRect);
    f.Rc("checkbuttonrect", CheckButtonRect);
    f.Rc("activecheckbuttonrect", ActiveCheckButtonRect);
    f.Rc("downcheckbuttonrect", DownCheckButtonRect);
    f.Str("vscrollbarname", VScrollBarName);
    f.Str("hscrollbarname", HScrollBarName);
    f.Str("bothhscrollbarname", BothHScrollBarName);
    f.Bool("showfocus", ShowFocus);
    f.Rc("disabledbuttonsrect", DisabledButtonsRect);
    f.Rc("buttonsarea", ButtonsArea);
}

void TkvDataSkinCheckListBox::Fields(TkvDescriptionFields& f) {
    TkvDataSkinListBox::Fields(f);
    f.Rc("itemcheckrect", ItemCheckRect);
    f.Rc("checkimagerect", CheckImageRect);
    f.Rc("uncheckimagerect", UnCheckImageRect);
}

void TkvDataSkinComboBox::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("activeskinrect", ActiveSkinRect);
    f.Rc("itemrect", ItemRect);
    f.Rc("activeitemrect", ActiveItemRect);
    f.Rc("focusitemrect", FocusItemRect);
    f.Int("itemleftoffset", ItemLeftOffset);
    f.Int("itemrightoffset", ItemRightOffset);
    f.Rc("itemtextrect", ItemTextRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("focusfontcolor", FocusFontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Str("listboxname", ListBoxName);
    f.Rc("buttonrect", ButtonRect);
    f.Rc("activebuttonrect", ActiveButtonRect);
    f.Rc("downbuttonrect", DownButtonRect);
    f.Rc("unenabledbuttonrect", UnEnabledButtonRect);
    f.Bool("itemstretcheffect", ItemStretchEffect);
    f.Bool("focusitemstretcheffect", FocusItemStretchEffect);
    f.Bool("showfocus", ShowFocus);
}

void TkvDataSkinScrollBarControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("trackarea", TrackArea);
    f.Rc("upbuttonrect", UpButtonRect);
    f.Rc("activeupbuttonrect", ActiveUpButtonRect);
    f.Rc("downupbuttonrect", DownUpButtonRect);
    f.Rc("downbuttonrect", DownButtonRect);
    f.Rc("activedownbuttonrect", ActiveDownButtonRect);
    f.Rc("downdownbuttonrect", DownDownButtonRect);
    f.Rc("thumbrect", ThumbRect);
    f.Rc("activethumbrect", ActiveThumbRect);
    f.Rc("downthumbrect", DownThumbRect);
    f.Int("thumboffset1", ThumbOffset1);
    f.Int("thumboffset2", ThumbOffset2);
    f.Bool("thumbtransparent", ThumbTransparent);
    f.Colour("thumbtransparentcolor", ThumbTransparentColor);
    f.Bool("thumbstretcheffect", ThumbStretchEffect);
    f.Int("thumbminsize", ThumbMinSize);
    f.Int("thumbminpagesize", ThumbMinPageSize);
    f.Rc("glyphrect", GlyphRect);
    f.Rc("activeglyphrect", ActiveGlyphRect);
    f.Rc("downglyphrect", DownGlyphRect);
    f.Bool("glyphtransparent", GlyphTransparent);
    f.Colour("glyphtransparentcolor", GlyphTransparentColor);
}

void TkvDataSkinSpinEditControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Rc("activeskinrect", ActiveSkinRect);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("activefontcolor", ActiveFontColor);
    f.Colour("disabledfontcolor", DisabledFontColor);
    f.Rc("upbuttonrect", UpButtonRect);
    f.Rc("activeupbuttonrect", ActiveUpButtonRect);
    f.Rc("downupbuttonrect", DownUpButtonRect);
    f.Rc("downbuttonrect", DownButtonRect);
    f.Rc("activedownbuttonrect", ActiveDownButtonRect);
    f.Rc("downdownbuttonrect", DownDownButtonRect);
}

void TkvDataSkinScrollBoxControl::Fields(TkvDescriptionFields& f) {
    TkvDataSkinCustomControl::Fields(f);
    f.Int("bgpictureindex", BGPictureIndex);
}

void TkvDataSkinTreeView::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("bgcolor", BGColor);
}

void TkvDataSkinBevel::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Colour("lightcolor", LightColor);
    f.Colour("darkcolor", DarkColor);
}

void TkvDataSkinSlider::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Colour("bgcolor", BGColor);
    f.Rc("hrulerrect", HRulerRect);
    f.Rc("hthumbrect", HThumbRect);
    f.Rc("vrulerrect", VRulerRect);
    f.Rc("vthumbrect", VThumbRect);
    f.Int("edgesize", EdgeSize);
    f.Colour("pointscolor", PointsColor);
}

void TkvDataSkinListView::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("bgcolor", BGColor);
}

void TkvDataSkinRichEdit::Fields(TkvDescriptionFields& f) {
    TkvDataSkinControl::Fields(f);
    f.Str("fontname", FontName);
    f.Int("fontheight", FontHeight);
    f.Style("fontstyle", FontStyle);
    f.Colour("fontcolor", FontColor);
    f.Colour("bgcolor", BGColor);
}

void TkvDataSkinUpDownControl::AfterRead() {
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = fw::Point{};
    ClientRect = fw::Rect{};
}

std::unique_ptr<TkvDataSkinControl> CreateSkinControl(std::string_view type) {
    if (type == "panel") return std::make_unique<TkvDataSkinPanelControl>();
    if (type == "expanel") return std::make_unique<TkvDataSkinExPanelControl>();
    if (type == "button") return std::make_unique<TkvDataSkinButtonControl>();
    if (type == "menubutton") return std::make_unique<TkvDataSkinMenuButtonControl>();
    if (type == "checkradio") return std::make_unique<TkvDataSkinCheckRadioControl>();
    if (type == "gauge") return std::make_unique<TkvDataSkinGaugeControl>();
    if (type == "splitter") return std::make_unique<TkvDataSkinSplitterControl>();
    if (type == "trackbar") return std::make_unique<TkvDataSkinTrackBarControl>();
    if (type == "label") return std::make_unique<TkvDataSkinLabelControl>();
    if (type == "stdlabel") return std::make_unique<TkvDataSkinStdLabelControl>();
    if (type == "updown") return std::make_unique<TkvDataSkinUpDownControl>();
    if (type == "grid") return std::make_unique<TkvDataSkinGridControl>();
    if (type == "tab") return std::make_unique<TkvDataSkinTabControl>();
    if (type == "mainmenubar") return std::make_unique<TkvDataSkinMainMenuBar>();
    if (type == "controlbar") return std::make_unique<TkvDataSkinControlBar>();
    if (type == "memo") return std::make_unique<TkvDataSkinMemoControl>();
    if (type == "edit") return std::make_unique<TkvDataSkinEditControl>();
    if (type == "checklistbox") return std::make_unique<TkvDataSkinCheckListBox>();
    if (type == "listbox") return std::make_unique<TkvDataSkinListBox>();
    if (type == "combobox") return std::make_unique<TkvDataSkinComboBox>();
    if (type == "scrollbar") return std::make_unique<TkvDataSkinScrollBarControl>();
    if (type == "spinedit") return std::make_unique<TkvDataSkinSpinEditControl>();
    if (type == "scrollbox") return std::make_unique<TkvDataSkinScrollBoxControl>();
    if (type == "treeview") return std::make_unique<TkvDataSkinTreeView>();
    if (type == "bevel") return std::make_unique<TkvDataSkinBevel>();
    if (type == "slider") return std::make_unique<TkvDataSkinSlider>();
    if (type == "listview") return std::make_unique<TkvDataSkinListView>();
    if (type == "richedit") return std::make_unique<TkvDataSkinRichEdit>();
    return nullptr;
}
