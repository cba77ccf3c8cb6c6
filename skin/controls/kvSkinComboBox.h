// The skinned drop-down list combo box: a closed box drawn from its "combobox" description (normal and active
// images, the button's hot, pressed and disabled images, the focused item) and a drop-down list in a popup window
// framed by the description its `listboxname` names, with hot tracking, a scroll bar when there are more items
// than rows, the keyboard (arrows, Page Up/Down, Home/End, Enter, Escape, F4, Alt+Down), the mouse wheel and
// optional transparency. Items can be drawn by the owner. A plain look without a description.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/ComboItems.h"
#include "skin/controls/kvSkinCtrls.h"

class TkvComboDropDown;

// (canvas, item index, item area, selected, drawn in the drop-down list): the canvas carries the state's font and
// colour and a clear brush; the background is already drawn.
using TkvDrawComboItemEvent =
    std::function<void(fw::Canvas& canvas, int index, const fw::Rect& area, bool selected, bool inDropDown)>;

class TkvSkinComboBox : public TkvSkinCustomControl {
public:
    explicit TkvSkinComboBox(fw::Component* owner);
    ~TkvSkinComboBox() override;

    // Items.
    int AddItem(std::wstring text, std::intptr_t data = 0);
    void InsertItem(int index, std::wstring text, std::intptr_t data = 0);
    void DeleteItem(int index);
    void ClearItems();
    int ItemCount() const { return items_.Count(); }
    const std::wstring& ItemText(int index) const { return items_.Text(index); }
    std::intptr_t ItemData(int index) const { return items_.Data(index); }
    int ItemIndex() const { return items_.ItemIndex(); }
    // Selects an item from code (no OnChange); out of range selects nothing.
    void SetItemIndex(int index);
    // The selected item's text (empty without a selection).
    std::wstring Text() const { return items_.Text(items_.ItemIndex()); }

    // Rows the drop-down list shows at most (at least 1; 8 at first).
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int n);
    // Height of an item row; 0 takes it from the skin's item image or the font.
    int ItemHeight() const;
    void SetItemHeight(int h);

    // Transparency of the drop-down list, and whether it fades in.
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool v) { alphaBlend_ = v; }
    std::uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(std::uint8_t v) { alphaBlendValue_ = v; }
    bool AlphaBlendAnimation() const { return alphaBlendAnimation_; }
    void SetAlphaBlendAnimation(bool v) { alphaBlendAnimation_ = v; }

    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // The drop-down list's window while it is open (for tests and owners that place things beside it).
    HWND DropDownWindow() const;

    fw::NotifyEvent OnChange;  // the user picked another item
    fw::NotifyEvent OnDropDown;
    fw::NotifyEvent OnCloseUp;
    TkvDrawComboItemEvent OnDrawItem;

    void FetchSkinDescription() override;
    void DrawSkinImage(fw::DibSection& bitmap) override;
    void DrawDefaultImage(fw::DibSection& bitmap) override;
    void BeforeChangeSkinData() override;

    bool wantsKey(WPARAM key) const override;

protected:
    void wndProc(fw::Message& m) override;
    void keyDown(WPARAM& key, fw::ShiftState s) override;
    void createParams(CreateParams& p) override;

private:
    friend class TkvComboDropDown;

    // What the control copies from its descriptions: the combo box's own and the drop-down list's frame.
    struct Look {
        fw::Rect ActiveSkinRect, ItemRect, ActiveItemRect, FocusItemRect, ItemTextRect;
        int ItemLeftOffset = 0, ItemRightOffset = 0;
        bool ItemStretch = false, FocusItemStretch = false;
        std::string FontName = "Arial";
        int FontHeight = 14;
        TkvFontStyles FontStyle;
        fw::Color FontColor = 0, FocusFontColor = 0, ActiveFontColor = 0;
        fw::Rect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
        // The list's frame (from the list description named by `listboxname`).
        const TkvDataSkinCustomControl* ListFrame = nullptr;
        const fw::Bitmap* ListPicture = nullptr;
        fw::Color ListFontColor = 0, ListActiveFontColor = 0;
        fw::Rect ListActiveItemRect;
    };

    fw::Font ItemFont(const std::wstring& sample) const;
    fw::Rect ButtonArea() const;
    fw::Rect TextArea() const;
    // Draws the item background (skin item image or highlight), then the owner's drawing or the text.
    void DrawItem(fw::DibSection& bitmap, int index, fw::Rect area, bool selected, bool inDropDown);
    void DrawDefaultButton(fw::Canvas& c, fw::Rect r, bool pressed, bool hot);
    // The user picked an item (keyboard or drop-down): select it and tell OnChange when it changed.
    void Pick(int index);
    void OpenDropDown();
    void CloseDropDown(bool accept);
    void MoveSelection(TkvComboKey key);

    TkvComboItems items_;
    Look look_;
    bool described_ = false;
    int dropDownCount_ = 8;
    int itemHeight_ = 0;
    bool alphaBlend_ = false;
    std::uint8_t alphaBlendValue_ = 225;
    bool alphaBlendAnimation_ = false;
    bool mouseOverButton_ = false;
    std::unique_ptr<TkvComboDropDown> dropDown_;
};
