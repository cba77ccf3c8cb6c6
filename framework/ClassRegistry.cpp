#include "framework/ClassRegistry.h"

#include <stdexcept>

namespace fw {

const PropertySetter* ClassInfo::findProperty(std::string_view name) const {
    for (const ClassInfo* c = this; c; c = c->base_) {
        auto it = c->setters_.find(name);
        if (it != c->setters_.end()) return &it->second;
    }
    return nullptr;
}

bool ClassInfo::inheritsFrom(std::string_view className) const {
    for (const ClassInfo* c = this; c; c = c->base_)
        if (c->name_ == className) return true;
    return false;
}

ClassInfo& ClassRegistry::addClass(const std::string& name, std::string_view baseName, ComponentFactory factory) {
    const ClassInfo* base = nullptr;
    if (!baseName.empty()) {
        base = find(baseName);
        if (!base)
            throw std::logic_error("class '" + name + "' names an unregistered base '" + std::string(baseName) + "'");
    }
    if (classes_.count(name)) throw std::logic_error("class '" + name + "' is registered twice");
    auto info = std::make_unique<ClassInfo>(name, base, std::move(factory));
    ClassInfo& ref = *info;
    classes_.emplace(name, std::move(info));
    return ref;
}

const ClassInfo* ClassRegistry::find(std::string_view name) const {
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : it->second.get();
}

}  // namespace fw
