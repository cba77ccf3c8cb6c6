// Where everything lies in the skin pictures. resources/skin/skin.ini describes the same places; the tests hold
// the two together, so a change here must be made there too.
#pragma once

#include "framework/Geometry.h"

namespace skinart::layout {

using fw::Point;
using fw::Rect;

// ---- main.bmp / mask.bmp: the frame of a 285 x 210 window.
inline constexpr int kMainW = 285, kMainH = 210;
inline constexpr Rect kClient{4, 27, 281, 206};
inline constexpr Rect kMaskArea{4, 3, 282, 206};
inline constexpr Rect kCaption{3, 5, 282, 24};
inline constexpr int kCaptionSeparatorY = 26;  // the line between caption strip and client
inline constexpr int kCornerRadius = 5;        // rounding of the window's top corners

// ---- active.bmp (75 x 263): caption-button images, 21 x 21, normal / hot / pressed side by side.
inline constexpr int kActiveW = 75, kActiveH = 263;
inline constexpr int kCapBtn = 21;
inline constexpr int kCapColNormal = 0, kCapColHot = 25, kCapColDown = 50;
// Rows: one per symbol, in this order.
enum CapRow { RowClose, RowMax, RowRestore, RowMin, RowRollUp, RowRollDown, RowTray, RowDisabledA, RowDisabledB };
// Disabled images: row A holds close, maximise, minimise; row B roll-up, tray, restore (columns as above).
constexpr Rect capButton(int row, int col) { return Rect::fromSize(col, row * kCapBtn, kCapBtn, kCapBtn); }
// Menu-bar buttons (16 x 14) of a maximised child: columns close, max(restore), min, sysmenu; rows normal/hot/down.
inline constexpr int kBarBtnW = 16, kBarBtnH = 14, kBarBtnTop = 189;
constexpr Rect barButton(int col, int state) {
    return Rect::fromSize(col * kBarBtnW, kBarBtnTop + state * kBarBtnH, kBarBtnW, kBarBtnH);
}
// System-menu button (14 x 12): normal, hot, pressed.
inline constexpr int kSysW = 14, kSysH = 12, kSysTop = 231;
constexpr Rect sysButton(int state) { return Rect::fromSize(state * kSysW, kSysTop, kSysW, kSysH); }

// ---- hintwindow.bmp / hintwindowmask.bmp (28 x 21).
inline constexpr int kHintW = 28, kHintH = 21;
inline constexpr Rect kHintClient{4, 3, 24, 18};

// ---- pw.bmp / pwmask.bmp (93 x 55): the popup-menu window.
inline constexpr int kPopupW = 93, kPopupH = 55;
inline constexpr Rect kPopupItems{2, 2, 91, 53};

// ---- menuitems.bmp (132 x 126).
inline constexpr int kMenuW = 132, kMenuH = 126;
inline constexpr int kItemH = 22;
inline constexpr int kMenuColumn = 27;  // width of the tinted glyph column
inline constexpr Rect kItemNormal{0, 0, 66, 22};
inline constexpr Rect kItemActive{66, 0, 132, 22};
inline constexpr Rect kItemDivider{0, 22, 66, 25};
inline constexpr Rect kMenuCheck{0, 25, 16, 41}, kMenuCheckActive{16, 25, 32, 41};
inline constexpr Rect kMenuRadio{32, 25, 48, 41}, kMenuRadioActive{48, 25, 64, 41};
inline constexpr Rect kMenuArrow{64, 25, 72, 33}, kMenuArrowActive{72, 25, 80, 33};
inline constexpr Rect kBarItemNormal{0, 41, 40, 61}, kBarItemActive{40, 41, 80, 61}, kBarItemDown{80, 41, 120, 61};

// ---- mdibg.bmp (219 x 178): a tile for multi-document backgrounds.
inline constexpr int kMdiW = 219, kMdiH = 178;

// ---- controls.bmp (556 x 410).
inline constexpr int kControlsW = 556, kControlsH = 410;
enum State { Normal, Hot, Down, Focused, Disabled };

// Push button 42 x 22: normal, hot, pressed, focused, disabled.
constexpr Rect button(int s) { return Rect::fromSize(42 * s, 0, 42, 22); }
// Tool button 27 x 25: normal, hot, pressed, disabled (slots 0..3).
constexpr Rect toolButton(int slot) { return Rect::fromSize(210 + 27 * slot, 0, 27, 25); }
// Tool menu button 37 x 25 with its drop-down part at the right: normal, hot, pressed, disabled.
constexpr Rect toolMenuButton(int slot) { return Rect::fromSize(318 + 37 * slot, 0, 37, 25); }
inline constexpr int kToolMenuSplit = 25;  // x of the drop-down part inside the button
// Combo drop button 17 x 19: normal, hot, pressed, disabled.
constexpr Rect comboButton(int slot) { return Rect::fromSize(466 + 17 * slot, 0, 17, 19); }

// Edit 60 x 21: normal, active (hot or focused).
constexpr Rect edit(int slot) { return Rect::fromSize(60 * slot, 25, 60, 21); }
// Edit with a browse button 80 x 21: normal, active; the button lies at kEditButton inside.
constexpr Rect buttonEdit(int slot) { return Rect::fromSize(120 + 80 * slot, 25, 80, 21); }
inline constexpr Rect kEditButton{62, 2, 78, 19};
// Its hot, pressed and disabled button images.
constexpr Rect editButtonImage(int slot) { return Rect::fromSize(280 + 16 * slot, 27, 16, 17); }
// Combo box 80 x 21: normal, active; drop button images hot, pressed, disabled.
constexpr Rect combo(int slot) { return Rect::fromSize(331 + 80 * slot, 25, 80, 21); }
constexpr Rect comboButtonImage(int slot) { return Rect::fromSize(491 + 16 * slot, 27, 16, 17); }

// Labels 40 x 20: plain, menu header, status, caption.
constexpr Rect label(int kind) { return Rect::fromSize(40 * kind, 46, 40, 20); }
// List header (resize button) 40 x 20: normal, hot, pressed.
constexpr Rect header(int slot) { return Rect::fromSize(160 + 40 * slot, 46, 40, 20); }
// Check box and radio button background 80 x 18.
inline constexpr Rect kCheckBack{280, 46, 360, 64};
// Check images 13 x 13: checked, unchecked, hot checked, hot unchecked, disabled checked, disabled unchecked,
// grayed, hot grayed.
constexpr Rect checkImage(int slot) { return Rect::fromSize(360 + 13 * slot, 46, 13, 13); }
// Radio images, same order (the last two are unused by radios but drawn for symmetry).
constexpr Rect radioImage(int slot) { return Rect::fromSize(180 + 13 * slot, 66, 13, 13); }

// Tabs 40 x 22: normal, selected, selected and focused, hot; and the strip behind them.
constexpr Rect tab(int slot) { return Rect::fromSize(40 * slot, 66, 40, 22); }
inline constexpr Rect kTabStrip{160, 66, 180, 88};
// Progress bar: track 60 x 16 and fill 20 x 12.
inline constexpr Rect kGauge{284, 66, 344, 82};
inline constexpr Rect kGaugeFill{344, 68, 364, 80};
// Track-bar thumbs: horizontal 11 x 18 normal and hot, vertical 18 x 11 normal and hot (on the key colour).
constexpr Rect hThumb(int slot) { return Rect::fromSize(364 + 11 * slot, 66, 11, 18); }
constexpr Rect vThumb(int slot) { return Rect::fromSize(386 + 18 * slot, 66, 18, 11); }
// Splitter grips.
inline constexpr Rect kHGrip{422, 66, 442, 72}, kVGrip{442, 66, 448, 86};
// Up-down buttons 15 x 10 (up) and 15 x 11 (down): normal, hot, pressed.
constexpr Rect upButton(int slot) { return Rect::fromSize(448 + 15 * slot, 66, 15, 10); }
constexpr Rect downButton(int slot) { return Rect::fromSize(448 + 15 * slot, 76, 15, 11); }
// Horizontal up-down 10 x 15 halves: left normal, right normal, left hot, right hot, left pressed, right pressed.
constexpr Rect hSpin(int slot) { return Rect::fromSize(493 + 10 * slot, 66, 10, 15); }

// Panels and frames.
inline constexpr Rect kPanel{0, 88, 40, 128};
inline constexpr Rect kGroupBox{40, 88, 80, 128};
inline constexpr Rect kCaptionPanel{80, 88, 120, 128};
inline constexpr Rect kToolPanel{120, 88, 150, 113};
inline constexpr Rect kStatusPanel{120, 113, 150, 135};
inline constexpr Rect kControlBar{150, 88, 180, 114}, kControlBarItem{180, 88, 210, 114};
inline constexpr Rect kBarHGrip{210, 88, 215, 114}, kBarVGrip{150, 114, 176, 119};
inline constexpr Rect kMenuBar{215, 88, 275, 110};
inline constexpr Rect kListFrame{275, 88, 335, 148};
// List items 40 x 18: normal, selected, selected with focus.
constexpr Rect listItem(int slot) { return Rect::fromSize(335 + 40 * slot, 88, 40, 18); }
// Grid cells 40 x 20: fixed, selected, focused.
constexpr Rect gridCell(int slot) { return Rect::fromSize(335 + 40 * slot, 106, 40, 20); }
inline constexpr Rect kTabPage{455, 88, 515, 148};
inline constexpr Rect kScrollBox{515, 88, 555, 128};

// Memo 60 x 60: normal, active.
constexpr Rect memo(int slot) { return Rect::fromSize(60 * slot, 148, 60, 60); }
// Vertical scroll bar 19 x 80 (up button, track, down button) and its part images.
inline constexpr Rect kVScroll{120, 148, 139, 228};
constexpr Rect vScrollUp(int slot) { return Rect::fromSize(139 + 19 * slot, 148, 19, 19); }
constexpr Rect vScrollDown(int slot) { return Rect::fromSize(139 + 19 * slot, 167, 19, 19); }
constexpr Rect vScrollThumb(int slot) { return Rect::fromSize(196 + 19 * slot, 148, 19, 24); }
inline constexpr Rect kVScrollGrip{139, 186, 148, 194};
// Horizontal scroll bar 80 x 19 and its parts.
inline constexpr Rect kHScroll{272, 148, 352, 167};
constexpr Rect hScrollLeft(int slot) { return Rect::fromSize(272 + 19 * slot, 167, 19, 19); }
constexpr Rect hScrollRight(int slot) { return Rect::fromSize(329 + 19 * slot, 167, 19, 19); }
constexpr Rect hScrollThumb(int slot) { return Rect::fromSize(352 + 24 * slot, 148, 24, 19); }
inline constexpr Rect kHScrollGrip{424, 148, 432, 157};
// Vertical progress bar and its fill.
inline constexpr Rect kVGauge{432, 148, 448, 208}, kVGaugeFill{448, 150, 460, 170};
// Track-bar tracks.
inline constexpr Rect kHTrack{460, 148, 540, 170};
inline constexpr Rect kVTrack{0, 230, 22, 310};
// Spin edit 60 x 21: normal, active.
constexpr Rect spinEdit(int slot) { return Rect::fromSize(60 * slot, 208, 60, 21); }
// Slider rulers and thumbs.
inline constexpr Rect kSliderHRuler{30, 230, 110, 236}, kSliderHThumb{110, 230, 121, 246};
inline constexpr Rect kSliderVRuler{121, 230, 127, 310}, kSliderVThumb{127, 230, 143, 241};

}  // namespace skinart::layout
