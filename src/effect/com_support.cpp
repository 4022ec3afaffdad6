// Module-wide COM state and the error-info side of the catch-all.
#include "effect/com_support.h"

#include <vector>

#include "platform/com_ptr.h"
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

void SetComErrorInfo(REFIID iid, const char* description) noexcept {
  try {
    TComPtr<ICreateErrorInfo> create;
    if (FAILED(::CreateErrorInfo(create.put()))) return;
    const std::wstring text = ToWide(description ? description : "");
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(L"LUMEKOlib.VizLumeko"));
    create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
    if (TComPtr<IErrorInfo> info = create.query<IErrorInfo>(IID_IErrorInfo)) ::SetErrorInfo(0, info.get());
  } catch (...) {
    // No error info then; the result code still tells the failure.
  }
}

}  // namespace lumeko
