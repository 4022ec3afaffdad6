// The table of setting values and the record an empty registry gives.
//
// LoadSettings reads the values in its own fixed order with the defaults
// written out there; the table serves the page, the tool and the defaults
// below, and a test keeps the two in agreement.
#include "effect/setup_info.h"

#include <array>

namespace lumeko {

namespace {

using K = TSettingKind;

constexpr std::array kValues{
    TSettingValue{"Version", K::sk_Integer, 0, "", false},
    TSettingValue{"LyricsPath", K::sk_String, 0, "", true},
    TSettingValue{"SimilarStrength", K::sk_Integer, 3, "", true},
    TSettingValue{"FindSubFolder", K::sk_Bool, 1, "", true},
    TSettingValue{"SimilarSearch", K::sk_Bool, 1, "", true},
    TSettingValue{"FuzzySearch", K::sk_Bool, 0, "", true},
    TSettingValue{"NotPerformTitleSearch", K::sk_Bool, 0, "", true},
    TSettingValue{"NotPerformSameFolderSearch", K::sk_Bool, 0, "", true},
    TSettingValue{"FontName", K::sk_String, 0, "Default", true},
    TSettingValue{"FontStyle", K::sk_Byte, 0, "", true},
    TSettingValue{"FontEffect", K::sk_Integer, 0, "", true},
    TSettingValue{"FontMinSize", K::sk_Integer, 6, "", true},
    TSettingValue{"ActiveColor", K::sk_Integer, 0xFFFFFF, "", true},
    TSettingValue{"StillNotActiveColor", K::sk_Integer, 0xC0C0C0, "", true},
    TSettingValue{"ActiveEffectColor", K::sk_Integer, 0x0000FF, "", true},
    TSettingValue{"ActiveBkGndColor", K::sk_Integer, 0x000000, "", true},
    TSettingValue{"InactiveColor", K::sk_Integer, 0x808080, "", true},
    TSettingValue{"BackgroundColor", K::sk_Integer, 0x000000, "", true},
    TSettingValue{"BkGndImageFilename", K::sk_String, 0, "", true},
    TSettingValue{"BkGndImageFolder", K::sk_String, 0, "", true},
    TSettingValue{"BkGndImageDrawMode", K::sk_Integer, 0, "", true},
    TSettingValue{"BkGndImageBlendAlpha", K::sk_Integer, 127, "", true},
    TSettingValue{"BkGndDrawForbid", K::sk_Bool, 0, "", true},
    TSettingValue{"BkGndImageBlend", K::sk_Bool, 1, "", true},
    TSettingValue{"AdjustTimeTagMSec", K::sk_Integer, 0, "", true},
    TSettingValue{"AmendLineEnd", K::sk_Bool, 1, "", true},
    TSettingValue{"LineSpaceMode", K::sk_Integer, 0, "", true},
    TSettingValue{"BurdenReduction", K::sk_Bool, 0, "", true},
    TSettingValue{"UseFadeEffect", K::sk_Bool, 1, "", true},
    TSettingValue{"FadeNextSpaceOnly", K::sk_Bool, 0, "", true},
    TSettingValue{"HideNotHaveTag", K::sk_Bool, 0, "", true},
    TSettingValue{"UseRandomColorScheme", K::sk_Bool, 0, "", true},
    TSettingValue{"ActiveAutoHidePause", K::sk_Integer, 1800, "", true},
    TSettingValue{"ActiveShortHidePause", K::sk_Integer, 400, "", true},
    TSettingValue{"KaraokeFetchTime", K::sk_Integer, 1300, "", true},
    TSettingValue{"KaraokeRowCount", K::sk_Integer, 8, "", true},
    TSettingValue{"KaraokeInterruptLimit", K::sk_Integer, 400, "", true},
    TSettingValue{"FadeoutInterval", K::sk_Integer, 60, "", true},
    TSettingValue{"PileEffectClassId", K::sk_String, 0, "", false},
    TSettingValue{"PileEffectPreset", K::sk_Integer, -1, "", false},
    TSettingValue{"PileEffectEnabled", K::sk_Bool, 0, "", false},
    TSettingValue{"PileEffectNoLyricsOnly", K::sk_Bool, 1, "", false},
    TSettingValue{"PropertyShowHint", K::sk_Bool, 1, "", false},
    TSettingValue{"ColorSchemeName", K::sk_String, 0, "", false},
};

}  // namespace

std::span<const TSettingValue> SettingValues() { return kValues; }

const TSettingValue* FindSettingValue(std::string_view name) {
  for (const TSettingValue& v : kValues)
    if (name == v.Name) return &v;
  return nullptr;
}

TSetupInfo DefaultSetupInfo() {
  TSetupInfo s;
  s.File.SimilarStrength = 30;
  s.File.SearchFlags = sf_FindSubFolder | sf_SimilarSearch;
  s.Font.FontName = "Default";
  s.Font.FontMinSize = 6;
  s.Color = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x0000FF, 0x000000, 0x000000};
  s.BkGnd.BkGndImageBlendAlpha = 127;
  s.BkGnd.BkGndFlags = bf_BkGndImageBlend;
  s.TagFlags = tf_AmendLineEnd;
  s.DisplayFlags = df_UseFadeEffect;
  s.Pile.PileEffectPreset = -1;
  s.Pile.PileFlags = pf_PileEffectNoLyricsOnly;
  s.ActiveAutoHidePause = 1800;
  s.ActiveShortHidePause = 400;
  s.KaraokeFetchTime = 1300;
  s.KaraokeRowCount = 8;
  s.KaraokeInterruptLimit = 400;
  s.FadeoutInterval = 60;
  return s;
}

