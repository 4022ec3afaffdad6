// A stacked effect for tests: an IWMPEffects that lives on the test's stack,
// answers every call harmlessly and counts its references. Tests derive from
// it and override the calls they watch.
#pragma once

#include "effect/player_interfaces.h"

namespace lumeko::test {

class TStackedEffectStub : public IWMPEffects {
 public:
  ULONG Refs = 1;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (iid == IID_IUnknown || iid == IID_IWMPEffects) {
      *out = this;
      ++Refs;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++Refs; }
  STDMETHODIMP_(ULONG) Release() noexcept override { return --Refs; }  // never deletes
  STDMETHODIMP Render(TimedLevel*, HDC, RECT*) noexcept override { return S_OK; }
  STDMETHODIMP MediaInfo(LONG, LONG, BSTR) noexcept override { return S_OK; }
  STDMETHODIMP GetCapabilities(DWORD*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetTitle(BSTR*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetPresetTitle(LONG, BSTR*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetPresetCount(LONG*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP SetCurrentPreset(LONG) noexcept override { return S_OK; }
  STDMETHODIMP GetCurrentPreset(LONG*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP DisplayPropertyPage(HWND) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GoFullscreen(BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP RenderFullScreen(TimedLevel*) noexcept override { return E_NOTIMPL; }
};

}  // namespace lumeko::test
