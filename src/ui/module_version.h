// A module's version resource: the four numbers of its file version and the
// product and copyright lines, as the version tab shows them.
//
// Read by path with the system's version functions, so the page can show the
// effect DLL's version from any program (the tool reads the DLL beside it).
// Nothing when the file has no version resource.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumeko {

struct TModuleVersion {
  int Major = 0, Minor = 0, Release = 0, Build = 0;
  std::string ProductName;  // CP932
  std::string Copyright;    // CP932
  // Major × 10000 + minor × 100 + release, as Version is stored.
  std::int32_t SettingsVersion() const { return Major * 10000 + Minor * 100 + Release; }
};

std::optional<TModuleVersion> ReadModuleVersion(const std::wstring& file) noexcept;

}  // namespace lumeko
