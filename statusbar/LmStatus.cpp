#include "statusbar/LmStatus.h"

#include <algorithm>
#include <memory>

#include "framework/Form.h"

namespace {

constexpr wchar_t kValueNotAvailable[] = L"Value Not Available";

// How far the text keeps from the frame of each style, beyond the border width.
int textInset(TFrameStyleEx style) {
    switch (style) {
        case TFrameStyleEx::fsNone:
        case TFrameStyleEx::fsFlatRounded: return 0;
        case TFrameStyleEx::fsFlat:
        case TFrameStyleEx::fsStatus:
        case TFrameStyleEx::fsPopup: return 1;
        default: return 2;  // fsGroove to fsButtonUp, fsFlatBold
    }
}

int textWidthOf(const fw::Font& font, const std::wstring& text) {
    fw::MemoryDC dc(nullptr);
    fw::Canvas canvas(dc.get());
    canvas.setFont(font);
    return canvas.textWidth(text);
}

}  // namespace

// ---- TLmCustomStatusPane

TLmCustomStatusPane::TLmCustomStatusPane(fw::Component* owner) : fw::Control(owner) {
    setParentColor(true);
    setBounds(0, 0, 100, 20);
}

void TLmCustomStatusPane::SetAlignment(fw::Alignment a) {
    alignment_ = a;
    invalidate();
}

void TLmCustomStatusPane::SetAutoSize(bool v) {
    autoSize_ = v;
    AdjustWidth();
}

void TLmCustomStatusPane::SetDefaultWidth(int v) {
    defaultWidth_ = v;
    AdjustWidth();
}

void TLmCustomStatusPane::SetCaptionOffset(int v) {
    captionOffset_ = v;
    AdjustWidth();
    invalidate();
}

void TLmCustomStatusPane::SetBorderWidth(int v) {
    borderWidth_ = std::max(0, v);
    AdjustWidth();
    invalidate();
}

void TLmCustomStatusPane::SetFrameStyle(TFrameStyleEx v) {
    frameStyle_ = v;
    invalidate();
}

void TLmCustomStatusPane::SetFlatColor(fw::Color c) {
    flatColor_ = c;
    invalidate();
}

void TLmCustomStatusPane::SetFlatColorAdjustment(int v) {
    flatColorAdjustment_ = v;
    invalidate();
}

void TLmCustomStatusPane::SetFillColor(fw::Color c) {
    fillColor_ = c;
    parentFillColor_ = false;
    invalidate();
}

void TLmCustomStatusPane::SetParentFillColor(bool v) {
    parentFillColor_ = v;
    invalidate();
}

fw::Color TLmCustomStatusPane::FlatFrameColor() const {
    return AdjustLightness(fw::resolveColor(flatColor_), flatColorAdjustment_);
}

TLmStatusBar* TLmCustomStatusPane::StatusBar() const { return dynamic_cast<TLmStatusBar*>(parent()); }

bool TLmCustomStatusPane::AtGripCorner() const {
    const TLmStatusBar* bar = StatusBar();
    return bar && bar->ShowSizeGrip() && left() + width() >= bar->clientRect().right;
}

int TLmCustomStatusPane::AutoSizeWidth() {
    const std::wstring text = Caption();
    if (text.empty()) return defaultWidth_;
    return textWidthOf(font(), text) + 2 * borderWidth_ + captionOffset_ + 6;
}

void TLmCustomStatusPane::AdjustWidth() {
    if (!autoSize_ || loading()) return;
    const int w = AutoSizeWidth();
    if (w != width()) setWidth(w);
}

fw::Rect TLmCustomStatusPane::TextRect() {
    const int inset = borderWidth_ + textInset(frameStyle_);
    return clientRect().inflate(-inset, -inset);
}

fw::Color TLmCustomStatusPane::TextColor() const { return (blinking_ && blinkOn_) ? blinkColor_ : font().color(); }

