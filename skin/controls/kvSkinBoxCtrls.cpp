#include "skin/controls/kvSkinBoxCtrls.h"

#include <algorithm>

#include "skin/controls/ClipboardText.h"
#include "skin/imaging/SkinCompose.h"

namespace {

// Locale-aware case conversion in place (the length of the text does not change).
void ConvertCaseInPlace(std::wstring& s, TkvEditCharCase c) {
    if (s.empty()) return;
    if (c == ecUpperCase) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    else if (c == ecLowerCase) CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
}

}  // namespace

TkvSkinPasswordEdit::TkvSkinPasswordEdit(fw::Component* owner) : TkvSkinCustomControl(owner) {
    skinDataName_ = "edit";
    setCursor(fw::crIBeam);
    setTabStop(true);
    setBounds(left(), top(), 121, 21);
    model_.ConvertCase = ConvertCaseInPlace;
}

bool TkvSkinPasswordEdit::Focused() { return handleAllocated() && GetFocus() == handle(); }

void TkvSkinPasswordEdit::SetText(std::wstring t) {
    const bool changed = model_.SetText(std::move(t));
    WipeString(t);
    invalidate();
    if (changed) TextChanged();
}

void TkvSkinPasswordEdit::setText(std::wstring t) {
    model_.SelDelta = 0;
    SetText(std::move(t));
}

void TkvSkinPasswordEdit::TextChanged() {
    if (enabled() && handleAllocated()) SetCaretIndex(model_.CaretIndex);  // clamp to the new length
    if (OnChange) OnChange(this);
}

void TkvSkinPasswordEdit::SetDefaultColor(fw::Color c) {
    defaultColor_ = c;
    if (DescriptionIndex == -1) invalidate();
}

void TkvSkinPasswordEdit::SetPasswordKind(TkvPasswordKind k) {
    passwordKind_ = k;
    invalidate();
}

void TkvSkinPasswordEdit::SetTextAlignment(TkvTextAlignment a) {
    model_.Alignment = a;
    invalidate();
}

void TkvSkinPasswordEdit::SetHideSelection(bool v) {
    hideSelection_ = v;
    invalidate();
}

void TkvSkinPasswordEdit::SetCharCase(TkvEditCharCase c) {
    if (c == model_.CharCase) return;
    model_.CharCase = c;
    if (c != ecNormal && !model_.Text().empty()) SetText(model_.Text());
}

void TkvSkinPasswordEdit::FetchSkinDescription() {
    TkvSkinCustomControl::FetchSkinDescription();
    const auto* d = DescriptionIndex != -1 ? SkinData()->ControlAs<TkvDataSkinEditControl>(DescriptionIndex) : nullptr;
    if (!d) return;
    SrcActiveRect = d->ActiveSkinRect.empty() ? SrcSkinRect : d->ActiveSkinRect;
    LeftPartWidth = SrcLeftTop.x;
    RightPartWidth = SrcSkinRect.width() - SrcRightTop.x;
    SkinFontColor = d->FontColor;
    SkinDisabledFontColor = d->DisabledFontColor;
    SkinActiveFontColor = d->ActiveFontColor;
}

void TkvSkinPasswordEdit::CalcSkinSize(int& width, int& height) {
    const int asked = height;
    TkvSkinCustomControl::CalcSkinSize(width, height);
    if (!UseSkinFont) height = asked;
}

void TkvSkinPasswordEdit::GetTextArea(fw::Rect& r) {
    if (DescriptionIndex == -1) {
        r = {2, 2, width() - 2, height() - 2};
        return;
    }
    RefreshCurrentPoints();
    r = CurClientRect;
    r.left += 2;
    if (!UseSkinFont) r.bottom += height() - SrcSkinRect.height();
}

int TkvSkinPasswordEdit::GlyphCellWidth() {
    fw::Rect r;
    GetTextArea(r);
    return std::max(1, r.height() / 2 + 3);
}

