// The skinned single-line edit. TkvCustomEdit is the platform's edit without a border: Enter and Escape go to the
// form as dialog keys, a read-only edit ignores every change, text is drawn over whatever lies behind it, and a
// right click opens a skinned context menu. TkvSkinCustomEdit draws the "edit" (or, in button mode, "buttonedit")
// description in the window's non-client area around the platform edit, with a browse button inside the frame;
// TkvSkinEdit is the form that form descriptions name.
#pragma once

#include <memory>
#include <string>

#include "framework/DibSection.h"
#include "framework/StdControls.h"
#include "skin/controls/PasswordText.h"
#include "skin/data/kvSkinDataLink.h"
#include "skin/controls/SkinChangeWalk.h"
#include "skin/controls/SkinEditRules.h"

class TkvSkinPopupMenu;

class TkvCustomEdit : public fw::Edit {
public:
    explicit TkvCustomEdit(fw::Component* owner);
    ~TkvCustomEdit() override;

    bool DrawTextTransparent = false;
    bool AutoSelect = true;
    TkvTextAlignment Alignment() const { return alignment_; }
    void SetAlignment(TkvTextAlignment a);

    // The context menu of the last right click (owned; replaced by the next one).
    TkvSkinPopupMenu* EditContextMenu() const { return editContextMenu_.get(); }
    // Builds the context menu for the edit's present state without showing it.
    TkvSkinPopupMenu& BuildEditContextMenu();

protected:
    void createParams(CreateParams& p) override;
    void wndProc(fw::Message& m) override;
    // The colour the text is drawn in.
    virtual fw::Color TextColor() const { return font().color(); }

private:
    // True when a read-only edit must not see this message (it would change the text).
    bool ReadOnlyBlocks(const fw::Message& m) const;
    void PasteFirstLine();
    void ShowEditContextMenu(LPARAM screenPoint);
    std::wstring MenuCaption(const char* key, const wchar_t* builtIn);

    TkvTextAlignment alignment_ = taLeftJustify;
    std::unique_ptr<TkvSkinPopupMenu> editContextMenu_;
};

class TkvSkinCustomEdit : public TkvCustomEdit, public TkvSkinChangeTarget {
public:
    explicit TkvSkinCustomEdit(fw::Component* owner);
    ~TkvSkinCustomEdit() override;

    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* data);
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& name);
    bool ButtonMode() const { return buttonMode_; }
    void SetButtonMode(bool v);
    fw::Color DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(fw::Color c);
    fw::Font& DefaultFont() { return defaultFont_; }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool v);
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int w);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int h);

    int DescriptionIndex = -1;
    bool MouseInside = false;
    bool ButtonHot = false;
    bool ButtonPressed = false;
    fw::NotifyEvent OnButtonClick;
    fw::NotifyEvent OnMouseEnter;
    fw::NotifyEvent OnMouseLeave;

    // The copied description, or null without one.
    const TkvSkinEditLook* Look() const { return DescriptionIndex != -1 ? &look_ : nullptr; }
    void FetchSkinDescription();
    fw::Rect EditArea() const;
    fw::Rect ButtonArea() const;
    // The height that fits the present font.
    int FontFittedHeight();
    // Draws the frame (everything outside EditArea) into a bitmap of the window's size.
    void DrawFrame(fw::DibSection& bitmap);
    void RepaintFrame();

    TkvSkinData* SkinDataOf() const override { return skinData_; }
    void BeforeChangeSkinData() override { DescriptionIndex = -1; }
    void ChangeSkinData() override;
    void setControlBounds(int x, int y, int w, int h) override;
    void loaded() override;

protected:
    void windowCreated() override;
    void wndProc(fw::Message& m) override;
    fw::Color TextColor() const override;
    // The browse button was clicked (pressed and released over it).
    virtual void ButtonClick();

private:
    bool Focused() const;
    bool SkinReady() const { return skinData_ && !skinData_->Empty(); }
    void ApplyFont();
    void FrameChanged();
    void DrawClientBackground(fw::DibSection& bitmap);
    void DrawDisabledText(fw::DibSection& bitmap);
    void PaintClient();
    // Off-screen pictures of the frame and of the client area, kept between paints.
    fw::DibSection frameBuffer_, clientBuffer_;
    // Window coordinates of a screen point.
    fw::Point ToWindow(fw::Point screen);
    void SetButtonHot(bool hot);
    void CheckMouseInside();
    bool NonClientMouse(fw::Message& m);

    TkvSkinDataLink skinData_{[this] { DescriptionIndex = -1; }};
    std::string skinDataName_ = "edit";
    TkvSkinEditLook look_;
    const fw::Bitmap* skinPicture_ = nullptr;
    bool buttonMode_ = false;
    bool useSkinFont_ = true;
    fw::Color defaultColor_ = fw::clWindow;
    fw::Font defaultFont_;
    int defaultWidth_ = 0, defaultHeight_ = 0;
    bool trackingNonClient_ = false;
};

class TkvSkinEdit : public TkvSkinCustomEdit {
public:
    using TkvSkinCustomEdit::TkvSkinCustomEdit;
};
