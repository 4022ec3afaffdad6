// The stripes effect's DLL (see pattern_effect.h): the effect and one static
// class factory. The module stays loaded while the test process runs.
#include "effect/pattern_effect/pattern_effect.h"

#include <new>

#include "effect/stacked_effect_stub.h"

namespace lumeko::test {
namespace {

class TPatternEffect final : public TStackedEffectStub {
 public:
  STDMETHODIMP_(ULONG) Release() noexcept override {
    const ULONG left = --Refs;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP Render(TimedLevel*, HDC dc, RECT* r) noexcept override {
    for (int y = r->top; y < r->bottom; ++y)
      for (int x = r->left; x < r->right; ++x) {
        const std::uint32_t p = PatternPixel(preset_, x - r->left, y - r->top);
        ::SetPixelV(dc, x, y, RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
      }
    return S_OK;
  }
  STDMETHODIMP GetTitle(BSTR* title) noexcept override { return Out(kPatternTitle, title); }
  STDMETHODIMP GetPresetTitle(LONG preset, BSTR* title) noexcept override {
    return preset == 0 || preset == 1 ? Out(kPatternPresets[preset], title) : E_INVALIDARG;
  }
  STDMETHODIMP GetPresetCount(LONG* count) noexcept override { return *count = 2, S_OK; }
  STDMETHODIMP SetCurrentPreset(LONG preset) noexcept override {
    if (preset != 0 && preset != 1) return E_INVALIDARG;
    preset_ = preset;
    return S_OK;
  }

 private:
  static HRESULT Out(const wchar_t* text, BSTR* out) {
    *out = ::SysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  LONG preset_ = 0;
};

class TFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TPatternEffect* e = new (std::nothrow) TPatternEffect();
    if (!e) return E_OUTOFMEMORY;
    const HRESULT hr = e->QueryInterface(iid, out);
    e->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) noexcept override { return S_OK; }
} factory;

}  // namespace
}  // namespace lumeko::test

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (clsid != lumeko::test::CLSID_PatternEffect) return CLASS_E_CLASSNOTAVAILABLE;
  return lumeko::test::factory.QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
