// Classes that form descriptions may name: a factory per class and its typed property setters (portable).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "framework/Component.h"
#include "framework/Description.h"
#include "framework/Events.h"

namespace fw {

class DescriptionReader;

using ComponentFactory = std::function<std::unique_ptr<Component>(Component* owner)>;
using PropertySetter = std::function<void(Component& target, const Value& value, DescriptionReader& reader)>;

class ClassInfo {
public:
    ClassInfo(std::string name, const ClassInfo* base, ComponentFactory factory)
        : name_(std::move(name)), base_(base), factory_(std::move(factory)) {}

    const std::string& name() const { return name_; }
    const ClassInfo* base() const { return base_; }
    const ComponentFactory& factory() const { return factory_; }

    // Adds a property for objects of class T: set(object, value, reader). Names may be dotted ("Font.Name").
    template <class T>
    ClassInfo& property(const std::string& name, std::function<void(T&, const Value&, DescriptionReader&)> set) {
        setters_[name] = [set = std::move(set), cls = name_](Component& c, const Value& v, DescriptionReader& r) {
            T* target = dynamic_cast<T*>(&c);
            if (!target) throw DescriptionError(v.line, "object is not of class '" + cls + "'");
            set(*target, v, r);
        };
        return *this;
    }
    // The setter of a property, looked up in this class and then its bases; nullptr when unknown.
    const PropertySetter* findProperty(std::string_view name) const;
    bool inheritsFrom(std::string_view className) const;

private:
    std::string name_;
    const ClassInfo* base_;
    ComponentFactory factory_;
    std::map<std::string, PropertySetter, std::less<>> setters_;
};

class ClassRegistry {
public:
    // Registers class T (constructible from its owner) under a name, with the properties of a registered base.
    template <class T>
    ClassInfo& add(const std::string& name, std::string_view baseName = {}) {
        return addClass(name, baseName,
                        [](Component* owner) -> std::unique_ptr<Component> { return std::make_unique<T>(owner); });
    }
    // A class that only lends its properties (roots and bases that descriptions do not create).
    ClassInfo& addAbstract(const std::string& name, std::string_view baseName = {}) {
        return addClass(name, baseName, nullptr);
    }
    ClassInfo& addClass(const std::string& name, std::string_view baseName, ComponentFactory factory);
    const ClassInfo* find(std::string_view name) const;

    // Places an object inside the object that encloses it in the description (controls get their parent here).
    std::function<void(Component& child, Component& container)> nest;

private:
    std::map<std::string, std::unique_ptr<ClassInfo>, std::less<>> classes_;
};

}  // namespace fw
