#include "skin/controls/kvSkinEdit.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/Form.h"
#include "framework/Utf.h"
#include "skin/controls/ClipboardText.h"
#include "skin/controls/SkinControlFont.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/frame/kvSkinMenus.h"
#include "skin/imaging/SkinCompose.h"

namespace {

// The non-client hit codes of the browse button and of the frame around the text.
constexpr LRESULT kHitButton = 6;
constexpr LRESULT kHitFrame = 7;

// The one-pixel frame of a rectangle in a colour.
void frameIn(fw::Canvas& c, const fw::Rect& r, fw::Color color) {
    c.setBrushColor(color);
    c.frameRect(r);
}

// Copies a strip composed for another height onto the whole of `target`, stretched when the heights differ.
void putStrip(fw::DibSection& target, const fw::Bitmap& strip) {
    if (strip.empty()) return;
    if (strip.height() == target.height() && strip.width() == target.width()) {
        target.assign(strip.view());
        return;
    }
    fw::stretchPixels(target.dc(), target.rect(), strip.view(), fw::Rect{0, 0, strip.width(), strip.height()});
}

}  // namespace

// ---- TkvCustomEdit -----------------------------------------------------------------------------------------

TkvCustomEdit::TkvCustomEdit(fw::Component* owner) : fw::Edit(owner) {}

TkvCustomEdit::~TkvCustomEdit() = default;

void TkvCustomEdit::SetAlignment(TkvTextAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    recreateWindow();
}

void TkvCustomEdit::createParams(CreateParams& p) {
    fw::Edit::createParams(p);
    p.exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    p.style &= ~static_cast<DWORD>(WS_BORDER);
    // A multi-line edit keeps its alignment and formatting rectangle; a password edit stays one-line.
    if (passwordChar() == 0) p.style |= ES_MULTILINE;
    p.style |= alignment_ == taRightJustify ? ES_RIGHT : alignment_ == taCenter ? ES_CENTER : ES_LEFT;
}

bool TkvCustomEdit::ReadOnlyBlocks(const fw::Message& m) const {
    if (!readOnly()) return false;
    switch (m.msg) {
        case WM_CHAR:  // typed text, Backspace and the editing control characters; copying stays
            return m.wParam != 3;
        case WM_KEYDOWN: return m.wParam == VK_DELETE || (m.wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0);
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO: return true;
        default: return false;
    }
}

