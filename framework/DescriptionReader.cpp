#include "framework/DescriptionReader.h"

namespace fw {

const NotifyEvent* Binder::findMethod(std::string_view name) const {
    for (const auto& [n, fn] : methods_)
        if (n == name) return &fn;
    return nullptr;
}

void DescriptionReader::read(std::string_view text, Component& root) { read(parseDescription(text), root); }

void DescriptionReader::read(const ObjectNode& tree, Component& root) {
    root_ = &root;
    created_.clear();
    references_.clear();
    events_.clear();
    const ClassInfo* cls = classes_.find(tree.className);
    if (!cls) throw DescriptionError(tree.line, "unknown class '" + tree.className + "'");
    root.setName(tree.name);
    root.setLoading(true);
    setProperties(tree, *cls, root);
    for (const ObjectNode& child : tree.children) readObject(child, root);

    for (const Fixup& f : references_) {
        Component* target = findByName(f.name);
        if (!target) throw DescriptionError(f.line, "unknown component '" + f.name + "'");
        f.apply(target);
    }
    for (const EventFixup& e : events_) {
        const NotifyEvent* fn = binder_ ? binder_->findMethod(e.name) : nullptr;
        if (!fn) throw DescriptionError(e.line, "unknown method '" + e.name + "'");
        e.apply(*fn);
    }
    if (binder_) {
        for (const Binder::Field& f : binder_->fields_) {
            Component* c = findByName(f.name);
            if (!c) throw DescriptionError(tree.line, "field '" + f.name + "' has no component in the description");
            if (!f.bind(c)) throw DescriptionError(tree.line, "field '" + f.name + "' is of another class");
        }
    }
    for (Component* c : created_) c->setLoading(false);
    root.setLoading(false);
    for (Component* c : created_) c->loaded();
    root.loaded();
}

void DescriptionReader::readObject(const ObjectNode& node, Component& container) {
    const ClassInfo* cls = classes_.find(node.className);
    if (!cls) throw DescriptionError(node.line, "unknown class '" + node.className + "'");
    if (!cls->factory()) throw DescriptionError(node.line, "class '" + node.className + "' cannot be created");
    if (findByName(node.name)) throw DescriptionError(node.line, "duplicate component name '" + node.name + "'");
    std::unique_ptr<Component> made = cls->factory()(root_);
    made->setName(node.name);
    made->setLoading(true);
    Component& c = root_->adopt(std::move(made));
    created_.push_back(&c);
    if (classes_.nest) classes_.nest(c, container);
    setProperties(node, *cls, c);
    for (const ObjectNode& child : node.children) readObject(child, c);
}

void DescriptionReader::setProperties(const ObjectNode& node, const ClassInfo& cls, Component& target) {
    for (const PropertyNode& p : node.properties) {
        const PropertySetter* set = cls.findProperty(p.name);
        if (!set) throw DescriptionError(p.line, "class '" + cls.name() + "' has no property '" + p.name + "'");
        try {
            (*set)(target, p.value, *this);
        } catch (const DescriptionError& e) {
            throw DescriptionError(e.line(), "property '" + p.name + "' of '" + node.name + "': " + e.message());
        }
    }
}

Component* DescriptionReader::findByName(const std::string& name) const {
    if (name == root_->name()) return root_;
    for (Component* c : created_)
        if (c->name() == name) return c;
    return nullptr;
}

void DescriptionReader::reference(const Value& v, std::function<void(Component*)> apply) {
    if (v.kind == Value::Kind::Identifier && v.text == "none") return;  // explicitly no reference
    if (v.kind != Value::Kind::Reference) throw DescriptionError(v.line, "a component reference (&name) expected");
    references_.push_back({v.line, v.text, std::move(apply)});
}

void DescriptionReader::event(const Value& v, std::function<void(const NotifyEvent&)> apply) {
    if (v.kind != Value::Kind::Event) throw DescriptionError(v.line, "an event method (@name) expected");
    events_.push_back({v.line, v.text, std::move(apply)});
}

std::vector<std::uint8_t> DescriptionReader::binary(const Value& v) {
    if (v.kind == Value::Kind::Include) {
        if (!include_) throw DescriptionError(v.line, "nothing to include '" + v.text + "' from");
        return include_(v.text);
    }
    return v.binary();
}

}  // namespace fw
