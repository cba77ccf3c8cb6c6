#include "skin/controls/kvSkinComboBox.h"

#include <algorithm>

#include <windowsx.h>

#include "framework/Application.h"
#include "framework/PopupWindow.h"
#include "skin/controls/DefaultPressLook.h"
#include "skin/controls/SkinControlFont.h"
#include "skin/controls/SkinLabelRules.h"
#include "skin/controls/kvSkinScrollBar.h"
#include "skin/imaging/PixelOps.h"
#include "skin/imaging/SkinCompose.h"

namespace {

constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeInterval = 25;  // ms between the fade-in steps, ten steps to the full value
constexpr int kWheelRows = 3;       // rows a wheel notch scrolls the open list

// The item image `source` of the picture made `area.width()` wide (fixed ends `leftOffset` and `rightOffset`) and
// drawn over `area`, stretched to its height when the row is not the image's height.
void drawItemImage(fw::PixelView dst, const fw::Bitmap& picture, fw::Rect source, int leftOffset, int rightOffset,
                   bool stretch, fw::Rect area) {
    if (source.empty() || area.empty()) return;
    const fw::Bitmap row = ComposeWidthOnly(picture.view(), source, leftOffset, rightOffset, area.width(), stretch);
    if (row.empty()) return;
    if (row.height() == area.height()) CopyPixelsFast(row.view(), row.rect(), dst, area.left, area.top);
    else StretchPixels(row.view(), dst, area);
}

const fw::Bitmap* pictureAt(const TkvSkinData& data, int index) {
    const auto& pictures = data.ActivePictures;
    return index >= 0 && index < static_cast<int>(pictures.size()) ? &pictures[static_cast<std::size_t>(index)]
                                                                   : nullptr;
}

// The small black arrow of the default look's button.
void drawDownArrow(fw::Canvas& c, fw::Rect r, fw::Color colour) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2 - 1;
    c.setBrushColor(colour);
    for (int i = 0; i < 4; ++i) c.fillRect({cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1});
}

}  // namespace

// ---- The drop-down list ----------------------------------------------------------------------------------------

// The popup that shows the combo box's items: never activated (the combo box keeps the focus and its keys), framed
// by the list description or a plain frame, the hot row following the pointer and the keyboard.
class TkvComboDropDown : public fw::PopupWindow {
public:
    explicit TkvComboDropDown(TkvSkinComboBox& combo) : fw::PopupWindow(nullptr), Combo(combo) {}

    TkvSkinComboBox& Combo;
    int TopIndex = 0;
    int HotIndex = -1;
    int Rows = 1;
    fw::Rect ItemsArea;  // where the rows lie, in the popup's client coordinates
    int Alpha = 255;
    TkvSkinScrollBar* Bar = nullptr;  // shown when there are more items than rows

    void Open();
    void Close();
    int RowAt(fw::Point p) const;
    void SetHot(int index);
    void Scroll(int rows);

protected:
    void paint(fw::Canvas& canvas) override;
    void wndProc(fw::Message& m) override;

private:
    fw::Rect Frame() const;  // border thicknesses: left, top, right, bottom
    void ApplyAlpha();
    void PlaceBar(int count);
    void TopChanged();
};

void TkvComboDropDown::PlaceBar(int count) {
    if (count <= Rows) {
        if (Bar) Bar->setVisible(false);
        return;
    }
    if (!Bar) {
        Bar = &create<TkvSkinScrollBar>();
        Bar->setParent(this);
        Bar->SetKind(skVertical);
        Bar->OnScroll = [this](int, int position) {
            TopIndex = position;
            invalidate();
        };
    }
    const auto* list = dynamic_cast<const TkvDataSkinListBox*>(Combo.look_.ListFrame);
    Bar->SetSkinDataName(list ? list->VScrollBarName : "vscrollbar");
    Bar->SetSkinData(Combo.SkinData());
    Bar->setBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), ItemsArea.height());
    Bar->ChangeSkinData();  // the width its skin gives
    ItemsArea.right -= Bar->width();
    Bar->setBounds(ItemsArea.right, ItemsArea.top, Bar->width(), ItemsArea.height());
    Bar->SetParams(0, count - 1, Rows, TopIndex);
    Bar->setVisible(true);
}

