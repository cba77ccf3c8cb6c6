// The GIF picture on Windows: registration with the picture loader, drawing, and the painter thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "framework/DibSection.h"
#include "gif/GIFImage.h"
#include "gif/GIFPainter.h"
#include "tests/gif/GIFTestBuilder.h"

using giftest::Builder;
using giftest::Bytes;

namespace {

const fw::Pixel kUnder = fw::makePixel(10, 200, 30);

std::unique_ptr<TGIFImage> Load(const Bytes& b) {
    auto image = std::make_unique<TGIFImage>();
    fw::MemoryStream s(b);
    image->LoadFromStream(s);
    return image;
}

// Two 2 x 2 frames: black then white, each followed by `delay`; a loop extension when loops >= 0.
Bytes Blink(int loops, int delay = 3) {
    Builder b;
    b.Header(2, 2);
    if (loops >= 0) b.Loop(loops);
    b.Gce(1, delay).Image(0, 0, 2, 2, giftest::Repeat(0, 4));
    b.Gce(1, delay).Image(0, 0, 2, 2, giftest::Repeat(3, 4));
    return b.Trailer().bytes();
}

// Dispatches this thread's messages until done() or the time is up.
template <class F>
bool PumpUntil(F done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

struct PaintLog {
    int painted = 0;
    int ended = 0;
    bool offThread = false;  // a notification ran on another thread than the test's
};

void Attach(TGIFImage& image, PaintLog& log) {
    const DWORD ui = GetCurrentThreadId();
    image.OnAfterPaint = [&log, ui] {
        ++log.painted;
        if (GetCurrentThreadId() != ui) log.offThread = true;
    };
    image.OnEndPaint = [&log] { ++log.ended; };
}

TEST(GIFImageWin, RegisteredWithThePictureLoader) {
    const fw::PictureFormat* f = fw::findPictureFormat("GIF");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->description, "GIF Image");
    EXPECT_NE(dynamic_cast<TGIFImage*>(f->factory().get()), nullptr);
    EXPECT_NE(GIFClipboardFormat(), 0u);
    EXPECT_EQ(GIFClipboardFormat(), RegisterClipboardFormatW(L"GIF Image"));

    const auto path = std::filesystem::temp_directory_path() / "kv_gif_registration.GIF";
    {
        const Bytes b = Blink(0);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
    }
    fw::Picture picture;
    picture.loadFromFile(path);
    auto* gif = dynamic_cast<TGIFImage*>(picture.graphic());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->width(), 2);
    EXPECT_EQ(gif->Images().size(), 2u);
    picture.clear();
    std::filesystem::remove(path);
}

TEST(GIFImageWin, LoadErrorsReachTheCallerAndRestoreTheStream) {
    Bytes b = Builder().Header(1, 1).Byte(0x21).Byte(0xF0).Byte(0).Trailer().bytes();
    TGIFImage image;
    fw::MemoryStream s(b);
    s.setPosition(0);
    try {
        image.LoadFromStream(s);
        FAIL() << "loaded";
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "Unknown extension type");
    }
    EXPECT_EQ(s.position(), 0);
}

TEST(GIFImageWin, SingleFrameIsDrawnWithoutPainter) {
    auto image = Load(Builder().Header(2, 1).Gce(0, 0, 0).Image(0, 0, 2, 1, {0, 3}).Trailer().bytes());
    fw::DibSection target(8, 4);
    fw::fillPixels(target.pixels(), target.rect(), kUnder);
    image->DrawImage(target.canvas(), {0, 0, 8, 4});
    EXPECT_EQ(image->PainterCount(), 0);
    EXPECT_EQ(image->OffscreenBitmap(), nullptr);
    const fw::ConstPixelView px = target.pixels();
    EXPECT_EQ(px.at(1, 1) & 0xFFFFFF, kUnder & 0xFFFFFF);  // transparent half keeps what was there
    EXPECT_EQ(px.at(6, 1) & 0xFFFFFF, 0xFFFFFFu);

    // A red palette entry reads back as red through the platform.
    Bytes red = Builder().Header(1, 1, 0).Image(0, 0, 1, 1, {0}).Trailer().bytes();
    red[13] = 255;
    red[14] = red[15] = 0;
    auto redImage = Load(red);
    redImage->DrawImage(target.canvas(), {0, 0, 8, 4});
    EXPECT_EQ(GetPixel(target.dc(), 3, 3), RGB(255, 0, 0));
}

TEST(GIFImageWin, NoColourTableFailsWhenDrawn) {
    auto image = Load(Builder().Header(1, 1, -1).Image(0, 0, 1, 1, {0}).Trailer().bytes());
    image->DrawOptions &= ~GIFDrawOption::Dithered;
    fw::DibSection target(4, 4);
    try {
        image->DrawImage(target.canvas(), {0, 0, 4, 4});
        FAIL() << "drawn";
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "No global or local color table defined");
    }
}

TEST(GIFImageWin, AsyncPainterPaintsEveryFrameOnTheUserInterfaceThread) {
    auto image = Load(Blink(2));
    PaintLog log;
    Attach(*image, log);
    fw::DibSection target(4, 4);
    image->DrawImage(target.canvas(), {0, 0, 4, 4});
    ASSERT_NE(image->OffscreenBitmap(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return log.ended > 0; }, 5000));
    EXPECT_EQ(log.painted, 4);  // two passes of two frames
    EXPECT_FALSE(log.offThread);
    EXPECT_EQ(image->PainterCount(), 0);
    // Later draws copy the off-screen bitmap, which holds the last frame (white).
    fw::DibSection again(4, 4);
    image->DrawImage(again.canvas(), {0, 0, 4, 4});
    EXPECT_EQ(again.pixels().at(3, 3) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image->PainterCount(), 0);
}

