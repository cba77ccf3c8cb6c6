// The application: title, main form, the message loop and the list of all forms.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/Component.h"

namespace fw {

class Form;
class ClassRegistry;
class HintPump;

// Pumps the thread's queue until it is empty (keyboard navigation applied); false after WM_QUIT was seen.
bool processMessages();
// Keyboard handling that happens before a message is dispatched (tab order, default/cancel buttons, key preview).
// True when the message was consumed.
bool preTranslateMessage(MSG& msg);
// Shows an error that reached the message loop in the platform's standard error box.
void showException(const std::exception& e);
// Starts OLE (and COM, single-threaded apartment) on the user-interface thread when first needed, rather than at
// start-up: the window needs none of it to show, and loading it costs the start time. Called before the shell's
// namespace, an automation object or the shell's "open" is used; the application undoes it when it ends, after
// its forms. Without an application object it does nothing (the thread's owner then starts OLE itself). True
// when OLE is usable on this thread.
bool useOle();

class Application : public Component {
public:
    Application();
    ~Application() override;
    // The one application object of the process (nullptr before it is made).
    static Application* instance();

    const std::wstring& title() const { return title_; }
    void setTitle(std::wstring t) { title_ = std::move(t); }

    // Creates a form owned by the application; the first one becomes the main form.
    template <class F, class... Args>
    F& createForm(Args&&... args) {
        F& f = create<F>(std::forward<Args>(args)...);
        if (!mainForm_) mainForm_ = &f;
        return f;
    }
    Form* mainForm() const { return mainForm_; }
    void setMainForm(Form* f) { mainForm_ = f; }

    // Shows the main form and runs the message loop until the main form closes.
    void run();
    void processMessages() { fw::processMessages(); }
    void terminate();
    bool terminated() const { return terminated_; }

    // A hook sees every message the application's loops take from the queue before anything else does (a skinned
    // menu's tracking takes the keys this way while the focus stays on its form); true swallows the message.
    // One hook per key; installing again under the same key replaces it.
    using MessageHook = std::function<bool(MSG&)>;
    void hookMessages(const void* key, MessageHook hook);
    void unhookMessages(const void* key);
    bool runMessageHooks(MSG& msg);

    // When and where hints show (Hints.h).
    HintPump& hints() { return *hints_; }

    // Every form that exists, in creation order (owned by the application or not).
    const std::vector<Form*>& forms() const { return forms_; }

    // Classes that form descriptions may name (the framework's own are registered by the constructor).
    ClassRegistry& classes();

    void notification(Component* c, Operation op) override;

private:
    friend class Form;
    void addForm(Form* f) { forms_.push_back(f); }
    void removeForm(Form* f);

    std::wstring title_;
    Form* mainForm_ = nullptr;
    std::vector<Form*> forms_;
    std::vector<std::pair<const void*, MessageHook>> hooks_;
    bool terminated_ = false;
    std::unique_ptr<ClassRegistry> classes_;
    std::unique_ptr<HintPump> hints_;
    friend bool useOle();
    bool oleStarted_ = false;  // OleInitialize succeeded: OleUninitialize when the application ends
    bool oleTried_ = false;
};

}  // namespace fw
