#include "engine/com/Registration.h"

#include <olectl.h>

#include <string>

#include "framework/Platform.h"

namespace kvcom {
namespace {

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + kJetEngineClsidText;

// Default value of root\subKey. Returns false when the key does not exist; `value` is empty when the key
// exists without a default string value.
bool readDefault(HKEY root, const std::wstring& subKey, std::wstring& value, bool& keyExists) {
    value.clear();
    fw::RegKey key;
    keyExists = RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
    if (!keyExists) return false;
    wchar_t buf[256] = {};
    DWORD size = sizeof(buf) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return true;
    }
    value.assign(buf, size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return true;
}

LSTATUS writeDefault(HKEY root, const std::wstring& subKey, const wchar_t* name, std::wstring_view value) {
    fw::RegKey key;
    LSTATUS st = RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr);
    if (st != ERROR_SUCCESS) return st;
    std::wstring v(value);
    return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                          static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
}

// Who answers to the programmatic identifier: 0 nobody, 1 us, 2 someone else (or an entry we cannot read).
int progIdOwner(HKEY root) {
    std::wstring clsid;
    bool exists = false;
    readDefault(root, kJetEngineProgId, clsid, exists);
    if (!exists) return 0;
    std::wstring mapped;
    bool clsidExists = false;
    readDefault(root, std::wstring(kJetEngineProgId) + L"\\CLSID", mapped, clsidExists);
    return (clsidExists && _wcsicmp(mapped.c_str(), kJetEngineClsidText) == 0) ? 1 : 2;
}

}  // namespace

HRESULT registerJetEngine(HKEY classesRoot, std::wstring_view modulePath) {
    if (progIdOwner(classesRoot) == 2) return SELFREG_E_CLASS;
    const std::wstring progId = kJetEngineProgId;
    LSTATUS st = writeDefault(classesRoot, progId, nullptr, L"Database compaction engine");
    if (st == ERROR_SUCCESS) st = writeDefault(classesRoot, progId + L"\\CLSID", nullptr, kJetEngineClsidText);
    if (st == ERROR_SUCCESS) st = writeDefault(classesRoot, kClsidKey, nullptr, L"Database compaction engine");
    if (st == ERROR_SUCCESS) st = writeDefault(classesRoot, kClsidKey + L"\\ProgID", nullptr, progId);
    if (st == ERROR_SUCCESS) st = writeDefault(classesRoot, kClsidKey + L"\\InprocServer32", nullptr, modulePath);
    if (st == ERROR_SUCCESS) {
        st = writeDefault(classesRoot, kClsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    }
    if (st != ERROR_SUCCESS) {
        unregisterJetEngine(classesRoot);
        return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT unregisterJetEngine(HKEY classesRoot) {
    if (progIdOwner(classesRoot) == 1) RegDeleteTreeW(classesRoot, kJetEngineProgId);
    RegDeleteTreeW(classesRoot, kClsidKey.c_str());
    return S_OK;
}

}  // namespace kvcom
