// The player's installed visualizations, as the stacked-effect list of the
// property page shows them, and the creation of one by its class identifier.
//
// The player lists its effects under one machine-wide key, one subkey an
// effect naming its class. Listing creates each one to ask its title and
// presets and releases it at once; an entry whose class cannot be created or
// does not answer is left out, never reported. COM must be initialised on
// the calling thread (the player's, or the page's).
#pragma once

#include <string>
#include <vector>

#include "platform/com_ptr.h"
#include "platform/wmp_effects.h"

namespace lumeko {

// Under HKEY_LOCAL_MACHINE; this effect's own entry is kOwnEffectEntry.
inline constexpr char kPlayerEffectsKey[] = "Software\\Microsoft\\MediaPlayer\\Objects\\Effects";
inline constexpr char kOwnEffectEntry[] = "Lumeko";

struct TEffectData {
  std::string Title;                 // CP932
  std::string ClassId;               // "{...}", braces included, as registered
  std::vector<std::string> Presets;  // preset titles, CP932
};

// Creates the effect of that class (in-process or local server). Raises for
// a text that is no class identifier and for a class that cannot be created;
// null when the object has no effect interface.
TComPtr<IWMPEffects> CreateEffectByClassId(const std::string& classId);

// The installed effects in the order the registry lists them, without this
// effect's own entry, entries without a readable class identifier, and
// effects that cannot be created or fail to give their title or presets. An
// object without the effect interface stays, with no title and no presets.
std::vector<TEffectData> ListInstalledEffects();

}  // namespace lumeko
