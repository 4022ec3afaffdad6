// The module that holds the controls' code, and the window classes it owns.
//
// The controls may live in the effect DLL inside the player as well as in an
// executable, so every class is registered with the instance of the module
// that contains this code, never the process's. Registration is idempotent
// and the classes are unregistered when the module unloads (a DLL's classes
// would otherwise outlive its code). Nothing here creates a window.
#pragma once

#include <windows.h>

namespace lumeko {

// The module (DLL or EXE) this code was linked into.
HINSTANCE UiModule() noexcept;

// Registers the window class once per module; later calls do nothing.
// Throws std::system_error when the system refuses.
void RegisterUiClass(const wchar_t* name, WNDPROC proc, UINT style, LPCWSTR cursor = IDC_ARROW);

// The common controls the controls use (tooltips), initialised once.
void EnsureCommonControls() noexcept;

}  // namespace lumeko