void TkvSkinPasswordEdit::SyncGeometry() {
    fw::Rect r;
    GetTextArea(r);
    model_.AreaLeft = r.left;
    model_.AreaWidth = r.width();
    model_.CellWidth = std::max(1, r.height() / 2 + 3);
}

void TkvSkinPasswordEdit::GetSelectionRect(fw::Rect& r) {
    SyncGeometry();
    fw::Rect area;
    GetTextArea(area);
    const int start = model_.SelectionStart();
    r = fw::Rect{model_.CharX(start), area.top, model_.CharX(start + model_.SelectionLength()), area.bottom}.intersect(
        area);
}

void TkvSkinPasswordEdit::PlaceCaret() {
    if (!hasCaret_ || !Focused()) return;
    fw::Rect area;
    GetTextArea(area);
    SetCaretPos(model_.CharX(model_.CaretIndex), area.top);
}

void TkvSkinPasswordEdit::SetCaretIndex(int a) {
    SyncGeometry();
    model_.SetCaretIndex(a);
    PlaceCaret();
    invalidate();
}

void TkvSkinPasswordEdit::SelectAllText() {
    SyncGeometry();
    model_.SelectAll();
    PlaceCaret();
    invalidate();
}

void TkvSkinPasswordEdit::InsertText(const std::wstring& s) {
    SyncGeometry();
    const bool changed = model_.InsertText(s);
    invalidate();
    if (changed) TextChanged();
    PlaceCaret();
}

void TkvSkinPasswordEdit::PasteClipboardText() {
    if (model_.ReadOnly || !handleAllocated()) return;
    std::wstring s = ClipboardLine(handle());
    if (!s.empty()) InsertText(s);
    WipeString(s);
}

bool TkvSkinPasswordEdit::wantsKey(WPARAM key) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

void TkvSkinPasswordEdit::keyDown(WPARAM& key, fw::ShiftState s) {
    TkvSkinCustomControl::keyDown(key, s);
    if (key == 0) return;  // taken by the key event
    const bool onlyCtrl = s.ctrl && !s.shift && !s.alt;
    const bool onlyShift = s.shift && !s.ctrl && !s.alt;
    bool changed = false;
    SyncGeometry();
    switch (key) {
        case VK_BACK: changed = model_.Key(PasswordKey::Backspace, false, false); break;
        case VK_DELETE: changed = model_.Key(PasswordKey::Delete, false, false); break;
        case VK_HOME: model_.Key(PasswordKey::Home, s.shift, s.ctrl); break;
        case VK_END: model_.Key(PasswordKey::End, s.shift, s.ctrl); break;
        case VK_LEFT: model_.Key(PasswordKey::Left, s.shift, s.ctrl); break;
        case VK_RIGHT: model_.Key(PasswordKey::Right, s.shift, s.ctrl); break;
        case VK_INSERT:
            if (onlyShift) PasteClipboardText();
            break;
        case 'V':
            if (onlyCtrl) PasteClipboardText();
            break;
        default: return;  // Ctrl+C and Ctrl+X among them: the password is never copied
    }
    invalidate();
    if (changed) TextChanged();
    PlaceCaret();
}

void TkvSkinPasswordEdit::keyPress(wchar_t& ch) {
    TkvSkinCustomControl::keyPress(ch);
    // Control characters are not text; Ctrl+Backspace arrives as DEL (127), which would be an invisible character.
    if (ch >= 32 && ch != 127 && !model_.ReadOnly) InsertText(std::wstring(1, ch));
}

void TkvSkinPasswordEdit::mouseDown(fw::MouseButton b, fw::ShiftState s, int x, int y) {
    TkvSkinCustomControl::mouseDown(b, s, x, y);
    if (b != fw::MouseButton::Left) return;
    mouseSelecting_ = true;
    if (handleAllocated()) {
        if (!Focused()) setFocus();
        SetCapture(handle());  // a drag past the edges keeps selecting and scrolling
    }
    SyncGeometry();
    model_.SetCaretIndex(model_.CharIndexAt(x));
    model_.SelDelta = 0;
    PlaceCaret();
    invalidate();
}

