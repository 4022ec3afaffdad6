// The colour schemes in the registry: one REG_BINARY value a scheme under
// the Schemes key of HKEY_CURRENT_USER, named as the user named it (CP932).
//
// The property page writes and deletes them; the effect and the tool only
// read. Reads never fail: a missing key, a missing value or a value that is
// no 92-byte record gives nothing, and nothing is ever created by reading.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/color_scheme.h"

namespace lumeko {

// The scheme names in the order the registry enumerates them; none when the
// key is missing.
std::vector<std::string> ReadSchemeNames() noexcept;

// The named scheme; nothing when it is missing, not binary or not a record.
std::optional<TColorScheme> ReadColorScheme(const std::string& name) noexcept;

// Stores the scheme under name (the key is created when missing); false when
// the registry refused.
bool WriteColorScheme(const std::string& name, const TColorScheme& scheme) noexcept;

// Removes the named scheme; false when it could not be removed.
bool DeleteColorScheme(const std::string& name) noexcept;

}  // namespace lumeko
