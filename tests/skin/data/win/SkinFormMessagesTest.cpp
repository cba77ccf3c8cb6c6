// The skin model's messages reaching real forms: owner form first, then the others in the application's order,
// with the model and 1000 as parameters, through the forms' window procedures.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinPackage.h"
#include "skin/data/kvZlibStreams.h"

using namespace fw;

namespace {

struct Received {
    const fw::Form* form;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool viaWindow;  // the form had a window, so the message was a real window message
};

// Puts a recorder in front of the form's window procedure.
void record(fw::Form& form, std::vector<Received>& log) {
    auto saved = form.windowProc;
    form.windowProc = [&form, &log, saved](Message& m) {
        if (m.msg >= 1225 && m.msg <= 1294 && m.lParam == 1000)
            log.push_back({&form, m.msg, m.wParam, m.lParam, form.handleAllocated()});
        saved(m);
    };
}

std::vector<std::uint8_t> storedSkin() {
    SkinPackage p;
    p.text = "[VERSION]\r\nskinname=win\r\n[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n";
    MemoryStream raw(p.ToBytes()), packed;
    CompressStream(raw, packed);
    return packed.release();
}

}  // namespace

TEST(SkinFormMessages, OwnerFormFirstThenEveryOtherForm) {
    Application app;
    fw::Form& first = app.createForm<fw::Form>();
    fw::Form& owner = app.createForm<fw::Form>();
    fw::Form& third = app.createForm<fw::Form>();
    first.handle();
    owner.handle();  // the third form has no window yet
    std::vector<Received> log;
    record(first, log);
    record(owner, log);
    record(third, log);

    TkvSkinData& model = owner.create<TkvSkinData>();
    TkvCompressedStoredSkin& stored = owner.create<TkvCompressedStoredSkin>();
    stored.SetCompressedData(storedSkin());
    model.SetCompressedStoredSkin(&stored);
    ASSERT_FALSE(model.Empty());
    EXPECT_EQ(model.GetControlIndex("button"), 0);

    const fw::Form* order[] = {&owner, &first, &third};
    const UINT msgs[] = {SKIN_MSG_BEFORE_CHANGE, SKIN_MSG_CHANGED, SKIN_MSG_AFTER_CHANGE};
    ASSERT_EQ(log.size(), 9u);
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].form, order[i % 3]) << i;
        EXPECT_EQ(log[i].msg, msgs[i / 3]) << i;
        EXPECT_EQ(log[i].wParam, reinterpret_cast<WPARAM>(&model)) << i;
        EXPECT_EQ(log[i].lParam, 1000) << i;
    }
    EXPECT_TRUE(log[0].viaWindow);
    EXPECT_FALSE(log[2].viaWindow);
    EXPECT_FALSE(third.handleAllocated());  // a skin change does not create windows

    log.clear();
    model.SetSkinnableForm(false);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].form, &owner);
    EXPECT_EQ(log[0].msg, SKIN_MSG_SKINNABLE_CHANGED);
    EXPECT_EQ(log[1].form, &first);
}

TEST(SkinFormMessages, ModelOnANonFormComponentTellsFormsInOrder) {
    Application app;
    fw::Form& a = app.createForm<fw::Form>();
    fw::Form& b = app.createForm<fw::Form>();
    std::vector<Received> log;
    record(a, log);
    record(b, log);
    Component holder;
    TkvSkinData& model = holder.create<TkvSkinData>();
    TkvResourceStrData strings;
    model.SetResourceStrData(&strings);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].form, &a);
    EXPECT_EQ(log[1].form, &b);
    EXPECT_EQ(log[0].msg, SKIN_MSG_RESSTRINGS_CHANGED);
    model.SetResourceStrData(nullptr);
}
