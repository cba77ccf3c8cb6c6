// The skinned password field: a control of its own that keeps the password in its own text model and draws each
// character as a small glyph of a fixed cell width, never the character itself. It pastes, but never copies or
// cuts, answers no window-text request and has no context menu, so the password leaves it only through Text.
#pragma once

#include <string>

#include "framework/Events.h"
#include "skin/controls/PasswordText.h"
#include "skin/controls/kvSkinCtrls.h"

enum TkvPasswordKind { pkRoundRect, pkRect, pkTriangle };

class TkvSkinPasswordEdit : public TkvSkinCustomControl {
public:
    explicit TkvSkinPasswordEdit(fw::Component* owner);

    std::wstring Text() const { return model_.Text(); }
    void SetText(std::wstring t);
    fw::Color DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(fw::Color c);
    TkvPasswordKind PasswordKind() const { return passwordKind_; }
    void SetPasswordKind(TkvPasswordKind k);
    TkvTextAlignment TextAlignment() const { return model_.Alignment; }
    void SetTextAlignment(TkvTextAlignment a);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    TkvEditCharCase CharCase() const { return model_.CharCase; }
    void SetCharCase(TkvEditCharCase c);
    int MaxLength() const { return model_.MaxLength; }
    void SetMaxLength(int n) { model_.MaxLength = n; }  // existing text is not cut
    bool ReadOnly() const { return model_.ReadOnly; }
    void SetReadOnly(bool v) { model_.ReadOnly = v; }
    bool AutoSelect = true;
    fw::NotifyEvent OnChange;

    // Copied from the "edit" description.
    fw::Rect SrcActiveRect;
    int LeftPartWidth = 0, RightPartWidth = 0;
    fw::Color SkinFontColor = 0, SkinDisabledFontColor = 0, SkinActiveFontColor = 0;

    int CaretIndex() const { return model_.CaretIndex; }
    int SelectionStart() const { return model_.SelectionStart(); }
    int SelectionLength() const { return model_.SelectionLength(); }
    int FirstVisibleChar() const { return model_.FirstVisibleChar; }
    void SetCaretIndex(int a);
    void SelectAllText();
    void PasteClipboardText();

    void FetchSkinDescription() override;
    void CalcSkinSize(int& width, int& height) override;
    virtual void GetTextArea(fw::Rect& r);
    virtual void GetSelectionRect(fw::Rect& r);
    int GlyphCellWidth();

    // The framework's text (a form description's "Text") goes to the password and nowhere else.
    void setText(std::wstring t) override;
    std::wstring text() const override { return model_.Text(); }

    bool wantsKey(WPARAM key) const override;
    bool wantsChars() const override { return true; }

protected:
    void DrawDefaultImage(fw::DibSection& bitmap) override;
    void DrawSkinImage(fw::DibSection& bitmap) override;
    void wndProc(fw::Message& m) override;
    void keyDown(WPARAM& key, fw::ShiftState s) override;
    void keyPress(wchar_t& ch) override;
    void mouseDown(fw::MouseButton b, fw::ShiftState s, int x, int y) override;
    void mouseUp(fw::MouseButton b, fw::ShiftState s, int x, int y) override;
    void mouseMove(fw::ShiftState s, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;

private:
    // Points the model at the present text area and cell width.
    void SyncGeometry();
    void TextChanged();
    void InsertText(const std::wstring& s);
    void PlaceCaret();
    void CreateEditCaret();
    bool Focused();
    void DrawContents(fw::DibSection& bitmap);
    void DrawGlyph(HDC dc, fw::Rect cell);

    TkvPasswordText model_;
    fw::Color defaultColor_ = fw::clWindow;
    TkvPasswordKind passwordKind_ = pkRoundRect;
    bool hideSelection_ = true;
    bool mouseSelecting_ = false;
    bool mouseInside_ = false;
    bool hasCaret_ = false;
};
