#include "skin/controls/PasswordText.h"

#include <algorithm>

void WipeString(std::wstring& s) {
    // The whole buffer, not only the present length: a shortened or moved-from string keeps old characters past
    // its end. Through a volatile pointer so that the stores are not dropped as dead before the release.
    s.resize(s.capacity());
    volatile wchar_t* p = s.data();
    for (size_t i = 0; i < s.size(); ++i) p[i] = 0;
    s.clear();
}

bool TkvPasswordText::SetText(std::wstring t) {
    if (!t.empty() && CharCase != ecNormal && ConvertCase) ConvertCase(t, CharCase);
    const bool changed = t != text_;
    WipeString(text_);
    text_.swap(t);
    return changed;
}

int TkvPasswordText::SelectionStart() const {
    if (SelDelta > 0) return SelAnchor;
    if (SelDelta < 0) return SelAnchor + SelDelta;
    return CaretIndex;
}

int TkvPasswordText::AlignShift() const {
    const int spare = AreaWidth - Length() * CellWidth;
    if (spare <= 0) return 0;
    if (Alignment == taRightJustify) return spare;
    if (Alignment == taCenter) return spare / 2;
    return 0;
}

int TkvPasswordText::CharX(int i) const {
    int x = AreaLeft;
    if (i > 0) x += CellWidth * (std::min(i, Length()) - FirstVisibleChar + 1);
    return x + AlignShift();
}

int TkvPasswordText::CharIndexAt(int x) const {
    if (text_.empty()) return FirstVisibleChar - 1;
    x -= AlignShift();
    const int i = FirstVisibleChar - 1 + (x - AreaLeft) / CellWidth;
    return std::clamp(i, 0, Length());
}

void TkvPasswordText::ScrollToCaret() {
    if (FirstVisibleChar < CaretIndex + 1) {
        while (AreaWidth < CellWidth * (CaretIndex - FirstVisibleChar + 1) && FirstVisibleChar < Length())
            ++FirstVisibleChar;
    } else {
        FirstVisibleChar = CaretIndex > 0 ? CaretIndex : 1;
    }
}

void TkvPasswordText::SetCaretIndex(int a) {
    CaretIndex = std::clamp(a, 0, Length());
    ScrollToCaret();
    if (SelDelta == 0) SelAnchor = a;
}

void TkvPasswordText::SetSelAnchor(int p) {
    if (p == SelAnchor) return;
    SelDelta = 0;
    SelAnchor = p;
    SetCaretIndex(p);
}

void TkvPasswordText::SelectAll() {
    SetCaretIndex(Length());
    SetSelAnchor(0);
    SelDelta = Length();
}

bool TkvPasswordText::InsertText(const std::wstring& s) {
    if (ReadOnly) return false;
    const int start = SelectionStart();
    std::wstring t;
    t.reserve(text_.size() + s.size());  // one buffer, so no partial copy is left behind by a regrowth
    t.append(text_, 0, start);
    t.append(s);
    t.append(text_, start + SelectionLength(), std::wstring::npos);
    if (MaxLength > 0 && static_cast<int>(t.size()) > MaxLength) {
        WipeString(t);
        SelDelta = 0;
        return false;
    }
    const bool changed = SetText(std::move(t));
    SetCaretIndex(start + static_cast<int>(s.size()));
    SelDelta = 0;
    return changed;
}

bool TkvPasswordText::RemoveSelection() {
    if (ReadOnly) return false;
    const int start = SelectionStart();
    std::wstring t;
    t.reserve(text_.size());
    t.append(text_, 0, start);
    t.append(text_, start + SelectionLength(), std::wstring::npos);
    const bool changed = SetText(std::move(t));
    SetCaretIndex(start);
    SelDelta = 0;
    return changed;
}

bool TkvPasswordText::Key(PasswordKey key, bool shift, bool ctrl) {
    if (key == PasswordKey::Backspace || key == PasswordKey::Delete) {
        if (ReadOnly) return false;
        if (SelectionLength() > 0) return RemoveSelection();
        const int at = key == PasswordKey::Backspace ? CaretIndex - 1 : CaretIndex;
        if (at < 0 || at >= Length()) return false;
        std::wstring t;
        t.reserve(text_.size());
        t.append(text_, 0, at);
        t.append(text_, at + 1, std::wstring::npos);
        const bool changed = SetText(std::move(t));
        SetCaretIndex(at);
        return changed;
    }
    const int old = CaretIndex;
    switch (key) {
        case PasswordKey::Home: SetCaretIndex(0); break;
        case PasswordKey::End: SetCaretIndex(Length()); break;
        case PasswordKey::Left: SetCaretIndex(ctrl ? PrevWordPos(CaretIndex) : CaretIndex - 1); break;
        default: SetCaretIndex(ctrl ? NextWordPos(CaretIndex) : CaretIndex + 1); break;
    }
    if (shift) {
        SelAnchor = CaretIndex;
        SelDelta += old - CaretIndex;
    } else {
        SelDelta = 0;
    }
    return false;
}

int TkvPasswordText::PrevWordPos(int p) const {
    p = std::clamp(p, 0, Length());
    bool word = false;
    while (p > 0) {
        const bool space = text_[p - 1] == L' ';
        if (space && word) break;
        if (!space) word = true;
        --p;
    }
    return p;
}

int TkvPasswordText::NextWordPos(int p) const {
    p = std::clamp(p, 0, Length());
    bool word = false, space = false;
    while (p + 2 <= Length()) {
        if (text_[p] != L' ') {
            if (space && word) break;
            space = false;
            word = true;
        } else {
            space = true;
        }
        ++p;
    }
    return space ? p : p + 1;
}
