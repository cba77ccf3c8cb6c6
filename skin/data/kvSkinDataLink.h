// A component's reference to a skin model: the one way a control, a dialog or a frame holds its model. It asks
// the model to say when it goes, drops that request when it is pointed at another model (or at none), and when
// the model is destroyed it clears itself before telling its holder. Each reference subscribes on its own, so two
// references of one holder to the same model (a dialog's frame and control models, often one) stay independent.
#pragma once

#include <functional>
#include <utility>

#include "framework/Component.h"

class TkvSkinData;

class TkvSkinDataLink : private fw::Component {
public:
    // `removed` runs after the model went away and the reference is already clear.
    explicit TkvSkinDataLink(std::function<void()> removed = {}) : removed_(std::move(removed)) {}
    ~TkvSkinDataLink() override = default;

    TkvSkinData* get() const { return model_; }
    operator TkvSkinData*() const { return model_; }
    TkvSkinData* operator->() const { return model_; }

    // Points the reference at `model`; false when it pointed there already.
    bool Set(TkvSkinData* model);

private:
    void notification(fw::Component* c, fw::Operation op) override;

    TkvSkinData* model_ = nullptr;
    std::function<void()> removed_;
};
