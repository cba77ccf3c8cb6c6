// Timing, loop and pass rules of the painter's run, with a host that records instead of waiting and painting.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gif/GIFPlayback.h"
#include "tests/gif/GIFTestBuilder.h"

using giftest::Builder;
using giftest::Bytes;
using giftest::LoadImage;

namespace {

// Frames of 1 x 1 pixel with the given delays; a loop extension before the first when loops >= 0.
GIFImageData Animation(const std::vector<int>& delays, int loops = -1, int disposal = 1) {
    Builder b;
    b.Header(1, 1);
    if (loops >= 0) b.Loop(loops);
    for (std::size_t i = 0; i < delays.size(); ++i) {
        b.Gce(disposal, delays[i]).Image(0, 0, 1, 1, {static_cast<std::uint8_t>(i % 4)});
    }
    b.Trailer();
    return LoadImage(b.bytes());
}

class RecordingHost : public GIFPlaybackHost {
public:
    std::int64_t now = 1000;
    std::vector<std::int64_t> waits;  // what the painter asked to wait
    std::vector<int> painted;
    std::vector<std::pair<int, int>> disposals;  // (D, P) per paint
    std::vector<GIFPainterEvent> events;
    int stopAfterPaints = -1;
    GIFPlayback* playback = nullptr;
    int yields = 0;
    std::int64_t paintCost = 0;  // time a paint takes
    std::function<void(GIFPainterEvent)> onNotify;

    std::int64_t Now() override { return now; }
    bool WaitEvent(std::int64_t ms) override {
        waits.push_back(ms);
        if (ms == GIFTiming::Endless) {
            playback->Stop();
            return true;
        }
        now += ms;
        return false;
    }
    void SleepPumping(std::int64_t ms, const std::atomic<bool>&, const std::atomic<bool>&) override {
        waits.push_back(ms);
        now += ms;
    }
    void YieldThread() override { ++yields; }
    void RenderFrame(int) override {}
    void PaintFrame(int index, int d, int p) override {
        painted.push_back(index);
        disposals.emplace_back(d, p);
        now += paintCost;
        if (stopAfterPaints >= 0 && static_cast<int>(painted.size()) >= stopAfterPaints) playback->Stop();
    }
    void Notify(GIFPainterEvent e) override {
        events.push_back(e);
        if (onNotify) onNotify(e);
    }
};

RecordingHost Play(GIFImageData& image, std::uint16_t options, int speed = 100, int stopAfter = -1) {
    RecordingHost host;
    GIFPlayback playback(image, options, speed, host);
    host.playback = &playback;
    host.stopAfterPaints = stopAfter;
    playback.Run();
    EXPECT_EQ(playback.ActiveFrame(), -1);
    return host;
}

constexpr std::uint16_t kAsync = GIFDrawOption::Default;
constexpr std::uint16_t kSync = GIFDrawOption::Default & ~GIFDrawOption::AsyncPaint;

TEST(GIFTiming, FrameDelaysInUnits) {
    auto image = Animation({1, 2, 0, 50, 1500});
    const int expectedAsync[] = {3, 3, 10, 50, 1500};
    const int expectedSync[] = {3, 3, 10, 50, 1000};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(GIFTiming::FrameDelay(*image.Images[i], false), expectedAsync[i]) << i;
        EXPECT_EQ(GIFTiming::FrameDelay(*image.Images[i], true), expectedSync[i]) << i;
    }
    // A frame without a graphic control extension waits the default.
    auto plain = LoadImage(Builder().Header(1, 1).Image(0, 0, 1, 1, {0}).bytes());
    EXPECT_EQ(GIFTiming::FrameDelay(*plain.Images[0], false), 10);
}

TEST(GIFTiming, WaitsScaleWithSpeedAndCorrectHalfTheOverrun) {
    GIFFrameClock clock(0);
    EXPECT_EQ(clock.NextWait(3, 100, true, 0), 36);
    EXPECT_EQ(clock.NextWait(10, 100, true, 36), 120);
    EXPECT_EQ(clock.NextWait(50, 100, true, 156), 600);
    EXPECT_EQ(clock.NextWait(50, 200, true, 756), 300);
    // 20 ms late: the next wait is 10 ms shorter.
    EXPECT_EQ(clock.NextWait(10, 100, true, 1076), 110);
    // The halved overrun truncates toward zero: 5 ms early gives 2 ms more, not 3.
    EXPECT_EQ(clock.NextWait(10, 100, true, 1076 + 110 - 5), 122);
    // Speed 150 of 36 ms is 24 ms; 50 units at speed 300: 200 ms; 1 ms at speed 200 rounds 0.5 up.
    GIFFrameClock c2(0);
    EXPECT_EQ(c2.NextWait(3, 150, true, 0), 24);
    GIFFrameClock c3(0);
    EXPECT_EQ(c3.NextWait(50, 300, true, 0), 200);
    // Below speed 1: endless when asynchronous, 12 s when synchronous.
    EXPECT_EQ(GIFFrameClock(0).NextWait(10, 0, true, 0), GIFTiming::Endless);
    EXPECT_EQ(GIFFrameClock(0).NextWait(10, 0, false, 0), 12000);
}