void TkvSkinPasswordEdit::mouseMove(fw::ShiftState s, int x, int y) {
    TkvSkinCustomControl::mouseMove(s, x, y);
    if (!mouseSelecting_) return;
    SyncGeometry();
    fw::Rect area;
    GetTextArea(area);
    const int i = model_.CharIndexAt(x);
    const int old = model_.CaretIndex;
    model_.SetCaretIndex(x > area.right ? i + 1 : i);  // past the right edge each move scrolls one further
    model_.SelAnchor = model_.CaretIndex;
    model_.SelDelta += old - model_.CaretIndex;
    PlaceCaret();
    invalidate();
}

void TkvSkinPasswordEdit::mouseUp(fw::MouseButton b, fw::ShiftState s, int x, int y) {
    TkvSkinCustomControl::mouseUp(b, s, x, y);
    mouseSelecting_ = false;
    if (handleAllocated() && GetCapture() == handle()) ReleaseCapture();
}

void TkvSkinPasswordEdit::mouseEnter() {
    TkvSkinCustomControl::mouseEnter();
    mouseInside_ = true;
    if (!Focused()) invalidate();
}

void TkvSkinPasswordEdit::mouseLeave() {
    TkvSkinCustomControl::mouseLeave();
    mouseInside_ = false;
    if (!Focused()) invalidate();
}

void TkvSkinPasswordEdit::CreateEditCaret() {
    FetchSkinDescription();
    int h = height() - 4;
    if (DescriptionIndex != -1) {
        RefreshCurrentPoints();
        h = CurClientRect.height() + (UseSkinFont ? 0 : height() - SrcSkinRect.height());
    }
    hasCaret_ = CreateCaret(handle(), nullptr, 0, h) != FALSE;
    PlaceCaret();
    if (hasCaret_) ShowCaret(handle());
}

void TkvSkinPasswordEdit::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_GETDLGCODE: m.result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
        case WM_GETTEXT:  // nothing of the password goes to whoever asks for the window's text
            if (m.wParam > 0 && m.lParam) reinterpret_cast<wchar_t*>(m.lParam)[0] = 0;
            m.result = 0;
            return;
        case WM_GETTEXTLENGTH: m.result = 0; return;
        case WM_SETFOCUS:
            TkvSkinCustomControl::wndProc(m);
            CreateEditCaret();
            SetCaretIndex(0);
            if (AutoSelect) SelectAllText();
            return;
        case WM_KILLFOCUS:
            TkvSkinCustomControl::wndProc(m);
            if (hasCaret_) DestroyCaret();
            hasCaret_ = false;
            invalidate();
            return;
        case WM_LBUTTONDBLCLK: {
            TkvSkinCustomControl::wndProc(m);
            mouseSelecting_ = false;
            SyncGeometry();
            model_.SetSelAnchor(model_.PrevWordPos(model_.CaretIndex));
            const int start = model_.SelectionStart();
            model_.SelDelta = model_.NextWordPos(start) - start;
            model_.SetCaretIndex(model_.SelectionStart() + model_.SelectionLength());
            PlaceCaret();
            invalidate();
            return;
        }
        case WM_ENABLE:
            TkvSkinCustomControl::wndProc(m);
            invalidate();
            return;
        case fw::CM_FONTCHANGED:  // the caret is made for the text area of the present font and size
            TkvSkinCustomControl::wndProc(m);
            if (hasCaret_ && Focused()) {
                DestroyCaret();
                hasCaret_ = false;
                CreateEditCaret();
            }
            return;
        default: TkvSkinCustomControl::wndProc(m);
    }
}

void TkvSkinPasswordEdit::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    const fw::Rect all = bitmap.rect();
    c.setBrushColor(defaultColor_);
    c.fillRect(all);
    c.setBrushColor(fw::clBtnShadow);
    c.frameRect(all);
    c.setBrushColor(fw::clBtnFace);
    c.frameRect({1, 1, all.right - 1, all.bottom - 1});
    DrawContents(bitmap);
}

