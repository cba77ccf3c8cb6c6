#include "framework/StdControls.h"

namespace fw {

// ---- Panel

Panel::Panel(Component* owner) : CustomControl(owner) { setBounds(0, 0, 185, 41); }

void Panel::setBevelOuter(BevelStyle b) {
    bevelOuter_ = b;
    invalidate();
}

void Panel::setShowCaption(bool v) {
    showCaption_ = v;
    invalidate();
}

void Panel::paint(Canvas& canvas) {
    Rect r = clientRect();
    canvas.setBrushColor(color());
    canvas.fillRect(r);
    if (bevelOuter_ != BevelStyle::None) {
        RECT rc = toRECT(r);
        DrawEdge(canvas.handle(), &rc, bevelOuter_ == BevelStyle::Raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER, BF_RECT);
        r = r.inflate(-1, -1);
    }
    if (showCaption_ && !caption_.empty()) {
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.drawText(caption_, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.setBrushStyle(BrushStyle::Solid);
    }
}

// ---- Label

Label::Label(Component* owner) : Control(owner) {
    setParentColor(true);
    setBounds(0, 0, 65, 17);
}

void Label::setAlignment(Alignment a) {
    alignment_ = a;
    invalidate();
}
void Label::setTransparent(bool v) {
    transparent_ = v;
    invalidate();
}
void Label::setWordWrap(bool v) {
    wordWrap_ = v;
    adjustSize();
    invalidate();
}
void Label::setAutoSize(bool v) {
    autoSize_ = v;
    if (v) adjustSize();
}

void Label::adjustSize() {
    if (!autoSize_ || loading()) return;
    MemoryDC dc(nullptr);
    Canvas canvas(dc.get());
    canvas.setFont(font());
    Rect r{0, 0, wordWrap_ ? width() : 0, 0};
    drawLabelText(canvas, r, DT_CALCRECT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0));
    setBounds(left(), top(), r.width(), r.height());
}

void Label::drawLabelText(Canvas& canvas, Rect& r, UINT flags) {
    if (!enabled()) canvas.font().setColor(clGrayText);
    canvas.drawText((flags & DT_CALCRECT) && caption_.empty() ? L" " : caption_, r, flags);
}

void Label::paint(Canvas& canvas) {
    Rect r = clientRect();
    if (!transparent_) {
        canvas.setBrushColor(color());
        canvas.fillRect(r);
    }
    canvas.setBrushStyle(BrushStyle::Clear);
    UINT flags = alignment_ == Alignment::Center         ? DT_CENTER
                 : alignment_ == Alignment::RightJustify ? DT_RIGHT
                                                         : DT_LEFT;
    if (wordWrap_) flags |= DT_WORDBREAK;  // line breaks in the caption always start new lines
    drawLabelText(canvas, r, flags | DT_NOPREFIX);
}

void Label::wndProc(Message& m) {
    if ((m.msg == CM_TEXTCHANGED || m.msg == CM_FONTCHANGED) && autoSize_) adjustSize();
    Control::wndProc(m);
}

// ---- Edit

Edit::Edit(Component* owner) : WindowedControl(owner) {
    setTabStop(true);
    setColor(clWindow);
    setBounds(0, 0, 121, 21);
}

void Edit::createParams(CreateParams& p) {
    WindowedControl::createParams(p);
    p.className = L"EDIT";
    p.platformClass = true;
    p.style |= WS_TABSTOP | ES_AUTOHSCROLL;
    if (readOnly_) p.style |= ES_READONLY;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void Edit::windowCreated() {
    if (passwordChar_) SendMessageW(handle(), EM_SETPASSWORDCHAR, passwordChar_, 0);
    if (maxLength_) SendMessageW(handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void Edit::windowDestroying() { caption_ = text(); }

void Edit::setPasswordChar(wchar_t c) {
    passwordChar_ = c;
    if (handleAllocated()) {
        SendMessageW(handle(), EM_SETPASSWORDCHAR, c, 0);
        InvalidateRect(handle(), nullptr, TRUE);
    }
}

void Edit::setReadOnly(bool v) {
    readOnly_ = v;
    if (handleAllocated()) SendMessageW(handle(), EM_SETREADONLY, v, 0);
}

void Edit::setMaxLength(int n) {
    maxLength_ = n;
    if (handleAllocated()) SendMessageW(handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(n), 0);
}

void Edit::selectAll() {
    if (handleAllocated()) SendMessageW(handle(), EM_SETSEL, 0, -1);
}

void Edit::wndProc(Message& m) {
    if (m.msg == CN_COMMAND && HIWORD(m.wParam) == EN_CHANGE) {
        if (onChange) onChange(this);
        return;
    }
    if (m.msg == CN_CTLCOLOREDIT || m.msg == CN_CTLCOLORSTATIC) {
        // The platform asks for the brush to paint the edit's background with.
        HDC dc = DCView::fromWParam(m.wParam).get();
        SetTextColor(dc, resolveColor(font().color()));
        SetBkColor(dc, resolveColor(color()));
        SetDCBrushColor(dc, resolveColor(color()));
        m.result = reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        return;
    }
    WindowedControl::wndProc(m);
}

// ---- Button

Button::Button(Component* owner) : WindowedControl(owner) {
    setTabStop(true);
    setBounds(0, 0, 75, 25);
}

void Button::createParams(CreateParams& p) {
    WindowedControl::createParams(p);
    p.className = L"BUTTON";
    p.platformClass = true;
    p.style |= WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void Button::setDefault(bool v) {
    default_ = v;
    if (handleAllocated()) SendMessageW(handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::click() {
    if (Form* f = parentForm(); f && modalResult_ != mrNone) f->setModalResult(modalResult_);
    WindowedControl::click();
}

bool Button::dialogKey(WPARAM key, bool isFocused) {
    if ((key == VK_RETURN && (default_ || isFocused)) || (key == VK_ESCAPE && cancel_)) {
        click();
        return true;
    }
    return false;
}

void Button::wndProc(Message& m) {
    if (m.msg == CN_COMMAND && HIWORD(m.wParam) == BN_CLICKED) {
        click();
        return;
    }
    WindowedControl::wndProc(m);
}

// ---- Image

Image::Image(Component* owner) : Control(owner) {
    setBounds(0, 0, 105, 105);
    picture_.onChange = [this] { invalidate(); };
}

void Image::setStretch(bool v) {
    stretch_ = v;
    invalidate();
}
void Image::setCenter(bool v) {
    center_ = v;
    invalidate();
}

void Image::paint(Canvas& canvas) {
    if (picture_.empty()) return;
    Rect dst = Rect::fromSize(0, 0, picture_.width(), picture_.height());
    if (stretch_) {
        dst = clientRect();
    } else if (center_) {
        dst = dst.offset((width() - dst.width()) / 2, (height() - dst.height()) / 2);
    }
    picture_.draw(canvas, dst);
}

}  // namespace fw
