// What every COM entry point of the module shares: the count of live
// objects and locks behind DllCanUnloadNow, the module handle, a BSTR
// owner, and the one catch-all that turns exceptions into HRESULTs.
//
// No exception may leave a COM method or a window procedure: each body runs
// inside ComCall (or WindowCall), which maps std::bad_alloc to
// E_OUTOFMEMORY, a system error to its own code and anything else to the
// method's failing result. The handlers only copy into fixed buffers: an
// allocation that failed inside one would end the player's process.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <utility>

#include "platform/system_error.h"

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
void SetComErrorInfo(REFIID iid, const char* description) noexcept;

// The failure an exception stands for, and its message cut to fit, taken
// inside a catch handler without allocating.
struct TCaughtFailure {
  HRESULT Result;
  char Message[256];

  void Take(const char* what) noexcept {
    std::strncpy(Message, what ? what : "", sizeof Message - 1);
    Message[sizeof Message - 1] = '\0';
  }
};

template <typename Body>
HRESULT ComCall(REFIID iid, HRESULT failure, Body&& body) noexcept {
  TCaughtFailure caught{failure, {}};
  try {
    return std::forward<Body>(body)();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const ESystemError& e) {
    caught.Result = FAILED(e.Result()) ? e.Result() : failure;
    caught.Take(e.what());
  } catch (const std::exception& e) {
    caught.Take(e.what());
  } catch (...) {
    return failure;
  }
  SetComErrorInfo(iid, caught.Message);
  return caught.Result;
}

// The same edge for window procedures: a failure answers fallback.
template <typename Body>
LRESULT WindowCall(LRESULT fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return fallback;
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

}  // namespace lumeko
