#include "skin/dialogs/kvMessages.h"

#include <algorithm>

#include "framework/Platform.h"

namespace {

bool registerMessageFormClass(WNDPROC proc) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kMessageFormClass, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMessageFormClass;
    return RegisterClassExW(&wc) != 0;
}

LPCWSTR kindIcon(TkvMessageKind kind) {
    switch (kind) {
        case TkvMessageKind::mtWarning: return IDI_WARNING;
        case TkvMessageKind::mtError: return IDI_ERROR;
        case TkvMessageKind::mtInformation: return IDI_INFORMATION;
        case TkvMessageKind::mtConfirmation: return IDI_QUESTION;
        default: return nullptr;
    }
}

// Size of the text as an auto-sized label shows it (every line, no wrapping).
SIZE measureText(HFONT font, const std::wstring& text) {
    fw::WindowDC dc(nullptr);
    fw::SelectGuard select(dc.get(), font);
    RECT r{0, 0, 0, 0};
    std::wstring measured = text.empty() ? L" " : text;
    DrawTextW(dc.get(), measured.c_str(), static_cast<int>(measured.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT);
    if (text.empty()) r.right = 0;
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND makeChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, const fw::Rect& r, int id,
               HFONT font) {
    HWND h = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width(), r.height(),
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                             nullptr);
    if (h != nullptr && font != nullptr) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

}  // namespace