TEST(GIFPlayback, DelaysOneTwoZeroAndFiftyAtSpeeds100And200) {
    auto image = Animation({1, 2, 0, 50});
    auto normal = Play(image, kAsync & ~GIFDrawOption::Loop);
    EXPECT_EQ(normal.painted, (std::vector<int>{0, 1, 2, 3}));
    // The first frame shows at once; each later frame waits for the delay of the one before it.
    EXPECT_EQ(normal.waits, (std::vector<std::int64_t>{36, 36, 120}));
    auto fast = Play(image, kAsync & ~GIFDrawOption::Loop, 200);
    EXPECT_EQ(fast.waits, (std::vector<std::int64_t>{18, 18, 60}));

    auto image2 = Animation({50, 50});
    auto fifty = Play(image2, kAsync & ~GIFDrawOption::Loop);
    EXPECT_EQ(fifty.waits, (std::vector<std::int64_t>{600}));
    auto fifty200 = Play(image2, kAsync & ~GIFDrawOption::Loop, 200);
    EXPECT_EQ(fifty200.waits, (std::vector<std::int64_t>{300}));
}

TEST(GIFPlayback, SlowPaintsShortenTheNextWait) {
    auto image = Animation({10, 10, 10});
    RecordingHost host;
    host.paintCost = 40;
    GIFPlayback playback(image, kAsync & ~GIFDrawOption::Loop, 100, host);
    host.playback = &playback;
    playback.Run();
    // Each 40 ms paint overruns the previous wait's end by 40 ms, and half of that comes off the next wait.
    ASSERT_EQ(host.waits.size(), 2u);
    EXPECT_EQ(host.waits[0], 120 - 20);  // 40 ms since the delay start, half of it taken off
    EXPECT_EQ(host.waits[1], 120 - 20);  // 40 ms paint after a 100 ms wait: again 40 ms over
}

TEST(GIFPlayback, LoopCountsGivePasses) {
    // No loop extension: one pass.
    auto once = Animation({5, 5});
    EXPECT_EQ(Play(once, kAsync).painted, (std::vector<int>{0, 1}));
    // Count 1 and 3: that many passes in all; 2 ends on the last frame.
    auto one = Animation({5, 5}, 1);
    EXPECT_EQ(Play(one, kAsync).painted, (std::vector<int>{0, 1}));
    auto three = Animation({5, 5}, 3);
    EXPECT_EQ(Play(three, kAsync).painted, (std::vector<int>{0, 1, 0, 1, 0, 1}));
    auto two = Animation({5, 5}, 2);
    auto twoRun = Play(two, kAsync);
    EXPECT_EQ(twoRun.painted.back(), 1);
    EXPECT_EQ(twoRun.painted.size(), 4u);
    // Count 0: endless when asynchronous (stopped here after 9 paints), once when synchronous.
    auto forever = Animation({5, 5}, 0);
    EXPECT_EQ(Play(forever, kAsync, 100, 9).painted.size(), 9u);
    EXPECT_EQ(Play(forever, kSync).painted, (std::vector<int>{0, 1}));
    // LoopForever ignores the count; without Loop only one pass is played.
    EXPECT_EQ(Play(three, kAsync | GIFDrawOption::LoopForever, 100, 10).painted.size(), 10u);
    EXPECT_EQ(Play(three, kAsync & ~GIFDrawOption::Loop).painted, (std::vector<int>{0, 1}));
}

TEST(GIFPlayback, OnlyTheFirstLoopExtensionCountsAndSetsTheLoopPoint) {
    // Frame 0 plays once; the loop extension before frame 1 makes it the loop point with 2 passes; a second
    // loop extension (count 5) before frame 2 is ignored.
    Builder b;
    b.Header(1, 1).Gce(1, 5).Image(0, 0, 1, 1, {0});
    b.Loop(2).Gce(1, 5).Image(0, 0, 1, 1, {1});
    b.Loop(5).Gce(1, 5).Image(0, 0, 1, 1, {2});
    auto image = LoadImage(b.Trailer().bytes());
    EXPECT_EQ(Play(image, kAsync).painted, (std::vector<int>{0, 1, 2, 1, 2}));
}

