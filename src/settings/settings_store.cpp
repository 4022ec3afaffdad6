// The settings in the registry (see settings_store.h).
//
// Values are written into the record as they are read, so a failure half
// way leaves the earlier values new and the later ones as they were. Which
// value goes where, with which default and range, comes from the table.
#include "settings/settings_store.h"

#include "platform/wide.h"

namespace lumeko {

namespace {

std::optional<TSettingValue> Stored(const TRegistryEx& reg, const TSettingDef& def) {
  switch (def.Kind) {
    case TSettingKind::sk_String: {
      std::optional<std::string> s = reg.TryReadString(def.Name);
      // An empty string counts as none.
      if (!s || s->empty()) return std::nullopt;
      return TSettingValue{0, std::move(*s)};
    }
    case TSettingKind::sk_Byte: {
      // Exactly one byte; any other length is not this value.
      const std::optional<std::vector<std::uint8_t>> b = reg.TryReadBinary(def.Name);
      if (!b || b->size() != 1) return std::nullopt;
      return TSettingValue{(*b)[0], {}};
    }
    case TSettingKind::sk_Integer:
    case TSettingKind::sk_Color:
    case TSettingKind::sk_Bool:
      if (const std::optional<std::int32_t> v = reg.TryReadInteger(def.Name)) return TSettingValue{*v, {}};
      return std::nullopt;
  }
  return std::nullopt;
}

bool IsBlendAlpha(const TSettingDef& def) { return std::string_view(def.Name) == "BkGndImageBlendAlpha"; }

void ReadRows(TSetupInfo& setup, TSettingReader reader) {
  TRegistryEx reg(HKEY_CURRENT_USER);
  if (!reg.OpenKey(kSettingsKey, true)) return;
  const std::int32_t version = reg.ReadIntegerDef("Version", 0);
  for (const TSettingDef& def : SettingTable())
    if (def.Reader == reader) def.Set(setup, ReadSettingValue(reg, def, version));
}

}  // namespace

TSettingValue ReadSettingValue(const TRegistryEx& reg, const TSettingDef& def, std::int32_t version) {
  std::optional<TSettingValue> v = Stored(reg, def);
  if (!v) return def.Default();
  // A stored alpha is converted by the Version it was saved with; the
  // default is on the 0..255 scale whatever the Version says.
  if (IsBlendAlpha(def)) v->Int = BlendAlphaFromStored(v->Int, version);
  return def.Fixed(std::move(*v));
}

void WriteSettingValue(TRegistry& reg, const TSettingDef& def, const TSettingValue& value) {
  switch (def.Kind) {
    case TSettingKind::sk_String: reg.WriteString(def.Name, value.Text); break;
    case TSettingKind::sk_Bool: reg.WriteBool(def.Name, value.Int != 0); break;
    case TSettingKind::sk_Integer:
    case TSettingKind::sk_Color: reg.WriteInteger(def.Name, value.Int); break;
    case TSettingKind::sk_Byte: {
      const std::uint8_t b = static_cast<std::uint8_t>(value.Int);
      reg.WriteBinaryData(def.Name, &b, 1);
      break;
    }
  }
}

bool LoadSettings(TSetupInfo& setup) noexcept {
  const TSetupInfo_Font before = setup.Font;
  try {
    ReadRows(setup, TSettingReader::sr_Load);
  } catch (...) {
    // Settings reads never fail: what was read so far stays.
  }
  return !(setup.Font == before);
}

void LoadPileSettings(TSetupInfo& setup) noexcept {
  try {
    ReadRows(setup, TSettingReader::sr_Pile);
  } catch (...) {
  }
}

std::wstring LoadSettingTextWide(const char* name, const std::string& loaded) noexcept {
  try {
    TRegistry reg(HKEY_CURRENT_USER);
    if (reg.OpenKeyReadOnly(kSettingsKey))
      if (std::optional<std::wstring> stored = reg.TryReadWideString(name))
        if (FromWide(*stored) == loaded) return std::move(*stored);
    return ToWide(loaded);
  } catch (...) {
    return std::wstring();
  }
}

UniqueHandleH CreatePropertyChangeEvent() noexcept {
  // Manual reset, not signalled; CreateEvent opens the existing one when
  // another instance (or the page) made it first.
  return UniqueHandleH(::CreateEventW(nullptr, TRUE, FALSE, kPropertyChangeEventName));
}

bool PollPropertyChange(const std::function<void()>& reload) {
  UniqueHandleH ev(::OpenEventW(EVENT_ALL_ACCESS, FALSE, kPropertyChangeEventName));
  if (!ev) return false;
  if (::WaitForSingleObject(ev.get(), 0) != WAIT_OBJECT_0) return false;
  ::ResetEvent(ev.get());
  reload();
  return true;
}

bool SignalPropertyChange() noexcept {
  UniqueHandleH ev(::OpenEventW(EVENT_ALL_ACCESS, FALSE, kPropertyChangeEventName));
  if (!ev) return false;
  return ::SetEvent(ev.get()) != FALSE;
}

}  // namespace lumeko
