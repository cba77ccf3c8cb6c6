// A component's reference to a skin model: it follows the model it points at and no other, clears itself when that
// model goes, and two references to one model stay independent.
#include "skin/data/kvSkinDataLink.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/data/kvSkinData.h"

namespace {

TEST(SkinDataLink, EachReferenceFollowsOnlyItsOwnModelAndClearsWhenItGoes) {
    auto a = std::make_unique<TkvSkinData>(nullptr, nullptr);
    auto b = std::make_unique<TkvSkinData>(nullptr, nullptr);
    int firstGone = 0, secondGone = 0;
    TkvSkinDataLink first([&] { ++firstGone; }), second([&] { ++secondGone; });
    // One holder's two references to one model (a dialog's frame and control models); one is pointed elsewhere.
    first.Set(a.get());
    second.Set(a.get());
    EXPECT_TRUE(first.Set(b.get()));
    EXPECT_FALSE(first.Set(b.get())) << "already there";
    a.reset();
    EXPECT_EQ(second.get(), nullptr) << "still told, though the other reference left that model";
    EXPECT_EQ(secondGone, 1);
    EXPECT_EQ(first.get(), b.get());
    EXPECT_EQ(firstGone, 0) << "no word from a model it left";
    b.reset();
    EXPECT_EQ(first.get(), nullptr);
    EXPECT_EQ(firstGone, 1);

    // A reference that goes first leaves no watcher behind in its model (the sanitizers see a stale one).
    auto c = std::make_unique<TkvSkinData>(nullptr, nullptr);
    {
        TkvSkinDataLink gone;
        gone.Set(c.get());
    }
    c.reset();
}

}  // namespace
