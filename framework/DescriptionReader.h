// Builds components from a parsed description (portable).
//
// Reading a description into a root component (a form):
//   1. the root's own properties are set (the root's class must be registered, usually as abstract);
//   2. every nested object is created through its class's factory, owned by the root, named, placed in its
//      enclosing object (ClassRegistry::nest) and given its properties in text order;
//   3. after the WHOLE text is read, references (&name) are resolved in text order, then events (@method) are
//      bound to the methods the binder offers, then the binder's fields are filled;
//   4. loading ends: loaded() is called on every created component in creation order, then on the root.
// <include "NAME"> binary values are fetched through the include loader (in the program: RCDATA resources).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Description.h"
#include "framework/Events.h"

namespace fw {

// What a form class offers a description: pointers to its components (fields) and its event methods, by name.
class Binder {
public:
    // After reading, slot points to the component of that name; reading fails if it is missing or not a T.
    template <class T>
    void field(std::string name, T*& slot) {
        fields_.push_back({std::move(name), [&slot](Component* c) {
                               slot = dynamic_cast<T*>(c);
                               return slot != nullptr;
                           }});
    }
    void method(std::string name, NotifyEvent fn) { methods_.push_back({std::move(name), std::move(fn)}); }
    const NotifyEvent* findMethod(std::string_view name) const;

private:
    friend class DescriptionReader;
    struct Field {
        std::string name;
        std::function<bool(Component*)> bind;
    };
    std::vector<Field> fields_;
    std::vector<std::pair<std::string, NotifyEvent>> methods_;
};

using IncludeLoader = std::function<std::vector<std::uint8_t>(const std::string& name)>;

class DescriptionReader {
public:
    DescriptionReader(const ClassRegistry& classes, Binder* binder = nullptr, IncludeLoader include = {})
        : classes_(classes), binder_(binder), include_(std::move(include)) {}

    // Parses text and reads it into root. Throws DescriptionError.
    void read(std::string_view text, Component& root);
    void read(const ObjectNode& tree, Component& root);

    // For property setters: apply(target) runs once every component exists.
    void reference(const Value& v, std::function<void(Component* target)> apply);
    // For event properties: apply(handler) runs after references, with the binder's method of that name.
    void event(const Value& v, std::function<void(const NotifyEvent& handler)> apply);
    // Bytes of a binary value, fetching <include "NAME"> through the loader.
    std::vector<std::uint8_t> binary(const Value& v);

    Component& root() const { return *root_; }

private:
    void readObject(const ObjectNode& node, Component& container);
    void setProperties(const ObjectNode& node, const ClassInfo& cls, Component& target);
    Component* findByName(const std::string& name) const;

    const ClassRegistry& classes_;
    Binder* binder_;
    IncludeLoader include_;
    Component* root_ = nullptr;
    std::vector<Component*> created_;
    struct Fixup {
        int line;
        std::string name;
        std::function<void(Component*)> apply;
    };
    struct EventFixup {
        int line;
        std::string name;
        std::function<void(const NotifyEvent&)> apply;
    };
    std::vector<Fixup> references_;
    std::vector<EventFixup> events_;
};

}  // namespace fw
