// Components: named objects with an owner that owns and destroys them, and the removal notification that lets a
// component drop its references to another component before that one is gone. Portable (no platform calls), so
// that non-visual components such as the skin model can be built and tested natively.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace fw {

enum class Operation { Insert, Remove };

class Component {
public:
    explicit Component(Component* owner = nullptr);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    Component* owner() const { return owner_; }

    // Owned components in insertion order.
    const std::vector<Component*>& components() const { return ownedView_; }
    Component* findComponent(const std::string& name) const;

    // Creates a component owned by this one.
    template <class T, class... Args>
    T& create(Args&&... args) {
        auto c = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& ref = *c;
        adopt(std::move(c));
        return ref;
    }
    // Takes ownership of a component made elsewhere (the description reader's factories). Its owner must be this.
    Component& adopt(std::unique_ptr<Component> c);
    // Destroys an owned component now.
    void destroyComponent(Component* c);
    // Destroys every owned component now, newest first (a form does this while it is still whole).
    void destroyComponents();

    // Asks to be told (through notification(c, Remove)) when c is destroyed, even if c has another owner.
    void freeNotification(Component* c);
    void removeFreeNotification(Component* c);

    // Called when a component is inserted into or removed from this component's owner, and for every
    // component registered with freeNotification. Override to clear references.
    virtual void notification(Component* c, Operation op) {}

    // Called by the description reader after every property of the whole description was read and every
    // reference resolved.
    virtual void loaded() {}
    bool loading() const { return loading_; }
    void setLoading(bool v) { loading_ = v; }

private:
    void notifyAll(Operation op);

    std::string name_;
    Component* owner_ = nullptr;
    std::vector<std::unique_ptr<Component>> owned_;
    std::vector<Component*> ownedView_;
    std::vector<Component*> freeNotifies_;  // both directions: who watches us and whom we watch
    bool loading_ = false;
    bool destroying_ = false;
};

}  // namespace fw