void TLmCustomStatusPane::DrawText(fw::Canvas& canvas, const fw::Rect& textRect, int x, const std::wstring& text,
                                   fw::Color color) {
    if (textRect.empty()) return;
    const int y = textRect.top + (textRect.height() - canvas.textHeight(L"Pp")) / 2;
    const int saved = canvas.save();
    canvas.intersectClip(textRect);
    canvas.setBrushStyle(fw::BrushStyle::Solid);
    canvas.setBrushColor(FillColor());
    if (enabled()) {
        canvas.font().setColor(color);
        canvas.textOut(x, y, text);
    } else {
        // The engraved look of disabled text: a light copy one pixel down and right, the shadow over it.
        canvas.font().setColor(fw::clBtnHighlight);
        canvas.textOut(x + 1, y + 1, text);
        canvas.setBrushStyle(fw::BrushStyle::Clear);
        canvas.font().setColor(fw::clBtnShadow);
        canvas.textOut(x, y, text);
        canvas.setBrushStyle(fw::BrushStyle::Solid);
    }
    canvas.restore(saved);
}

void TLmCustomStatusPane::DrawCaption(fw::Canvas& canvas) {
    const std::wstring text = Caption();
    if (text.empty()) return;
    const fw::Rect r = TextRect();
    int x = r.left + captionOffset_ + 1;
    if (alignment_ == fw::Alignment::RightJustify) x = r.right - captionOffset_ - 1 - canvas.textWidth(text);
    if (alignment_ == fw::Alignment::Center) x = r.left + (r.width() - canvas.textWidth(text)) / 2;
    DrawText(canvas, r, x, text, TextColor());
}

void TLmCustomStatusPane::DrawFrame(fw::Canvas& canvas) {
    DrawFrameStyle(canvas, clientRect().inflate(-borderWidth_, -borderWidth_), frameStyle_, FlatFrameColor());
}

void TLmCustomStatusPane::paint(fw::Canvas& canvas) {
    if (const TLmStatusBar* bar = StatusBar(); bar && bar->SimpleStatus()) return;  // the bar shows one text
    canvas.setBrushStyle(fw::BrushStyle::Solid);
    canvas.setBrushColor(color());
    canvas.fillRect(clientRect());
    DrawFrame(canvas);
    DrawCaption(canvas);
}

bool TLmCustomStatusPane::hitTest(fw::Point p) const {
    // The bar's size grip lies under the corner of a pane that reaches it.
    return !(AtGripCorner() && p.x >= width() - TLmStatusBar::kGripPassWidth);
}

void TLmCustomStatusPane::loaded() { AdjustWidth(); }

void TLmCustomStatusPane::wndProc(fw::Message& m) {
    if (m.msg == fw::CM_TEXTCHANGED || m.msg == fw::CM_FONTCHANGED) AdjustWidth();
    fw::Control::wndProc(m);
}

// ---- TLmPollingList and TLmPollingStatus

namespace {

// The process's one polling list; it lives from the first polling pane to the last.
std::unique_ptr<TLmPollingList>& pollingList() {
    static std::unique_ptr<TLmPollingList> list;
    return list;
}

constexpr unsigned kPollingInterval = 500;

}  // namespace

TLmPollingList::TLmPollingList() : timer_(nullptr, kPollingInterval) {
    timer_.onTimer = [this](fw::Component*) { Tick(); };
    timer_.setEnabled(true);
}

TLmPollingList* TLmPollingList::Instance() { return pollingList().get(); }

void TLmPollingList::Add(TLmPollingStatus* pane) {
    std::unique_ptr<TLmPollingList>& list = pollingList();
    if (!list) list = std::make_unique<TLmPollingList>();
    list->panes_.push_back(pane);
}

void TLmPollingList::Remove(TLmPollingStatus* pane) {
    std::unique_ptr<TLmPollingList>& list = pollingList();
    if (!list) return;
    std::erase(list->panes_, pane);
    if (list->panes_.empty()) list.reset();
}

void TLmPollingList::Tick() {
    // A pane may leave the list while it updates; walk a copy and skip any that left.
    const std::vector<TLmPollingStatus*> panes = panes_;
    for (TLmPollingStatus* pane : panes) {
        TLmPollingList* list = Instance();
        if (!list || std::find(list->panes_.begin(), list->panes_.end(), pane) == list->panes_.end()) continue;
        if (pane->visible()) pane->TimerExpired();
    }
}

