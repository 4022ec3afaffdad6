// The class factory of the effect and the module's unload test.
//
// One static factory serves every request; each CreateInstance makes a new
// effect object (multi-instance), and the first keeps the module loaded for
// good. An aggregating caller gets the object's own IUnknown and nothing else.
#include "effect/class_factory.h"

#include <mutex>
#include <new>
#include <set>
#include <string>

#include "effect/com_support.h"
#include "effect/viz_lumeko.h"
#include "platform/wide.h"

namespace lumeko {

namespace {

std::mutex sinkMutex;
TMessageSink& Sink() {
  static TMessageSink sink;
  return sink;
}

void ShowFailure(const std::string& message) noexcept {
  try {
    const std::wstring caption = ToWide("VOD \x83\x47\x83\x89\x81\x5B");  // VOD エラー
    const std::wstring text = ToWide(FailureMessageText(message));
    TMessageSink sink;
    {
      std::lock_guard<std::mutex> lock(sinkMutex);
      sink = Sink();
    }
    if (sink)
      sink(caption, text);
    else
      ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
  } catch (...) {
  }
}

// The player makes a new effect object each time the visualization is
// chosen: a stacked effect that cannot be made is told about once a
// process (for each reason), not every time.
void WarnOnce(const std::string& message) noexcept {
  try {
    static std::mutex mutex;
    static std::set<std::string> told;
    {
      std::lock_guard<std::mutex> lock(mutex);
      if (!told.insert(message).second) return;
    }
    ShowFailure(message);
  } catch (...) {
  }
}

// Once an effect has been made the module stays loaded until the process
// ends. The C++ runtime linked into it keeps records for each thread that
// has used it (thread-local storage, exception state, the threading
// library's own), which only that thread's end frees; unloading the module
// under the player's living thread would leave them there, four kernel
// handles and some memory at every unload.
void StayLoaded() noexcept {
  HMODULE self = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&StayLoaded), &self);
}

class TVizLumekoFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is static: its references do not keep anything alive.
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    // An aggregating object must take the object's own IUnknown.
    if (outer && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    StayLoaded();
    TVizLumeko* obj = nullptr;
    TCaughtFailure failure{E_UNEXPECTED, {}};
    std::string warning;
    try {
      obj = TVizLumeko::CreateInstance(outer, &warning);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
      failure.Take(e.what());
    } catch (...) {
      failure.Take("unknown failure");
    }
    if (!obj) {
      // Shown outside the handler: the box allocates.
      ShowFailure(failure.Message);
      return failure.Result;
    }
    if (!warning.empty()) WarnOnce(warning);
    IUnknown* const self = obj->NonDelegating();
    const HRESULT hr = self->QueryInterface(iid, out);
    self->Release();
    return hr;
  }

  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    if (lock)
      ++ModuleLockCount();
    else
      --ModuleLockCount();
    return S_OK;
  }
};

TVizLumekoFactory factory;

}  // namespace

void SetFailureMessageSink(TMessageSink sink) {
  std::lock_guard<std::mutex> lock(sinkMutex);
  Sink() = std::move(sink);
}

std::string FailureMessageText(const std::string& message) {
  if (message.empty()) return message;
  // The last character, a double-byte one counting as its lead byte.
  size_t last = 0;
  for (size_t i = 0; i < message.size(); i += CharLength(message, i)) last = i;
  return static_cast<unsigned char>(message[last]) > '.' ? message + "." : message;
}

HRESULT EffectGetClassObject(REFCLSID clsid, REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_VizLumeko) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

HRESULT EffectCanUnloadNow() noexcept {
  return (ModuleObjectCount() == 0 && ModuleLockCount() == 0) ? S_OK : S_FALSE;
}

}  // namespace lumeko
