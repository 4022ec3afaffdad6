// The table of settings (see setting_table.h).
//
// Each row names its field through a member path, so the accessors are made
// by the compiler and the row is the only place a setting is spelled out.
// The table is checked at compile time: names unique, save positions dense.
#include "settings/setting_table.h"

#include <algorithm>
#include <array>
#include <climits>
#include <type_traits>

namespace lumeko {

namespace {

using K = TSettingKind;
using R = TSettingReader;
using F = TSettingFix;

template <auto... Path>
struct At {
  static auto& Of(TSetupInfo& s) { return (s .* ... .* Path); }
  static const auto& Of(const TSetupInfo& s) { return (s .* ... .* Path); }
};

// A number kept in a field of its own (bytes and colours included).
template <auto... Path>
struct Number {
  using Field = At<Path...>;
  static TSettingValue Get(const TSetupInfo& s) { return {static_cast<std::int32_t>(Field::Of(s)), {}}; }
  static void Set(TSetupInfo& s, const TSettingValue& v) {
    auto& f = Field::Of(s);
    f = static_cast<std::remove_reference_t<decltype(f)>>(v.Int);
  }
};

template <auto... Path>
struct Text {
  using Field = At<Path...>;
  static TSettingValue Get(const TSetupInfo& s) { return {0, Field::Of(s)}; }
  static void Set(TSetupInfo& s, const TSettingValue& v) { Field::Of(s) = v.Text; }
};

// One bit of a flag byte.
template <std::uint8_t Bit, auto... Path>
struct Flag {
  using Field = At<Path...>;
  static TSettingValue Get(const TSetupInfo& s) { return {(Field::Of(s) & Bit) ? 1 : 0, {}}; }
  static void Set(TSetupInfo& s, const TSettingValue& v) {
    auto& f = Field::Of(s);
    f = static_cast<std::uint8_t>(v.Int ? (f | Bit) : (f & ~Bit));
  }
};

// SimilarStrength: the page's 0..10, kept × 10 for the search.
struct Strength {
  using Field = At<&TSetupInfo::File, &TSetupInfo_File::SimilarStrength>;
  static TSettingValue Get(const TSetupInfo& s) { return {Field::Of(s) / 10, {}}; }
  static void Set(TSetupInfo& s, const TSettingValue& v) { Field::Of(s) = static_cast<std::uint8_t>(v.Int * 10); }
};

// Values the record does not keep (the page's own, and Version).
struct None {
  static constexpr TSettingValue (*Get)(const TSetupInfo&) = nullptr;
  static constexpr void (*Set)(TSetupInfo&, const TSettingValue&) = nullptr;
};

template <typename A>
constexpr TSettingDef Row(const char* name, K kind, R reader, std::int32_t def, std::int32_t min, std::int32_t max,
                          F fix, std::int8_t save, const char* text = "") {
  return {name, kind, reader, def, text, min, max, fix, save, A::Get, A::Set};
}

constexpr std::int32_t kAny = INT32_MIN, kAll = INT32_MAX;

using S = TSetupInfo;
using SF = TSetupInfo_File;
using SN = TSetupInfo_Font;
using SC = TSetupInfo_Color;
using SB = TSetupInfo_BkGnd;
using SP = TSetupInfo_Pile;

// In the order of a settings load; the last column but one is the page's
// save position.
constexpr std::array kTable{
    Row<None>("Version", K::sk_Integer, R::sr_PageOnly, 0, kAny, kAll, F::fx_Default, 39),
    Row<Text<&S::File, &SF::LyricsPath>>("LyricsPath", K::sk_String, R::sr_Load, 0, 0, 0, F::fx_Default, 13),
    Row<Strength>("SimilarStrength", K::sk_Integer, R::sr_Load, 3, 0, 10, F::fx_Clamp, 21),
    Row<Flag<sf_FindSubFolder, &S::File, &SF::SearchFlags>>("FindSubFolder", K::sk_Bool, R::sr_Load, 1, 0, 1,
                                                             F::fx_Default, 23),
    Row<Flag<sf_SimilarSearch, &S::File, &SF::SearchFlags>>("SimilarSearch", K::sk_Bool, R::sr_Load, 1, 0, 1,
                                                             F::fx_Default, 17),
    Row<Flag<sf_FuzzySearch, &S::File, &SF::SearchFlags>>("FuzzySearch", K::sk_Bool, R::sr_Load, 0, 0, 1,
                                                           F::fx_Default, 18),
    Row<Flag<sf_NotPerformTitleSearch, &S::File, &SF::SearchFlags>>("NotPerformTitleSearch", K::sk_Bool, R::sr_Load,
                                                                     0, 0, 1, F::fx_Default, 19),
    Row<Flag<sf_NotPerformSameFolderSearch, &S::File, &SF::SearchFlags>>(
        "NotPerformSameFolderSearch", K::sk_Bool, R::sr_Load, 0, 0, 1, F::fx_Default, 20),
    Row<Text<&S::Font, &SN::FontName>>("FontName", K::sk_String, R::sr_Load, 0, 0, 0, F::fx_Default, 0,
                                       kDefaultFontName),
    Row<Number<&S::Font, &SN::FontStyle>>("FontStyle", K::sk_Byte, R::sr_Load, 0, 0, fs_All, F::fx_Default, 1),
    Row<Number<&S::Font, &SN::FontEffect>>("FontEffect", K::sk_Integer, R::sr_Load, 0, 0, 5, F::fx_Default, 8),
    Row<Number<&S::Font, &SN::FontMinSize>>("FontMinSize", K::sk_Integer, R::sr_Load, 6, 6, 30, F::fx_Clamp, 9),
    Row<Number<&S::Color, &SC::ActiveColor>>("ActiveColor", K::sk_Color, R::sr_Load, 0xFFFFFF, kAny, kAll,
                                             F::fx_Default, 2),
    Row<Number<&S::Color, &SC::StillNotActiveColor>>("StillNotActiveColor", K::sk_Color, R::sr_Load, 0xC0C0C0, kAny,
                                                     kAll, F::fx_Default, 3),
    Row<Number<&S::Color, &SC::ActiveEffectColor>>("ActiveEffectColor", K::sk_Color, R::sr_Load, 0x0000FF, kAny, kAll,
                                                   F::fx_Default, 4),
    Row<Number<&S::Color, &SC::ActiveBkGndColor>>("ActiveBkGndColor", K::sk_Color, R::sr_Load, 0x000000, kAny, kAll,
                                                  F::fx_Default, 5),
    Row<Number<&S::Color, &SC::InactiveColor>>("InactiveColor", K::sk_Color, R::sr_Load, 0x808080, kAny, kAll,
                                               F::fx_Default, 6),
    Row<Number<&S::Color, &SC::BackgroundColor>>("BackgroundColor", K::sk_Color, R::sr_Load, 0x000000, kAny, kAll,
                                                 F::fx_Default, 7),
    Row<Text<&S::BkGnd, &SB::BkGndImageFilename>>("BkGndImageFilename", K::sk_String, R::sr_Load, 0, 0, 0,
                                                  F::fx_Default, 14),
    Row<Text<&S::BkGnd, &SB::BkGndImageFolder>>("BkGndImageFolder", K::sk_String, R::sr_Load, 0, 0, 0,
                                                F::fx_Default, 15),
    Row<Number<&S::BkGnd, &SB::BkGndImageDrawMode>>("BkGndImageDrawMode", K::sk_Integer, R::sr_Load, 0, 0, 8,
                                                    F::fx_Default, 25),
    Row<Number<&S::BkGnd, &SB::BkGndImageBlendAlpha>>("BkGndImageBlendAlpha", K::sk_Integer, R::sr_Load, 127, 0, 255,
                                                      F::fx_Clamp, 12),
    Row<Flag<bf_BkGndDrawForbid, &S::BkGnd, &SB::BkGndFlags>>("BkGndDrawForbid", K::sk_Bool, R::sr_Load, 0, 0, 1,
                                                               F::fx_Default, 24),
    Row<Flag<bf_BkGndImageBlend, &S::BkGnd, &SB::BkGndFlags>>("BkGndImageBlend", K::sk_Bool, R::sr_Load, 1, 0, 1,
                                                               F::fx_Default, 26),
    Row<Number<&S::AdjustTimeTagMSec>>("AdjustTimeTagMSec", K::sk_Integer, R::sr_Load, 0, -10000, 10000, F::fx_Clamp,
                                       10),
    Row<Flag<tf_AmendLineEnd, &S::TagFlags>>("AmendLineEnd", K::sk_Bool, R::sr_Load, 1, 0, 1, F::fx_Default, 28),
    // Added later, so saved after all the older values and before Version.
    Row<Flag<tf_StandardLrcTags, &S::TagFlags>>("StandardLrcTags", K::sk_Bool, R::sr_Load, 0, 0, 1, F::fx_Default,
                                                38),
    Row<Number<&S::LineSpaceMode>>("LineSpaceMode", K::sk_Integer, R::sr_Load, 0, 0, 2, F::fx_Default, 11),
    Row<Flag<df_BurdenReduction, &S::DisplayFlags>>("BurdenReduction", K::sk_Bool, R::sr_Load, 0, 0, 1,
                                                    F::fx_Default, 16),
    Row<Flag<df_UseFadeEffect, &S::DisplayFlags>>("UseFadeEffect", K::sk_Bool, R::sr_Load, 1, 0, 1, F::fx_Default,
                                                  22),
    Row<Flag<df_FadeNextSpaceOnly, &S::DisplayFlags>>("FadeNextSpaceOnly", K::sk_Bool, R::sr_Load, 0, 0, 1,
                                                      F::fx_Default, 27),
    Row<Flag<df_HideNotHaveTag, &S::DisplayFlags>>("HideNotHaveTag", K::sk_Bool, R::sr_Load, 0, 0, 1, F::fx_Default,
                                                   31),
    Row<Flag<df_UseRandomColorScheme, &S::DisplayFlags>>("UseRandomColorScheme", K::sk_Bool, R::sr_Load, 0, 0, 1,
                                                         F::fx_Default, 32),
    // Timings only the registry sets: a negative pause or fetch time is
    // none, and a fade step is at least a millisecond.
    Row<Number<&S::ActiveAutoHidePause>>("ActiveAutoHidePause", K::sk_Integer, R::sr_Load, 1800, 0, kAll,
                                         F::fx_Clamp, -1),
    Row<Number<&S::ActiveShortHidePause>>("ActiveShortHidePause", K::sk_Integer, R::sr_Load, 400, 0, kAll,
                                          F::fx_Clamp, -1),
    Row<Number<&S::KaraokeFetchTime>>("KaraokeFetchTime", K::sk_Integer, R::sr_Load, 1300, 0, kAll, F::fx_Clamp, -1),
    Row<Number<&S::KaraokeRowCount>>("KaraokeRowCount", K::sk_Integer, R::sr_Load, 8, 0, 30, F::fx_Clamp, 30),
    Row<Number<&S::KaraokeInterruptLimit>>("KaraokeInterruptLimit", K::sk_Integer, R::sr_Load, 400, 0, kAll,
                                           F::fx_Clamp, -1),
    Row<Number<&S::FadeoutInterval>>("FadeoutInterval", K::sk_Integer, R::sr_Load, 60, 1, kAll, F::fx_Clamp, -1),
    Row<Text<&S::Pile, &SP::PileEffectClassId>>("PileEffectClassId", K::sk_String, R::sr_Pile, 0, 0, 0,
                                                F::fx_Default, 34),
    Row<Number<&S::Pile, &SP::PileEffectPreset>>("PileEffectPreset", K::sk_Integer, R::sr_Pile, -1, kAny, kAll,
                                                 F::fx_Default, 35),
    Row<Flag<pf_PileEffectEnabled, &S::Pile, &SP::PileFlags>>("PileEffectEnabled", K::sk_Bool, R::sr_Pile, 0, 0, 1,
                                                               F::fx_Default, 36),
    Row<Flag<pf_PileEffectNoLyricsOnly, &S::Pile, &SP::PileFlags>>("PileEffectNoLyricsOnly", K::sk_Bool, R::sr_Pile,
                                                                    1, 0, 1, F::fx_Default, 37),
    Row<None>("PropertyShowHint", K::sk_Bool, R::sr_PageOnly, 1, 0, 1, F::fx_Default, 29),
    Row<None>("ColorSchemeName", K::sk_String, R::sr_PageOnly, 0, 0, 0, F::fx_Default, 33),
};

constexpr bool SameName(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

constexpr bool TableIsSound() {
  int saved = 0;
  for (size_t i = 0; i < kTable.size(); ++i) {
    for (size_t j = i + 1; j < kTable.size(); ++j) {
      if (SameName(kTable[i].Name, kTable[j].Name)) return false;
      if (kTable[i].SaveOrder >= 0 && kTable[i].SaveOrder == kTable[j].SaveOrder) return false;
    }
    if (kTable[i].SaveOrder >= static_cast<int>(kTable.size())) return false;
    if (kTable[i].SaveOrder >= 0) ++saved;
    if (kTable[i].Min > kTable[i].Max) return false;
  }
  for (const TSettingDef& d : kTable)
    if (d.SaveOrder >= saved) return false;
  return true;
}
static_assert(TableIsSound(), "names unique, save positions dense, ranges not empty");

constexpr size_t kSavedCount = [] {
  size_t n = 0;
  for (const TSettingDef& d : kTable) n += d.SaveOrder >= 0;
  return n;
}();

constexpr std::array<const TSettingDef*, kSavedCount> kSaveOrder = [] {
  std::array<const TSettingDef*, kSavedCount> order{};
  for (const TSettingDef& d : kTable)
    if (d.SaveOrder >= 0) order[static_cast<size_t>(d.SaveOrder)] = &d;
  return order;
}();

}  // namespace

TSettingValue TSettingDef::Fixed(TSettingValue v) const {
  switch (Kind) {
    case K::sk_String:
      return v;
    case K::sk_Bool:
      v.Int = v.Int != 0;
      return v;
    case K::sk_Color:
      if (!IsSettingColor(static_cast<std::uint32_t>(v.Int))) v.Int = DefaultInt;
      return v;
    case K::sk_Integer:
    case K::sk_Byte:
      if (v.Int < Min || v.Int > Max) v.Int = Fix == F::fx_Clamp ? std::clamp(v.Int, Min, Max) : DefaultInt;
      return v;
  }
  return v;
}

std::span<const TSettingDef> SettingTable() { return kTable; }

std::span<const TSettingDef* const> SettingSaveOrder() { return kSaveOrder; }

const TSettingDef* FindSetting(std::string_view name) {
  for (const TSettingDef& d : kTable)
    if (name == d.Name) return &d;
  return nullptr;
}

TSetupInfo DefaultSetupInfo() {
  TSetupInfo s;
  for (const TSettingDef& d : kTable)
    if (d.Set) d.Set(s, d.Default());
  return s;
}

std::optional<TSettingValue> ReadSetting(const TSetupInfo& s, std::string_view name) {
  const TSettingDef* d = FindSetting(name);
  if (!d || !d->Get) return std::nullopt;
  return d->Get(s);
}

std::int32_t BlendAlphaFromStored(std::int32_t stored, std::int32_t version) {
  if (version >= kBlendAlphaScaleVersion) return stored;
  // Tenths from older releases; 64-bit so a wild stored value cannot overflow.
  const std::int64_t scaled = static_cast<std::int64_t>(stored) * 255 / 10;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(scaled, INT32_MIN, INT32_MAX));
}

std::int32_t BlendPercentToAlpha(std::int32_t percent) { return std::clamp(percent, 0, 100) * 255 / 100; }

std::int32_t BlendAlphaToPercent(std::int32_t alpha, std::int32_t version) {
  if (version < kBlendAlphaScaleVersion) return std::clamp(alpha, 0, 10) * 10;
  return (std::clamp(alpha, 0, 255) + 1) * 100 / 255;
}

}  // namespace lumeko
