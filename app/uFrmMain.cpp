#include "app/uFrmMain.h"

#include <commdlg.h>

#include "app/Win32FileOperations.h"

namespace {

struct ElementSpec {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;  // client pixels at 96 dpi
    const wchar_t* caption;
};

// Width of the browse button inside the file-name field.
constexpr int kBrowseButtonWidth = 21;

// The window's elements in tab order (the platform's tab order is the creation order).
const ElementSpec kElements[] = {
    {idTopPnl, L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, WS_EX_STATICEDGE, 0, 0, 546, 49, L"TopPnl"},
    {idKvSkinLabel1, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, 72, 80, 329, 21, L"文件名:"},
    {idEdtDatabaseFile, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 72, 104, 329 - kBrowseButtonWidth, 20, L""},
    {idEdtDatabaseFileButton, L"BUTTON", BS_PUSHBUTTON, 0, 72 + 329 - kBrowseButtonWidth, 104, kBrowseButtonWidth, 20,
     L"..."},
    {idKvSkinLabel2, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, 72, 136, 329, 21, L"数据库密码(如无请留空):"},
    {idEdtPassword, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE, 72, 160, 329, 21, L""},
    {idKvSkinButton1, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, 72, 200, 209, 25, L"压缩数据库"},
    {idKvSkinButton2, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, 288, 200, 115, 25, L"退出"},
    {idLmStatusBar1, L"STATIC", SS_LEFT | SS_NOPREFIX, WS_EX_STATICEDGE, 0, 277, 546, 19, L""},
};

// The banner images sit on the top panel (filled at run time by the promotion service).
const ElementSpec kBanners[] = {
    {idImg1, L"STATIC", SS_NOTIFY, 0, 1, 1, 264, 47, L""},
    {idImg2, L"STATIC", SS_NOTIFY, 0, 265, 1, 280, 47, L""},
};

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;  // fixed single border, no border icons
constexpr int kClientWidth = 546, kClientHeight = 296;

HWND createElement(HWND parent, const ElementSpec& e, HFONT font) {
    HWND h = CreateWindowExW(e.exStyle, e.windowClass, e.caption, WS_CHILD | WS_VISIBLE | e.style, e.left, e.top, e.width,
                             e.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(e.id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

}  // namespace

TfrmMain::TfrmMain(EngineFactory engineFactory) : engineFactory_(std::move(engineFactory)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    kvui::registerPlainWindowClass(kMainFormClass, &TfrmMain::windowProc);
    font_ = kvui::createFont(kvui::FontSpec{L"MS Sans Serif", -12, false, GB2312_CHARSET});

    SkinMessage.DefaultFont = kvui::FontSpec{L"宋体", 12, false, DEFAULT_CHARSET};
    SkinMessage.DefaultButtonFont = SkinMessage.DefaultFont;
    SkinMessage.ApplicationTitle = kApplicationTitle;

    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, kFormStyle, FALSE, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    // Centred on the desktop; the designed position is not used.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kMainFormClass, kApplicationTitle, kFormStyle, left, top, width,
                                height, nullptr, nullptr, instance, this);
    window_ = kvui::OwnedWindow(hwnd);
    if (hwnd != nullptr) createElements();
}

TfrmMain::~TfrmMain() {
    if (window_.get() != nullptr) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

void TfrmMain::createElements() {
    for (const ElementSpec& e : kElements) {
        HWND h = createElement(window_.get(), e, font_.get());
        if (e.id == idTopPnl) {
            for (const ElementSpec& b : kBanners) createElement(h, b, font_.get());
        }
    }
}

void TfrmMain::show() {
    ShowWindow(window_.get(), SW_SHOW);
    UpdateWindow(window_.get());
    SetFocus(GetDlgItem(window_.get(), idEdtDatabaseFile));
}

bool TfrmMain::preTranslate(MSG& msg) {
    // Tab and Shift+Tab move between the elements in tab order.
    return window_.get() != nullptr && IsDialogMessageW(window_.get(), &msg);
}

int TfrmMain::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (preTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

std::u16string TfrmMain::controlText(int id) const {
    HWND h = GetDlgItem(window_.get(), id);
    const int length = GetWindowTextLengthW(h);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(h, text.data(), length + 1)));
    return std::u16string(text.begin(), text.end());
}

bool TfrmMain::CompactDatabaseFile(const std::u16string& fileName, const std::u16string& password) {
    Win32FileOperations files;
    return ::CompactDatabaseFile(fileName, password, files, engineFactory_);
}

void TfrmMain::kvSkinButton1Click() {
    CompactCommandHost host;
    host.fileNameText = [this] { return controlText(idEdtDatabaseFile); };
    host.passwordText = [this] { return controlText(idEdtPassword); };
    host.showMessageBox = [this](std::u16string_view text, TkvMessageKind kind, TkvMessageButtons buttons, int help) {
        return SkinMessage.ShowMessageBox(text, kind, buttons, help);
    };
    host.compactDatabaseFile = [this](const std::u16string& f, const std::u16string& p) {
        // The window does not respond while the engine works; show the wait cursor meanwhile.
        HCURSOR old = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
        const bool ok = CompactDatabaseFile(f, p);
        SetCursor(old);
        return ok;
    };
    RunCompactCommand(host);
}

void TfrmMain::kvSkinButton2Click() { DestroyWindow(window_.get()); }

void TfrmMain::browseDatabaseFile() {
    wchar_t name[MAX_PATH] = {};
    HWND edit = GetDlgItem(window_.get(), idEdtDatabaseFile);
    GetWindowTextW(edit, name, MAX_PATH);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = window_.get();
    ofn.lpstrFilter = L"Access 数据库文件\0*.mdb\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetOpenFileNameW(&ofn)) SetWindowTextW(edit, name);
}

LRESULT CALLBACK TfrmMain::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* form = reinterpret_cast<TfrmMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form != nullptr) return form->handle(hwnd, msg, wp, lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT TfrmMain::handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED) {
                switch (LOWORD(wp)) {
                    case idKvSkinButton1: kvSkinButton1Click(); return 0;
                    case idKvSkinButton2: kvSkinButton2Click(); return 0;
                    case idEdtDatabaseFileButton: browseDatabaseFile(); return 0;
                    default: break;
                }
            }
            break;
        case WM_CTLCOLORSTATIC:
            SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_CLOSE:
            kvSkinButton2Click();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        case WM_NCDESTROY:
            // The platform destroyed the window: nothing left to release.
            window_.release();
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
