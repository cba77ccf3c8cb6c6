#include "framework/DescriptionReader.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

// A stored blob, as the skin's stored package.
struct Store : Component {
    using Component::Component;
    std::vector<std::uint8_t> data;
};

// Refers to a store and "loads" it when the reference is resolved, as the skin model does.
struct Model : Component {
    using Component::Component;
    Store* store = nullptr;
    std::size_t loadedBytes = 0;
    bool storeWasComplete = false;
    std::vector<std::string>* log = nullptr;
    void setStore(Store* s) {
        store = s;
        if (s) freeNotification(s);
        storeWasComplete = s && !s->data.empty();
        loadedBytes = s ? s->data.size() : 0;
        if (log) log->push_back("resolved " + name());
    }
    void notification(Component* c, Operation op) override {
        if (op == Operation::Remove && c == store) store = nullptr;
    }
    void loaded() override {
        if (log) log->push_back("loaded " + name());
    }
};

struct Widget : Component {
    using Component::Component;
    int left = 0;
    std::wstring caption;
    enum class Kind { A, B } kind = Kind::A;
    std::vector<std::string> flags;
    std::string fontName;
    NotifyEvent onClick;
    Component* container = nullptr;
    bool wasLoadingWhileSet = false;
};

struct Root : Component {
    using Component::Component;
    int width = 0;
    std::vector<std::string> log;
};

ClassRegistry makeRegistry() {
    ClassRegistry r;
    r.addAbstract("Base").property<Component>("Tag",
                                              [](Component&, const Value& v, DescriptionReader&) { (void)v.toInt(); });
    r.add<Root>("TRoot", "Base").property<Root>("Width", [](Root& c, const Value& v, DescriptionReader&) {
        c.width = v.toInt();
    });
    r.add<Store>("TStore", "Base").property<Store>("Data", [](Store& c, const Value& v, DescriptionReader& rd) {
        c.data = rd.binary(v);
    });
    r.add<Model>("TModel", "Base").property<Model>("Store", [](Model& c, const Value& v, DescriptionReader& rd) {
        c.log = &static_cast<Root&>(rd.root()).log;
        rd.reference(v, [&c](Component* t) { c.setStore(dynamic_cast<Store*>(t)); });
    });
    static constexpr std::pair<std::string_view, Widget::Kind> kinds[] = {{"kA", Widget::Kind::A},
                                                                          {"kB", Widget::Kind::B}};
    r.add<Widget>("TWidget", "Base")
        .property<Widget>("Left",
                          [](Widget& c, const Value& v, DescriptionReader&) {
                              c.left = v.toInt();
                              c.wasLoadingWhileSet = c.loading();
                          })
        .property<Widget>("Caption", [](Widget& c, const Value& v, DescriptionReader&) { c.caption = v.toWide(); })
        .property<Widget>("Kind", [](Widget& c, const Value& v, DescriptionReader&) { c.kind = v.toEnum(kinds); })
        .property<Widget>("Flags", [](Widget& c, const Value& v, DescriptionReader&) { c.flags = v.set(); })
        .property<Widget>("Font.Name", [](Widget& c, const Value& v, DescriptionReader&) { c.fontName = v.toUtf8(); })
        .property<Widget>("OnClick", [](Widget& c, const Value& v, DescriptionReader& rd) {
            rd.event(v, [&c](const NotifyEvent& e) { c.onClick = e; });
        });
    r.nest = [](Component& child, Component& container) {
        if (auto* w = dynamic_cast<Widget*>(&child)) w->container = &container;
    };
    return r;
}

// The line of the DescriptionError a text raises (0 if none), with its message.
int readError(std::string_view text, std::string& message, Binder* binder = nullptr) {
    ClassRegistry r = makeRegistry();
    Root root;
    try {
        DescriptionReader(r, binder).read(text, root);
    } catch (const DescriptionError& e) {
        message = e.what();
        return e.line();
    }
    return 0;
}

}  // namespace

TEST(DescriptionReader, BuildsComponentsSetsPropertiesAndBindsFieldsAndEvents) {
    ClassRegistry r = makeRegistry();
    Root root;
    Widget* button = nullptr;
    int clicks = 0;
    Binder b;
    b.field("button", button);
    b.method("buttonClick", [&](Component* sender) { clicks += sender == button ? 1 : 100; });
    DescriptionReader(r, &b).read(R"(TRoot main {
      Width: 546;
      TWidget panel {
        TWidget button { Left: 72; Caption: "压缩"; Kind: kB; Flags: [x, y]; Font.Name: "Arial"; OnClick: @buttonClick; }
      }
    })",
                                  root);
    EXPECT_EQ(root.name(), "main");
    EXPECT_EQ(root.width, 546);
    ASSERT_EQ(root.components().size(), 2u);  // the root owns every component, nested or not
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->owner(), &root);
    EXPECT_EQ(button->container, root.findComponent("panel"));
    EXPECT_EQ(static_cast<Widget*>(root.findComponent("panel"))->container, &root);
    EXPECT_EQ(button->left, 72);
    EXPECT_TRUE(button->wasLoadingWhileSet);
    EXPECT_FALSE(button->loading());
    EXPECT_EQ(button->caption, L"压缩");
    EXPECT_EQ(button->kind, Widget::Kind::B);
    EXPECT_EQ(button->flags, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(button->fontName, "Arial");
    ASSERT_TRUE(button->onClick);
    button->onClick(button);
    EXPECT_EQ(clicks, 1);
}

