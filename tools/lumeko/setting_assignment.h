// Name=Value settings from the command line, checked and stored the way the
// property page stores them: each with its registry type.
//
// lumeko settings stores them for good; render and find store them in a
// scratch copy of the settings for one run. All assignments are parsed before
// any is stored, so a typo stores nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effect/registry_ex.h"
#include "effect/setup_info.h"

namespace lumeko::tool {

struct TSettingAssignment {
  const TSettingValue* Value;
  std::string Text;     // strings, CP932
  std::int32_t Number;  // the others
};

// Numbers are decimal or 0x-hexadecimal (colours), fitting 32 bits; booleans
// 1/0, true/false, on/off, yes/no; bytes 0 to 255. Raises UsageError.
std::vector<TSettingAssignment> ParseSettingAssignments(const std::vector<std::string>& assignments);

// Writes one value into the open key. A blend alpha given here is on the
// current scale, so the settings Version is stored with it.
void StoreSettingAssignment(TRegistry& reg, const TSettingAssignment& a);

}  // namespace lumeko::tool