TEST(GIFPlayback, NotificationsAndEmptyFrames) {
    auto image = Animation({5, 5}, 2);
    auto run = Play(image, kAsync);
    using E = GIFPainterEvent;
    EXPECT_EQ(run.events,
              (std::vector<E>{E::Start, E::BeforePaint, E::AfterPaint, E::BeforePaint, E::AfterPaint, E::Loop,
                              E::BeforePaint, E::AfterPaint, E::BeforePaint, E::AfterPaint, E::End}));
    // An empty frame ends the pass early.
    Builder b;
    b.Header(1, 1).Gce(1, 5).Image(0, 0, 1, 1, {0}).Comment("x").Byte(0x3B);
    auto withEmpty = LoadImage(b.bytes());
    ASSERT_EQ(withEmpty.Images.size(), 2u);
    EXPECT_EQ(Play(withEmpty, kAsync).painted, (std::vector<int>{0}));
}

TEST(GIFPlayback, ANotificationThatStopsAndClearsTheImageEndsTheRunWithoutReadingItsFrames) {
    // What the image does when a notification clears it: stop the painter, then free the frames.
    for (const GIFPainterEvent clearOn : {GIFPainterEvent::BeforePaint, GIFPainterEvent::AfterPaint}) {
        auto image = Animation({5, 5}, 0);
        RecordingHost host;
        GIFPlayback playback(image, kAsync, 100, host);
        host.playback = &playback;
        host.onNotify = [&](GIFPainterEvent e) {
            if (e != clearOn) return;
            playback.Stop();
            image.Clear();
        };
        playback.Run();
        EXPECT_EQ(host.painted.size(), clearOn == GIFPainterEvent::BeforePaint ? 0u : 1u);
        EXPECT_EQ(host.events.back(), GIFPainterEvent::End);
    }
}

TEST(GIFPlayback, PassesThatPaintNothingDoNotSpin) {
    // Two empty frames with an endless loop: the run must end rather than repeat forever without waiting.
    Builder b;
    b.Header(0, 4).Loop(0).Descriptor(0, 0, 0, 4).Byte(2).Byte(0).Descriptor(0, 0, 0, 4).Byte(2).Byte(0);
    auto image = LoadImage(b.Trailer().bytes());
    ASSERT_EQ(image.Images.size(), 2u);
    EXPECT_TRUE(Play(image, kAsync | GIFDrawOption::LoopForever).painted.empty());
    EXPECT_TRUE(Play(image, kSync | GIFDrawOption::LoopForever).painted.empty());
}

TEST(GIFPlayback, SpeedZeroShowsTheFirstFrameThenWaitsForTheStop) {
    auto image = Animation({5, 5, 5});
    auto run = Play(image, kAsync, 0);
    EXPECT_EQ(run.painted, (std::vector<int>{0}));
    EXPECT_EQ(run.waits, (std::vector<std::int64_t>{GIFTiming::Endless}));
}

TEST(GIFPlayback, SynchronousWaitsAtLeastOneMillisecondAndStartsWithADelay) {
    auto image = Animation({1, 1500});
    auto run = Play(image, kSync & ~GIFDrawOption::Loop);
    // Carried delay 1 unit before the first frame, then 3 units; at least 1 ms each.
    EXPECT_EQ(run.waits, (std::vector<std::int64_t>{12, 36}));
    EXPECT_EQ(run.painted, (std::vector<int>{0, 1}));
}

TEST(GIFPlayback, DisposalsArePassedWithThePreviousOne) {
    Builder b;
    b.Header(1, 1).Gce(2, 5).Image(0, 0, 1, 1, {0}).Gce(3, 5).Image(0, 0, 1, 1, {1}).Image(0, 0, 1, 1, {2});
    auto image = LoadImage(b.Trailer().bytes());
    auto run = Play(image, kAsync);
    EXPECT_EQ(run.disposals, (std::vector<std::pair<int, int>>{{2, 1}, {3, 2}, {1, 3}}));
}

TEST(GIFPlayback, WithoutAnimateOnlyTheFirstFrameIsPainted) {
    auto image = Animation({5, 5}, 3);
    EXPECT_EQ(Play(image, kAsync & ~GIFDrawOption::Animate).painted, (std::vector<int>{0}));
}

}  // namespace