void TkvSkinPasswordEdit::DrawSkinImage(fw::DibSection& bitmap) {
    const bool hot = mouseInside_ || Focused();
    if (!SkinPicture) {
        DrawDefaultImage(bitmap);
        return;
    }
    const fw::Rect source = hot && !SrcActiveRect.empty() ? SrcActiveRect : SrcSkinRect;
    fw::Bitmap strip = ComposeWidthOnly(SkinPicture->view(), source, LeftPartWidth, RightPartWidth, bitmap.width(),
                                        StretchClient);
    if (strip.empty()) return;
    if (strip.height() == bitmap.height()) {
        bitmap.assign(strip.view());
    } else {  // a height of the form's own (no skin font): the strip stretched over the control
        fw::DibSection s;
        s.assign(strip.view());
        SetStretchBltMode(bitmap.dc(), COLORONCOLOR);
        StretchBlt(bitmap.dc(), 0, 0, bitmap.width(), bitmap.height(), s.dc(), 0, 0, s.width(), s.height(), SRCCOPY);
    }
    DrawContents(bitmap);
}

void TkvSkinPasswordEdit::DrawGlyph(HDC dc, fw::Rect cell) {
    const int cw = cell.width(), ch = cell.height();
    const int dy = (cw - ch) / 2 - 2;
    const fw::Rect g{cell.left + 2, cell.top - dy, cell.right - 2, cell.bottom + dy};
    switch (passwordKind_) {
        case pkRoundRect: {
            const int e = g.width() / 2;
            RoundRect(dc, g.left, g.top, g.right, g.bottom, e, e);
            break;
        }
        case pkRect: Rectangle(dc, g.left, g.top, g.right, g.bottom); break;
        case pkTriangle: {
            const int w = g.width();
            const int side = w % 2 == 0 ? w + 1 : w;
            const int left = cell.left + (cw - side) / 2, top = cell.top + (ch - side) / 2;
            const POINT pts[3] = {{left + side / 2 + 1, top}, {left + side, top + side}, {left, top + side}};
            Polygon(dc, pts, 3);
            break;
        }
    }
}

void TkvSkinPasswordEdit::DrawContents(fw::DibSection& bitmap) {
    SyncGeometry();
    fw::Rect area;
    GetTextArea(area);
    const bool showSelection = Focused() || !hideSelection_;
    fw::Rect sel;
    GetSelectionRect(sel);
    HDC dc = bitmap.dc();
    if (showSelection && !sel.empty()) {
        fw::Canvas& c = bitmap.canvas();
        c.setBrushColor(fw::clHighlight);
        c.fillRect(sel);
    }
    fw::Color color;
    if (!enabled()) color = DescriptionIndex == -1 ? fw::clGrayText : SkinDisabledFontColor;
    else if (DescriptionIndex == -1) color = DefaultFont().color();
    else color = mouseInside_ || Focused() ? SkinActiveFontColor : SkinFontColor;

    const int cw = model_.CellWidth;
    auto drawRun = [&](fw::Color c, int x0, int count, int rightLimit) {
        fw::Brush brush(CreateSolidBrush(fw::resolveColor(c)));
        fw::Pen pen(CreatePen(PS_SOLID, 1, fw::resolveColor(c)));
        fw::SelectGuard b(dc, brush.get()), p(dc, pen.get());
        for (int k = 0; k < count; ++k) {
            const fw::Rect cell{x0 + k * cw, area.top, x0 + (k + 1) * cw, area.bottom};
            if (cell.right > rightLimit) break;
            DrawGlyph(dc, cell);
        }
    };
    const int visible = model_.Length() - model_.FirstVisibleChar + 1;
    if (visible > 0) drawRun(color, model_.CharX(0), visible, area.right);
    if (showSelection && model_.SelectionLength() > 0 && enabled()) {
        const int start = model_.SelectionStart();
        int count = model_.SelectionLength();
        if (start + 1 < model_.FirstVisibleChar) count -= model_.FirstVisibleChar - 1 - start;
        if (count > 0) drawRun(fw::clHighlightText, sel.left, count, sel.right);
    }
}
