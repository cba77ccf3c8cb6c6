// Text with a soft shadow, and text with its reflection below it, drawn into an off-screen bitmap.
#pragma once

#include <windows.h>

#include <string_view>

#include "framework/DibSection.h"

// Draws text in r (DrawText format `format`, single line) with the selected font of `target` in `textColour`,
// over a shadow in `shadowColour`: the text's shape blurred by `blur` pixels and moved by `offset` both ways.
void DrawShadowText(fw::DibSection& target, std::wstring_view text, fw::Rect r, UINT format, COLORREF textColour,
                    COLORREF shadowColour, int blur, int offset);

// Draws text at (x, y) in `colour`, and below it its mirror image fading out, starting `offset` pixels below the
// text's bottom (a negative offset lets it start inside the text's own cell, where the letters' feet are).
void DrawReflectionText(fw::DibSection& target, std::wstring_view text, int x, int y, COLORREF colour, int offset);
