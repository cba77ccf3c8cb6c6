// A form built from its description in the program's resources; the replaceable window procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/StandardClasses.h"
#include "framework/StdControls.h"
#include "framework/Timer.h"

using namespace fw;

namespace {

// Refers to a component that the description defines later, and holds included bytes.
struct Buddy : Component {
    using Component::Component;
    Component* partner = nullptr;
    std::string partnerCaptionAtResolve;
    std::vector<std::uint8_t> data;
    bool loadedCalled = false;
    void setPartner(Component* c) {
        partner = c;
        if (auto* b = dynamic_cast<Button*>(c)) partnerCaptionAtResolve = b->caption() == L"OK" ? "OK" : "?";
    }
    void loaded() override { loadedCalled = partner != nullptr; }
};

class TestForm : public Form {
public:
    Edit* nameEdit = nullptr;
    Edit* secret = nullptr;
    Button* okButton = nullptr;
    Panel* top = nullptr;
    Label* title = nullptr;
    Buddy* buddy = nullptr;
    Timer* tick = nullptr;
    int shows = 0;
    int okClicks = 0;

    explicit TestForm(const ClassRegistry& classes) : Form(nullptr) {
        Binder b;
        b.field("name", nameEdit);
        b.field("secret", secret);
        b.field("okButton", okButton);
        b.field("top", top);
        b.field("title", title);
        b.field("buddy", buddy);
        b.field("tick", tick);
        b.method("formShow", [this](Component*) { ++shows; });
        b.method("okClick", [this](Component*) { ++okClicks; });
        loadFormFromResource(*this, L"KVTESTFORM", classes, &b);
    }
};

ClassRegistry& testClasses() {
    static ClassRegistry classes = [] {
        ClassRegistry r;
        registerStandardClasses(r);
        r.addAbstract("TTestForm", "Form");
        r.add<Buddy>("Buddy")
            .property<Buddy>("Partner",
                             [](Buddy& b, const Value& v, DescriptionReader& rd) {
                                 rd.reference(v, [&b](Component* c) { b.setPartner(c); });
                             })
            .property<Buddy>("Data", [](Buddy& b, const Value& v, DescriptionReader& rd) { b.data = rd.binary(v); });
        return r;
    }();
    return classes;
}

void pump() {
    for (int i = 0; i < 3; ++i) {
        processMessages();
        Sleep(1);
    }
}

}  // namespace

