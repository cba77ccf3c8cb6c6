// Colour values 0x00BBGGRR. A value whose high byte is 0xFF names a system colour by the index in its low byte;
// such a value is resolved only when drawing (resolveColor), so it follows the user's colour scheme.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/Bitmap.h"

namespace fw {

constexpr Color kSystemColorFlag = 0xFF000000u;
constexpr Color systemColor(int index) { return kSystemColorFlag | Color(index & 0xFF); }
constexpr bool isSystemColor(Color c) { return (c & 0xFF000000u) == kSystemColorFlag; }
constexpr Color rgb(int r, int g, int b) { return Color(r) | (Color(g) << 8) | (Color(b) << 16); }

// System colours (platform indexes).
constexpr Color clScrollBar = systemColor(0);
constexpr Color clBackground = systemColor(1);
constexpr Color clActiveCaption = systemColor(2);
constexpr Color clInactiveCaption = systemColor(3);
constexpr Color clMenu = systemColor(4);
constexpr Color clWindow = systemColor(5);
constexpr Color clWindowFrame = systemColor(6);
constexpr Color clMenuText = systemColor(7);
constexpr Color clWindowText = systemColor(8);
constexpr Color clCaptionText = systemColor(9);
constexpr Color clActiveBorder = systemColor(10);
constexpr Color clInactiveBorder = systemColor(11);
constexpr Color clAppWorkSpace = systemColor(12);
constexpr Color clHighlight = systemColor(13);
constexpr Color clHighlightText = systemColor(14);
constexpr Color clBtnFace = systemColor(15);
constexpr Color clBtnShadow = systemColor(16);
constexpr Color clGrayText = systemColor(17);
constexpr Color clBtnText = systemColor(18);
constexpr Color clInactiveCaptionText = systemColor(19);
constexpr Color clBtnHighlight = systemColor(20);
constexpr Color cl3DDkShadow = systemColor(21);
constexpr Color cl3DLight = systemColor(22);
constexpr Color clInfoText = systemColor(23);
constexpr Color clInfoBk = systemColor(24);

// Plain colours.
constexpr Color clBlack = rgb(0, 0, 0);
constexpr Color clMaroon = rgb(128, 0, 0);
constexpr Color clGreen = rgb(0, 128, 0);
constexpr Color clOlive = rgb(128, 128, 0);
constexpr Color clNavy = rgb(0, 0, 128);
constexpr Color clPurple = rgb(128, 0, 128);
constexpr Color clTeal = rgb(0, 128, 128);
constexpr Color clGray = rgb(128, 128, 128);
constexpr Color clSilver = rgb(192, 192, 192);
constexpr Color clRed = rgb(255, 0, 0);
constexpr Color clLime = rgb(0, 255, 0);
constexpr Color clYellow = rgb(255, 255, 0);
constexpr Color clBlue = rgb(0, 0, 255);
constexpr Color clFuchsia = rgb(255, 0, 255);
constexpr Color clAqua = rgb(0, 255, 255);
constexpr Color clWhite = rgb(255, 255, 255);
// "No colour": nothing is painted.
constexpr Color clNone = 0x1FFFFFFFu;

// Colour by its identifier ("clWindow", "clBlack"); nothing for an unknown name.
std::optional<Color> colorFromName(std::string_view name);

#ifdef _WIN32
// The colour to draw with: system colours looked up now, others unchanged.
Color resolveColor(Color c);
#endif

}  // namespace fw
