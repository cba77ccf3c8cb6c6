// Rules of skin labels and panels that need no window: shortening a caption with "...", where a one-line text
// goes in its rectangle, and how a rectangle given in skin coordinates follows the control's size.
#pragma once

#include <functional>
#include <string>

#include "framework/Geometry.h"
#include "skin/controls/SkinControlFit.h"

// While the text is wider than `width`, its last character goes and the rest plus "..." is measured; the first
// that fits (or "..." alone) is returned. A text that fits is returned unchanged.
std::wstring EllipsizeText(const std::wstring& text, int width, const std::function<int(const std::wstring&)>& measure);

enum class TextAlign { Left, Right, Center };
// Top-left corner of a one-line text of tw x th in r: vertically centred, placed horizontally by the alignment.
fw::Point LabelTextOrigin(fw::Rect r, TextAlign align, int tw, int th);

// A rectangle of the skin (relative to the skin rect) moved and grown for a control of width x height, by the
// control's sizing mode and corner points.
fw::Rect MapSkinRect(const TkvSkinFitData& d, fw::Rect r, int width, int height);
