#include "framework/Component.h"

#include <algorithm>

namespace fw {

Component::Component(Component* owner) : owner_(owner) {}

Component::~Component() {
    destroying_ = true;
    notifyAll(Operation::Remove);
    destroyComponents();
}

void Component::destroyComponents() {
    // Newest first, while this object is still whole.
    while (!owned_.empty()) {
        std::unique_ptr<Component> c = std::move(owned_.back());
        owned_.pop_back();
        ownedView_.pop_back();
        c.reset();
    }
}

void Component::notifyAll(Operation op) {
    if (owner_) {
        for (Component* sibling : owner_->ownedView_)
            if (sibling != this) sibling->notification(this, op);
        if (op == Operation::Remove || !owner_->destroying_) owner_->notification(this, op);
    }
    if (op == Operation::Remove) {
        std::vector<Component*> watchers = std::move(freeNotifies_);
        freeNotifies_.clear();
        for (Component* w : watchers) {
            auto& list = w->freeNotifies_;
            list.erase(std::remove(list.begin(), list.end(), this), list.end());
            w->notification(this, Operation::Remove);
        }
    }
}

Component* Component::findComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (Component* c : ownedView_)
        if (c->name_ == name) return c;
    return nullptr;
}

Component& Component::adopt(std::unique_ptr<Component> c) {
    Component& ref = *c;
    ref.owner_ = this;
    owned_.push_back(std::move(c));
    ownedView_.push_back(&ref);
    ref.notifyAll(Operation::Insert);
    return ref;
}

void Component::destroyComponent(Component* c) {
    auto it = std::find_if(owned_.begin(), owned_.end(), [c](const auto& p) { return p.get() == c; });
    if (it == owned_.end()) return;
    std::unique_ptr<Component> doomed = std::move(*it);
    owned_.erase(it);
    ownedView_.erase(std::find(ownedView_.begin(), ownedView_.end(), c));
    doomed.reset();  // its destructor notifies the former siblings and watchers
}

void Component::freeNotification(Component* c) {
    if (!c || c == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), c) == freeNotifies_.end()) freeNotifies_.push_back(c);
    if (std::find(c->freeNotifies_.begin(), c->freeNotifies_.end(), this) == c->freeNotifies_.end())
        c->freeNotifies_.push_back(this);
}

void Component::removeFreeNotification(Component* c) {
    if (!c) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), c), freeNotifies_.end());
    c->freeNotifies_.erase(std::remove(c->freeNotifies_.begin(), c->freeNotifies_.end(), this), c->freeNotifies_.end());
}

}  // namespace fw
