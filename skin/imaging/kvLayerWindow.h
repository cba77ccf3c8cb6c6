// Glow frames: a layered popup window shows an image with per-pixel alpha from a mask and fades it in.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Handles.h"
#include "skin/imaging/kvBitmap.h"

class TkvLayerManager;

// One glow on screen: a popup tool window without caption or border that a click never activates, carrying its
// picture (colour from the image, alpha from the mask, premultiplied for the platform).
class TkvLayerWindow {
public:
    TkvLayerWindow(TkvLayerManager& owner, int x, int y, fw::ConstPixelView image, fw::ConstPixelView mask,
                   bool topMost);
    ~TkvLayerWindow();
    TkvLayerWindow(const TkvLayerWindow&) = delete;
    TkvLayerWindow& operator=(const TkvLayerWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    // Puts the picture on screen with this constant opacity (0 … 255) over its per-pixel alpha.
    bool SetOpacity(int opacity);

private:
    TkvBitmap picture_;
    fw::Window window_;
    POINT position_;
};

// Shows at most one glow at a time and fades it in: every 25 ms the opacity grows by a tenth of the requested
// opacity until it arrives. Only where the platform offers layered windows (version 5.0 or later).
class TkvLayerManager {
public:
    TkvLayerManager() = default;
    ~TkvLayerManager();
    TkvLayerManager(const TkvLayerManager&) = delete;
    TkvLayerManager& operator=(const TkvLayerManager&) = delete;

    static bool Available();

    // Hides any glow shown before, then shows image (with alpha from mask, same size; no mask means opaque) at
    // screen position (x, y), starting at opacity 0 and fading to opacity.
    void Show(int x, int y, int opacity, fw::ConstPixelView image, fw::ConstPixelView mask);
    void Hide();

    bool TopMost = true;

    HWND Window() const { return window_ ? window_->Handle() : nullptr; }
    int Opacity() const { return opacity_; }
    int TargetOpacity() const { return target_; }
    bool Fading() const { return fading_; }

    // One fade step (the timer's work).
    void FadeStep();

private:
    std::unique_ptr<TkvLayerWindow> window_;
    int opacity_ = 0;
    int target_ = 0;
    bool fading_ = false;
};
