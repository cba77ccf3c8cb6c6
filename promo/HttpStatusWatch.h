// The bind-status object handed to the platform's URL download service: it records the HTTP status of the
// response and stops the transfer at once when the server answers with an error, so that an error page is never
// taken for the resource. It also abandons the transfer once it passes its limits (size announced or received,
// time since the watch was made). It lives on the caller's stack for one synchronous download.
#pragma once

#include <windows.h>
#include <urlmon.h>

#include "promo/PromoSite.h"

class HttpStatusWatch final : public IBindStatusCallback, public IHttpNegotiate {
public:
    explicit HttpStatusWatch(const DownloadLimits& limits) : limits_(limits), start_(GetTickCount()) {}
    ~HttpStatusWatch() { ReleaseBinding(); }
    HttpStatusWatch(const HttpStatusWatch&) = delete;
    HttpStatusWatch& operator=(const HttpStatusWatch&) = delete;

    // 0 when no HTTP response was seen (for example an address of another scheme).
    DWORD Status() const { return status_; }
    // True unless an HTTP response came with a status outside 200-299.
    bool StatusAcceptable() const { return status_ == 0 || (status_ >= 200 && status_ < 300); }
    // True once the transfer passed a limit and was abandoned.
    bool PastLimits() const { return pastLimits_; }
    // Abandons the transfer as past its limits (on the downloading thread).
    void Abandon();

    // IUnknown: the object is owned by its caller's scope; reference counts are kept only for the protocol.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }

    // IBindStatusCallback
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* binding) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) override;
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override;
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    // IHttpNegotiate
    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override;
    HRESULT STDMETHODCALLTYPE OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) override;

private:
    void ReleaseBinding();

    IBinding* binding_ = nullptr;  // the running transfer, between its start and its stop
    ULONG refs_ = 1;
    DWORD status_ = 0;
    DownloadLimits limits_;
    DWORD start_;
    bool pastLimits_ = false;
};
