// Registry wrapper: typed reads that raise, defaulting reads that do not.
//
// All names go through the W functions after an explicit CP932 conversion;
// strings read back need not be NUL-terminated in the registry and are cut
// at the first NUL. Nothing here keeps a key open beyond the object's life.
#include "settings/registry_ex.h"

#include "platform/wide.h"

namespace lumeko {

std::wstring RegistryPath(const std::string& key) {
  size_t start = 0;
  while (start < key.size() && key[start] == '\\') ++start;
  return ToWide(std::string_view(key).substr(start));
}

namespace {

// A REG_SZ payload (UTF-16 bytes, maybe unterminated) up to its first NUL.
std::wstring WideFromData(const std::vector<BYTE>& data) {
  const size_t chars = data.size() / sizeof(wchar_t);
  std::wstring w(chars, L'\0');
  if (chars) memcpy(w.data(), data.data(), chars * sizeof(wchar_t));
  const size_t nul = w.find(L'\0');
  if (nul != std::wstring::npos) w.resize(nul);
  return w;
}

[[noreturn]] void Raise(const char* what, const std::string& name, LONG code = 0) {
  throw ERegistryException(std::string(what) + " '" + name + "'", code);
}

}  // namespace

LONG TRegistry::Open(const std::string& key, bool canCreate) {
  CloseKey();
  const std::wstring path = RegistryPath(key);
  HKEY k = nullptr;
  LONG rc;
  if (canCreate)
    rc = ::RegCreateKeyExW(RootKey, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, &k, nullptr);
  else
    rc = ::RegOpenKeyExW(RootKey, path.c_str(), 0, KEY_READ | KEY_WRITE, &k);
  if (rc == ERROR_SUCCESS) current_.reset(k);
  return rc;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  CloseKey();
  HKEY k = nullptr;
  if (::RegOpenKeyExW(RootKey, RegistryPath(key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
    return false;
  current_.reset(k);
  return true;
}

bool TRegistry::KeyExists(const std::string& key) const {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(RootKey, RegistryPath(key).c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(k);
  return true;
}

HKEY TRegistry::Need() const {
  if (!current_) throw ERegistryException("no registry key is open");
  return current_.get();
}

bool TRegistry::Query(const std::string& name, DWORD& type, std::vector<BYTE>& data) const {
  if (!current_) return false;  // no key, no value: the caller's default applies
  const HKEY key = current_.get();
  const std::wstring wname = ToWide(name);
  DWORD size = 0;
  LONG rc = ::RegQueryValueExW(key, wname.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls (another process writing).
  for (int tries = 0; tries < 4 && rc == ERROR_SUCCESS; ++tries) {
    data.resize(size);
    DWORD got = size;
    rc = ::RegQueryValueExW(key, wname.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &got);
    if (rc == ERROR_SUCCESS) {
      data.resize(got);
      return true;
    }
    if (rc == ERROR_MORE_DATA) {
      size = got > size ? got : size * 2 + 16;
      rc = ERROR_SUCCESS;
    }
  }
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  Raise("cannot read the registry value", name, rc);
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!current_) return false;
  return ::RegQueryValueExW(current_.get(), ToWide(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

DWORD TRegistry::GetDataType(const std::string& name) const {
  DWORD type = REG_NONE;
  if (!current_ ||
      ::RegQueryValueExW(current_.get(), ToWide(name).c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return REG_NONE;
  return type;
}

std::optional<std::int32_t> TRegistry::TryReadInteger(const std::string& name) const {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!Query(name, type, data) || type != REG_DWORD || data.size() != sizeof(DWORD)) return std::nullopt;
  DWORD v;
  memcpy(&v, data.data(), sizeof v);
  return static_cast<std::int32_t>(v);
}

std::optional<std::string> TRegistry::TryReadString(const std::string& name) const {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!Query(name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return FromWide(WideFromData(data));
}

std::optional<std::wstring> TRegistry::TryReadWideString(const std::string& name) const {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!Query(name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return WideFromData(data);
}

std::optional<std::vector<std::uint8_t>> TRegistry::TryReadBinary(const std::string& name) const {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!Query(name, type, data) || type != REG_BINARY) return std::nullopt;
  return std::vector<std::uint8_t>(data.begin(), data.end());
}

std::int32_t TRegistry::ReadInteger(const std::string& name) const {
  if (std::optional<std::int32_t> v = TryReadInteger(name)) return *v;
  Raise("missing registry value, or not a number", name);
}

bool TRegistry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

std::string TRegistry::ReadString(const std::string& name) const {
  if (std::optional<std::string> v = TryReadString(name)) return std::move(*v);
  if (!ValueExists(name)) return std::string();  // a missing string reads as empty
  Raise("wrong type of registry value", name);
}

std::vector<std::uint8_t> TRegistry::ReadBinaryData(const std::string& name) const {
  if (std::optional<std::vector<std::uint8_t>> v = TryReadBinary(name)) return std::move(*v);
  Raise("missing registry value, or not binary", name);
}

namespace {

void SetValue(HKEY key, const std::string& name, DWORD type, const void* data, size_t size) {
  if (size > 0xFFFFFFFFu) Raise("registry value too large", name);
  const LONG rc = ::RegSetValueExW(key, ToWide(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                                   static_cast<DWORD>(size));
  if (rc != ERROR_SUCCESS) Raise("cannot write the registry value", name, rc);
}

}  // namespace

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
  const DWORD v = static_cast<DWORD>(value);
  SetValue(Need(), name, REG_DWORD, &v, sizeof v);
}

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::wstring w = ToWide(value);
  SetValue(Need(), name, REG_SZ, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  const std::wstring w = ToWide(value);
  SetValue(Need(), name, REG_EXPAND_SZ, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
}

void TRegistry::WriteBinaryData(const std::string& name, const void* data, size_t size) {
  SetValue(Need(), name, REG_BINARY, data, size);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return current_ && ::RegDeleteValueW(current_.get(), ToWide(name).c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> TRegistry::GetValueNames() const {
  std::vector<std::string> names;
  if (!current_) return names;
  DWORD count = 0, maxLen = 0;
  if (::RegQueryInfoKeyW(current_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxLen,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  std::wstring buf(maxLen + 1, L'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD len = static_cast<DWORD>(buf.size());
    const LONG rc = ::RegEnumValueW(current_.get(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_SUCCESS) names.push_back(FromWide(std::wstring_view(buf.data(), len)));
  }
  return names;
}

std::vector<std::string> TRegistry::GetKeyNames() const {
  std::vector<std::string> names;
  if (!current_) return names;
  DWORD count = 0, maxLen = 0;
  if (::RegQueryInfoKeyW(current_.get(), nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  std::wstring buf(maxLen + 1, L'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD len = static_cast<DWORD>(buf.size());
    const LONG rc = ::RegEnumKeyExW(current_.get(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_SUCCESS) names.push_back(FromWide(std::wstring_view(buf.data(), len)));
  }
  return names;
}

bool TRegistry::DeleteKey(const std::string& key) {
  const std::wstring path = RegistryPath(key);
  if (path.empty()) return false;  // never the root itself
  const LONG rc = ::RegDeleteTreeW(RootKey, path.c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool TRegistryEx::ReadBoolDef(const std::string& name, bool def) const {
  const std::optional<std::int32_t> v = TryReadInteger(name);
  return v ? *v != 0 : def;
}

std::int32_t TRegistryEx::ReadIntegerDef(const std::string& name, std::int32_t def) const {
  return TryReadInteger(name).value_or(def);
}

std::string TRegistryEx::ReadStringDef(const std::string& name, const std::string& def) const {
  std::optional<std::string> s = TryReadString(name);
  return s && !s->empty() ? std::move(*s) : def;
}

void TRegistryEx::WriteBoolSafe(const std::string& name, bool value) noexcept {
  try {
    WriteBool(name, value);
  } catch (...) {
  }
}

void TRegistryEx::WriteIntegerSafe(const std::string& name, std::int32_t value) noexcept {
  try {
    WriteInteger(name, value);
  } catch (...) {
  }
}

void TRegistryEx::WriteStringSafe(const std::string& name, const std::string& value) noexcept {
  try {
    WriteString(name, value);
  } catch (...) {
  }
}

}  // namespace lumeko
