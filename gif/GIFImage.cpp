#include "gif/GIFImage.h"

#include <algorithm>

#include "gif/GIFCompositor.h"
#include "gif/GIFPainter.h"
#include "gif/GIFWinSupport.h"

namespace {

// The screen depth is looked at once, when the unit registers itself.
bool& paletteScreen() {
    static bool palette = false;
    return palette;
}

// Registers at start-up and removes the format again at shutdown.
struct GIFImageRegistration {
    GIFImageRegistration() { GIFImageRegister(); }
    ~GIFImageRegistration() { fw::unregisterPictureFormat("gif"); }
} gifImageRegistration;

}  // namespace

UINT GIFClipboardFormat() {
    static const UINT format = RegisterClipboardFormatW(L"GIF Image");
    return format;
}

void GIFImageRegister() {
    paletteScreen() = GIFPaletteScreen();
    fw::registerPictureFormat("gif", "GIF Image", [] { return std::make_unique<TGIFImage>(); });
    GIFClipboardFormat();
}

TGIFImage::TGIFImage() {
    data_.OnWarning = [this](const void* sender, GIFSeverity severity, const std::string& message) {
        if (OnWarning) OnWarning(sender, severity, message);
    };
}

TGIFImage::~TGIFImage() {
    StopDraw();
    // What StopDraw kept is further up this thread's stack: a notification of that painter is destroying the
    // image. Waiting for it here would never end (its thread waits for this very call), so it is orphaned.
    std::lock_guard<std::mutex> lock(painterLock_);
    for (auto& p : painters_) {
        TGIFPainter* painter = p.get();
        painter->Orphan(std::move(p));
    }
}

void TGIFImage::LoadFromStream(fw::Stream& s) {
    Clear();
    const std::int64_t start = s.position();
    const std::vector<std::uint8_t> bytes = s.readAll();
    GIFStream gs(bytes.data(), bytes.size());
    try {
        data_.LoadFromStream(gs);
    } catch (...) {
        s.setPosition(start);
        throw;
    }
    s.setPosition(start + static_cast<std::int64_t>(gs.Position()));
    changed();
}

void TGIFImage::Clear() {
    StopDraw();
    bitmap_.reset();
    data_.Clear();
}

void TGIFImage::StopDraw() {
    std::vector<std::unique_ptr<TGIFPainter>> stopping;
    {
        std::lock_guard<std::mutex> lock(painterLock_);
        painter_ = nullptr;
        for (auto& p : painters_) {
            p->Stop();
            // A synchronous painter still running, or a painter whose call this thread is running (a notification
            // led here), is further up this thread's stack: it ends when control returns to it and is freed later.
            const bool onOurStack = p->Asynchronous() ? p->InUICall() : !p->Finished();
            if (!onOurStack) stopping.push_back(std::move(p));
        }
        std::erase(painters_, nullptr);
    }
    // Destroying a painter waits for its thread, servicing the calls it hands to this thread meanwhile.
    stopping.clear();
}

void TGIFImage::ReapFinished() {
    std::vector<std::unique_ptr<TGIFPainter>> done;
    {
        std::lock_guard<std::mutex> lock(painterLock_);
        for (auto it = painters_.begin(); it != painters_.end();) {
            if ((*it)->Finished()) {
                if (painter_ == it->get()) painter_ = nullptr;
                done.push_back(std::move(*it));
                it = painters_.erase(it);
            } else {
                ++it;
            }
        }
    }
}

TGIFPainter* TGIFImage::Painter() {
    ReapFinished();
    std::lock_guard<std::mutex> lock(painterLock_);
    return painter_;
}

int TGIFImage::PainterCount() {
    ReapFinished();
    std::lock_guard<std::mutex> lock(painterLock_);
    return static_cast<int>(painters_.size());
}

GIFSynchronizer& TGIFImage::Synchronizer() {
    if (!sync_) sync_ = std::make_unique<GIFSynchronizer>();
    return *sync_;
}

fw::Color TGIFImage::PainterBackground() const {
    if (BackgroundColor) return *BackgroundColor;
    return data_.BackgroundColor(GetSysColor(COLOR_WINDOW));
}

void TGIFImage::UpdateDithering() { data_.SetDithering(GIFTiming::DitheringApplies(DrawOptions, paletteScreen())); }

