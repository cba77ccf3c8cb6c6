#include "promo/BannerLoader.h"

#include <objbase.h>

#include <exception>
#include <mutex>
#include <thread>

#include "framework/Application.h"
#include "framework/MessageWindow.h"
#include "promo/Banners.h"
#include "promo/Communal.h"
#include "promo/kvSkinLinkImage.h"

namespace {

constexpr wchar_t kLoaderClass[] = L"KvBannerLoader";
constexpr UINT kWorkerDone = WM_APP + 1;
constexpr UINT_PTR kStartTimer = 1;

}  // namespace

// What one show asked for and what its worker found. The worker and the loader share it; the loader lets go of
// it (clears `target`) when it is destroyed, so the worker never posts to a window that is gone.
struct BannerLoader::Job {
    PromoSite site;
    bool fill = false;
    bool started = false;  // its worker runs (user-interface thread only)

    std::mutex mutex;
    HWND target = nullptr;  // guarded by mutex
    bool done = false;      // guarded by mutex; the results below are complete once it is set
    BannerChoice img1, img2;
    std::exception_ptr error;
};

BannerLoader::BannerLoader(PromoSite site) : site_(std::move(site)) {}

BannerLoader::~BannerLoader() {
    for (const auto& job : jobs_) {
        std::lock_guard<std::mutex> lock(job->mutex);
        job->target = nullptr;
    }
}

void BannerLoader::Show(TkvSkinLinkImage& img1, TkvSkinLinkImage& img2) {
    if (!window_) window_ = fw::createMessageWindow(kLoaderClass, proc, this);
    img1_ = &img1;
    img2_ = &img2;
    auto job = std::make_shared<Job>();
    job->site = site_;
    job->fill = BannerFillCount < 1 && !fillRunning_;
    job->target = window_.get();
    if (job->fill) {
        fillRunning_ = true;
        // The banners take their height now, so that the window's layout does not change when they arrive.
        img1.setHeight(kBannerHeight);
        img2.setHeight(kBannerHeight);
    }
    jobs_.push_back(job);
    // The worker starts once the window has painted (a timer message comes after the paints): loading the
    // download service would otherwise compete with the window's first paint.
    SetTimer(window_.get(), kStartTimer, 0, nullptr);
}

void BannerLoader::startWorkers() {
    KillTimer(window_.get(), kStartTimer);
    for (const auto& job : jobs_) {
        if (job->started) continue;
        job->started = true;
        // Detached: a download that hangs must not keep the window, or the program's exit, waiting for it.
        std::thread([job] { fetch(job); }).detach();
    }
}

LRESULT CALLBACK BannerLoader::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kStartTimer) {
        if (auto* loader = reinterpret_cast<BannerLoader*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            loader->startWorkers();
        return 0;
    }
    if (msg == kWorkerDone) {
        auto* loader = reinterpret_cast<BannerLoader*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        try {
            if (loader) loader->finished();
        } catch (const std::exception& e) {
            fw::showException(e);  // errors must not unwind through the platform's dispatcher
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void BannerLoader::finished() {
    std::vector<std::shared_ptr<Job>> done;
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        std::lock_guard<std::mutex> lock((*it)->mutex);
        if ((*it)->done) {
            done.push_back(*it);
            it = jobs_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& job : done) {
        if (!job->fill) continue;
        fillRunning_ = false;
        if (job->error) std::rethrow_exception(job->error);
        ApplyBanner(*img1_, job->img1);
        ApplyBanner(*img2_, job->img2);
        ++BannerFillCount;
    }
}

void BannerLoader::fetch(const std::shared_ptr<Job>& job) {
    // The download service needs COM on the thread that calls it.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BannerChoice img1, img2;
    std::exception_ptr error;
    try {
        DownloadSettingsFile(job->site, kProductCode);
        if (job->fill) {
            img1 = ChooseBanner(L"fname1", kProductCode, job->site);
            img2 = ChooseBanner(L"fname2", kProductCode, job->site);
        }
    } catch (...) {
        error = std::current_exception();  // raised again on the user-interface thread, as the show would have
    }
    if (SUCCEEDED(com)) CoUninitialize();
    std::lock_guard<std::mutex> lock(job->mutex);
    job->img1 = std::move(img1);
    job->img2 = std::move(img2);
    job->error = error;
    job->done = true;
    if (job->target) PostMessageW(job->target, kWorkerDone, 0, 0);
}
