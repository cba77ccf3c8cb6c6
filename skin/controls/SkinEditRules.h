// The skinned single-line edit's portable rules: what it copies from its "edit" or "buttonedit" description, where
// its text area and browse button lie for a size, which button image a state shows, how high it is, and which
// entries of its context menu are enabled. Tested natively; kvSkinEdit.cpp applies them to the platform edit.
#pragma once

#include <string>

#include "framework/Bitmap.h"
#include "skin/data/kvSkinData.h"

struct TkvSkinEditLook {
    fw::Rect SrcSkinRect;
    fw::Rect SrcActiveRect;  // the skin rect when the description names none
    fw::Rect SrcClientRect;  // relative to the skin rect
    int LeftPartWidth = 0, RightPartWidth = 0;
    int RightTopX = 0;  // x of "righttoppoint": where the fixed right part begins
    bool StretchClient = false;
    std::string SkinFontName;
    int SkinFontHeight = 14;
    TkvFontStyles SkinFontStyle;
    fw::Color SkinFontColor = 0, SkinDisabledFontColor = 0, SkinActiveFontColor = 0;
    fw::Rect SrcButtonRect;  // relative to the skin rect; the normal button is part of the skin image
    fw::Rect SrcActiveButtonRect, SrcDownButtonRect, SrcDisabledButtonRect;  // in the picture

    void CopyFrom(const TkvDataSkinEditControl& d);
};

// Copies the edit description at `index` into `look` and returns its picture; null (and `look` untouched) when the
// description is not an edit description or names no picture.
const fw::Bitmap* FetchEditLook(TkvSkinEditLook& look, const TkvSkinData& data, int index);

// Where the platform edit's client area lies in a window of w x h (window coordinates). `look` is null without a
// description.
fw::Rect EditAreaOf(const TkvSkinEditLook* look, bool buttonMode, bool useSkinFont, int w, int h);
// Where the browse button lies (window coordinates).
fw::Rect EditButtonAreaOf(const TkvSkinEditLook* look, bool useSkinFont, int w, int h);
// The button's state image in the picture, or an empty rect when the skin image's own button shows.
fw::Rect EditButtonSource(const TkvSkinEditLook& look, bool enabled, bool pressed, bool hot);
// The height that fits a font whose text metric height is `textHeight`.
int EditFontFittedHeight(int textHeight, const TkvSkinEditLook* look);
// The height the edit takes when asked for `asked`: the skin's with the skin font, the font's without it, else as
// asked.
int EditHeightFor(const TkvSkinEditLook* look, bool useSkinFont, int asked, int fontFitted);

// The context menu's entries as the edit's state enables them.
struct TkvEditMenuState {
    bool Undo = false, Cut = false, Copy = false, Paste = false, Delete = false, SelectAll = false;
};
TkvEditMenuState EditMenuState(bool canUndo, int selStart, int selEnd, int length, bool readOnly,
                               bool clipboardHasText);