TEST(DescriptionReader, ForwardReferencesResolveAfterTheWholeTextThenLoadedRuns) {
    ClassRegistry r = makeRegistry();
    Root root;
    std::vector<std::uint8_t> skin(44104, 0x5A);
    DescriptionReader reader(r, nullptr, [&](const std::string& name) {
        if (name != "KVSKIN") throw std::runtime_error("no such resource");
        return skin;
    });
    reader.read(R"(TRoot main {
      TModel model { Store: &store; }
      TStore store { Data: <include "KVSKIN">; }
    })",
                root);
    auto* model = static_cast<Model*>(root.findComponent("model"));
    auto* store = static_cast<Store*>(root.findComponent("store"));
    EXPECT_EQ(model->store, store);
    // The model saw the store complete: its data was read before the reference was resolved.
    EXPECT_TRUE(model->storeWasComplete);
    EXPECT_EQ(model->loadedBytes, 44104u);
    EXPECT_EQ(root.log, (std::vector<std::string>{"resolved model", "loaded model"}));
    root.destroyComponent(store);
    EXPECT_EQ(model->store, nullptr);
}

TEST(DescriptionReader, ReadingErrorsNameClassPropertyAndLine) {
    std::string msg;
    EXPECT_EQ(readError("TRoot main {\n TWidget w {\n  Colour: 3;\n }\n}", msg), 3);
    EXPECT_NE(msg.find("class 'TWidget' has no property 'Colour'"), std::string::npos) << msg;

    EXPECT_EQ(readError("TRoot main {\n TNothing w { }\n}", msg), 2);
    EXPECT_NE(msg.find("unknown class 'TNothing'"), std::string::npos) << msg;

    EXPECT_EQ(readError("TRoot main {\n TModel m {\n  Store: &missing;\n }\n}", msg), 3);
    EXPECT_NE(msg.find("unknown component 'missing'"), std::string::npos) << msg;

    EXPECT_EQ(readError("TRoot main {\n TWidget w {\n  Kind: kZ;\n }\n}", msg), 3);
    EXPECT_NE(msg.find("property 'Kind' of 'w': unknown value 'kZ'"), std::string::npos) << msg;

    EXPECT_EQ(readError("TRoot main {\n TWidget w { }\n TWidget w { }\n}", msg), 3);
    EXPECT_NE(msg.find("duplicate"), std::string::npos) << msg;

    EXPECT_EQ(readError("TRoot main {\n TWidget w {\n  OnClick: @nothing;\n }\n}", msg), 3);
    EXPECT_NE(msg.find("unknown method 'nothing'"), std::string::npos) << msg;

    EXPECT_EQ(readError("TRoot main {\n Base b { }\n}", msg), 2);  // abstract classes are not created
    EXPECT_EQ(readError("TRoot main {\n TStore s { Data: <include \"X\">; }\n}", msg), 2);  // nothing to include from

    // Properties of a base class are inherited; the root's own class must be known too.
    EXPECT_EQ(readError("TRoot main {\n TWidget w { Tag: 1; }\n}", msg), 0) << msg;
    EXPECT_EQ(readError("TUnknownRoot main { }", msg), 1);
}

TEST(DescriptionReader, BinderFieldsMustExistWithTheirClass) {
    std::string msg;
    Widget* w = nullptr;
    Binder missing;
    missing.field("absent", w);
    EXPECT_GT(readError("TRoot main {\n TWidget w { }\n}", msg, &missing), 0);
    EXPECT_NE(msg.find("'absent'"), std::string::npos) << msg;

    Binder wrongClass;
    wrongClass.field("s", w);
    EXPECT_GT(readError("TRoot main {\n TStore s { }\n}", msg, &wrongClass), 0);
    EXPECT_NE(msg.find("another class"), std::string::npos) << msg;
}

TEST(ClassRegistryTest, RefusesDuplicatesAndUnknownBases) {
    ClassRegistry r;
    r.addAbstract("A");
    EXPECT_THROW(r.addAbstract("A"), std::logic_error);
    EXPECT_THROW(r.addAbstract("B", "Missing"), std::logic_error);
    EXPECT_TRUE(r.addAbstract("C", "A").inheritsFrom("A"));
    EXPECT_EQ(r.find("D"), nullptr);
}
