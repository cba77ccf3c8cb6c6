#include "engine/com/JetEngineObject.h"

#include <new>
#include <string>

#include "engine/com/CompactFiles.h"
#include "framework/Platform.h"

namespace kvcom {
namespace {

LONG g_moduleReferences = 0;  // COM's module lifetime count: objects alive plus LockServer calls

constexpr wchar_t kErrorSource[] = L"JRO.JetEngine";

std::wstring widenAscii(const std::string& s) {
    // Engine messages are plain ASCII English text.
    return std::wstring(s.begin(), s.end());
}

// Reads argument `arg` as a string, whatever variant type the caller passed (by value or by reference).
HRESULT argumentText(VARIANTARG* arg, std::wstring& out) {
    fw::Variant converted;
    HRESULT hr = VariantChangeType(converted.get(), arg, 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    BSTR b = converted.get()->bstrVal;
    out.assign(b ? b : L"", b ? SysStringLen(b) : 0);
    return S_OK;
}

void setThreadError(const std::wstring& description) {
    fw::ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.put()))) return;
    create->SetSource(const_cast<LPOLESTR>(kErrorSource));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    create->SetGUID(IID_IDispatch);
    fw::ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.putVoid()))) SetErrorInfo(0, info.get());
}

class JetEngineObject final : public IDispatch, public ISupportErrorInfo {
public:
    JetEngineObject() { addModuleReference(); }
    ~JetEngineObject() { releaseModuleReference(); }
    JetEngineObject(const JetEngineObject&) = delete;
    JetEngineObject& operator=(const JetEngineObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
        } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;  // COM reference counting owns this object
        return static_cast<ULONG>(left);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return IsEqualIID(riid, IID_IDispatch) ? S_OK : S_FALSE;
    }

    // IDispatch: no type information; one method found by name.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        if (names[0] != nullptr && _wcsicmp(names[0], L"CompactDatabase") == 0) {
            ids[0] = kDispidCompactDatabase;
        } else {
            hr = DISP_E_UNKNOWNNAME;
        }
        // The method has no named parameters.
        if (count > 1) hr = DISP_E_UNKNOWNNAME;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override {
        if (id != kDispidCompactDatabase) return DISP_E_MEMBERNOTFOUND;
        if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
        if (params == nullptr) return E_INVALIDARG;
        if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
        if (params->cArgs != 2) return DISP_E_BADPARAMCOUNT;
        // Arguments arrive last first: rgvarg[1] is the source, rgvarg[0] the destination.
        std::wstring source, destination;
        HRESULT hr = argumentText(&params->rgvarg[1], source);
        if (FAILED(hr)) {
            if (argErr) *argErr = 1;
            return DISP_E_TYPEMISMATCH;
        }
        hr = argumentText(&params->rgvarg[0], destination);
        if (FAILED(hr)) {
            if (argErr) *argErr = 0;
            return DISP_E_TYPEMISMATCH;
        }
        if (result != nullptr) VariantInit(result);

        HRESULT failure = S_OK;
        std::wstring description;
        try {
            compactDatabaseFiles(source, destination);
        } catch (const CompactError& e) {
            failure = e.hresult();
            description = widenAscii(e.what());
        } catch (const std::bad_alloc&) {
            failure = E_OUTOFMEMORY;
            description = L"Not enough memory to compact the database";
        } catch (const std::exception& e) {
            failure = E_FAIL;
            description = widenAscii(e.what());
        }
        if (SUCCEEDED(failure)) {
            SetErrorInfo(0, nullptr);
            return S_OK;
        }
        setThreadError(description);
        if (excep == nullptr) return failure;
        ZeroMemory(excep, sizeof(*excep));
        excep->bstrSource = fw::Bstr(kErrorSource).release();
        excep->bstrDescription = fw::Bstr(description).release();
        excep->scode = failure;
        return DISP_E_EXCEPTION;
    }

private:
    LONG refs_ = 1;
};

}  // namespace

LONG liveModuleReferences() { return g_moduleReferences; }
void addModuleReference() { InterlockedIncrement(&g_moduleReferences); }
void releaseModuleReference() { InterlockedDecrement(&g_moduleReferences); }

HRESULT createJetEngineObject(REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    JetEngineObject* object = new (std::nothrow) JetEngineObject();  // owned by its COM reference count
    if (object == nullptr) return E_OUTOFMEMORY;
    HRESULT hr = object->QueryInterface(riid, out);
    object->Release();
    return hr;
}

}  // namespace kvcom