TLmPollingStatus::TLmPollingStatus(fw::Component* owner) : TLmCustomStatusPane(owner) { TLmPollingList::Add(this); }

TLmPollingStatus::~TLmPollingStatus() { TLmPollingList::Remove(this); }

bool TLmPollingStatus::Active() {
    TLmPollingList* list = TLmPollingList::Instance();
    return list ? list->Timer().enabled() : true;
}

void TLmPollingStatus::SetActive(bool v) {
    if (TLmPollingList* list = TLmPollingList::Instance()) list->Timer().setEnabled(v);
}

unsigned TLmPollingStatus::Interval() {
    TLmPollingList* list = TLmPollingList::Instance();
    return list ? list->Timer().interval() : kPollingInterval;
}

void TLmPollingStatus::SetInterval(unsigned ms) {
    if (TLmPollingList* list = TLmPollingList::Instance()) list->Timer().setInterval(ms);
}

// ---- TLmClockStatus

namespace {

std::wstring localeText(LCTYPE what) {
    wchar_t buffer[96] = {};
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, what, buffer, 96);
    return n > 1 ? std::wstring(buffer, n - 1) : std::wstring();
}

TLmDateNames localeNames() {
    TLmDateNames names;
    for (int i = 0; i < 12; ++i) {
        names.shortMonths[i] = localeText(LOCALE_SABBREVMONTHNAME1 + i);
        names.longMonths[i] = localeText(LOCALE_SMONTHNAME1 + i);
    }
    // The platform counts days from Monday; the clock from Sunday.
    for (int i = 0; i < 7; ++i) {
        names.shortDays[(i + 1) % 7] = localeText(LOCALE_SABBREVDAYNAME1 + i);
        names.longDays[(i + 1) % 7] = localeText(LOCALE_SDAYNAME1 + i);
    }
    names.am = localeText(LOCALE_S1159);
    names.pm = localeText(LOCALE_S2359);
    if (const std::wstring s = localeText(LOCALE_SDATE); !s.empty()) names.dateSeparator = s[0];
    if (const std::wstring s = localeText(LOCALE_STIME); !s.empty()) names.timeSeparator = s[0];
    return names;
}

SYSTEMTIME toSystemTime(const TLmDateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return st;
}

std::wstring dateText(const SYSTEMTIME& st) {
    wchar_t buffer[128] = {};
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, 128);
    return n > 1 ? std::wstring(buffer, n - 1) : std::wstring();
}

std::wstring timeText(const SYSTEMTIME& st) {
    wchar_t buffer[128] = {};
    const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, 128);
    return n > 1 ? std::wstring(buffer, n - 1) : std::wstring();
}

TLmDateTime now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace

TLmClockStatus::TLmClockStatus(fw::Component* owner) : TLmPollingStatus(owner) {
    SetDefaultWidth(150);
    setWidth(150);
}

void TLmClockStatus::SetFormat(std::wstring format) {
    format_ = std::move(format);
    UpdateTime();
}

std::wstring TLmClockStatus::TimeText(const TLmDateTime& moment) const {
    if (!format_.empty()) return FormatDateTime(format_, moment, localeNames());
    const SYSTEMTIME st = toSystemTime(moment);
    return DefaultClockText(moment, dateText(st), timeText(st));
}

void TLmClockStatus::UpdateTime() {
    TLmDateTime moment = now();
    if (OnGetDateTime) OnGetDateTime(this, moment);
    std::wstring text = TimeText(moment);
    if (text == Caption()) return;
    ++textChanges_;
    SetCaption(std::move(text));
    repaint();  // at once, not at the next paint
}

fw::Rect TLmClockStatus::TextRect() {
    fw::Rect r = TLmPollingStatus::TextRect();
    if (AtGripCorner()) r.right -= TLmStatusBar::kGripPassWidth;
    return r;
}

void TLmClockStatus::loaded() {
    TLmPollingStatus::loaded();
    UpdateTime();
}

// ---- TLmVersionInfo

TLmVersionInfo::TLmVersionInfo(fw::Component* owner) : fw::Component(owner) { Reload(); }

TLmVersionInfo::~TLmVersionInfo() {
    for (TLmVersionInfoStatus* pane : std::vector<TLmVersionInfoStatus*>(panes_)) pane->SetVersionInfo(nullptr);
}

