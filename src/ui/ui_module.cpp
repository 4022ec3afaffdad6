// Module instance and window-class registration (see ui_module.h).
#include "ui/ui_module.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace lumeko {
namespace {

// Unregisters what it registered when static objects die: at process exit for
// an executable, at DLL_PROCESS_DETACH for a DLL.
class TClassRegistry {
 public:
  ~TClassRegistry() {
    for (const std::wstring& name : names_) ::UnregisterClassW(name.c_str(), UiModule());
  }

  void Register(const wchar_t* name, WNDPROC proc, UINT style, LPCWSTR cursor) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (std::find(names_.begin(), names_.end(), name) != names_.end()) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR);  // the owning object, see window_control.h
    wc.hInstance = UiModule();
    wc.hCursor = ::LoadCursorW(nullptr, cursor);
    wc.lpszClassName = name;
    if (!::RegisterClassExW(&wc)) {
      const DWORD error = ::GetLastError();
      if (error != ERROR_CLASS_ALREADY_EXISTS) throw std::system_error(static_cast<int>(error), std::system_category(), "RegisterClassEx");
      // Left by an earlier copy of this module at the same address: replace
      // it, since its window procedure may point into unloaded code.
      ::UnregisterClassW(name, UiModule());
      if (!::RegisterClassExW(&wc))
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), "RegisterClassEx");
    }
    names_.emplace_back(name);
  }

 private:
  std::mutex mutex_;
  std::vector<std::wstring> names_;
};

TClassRegistry& Registry() {
  static TClassRegistry registry;
  return registry;
}

const char kAddressInThisModule = 0;

}  // namespace

HINSTANCE UiModule() noexcept {
  static const HINSTANCE module = [] {
    HMODULE m = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&kAddressInThisModule), &m);
    return m;
  }();
  return module;
}

void RegisterUiClass(const wchar_t* name, WNDPROC proc, UINT style, LPCWSTR cursor) {
  Registry().Register(name, proc, style, cursor);
}

void EnsureCommonControls() noexcept {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

}  // namespace lumeko
