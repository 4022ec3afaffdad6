// Redirects this process's HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and
// HKEY_CLASSES_ROOT (or some of them) to scratch keys for the object's life.
//
// Tests use it so they never read or write a real user's settings or the
// machine's registration; the tool uses it to render or search with
// overridden settings without storing them. The scratch keys live under
// HKEY_CURRENT_USER\Software\LumekoScratch, named per process and object,
// and are deleted when the object dies. Overrides nest: the inner one's end
// brings back the outer one's keys. Use them from one thread.
#pragma once

#include <windows.h>

#include <string>

#include "platform/unique_handle.h"

namespace lumeko {

// Which roots an override redirects.
inline constexpr unsigned ro_CurrentUser = 1;
inline constexpr unsigned ro_LocalMachine = 2;
inline constexpr unsigned ro_ClassesRoot = 4;  // also hides every COM class from CoCreateInstance
inline constexpr unsigned ro_All = ro_CurrentUser | ro_LocalMachine | ro_ClassesRoot;

class TRegistryOverride {
 public:
  // copyUserSettings: the user's "Software\OB-KELMARI\Lumeko" tree is
  // copied into the scratch HKEY_CURRENT_USER first. Roots not in `roots`
  // are the real ones while this override is the innermost.
  explicit TRegistryOverride(bool copyUserSettings = false, unsigned roots = ro_All);
  ~TRegistryOverride();
  TRegistryOverride(const TRegistryOverride&) = delete;
  TRegistryOverride& operator=(const TRegistryOverride&) = delete;

  bool Active() const noexcept { return active_; }
  // The scratch key's path under the real HKEY_CURRENT_USER, CP932.
  const std::string& ScratchPath() const noexcept { return path_; }

 private:
  std::string path_;
  UniqueHKEY user_, machine_, classes_;
  bool active_ = false;
  TRegistryOverride* outer_ = nullptr;
};

}  // namespace lumeko
