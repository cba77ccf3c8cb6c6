// The colours of the program's skin: a light frame with blue accents. Every picture takes its colours from here,
// so that frame, menus and controls agree.
#pragma once

#include "tools/skinart/Paint.h"

namespace skinart::theme {

// Frame and client.
inline constexpr Pixel kFrameOuter = rgb(112, 142, 186);  // outermost window line
inline constexpr Pixel kFrameLight = rgb(255, 255, 255);  // highlight just inside it
inline constexpr Pixel kFrameFill = rgb(226, 236, 250);   // border body
inline constexpr Pixel kFrameInner = rgb(184, 203, 230);  // line around the client area
inline constexpr Pixel kCaptionTop = rgb(253, 254, 255);
inline constexpr Pixel kCaptionBottom = rgb(214, 229, 249);
inline constexpr Pixel kClient = rgb(240, 245, 252);  // client background (labels match it)

// Text.
inline constexpr Pixel kText = rgb(28, 38, 58);
inline constexpr Pixel kTextDisabled = rgb(150, 160, 176);
inline constexpr Pixel kAccent = rgb(62, 106, 170);     // the caption's active text colour
inline constexpr Pixel kHighlight = rgb(80, 143, 208);  // selection (chighlight)

// Pressable parts: border, upper and lower fill, per state.
struct Face {
    Pixel border, top, bottom, glyph;
};
inline constexpr Face kNormal{rgb(150, 172, 205), rgb(255, 255, 255), rgb(222, 233, 248), rgb(62, 88, 128)};
inline constexpr Face kHot{rgb(86, 146, 214), rgb(245, 250, 255), rgb(196, 223, 252), rgb(36, 84, 150)};
inline constexpr Face kDown{rgb(58, 108, 172), rgb(176, 206, 240), rgb(206, 226, 250), rgb(24, 62, 120)};
inline constexpr Face kDisabled{rgb(200, 208, 220), rgb(246, 247, 249), rgb(238, 241, 245), rgb(168, 176, 190)};
inline constexpr Pixel kFocusRing = rgb(120, 176, 236);

// Fields (edits, lists).
inline constexpr Pixel kFieldBorder = rgb(160, 180, 210);
inline constexpr Pixel kFieldBorderHot = rgb(86, 146, 214);
inline constexpr Pixel kFieldInnerHot = rgb(222, 236, 252);
inline constexpr Pixel kField = rgb(255, 255, 255);

// Close button when hot or pressed: the one red element of the skin.
inline constexpr Pixel kCloseHot = rgb(224, 67, 67);
inline constexpr Pixel kCloseHotBottom = rgb(196, 43, 43);
inline constexpr Pixel kCloseDown = rgb(168, 32, 32);

// Transparent colour for thumbs drawn over tracks.
inline constexpr Pixel kKey = rgb(255, 0, 255);

}  // namespace skinart::theme
