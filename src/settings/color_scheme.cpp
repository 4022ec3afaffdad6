// The colour scheme record (see color_scheme.h).
#include "settings/color_scheme.h"

#include <string_view>

#include "platform/cp932.h"
#include "settings/setting_table.h"

namespace lumeko {

namespace {

// Where each part of the record lies.
constexpr std::size_t kNameLength = 0;
constexpr std::size_t kName = 1;
constexpr std::size_t kStyle = kName + kSchemeFontNameMax;  // 65
constexpr std::size_t kEffect = kStyle + 1;
constexpr std::size_t kMinSize = kEffect + 1;
constexpr std::size_t kColors = kMinSize + 1;  // 68: six colours of 4 bytes
static_assert(kColors + 6 * 4 == kColorSchemeSize);

std::uint32_t* ColorAt(TSetupInfo_Color& c, int i) {
  std::uint32_t* const order[6] = {&c.ActiveColor,       &c.StillNotActiveColor, &c.InactiveColor,
                                   &c.ActiveEffectColor, &c.ActiveBkGndColor,    &c.BackgroundColor};
  return order[i];
}

// A byte of the record as a settings load would take that setting's value.
std::uint8_t Fixed(const char* setting, std::uint8_t stored) {
  const TSettingDef* def = FindSetting(setting);
  return static_cast<std::uint8_t>(def->Fixed(TSettingValue{stored, {}}).Int);
}

}  // namespace

std::optional<TColorScheme> DecodeColorScheme(std::span<const std::uint8_t> record) {
  if (record.size() != kColorSchemeSize || record[kNameLength] > kSchemeFontNameMax) return std::nullopt;
  TColorScheme s;
  s.Font.FontName.assign(reinterpret_cast<const char*>(record.data() + kName), record[kNameLength]);
  if (s.Font.FontName.empty()) s.Font.FontName = FindSetting("FontName")->DefaultText;  // as a load reads ""
  s.Font.FontStyle = Fixed("FontStyle", record[kStyle]);
  s.Font.FontEffect = Fixed("FontEffect", record[kEffect]);
  s.Font.FontMinSize = Fixed("FontMinSize", record[kMinSize]);
  for (int i = 0; i < 6; ++i) {
    const std::uint8_t* p = record.data() + kColors + 4 * i;
    *ColorAt(s.Color, i) = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
  return s;
}

std::array<std::uint8_t, kColorSchemeSize> EncodeColorScheme(const TColorScheme& scheme) {
  std::array<std::uint8_t, kColorSchemeSize> r{};
  const std::string_view name = scheme.Font.FontName;
  std::size_t len = 0;
  while (len < name.size() && len + CharLength(name, len) <= kSchemeFontNameMax) len += CharLength(name, len);
  r[kNameLength] = static_cast<std::uint8_t>(len);
  for (std::size_t i = 0; i < len; ++i) r[kName + i] = static_cast<std::uint8_t>(name[i]);
  r[kStyle] = scheme.Font.FontStyle;
  r[kEffect] = scheme.Font.FontEffect;
  r[kMinSize] = scheme.Font.FontMinSize;
  TSetupInfo_Color c = scheme.Color;
  for (int i = 0; i < 6; ++i) {
    const std::uint32_t v = *ColorAt(c, i);
    for (int b = 0; b < 4; ++b) r[kColors + 4 * i + b] = static_cast<std::uint8_t>(v >> (8 * b));
  }
  return r;
}

TColorScheme ColorSchemeOf(const TSetupInfo& setup) { return {setup.Font, setup.Color}; }

}  // namespace lumeko