void TLmVersionInfo::SetFilePath(std::wstring path) {
    filePath_ = std::move(path);
    Reload();
}

void TLmVersionInfo::Reload() {
    static constexpr const wchar_t* kNames[kVersionInfoFieldCount] = {L"CompanyName",      L"FileDescription",
                                                                      L"FileVersion",      L"InternalName",
                                                                      L"LegalCopyright",   L"LegalTrademarks",
                                                                      L"OriginalFilename", L"ProductName",
                                                                      L"ProductVersion",   L"Comments"};
    values_.fill(kValueNotAvailable);
    std::wstring path = filePath_;
    if (path.empty()) {
        std::wstring buffer(32768, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        path.assign(buffer.data(), n);
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<std::uint8_t> data(size);
    if (size != 0 && GetFileVersionInfoW(path.c_str(), 0, size, data.data())) {
        void* found = nullptr;
        UINT length = 0;
        if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &found, &length) && found &&
            length >= 2 * sizeof(WORD)) {
            const WORD* translation = static_cast<const WORD*>(found);
            wchar_t block[40];
            swprintf(block, 40, L"\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
            for (int i = 0; i < kVersionInfoFieldCount; ++i) {
                void* text = nullptr;
                UINT chars = 0;
                const std::wstring key = std::wstring(block) + kNames[i];
                if (VerQueryValueW(data.data(), key.c_str(), &text, &chars) && text) {
                    const wchar_t* value = static_cast<const wchar_t*>(text);
                    values_[i].assign(value, chars > 0 && value[chars - 1] == L'\0' ? chars - 1 : chars);
                }
            }
        }
    }
    for (TLmVersionInfoStatus* pane : panes_) pane->UpdateField();
}

void TLmVersionInfo::Attach(TLmVersionInfoStatus* pane) {
    if (std::find(panes_.begin(), panes_.end(), pane) == panes_.end()) panes_.push_back(pane);
}

void TLmVersionInfo::Detach(TLmVersionInfoStatus* pane) { std::erase(panes_, pane); }

void TLmVersionInfo::notification(fw::Component* c, fw::Operation op) {
    if (op != fw::Operation::Remove) return;
    std::erase_if(panes_, [c](TLmVersionInfoStatus* pane) { return static_cast<fw::Component*>(pane) == c; });
}

// ---- TLmCustomFieldStatus

void TLmCustomFieldStatus::SetFieldLabel(std::wstring label) {
    fieldLabel_ = std::move(label);
    AdjustWidth();
    invalidate();
}

void TLmCustomFieldStatus::SetFieldLabelColor(fw::Color c) {
    fieldLabelColor_ = c;
    invalidate();
}

int TLmCustomFieldStatus::LabelWidth() {
    return fieldLabel_.empty() ? 0 : textWidthOf(font(), fieldLabel_) + 2 * CaptionOffset();
}

fw::Rect TLmCustomFieldStatus::TextRect() {
    fw::Rect r = TLmCustomStatusPane::TextRect();
    r.left += LabelWidth();
    return r;
}

void TLmCustomFieldStatus::DrawCaption(fw::Canvas& canvas) {
    if (!fieldLabel_.empty()) {
        fw::Rect labelRect = TLmCustomStatusPane::TextRect();
        labelRect.right = std::min(labelRect.right, labelRect.left + LabelWidth());
        DrawText(canvas, labelRect, labelRect.left + CaptionOffset(), fieldLabel_, fieldLabelColor_);
    }
    TLmCustomStatusPane::DrawCaption(canvas);
}

int TLmCustomFieldStatus::AutoSizeWidth() { return TLmCustomStatusPane::AutoSizeWidth() + LabelWidth(); }

// ---- TLmVersionInfoStatus

TLmVersionInfoStatus::TLmVersionInfoStatus(fw::Component* owner) : TLmCustomFieldStatus(owner) {}

TLmVersionInfoStatus::~TLmVersionInfoStatus() { SetVersionInfo(nullptr); }

void TLmVersionInfoStatus::SetVersionInfo(TLmVersionInfo* info) {
    if (info == versionInfo_) return;
    if (versionInfo_) {
        versionInfo_->Detach(this);
        removeFreeNotification(versionInfo_);
    }
    versionInfo_ = info;
    if (versionInfo_) {
        versionInfo_->Attach(this);
        freeNotification(versionInfo_);
    }
    UpdateField();
}

void TLmVersionInfoStatus::SetField(TLmVersionInfoField f) {
    field_ = f;
    UpdateField();
}

void TLmVersionInfoStatus::UpdateField() {
    if (versionInfo_) SetCaption(versionInfo_->Value(field_));
}

void TLmVersionInfoStatus::notification(fw::Component* c, fw::Operation op) {
    TLmCustomFieldStatus::notification(c, op);
    if (op == fw::Operation::Remove && c == versionInfo_) versionInfo_ = nullptr;
}

// ---- TLmStatusBar

TLmStatusBar::TLmStatusBar(fw::Component* owner) : TLmCustomPanel(owner) {
    setBounds(0, 0, 185, 19);
    setAlign(fw::Align::Bottom);
    setColor(fw::clBtnFace);
    setKeepsImage(true);  // the bar and its panes change only through invalidate(): a repaint copies the picture
}

void TLmStatusBar::SetShowSizeGrip(bool v) {
    showSizeGrip_ = v;
    invalidate();
}

void TLmStatusBar::SetSimpleStatus(bool v) {
    simpleStatus_ = v;
    invalidate();
}

void TLmStatusBar::SetSimpleFrameStyle(TFrameStyleEx v) {
    simpleFrameStyle_ = v;
    invalidate();
}

void TLmStatusBar::SetSimpleCaption(std::wstring text) {
    simpleCaption_ = std::move(text);
    invalidate();
}

bool TLmStatusBar::SizeGripShown() const {
    if (!showSizeGrip_) return false;
    fw::Form* form = parentForm();
    if (!form || form->borderStyle() != fw::BorderStyle::Sizeable) return false;
    return !(form->handleAllocated() && IsZoomed(form->handle()));
}

fw::Rect TLmStatusBar::alignRect() const {
    fw::Rect r = TLmCustomPanel::alignRect();
    r.top = 1;
    r.left -= 1;
    r.right += 1;
    r.bottom += 1;
    return r;
}

void TLmStatusBar::DrawSizeGrip(fw::Canvas& canvas) {
    // Six small raised squares in a triangle filling the corner.
    const fw::Rect r = clientRect();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col <= row; ++col) {
            const int x = r.right - 4 - 4 * col;
            const int y = r.bottom - 12 + 4 * row;
            canvas.setBrushColor(fw::clBtnHighlight);
            canvas.fillRect({x + 1, y + 1, x + 3, y + 3});
            canvas.setBrushColor(fw::clBtnShadow);
            canvas.fillRect({x, y, x + 2, y + 2});
        }
    }
}

