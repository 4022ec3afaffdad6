// Name=Value settings from the command line, checked and stored the way the
// property page stores them: each with its registry type.
//
// lumeko settings stores them for good; render and find store them in a
// scratch copy of the settings for one run. All assignments are parsed before
// any is stored, so a typo stores nothing. Names, types and the scale of
// each value come from the setting table.
#pragma once

#include <string>
#include <vector>

#include "settings/registry_ex.h"
#include "settings/setting_table.h"

namespace lumeko::tool {

struct TSettingAssignment {
  const TSettingDef* Def;
  TSettingValue Value;  // on the registry's scale; strings CP932
};

// Numbers are decimal or 0x-hexadecimal (colours), fitting 32 bits; booleans
// 1/0, true/false, on/off, yes/no; bytes 0 to 255. Values outside a
// setting's range are stored as given (the effect fixes them when it reads
// them, as it would any value in the registry). Raises UsageError.
std::vector<TSettingAssignment> ParseSettingAssignments(const std::vector<std::string>& assignments);

// Writes one value into the open key. A blend alpha given here is on the
// current scale, so the settings Version is stored with it.
void StoreSettingAssignment(TRegistry& reg, const TSettingAssignment& a);

}  // namespace lumeko::tool
