// Self-registration: the COM class, its ProgID and type library, and the
// player's entry in its list of effects; removal also takes the user's
// settings and colour schemes.
//
// Every key and value written is one row of one table, which registration
// walks forwards and removal backwards, so the two cannot drift apart. A
// failure answers the system's own code (an "access denied" reaches
// regsvr32 as such). Registration is stateless: running it twice writes the
// same values, and removal of what is not there still succeeds.
#include <stdexcept>
#include <string>
#include <vector>

#include "effect/class_factory.h"
#include "effect/com_support.h"
#include "effect/player_interfaces.h"
#include "effect/viz_lumeko.h"
#include "platform/com_ptr.h"
#include "platform/wide.h"
#include "settings/installed_effects.h"
#include "settings/registry_ex.h"
#include "settings/setup_info.h"

namespace lumeko {

namespace {

constexpr char kProgId[] = "LUMEKOlib.VizLumeko";
constexpr char kClassDescription[] = "VizLumeko \x83\x49\x83\x75\x83\x57\x83\x46\x83\x4E\x83\x67";  // VizLumeko オブジェクト
// サウンドの歌詞を表示する視覚エフェクトです。
constexpr char kPlayerDescription[] =
    "\x83\x54\x83\x45\x83\x93\x83\x68\x82\xCC\x89\xCC\x8E\x8C\x82\xF0\x95\x5C\x8E\xA6\x82\xB7\x82\xE9"
    "\x8E\x8B\x8A\x6F\x83\x47\x83\x74\x83\x46\x83\x4E\x83\x67\x82\xC5\x82\xB7\x81\x42";
const std::string kPlayerEffectKey = std::string("\\") + kPlayerEffectsKey + "\\" + kOwnEffectEntry;

// One value written by registration, and the key removal deletes for it.
struct TRegistration {
  HKEY Root;
  std::string Key;
  std::string ValueName;  // "" for the key's default value
  std::wstring Value;     // UTF-16: the module's path may be outside CP932
  std::string RemoveKey;  // deleted with everything below it on removal
};

std::string GuidText(const GUID& g) {
  wchar_t buf[40];
  if (!::StringFromGUID2(g, buf, 40)) throw std::runtime_error("cannot format a class identifier");
  return FromWide(buf);
}

// The module path for InprocServer32: its short form when it holds a blank.
std::wstring ServerPath(const std::wstring& path) {
  if (path.find(L' ') == std::wstring::npos) return path;
  const DWORD n = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::wstring shortPath(n, L'\0');
  const DWORD got = ::GetShortPathNameW(path.c_str(), shortPath.data(), n);
  if (got == 0 || got >= n) return path;
  shortPath.resize(got);
  return shortPath;
}

// In the order they are written; removal goes the other way.
std::vector<TRegistration> Registrations(const std::wstring& modulePath) {
  const std::string clsid = GuidText(CLSID_VizLumeko);
  const std::string clsidKey = "CLSID\\" + clsid;
  const std::string server = clsidKey + "\\InprocServer32";
  const std::string progIdClsid = std::string(kProgId) + "\\Clsid";
  const std::string player = kPlayerEffectKey + "\\Properties";
  const std::wstring version = std::to_wstring(kTypeLibMajor) + L"." + std::to_wstring(kTypeLibMinor);
  return {
      {HKEY_CLASSES_ROOT, clsidKey, "", ToWide(kClassDescription), clsidKey},
      {HKEY_CLASSES_ROOT, server, "", ServerPath(modulePath), server},
      {HKEY_CLASSES_ROOT, server, "ThreadingModel", L"Apartment", server},
      {HKEY_CLASSES_ROOT, kProgId, "", ToWide(kClassDescription), kProgId},
      {HKEY_CLASSES_ROOT, progIdClsid, "", ToWide(clsid), progIdClsid},
      {HKEY_CLASSES_ROOT, clsidKey + "\\ProgID", "", ToWide(kProgId), clsidKey + "\\ProgID"},
      {HKEY_CLASSES_ROOT, clsidKey + "\\Version", "", version, clsidKey + "\\Version"},
      {HKEY_CLASSES_ROOT, clsidKey + "\\TypeLib", "", ToWide(GuidText(LIBID_LUMEKOlib)), clsidKey + "\\TypeLib"},
      // The player lists the effect by this entry; it needs the machine's key.
      {HKEY_LOCAL_MACHINE, player, "classid", ToWide(clsid), kPlayerEffectKey},
      {HKEY_LOCAL_MACHINE, player, "description", ToWide(kPlayerDescription), kPlayerEffectKey},
      {HKEY_LOCAL_MACHINE, player, "name", ToWide(kEffectTitle), kPlayerEffectKey},
  };
}

[[noreturn]] void Fail(const std::string& what, LONG code) { throw ERegistryException(what, code); }

void Write(const TRegistration& r) {
  TRegistry reg(r.Root);
  if (const LONG rc = reg.Open(r.Key, true); rc != ERROR_SUCCESS) Fail("cannot create the key " + r.Key, rc);
  const LONG rc = ::RegSetValueExW(reg.CurrentKey(), ToWide(r.ValueName).c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(r.Value.c_str()),
                                   static_cast<DWORD>((r.Value.size() + 1) * sizeof(wchar_t)));
  if (rc != ERROR_SUCCESS) Fail("cannot write " + r.Key, rc);
}

void Remove(HKEY root, const std::string& key) {
  const LONG rc = ::RegDeleteTreeW(root, RegistryPath(key).c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Fail("cannot remove the key " + key, rc);
}

void RegisterAll() {
  const std::wstring path = ModulePath();
  if (path.empty()) throw std::runtime_error("the module has no path");
  TComPtr<ITypeLib> lib;
  HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.put());
  if (FAILED(hr)) throw ESystemError("the module holds no type library", hr);
  hr = ::RegisterTypeLib(lib.get(), const_cast<LPOLESTR>(path.c_str()), nullptr);
  if (FAILED(hr)) throw ESystemError("cannot register the type library", hr);
  for (const TRegistration& r : Registrations(path)) Write(r);
}

void UnregisterAll() {
  const std::vector<TRegistration> rows = Registrations(ModulePath());
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) Remove(it->Root, it->RemoveKey);
  // Not registered is not a failure here.
  ::UnRegisterTypeLib(LIBID_LUMEKOlib, kTypeLibMajor, kTypeLibMinor, kTypeLibLocale, SYS_WIN32);
  // The user's settings and colour schemes go with the effect.
  Remove(HKEY_CURRENT_USER, kLumekoKey);
}

}  // namespace

HRESULT EffectRegisterServer() noexcept {
  return ComCall(IID_IUnknown, E_FAIL, [] {
    RegisterAll();
    return S_OK;
  });
}

HRESULT EffectUnregisterServer() noexcept {
  return ComCall(IID_IUnknown, E_FAIL, [] {
    UnregisterAll();
    return S_OK;
  });
}

}  // namespace lumeko
