// TGIFImage: the picture format for GIF files, registered with the framework's picture loader under "gif".
// It draws its first frame or, for animations, runs a TGIFPainter that plays the frames.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "framework/Canvas.h"
#include "framework/DibSection.h"
#include "framework/Picture.h"
#include "framework/Stream.h"
#include "gif/GIFImageData.h"
#include "gif/GIFTiming.h"

class TGIFPainter;
class GIFSynchronizer;

class TGIFImage : public fw::Graphic {
public:
    TGIFImage();
    ~TGIFImage() override;

    // fw::Graphic
    int width() const override { return data_.Width(); }
    int height() const override { return data_.Height(); }
    void draw(fw::Canvas& canvas, const fw::Rect& dst) override { DrawImage(canvas, dst); }
    void loadFromStream(fw::Stream& s) override { LoadFromStream(s); }

    // Replaces the content with the stream's (GIFException on a damaged file; the stream is then back where it
    // was and the frames read before the error are kept).
    void LoadFromStream(fw::Stream& s);
    // Stops the painters and drops frames, tables and bitmaps.
    void Clear();
    // Draws into rect of the canvas: the first frame, or the animation (see the painter).
    void DrawImage(fw::Canvas& canvas, const fw::Rect& rect);
    // Stops every running painter and waits for it to end.
    void StopDraw();

    GIFImageData& Data() { return data_; }
    const TGIFHeader& Header() const { return data_.Header; }
    const TGIFImageList& Images() const { return data_.Images; }
    const TGIFColorMap& CurrentPalette() const { return data_.CurrentPalette(); }

    // Settings.
    std::uint16_t DrawOptions = GIFDrawOption::Default;
    int AnimationSpeed = 100;  // percent
    int ThreadPriority = THREAD_PRIORITY_NORMAL;
    std::optional<fw::Color> BackgroundColor;  // none: the GIF's own, or the window colour

    // Painter notifications, run on the user-interface thread.
    std::function<void()> OnStartPaint, OnPaint, OnAfterPaint, OnLoop, OnEndPaint;
    // Recoverable reading faults; nothing attaches in the program, so they are silent.
    GIFWarningHook OnWarning;

    // The painter created by the last draw while it runs, or null.
    TGIFPainter* Painter();
    int PainterCount();
    // The off-screen bitmap painters draw into (empty before the first animated draw).
    const fw::DibSection* OffscreenBitmap() const { return bitmap_.get(); }

    // The colour a painter clears to.
    fw::Color PainterBackground() const;

private:
    friend class TGIFPainter;
    void FrameChanged() { changed(); }
    std::mutex& RenderLock() { return renderLock_; }
    GIFSynchronizer& Synchronizer();
    void ReapFinished();
    void UpdateDithering();
    void DrawOffscreen(fw::Canvas& canvas, const fw::Rect& rect);

    GIFImageData data_;
    std::unique_ptr<fw::DibSection> bitmap_;
    std::unique_ptr<GIFSynchronizer> sync_;
    std::mutex painterLock_;  // guards painters_ and painter_
    std::vector<std::unique_ptr<TGIFPainter>> painters_;
    TGIFPainter* painter_ = nullptr;
    std::mutex renderLock_;  // frame bitmaps are built on painter threads and drawn on the UI thread
    bool drawing_ = false;
};

// Draws one frame of the image into rect of an arbitrary device context, through the frame's mask.
void GIFDrawFrameToDC(GIFImageData& image, TGIFSubImage& frame, HDC dc, const fw::Rect& rect, bool tile,
                      bool transparent);

// Registers "gif" ("GIF Image") with the picture loader and the "GIF Image" clipboard format. Done once at start-up
// by this unit's initialiser; calling it again is harmless.
void GIFImageRegister();
// The clipboard format registered for GIF pictures.
UINT GIFClipboardFormat();
