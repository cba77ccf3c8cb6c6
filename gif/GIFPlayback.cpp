#include "gif/GIFPlayback.h"

#include <exception>

namespace {
constexpr int kEndlessLoops = -1;
}

void GIFPlayback::Run() {
    try {
        do {
            restart_ = false;
            Play();
        } while (restart_ && !stop_);
    } catch (const std::exception&) {
        // The image keeps the last frame painted.
    }
    active_ = -1;
    host_.Notify(GIFPainterEvent::End);
}

void GIFPlayback::Play() {
    const bool async = Asynchronous();
    const bool animate = (options_ & GIFDrawOption::Animate) != 0;
    const bool loop = (options_ & GIFDrawOption::Loop) != 0;
    const bool forever = (options_ & GIFDrawOption::LoopForever) != 0;
    const int count = static_cast<int>(image_.Images.size());

    active_ = 0;
    host_.Notify(GIFPainterEvent::Start);
    bool started = false;
    int loops = 1;
    int loopPoint = 0;
    bool looping = false;
    int carried = async ? 0 : 1;
    int previousDisposal = GIFDisposal::NoDispose;
    GIFFrameClock clock(host_.Now());

    while ((loops != 0 || forever) && !Ending()) {
        active_ = loopPoint;
        if (started) host_.Notify(GIFPainterEvent::Loop);
        bool painted = false;
        // A stop comes first: the frames may be gone once the image was cleared.
        while (!Ending() && active_ >= 0 && active_ < count && !image_.Images[active_]->Empty()) {
            const int index = active_;
            TGIFSubImage& frame = *image_.Images[index];

            // 1. Wait out the previous frame's delay.
            if (carried <= 0) {
                host_.YieldThread();
            } else {
                host_.RenderFrame(index);
                const std::int64_t wait = clock.NextWait(carried, speed_, async, host_.Now());
                if (async) {
                    if (wait > 0 || speed_ < 1) {
                        if (host_.WaitEvent(wait)) clock.Reset(host_.Now());
                    }
                } else {
                    host_.SleepPumping(wait < 1 ? 1 : wait, stop_, restart_);
                }
            }
            if (Ending()) break;

            // 2. Loop extension and disposal of this frame. A notification may have cleared the image: the frame
            // is read only while no stop was requested.
            host_.Notify(GIFPainterEvent::BeforePaint);
            if (Ending()) break;
            int disposal = GIFDisposal::NoDispose;
            for (const auto& ext : frame.Extensions) {
                if (auto* nsLoop = dynamic_cast<const TGIFAppExtNSLoop*>(ext.get())) {
                    if (!looping) {
                        looping = true;
                        loops = nsLoop->Loops;
                        if ((loops == 0 || forever) && async) loops = kEndlessLoops;
                        loopPoint = index;
                    }
                } else if (auto* gce = dynamic_cast<const TGIFGraphicControlExtension*>(ext.get())) {
                    disposal = gce->Disposal();
                }
            }

            // 3. Paint. What the paint leads to (the picture's repaint) may also clear the image.
            host_.PaintFrame(index, disposal, previousDisposal);
            started = true;
            painted = true;
            previousDisposal = disposal;
            if (Ending()) break;

            // 4. The delay that follows this frame.
            carried = GIFTiming::FrameDelay(frame, !async);

            // 5. Next frame, unless a notification moved the active frame.
            host_.Notify(GIFPainterEvent::AfterPaint);
            if (active_ == index) active_ = index + 1;
            if (!animate) break;
        }
        if (loops > 0) --loops;
        if (!(animate && loop)) break;
        // A pass that paints nothing (its first frame is empty) would repeat without ever waiting.
        if (!painted) break;
    }
}
