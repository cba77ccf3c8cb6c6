// The skinned frame's geometry for any window size: the skin's frame values stretched to the window, the client
// rectangle the platform is told, the size limits, the layout of the frame objects and the caption text rules.
// Portable, so that every rule is tested natively.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Geometry.h"
#include "skin/data/kvSkinData.h"

// Frame without skin: caption height and caption button size (tool windows are smaller), border width.
int DefaultFrameCaptionHeight(bool ToolWindow);
int DefaultFrameButtonSize(bool ToolWindow);
inline constexpr int kDefaultFrameBorder = 3;

struct TkvStretchedGeometry {
    fw::Point StretchedLeftTop, StretchedRightTop, StretchedLeftBottom, StretchedRightBottom;
    fw::Rect StretchedClientRect, StretchedCaptionRect, StretchedButtonsRect, StretchedMaskRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    fw::Point HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
};

// The skin's frame geometry (drawn for a window of the main picture's size) stretched to width x height.
TkvStretchedGeometry StretchFrameGeometry(const TkvSkinData& skin, int width, int height);

// WM_NCCALCSIZE: the client rectangle for a proposed window rectangle. `skin` is null when no skin is ready.
// Right and bottom never end left of or above left and top.
fw::Rect FrameClientRect(fw::Rect proposed, const TkvSkinData* skin, int defaultCaptionHeight);

// Size limits; `skin` is null when no skin is ready.
int FrameMinWidthFor(const TkvSkinData* skin, int minWidth, bool minimized);
int FrameMinHeightFor(const TkvSkinData* skin, int minHeight, int defaultCaptionHeight, bool rolledUp, bool minimized);
int FrameMaxFor(int areaSize, int limit);

// A frame object as the layout sees it.
enum class FrameObjectKind { Button, StdButton, Caption, Animate, User };
struct FrameLayoutItem {
    FrameObjectKind kind = FrameObjectKind::User;
    TkvStdCommand command = cmdefault;  // standard buttons and animated objects
    fw::Rect normalRect;                // `skinrect`
    bool normalInHotPicture = false;    // `skinrectinapicture`
    bool shown = true;
    bool showIcon = false;  // a system-menu standard button showing the form's icon
    fw::Rect placed;        // the result, window coordinates
};

// A rectangle of the main picture moved for the stretched frame (for objects drawn as part of the frame picture).
fw::Rect MapSkinRect(fw::Rect r, const TkvSkinData& skin, const TkvStretchedGeometry& g);

// Places every object for the stretched geometry. `smallIcon` is the platform's small-icon size.
void LayoutFrameObjects(std::vector<FrameLayoutItem>& items, const TkvSkinData& skin, const TkvStretchedGeometry& g,
                        fw::Size smallIcon);

// The default caption rectangle of a frame without skin (no objects): (3, 3, width - 3, caption height).
fw::Rect DefaultCaptionRectFor(int width, int captionHeight);

// A caption text shortened to `width`: unchanged when it fits, else characters are dropped from its end until the
// rest followed by "..." fits (or nothing is left).
std::wstring EllipsizeCaption(const std::wstring& text, int width,
                              const std::function<int(const std::wstring&)>& measure);

// The caption object's text rectangle relative to the object, for an object `objectWidth` wide.
fw::Rect CaptionTextRect(const TkvDataSkinCaption& d, int objectWidth);
// The n-th (1-based) of `frameCount` equal slices of a caption's `animateskinrect`: taken from top to bottom when
// it is taller than `skinrect`, else from left to right. Empty when n is outside 1 .. frameCount.
fw::Rect CaptionAnimationSlice(fw::Rect animate, fw::Rect skin, int frameCount, int n);

// Top-left of a text of size w x h in the text rectangle by the caption's alignment.
fw::Point CaptionTextOrigin(fw::Rect t, TkvAlignment a, int w, int h);
