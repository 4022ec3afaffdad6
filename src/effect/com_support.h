// What every COM entry point of the module shares: the count of live
// objects and locks behind DllCanUnloadNow, the module handle, a BSTR
// owner, and the one catch-all that turns exceptions into HRESULTs.
//
// No exception may leave a COM method: each body runs inside ComCall,
// which maps std::bad_alloc to E_OUTOFMEMORY and anything else to the
// method's failing result, with the message as the thread's error info.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <exception>
#include <new>
#include <string>
#include <utility>

namespace lumeko {

// Effect objects alive and IClassFactory::LockServer locks, module-wide.
std::atomic<long>& ModuleObjectCount();
std::atomic<long>& ModuleLockCount();

// This module's handle: the one DllMain recorded, else the module holding
// this code (a test program that links the effect directly).
HINSTANCE ModuleHandle() noexcept;
void SetModuleHandle(HINSTANCE module) noexcept;
// The module's full path, UTF-16.
std::wstring ModulePath();

// Sets the calling thread's error info (description CP932, converted).
void SetComErrorInfo(REFIID iid, const std::string& description) noexcept;

template <typename Body>
HRESULT ComCall(REFIID iid, HRESULT failure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    SetComErrorInfo(iid, e.what());
    return failure;
  } catch (...) {
    return failure;
  }
}

// Owns one BSTR.
class TBstr {
 public:
  TBstr() noexcept = default;
  explicit TBstr(BSTR b) noexcept : b_(b) {}
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;
  ~TBstr() { ::SysFreeString(b_); }
  BSTR* put() noexcept {
    ::SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  BSTR get() const noexcept { return b_; }
  BSTR release() noexcept { return std::exchange(b_, nullptr); }
  std::wstring_view view() const noexcept { return b_ ? std::wstring_view(b_, ::SysStringLen(b_)) : std::wstring_view(); }

 private:
  BSTR b_ = nullptr;
};

// A BSTR allocated from CP932 text; throws std::bad_alloc when it cannot be.
BSTR AllocBstr(const std::string& cp932);

}  // namespace lumeko
