#include "gif/GIFPainter.h"

#include <algorithm>

#include "gif/GIFImage.h"

namespace {

std::uint16_t painterOptions(const TGIFImage& image, std::uint16_t options) {
    if (image.Images().size() <= 1) options &= ~(GIFDrawOption::AsyncPaint | GIFDrawOption::Animate);
    return options;
}

}  // namespace

TGIFPainter::TGIFPainter(TGIFImage& image, HDC dc, const fw::Rect& rect, fw::DibSection* offscreen,
                         std::uint16_t drawOptions, int animationSpeed)
    : image_(image),
      dc_(dc),
      rect_(offscreen ? offscreen->rect() : rect),
      offscreen_(offscreen),
      playback_(image.Data(), painterOptions(image, drawOptions), animationSpeed, *this),
      onStart_(image.OnStartPaint),
      onPaint_(image.OnPaint),
      onAfterPaint_(image.OnAfterPaint),
      onLoop_(image.OnLoop),
      onEnd_(image.OnEndPaint) {
    // Work bitmaps start from what is on the target now.
    fw::ConstPixelView start;
    std::optional<fw::DibSection> snapshot;  // for direct painting: the target area as it is now
    if (offscreen_) {
        start = offscreen_->pixels();
    } else {
        snapshot.emplace(rect_.width(), rect_.height());
        BitBlt(snapshot->dc(), 0, 0, rect_.width(), rect_.height(), dc_, rect_.left, rect_.top, SRCCOPY);
        start = snapshot->pixels();
    }
    {
        std::lock_guard<std::mutex> lock(image_.RenderLock());
        compositor_.emplace(image_.Data(), playback_.Options(), image_.PainterBackground(), start,
                            fw::Rect::fromSize(0, 0, rect_.width(), rect_.height()));
    }
    if (playback_.Asynchronous()) {
        sync_ = &image_.Synchronizer();
        // Also for a negative speed, which then waits like speed 0 instead of spinning through the frames.
        if ((playback_.Options() & GIFDrawOption::Animate) && image_.Images().size() > 1) {
            event_ = fw::KernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        }
        thread_ = fw::KernelHandle(CreateThread(nullptr, 0, &TGIFPainter::ThreadProc, this, CREATE_SUSPENDED, nullptr));
        if (!thread_) throw std::runtime_error("cannot create the GIF painter thread");
    }
}

TGIFPainter::~TGIFPainter() {
    Stop();
    if (!thread_) return;
    // An orphaned painter is freed by its own thread as the thread ends.
    if (GetThreadId(thread_.get()) == GetCurrentThreadId()) return;
    // A thread never started runs to its immediate end, so that it does not leak.
    if (!started_) ResumeThread(thread_.get());
    HANDLE h = thread_.get();
    GIFWaitServicingCalls(&h, 1);
}

void TGIFPainter::SetPriority(int priority) {
    if (thread_) SetThreadPriority(thread_.get(), priority);
}

void TGIFPainter::Start() {
    started_ = true;
    if (thread_) {
        ResumeThread(thread_.get());
    } else {
        RunPlayback();
    }
}

void TGIFPainter::Stop() {
    playback_.Stop();
    if (playback_.Asynchronous()) {
        if (event_) SetEvent(event_.get());
        if (thread_) {
            SetThreadPriority(thread_.get(), THREAD_PRIORITY_NORMAL);
        }
    }
}

void TGIFPainter::Orphan(std::unique_ptr<TGIFPainter> self) {
    Stop();
    self_ = std::move(self);
    orphaned_ = true;
}

DWORD WINAPI TGIFPainter::ThreadProc(void* self) {
    auto* painter = static_cast<TGIFPainter*>(self);
    painter->RunPlayback();
    // Nobody else holds an orphaned painter any more, and nobody waits for this thread.
    if (painter->orphaned_) painter->TakeOrphan().reset();
    return 0;
}

void TGIFPainter::RunPlayback() {
    if (!playback_.Stopped()) playback_.Run();
    finished_ = true;
}

bool TGIFPainter::WaitEvent(std::int64_t ms) {
    if (!event_) return false;
    const DWORD timeout = ms == GIFTiming::Endless ? INFINITE
                                                   : static_cast<DWORD>(std::min<std::int64_t>(ms, 0x7FFFFFFF));
    return WaitForSingleObject(event_.get(), timeout) == WAIT_OBJECT_0;
}

void TGIFPainter::SleepPumping(std::int64_t ms, const std::atomic<bool>& stop, const std::atomic<bool>& restart) {
    const std::int64_t end = Now() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Put the quit back for the message loop and end the painter.
                PostQuitMessage(static_cast<int>(msg.wParam));
                playback_.Stop();
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const std::int64_t left = end - Now();
        if (left <= 0 || stop || restart) return;
        Sleep(static_cast<DWORD>(std::min<std::int64_t>(left, 100)));
    }
}

void TGIFPainter::RenderFrame(int index) {
    std::lock_guard<std::mutex> lock(image_.RenderLock());
    image_.Data().GetBitmap(*image_.Data().Images.at(index));
}

void TGIFPainter::OnUIThread(const std::function<void()>& fn) {
    if (!sync_) {
        fn();
        return;
    }
    sync_->Call([&] {
        inUICall_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{inUICall_};
        fn();
    });
}

void TGIFPainter::PaintFrame(int index, int disposal, int previousDisposal) {
    OnUIThread([&] { PaintOnUIThread(index, disposal, previousDisposal); });
}

void TGIFPainter::PaintOnUIThread(int index, int disposal, int previousDisposal) {
    if (playback_.Stopped()) return;
    if ((playback_.Options() & GIFDrawOption::ValidateCanvas) && GetObjectType(dc_) == 0) {
        playback_.Stop();
        return;
    }
    std::lock_guard<std::mutex> lock(image_.RenderLock());
    if (offscreen_) {
        compositor_->PaintFrame(index, disposal, previousDisposal, offscreen_->pixels());
        GdiFlush();
        image_.FrameChanged();
        return;
    }
    // Direct painting: compose over what is on the target now and copy the area back in one piece.
    fw::DibSection scratch(rect_.width(), rect_.height());
    BitBlt(scratch.dc(), 0, 0, rect_.width(), rect_.height(), dc_, rect_.left, rect_.top, SRCCOPY);
    compositor_->PaintFrame(index, disposal, previousDisposal, scratch.pixels());
    GdiFlush();
    BitBlt(dc_, rect_.left, rect_.top, rect_.width(), rect_.height(), scratch.dc(), 0, 0, SRCCOPY);
}

void TGIFPainter::Notify(GIFPainterEvent e) {
    if (orphaned_) return;  // the image, its synchroniser and whatever the handlers refer to are gone
    const std::function<void()>* handler = nullptr;
    switch (e) {
        case GIFPainterEvent::Start: handler = &onStart_; break;
        case GIFPainterEvent::BeforePaint: handler = &onPaint_; break;
        case GIFPainterEvent::AfterPaint: handler = &onAfterPaint_; break;
        case GIFPainterEvent::Loop: handler = &onLoop_; break;
        case GIFPainterEvent::End: handler = &onEnd_; break;
    }
    if (handler && *handler && !(e != GIFPainterEvent::End && playback_.Stopped())) OnUIThread(*handler);
}