TEST(FormReader, BuildsTheFormFromItsResourceDescription) {
    TestForm f(testClasses());
    EXPECT_EQ(f.name(), "testForm");
    EXPECT_EQ(f.caption(), L"测试 form");
    EXPECT_EQ(f.clientWidth(), 300);
    EXPECT_EQ(f.clientHeight(), 200);
    EXPECT_EQ(f.borderStyle(), BorderStyle::Single);
    EXPECT_FALSE(f.borderIcons().systemMenu);

    // Fields bound, parents from nesting, owner is the form.
    ASSERT_NE(f.title, nullptr);
    EXPECT_EQ(f.title->parent(), f.top);
    EXPECT_EQ(f.top->parent(), &f);
    EXPECT_EQ(f.nameEdit->owner(), &f);
    EXPECT_EQ(f.top->boundsRect(), (Rect{0, 0, 300, 40}));  // aligned to the top of the client area

    // Parent font: controls follow the form's font unless they set their own.
    EXPECT_EQ(f.nameEdit->font().name(), L"Arial");
    EXPECT_EQ(f.title->font().charset(), GB2312_CHARSET);

    // The forward reference was resolved after the whole description, so the partner was complete.
    EXPECT_EQ(f.buddy->partner, f.okButton);
    EXPECT_EQ(f.buddy->partnerCaptionAtResolve, "OK");
    EXPECT_TRUE(f.buddy->loadedCalled);
    EXPECT_EQ(f.buddy->data, (std::vector<std::uint8_t>{0x78, 0x9C, 0x01, 0x02, 0x03}));

    // Tab order from the description, not from creation order.
    EXPECT_EQ(f.secret->tabOrder(), 1);
    EXPECT_EQ(f.nameEdit->tabOrder(), 2);
    EXPECT_EQ(f.secret->passwordChar(), L'*');
    EXPECT_EQ(f.okButton->modalResult(), mrOk);
    EXPECT_FALSE(f.tick->enabled());
    EXPECT_EQ(f.tick->interval(), 50u);

    // Events are bound to the form's methods.
    f.show();
    pump();
    EXPECT_EQ(f.shows, 1);
    SendMessageW(f.okButton->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.okClicks, 1);
    // The password edit masks its text in the platform window.
    EXPECT_EQ(SendMessageW(f.secret->handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
}

TEST(FormReader, ErrorsInADescriptionNameTheLine) {
    Form f;
    try {
        loadFormFromText(f, "TTestForm f {\n  Edit e {\n    Colour: clRed;\n  }\n}", testClasses());
        FAIL() << "no error";
    } catch (const DescriptionError& e) {
        EXPECT_EQ(e.line(), 3);
        EXPECT_NE(std::string(e.what()).find("class 'Edit' has no property 'Colour'"), std::string::npos) << e.what();
    }
}

namespace {
// The form's own handler logs what reaches it.
class LoggingForm : public Form {
public:
    std::vector<std::string>* log = nullptr;

protected:
    void wndProc(Message& m) override {
        if (log && m.msg >= WM_USER && m.msg < WM_USER + 100) log->push_back("form " + std::to_string(m.msg - WM_USER));
        Form::wndProc(m);
    }
};

// Takes over the host form's window procedure in three stages and gives it back on destruction, as the skinned
// frame does.
class FrameHook : public Component {
public:
    FrameHook(Component* owner, std::vector<std::string>* log, const char* tag)
        : Component(owner), host_(dynamic_cast<Form&>(*owner)), log_(log), tag_(tag) {
        saved_ = host_.windowProc;
        host_.windowProc = [this](Message& m) { hook(m); };
    }
    ~FrameHook() override { host_.windowProc = saved_; }

private:
    void hook(Message& m) {
        bool mine = m.msg >= WM_USER && m.msg < WM_USER + 100;
        if (mine) log_->push_back(tag_ + " before " + std::to_string(m.msg - WM_USER));
        if (m.msg == WM_USER + 50) {  // handled here, no default
            m.result = 77;
            return;
        }
        saved_(m);
        if (mine) log_->push_back(tag_ + " after " + std::to_string(m.msg - WM_USER));
    }
    Form& host_;
    std::vector<std::string>* log_;
    std::string tag_;
    std::function<void(Message&)> saved_;
};
}  // namespace

TEST(WindowProcedure, ReplacedSavedAndRestoredWithMessagesInOrder) {
    std::vector<std::string> log;
    LoggingForm form;
    form.log = &log;
    HWND h = form.handle();
    auto& outer = form.create<FrameHook>(&log, "frame");
    SendMessageW(h, WM_USER + 1, 0, 0);
    EXPECT_EQ(SendMessageW(h, WM_USER + 50, 0, 0), 77);
    EXPECT_EQ(log, (std::vector<std::string>{"frame before 1", "form 1", "frame after 1", "frame before 50"}));

    // A second hook stacks on the first; removing them in reverse order restores each stage.
    log.clear();
    auto& inner = form.create<FrameHook>(&log, "second");
    SendMessageW(h, WM_USER + 2, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"second before 2", "frame before 2", "form 2", "frame after 2",
                                             "second after 2"}));
    log.clear();
    form.destroyComponent(&inner);
    form.destroyComponent(&outer);
    SendMessageW(h, WM_USER + 3, 0, 0);
    EXPECT_EQ(SendMessageW(h, WM_USER + 50, 0, 0), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"form 3", "form 50"}));

    // perform() goes through the replaceable procedure too.
    log.clear();
    form.create<FrameHook>(&log, "frame");
    form.perform(WM_USER + 4);
    EXPECT_EQ(log, (std::vector<std::string>{"frame before 4", "form 4", "frame after 4"}));
    // The form destroys the hook while it is whole; nothing runs on a dead hook afterwards.
}
