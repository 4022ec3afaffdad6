// Stand-ins for the player's own objects that an effect calls: the core,
// its transport controls and a media item.
//
// Each answers only what the effect asks (position, source URL, name) and
// can be told to fail with a given HRESULT, so hosts and tests can see how
// the effect copes with a player that misbehaves. Reference counted like
// any COM object; the IDispatch side answers that it has no type info.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "effect/player_interfaces.h"

namespace lumeko::host {

// IDispatch and IUnknown for a stand-in that has one interface of its own.
template <typename Interface>
class TStandIn : public Interface {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == OwnIid()) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
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
  STDMETHODIMP GetTypeInfoCount(UINT* n) noexcept override {
    if (n) *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept override {
    return E_NOTIMPL;
  }
  ULONG RefCount() const noexcept { return refs_; }

 protected:
  virtual ~TStandIn() = default;
  virtual REFIID OwnIid() const noexcept = 0;

 private:
  std::atomic<ULONG> refs_{1};
};

class TStandInControls final : public TStandIn<IWMPControls> {
 public:
  double Position = 0;        // seconds
  HRESULT Failure = S_OK;     // returned by get_currentPosition when failing
  int PositionCalls = 0;

  STDMETHODIMP get_isAvailable(BSTR, VARIANT_BOOL* a) noexcept override {
    if (a) *a = VARIANT_FALSE;
    return S_OK;
  }
  STDMETHODIMP play() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP stop() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP pause() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP fastForward() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP fastReverse() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP get_currentPosition(double* seconds) noexcept override {
    ++PositionCalls;
    if (FAILED(Failure)) return Failure;
    if (!seconds) return E_POINTER;
    *seconds = Position;
    return S_OK;
  }

 private:
  REFIID OwnIid() const noexcept override { return IID_IWMPControls; }
};

class TStandInCore final : public TStandIn<IWMPCore> {
 public:
  TStandInCore();
  TStandInControls* Controls;  // owned reference
  HRESULT Failure = S_OK;      // returned by get_controls when failing

  STDMETHODIMP close() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP get_URL(BSTR*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP put_URL(BSTR) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP get_openState(LONG*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP get_playState(LONG*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP get_controls(IWMPControls** out) noexcept override;

 private:
  ~TStandInCore() override;
  REFIID OwnIid() const noexcept override { return IID_IWMPCore; }
};

class TStandInMedia final : public TStandIn<IWMPMedia> {
 public:
  TStandInMedia(std::wstring url, std::wstring name) : SourceUrl(std::move(url)), Name(std::move(name)) {}
  std::wstring SourceUrl;
  std::wstring Name;
  HRESULT UrlFailure = S_OK;
  HRESULT NameFailure = S_OK;
  int UrlCalls = 0;
  int NameCalls = 0;

  STDMETHODIMP get_isIdentical(IWMPMedia*, VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP get_sourceURL(BSTR* url) noexcept override;
  STDMETHODIMP get_name(BSTR* name) noexcept override;

 private:
  REFIID OwnIid() const noexcept override { return IID_IWMPMedia; }
};

}  // namespace lumeko::host