void TLmStatusBar::paint(fw::Canvas& canvas) {
    TLmCustomPanel::paint(canvas);
    if (simpleStatus_) {
        const fw::Rect r = alignRect();
        DrawFrameStyle(canvas, r, simpleFrameStyle_, fw::clBtnShadow);
        fw::Rect text = r.inflate(-2, -2);
        canvas.setBrushStyle(fw::BrushStyle::Clear);
        canvas.drawText(simpleCaption_, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        canvas.setBrushStyle(fw::BrushStyle::Solid);
    }
    if (SizeGripShown()) DrawSizeGrip(canvas);
}

void TLmStatusBar::wndProc(fw::Message& m) {
    if (SizeGripShown() && (m.msg == WM_SETCURSOR || m.msg == WM_LBUTTONDOWN)) {
        POINT p{};
        GetCursorPos(&p);
        const fw::Point local = screenToClient({p.x, p.y});
        const fw::Rect r = clientRect();
        if (local.x >= r.right - kGripWidth && local.y >= r.top) {
            if (m.msg == WM_SETCURSOR) {
                SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE));
                m.result = TRUE;
                return;
            }
            // Sizing the form from its corner, as its own border would.
            ReleaseCapture();
            SendMessageW(parentForm()->handle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(p.x, p.y));
            return;
        }
    }
    TLmCustomPanel::wndProc(m);
}
