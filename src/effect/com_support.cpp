// Module-wide COM state and the error-info side of the catch-all.
#include "effect/com_support.h"

#include <vector>

#include "platform/wide.h"

namespace lumeko {

namespace {
std::atomic<HINSTANCE> recordedModule{nullptr};
}  // namespace

std::atomic<long>& ModuleObjectCount() {
  static std::atomic<long> count{0};
  return count;
}

std::atomic<long>& ModuleLockCount() {
  static std::atomic<long> count{0};
  return count;
}

HINSTANCE ModuleHandle() noexcept {
  if (HINSTANCE m = recordedModule.load()) return m;
  HMODULE self = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleHandle), &self);
  return self;
}

void SetModuleHandle(HINSTANCE module) noexcept { recordedModule = module; }

std::wstring ModulePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(ModuleHandle(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::wstring();
    if (n < buf.size()) return std::wstring(buf.data(), n);
    buf.resize(buf.size() * 2);
  }
}

void SetComErrorInfo(REFIID iid, const std::string& description) noexcept {
  try {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(::CreateErrorInfo(&create))) return;
    const std::wstring text = ToWide(description);
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(L"LUMEKOlib.VizLumeko"));
    create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
      ::SetErrorInfo(0, info);
      info->Release();
    }
    create->Release();
  } catch (...) {
  }
}

BSTR AllocBstr(const std::string& cp932) {
  const std::wstring w = ToWide(cp932);
  BSTR b = ::SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
  if (!b) throw std::bad_alloc();
  return b;
}

}  // namespace lumeko
