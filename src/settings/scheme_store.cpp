// The colour schemes in the registry (see scheme_store.h).
#include "settings/scheme_store.h"

#include "settings/registry_ex.h"

namespace lumeko {

std::vector<std::string> ReadSchemeNames() noexcept {
  try {
    TRegistry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(kSchemesKey)) return {};
    return reg.GetValueNames();
  } catch (...) {
    return {};
  }
}

std::optional<TColorScheme> ReadColorScheme(const std::string& name) noexcept {
  try {
    TRegistry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(kSchemesKey)) return std::nullopt;
    const std::optional<std::vector<std::uint8_t>> data = reg.TryReadBinary(name);
    if (!data) return std::nullopt;
    return DecodeColorScheme(*data);
  } catch (...) {
    return std::nullopt;
  }
}

bool WriteColorScheme(const std::string& name, const TColorScheme& scheme) noexcept {
  try {
    TRegistry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(kSchemesKey, true)) return false;
    const auto record = EncodeColorScheme(scheme);
    reg.WriteBinaryData(name, record.data(), record.size());
    return true;
  } catch (...) {
    return false;
  }
}

bool DeleteColorScheme(const std::string& name) noexcept {
  try {
    TRegistry reg(HKEY_CURRENT_USER);
    return reg.OpenKey(kSchemesKey, false) && reg.DeleteValue(name);
  } catch (...) {
    return false;
  }
}

}  // namespace lumeko
