#include "app/JroEngine.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "framework/Application.h"
#include "framework/Platform.h"

namespace {

using fw::Bstr;
using fw::ComPtr;
using fw::toWide;

std::string describe(const char* what, HRESULT hr) {
    char buf[96];
    wsprintfA(buf, "%s (0x%08lX)", what, static_cast<unsigned long>(hr));
    return buf;
}

class JroEngine : public DatabaseEngine {
public:
    explicit JroEngine(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    std::int32_t CompactDatabase(const std::u16string& source, const std::u16string& destination) override {
        DISPID id = 0;
        LPOLESTR name = const_cast<LPOLESTR>(L"CompactDatabase");
        HRESULT hr = object_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) throw EngineError(describe("CompactDatabase is not known to the engine", hr));

        // Both arguments by value as OLE strings; the last argument comes first.
        Bstr src(toWide(source)), dst(toWide(destination));
        VARIANTARG args[2];
        VariantInit(&args[0]);
        VariantInit(&args[1]);
        args[0].vt = VT_BSTR;
        args[0].bstrVal = dst.get();
        args[1].vt = VT_BSTR;
        args[1].bstrVal = src.get();
        DISPPARAMS params{args, nullptr, 2, 0};
        fw::Variant result;
        EXCEPINFO excep{};
        UINT argErr = 0;
        hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(), &excep,
                             &argErr);
        if (hr == DISP_E_EXCEPTION) {
            if (excep.pfnDeferredFillIn) excep.pfnDeferredFillIn(&excep);
            HRESULT code = excep.scode != 0 ? excep.scode : hr;
            // The engine's own words are what the user can act on; the code alone where it gave none.
            const std::string summary = describe("The engine reported an error", code);
            std::u16string reason = excep.bstrDescription && *excep.bstrDescription
                                        ? fw::toU16(excep.bstrDescription)
                                        : std::u16string(summary.begin(), summary.end());
            SysFreeString(excep.bstrSource);
            SysFreeString(excep.bstrDescription);
            SysFreeString(excep.bstrHelpFile);
            throw EngineError(summary, std::move(reason));
        }
        if (FAILED(hr)) throw EngineError(describe("CompactDatabase failed", hr));

        // The call's value as an integer; an empty value counts as 0.
        if (result.ref().vt == VT_EMPTY || result.ref().vt == VT_NULL) return 0;
        fw::Variant asInt;
        if (FAILED(VariantChangeType(asInt.get(), result.get(), 0, VT_I4))) {
            throw EngineError("The engine's result is not a number");
        }
        return asInt.ref().lVal;
    }

private:
    ComPtr<IDispatch> object_;
};

}  // namespace

std::unique_ptr<DatabaseEngine> CreateJroEngine() {
    fw::useOle();  // the engine is an automation object on this thread
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(L"JRO.JetEngine", &clsid);
    if (FAILED(hr)) throw EngineError(describe("JRO.JetEngine is not registered", hr));
    ComPtr<IDispatch> object;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch, object.putVoid());
    if (FAILED(hr)) throw EngineError(describe("JRO.JetEngine cannot be created", hr));
    return std::make_unique<JroEngine>(std::move(object));
}
