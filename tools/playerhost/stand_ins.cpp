// The stand-ins' answers.
#include "stand_ins.h"

namespace lumeko::host {

TStandInCore::TStandInCore() : Controls(new TStandInControls()) {}

TStandInCore::~TStandInCore() { Controls->Release(); }

STDMETHODIMP TStandInCore::get_controls(IWMPControls** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (FAILED(Failure)) return Failure;
  Controls->AddRef();
  *out = Controls;
  return S_OK;
}

namespace {
HRESULT Answer(const std::wstring& text, HRESULT failure, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (FAILED(failure)) return failure;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}
}  // namespace

STDMETHODIMP TStandInMedia::get_sourceURL(BSTR* url) noexcept {
  ++UrlCalls;
  return Answer(SourceUrl, UrlFailure, url);
}

STDMETHODIMP TStandInMedia::get_name(BSTR* name) noexcept {
  ++NameCalls;
  return Answer(Name, NameFailure, name);
}

}  // namespace lumeko::host