void TkvCustomEdit::PasteFirstLine() {
    if (!handleAllocated()) return;
    const std::wstring line = ClipboardLine(handle());
    if (!line.empty()) SendMessageW(handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
}

std::wstring TkvCustomEdit::MenuCaption(const char* key, const wchar_t* builtIn) {
    const TkvResourceStrData* strings = nullptr;
    if (fw::Form* form = parentForm()) {
        for (fw::Component* c : form->components())
            if (auto* frame = dynamic_cast<TkvKelvaneForm*>(c); frame && frame->SkinData()) {
                strings = frame->SkinData()->ResourceStrData();
                break;
            }
    }
    const std::string text = strings ? strings->GetResourceStr(key) : std::string();
    return text.empty() ? std::wstring(builtIn) : fw::utf8ToWide(text);
}

TkvSkinPopupMenu& TkvCustomEdit::BuildEditContextMenu() {
    editContextMenu_ = std::make_unique<TkvSkinPopupMenu>();
    TkvSkinPopupMenu& menu = *editContextMenu_;
    menu.SetComponentForm(parentForm());
    const HWND h = handle();
    DWORD start = 0, end = 0;
    SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const TkvEditMenuState state = EditMenuState(SendMessageW(h, EM_CANUNDO, 0, 0) != 0, static_cast<int>(start),
                                                 static_cast<int>(end), GetWindowTextLengthW(h), readOnly(),
                                                 ClipboardHasText());
    fw::MenuItem& items = menu.items();
    auto add = [&](const char* key, const wchar_t* builtIn, bool enabled, UINT msg, WPARAM w, LPARAM l) {
        fw::MenuItem& item = items.add(MenuCaption(key, builtIn), key);
        item.enabled = enabled;
        item.onClick = [this, msg, w, l](fw::MenuItem&) {
            if (handleAllocated()) SendMessageW(handle(), msg, w, l);
        };
    };
    add("EDIT_UNDO", L"Undo", state.Undo, WM_UNDO, 0, 0);
    items.add(L"-");
    add("EDIT_CUT", L"Cut", state.Cut, WM_CUT, 0, 0);
    add("EDIT_COPY", L"Copy", state.Copy, WM_COPY, 0, 0);
    add("EDIT_PASTE", L"Paste", state.Paste, WM_PASTE, 0, 0);
    add("EDIT_DELETE", L"Delete", state.Delete, WM_CLEAR, 0, 0);
    items.add(L"-");
    add("EDIT_SELECTALL", L"Select All", state.SelectAll, EM_SETSEL, 0, -1);
    return menu;
}

void TkvCustomEdit::ShowEditContextMenu(LPARAM screenPoint) {
    int x = GET_X_LPARAM(screenPoint), y = GET_Y_LPARAM(screenPoint);
    if (x < 0 || y < 0) {  // from the keyboard: at the centre of the edit
        RECT r{};
        GetWindowRect(handle(), &r);
        x = (r.left + r.right) / 2;
        y = (r.top + r.bottom) / 2;
    }
    if (GetFocus() != handle()) setFocus();
    BuildEditContextMenu().PopupAt(x, y);
}

void TkvCustomEdit::wndProc(fw::Message& m) {
    if (ReadOnlyBlocks(m)) {
        m.result = 0;
        return;
    }
    switch (m.msg) {
        case WM_KEYDOWN:
            if (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE) {
                // Never the platform's: Enter would break the line. The form gives it to its default or cancel
                // button.
                WPARAM key = m.wParam;
                keyDown(key, fw::shiftState());
                if (fw::Form* form = parentForm(); form && key != 0) form->dialogNavigation(this, key);
                m.result = 0;
                return;
            }
            break;
        case WM_CHAR:
            if (m.wParam == L'\r' || m.wParam == L'\n' || m.wParam == 27 || m.wParam == L'\t') {
                wchar_t ch = static_cast<wchar_t>(m.wParam);
                keyPress(ch);  // the key-press event sees it; the one-line text never holds it
                m.result = 0;
                return;
            }
            break;
        case WM_PASTE:  // one line only: the multi-line platform edit would take the line breaks too
            PasteFirstLine();
            m.result = 0;
            return;
        case WM_SETFOCUS:
            fw::Edit::wndProc(m);
            if (AutoSelect) selectAll();
            return;
        case WM_CONTEXTMENU:
            ShowEditContextMenu(m.lParam);
            m.result = 0;
            return;
        case fw::CN_CTLCOLOREDIT:
        case fw::CN_CTLCOLORSTATIC:
            if (DrawTextTransparent) {
                HDC dc = fw::DCView::fromWParam(m.wParam).get();
                SetBkMode(dc, TRANSPARENT);
                SetTextColor(dc, fw::resolveColor(TextColor()));
                m.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
                return;
            }
            break;
        default: break;
    }
    fw::Edit::wndProc(m);
}

// ---- TkvSkinCustomEdit -------------------------------------------------------------------------------------

TkvSkinCustomEdit::TkvSkinCustomEdit(fw::Component* owner)
    : TkvCustomEdit(owner), defaultFont_(L"Arial", 14, {}, DEFAULT_CHARSET, fw::clBlack) {
    DrawTextTransparent = true;
    setParentFont(false);
    font().assign(defaultFont_);
    setBounds(left(), top(), width(), 20);
    defaultFont_.onChange = [this] {
        if (DescriptionIndex == -1 || !useSkinFont_) ApplyFont();
    };
}

TkvSkinCustomEdit::~TkvSkinCustomEdit() = default;

bool TkvSkinCustomEdit::Focused() const { return focused(); }

void TkvSkinCustomEdit::SetSkinData(TkvSkinData* data) {
    skinData_.Set(data);
    if (!skinData_) return;
    if (!skinData_->Empty() && !skinData_->Designing()) ChangeSkinData();
}

void TkvSkinCustomEdit::SetSkinDataName(const std::string& name) {
    skinDataName_ = name;
    if (SkinReady()) ChangeSkinData();
}

void TkvSkinCustomEdit::SetButtonMode(bool v) {
    if (v == buttonMode_) return;
    buttonMode_ = v;
    FrameChanged();
}

void TkvSkinCustomEdit::SetDefaultColor(fw::Color c) {
    defaultColor_ = c;
    if (DescriptionIndex == -1) {
        RepaintFrame();
        invalidate();
    }
}

void TkvSkinCustomEdit::SetUseSkinFont(bool v) {
    useSkinFont_ = v;
    if (SkinReady()) ChangeSkinData();
}

void TkvSkinCustomEdit::SetDefaultWidth(int w) {
    defaultWidth_ = w;
    if (DescriptionIndex == -1 && w > 0) setWidth(w);
}

void TkvSkinCustomEdit::SetDefaultHeight(int h) {
    defaultHeight_ = h;
    if (DescriptionIndex == -1 && h > 0 && useSkinFont_) setHeight(h);
    else setHeight(FontFittedHeight());
}

void TkvSkinCustomEdit::FetchSkinDescription() {
    DescriptionIndex = -1;
    skinPicture_ = nullptr;
    if (!SkinReady()) return;
    const int index = skinData_->GetControlIndex(skinDataName_);
    if (index < 0) return;
    // A description of another class, or one without a picture, leaves the default look.
    skinPicture_ = FetchEditLook(look_, *skinData_, index);
    if (skinPicture_) DescriptionIndex = index;
}

fw::Rect TkvSkinCustomEdit::EditArea() const {
    return EditAreaOf(Look(), buttonMode_, useSkinFont_, width(), height());
}

fw::Rect TkvSkinCustomEdit::ButtonArea() const { return EditButtonAreaOf(Look(), useSkinFont_, width(), height()); }

int TkvSkinCustomEdit::FontFittedHeight() {
    fw::WindowDC screen(nullptr);
    fw::SelectGuard select(screen.get(), font().handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.get(), &tm);
    return EditFontFittedHeight(tm.tmHeight, Look());
}

void TkvSkinCustomEdit::ApplyFont() {
    const TkvSkinEditLook* look = Look();
    const bool skinFont = look && useSkinFont_;
    fw::Font f = SkinControlFont(skinFont, skinFont ? &look->SkinFontName : nullptr, look ? look->SkinFontHeight : 0,
                                 look ? look->SkinFontStyle : TkvFontStyles{}, defaultFont_, skinData_);
    font().assign(f);
}

void TkvSkinCustomEdit::ChangeSkinData() {
    FetchSkinDescription();
    ApplyFont();
    const TkvSkinEditLook* look = Look();
    if (!look) {
        if (defaultWidth_ > 0) setWidth(defaultWidth_);
        if (defaultHeight_ > 0) setHeight(defaultHeight_);
    } else if (useSkinFont_) {
        setHeight(look->SrcSkinRect.height());
    }
    if (!useSkinFont_) setHeight(FontFittedHeight());
    FrameChanged();
}

void TkvSkinCustomEdit::loaded() {
    TkvCustomEdit::loaded();
    if (!SkinReady()) ApplyFont();  // the character set of the resource strings, if any
}

void TkvSkinCustomEdit::FrameChanged() {
    if (!handleAllocated()) return;
    // New non-client metrics: the platform asks for them again.
    SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RepaintFrame();
    invalidate();
}

void TkvSkinCustomEdit::setControlBounds(int x, int y, int w, int h) {
    FetchSkinDescription();
    if ((w != width() || h != height()) && !(DescriptionIndex == -1 && useSkinFont_))
        h = EditHeightFor(Look(), useSkinFont_, h, FontFittedHeight());
    TkvCustomEdit::setControlBounds(x, y, w, h);
    if (handleAllocated()) {
        invalidate();
        RepaintFrame();
    }
}

fw::Color TkvSkinCustomEdit::TextColor() const {
    const TkvSkinEditLook* look = Look();
    if (!look) return defaultFont_.color();
    return Focused() || MouseInside ? look->SkinActiveFontColor : look->SkinFontColor;
}

void TkvSkinCustomEdit::ButtonClick() {
    if (OnButtonClick) OnButtonClick(this);
}

void TkvSkinCustomEdit::DrawFrame(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    const int W = bitmap.width(), H = bitmap.height();
    const TkvSkinEditLook* look = Look();
    if (!look) {
        const fw::Rect button = ButtonArea();
        const fw::Rect field{0, 0, buttonMode_ ? button.left : W, H};
        c.setBrushColor(defaultColor_);
        c.fillRect(field);
        frameIn(c, field, fw::clBtnShadow);
        frameIn(c, {1, 1, field.right - 1, H - 1}, fw::clBtnFace);
        if (!buttonMode_) return;
        const bool hot = ButtonHot && enabled();
        fw::Color fill = fw::clBtnFace, edge = fw::clBtnShadow;
        if (ButtonPressed && hot) fill = 0xB59385, edge = fw::clNavy;
        else if (hot) fill = 0xD2BDB6, edge = fw::clNavy;
        c.setBrushColor(fill);
        c.fillRect(button);
        frameIn(c, button, edge);
        return;
    }
    const fw::Rect source = Focused() || MouseInside ? look->SrcActiveRect : look->SrcSkinRect;
    putStrip(bitmap, ComposeWidthOnly(skinPicture_->view(), source, look->LeftPartWidth, look->RightPartWidth, W,
                                      look->StretchClient));
    if (!buttonMode_) return;
    const fw::Rect state = EditButtonSource(*look, enabled(), ButtonPressed, ButtonHot);
    if (state.empty()) return;
    const fw::Rect at = ButtonArea();
    fw::drawPixels(bitmap.dc(), at.left, at.top, skinPicture_->view(),
                   state.intersect(fw::Rect{0, 0, skinPicture_->width(), skinPicture_->height()}));
}

void TkvSkinCustomEdit::RepaintFrame() {
    if (!handleAllocated() || width() <= 0 || height() <= 0) return;
    const HWND h = handle();
    fw::DibSection& bitmap = frameBuffer_;
    bitmap.resize(width(), height());
    DrawFrame(bitmap);
    fw::WindowDC dc(h, fw::WindowDC::Area::WholeWindow);
    if (!dc.get()) return;
    const fw::Rect area = EditArea();
    ExcludeClipRect(dc.get(), area.left, area.top, area.right, area.bottom);
    bitmap.drawTo(dc.get(), 0, 0);
}

void TkvSkinCustomEdit::DrawClientBackground(fw::DibSection& bitmap) {
    const TkvSkinEditLook* look = Look();
    if (!look) {
        fw::Canvas& c = bitmap.canvas();
        c.setBrushColor(defaultColor_);
        c.fillRect(bitmap.rect());
        return;
    }
    const fw::Rect state = Focused() || MouseInside ? look->SrcActiveRect : look->SrcSkinRect;
    const fw::Rect& cr = look->SrcClientRect;
    const fw::Rect source = cr.offset(state.left, state.top);
    const int skinW = look->SrcSkinRect.width();
    const int left = std::max(0, look->LeftPartWidth - cr.left);
    const int right = std::max(0, cr.right + look->RightPartWidth - skinW);
    putStrip(bitmap, ComposeWidthOnly(skinPicture_->view(), source, left, right, bitmap.width(), look->StretchClient));
}

void TkvSkinCustomEdit::DrawDisabledText(fw::DibSection& bitmap) {
    const TkvSkinEditLook* look = Look();
    const fw::Color color = look ? look->SkinDisabledFontColor : fw::clGrayText;
    const std::wstring t = text();
    HDC dc = bitmap.dc();
    fw::SelectGuard select(dc, font().handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fw::resolveColor(color));
    SIZE size{};
    GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &size);
    const int w = bitmap.width();
    int x = 2;
    if (Alignment() == taRightJustify) x = w - size.cx - 1;
    else if (Alignment() == taCenter) x = w / 2 - size.cx / 2;
    const RECT clip{0, 0, w, bitmap.height()};
    ExtTextOutW(dc, x, 0, ETO_CLIPPED, &clip, t.c_str(), static_cast<UINT>(t.size()), nullptr);
}

