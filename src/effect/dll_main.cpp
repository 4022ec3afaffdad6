// VizLumeko.dll's entry points. DllMain only records the module handle:
// nothing else is safe under the loader lock. The four exports (kept
// unmangled by VizLumeko.def) hand over to the effect library.
#include <windows.h>

#include "effect/class_factory.h"
#include "effect/com_support.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) lumeko::SetModuleHandle(module);
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  return lumeko::EffectGetClassObject(clsid, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return lumeko::EffectCanUnloadNow(); }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return lumeko::EffectRegisterServer(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return lumeko::EffectUnregisterServer(); }
