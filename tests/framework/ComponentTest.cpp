#include "framework/Component.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {
// Holds a reference to another component and drops it when told of its removal.
struct Holder : Component {
    using Component::Component;
    Component* ref = nullptr;
    void notification(Component* c, Operation op) override {
        if (op == Operation::Remove && c == ref) ref = nullptr;
    }
};
struct Counted : Component {
    Counted(Component* owner, int* alive) : Component(owner), alive_(alive) { ++*alive_; }
    ~Counted() override { --*alive_; }
    int* alive_;
};
}  // namespace

TEST(Component, OwnerDestroysOwnedComponents) {
    int alive = 0;
    {
        Component form;
        auto& a = form.create<Counted>(&alive);
        a.create<Counted>(&alive);
        form.create<Counted>(&alive);
        EXPECT_EQ(alive, 3);
    }
    EXPECT_EQ(alive, 0);
}

TEST(Component, SiblingIsToldOfRemoval) {
    Component form;
    auto& holder = form.create<Holder>();
    auto& target = form.create<Component>();
    target.setName("skin");
    holder.ref = &target;
    EXPECT_EQ(form.findComponent("skin"), &target);
    form.destroyComponent(&target);
    EXPECT_EQ(holder.ref, nullptr);
    EXPECT_EQ(form.findComponent("skin"), nullptr);
}

TEST(Component, FreeNotificationCrossesOwners) {
    Component formA, formB;
    auto& holder = formA.create<Holder>();
    {
        Component* target = &formB.create<Component>();
        holder.ref = target;
        holder.freeNotification(target);
        formB.destroyComponent(target);
    }
    EXPECT_EQ(holder.ref, nullptr);
    // The watcher dying first must not leave a dangling watcher behind.
    auto& target2 = formB.create<Component>();
    auto* holder2 = &formA.create<Holder>();
    holder2->freeNotification(&target2);
    formA.destroyComponent(holder2);
    formB.destroyComponent(&target2);  // would touch the destroyed holder if the link were left
}
