// The engine object: an automation object with one method, "CompactDatabase"(source, destination),
// reached late-bound through IDispatch. Errors come back as DISP_E_EXCEPTION with EXCEPINFO filled and,
// for callers that ask, as the thread's IErrorInfo.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace kvcom {

inline constexpr DISPID kDispidCompactDatabase = 1;

// Creates a new engine object and returns the requested interface of it.
HRESULT createJetEngineObject(REFIID riid, void** out);

// Objects and server locks alive in this module (for DllCanUnloadNow).
LONG liveModuleReferences();
void addModuleReference();
void releaseModuleReference();

}  // namespace kvcom
