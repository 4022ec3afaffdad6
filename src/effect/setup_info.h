// The effect's settings record and the names of the values it is read from.
//
// TSetupInfo is what the painters, the lyrics search and the background code
// read; only LoadSettings (and a colour scheme, in memory) writes it. The
// table of setting values is the one place that knows every registry value
// name with its type and default. Nothing here touches Windows, so the
// portable parts (search arithmetic, layout) can include it natively.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumeko {

// Where the settings and the colour schemes live, under HKEY_CURRENT_USER.
inline constexpr char kLumekoKey[] = "Software\\OB-KELMARI\\Lumeko";
inline constexpr char kSettingsKey[] = "Software\\OB-KELMARI\\Lumeko\\Settings";
inline constexpr char kSchemesKey[] = "Software\\OB-KELMARI\\Lumeko\\Schemes";

// The program version the property page stores in "Version".
inline constexpr std::int32_t kSettingsVersion = 20508;
// From this version on BkGndImageBlendAlpha is kept on the 0..255 scale;
// before it, in tenths.
inline constexpr std::int32_t kBlendAlphaScaleVersion = 20400;

// Search flags (TSetupInfo_File::SearchFlags).
inline constexpr std::uint8_t sf_FindSubFolder = 1;
inline constexpr std::uint8_t sf_SimilarSearch = 2;
inline constexpr std::uint8_t sf_FuzzySearch = 4;
inline constexpr std::uint8_t sf_NotPerformTitleSearch = 8;
inline constexpr std::uint8_t sf_NotPerformSameFolderSearch = 16;

// Font style set (TSetupInfo_Font::FontStyle), also the scheme record's byte.
inline constexpr std::uint8_t fs_Bold = 1;
inline constexpr std::uint8_t fs_Italic = 2;
inline constexpr std::uint8_t fs_Underline = 4;
inline constexpr std::uint8_t fs_StrikeOut = 8;

// Background flags (TSetupInfo_BkGnd::BkGndFlags).
inline constexpr std::uint8_t bf_BkGndDrawForbid = 1;
inline constexpr std::uint8_t bf_BkGndImageBlend = 4;

// Tag flags (TSetupInfo::TagFlags).
inline constexpr std::uint8_t tf_AmendLineEnd = 1;

// Display flags (TSetupInfo::DisplayFlags).
inline constexpr std::uint8_t df_BurdenReduction = 1;
inline constexpr std::uint8_t df_UseFadeEffect = 2;
inline constexpr std::uint8_t df_FadeNextSpaceOnly = 4;
inline constexpr std::uint8_t df_HideNotHaveTag = 16;
inline constexpr std::uint8_t df_UseRandomColorScheme = 32;

// Pile flags (TSetupInfo_Pile::PileFlags).
inline constexpr std::uint8_t pf_PileEffectEnabled = 1;
inline constexpr std::uint8_t pf_PileEffectNoLyricsOnly = 2;

// Change flags of the effect object, gathered between frames; any of them
// makes the next frame a full repaint.
inline constexpr std::uint8_t cf_Background = 1;
inline constexpr std::uint8_t cf_Lyrics = 2;
inline constexpr std::uint8_t cf_FrameResized = 4;
inline constexpr std::uint8_t cf_Preset = 8;
inline constexpr std::uint8_t cf_Font = 16;

struct TSetupInfo_File {
  std::string LyricsPath;            // folders joined by ";"
  std::uint8_t SimilarStrength = 0;  // the stored setting × 10
  std::uint8_t SearchFlags = 0;      // sf_*
  bool operator==(const TSetupInfo_File&) const = default;
};

struct TSetupInfo_Font {
  std::string FontName;          // "Default": the system's user-interface font
  std::uint8_t FontStyle = 0;    // fs_*
  std::uint8_t FontEffect = 0;   // 0..5
  std::uint8_t FontMinSize = 0;
  bool operator==(const TSetupInfo_Font&) const = default;
};

