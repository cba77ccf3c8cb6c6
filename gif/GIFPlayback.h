// The painter's run: passes, loops, waits and the order of frame painting, independent of threads and devices.
// The platform's painter supplies waiting, time and painting through GIFPlaybackHost.
#pragma once

#include <atomic>
#include <cstdint>

#include "gif/GIFImageData.h"
#include "gif/GIFTiming.h"

enum class GIFPainterEvent { Start, BeforePaint, AfterPaint, Loop, End };

class GIFPlaybackHost {
public:
    virtual ~GIFPlaybackHost() = default;
    virtual std::int64_t Now() = 0;  // milliseconds
    // Asynchronous wait on the painter's event for ms milliseconds (GIFTiming::Endless: until signalled).
    // Returns true when the event was signalled (a stop).
    virtual bool WaitEvent(std::int64_t ms) = 0;
    // Synchronous wait: sleeps in slices, dispatching the thread's messages, until ms have passed or
    // shouldEnd() is true.
    virtual void SleepPumping(std::int64_t ms, const std::atomic<bool>& stop, const std::atomic<bool>& restart) = 0;
    virtual void YieldThread() = 0;
    // Builds the frame's bitmap ahead of its paint, so that the work falls inside the wait.
    virtual void RenderFrame(int index) = 0;
    // Paints frame `index` (on the user-interface thread when asynchronous).
    virtual void PaintFrame(int index, int disposal, int previousDisposal) = 0;
    virtual void Notify(GIFPainterEvent) {}
};

class GIFPlayback {
public:
    GIFPlayback(GIFImageData& image, std::uint16_t drawOptions, int animationSpeed, GIFPlaybackHost& host)
        : image_(image), options_(drawOptions), speed_(animationSpeed), host_(host) {}

    // Plays to the end, or until stopped. An error raised while painting ends the run.
    void Run();

    // Safe from any thread.
    void Stop() { stop_ = true; }
    void Restart() { restart_ = true; }
    bool Stopped() const { return stop_; }

    // The frame being shown, -1 when idle. A notification after a frame may change it to jump.
    int ActiveFrame() const { return active_; }
    void SetActiveFrame(int i) { active_ = i; }
    bool Asynchronous() const { return (options_ & GIFDrawOption::AsyncPaint) != 0; }
    std::uint16_t Options() const { return options_; }

private:
    bool Ending() const { return stop_ || restart_; }
    void Play();

    GIFImageData& image_;
    const std::uint16_t options_;
    const int speed_;
    GIFPlaybackHost& host_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> restart_{false};
    std::atomic<int> active_{-1};
};
