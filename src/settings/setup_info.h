// The effect's settings record and where it lives in the registry.
//
// TSetupInfo is what the painters, the lyrics search and the background code
// read; only the settings store (and a colour scheme, in memory) writes it.
// Which registry value fills which field, with its type, default and range,
// is said once, in setting_table.h. Nothing here touches Windows, so the
// portable parts include it natively.
#pragma once

#include <cstdint>
#include <string>

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

// FontName's stand-in for the system's user-interface font.
inline constexpr char kDefaultFontName[] = "Default";

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
inline constexpr std::uint8_t fs_All = fs_Bold | fs_Italic | fs_Underline | fs_StrikeOut;

// Background flags (TSetupInfo_BkGnd::BkGndFlags).
inline constexpr std::uint8_t bf_BkGndDrawForbid = 1;
inline constexpr std::uint8_t bf_BkGndImageBlend = 4;

// Tag flags (TSetupInfo::TagFlags).
inline constexpr std::uint8_t tf_AmendLineEnd = 1;
inline constexpr std::uint8_t tf_StandardLrcTags = 2;

// Display flags (TSetupInfo::DisplayFlags).
inline constexpr std::uint8_t df_BurdenReduction = 1;
inline constexpr std::uint8_t df_UseFadeEffect = 2;
inline constexpr std::uint8_t df_FadeNextSpaceOnly = 4;
inline constexpr std::uint8_t df_HideNotHaveTag = 16;
inline constexpr std::uint8_t df_UseRandomColorScheme = 32;

// Pile flags (TSetupInfo_Pile::PileFlags).
inline constexpr std::uint8_t pf_PileEffectEnabled = 1;
inline constexpr std::uint8_t pf_PileEffectNoLyricsOnly = 2;

// Layout modes of LineSpaceMode.
inline constexpr std::uint8_t ls_AsIs = 0;        // "そのまま"
inline constexpr std::uint8_t ls_ActiveOnly = 1;  // "アクティブ行のみ拡大"
inline constexpr std::uint8_t ls_All = 2;         // "全て均等に拡大"

struct TSetupInfo_File {
  std::string LyricsPath;            // folders joined by ";"
  std::uint8_t SimilarStrength = 0;  // the stored setting × 10
  std::uint8_t SearchFlags = 0;      // sf_*
  bool operator==(const TSetupInfo_File&) const = default;
};

struct TSetupInfo_Font {
  std::string FontName;          // kDefaultFontName: the system's user-interface font
  std::uint8_t FontStyle = 0;    // fs_*
  std::uint8_t FontEffect = 0;   // 0..5
  std::uint8_t FontMinSize = 0;
  bool operator==(const TSetupInfo_Font&) const = default;
};

// The same six colours in the same order as a colour scheme record, so a
// scheme is copied over this group in one piece. Values are GDI colours
// 0x00BBGGRR, or system-colour references (the high bit set plus the
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
  std::uint8_t LineSpaceMode = 0;  // ls_*
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

// A colour value of the settings as GDI draws it: a plain 0x00BBGGRR or a
// system-colour reference.
inline constexpr bool IsSystemColorRef(std::uint32_t color) { return (color & 0xFFFFFF00u) == 0x80000000u; }
inline constexpr bool IsSettingColor(std::uint32_t color) {
  return (color & 0xFF000000u) == 0 || (IsSystemColorRef(color) && (color & 0xFF) <= 30);
}

}  // namespace lumeko