void TkvComboDropDown::TopChanged() {
    if (Bar && Bar->visible()) Bar->SetPosition(TopIndex);
    invalidate();
}

fw::Rect TkvComboDropDown::Frame() const {
    const auto* f = Combo.look_.ListFrame;
    if (f && Combo.look_.ListPicture && !f->SkinRect.empty() && !f->ClientRect.empty())
        return {f->ClientRect.left, f->ClientRect.top, f->SkinRect.width() - f->ClientRect.right,
                f->SkinRect.height() - f->ClientRect.bottom};
    return {1, 1, 1, 1};
}

void TkvComboDropDown::Open() {
    if (!handleAllocated()) setOwnerWindow(GetAncestor(Combo.handle(), GA_ROOT));
    const int count = Combo.ItemCount();
    Rows = std::clamp(count, 1, Combo.DropDownCount());
    const int ih = Combo.ItemHeight();
    const fw::Rect f = Frame();
    const int w = Combo.width(), h = Rows * ih + f.top + f.bottom;
    ItemsArea = {f.left, f.top, w - f.right, h - f.bottom};
    HotIndex = Combo.ItemIndex();
    TopIndex = DropDownTopIndex(0, HotIndex, Rows, count);
    PlaceBar(count);

    fw::Point at = Combo.clientToScreen({0, Combo.height()});
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromWindow(Combo.handle(), MONITOR_DEFAULTTONEAREST), &mi)) work = mi.rcWork;
    if (at.y + h > work.bottom) at.y = Combo.clientToScreen({0, 0}).y - h;  // no room below: open upwards
    at.x = std::clamp(at.x, static_cast<int>(work.left), std::max<int>(work.left, work.right - w));

    HWND hwnd = handle();
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, Combo.alphaBlend_ ? ex | WS_EX_LAYERED : ex & ~LONG_PTR{WS_EX_LAYERED});
    Alpha = Combo.alphaBlend_ && Combo.alphaBlendAnimation_ ? 0 : Combo.alphaBlendValue_;
    ApplyAlpha();
    showAt(fw::Rect::fromSize(at.x, at.y, w, h));
    invalidate();
    if (Combo.alphaBlend_ && Combo.alphaBlendAnimation_) startTimer(kFadeTimer, kFadeInterval);
}

void TkvComboDropDown::Close() {
    stopTimer(kFadeTimer);
    setVisible(false);
}

void TkvComboDropDown::ApplyAlpha() {
    if (Combo.alphaBlend_ && handleAllocated())
        SetLayeredWindowAttributes(handle(), 0, static_cast<BYTE>(Alpha), LWA_ALPHA);
}

int TkvComboDropDown::RowAt(fw::Point p) const {
    if (!ItemsArea.contains(p)) return -1;
    const int index = TopIndex + (p.y - ItemsArea.top) / std::max(Combo.ItemHeight(), 1);
    return index < Combo.ItemCount() ? index : -1;
}

void TkvComboDropDown::SetHot(int index) {
    if (index == HotIndex) return;
    HotIndex = index;
    TopIndex = DropDownTopIndex(TopIndex, HotIndex, Rows, Combo.ItemCount());
    TopChanged();
}

void TkvComboDropDown::Scroll(int rows) {
    const int top = DropDownTopIndex(TopIndex + rows, -1, Rows, Combo.ItemCount());
    if (top == TopIndex) return;
    TopIndex = top;
    TopChanged();
}

void TkvComboDropDown::paint(fw::Canvas& canvas) {
    const int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    fw::DibSection image(w, h);
    const auto& look = Combo.look_;
    const auto* f = look.ListFrame;
    if (f && look.ListPicture) {
        SkinCorners src{f->LeftTopPoint, f->RightTopPoint, f->LeftBottomPoint, f->RightBottomPoint, f->ClientRect};
        if (SkinSizingMode(f->SkinRect, src) != 1) src = PlainCorners(f->ClientRect);
        const SkinStretch stretch{f->LeftStretch,   f->TopStretch,    f->RightStretch,
                                  f->BottomStretch, f->StretchEffect, f->StretchType};
        fw::Bitmap frame;
        ComposeSkinImage(frame, look.ListPicture->view(), f->SkinRect, src,
                         ResizeCorners(src, w - f->SkinRect.width(), h - f->SkinRect.height()), w, h, stretch, true);
        if (!frame.empty()) image.assign(frame.view());
    } else {
        fw::Canvas& c = image.canvas();
        c.setBrushColor(fw::clWindow);
        c.fillRect(image.rect());
        c.setBrushColor(fw::clWindowFrame);
        c.frameRect(image.rect());
    }
    const int ih = std::max(Combo.ItemHeight(), 1);
    for (int row = 0; row < Rows; ++row) {
        const int index = TopIndex + row;
        if (index >= Combo.ItemCount()) break;
        const fw::Rect area{ItemsArea.left, ItemsArea.top + row * ih, ItemsArea.right, ItemsArea.top + (row + 1) * ih};
        Combo.DrawItem(image, index, area, index == HotIndex, true);
    }
    image.drawTo(canvas.handle(), 0, 0);
}

