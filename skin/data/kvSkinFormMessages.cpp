// The skin model's messages on Windows: every form of the application gets them as window messages, sent
// synchronously, first parameter the model and second 1000.
#include <windows.h>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/data/kvSkinData.h"

namespace {

class WindowsSkinFormMessenger final : public SkinFormMessenger {
public:
    FormRef FormOf(const fw::Component* c) override { return dynamic_cast<const fw::Form*>(c); }

    std::vector<FormRef> AllForms() override {
        fw::Application* app = fw::Application::instance();
        if (!app) return {};
        return {app->forms().begin(), app->forms().end()};
    }

    void Send(FormRef form, unsigned msg, const TkvSkinData* model, std::intptr_t param) override {
        auto* f = const_cast<fw::Form*>(static_cast<const fw::Form*>(form));
        WPARAM w = reinterpret_cast<WPARAM>(model);
        // A form whose window exists gets a real window message. One still being read from its description has
        // none yet: it gets the same message through its window procedure, so that the skin change does not
        // create its window before its properties are in place.
        if (f->handleAllocated()) SendMessageW(f->handle(), msg, w, static_cast<LPARAM>(param));
        else f->perform(msg, w, static_cast<LPARAM>(param));
    }
};

}  // namespace

SkinFormMessenger* DefaultSkinFormMessenger() {
    static WindowsSkinFormMessenger messenger;  // stateless: it asks the application for its forms every time
    return &messenger;
}
