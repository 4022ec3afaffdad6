// Self-registration: the COM class, its ProgID and type library, and the
// player's entry in its list of effects; removal also takes the user's
// settings and colour schemes.
//
// Registration is stateless: running it twice writes the same values, and
// removal of what is not there still succeeds. A player key that cannot be
// created is skipped; any other failure answers E_FAIL.
#include <stdexcept>
#include <string>

#include "effect/class_factory.h"
#include "effect/com_support.h"
#include "effect/player_interfaces.h"
#include "effect/registry_ex.h"
#include "effect/setup_info.h"
#include "effect/viz_lumeko.h"
#include "platform/wide.h"

namespace lumeko {

namespace {

constexpr char kProgId[] = "LUMEKOlib.VizLumeko";
constexpr char kClassDescription[] = "VizLumeko \x83\x49\x83\x75\x83\x57\x83\x46\x83\x4E\x83\x67";  // VizLumeko オブジェクト
// サウンドの歌詞を表示する視覚エフェクトです。
constexpr char kPlayerDescription[] =
    "\x83\x54\x83\x45\x83\x93\x83\x68\x82\xCC\x89\xCC\x8E\x8C\x82\xF0\x95\x5C\x8E\xA6\x82\xB7\x82\xE9"
    "\x8E\x8B\x8A\x6F\x83\x47\x83\x74\x83\x46\x83\x4E\x83\x67\x82\xC5\x82\xB7\x81\x42";
constexpr char kPlayerEffectKey[] = "\\Software\\Microsoft\\MediaPlayer\\Objects\\Effects\\Lumeko";

std::string GuidText(const GUID& g) {
  wchar_t buf[40];
  if (!::StringFromGUID2(g, buf, 40)) throw std::runtime_error("cannot format a class identifier");
  return FromWide(buf);
}

// A key under HKEY_CLASSES_ROOT with its default value.
void WriteClassKey(const std::string& key, const std::string& value, const char* name = "") {
  TRegistry reg(HKEY_CLASSES_ROOT);
  if (!reg.OpenKey(key, true)) throw std::runtime_error("cannot create the class key " + key);
  reg.WriteString(name, value);
}

// The module's path as the system gave it: a folder name that code page 932
// cannot spell must still lead COM to the module.
void WriteServerPath(const std::string& key, const std::wstring& path) {
  TRegistry reg(HKEY_CLASSES_ROOT);
  if (!reg.OpenKey(key, true)) throw std::runtime_error("cannot create the class key " + key);
  if (::RegSetValueExW(reg.CurrentKey(), L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the class key " + key);
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

void RegisterClass() {
  const std::wstring path = ModulePath();
  if (path.empty()) throw std::runtime_error("the module has no path");

  ITypeLib* lib = nullptr;
  HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
  if (FAILED(hr)) throw std::runtime_error("the module holds no type library");
  hr = ::RegisterTypeLib(lib, const_cast<LPOLESTR>(path.c_str()), nullptr);
  lib->Release();
  if (FAILED(hr)) throw std::runtime_error("cannot register the type library");

  const std::string clsid = GuidText(CLSID_VizLumeko);
  const std::string clsidKey = "CLSID\\" + clsid;
  WriteClassKey(clsidKey, kClassDescription);
  WriteServerPath(clsidKey + "\\InprocServer32", ServerPath(path));
  WriteClassKey(clsidKey + "\\InprocServer32", "Apartment", "ThreadingModel");
  WriteClassKey(kProgId, kClassDescription);
  WriteClassKey(std::string(kProgId) + "\\Clsid", clsid);
  WriteClassKey(clsidKey + "\\ProgID", kProgId);
  WriteClassKey(clsidKey + "\\Version", std::to_string(kTypeLibMajor) + "." + std::to_string(kTypeLibMinor));
  WriteClassKey(clsidKey + "\\TypeLib", GuidText(LIBID_LUMEKOlib));
}

void RegisterPlayerEntry() {
  TRegistry reg(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKey(std::string(kPlayerEffectKey) + "\\Properties", true)) return;
  reg.WriteString("classid", GuidText(CLSID_VizLumeko));
  reg.WriteString("description", kPlayerDescription);
  reg.WriteString("name", kEffectTitle);
}

void UnregisterAll() {
  const std::string clsidKey = "CLSID\\" + GuidText(CLSID_VizLumeko);
  // Innermost first, as a key with subkeys cannot go on its own.
  for (const std::string& key :
       {clsidKey + "\\TypeLib", clsidKey + "\\Version", clsidKey + "\\ProgID", std::string(kProgId) + "\\Clsid",
        std::string(kProgId), clsidKey + "\\InprocServer32", clsidKey})
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, RegistryPath(key).c_str());
  ::UnRegisterTypeLib(LIBID_LUMEKOlib, kTypeLibMajor, kTypeLibMinor, kTypeLibLocale, SYS_WIN32);

  TRegistry(HKEY_LOCAL_MACHINE).DeleteKey(kPlayerEffectKey);
  TRegistry(HKEY_CURRENT_USER).DeleteKey(kLumekoKey);
}

}  // namespace

HRESULT EffectRegisterServer() noexcept {
  try {
    RegisterClass();
    RegisterPlayerEntry();
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT EffectUnregisterServer() noexcept {
  try {
    UnregisterAll();
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace lumeko
