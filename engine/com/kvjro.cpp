// The in-process server: class factory, self-registration and the exports COM looks for.
#include <windows.h>
#include <olectl.h>

#include <new>

#include "engine/com/JetEngineObject.h"
#include "engine/com/Registration.h"

namespace {

HINSTANCE g_module = nullptr;  // this DLL, for its own path when registering

class JetEngineFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;  // COM reference counting owns the factory
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (out != nullptr) *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        return kvcom::createJetEngineObject(riid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            kvcom::addModuleReference();
        } else {
            kvcom::releaseModuleReference();
        }
        return S_OK;
    }

private:
    LONG refs_ = 1;
};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, kvcom::kJetEngineClsid)) return CLASS_E_CLASSNOTAVAILABLE;
    JetEngineFactory* factory = new (std::nothrow) JetEngineFactory();
    if (factory == nullptr) return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(riid, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return kvcom::liveModuleReferences() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    DWORD len = GetModuleFileNameW(g_module, path, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return SELFREG_E_CLASS;
    return kvcom::registerJetEngine(HKEY_CLASSES_ROOT, path);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return kvcom::unregisterJetEngine(HKEY_CLASSES_ROOT); }
