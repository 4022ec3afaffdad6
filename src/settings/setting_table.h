// Every value of the Settings key, described once.
//
// One row a setting: its registry value name and type, its default, the
// range a stored value must fall in and what becomes of one outside it,
// which field of TSetupInfo holds it (and on what scale), who reads it and
// where the property page writes it. Loading, reading back, the defaults,
// the tool's Name=Value parsing and the page's save order all walk this one
// table, so a setting added here reaches all of them. No Windows here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings/setup_info.h"

namespace lumeko {

// How a value is stored in the registry.
enum class TSettingKind : std::uint8_t {
  sk_Integer,  // REG_DWORD, signed 32-bit
  sk_Color,    // REG_DWORD, a colour value (0x00BBGGRR or a system colour)
  sk_Bool,     // REG_DWORD, not zero is true
  sk_String,   // REG_SZ
  sk_Byte,     // REG_BINARY of exactly one byte
};

// Who reads the value.
enum class TSettingReader : std::uint8_t {
  sr_Load,      // every settings load of an effect object
  sr_Pile,      // the stacked-effect values: once, when an effect object is made
  sr_PageOnly,  // only the property page (and the load, for the blend's scale)
};

// What a stored value outside its range becomes.
enum class TSettingFix : std::uint8_t {
  fx_Default,  // the default
  fx_Clamp,    // the nearest end of the range
};

// A value on the registry's scale: the number of an integer, colour, bool
// (1 or 0) or byte, or the text of a string (CP932).
struct TSettingValue {
  std::int32_t Int = 0;
  std::string Text;
  bool operator==(const TSettingValue&) const = default;
};

struct TSettingDef {
  const char* Name;
  TSettingKind Kind;
  TSettingReader Reader;
  std::int32_t DefaultInt;
  const char* DefaultText;
  std::int32_t Min;  // the range of numbers and bytes
  std::int32_t Max;
  TSettingFix Fix;
  std::int8_t SaveOrder;  // position in the page's save order; -1: the page never writes it
  // The record's field on the registry's scale; null for the page-only values.
  TSettingValue (*Get)(const TSetupInfo&);
  void (*Set)(TSetupInfo&, const TSettingValue&);

  bool IsText() const { return Kind == TSettingKind::sk_String; }
  TSettingValue Default() const { return IsText() ? TSettingValue{0, DefaultText} : TSettingValue{DefaultInt, {}}; }
  // The value as the effect uses it: one outside the range fixed as the row says.
  TSettingValue Fixed(TSettingValue v) const;
};

// Every row, in the order the settings are loaded.
std::span<const TSettingDef> SettingTable();
// The row of that exact name, or null.
const TSettingDef* FindSetting(std::string_view name);
// The rows the page writes, in the order it writes them.
std::span<const TSettingDef* const> SettingSaveOrder();

// The record an empty registry gives (what a load reads from a fresh key,
// stacked-effect values included).
TSetupInfo DefaultSetupInfo();

// A setting as the record holds it, on the registry's scale; nothing for the
// page-only values and unknown names.
std::optional<TSettingValue> ReadSetting(const TSetupInfo& setup, std::string_view name);

// BkGndImageBlendAlpha as stored, brought to the 0..255 scale by the
// Version it was saved with.
std::int32_t BlendAlphaFromStored(std::int32_t stored, std::int32_t version);

// The page's blend percentage and the stored alpha, each from the other.
std::int32_t BlendPercentToAlpha(std::int32_t percent);
std::int32_t BlendAlphaToPercent(std::int32_t alpha, std::int32_t version);

}  // namespace lumeko
