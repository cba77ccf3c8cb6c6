// A stand-in for the platform's forms: records every skin message with the model's state at that moment.
#pragma once

#include <string>
#include <vector>

#include "skin/data/kvSkinData.h"

namespace kvtest {

struct FakeForm : fw::Component {
    using fw::Component::Component;
};

struct SentMessage {
    const void* form;
    unsigned msg;
    const TkvSkinData* model;
    std::intptr_t param;
    bool empty;
    bool loadInProgress;
};

class RecordingMessenger : public SkinFormMessenger {
public:
    std::vector<FakeForm*> forms;  // the application's forms, in order
    std::vector<SentMessage> sent;

    FormRef formOf(const fw::Component* c) override {
        for (FakeForm* f : forms)
            if (f == c) return f;
        return nullptr;
    }
    std::vector<FormRef> allForms() override { return {forms.begin(), forms.end()}; }
    void send(FormRef form, unsigned msg, const TkvSkinData* model, std::intptr_t param) override {
        sent.push_back({form, msg, model, param, model->Empty(), model->LoadInProgress()});
    }
    std::vector<unsigned> messages() const {
        std::vector<unsigned> m;
        for (const auto& s : sent) m.push_back(s.msg);
        return m;
    }
};

}  // namespace kvtest
