// TGIFPainter: plays an animated GIF onto a target. Asynchronous painters run on their own thread, which only
// waits and decides; every frame is painted on the user-interface thread. Synchronous painters run inside the
// draw call and dispatch the thread's messages while they wait.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>

#include "framework/DibSection.h"
#include "framework/Platform.h"
#include "gif/GIFCompositor.h"
#include "gif/GIFPlayback.h"
#include "gif/GIFWinSupport.h"

class TGIFImage;

class TGIFPainter : private GIFPlaybackHost {
public:
    // Paints onto `offscreen` (the image's own bitmap) when given, else straight onto `dc` within `rect`.
    // With one frame, AsyncPaint and Animate are cleared. The thread is created suspended.
    TGIFPainter(TGIFImage& image, HDC dc, const fw::Rect& rect, fw::DibSection* offscreen, std::uint16_t drawOptions,
                int animationSpeed);
    ~TGIFPainter() override;
    TGIFPainter(const TGIFPainter&) = delete;
    TGIFPainter& operator=(const TGIFPainter&) = delete;

    // Asynchronous: resumes the thread. Synchronous: plays to the end here.
    void Start();
    // Requests the end; wakes a waiting thread at once.
    void Stop();
    void Restart() { playback_.Restart(); }
    // Whether the run has ended (the thread has returned or is about to).
    bool Finished() const { return finished_; }
    HANDLE Thread() const { return thread_.get(); }
    // True while the user-interface thread runs one of this painter's calls (its thread then waits for it).
    bool InUICall() const { return inUICall_; }
    // For a painter further up the user-interface thread's stack when its image is destroyed (from one of its
    // notifications): it cannot be waited for there, so it takes itself over, stops, and no longer touches the
    // image. An asynchronous painter then frees itself on its own thread when its run ends; a synchronous one is
    // handed back by TakeOrphan where its run returns.
    void Orphan(std::unique_ptr<TGIFPainter> self);
    bool Orphaned() const { return orphaned_; }
    std::unique_ptr<TGIFPainter> TakeOrphan() { return std::move(self_); }

    bool Asynchronous() const { return playback_.Asynchronous(); }
    int ActiveFrame() const { return playback_.ActiveFrame(); }
    HDC Canvas() const { return dc_; }
    const fw::Rect& Rect() const { return rect_; }
    std::uint16_t DrawOptions() const { return playback_.Options(); }
    void SetPriority(int priority);

private:
    static DWORD WINAPI ThreadProc(void* self);
    void RunPlayback();

    // GIFPlaybackHost
    std::int64_t Now() override { return static_cast<std::int64_t>(GetTickCount64()); }
    bool WaitEvent(std::int64_t ms) override;
    void SleepPumping(std::int64_t ms, const std::atomic<bool>& stop, const std::atomic<bool>& restart) override;
    void YieldThread() override { Sleep(0); }
    void RenderFrame(int index) override;
    void PaintFrame(int index, int disposal, int previousDisposal) override;
    void Notify(GIFPainterEvent e) override;

    void PaintOnUIThread(int index, int disposal, int previousDisposal);
    void OnUIThread(const std::function<void()>& fn);

    TGIFImage& image_;
    HDC dc_;
    const fw::Rect rect_;
    fw::DibSection* offscreen_;
    GIFPlayback playback_;
    std::optional<GIFCompositor> compositor_;
    fw::KernelHandle event_;
    fw::KernelHandle thread_;
    std::atomic<bool> finished_{false};
    bool started_ = false;
    bool inUICall_ = false;  // touched on the user-interface thread only
    // Set on the user-interface thread while the painter's thread waits for it (in a call) or before it runs.
    std::atomic<bool> orphaned_{false};
    std::unique_ptr<TGIFPainter> self_;
    GIFSynchronizer* sync_ = nullptr;
    // The image's notifications, copied when the painter is made.
    std::function<void()> onStart_, onPaint_, onAfterPaint_, onLoop_, onEnd_;
};
