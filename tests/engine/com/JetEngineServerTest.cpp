// The engine stand-in as its callers meet it: registration rules on a scratch registry key, and
// "CompactDatabase" called late-bound through IDispatch, in process and through the built DLL.
#include <windows.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/com/JetEngineObject.h"
#include "engine/com/Registration.h"
#include "engine/core/JetEngine.h"
#include "framework/Platform.h"
#include "tests/engine/com/TestFiles.h"

namespace {

using fw::Bstr;
using fw::ComPtr;
using fw::RegKey;
using kvtest::ScratchFolder;

// ---- registration ---------------------------------------------------------------------------------------

class ScratchClassesRoot : public ::testing::Test {
protected:
    void SetUp() override {
        name_ = L"Software\\KovraAccessTests\\Classes" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, root_.put(),
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        root_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
    }
    std::wstring value(const std::wstring& subKey, const wchar_t* name = nullptr) {
        wchar_t buf[512] = {};
        DWORD size = sizeof(buf) - sizeof(wchar_t);
        if (RegGetValueW(root_.get(), subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) {
            return L"<absent>";
        }
        return buf;
    }
    void set(const std::wstring& subKey, const std::wstring& v) {
        RegKey k;
        ASSERT_EQ(RegCreateKeyExW(root_.get(), subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.put(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(k.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                       static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
    }
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kvcom::kJetEngineClsidText;
    std::wstring name_;
    RegKey root_;
};

TEST_F(ScratchClassesRoot, RegistersAndUnregistersOnAFreeName) {
    ASSERT_EQ(kvcom::registerJetEngine(root_.get(), L"C:\\x\\kvjro.dll"), S_OK);
    EXPECT_EQ(value(L"JRO.JetEngine\\CLSID"), kvcom::kJetEngineClsidText);
    EXPECT_EQ(value(clsidKey + L"\\InprocServer32"), L"C:\\x\\kvjro.dll");
    EXPECT_EQ(value(clsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(value(clsidKey + L"\\ProgID"), L"JRO.JetEngine");
    // Registering again (a rebuilt DLL) updates the path.
    ASSERT_EQ(kvcom::registerJetEngine(root_.get(), L"D:\\y\\kvjro.dll"), S_OK);
    EXPECT_EQ(value(clsidKey + L"\\InprocServer32"), L"D:\\y\\kvjro.dll");

    ASSERT_EQ(kvcom::unregisterJetEngine(root_.get()), S_OK);
    EXPECT_EQ(value(L"JRO.JetEngine\\CLSID"), L"<absent>");
    EXPECT_EQ(value(clsidKey + L"\\InprocServer32"), L"<absent>");
}

TEST_F(ScratchClassesRoot, NeverTakesOverAnotherEnginesName) {
    const std::wstring other = L"{DE88C160-FF2C-11D1-BB6F-00C04FAE22DA}";
    set(L"JRO.JetEngine", L"Other engine");
    set(L"JRO.JetEngine\\CLSID", other);
    EXPECT_EQ(kvcom::registerJetEngine(root_.get(), L"C:\\x\\kvjro.dll"), SELFREG_E_CLASS);
    EXPECT_EQ(value(L"JRO.JetEngine\\CLSID"), other);
    EXPECT_EQ(value(L"JRO.JetEngine"), L"Other engine");
    EXPECT_EQ(value(clsidKey + L"\\InprocServer32"), L"<absent>");
    // Unregistering leaves the other engine's name alone.
    kvcom::unregisterJetEngine(root_.get());
    EXPECT_EQ(value(L"JRO.JetEngine\\CLSID"), other);
}

TEST_F(ScratchClassesRoot, RefusesANameWhoseOwnerCannotBeTold) {
    set(L"JRO.JetEngine", L"Something");  // no CLSID subkey
    EXPECT_EQ(kvcom::registerJetEngine(root_.get(), L"C:\\x\\kvjro.dll"), SELFREG_E_CLASS);
    EXPECT_EQ(value(L"JRO.JetEngine\\CLSID"), L"<absent>");
    EXPECT_EQ(value(clsidKey + L"\\InprocServer32"), L"<absent>");
}

// ---- CompactDatabase through IDispatch -----------------------------------------------------------------

std::wstring connection(const std::wstring& path, const std::wstring& password = L"") {
    return L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + L";Jet OLEDB:Database Password=" + password + L";";
}

struct CallResult {
    HRESULT hr = S_OK;
    HRESULT scode = S_OK;
    std::wstring description;
    std::wstring errorInfo;
};

CallResult callCompact(IDispatch* engine, const std::wstring& source, const std::wstring& destination) {
    CallResult r;
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"CompactDatabase");
    r.hr = engine->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(r.hr)) return r;
    VARIANTARG args[2];
    Bstr src(source), dst(destination);
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[1].vt = VT_BSTR;
    args[1].bstrVal = src.get();
    args[0].vt = VT_BSTR;
    args[0].bstrVal = dst.get();
    DISPPARAMS params{args, nullptr, 2, 0};
    fw::Variant result;
    EXCEPINFO excep{};
    UINT argErr = 0;
    r.hr = engine->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(), &excep, &argErr);
    if (r.hr == DISP_E_EXCEPTION) {
        r.scode = excep.scode;
        if (excep.bstrDescription) r.description = excep.bstrDescription;
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrHelpFile);
        ComPtr<IErrorInfo> info;
        if (GetErrorInfo(0, info.put()) == S_OK && info) {
            BSTR d = nullptr;
            info->GetDescription(&d);
            if (d) r.errorInfo = d;
            SysFreeString(d);
        }
    }
    return r;
}

class EngineCall : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(kvcom::createJetEngineObject(IID_IDispatch, engine_.putVoid()), S_OK);
        source_ = dir_.file(L"源 data.mdb");
        ASSERT_TRUE(CopyFileW(kvtest::hostPath(KV_TEST_DATA "/testV1997.mdb").c_str(), source_.c_str(), FALSE));
        original_ = kvtest::readFileBytes(source_);
        ASSERT_FALSE(original_.empty());
    }
    void TearDown() override {
        engine_.reset();
        CoUninitialize();
    }
    ScratchFolder dir_{L"engine"};
    ComPtr<IDispatch> engine_;
    std::wstring source_;
    std::vector<std::uint8_t> original_;
};

TEST_F(EngineCall, CompactsIntoANewFileAndLeavesTheSourceAlone) {
    const std::wstring dest = dir_.file(L"out.mdb");
    CallResult r = callCompact(engine_.get(), connection(source_), connection(dest));
    ASSERT_EQ(r.hr, S_OK) << std::string(r.description.begin(), r.description.end());
    EXPECT_EQ(kvtest::readFileBytes(source_), original_);
    EXPECT_EQ(kvtest::readFileBytes(dest), jet::compactDatabase(original_, u""));
    // Nothing else appeared in the folder (no temporary leftovers).
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 2u);
}

TEST_F(EngineCall, MethodNameIsFoundIgnoringCaseAndOtherNamesAreUnknown) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"compactdatabase");
    EXPECT_EQ(engine_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, kvcom::kDispidCompactDatabase);
    name = const_cast<LPOLESTR>(L"RefreshCache");
    EXPECT_EQ(engine_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(EngineCall, WrongArgumentCountIsRefused) {
    VARIANTARG arg;
    VariantInit(&arg);
    DISPPARAMS params{&arg, nullptr, 1, 0};
    EXPECT_EQ(engine_->Invoke(kvcom::kDispidCompactDatabase, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                              nullptr),
              DISP_E_BADPARAMCOUNT);
}

TEST_F(EngineCall, FailuresAreReportedWithADescriptionAndLeaveNoDestination) {
    const std::wstring dest = dir_.file(L"out.mdb");
    struct Case {
        const char* what;
        std::wstring source, destination;
    };
    const std::wstring notDb = dir_.file(L"notes.mdb");
    ASSERT_TRUE(kvtest::writeFileBytes(notDb, std::vector<std::uint8_t>(4096, 'x')));
    const Case cases[] = {
        {"other provider", L"Provider=Microsoft.Jet.OLEDB.3.51;Data Source=" + source_ + L";", connection(dest)},
        {"missing source", connection(dir_.file(L"nothere.mdb")), connection(dest)},
        {"not a database", connection(notDb), connection(dest)},
        {"no data source", L"Provider=Microsoft.Jet.OLEDB.4.0;", connection(dest)},
        {"password change", connection(source_), connection(dest, L"new")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CallResult r = callCompact(engine_.get(), c.source, c.destination);
        EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
        EXPECT_TRUE(FAILED(r.scode));
        EXPECT_FALSE(r.description.empty());
        EXPECT_EQ(r.errorInfo, r.description);
        EXPECT_FALSE(kvtest::fileExists(dest));
    }
    EXPECT_EQ(kvtest::readFileBytes(source_), original_);
    EXPECT_EQ(kvtest::listFiles(dir_.path()).size(), 2u);  // source and notes.mdb only
}

TEST_F(EngineCall, ExistingDestinationIsNeverOverwritten) {
    const std::wstring dest = dir_.file(L"out.mdb");
    const std::vector<std::uint8_t> keep{1, 2, 3};
    ASSERT_TRUE(kvtest::writeFileBytes(dest, keep));
    CallResult r = callCompact(engine_.get(), connection(source_), connection(dest));
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(r.scode, STG_E_FILEALREADYEXISTS);
    EXPECT_EQ(kvtest::readFileBytes(dest), keep);
}

TEST_F(EngineCall, SourceOpenForWritingElsewhereIsRefused) {
    const std::wstring dest = dir_.file(L"out.mdb");
    fw::KernelHandle writer(CreateFileW(source_.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer.valid());
    CallResult r = callCompact(engine_.get(), connection(source_), connection(dest));
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(r.scode, STG_E_SHAREVIOLATION);
    EXPECT_FALSE(kvtest::fileExists(dest));
}

// The built server, loaded the way COM loads it (its exports), without touching the registry.
TEST(EngineDll, ClassObjectCreatesAWorkingEngine) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        HMODULE dll = LoadLibraryW(kvtest::hostPath(KVJRO_DLL).c_str());
        ASSERT_NE(dll, nullptr);
        using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
        using CanUnload = HRESULT(STDAPICALLTYPE*)();
        auto getClassObject = reinterpret_cast<GetClassObject>(
            reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
        auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(canUnload, nullptr);
        ASSERT_NE(GetProcAddress(dll, "DllRegisterServer"), nullptr);
        ASSERT_NE(GetProcAddress(dll, "DllUnregisterServer"), nullptr);

        ComPtr<IClassFactory> factory;
        EXPECT_EQ(getClassObject(CLSID_NULL, IID_IClassFactory, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
        ASSERT_EQ(getClassObject(kvcom::kJetEngineClsid, IID_IClassFactory, factory.putVoid()), S_OK);
        ComPtr<IDispatch> engine;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, engine.putVoid()), S_OK);
        factory.reset();
        EXPECT_EQ(canUnload(), S_FALSE);  // an engine object is alive

        ScratchFolder dir(L"dll");
        const std::wstring source = dir.file(L"db.mdb");
        ASSERT_TRUE(CopyFileW(kvtest::hostPath(KV_TEST_DATA "/delTestV2000.mdb").c_str(), source.c_str(), FALSE));
        CallResult r = callCompact(engine.get(), connection(source), connection(dir.file(L"c.mdb")));
        EXPECT_EQ(r.hr, S_OK);
        EXPECT_TRUE(kvtest::fileExists(dir.file(L"c.mdb")));
        engine.reset();
        EXPECT_EQ(canUnload(), S_OK);
        FreeLibrary(dll);
    }
    CoUninitialize();
}

}  // namespace
