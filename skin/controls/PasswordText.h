// The text model of the password field, without a window: the password, the caret, the selection and the
// horizontal scroll, with the editing rules of typing, Backspace, Delete, the arrow keys and word jumps. It never
// copies the password anywhere but its own buffer, and overwrites every buffer that held it before letting it go.
#pragma once

#include <functional>
#include <string>

enum TkvEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TkvTextAlignment { taLeftJustify, taRightJustify, taCenter };

// Overwrites a string's characters before it is emptied, so that the heap does not keep a password.
void WipeString(std::wstring& s);

enum class PasswordKey { Backspace, Delete, Home, End, Left, Right };

class TkvPasswordText {
public:
    TkvPasswordText() = default;
    ~TkvPasswordText() { WipeString(text_); }
    TkvPasswordText(const TkvPasswordText&) = delete;
    TkvPasswordText& operator=(const TkvPasswordText&) = delete;

    const std::wstring& Text() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }
    // Stores the text (case converted by CharCase); true when it differs from the old text. The old buffer is wiped.
    bool SetText(std::wstring t);

    int CaretIndex = 0;
    int SelAnchor = 0;
    int SelDelta = 0;
    int FirstVisibleChar = 1;  // 1-based: the first character shown
    int MaxLength = 0;         // 0: no limit
    bool ReadOnly = false;
    TkvEditCharCase CharCase = ecNormal;
    // Converts a text in place to upper or lower case; the window side gives the locale-aware conversion.
    std::function<void(std::wstring&, TkvEditCharCase)> ConvertCase;

    // Where the glyph row lies: left edge and width of the text area, the glyph cell width and the alignment.
    int AreaLeft = 0;
    int AreaWidth = 0;
    int CellWidth = 1;
    TkvTextAlignment Alignment = taLeftJustify;

    int SelectionStart() const;
    int SelectionLength() const { return SelDelta < 0 ? -SelDelta : SelDelta; }

    // The caret clamped to the text, scrolled into view; the anchor follows while nothing is selected.
    void SetCaretIndex(int a);
    void SetSelAnchor(int p);
    void SelectAll();
    // Replaces the selection by s; nothing when read-only or when the result would pass MaxLength (the selection
    // is dropped then). True when the text changed.
    bool InsertText(const std::wstring& s);
    bool RemoveSelection();
    // One editing or moving key; true when the text changed.
    bool Key(PasswordKey key, bool shift, bool ctrl);

    int PrevWordPos(int p) const;
    int NextWordPos(int p) const;
    // X of caret position i, and the position under x, in the control's coordinates.
    int CharX(int i) const;
    int CharIndexAt(int x) const;

private:
    int AlignShift() const;
    void ScrollToCaret();

    std::wstring text_;
};