void TkvSkinCustomEdit::PaintClient() {
    fw::PaintDC dc(handle());
    const fw::Rect client = clientRect();
    if (client.empty()) return;
    // One off-screen image: the skin's client part, then the platform's text over it, copied in one piece.
    fw::DibSection& bitmap = clientBuffer_;
    bitmap.resize(client.width(), client.height());
    DrawClientBackground(bitmap);
    if (enabled()) {
        fw::Message paint{WM_PAINT, reinterpret_cast<WPARAM>(bitmap.dc()), 0, 0};
        defaultHandler(paint);
    } else {
        DrawDisabledText(bitmap);
    }
    bitmap.drawTo(dc.get(), 0, 0);
}

fw::Point TkvSkinCustomEdit::ToWindow(fw::Point screen) {
    RECT r{};
    GetWindowRect(handle(), &r);
    return {screen.x - r.left, screen.y - r.top};
}

void TkvSkinCustomEdit::SetButtonHot(bool hot) {
    if (hot == ButtonHot) return;
    ButtonHot = hot;
    RepaintFrame();
}

void TkvSkinCustomEdit::CheckMouseInside() {
    POINT p{};
    GetCursorPos(&p);
    RECT r{};
    GetWindowRect(handle(), &r);
    const bool inside = PtInRect(&r, p) && WindowFromPoint(p) == handle();
    if (inside == MouseInside) return;
    MouseInside = inside;
    if (!inside) {
        ButtonHot = false;
        if (GetCapture() != handle()) ButtonPressed = false;
    }
    if (inside && OnMouseEnter) OnMouseEnter(this);
    if (!inside && OnMouseLeave) OnMouseLeave(this);
    RepaintFrame();  // the active image and text colour follow the pointer (or stay while focused)
    if (!Focused()) invalidate();
}

