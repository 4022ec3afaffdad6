// The stacked effect: another visualization of the player, created from
// the settings when the effect object is made, drawing under the lyrics.
//
// An invalid class identifier or a class that cannot be created makes the
// construction fail (the class factory reports it); a class without the
// effect interface simply gives no stacked effect.
#include <stdexcept>

#include "effect/viz_lumeko.h"
#include "platform/wide.h"

namespace lumeko {

void TVizLumeko::ReleasePile() noexcept {
  if (Pile) Pile->Release();
  Pile = nullptr;
  PileDrawn = false;
}

void TVizLumeko::CreatePileEffect() {
  ReleasePile();
  const TSetupInfo_Pile& p = Setup.Pile;
  if (!(p.PileFlags & pf_PileEffectEnabled) || p.PileEffectClassId.empty() || p.PileEffectPreset < 0) return;

  std::wstring text = ToWide(p.PileEffectClassId);
  CLSID clsid{};
  if (FAILED(::CLSIDFromString(text.data(), &clsid)))
    throw std::runtime_error("'" + p.PileEffectClassId + "' is not a valid class identifier");
  if (clsid == CLSID_VizLumeko) throw std::runtime_error("the effect cannot be stacked on itself");

  IUnknown* unknown = nullptr;
  const HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                        reinterpret_cast<void**>(&unknown));
  if (FAILED(hr) || !unknown)
    throw std::runtime_error("the effect " + p.PileEffectClassId + " to stack cannot be created");
  void* effects = nullptr;
  if (SUCCEEDED(unknown->QueryInterface(IID_IWMPEffects, &effects))) Pile = static_cast<IWMPEffects*>(effects);
  unknown->Release();
}

}  // namespace lumeko
