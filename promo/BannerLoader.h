// The main window's show handler without the wait: a worker thread fetches the settings file and the banner
// pictures, and the banners are filled on the user-interface thread when it is done. A slow or dead network
// therefore never holds up the window.
#pragma once

#include <memory>
#include <vector>

#include <windows.h>

#include "framework/Handles.h"
#include "promo/PromoSite.h"

class TkvSkinLinkImage;

class BannerLoader {
public:
    explicit BannerLoader(PromoSite site);
    // Abandons the downloads still running: their workers finish on their own and touch nothing of the window.
    ~BannerLoader();
    BannerLoader(const BannerLoader&) = delete;
    BannerLoader& operator=(const BannerLoader&) = delete;

    // ShowBanners, asynchronously: fetches the settings file on every call and fills img1 and img2 once per
    // process (BannerFillCount), when the worker is done and the message loop runs. The images must live as long
    // as this object. An error while filling leaves BannerFillCount at 0, so the next show tries again, and is
    // shown by the message loop.
    void Show(TkvSkinLinkImage& img1, TkvSkinLinkImage& img2);

private:
    struct Job;
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void finished();
    void startWorkers();
    // The worker: everything that may wait on the network, nothing that touches a window.
    static void fetch(const std::shared_ptr<Job>& job);

    PromoSite site_;
    fw::Window window_;  // message-only window the workers post to
    std::vector<std::shared_ptr<Job>> jobs_;
    TkvSkinLinkImage* img1_ = nullptr;
    TkvSkinLinkImage* img2_ = nullptr;
    bool fillRunning_ = false;  // a worker is fetching the pictures; a second show must not fetch them again
};