std::unique_ptr<TkvMessageForm> TkvSkinMessage::CreateSkinMessageForm(std::u16string_view text, TkvMessageKind kind,
                                                                      TkvMessageButtons buttons, int left, int top) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerMessageFormClass(&TkvMessageForm::WindowProc);
    std::unique_ptr<TkvMessageForm> form(new TkvMessageForm());
    form->labelFont_ = DefaultFont;
    form->buttonFont_ = DefaultButtonFont;

    const std::wstring message = fw::toWide(text);
    const SIZE labelSize = measureText(form->labelFont_.handle(), message);
    const std::wstring checkCaption = fw::toWide(kShowAgainCaption);

    // The widest the dialog may be: the work area less the frame.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;

    MessageLayoutInput in;
    in.labelWidth = labelSize.cx;
    in.labelHeight = labelSize.cy;
    in.buttons = buttons;
    in.buttonHeight = kMsgDefaultButtonHeight;  // no button description without skin data
    in.showAgain = ShowAgainFlag;
    in.checkCaptionWidth = ShowAgainFlag ? measureText(form->labelFont_.handle(), checkCaption).cx : 0;
    in.maxClientWidth = std::max(0, static_cast<int>(work.right - work.left) - frameWidth);
    form->layout_ = LayoutMessageBox(in);
    const MessageLayout& l = form->layout_;
    form->defaultButton_ = DefaultMessageButton(buttons);
    form->cancelButton_ = CancelMessageButton(buttons);

    const std::wstring caption = kind == TkvMessageKind::mtCustom ? ApplicationTitle
                                                                  : fw::toWide(MessageKindInfoOf(kind).caption);
    const int outerWidth = l.clientWidth + frameWidth;
    const int outerHeight = l.clientHeight + frameHeight;
    if (left < -10000) {
        left = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
    }
    HWND owner = GetActiveWindow();
    HWND hwnd = CreateWindowExW(exStyle, kMessageFormClass, caption.c_str(), style, left, top, outerWidth, outerHeight,
                                owner, nullptr, instance, form.get());
    form->window_ = fw::Window(hwnd);
    if (hwnd == nullptr) return form;

    makeChild(hwnd, L"STATIC", message, SS_LEFT | SS_NOPREFIX, l.label, kMessageLabelId, form->labelFont_.handle());
    if (LPCWSTR icon = kindIcon(kind)) {
        HWND image = makeChild(hwnd, L"STATIC", L"", SS_ICON, l.icon, kMessageIconId, nullptr);
        SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)), 0);
        SetWindowPos(image, nullptr, l.icon.left, l.icon.top, l.icon.width(), l.icon.height(), SWP_NOZORDER);
    }
    if (ShowAgainFlag) {
        HWND check = makeChild(hwnd, L"BUTTON", checkCaption, BS_AUTOCHECKBOX | WS_TABSTOP, l.checkBox,
                               kMessageCheckBoxId, form->labelFont_.handle());
        SendMessageW(check, BM_SETCHECK, ShowAgainFlagValue ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    for (const PlacedMessageButton& b : l.buttons) {
        DWORD bs = WS_TABSTOP | (b.button == form->defaultButton_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        makeChild(hwnd, L"BUTTON", fw::toWide(kMessageButtonTable[b.button].caption), bs, b.bounds,
                  kMessageButtonIdBase + b.button, form->buttonFont_.handle());
    }
    return form;
}

int TkvSkinMessage::ShowMessageBox(std::u16string_view text, TkvMessageKind kind, TkvMessageButtons buttons,
                                   int helpContext) {
    std::unique_ptr<TkvMessageForm> form = CreateSkinMessageForm(text, kind, buttons, -10001, -10001);
    if (form->Handle() == nullptr) return mrCancel;
    form->HelpContext = helpContext;
    const int result = form->ShowModal();
    if (ShowAgainFlag) ShowAgainFlagValue = !form->CheckBoxChecked();
    return result;
}

TkvMessageForm::~TkvMessageForm() {
    if (window_.get() != nullptr) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

bool TkvMessageForm::CheckBoxChecked() const {
    HWND check = GetDlgItem(window_.get(), kMessageCheckBoxId);
    return check != nullptr && SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TkvMessageForm::PressButton(int button) {
    HWND b = GetDlgItem(window_.get(), kMessageButtonIdBase + button);
    if (b != nullptr) SendMessageW(b, BM_CLICK, 0, 0);
}

// Enter presses the focused button (or the default one), Escape the cancel button; true when used.
bool TkvMessageForm::HandleKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.hwnd != window_.get() && !IsChild(window_.get(), msg.hwnd)) return false;
    if (msg.wParam == VK_RETURN) {
        const int id = GetDlgCtrlID(GetFocus());
        if (GetParent(GetFocus()) == window_.get() && id >= kMessageButtonIdBase &&
            id < kMessageButtonIdBase + kMessageButtonCount) {
            PressButton(id - kMessageButtonIdBase);
        } else if (defaultButton_ >= 0) {
            PressButton(defaultButton_);
        }
        return true;
    }
    if (msg.wParam == VK_ESCAPE) {
        if (cancelButton_ >= 0) PressButton(cancelButton_);
        return true;
    }
    return false;
}

int TkvMessageForm::ShowModal() {
    HWND hwnd = window_.get();
    HWND owner = GetWindow(hwnd, GW_OWNER);
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(hwnd, SW_SHOW);
    HWND first = defaultButton_ >= 0 ? GetDlgItem(hwnd, kMessageButtonIdBase + defaultButton_) : nullptr;
    if (first == nullptr) first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    SetFocus(first != nullptr ? first : hwnd);

    modalResult_ = mrNone;
    closed_ = false;
    MSG msg;
    while (!closed_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The application is ending: let the outer loop see the quit request too.
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
            modalResult_ = mrCancel;
            break;
        }
        if (HandleKey(msg)) continue;
        if (IsDialogMessageW(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Re-enable the owner before the dialog goes, so that activation returns to it.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (owner != nullptr) SetActiveWindow(owner);
    return modalResult_;
}

LRESULT CALLBACK TkvMessageForm::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* form = reinterpret_cast<TkvMessageForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form != nullptr) {
        switch (msg) {
            case WM_COMMAND: {
                const int id = LOWORD(wp);
                if (HIWORD(wp) == BN_CLICKED && id >= kMessageButtonIdBase &&
                    id < kMessageButtonIdBase + kMessageButtonCount) {
                    const int result = kMessageButtonTable[id - kMessageButtonIdBase].modalResult;
                    // A button without a modal result (Help) does not close the dialog; there is no help file to show.
                    if (result != mrNone) {
                        form->modalResult_ = result;
                        form->closed_ = true;
                    }
                    return 0;
                }
                break;
            }
            case WM_CLOSE:
                form->modalResult_ = mrCancel;
                form->closed_ = true;
                return 0;
            case WM_CTLCOLORSTATIC:
                SetBkMode(fw::DCView::fromWParam(wp).get(), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            default: break;
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