TEST(GIFImageWin, ClearAndDestroyStopAnEndlessAnimation) {
    auto image = Load(Blink(0));
    PaintLog log;
    Attach(*image, log);
    fw::DibSection target(4, 4);
    image->DrawImage(target.canvas(), {0, 0, 4, 4});
    ASSERT_TRUE(PumpUntil([&] { return log.painted >= 3; }, 5000));
    EXPECT_EQ(image->PainterCount(), 1);
    image->Clear();
    EXPECT_EQ(image->PainterCount(), 0);
    EXPECT_EQ(image->OffscreenBitmap(), nullptr);
    const int after = log.painted;
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(log.painted, after);

    // Destroying the image while its painter waits must not hang or paint afterwards.
    auto second = Load(Blink(0, 100));
    PaintLog log2;
    Attach(*second, log2);
    second->DrawImage(target.canvas(), {0, 0, 4, 4});
    ASSERT_TRUE(PumpUntil([&] { return log2.painted >= 1; }, 5000));
    second.reset();
}

TEST(GIFImageWin, SynchronousPainterPlaysInsideTheDraw) {
    auto image = Load(Blink(2));
    image->DrawOptions &= ~GIFDrawOption::AsyncPaint;
    PaintLog log;
    Attach(*image, log);
    fw::DibSection target(4, 4);
    image->DrawImage(target.canvas(), {0, 0, 4, 4});
    EXPECT_EQ(log.painted, 4);
    EXPECT_EQ(log.ended, 1);
    EXPECT_EQ(image->PainterCount(), 0);
    EXPECT_EQ(target.pixels().at(0, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(GIFImageWin, ClearingFromAPainterNotificationEndsThePainterSafely) {
    for (bool async : {false, true}) {
        SCOPED_TRACE(async);
        auto image = Load(Blink(0));
        if (!async) image->DrawOptions &= ~GIFDrawOption::AsyncPaint;
        PaintLog log;
        Attach(*image, log);
        TGIFImage* raw = image.get();
        image->OnAfterPaint = [&log, raw] {
            ++log.painted;
            raw->Clear();
        };
        fw::DibSection target(4, 4);
        image->DrawImage(target.canvas(), {0, 0, 4, 4});
        ASSERT_TRUE(PumpUntil([&] { return log.ended > 0; }, 3000));
        EXPECT_EQ(log.painted, 1);
        EXPECT_TRUE(image->Images().empty());
        EXPECT_TRUE(PumpUntil([&] { return image->PainterCount() == 0; }, 3000));
    }
}

// Ends the test program when a step hangs, so that a deadlock fails at once rather than at the run's time-out.
class Watchdog {
public:
    explicit Watchdog(DWORD ms) {
        thread_ = std::thread([this, ms] {
            if (WaitForSingleObject(done_.get(), ms) != WAIT_TIMEOUT) return;
            std::fputs("Watchdog: the test hung\n", stderr);
            ExitProcess(3);
        });
    }
    ~Watchdog() {
        SetEvent(done_.get());
        thread_.join();
    }

private:
    fw::KernelHandle done_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread thread_;
};

TEST(GIFImageWin, DestroyingTheImageFromAPainterNotificationNeitherHangsNorTouchesIt) {
    Watchdog watchdog(30000);
    for (bool async : {true, false}) {
        SCOPED_TRACE(async);
        auto image = Load(Blink(0));
        if (!async) image->DrawOptions &= ~GIFDrawOption::AsyncPaint;
        int notified = 0;
        image->OnPaint = [&] {
            ++notified;
            image.reset();
        };
        image->OnEndPaint = [&] { ADD_FAILURE() << "the end notification of a destroyed image"; };
        fw::DibSection target(4, 4);
        image->DrawImage(target.canvas(), {0, 0, 4, 4});
        ASSERT_TRUE(PumpUntil([&] { return image == nullptr; }, 5000));
        PumpUntil([] { return false; }, 100);
        EXPECT_EQ(notified, 1);
    }
}

TEST(GIFImageWin, DirectDrawKeepsThePainterForTheSameCanvasAndRectangle) {
    auto image = Load(Blink(0, 20));
    image->DrawOptions |= GIFDrawOption::DirectDraw;
    fw::DibSection target(8, 8);
    image->DrawImage(target.canvas(), {0, 0, 4, 4});
    TGIFPainter* first = image->Painter();
    ASSERT_NE(first, nullptr);
    image->DrawImage(target.canvas(), {0, 0, 4, 4});
    EXPECT_EQ(image->Painter(), first);
    image->DrawImage(target.canvas(), {4, 4, 8, 8});
    EXPECT_NE(image->Painter(), nullptr);
    EXPECT_EQ(image->PainterCount(), 1);
    EXPECT_EQ(image->Painter()->Rect(), (fw::Rect{4, 4, 8, 8}));
    EXPECT_TRUE(PumpUntil([&] { return (target.pixels().at(5, 5) & 0xFFFFFF) == 0; }, 2000));
    image->StopDraw();
    EXPECT_EQ(image->PainterCount(), 0);
}

TEST(GIFImageWin, SpeedZeroOrBelowShowsTheFirstFrameAndWaits) {
    for (int speed : {0, -5}) {
        SCOPED_TRACE(speed);
        auto image = Load(Blink(0));
        image->AnimationSpeed = speed;
        PaintLog log;
        Attach(*image, log);
        fw::DibSection target(4, 4);
        image->DrawImage(target.canvas(), {0, 0, 4, 4});
        PumpUntil([] { return false; }, 200);
        EXPECT_EQ(log.painted, 1);
        EXPECT_EQ(image->PainterCount(), 1);
        image->StopDraw();
        EXPECT_EQ(image->PainterCount(), 0);
    }
}

}  // namespace