// The same six colours in the same order as a colour scheme record, so a
// scheme is copied over this group in one piece. Values are GDI colours
// 0x00BBGGRR, or system-colour references (high byte 0xFF, low byte the
// system colour number) where the page allows them.
struct TSetupInfo_Color {
  std::uint32_t ActiveColor = 0;
  std::uint32_t StillNotActiveColor = 0;
  std::uint32_t InactiveColor = 0;
  std::uint32_t ActiveEffectColor = 0;
  std::uint32_t ActiveBkGndColor = 0;
  std::uint32_t BackgroundColor = 0;
  bool operator==(const TSetupInfo_Color&) const = default;
};

struct TSetupInfo_BkGnd {
  std::string BkGndImageFilename;          // picture pattern list
  std::string BkGndImageFolder;            // folder for relative patterns
  std::int32_t BkGndImageBlendAlpha = 0;   // 0..255
  std::uint8_t BkGndImageDrawMode = 0;     // 0..8
  std::uint8_t BkGndFlags = 0;             // bf_*
  bool operator==(const TSetupInfo_BkGnd&) const = default;
};

struct TSetupInfo_Pile {
  std::string PileEffectClassId;        // "{...}", braces included
  std::int32_t PileEffectPreset = 0;    // negative: none chosen
  std::uint8_t PileFlags = 0;           // pf_*
  bool operator==(const TSetupInfo_Pile&) const = default;
};

struct TSetupInfo {
  TSetupInfo_File File;
  TSetupInfo_Font Font;
  TSetupInfo_Color Color;
  TSetupInfo_BkGnd BkGnd;
  // timing
  std::int32_t AdjustTimeTagMSec = 0;
  std::uint8_t TagFlags = 0;       // tf_*
  // display
  std::uint8_t DisplayFlags = 0;   // df_*
  std::uint8_t LineSpaceMode = 0;  // 0..2
  TSetupInfo_Pile Pile;
  // karaoke and fades, milliseconds or counts
  std::int32_t ActiveAutoHidePause = 0;
  std::int32_t ActiveShortHidePause = 0;
  std::int32_t KaraokeFetchTime = 0;
  std::int32_t KaraokeRowCount = 0;
  std::int32_t KaraokeInterruptLimit = 0;
  std::int32_t FadeoutInterval = 0;
  bool operator==(const TSetupInfo&) const = default;
};

// How a value is stored in the registry.
enum class TSettingKind : std::uint8_t {
  sk_Integer,  // REG_DWORD, signed 32-bit
  sk_Bool,     // REG_DWORD, 1 or 0
  sk_String,   // REG_SZ
  sk_Byte,     // REG_BINARY of exactly one byte
};

// One value of the Settings key. Colours count as integers.
struct TSettingValue {
  const char* Name;
  TSettingKind Kind;
  std::int32_t DefaultInt;     // integers, bools and the byte
  const char* DefaultText;     // strings
  bool ReadByLoadSettings;     // false: read only by the page (or at construction)
};

// Every value of the Settings key, in the order the page lays them out.
std::span<const TSettingValue> SettingValues();
// The entry of that exact name, or null.
const TSettingValue* FindSettingValue(std::string_view name);

// The record an empty registry gives (what LoadSettings reads from a fresh
// key, pile values included), for callers that have no registry to read.
TSetupInfo DefaultSetupInfo();

// A setting's value as the record holds it, on the registry's scale (the
// strength as the page shows it, the blend alpha as the effect uses it).
struct TSettingReading {
  TSettingKind Kind;
  std::int32_t Int = 0;  // integers, bools (1 or 0), the byte
  std::string Text;      // strings
};
// Nothing for the values the record does not keep (Version,
// PropertyShowHint, ColorSchemeName) and for unknown names.
std::optional<TSettingReading> ReadSetting(const TSetupInfo& setup, std::string_view name);

// BkGndImageBlendAlpha as stored, brought to the 0..255 scale by the
// Version it was saved with.
std::int32_t BlendAlphaFromStored(std::int32_t stored, std::int32_t version);

}  // namespace lumeko
