#include "promo/HttpStatusWatch.h"

HRESULT STDMETHODCALLTYPE HttpStatusWatch::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback))
        *ppv = static_cast<IBindStatusCallback*>(this);
    else if (IsEqualIID(riid, IID_IHttpNegotiate)) *ppv = static_cast<IHttpNegotiate*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpStatusWatch::GetBindInfo(DWORD* flags, BINDINFO*) {
    // Always the server's current copy: the settings file changes on the server under the same address.
    if (flags) *flags |= BINDF_GETNEWESTVERSION;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpStatusWatch::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) {
    if (additional) *additional = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpStatusWatch::OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) {
    if (additional) *additional = nullptr;
    status_ = code;
    return StatusAcceptable() ? S_OK : E_ABORT;
}

HRESULT STDMETHODCALLTYPE HttpStatusWatch::OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) {
    // progressMax is the announced size while the data arrives (0 when unknown); either counts.
    const bool tooLarge = progress > limits_.maxBytes || progressMax > limits_.maxBytes;
    const bool tooLong = GetTickCount() - start_ > limits_.maxMilliseconds;  // wraps correctly
    if (tooLarge || tooLong) pastLimits_ = true;
    return pastLimits_ ? E_ABORT : S_OK;
}

HRESULT STDMETHODCALLTYPE HttpStatusWatch::OnStartBinding(DWORD, IBinding* binding) {
    ReleaseBinding();
    binding_ = binding;
    if (binding_) binding_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpStatusWatch::OnStopBinding(HRESULT, LPCWSTR) {
    ReleaseBinding();
    return S_OK;
}

void HttpStatusWatch::Abandon() {
    pastLimits_ = true;
    if (binding_) binding_->Abort();
}

void HttpStatusWatch::ReleaseBinding() {
    if (binding_) binding_->Release();
    binding_ = nullptr;
}
