// Scratch registry roots through RegOverridePredefKey.
//
// The scratch tree is made under the real HKEY_CURRENT_USER before the
// override starts and deleted after it ends; the overrides are undone in
// the destructor even when making one of them failed.
#include "settings/registry_override.h"

#include <atomic>

#include "settings/setup_info.h"
#include "platform/wide.h"

namespace lumeko {

namespace {

// Not volatile: the code under test creates ordinary keys below these, and
// a volatile parent refuses them.
HKEY CreateKey(HKEY root, const std::wstring& path) {
  HKEY k = nullptr;
  if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
    return nullptr;
  return k;
}

TRegistryOverride* innermost = nullptr;

// Points the three roots at the given keys; null keys restore the real roots.
bool Redirect(HKEY user, HKEY machine, HKEY classes) {
  const bool a = ::RegOverridePredefKey(HKEY_CURRENT_USER, user) == ERROR_SUCCESS;
  const bool b = ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine) == ERROR_SUCCESS;
  const bool c = ::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes) == ERROR_SUCCESS;
  return a && b && c;
}

}  // namespace

TRegistryOverride::TRegistryOverride(bool copyUserSettings, unsigned roots) : outer_(innermost) {
  innermost = this;
  static std::atomic<unsigned> sequence{0};
  path_ = "Software\\LumekoScratch\\" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(::GetTickCount64()) + "-" + std::to_string(sequence++);
  const std::wstring base = ToWide(path_);
  UniqueHKEY top(CreateKey(HKEY_CURRENT_USER, base));
  user_.reset(CreateKey(HKEY_CURRENT_USER, base + L"\\HKCU"));
  machine_.reset(CreateKey(HKEY_CURRENT_USER, base + L"\\HKLM"));
  classes_.reset(CreateKey(HKEY_CURRENT_USER, base + L"\\HKCR"));
  if (!top || !user_ || !machine_ || !classes_) return;

  if (copyUserSettings) {
    HKEY src = nullptr;
    const std::wstring lumeko = ToWide(kLumekoKey);
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, lumeko.c_str(), 0, KEY_READ, &src) == ERROR_SUCCESS) {
      UniqueHKEY srcKey(src);
      UniqueHKEY dst(CreateKey(user_.get(), lumeko));
      if (dst) ::RegCopyTreeW(srcKey.get(), nullptr, dst.get());
    }
  }

  if (!(roots & ro_CurrentUser)) user_.reset();
  if (!(roots & ro_LocalMachine)) machine_.reset();
  if (!(roots & ro_ClassesRoot)) classes_.reset();
  active_ = Redirect(user_.get(), machine_.get(), classes_.get());
}

TRegistryOverride::~TRegistryOverride() {
  if (outer_)
    Redirect(outer_->user_.get(), outer_->machine_.get(), outer_->classes_.get());
  else
    Redirect(nullptr, nullptr, nullptr);
  innermost = outer_;
  user_.reset();
  machine_.reset();
  classes_.reset();
  ::RegDeleteTreeW(HKEY_CURRENT_USER, ToWide(path_).c_str());
}

}  // namespace lumeko
