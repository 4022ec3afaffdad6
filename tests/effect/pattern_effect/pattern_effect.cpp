// The stripes effect's DLL (see pattern_effect.h): the class factory, the
// module's unload test and the effect object.
#include "effect/pattern_effect/pattern_effect.h"

#include <atomic>
#include <new>

#include "platform/wmp_effects.h"

namespace lumeko::test {
namespace {

std::atomic<long> objects{0};
std::atomic<long> locks{0};

class TPatternEffect final : public IWMPEffects {
 public:
  TPatternEffect() { ++objects; }
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IWMPEffects) {
      *out = static_cast<IWMPEffects*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() noexcept override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP Render(TimedLevel*, HDC dc, RECT* r) noexcept override {
    if (!dc || !r) return E_POINTER;
    const auto brush = [](std::uint32_t p) { return ::CreateSolidBrush(RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF)); };
    const HBRUSH a = brush(kPatternA), b = brush(kPatternB);
    for (int y = r->top; y < r->bottom; y += kPatternStripe)
      for (int x = r->left; x < r->right; x += kPatternStripe) {
        const RECT cell{x, y, x + kPatternStripe, y + kPatternStripe};
        ::FillRect(dc, &cell, PatternPixel(preset_, x - r->left, y - r->top) == kPatternA ? a : b);
      }
    ::DeleteObject(a);
    ::DeleteObject(b);
    return S_OK;
  }
  STDMETHODIMP MediaInfo(LONG, LONG, BSTR) noexcept override { return S_OK; }
  STDMETHODIMP GetCapabilities(DWORD* caps) noexcept override {
    if (!caps) return E_POINTER;
    *caps = 0;
    return S_OK;
  }
  STDMETHODIMP GetTitle(BSTR* title) noexcept override { return Out(kPatternTitle, title); }
  STDMETHODIMP GetPresetTitle(LONG preset, BSTR* title) noexcept override {
    if (preset < 0 || preset > 1) return E_INVALIDARG;
    return Out(kPatternPresets[preset], title);
  }
  STDMETHODIMP GetPresetCount(LONG* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 2;
    return S_OK;
  }
  STDMETHODIMP SetCurrentPreset(LONG preset) noexcept override {
    if (preset < 0 || preset > 1) return E_INVALIDARG;
    preset_ = preset;
    return S_OK;
  }
  STDMETHODIMP GetCurrentPreset(LONG* preset) noexcept override {
    if (!preset) return E_POINTER;
    *preset = preset_;
    return S_OK;
  }
  STDMETHODIMP DisplayPropertyPage(HWND) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GoFullscreen(BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP RenderFullScreen(TimedLevel*) noexcept override { return E_NOTIMPL; }

 private:
  ~TPatternEffect() { --objects; }
  static HRESULT Out(const wchar_t* text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = ::SysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  std::atomic<ULONG> refs_{1};
  LONG preset_ = 0;
};

class TFactory final : public IClassFactory {
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
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return 2; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TPatternEffect* e = new (std::nothrow) TPatternEffect();
    if (!e) return E_OUTOFMEMORY;
    const HRESULT hr = e->QueryInterface(iid, out);
    e->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    locks += lock ? 1 : -1;
    return S_OK;
  }
};

TFactory factory;

}  // namespace
}  // namespace lumeko::test

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != lumeko::test::CLSID_PatternEffect) return CLASS_E_CLASSNOTAVAILABLE;
  return lumeko::test::factory.QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return lumeko::test::objects == 0 && lumeko::test::locks == 0 ? S_OK : S_FALSE;
}
