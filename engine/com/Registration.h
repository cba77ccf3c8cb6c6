// Registration of the engine stand-in under its programmatic identifier. The root key is a parameter so that
// the rules can be exercised on a scratch key; the server itself passes HKEY_CLASSES_ROOT.
#pragma once

#include <windows.h>

#include <string_view>

namespace kvcom {

inline constexpr wchar_t kJetEngineProgId[] = L"JRO.JetEngine";
inline constexpr wchar_t kJetEngineClsidText[] = L"{0B4C3E07-5D0E-4A8E-9A51-6F1D2C7B9E34}";
// {0B4C3E07-5D0E-4A8E-9A51-6F1D2C7B9E34}
inline constexpr CLSID kJetEngineClsid = {0x0B4C3E07, 0x5D0E, 0x4A8E, {0x9A, 0x51, 0x6F, 0x1D, 0x2C, 0x7B, 0x9E, 0x34}};

// Writes ProgID -> CLSID and CLSID -> InprocServer32 (modulePath, apartment threading) under classesRoot.
// Refuses with SELFREG_E_CLASS and writes nothing when the programmatic identifier already exists and does
// not map to our CLSID: another engine is installed and must stay the one that answers.
HRESULT registerJetEngine(HKEY classesRoot, std::wstring_view modulePath);

// Removes our keys. The programmatic identifier is removed only when it maps to our CLSID.
HRESULT unregisterJetEngine(HKEY classesRoot);

}  // namespace kvcom