void GIFDrawFrameToDC(GIFImageData& image, TGIFSubImage& frame, HDC dc, const fw::Rect& rect, bool tile,
                      bool transparent) {
    if (rect.empty()) return;
    // Compose over a copy of what is there, so that transparent pixels keep it, and copy back in one piece.
    fw::DibSection scratch(rect.width(), rect.height());
    BitBlt(scratch.dc(), 0, 0, rect.width(), rect.height(), dc, rect.left, rect.top, SRCCOPY);
    GIFDrawFrame(image, frame, scratch.pixels(), fw::Rect::fromSize(0, 0, rect.width(), rect.height()), tile,
                 transparent);
    GdiFlush();
    BitBlt(dc, rect.left, rect.top, rect.width(), rect.height(), scratch.dc(), 0, 0, SRCCOPY);
}

void TGIFImage::DrawOffscreen(fw::Canvas& canvas, const fw::Rect& rect) {
    if (!bitmap_ || bitmap_->empty()) return;
    if (!(DrawOptions & GIFDrawOption::Tile)) {
        canvas.copyRect(rect, bitmap_->dc(), bitmap_->rect());
        return;
    }
    fw::SavedDC saved(canvas.handle());
    canvas.intersectClip(rect);
    for (int y = rect.top; y < rect.bottom; y += bitmap_->height())
        for (int x = rect.left; x < rect.right; x += bitmap_->width()) bitmap_->drawTo(canvas.handle(), x, y);
}

void TGIFImage::DrawImage(fw::Canvas& canvas, const fw::Rect& rect) {
    if (drawing_ || data_.Empty()) return;
    drawing_ = true;
    struct Leave {
        bool* flag;
        ~Leave() {
            if (flag) *flag = false;
        }
    } leave{&drawing_};

    {
        std::lock_guard<std::mutex> lock(renderLock_);
        UpdateDithering();
    }
    ReapFinished();
    const bool tile = (DrawOptions & GIFDrawOption::Tile) != 0;
    const bool transparent = (DrawOptions & GIFDrawOption::DrawTransparent) != 0;
    if (data_.Images.size() == 1 || !(DrawOptions & GIFDrawOption::Animate)) {
        std::lock_guard<std::mutex> lock(renderLock_);
        GIFDrawFrameToDC(data_, *data_.Images.front(), canvas.handle(), rect, tile, transparent);
        return;
    }
    const bool direct = (DrawOptions & GIFDrawOption::DirectDraw) != 0;
    if (bitmap_ && !direct) {
        DrawOffscreen(canvas, rect);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(painterLock_);
        if (painter_ && !painter_->Finished() && painter_->Canvas() == canvas.handle() && painter_->Rect() == rect)
            return;
    }
    StopDraw();
    bitmap_.reset();
    if (rect.empty() || data_.Empty()) return;

    HDC target = canvas.handle();
    fw::DibSection* offscreen = nullptr;
    if (!direct) {
        bitmap_ = std::make_unique<fw::DibSection>(data_.Width(), data_.Height());
        if (bitmap_->empty()) return;
        // What is under the target rectangle shows through transparent parts.
        bitmap_->canvas().copyRect(bitmap_->rect(), canvas.handle(), rect);
        offscreen = bitmap_.get();
        target = bitmap_->dc();
    }
    auto painter = std::make_unique<TGIFPainter>(*this, target, rect, offscreen, DrawOptions, AnimationSpeed);
    TGIFPainter* p = painter.get();
    {
        std::lock_guard<std::mutex> lock(painterLock_);
        painters_.push_back(std::move(painter));
        painter_ = p;
    }
    if (p->Asynchronous()) {
        p->SetPriority(ThreadPriority);
        p->Start();
        if (!direct) DrawOffscreen(canvas, rect);
    } else {
        // Runs to the end here; its frames reach the screen through the change notifications.
        p->Start();
        if (p->Orphaned()) {
            // The image was destroyed while the painter ran: touch nothing of it, only free the painter.
            leave.flag = nullptr;
            p->TakeOrphan().reset();
            return;
        }
        ReapFinished();
        if (!direct) DrawOffscreen(canvas, rect);
    }
}
