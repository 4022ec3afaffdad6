// Registry access for the settings, the schemes and the registration.
//
// TRegistry is a small typed wrapper over one open key. TryRead* answer
// nothing for a missing value or one of another type (the common case, no
// exception); the typed reads raise ERegistryException for those, and every
// other failure raises with the system's error code, as do failed writes.
// TRegistryEx adds the reads that fall back to a default and the writes that
// ignore failures, which is how all settings are handled: a settings read
// never fails. Names and data are CP932 here and UTF-16 at the W API; key
// paths are relative to the root, a leading "\" is allowed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/system_error.h"
#include "platform/unique_handle.h"

namespace lumeko {

// The registry class's own error: a missing value, a wrong type, a failed
// write or key operation. Code() is the system's error code (0 for a
// missing value or a wrong type), so a caller can pass the real cause on.
class ERegistryException : public ESystemError {
 public:
  explicit ERegistryException(const std::string& what, LONG code = 0)
      : ESystemError(what, code ? HRESULT_FROM_WIN32(code) : E_FAIL), code_(code) {}
  LONG Code() const noexcept { return code_; }

 private:
  LONG code_;
};

class TRegistry {
 public:
  explicit TRegistry(HKEY root = HKEY_CURRENT_USER) noexcept : RootKey(root) {}
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;
  TRegistry(TRegistry&&) noexcept = default;
  TRegistry& operator=(TRegistry&&) noexcept = default;
  virtual ~TRegistry() = default;

  HKEY RootKey;

  // Opens key (relative to RootKey) for reading and writing, creating it
  // when canCreate; false when it cannot be opened. Closes any key open.
  bool OpenKey(const std::string& key, bool canCreate) { return Open(key, canCreate) == ERROR_SUCCESS; }
  bool OpenKeyReadOnly(const std::string& key);
  // The same, answering the system's error code (ERROR_SUCCESS when open).
  LONG Open(const std::string& key, bool canCreate);
  void CloseKey() noexcept { current_.reset(); }
  HKEY CurrentKey() const noexcept { return current_.get(); }
  bool KeyExists(const std::string& key) const;

  bool ValueExists(const std::string& name) const;
  // REG_* type of the value, or REG_NONE when missing.
  DWORD GetDataType(const std::string& name) const;

  // Nothing when the value is missing or of another type; other failures raise.
  std::optional<std::int32_t> TryReadInteger(const std::string& name) const;  // REG_DWORD of 4 bytes
  std::optional<std::string> TryReadString(const std::string& name) const;    // REG_SZ or REG_EXPAND_SZ
  // The same as stored, for text CP932 cannot spell (a file or folder name).
  std::optional<std::wstring> TryReadWideString(const std::string& name) const;
  std::optional<std::vector<std::uint8_t>> TryReadBinary(const std::string& name) const;  // REG_BINARY

  std::int32_t ReadInteger(const std::string& name) const;  // REG_DWORD
  bool ReadBool(const std::string& name) const;             // REG_DWORD, not zero
  // REG_SZ or REG_EXPAND_SZ as stored (not expanded); a missing value reads
  // as empty, another type raises.
  std::string ReadString(const std::string& name) const;
  // The raw bytes of a REG_BINARY value; another type or none raises.
  std::vector<std::uint8_t> ReadBinaryData(const std::string& name) const;

  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteBool(const std::string& name, bool value);
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  void WriteBinaryData(const std::string& name, const void* data, size_t size);
  bool DeleteValue(const std::string& name);

  std::vector<std::string> GetValueNames() const;  // in enumeration order
  std::vector<std::string> GetKeyNames() const;
  // Deletes key (relative to RootKey) with everything below it; true when
  // it is gone afterwards (also when it never existed).
  bool DeleteKey(const std::string& key);

 private:
  // Type and raw data of a value; false when missing, raises on other failures.
  bool Query(const std::string& name, DWORD& type, std::vector<BYTE>& data) const;
  HKEY Need() const;

  UniqueHKEY current_;
};

class TRegistryEx : public TRegistry {
 public:
  using TRegistry::TRegistry;

  // Missing value or wrong type: the default. Other failures pass through.
  bool ReadBoolDef(const std::string& name, bool def) const;
  std::int32_t ReadIntegerDef(const std::string& name, std::int32_t def) const;
  // Also an empty string gives the default.
  std::string ReadStringDef(const std::string& name, const std::string& def) const;

  // Failures are ignored.
  void WriteBoolSafe(const std::string& name, bool value) noexcept;
  void WriteIntegerSafe(const std::string& name, std::int32_t value) noexcept;
  void WriteStringSafe(const std::string& name, const std::string& value) noexcept;
};

// Strips the leading "\" of an absolute key path and converts it.
std::wstring RegistryPath(const std::string& key);

}  // namespace lumeko
