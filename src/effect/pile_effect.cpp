// The stacked effect: another visualization of the player, created from
// the settings when the effect object is made, drawing under the lyrics.
//
// An invalid class identifier or a class that cannot be created raises; the
// object then starts without a stacked effect and the factory tells the user
// once. A class without the effect interface simply gives no stacked effect.
#include <stdexcept>

#include "effect/viz_lumeko.h"
#include "platform/wide.h"
#include "settings/installed_effects.h"

namespace lumeko {

void TVizLumeko::ReleasePile() noexcept {
  Pile.reset();
  PileDrawn = false;
}

void TVizLumeko::CreatePileEffect() {
  ReleasePile();
  const TSetupInfo_Pile& p = Setup.Pile;
  if (!(p.PileFlags & pf_PileEffectEnabled) || p.PileEffectClassId.empty() || p.PileEffectPreset < 0) return;

  std::wstring text = ToWide(p.PileEffectClassId);
  CLSID clsid{};
  if (SUCCEEDED(::CLSIDFromString(text.data(), &clsid)) && clsid == CLSID_VizLumeko)
    throw std::runtime_error("the effect cannot be stacked on itself");
  Pile = CreateEffectByClassId(p.PileEffectClassId);  // no effect interface: no stacked effect, no error
}

}  // namespace lumeko
