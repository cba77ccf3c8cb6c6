#include "framework/Application.h"

#include <algorithm>
#include <cwctype>

#include <ole2.h>

#include "framework/ClassRegistry.h"
#include "framework/Form.h"
#include "framework/Hints.h"
#include "framework/PlatformPictures.h"
#include "framework/StandardClasses.h"
#include "framework/Utf.h"

namespace fw {

namespace {
// The application object of the process; set by its constructor, cleared by its destructor.
Application* theApplication = nullptr;

WindowedControl* controlOf(HWND hwnd) {
    for (; hwnd; hwnd = GetParent(hwnd))
        if (WindowedControl* c = WindowedControl::fromHandle(hwnd)) return c;
    return nullptr;
}
}  // namespace

bool preTranslateMessage(MSG& msg) {
    if (theApplication) theApplication->hints().messageSeen(msg);
    if (theApplication && theApplication->runMessageHooks(msg)) return true;
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    WindowedControl* target = controlOf(msg.hwnd);
    if (!target) return false;
    Form* form = target->parentForm();
    if (!form) return false;
    if (form->onShortCut) {
        bool handled = false;
        form->onShortCut(form, msg.wParam, shiftState(), handled);
        if (handled) return true;
    }
    const ShiftState shift = shiftState();
    if (!shift.ctrl && (msg.message == WM_KEYDOWN || shift.alt)) {
        const wchar_t ch = static_cast<wchar_t>(MapVirtualKeyW(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR) &
                                                0xFFFF);
        if (iswalnum(ch) && form->dialogChar(target, ch, shift.alt)) return true;
    }
    if (msg.message != WM_KEYDOWN) return false;
    WPARAM key = msg.wParam;
    if (form->keyPreview() && form->onKeyDown && target != form) {
        form->onKeyDown(form, key, shiftState());
        if (key == 0) return true;
        msg.wParam = key;
    }
    return form->dialogNavigation(target, key);
}

bool processMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the loop that owns the program
            return false;
        }
        if (!preTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void showException(const std::exception& e) {
    std::wstring text = utf8ToWide(e.what());
    std::wstring title = theApplication ? theApplication->title() : std::wstring();
    MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

bool useOle() {
    Application* app = theApplication;
    if (!app) return false;
    if (!app->oleTried_) {
        app->oleTried_ = true;
        app->oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
    }
    return app->oleStarted_;
}

Application::Application()
    : classes_(std::make_unique<ClassRegistry>()), hints_(std::make_unique<HintPump>()) {
    theApplication = this;
    registerStandardClasses(*classes_);
    registerPlatformPictureFormats();
}

Application::~Application() {
    destroyComponents();
    if (oleStarted_) OleUninitialize();  // after the forms, which may hold OLE objects
    if (theApplication == this) theApplication = nullptr;
}

Application* Application::instance() { return theApplication; }

ClassRegistry& Application::classes() { return *classes_; }

void Application::removeForm(Form* f) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
    if (mainForm_ == f) mainForm_ = nullptr;
}

void Application::notification(Component* c, Operation op) {
    if (op == Operation::Remove && c == mainForm_) mainForm_ = nullptr;
}

void Application::hookMessages(const void* key, MessageHook hook) {
    for (auto& h : hooks_)
        if (h.first == key) {
            h.second = std::move(hook);
            return;
        }
    hooks_.emplace_back(key, std::move(hook));
}

void Application::unhookMessages(const void* key) {
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [key](const auto& h) { return h.first == key; }),
                 hooks_.end());
}

bool Application::runMessageHooks(MSG& msg) {
    if (hooks_.empty()) return false;
    // A hook may remove itself or another one while it runs: work on a copy.
    const auto hooks = hooks_;
    for (const auto& h : hooks)
        if (h.second && h.second(msg)) return true;
    return false;
}

void Application::terminate() {
    if (!terminated_) PostQuitMessage(0);
    terminated_ = true;
}

void Application::run() {
    if (!mainForm_) return;
    mainForm_->show();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {  // until terminate()'s WM_QUIT
        if (!preTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    terminated_ = true;
}

}  // namespace fw
