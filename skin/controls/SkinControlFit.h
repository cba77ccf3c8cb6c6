// The part of a skinned control's state that it copies from its description, and the size rules that follow from
// it: how a requested size is fitted to the skin picture, how the normal image is composed and how the window is
// clipped to the mask. Portable, so that every rule is tested natively.
#pragma once

#include <optional>

#include "framework/Bitmap.h"
#include "skin/data/kvSkinData.h"
#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/SkinCompose.h"

// Sent by a skinned parent whose own image changed to each child drawn over it (wParam 0, lParam 0).
inline constexpr unsigned SKIN_MSG_PARENT_IMAGE_CHANGED = 1284;

struct TkvSkinFitData {
    fw::Rect SrcSkinRect;
    fw::Point SrcLeftTop, SrcRightTop, SrcLeftBottom, SrcRightBottom;
    fw::Rect SrcClientRect;
    bool StretchLeft = false, StretchTop = false, StretchRight = false, StretchBottom = false, StretchClient = false;
    TkvStretchType StretchKind = stfull;
    int PictureIndex = -1, MaskPictureIndex = -1;
    fw::Point CurLeftTop, CurRightTop, CurLeftBottom, CurRightBottom;
    fw::Rect CurClientRect;
    int SizingMode = 0;  // -1 no skin image, 0 fixed, 1 both ways, 2 width only, 3 height only

    // Copies the geometry of a custom-control description and works out SizingMode.
    void CopyFrom(const TkvDataSkinCustomControl& d);
    // What is left after a description of another class: fixed size, no pictures, nothing else copied.
    void CopyFromOther();

    // Fits a requested size to the skin and moves the current points for it. Without a description (or with an
    // unusable skin rect) nothing changes.
    void CalcSkinSize(bool hasDescription, int& width, int& height);

    SkinCorners SrcCorners() const;
    SkinCorners CurCorners() const;
    SkinStretch Stretch() const;
};

// Copies the description at `index` of `data` into `f` (the geometry of a custom-control description; for any other
// class only the fixed size) and returns its picture and mask picture (null when absent).
struct TkvSkinFitPictures {
    const fw::Bitmap* picture = nullptr;
    const fw::Bitmap* mask = nullptr;
};
TkvSkinFitPictures FetchFitData(TkvSkinFitData& f, const TkvSkinData& data, int index);

// The normal-state image of a control of width x height composed from `picture` at `source` (a rectangle of the
// skin rect's size). `forceBackground` is the panels' flag: their both-ways image is composed elsewhere.
void ComposeControlImage(fw::Bitmap& out, fw::ConstPixelView picture, fw::Rect source, const TkvSkinFitData& d,
                         int width, int height, bool forceBackground);

// The window region of a control of width x height from its mask picture, or none when the control stays
// rectangular. `d` must have been fitted to that size (CalcSkinSize).
std::optional<MaskRegion> ControlMaskRegion(fw::ConstPixelView mask, const TkvSkinFitData& d, int width, int height);