std::optional<TSettingReading> ReadSetting(const TSetupInfo& s, std::string_view name) {
  const TSettingValue* v = FindSettingValue(name);
  if (!v) return std::nullopt;
  const auto num = [&](std::int64_t n) { return TSettingReading{v->Kind, static_cast<std::int32_t>(n), {}}; };
  const auto text = [&](const std::string& t) { return TSettingReading{v->Kind, 0, t}; };
  const auto bit = [&](std::uint8_t flags, std::uint8_t b) { return num((flags & b) ? 1 : 0); };
  const std::string_view n = name;
  if (n == "LyricsPath") return text(s.File.LyricsPath);
  if (n == "SimilarStrength") return num(s.File.SimilarStrength / 10);
  if (n == "FindSubFolder") return bit(s.File.SearchFlags, sf_FindSubFolder);
  if (n == "SimilarSearch") return bit(s.File.SearchFlags, sf_SimilarSearch);
  if (n == "FuzzySearch") return bit(s.File.SearchFlags, sf_FuzzySearch);
  if (n == "NotPerformTitleSearch") return bit(s.File.SearchFlags, sf_NotPerformTitleSearch);
  if (n == "NotPerformSameFolderSearch") return bit(s.File.SearchFlags, sf_NotPerformSameFolderSearch);
  if (n == "FontName") return text(s.Font.FontName);
  if (n == "FontStyle") return num(s.Font.FontStyle);
  if (n == "FontEffect") return num(s.Font.FontEffect);
  if (n == "FontMinSize") return num(s.Font.FontMinSize);
  if (n == "ActiveColor") return num(s.Color.ActiveColor);
  if (n == "StillNotActiveColor") return num(s.Color.StillNotActiveColor);
  if (n == "ActiveEffectColor") return num(s.Color.ActiveEffectColor);
  if (n == "ActiveBkGndColor") return num(s.Color.ActiveBkGndColor);
  if (n == "InactiveColor") return num(s.Color.InactiveColor);
  if (n == "BackgroundColor") return num(s.Color.BackgroundColor);
  if (n == "BkGndImageFilename") return text(s.BkGnd.BkGndImageFilename);
  if (n == "BkGndImageFolder") return text(s.BkGnd.BkGndImageFolder);
  if (n == "BkGndImageDrawMode") return num(s.BkGnd.BkGndImageDrawMode);
  if (n == "BkGndImageBlendAlpha") return num(s.BkGnd.BkGndImageBlendAlpha);
  if (n == "BkGndDrawForbid") return bit(s.BkGnd.BkGndFlags, bf_BkGndDrawForbid);
  if (n == "BkGndImageBlend") return bit(s.BkGnd.BkGndFlags, bf_BkGndImageBlend);
  if (n == "AdjustTimeTagMSec") return num(s.AdjustTimeTagMSec);
  if (n == "AmendLineEnd") return bit(s.TagFlags, tf_AmendLineEnd);
  if (n == "LineSpaceMode") return num(s.LineSpaceMode);
  if (n == "BurdenReduction") return bit(s.DisplayFlags, df_BurdenReduction);
  if (n == "UseFadeEffect") return bit(s.DisplayFlags, df_UseFadeEffect);
  if (n == "FadeNextSpaceOnly") return bit(s.DisplayFlags, df_FadeNextSpaceOnly);
  if (n == "HideNotHaveTag") return bit(s.DisplayFlags, df_HideNotHaveTag);
  if (n == "UseRandomColorScheme") return bit(s.DisplayFlags, df_UseRandomColorScheme);
  if (n == "ActiveAutoHidePause") return num(s.ActiveAutoHidePause);
  if (n == "ActiveShortHidePause") return num(s.ActiveShortHidePause);
  if (n == "KaraokeFetchTime") return num(s.KaraokeFetchTime);
  if (n == "KaraokeRowCount") return num(s.KaraokeRowCount);
  if (n == "KaraokeInterruptLimit") return num(s.KaraokeInterruptLimit);
  if (n == "FadeoutInterval") return num(s.FadeoutInterval);
  if (n == "PileEffectClassId") return text(s.Pile.PileEffectClassId);
  if (n == "PileEffectPreset") return num(s.Pile.PileEffectPreset);
  if (n == "PileEffectEnabled") return bit(s.Pile.PileFlags, pf_PileEffectEnabled);
  if (n == "PileEffectNoLyricsOnly") return bit(s.Pile.PileFlags, pf_PileEffectNoLyricsOnly);
  return std::nullopt;
}

std::int32_t BlendAlphaFromStored(std::int32_t stored, std::int32_t version) {
  if (version >= kBlendAlphaScaleVersion) return stored;
  // Tenths from older releases; 64-bit so a wild stored value cannot overflow.
  const std::int64_t scaled = static_cast<std::int64_t>(stored) * 255 / 10;
  if (scaled > INT32_MAX) return INT32_MAX;
  if (scaled < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(scaled);
}

}  // namespace lumeko