void TkvComboDropDown::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_MOUSEMOVE: {
            const int row = RowAt({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
            if (row >= 0) SetHot(row);
            m.result = 0;
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: m.result = 0; return;  // the item is taken on release, as the platform's lists do
        case WM_LBUTTONUP: {
            const int row = RowAt({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
            m.result = 0;
            if (row < 0) return;
            HotIndex = row;
            Combo.CloseDropDown(true);
            return;
        }
        case WM_MOUSEWHEEL:
            Scroll(GET_WHEEL_DELTA_WPARAM(m.wParam) > 0 ? -kWheelRows : kWheelRows);
            m.result = 0;
            return;
        case WM_TIMER:
            if (m.wParam == kFadeTimer) {
                const int target = Combo.alphaBlendValue_;
                Alpha = std::min(Alpha + std::max(target / 10, 1), target);
                ApplyAlpha();
                if (Alpha >= target) stopTimer(kFadeTimer);
                m.result = 0;
                return;
            }
            break;
        default: break;
    }
    fw::PopupWindow::wndProc(m);
}

// ---- The combo box ---------------------------------------------------------------------------------------------

TkvSkinComboBox::TkvSkinComboBox(fw::Component* owner) : TkvSkinCustomControl(owner) {
    skinDataName_ = "combobox";
    setBounds(0, 0, 145, 21);
    setTabStop(true);
}

TkvSkinComboBox::~TkvSkinComboBox() {
    if (fw::Application* app = fw::Application::instance()) app->unhookMessages(this);
}

void TkvSkinComboBox::createParams(CreateParams& p) {
    TkvSkinCustomControl::createParams(p);
    p.className = L"TkvSkinComboBox";
}

int TkvSkinComboBox::AddItem(std::wstring text, std::intptr_t data) {
    const int i = items_.Add(std::move(text), data);
    if (DroppedDown()) dropDown_->invalidate();
    return i;
}

void TkvSkinComboBox::InsertItem(int index, std::wstring text, std::intptr_t data) {
    items_.Insert(index, std::move(text), data);
    invalidate();
    if (DroppedDown()) CloseDropDown(false);  // the rows moved under the pointer
}

void TkvSkinComboBox::DeleteItem(int index) {
    items_.Delete(index);
    invalidate();
    if (DroppedDown()) CloseDropDown(false);
}

void TkvSkinComboBox::ClearItems() {
    items_.Clear();
    invalidate();
    if (DroppedDown()) CloseDropDown(false);
}

void TkvSkinComboBox::SetItemIndex(int index) {
    if (items_.SetItemIndex(index)) invalidate();
}

void TkvSkinComboBox::SetDropDownCount(int n) { dropDownCount_ = std::max(n, 1); }

void TkvSkinComboBox::SetItemHeight(int h) {
    itemHeight_ = std::max(h, 0);
    if (DroppedDown()) CloseDropDown(false);
}

int TkvSkinComboBox::ItemHeight() const {
    if (itemHeight_ > 0) return itemHeight_;
    if (described_ && !look_.ItemRect.empty()) return look_.ItemRect.height();
    // From the font: its cell height and a pixel above and below.
    HDC dc = GetDC(nullptr);
    TEXTMETRICW tm{};
    {
        const fw::Font f = ItemFont({});
        fw::SelectGuard select(dc, f.handle());
        GetTextMetricsW(dc, &tm);
    }
    ReleaseDC(nullptr, dc);
    return std::max<int>(tm.tmHeight + 2, 12);
}

fw::Font TkvSkinComboBox::ItemFont(const std::wstring& sample) const {
    return SkinControlFont(UseSkinFont && described_, &look_.FontName, look_.FontHeight, look_.FontStyle,
                           const_cast<TkvSkinComboBox*>(this)->DefaultFont(), SkinData(), sample);
}

// ---- Skin ------------------------------------------------------------------------------------------------------

void TkvSkinComboBox::FetchSkinDescription() {
    TkvSkinCustomControl::FetchSkinDescription();
    described_ = false;
    look_ = Look{};
    if (DescriptionIndex == -1) return;
    const auto* d = SkinData()->ControlAs<TkvDataSkinComboBox>(DescriptionIndex);
    if (!d || !SkinPicture) return;
    described_ = true;
    look_.ActiveSkinRect = d->ActiveSkinRect;
    look_.ItemRect = d->ItemRect;
    look_.ActiveItemRect = d->ActiveItemRect;
    look_.FocusItemRect = d->FocusItemRect;
    look_.ItemTextRect = d->ItemTextRect;
    look_.ItemLeftOffset = d->ItemLeftOffset;
    look_.ItemRightOffset = d->ItemRightOffset;
    look_.ItemStretch = d->ItemStretchEffect;
    look_.FocusItemStretch = d->FocusItemStretchEffect;
    look_.FontName = d->FontName;
    look_.FontHeight = d->FontHeight;
    look_.FontStyle = d->FontStyle;
    look_.FontColor = d->FontColor;
    look_.FocusFontColor = d->FocusFontColor;
    look_.ActiveFontColor = d->ActiveFontColor;
    look_.ButtonRect = d->ButtonRect;
    look_.ActiveButtonRect = d->ActiveButtonRect;
    look_.DownButtonRect = d->DownButtonRect;
    look_.UnEnabledButtonRect = d->UnEnabledButtonRect;
    look_.ListFontColor = d->FontColor;
    look_.ListActiveFontColor = d->FocusFontColor;
    look_.ListActiveItemRect = d->FocusItemRect;
    // The drop-down list's frame, and its item colours, come from the list description it names.
    if (d->ListBoxName.empty()) return;
    const int li = SkinData()->GetControlIndex(d->ListBoxName);
    if (const auto* list = li < 0 ? nullptr : SkinData()->ControlAs<TkvDataSkinListBox>(li)) {
        look_.ListFrame = list;
        look_.ListPicture = pictureAt(*SkinData(), list->PictureIndex);
        look_.ListFontColor = list->FontColor;
        if (!list->ActiveItemRect.empty()) {
            look_.ListActiveItemRect = list->ActiveItemRect;
            look_.ListActiveFontColor = list->ActiveFontColor;
        }
    }
}

void TkvSkinComboBox::BeforeChangeSkinData() {
    if (DroppedDown()) CloseDropDown(false);
    TkvSkinCustomControl::BeforeChangeSkinData();
    described_ = false;
    look_ = Look{};
}

fw::Rect TkvSkinComboBox::ButtonArea() const {
    if (described_ && !look_.ButtonRect.empty()) return MapSkinRect(*this, look_.ButtonRect, width(), height());
    const int b = std::max(height() - 4, 0);
    return {width() - 2 - b, 2, width() - 2, height() - 2};
}

fw::Rect TkvSkinComboBox::TextArea() const {
    if (described_ && !CurClientRect.empty()) return CurClientRect;
    const fw::Rect button = ButtonArea();
    return {2, 2, std::max(button.left - 1, 2), height() - 2};
}

void TkvSkinComboBox::DrawSkinImage(fw::DibSection& bitmap) {
    if (!described_) {
        DrawDefaultImage(bitmap);
        return;
    }
    const bool hot = mouseInControl() || (handleAllocated() && focused()) || DroppedDown();
    DrawSkinImageFrom(bitmap, hot && !look_.ActiveSkinRect.empty() ? look_.ActiveSkinRect : SrcSkinRect);
    // The button's state image over the composed box (its normal look is part of the box image).
    const fw::Rect button = ButtonArea();
    fw::Rect state;
    if (!enabled()) state = look_.UnEnabledButtonRect;
    else if (DroppedDown()) state = look_.DownButtonRect;
    else if (mouseOverButton_ || hot) state = look_.ActiveButtonRect;
    if (!state.empty() && !button.empty()) {
        fw::Bitmap scratch;
        StretchPixels(CopySegment(SkinPicture->view(), state, scratch), bitmap.pixels(), button);
    }
    if (ItemIndex() >= 0)
        DrawItem(bitmap, ItemIndex(), TextArea(), handleAllocated() && focused() && !DroppedDown(), false);
}

void TkvSkinComboBox::DrawDefaultButton(fw::Canvas& c, fw::Rect r, bool pressed, bool hot) {
    DrawDefaultPressable(c, r, pressed, hot);
    drawDownArrow(c, pressed ? r.offset(1, 1) : r, enabled() ? fw::clBtnText : fw::clBtnShadow);
}

void TkvSkinComboBox::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    const fw::Rect r = bitmap.rect();
    c.setBrushColor(enabled() ? fw::clWindow : fw::clBtnFace);
    c.fillRect(r);
    c.setBrushColor(fw::clBtnShadow);
    c.frameRect(r);
    DrawDefaultButton(c, ButtonArea(), DroppedDown(), mouseOverButton_);
    if (ItemIndex() >= 0)
        DrawItem(bitmap, ItemIndex(), TextArea(), handleAllocated() && focused() && !DroppedDown(), false);
}

void TkvSkinComboBox::DrawItem(fw::DibSection& bitmap, int index, fw::Rect area, bool selected, bool inDropDown) {
    if (area.empty()) return;
    fw::Color colour;
    if (described_) {
        const fw::Rect source = !selected ? (inDropDown ? look_.ItemRect : fw::Rect{})
                                          : (inDropDown ? look_.ListActiveItemRect : look_.FocusItemRect);
        drawItemImage(bitmap.pixels(), *SkinPicture, source, look_.ItemLeftOffset, look_.ItemRightOffset,
                      selected ? look_.FocusItemStretch : look_.ItemStretch, area);
        colour = !selected ? (inDropDown ? look_.ListFontColor : look_.FontColor)
                           : (inDropDown ? look_.ListActiveFontColor : look_.FocusFontColor);
        if (!enabled()) colour = fw::clGrayText;
    } else {
        if (selected) {
            bitmap.canvas().setBrushColor(fw::clHighlight);
            bitmap.canvas().fillRect(area);
        }
        colour = !enabled() ? fw::clGrayText : selected ? fw::clHighlightText : DefaultFont().color();
    }
    fw::Canvas& c = bitmap.canvas();
    fw::Font font = ItemFont(ItemText(index));
    font.setColor(colour);
    c.setFont(font);
    c.setBrushStyle(fw::BrushStyle::Clear);
    fw::Rect text = area;
    if (described_ && !look_.ItemTextRect.empty()) {
        text.left += look_.ItemTextRect.left;
        text.right -= std::max(look_.ItemRect.width() - look_.ItemTextRect.right, 0);
    } else {
        text = text.inflate(-2, 0);
    }
    const int saved = c.save();
    c.intersectClip(area);
    if (OnDrawItem) {
        OnDrawItem(c, index, text, selected, inDropDown);
    } else {
        fw::Rect r = text;
        c.drawText(ItemText(index), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    }
    c.restore(saved);
    c.setBrushStyle(fw::BrushStyle::Solid);
}

// ---- The drop-down ---------------------------------------------------------------------------------------------

bool TkvSkinComboBox::DroppedDown() const { return dropDown_ && dropDown_->visible(); }

HWND TkvSkinComboBox::DropDownWindow() const {
    return DroppedDown() && dropDown_->handleAllocated() ? dropDown_->handle() : nullptr;
}

void TkvSkinComboBox::SetDroppedDown(bool v) {
    if (v == DroppedDown()) return;
    if (v) OpenDropDown();
    else CloseDropDown(false);
}

void TkvSkinComboBox::OpenDropDown() {
    if (!enabled() || !handleAllocated()) return;
    if (OnDropDown) OnDropDown(this);
    FetchSkinDescription();
    if (!dropDown_) dropDown_ = std::make_unique<TkvComboDropDown>(*this);
    dropDown_->Open();
    // A press anywhere else closes the list; the press still goes where it was aimed.
    if (fw::Application* app = fw::Application::instance()) {
        app->hookMessages(this, [this](MSG& msg) {
            if (fw::isButtonPress(msg.message) && DroppedDown() && msg.hwnd != dropDown_->handle() &&
                !IsChild(dropDown_->handle(), msg.hwnd) && msg.hwnd != handle())
                CloseDropDown(false);
            return false;
        });
    }
    invalidate();
}

void TkvSkinComboBox::CloseDropDown(bool accept) {
    if (!DroppedDown()) return;
    const int hot = dropDown_->HotIndex;
    dropDown_->Close();
    if (fw::Application* app = fw::Application::instance()) app->unhookMessages(this);
    invalidate();
    if (OnCloseUp) OnCloseUp(this);
    if (accept && hot >= 0) Pick(hot);
}

void TkvSkinComboBox::Pick(int index) {
    if (!items_.SetItemIndex(index)) return;
    invalidate();
    if (OnChange) OnChange(this);
}

void TkvSkinComboBox::MoveSelection(TkvComboKey key) {
    if (DroppedDown()) {
        dropDown_->SetHot(ComboKeyTarget(dropDown_->HotIndex, ItemCount(), key, dropDown_->Rows));
        return;
    }
    Pick(ComboKeyTarget(ItemIndex(), ItemCount(), key, DropDownCount()));
}

// ---- Keyboard and mouse ----------------------------------------------------------------------------------------

bool TkvSkinComboBox::wantsKey(WPARAM key) const {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_F4: return true;
        case VK_RETURN:
        case VK_ESCAPE: return DroppedDown();  // otherwise the dialog's default and cancel buttons take them
        default: return false;
    }
}

void TkvSkinComboBox::keyDown(WPARAM& key, fw::ShiftState s) {
    TkvSkinCustomControl::keyDown(key, s);
    const bool toggle = key == VK_F4 || (s.alt && (key == VK_DOWN || key == VK_UP));
    if (toggle) {
        if (DroppedDown()) CloseDropDown(true);
        else OpenDropDown();
        key = 0;
        return;
    }
    if (s.alt) return;
    switch (key) {
        case VK_UP: MoveSelection(TkvComboKey::Up); break;
        case VK_DOWN: MoveSelection(TkvComboKey::Down); break;
        case VK_PRIOR: MoveSelection(TkvComboKey::PageUp); break;
        case VK_NEXT: MoveSelection(TkvComboKey::PageDown); break;
        case VK_HOME: MoveSelection(TkvComboKey::Home); break;
        case VK_END: MoveSelection(TkvComboKey::End); break;
        case VK_RETURN:
            if (!DroppedDown()) return;
            CloseDropDown(true);
            break;
        case VK_ESCAPE:
            if (!DroppedDown()) return;
            CloseDropDown(false);
            break;
        default: return;
    }
    key = 0;
}

void TkvSkinComboBox::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (canFocus() && !focused()) setFocus();
            if (DroppedDown()) CloseDropDown(false);
            else OpenDropDown();
            TkvSkinCustomControl::wndProc(m);
            return;
        case WM_MOUSEMOVE: {
            const bool over = ButtonArea().contains({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
            if (over != mouseOverButton_) {
                mouseOverButton_ = over;
                invalidate();
            }
            break;
        }
        case WM_MOUSEWHEEL: {
            const bool up = GET_WHEEL_DELTA_WPARAM(m.wParam) > 0;
            if (DroppedDown()) dropDown_->Scroll(up ? -kWheelRows : kWheelRows);
            else MoveSelection(up ? TkvComboKey::Up : TkvComboKey::Down);
            m.result = 0;
            return;
        }
        case fw::CM_MOUSEENTER:
        case fw::CM_MOUSELEAVE:
            mouseOverButton_ = false;
            TkvSkinCustomControl::wndProc(m);
            invalidate();
            return;
        case fw::CM_ENABLEDCHANGED:
            if (DroppedDown()) CloseDropDown(false);
            invalidate();
            break;
        case WM_SETFOCUS:
            TkvSkinCustomControl::wndProc(m);
            invalidate();
            return;
        case WM_KILLFOCUS:
            TkvSkinCustomControl::wndProc(m);
            if (DroppedDown()) CloseDropDown(false);
            invalidate();
            return;
        case WM_DESTROY:
            if (DroppedDown()) CloseDropDown(false);
            break;
        default: break;
    }
    TkvSkinCustomControl::wndProc(m);
}