// Mouse messages of the frame and of the pressed browse button; true when handled.
bool TkvSkinCustomEdit::NonClientMouse(fw::Message& m) {
    switch (m.msg) {
        case WM_NCHITTEST: {
            if (!buttonMode_) return false;
            const fw::Point p = ToWindow({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
            if (ButtonArea().contains(p)) m.result = kHitButton;
            else if (!EditArea().contains(p) && fw::Rect{0, 0, width(), height()}.contains(p)) m.result = kHitFrame;
            else return false;
            return true;
        }
        case WM_NCMOUSEMOVE:
            if (!trackingNonClient_) {
                TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE | TME_NONCLIENT, handle(), 0};
                trackingNonClient_ = TrackMouseEvent(&t) != FALSE;
            }
            CheckMouseInside();
            SetButtonHot(m.wParam == kHitButton);
            m.result = 0;
            return true;
        case WM_NCMOUSELEAVE:
            trackingNonClient_ = false;
            SetButtonHot(false);
            CheckMouseInside();
            m.result = 0;
            return true;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (m.wParam == kHitButton) {
                ButtonPressed = true;
                ButtonHot = true;
                SetCapture(handle());  // the release comes here wherever it happens
                RepaintFrame();
            }
            m.result = 0;  // presses on the frame never reach the platform edit
            return m.wParam == kHitButton || m.wParam == kHitFrame;
        case WM_MOUSEMOVE:
            if (ButtonPressed) {
                POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
                ClientToScreen(handle(), &p);
                SetButtonHot(ButtonArea().contains(ToWindow({p.x, p.y})));
                m.result = 0;
                return true;
            }
            SetButtonHot(false);
            return false;
        case WM_LBUTTONUP:
            if (ButtonPressed) {
                POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
                ClientToScreen(handle(), &p);
                const bool over = ButtonArea().contains(ToWindow({p.x, p.y}));
                ButtonPressed = false;
                ButtonHot = over;
                if (GetCapture() == handle()) ReleaseCapture();
                RepaintFrame();
                if (over) {
                    if (!Focused()) setFocus();
                    ButtonClick();
                }
                m.result = 0;
                return true;
            }
            return false;
        case WM_CAPTURECHANGED:
            if (ButtonPressed) {  // the press was taken away: no click
                ButtonPressed = false;
                RepaintFrame();
            }
            return false;
        default: return false;
    }
}

void TkvSkinCustomEdit::wndProc(fw::Message& m) {
    if (NonClientMouse(m)) return;
    switch (m.msg) {
        case WM_NCCALCSIZE: {
            auto* r = reinterpret_cast<RECT*>(m.lParam);  // the first rectangle of either form
            const int w = r->right - r->left, h = r->bottom - r->top;
            const fw::Rect area = EditAreaOf(Look(), buttonMode_, useSkinFont_, w, h);
            r->right = r->left + std::max(area.left, area.right);
            r->bottom = r->top + std::max(area.top, area.bottom);
            r->left += area.left;
            r->top += area.top;
            m.result = 0;
            return;
        }
        case WM_NCPAINT:
            RepaintFrame();
            m.result = 0;
            return;
        case WM_ERASEBKGND:  // the paint covers the whole client area
            m.result = 1;
            return;
        case WM_PAINT:
            PaintClient();
            m.result = 0;
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            TkvCustomEdit::wndProc(m);
            RepaintFrame();
            invalidate();
            return;
        case WM_MOUSEMOVE:
            TkvCustomEdit::wndProc(m);
            CheckMouseInside();
            return;
        case WM_MOUSELEAVE:
            TkvCustomEdit::wndProc(m);
            CheckMouseInside();
            return;
        case fw::CM_FONTCHANGED:
            TkvCustomEdit::wndProc(m);
            if (!useSkinFont_ && !loading()) setHeight(FontFittedHeight());
            if (handleAllocated())
                SendMessageW(handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
            return;
        case fw::CN_COMMAND:
            // The platform scrolls its pixels; the skinned background under them must be drawn again.
            if (HIWORD(m.wParam) == EN_HSCROLL || HIWORD(m.wParam) == EN_VSCROLL) invalidate();
            break;
        default: break;
    }
    TkvCustomEdit::wndProc(m);
}

void TkvSkinCustomEdit::windowCreated() {
    TkvCustomEdit::windowCreated();
    SendMessageW(handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
    // The platform laid the window out before it was subclassed: ask again, now that the skin answers.
    FrameChanged();
}
