// LoadSettings: the fixed reading order of the settings and their defaults.
//
// Values are written into the record as they are read, so a failure half
// way leaves the earlier values new and the later ones as they were. The
// font group alone is read into a copy first, to tell whether the font
// changed (which makes the painters lay the lyrics out again).
#include "effect/settings.h"

#include "platform/wide.h"

namespace lumeko {

std::uint8_t ReadFontStyle(const TRegistry& reg) {
  if (reg.GetDataType("FontStyle") != REG_BINARY) return 0;
  try {
    const std::vector<std::uint8_t> bytes = reg.ReadBinaryData("FontStyle");
    return bytes.size() == 1 ? bytes[0] : 0;
  } catch (const ERegistryException&) {
    return 0;
  }
}

namespace {

void SetFlag(std::uint8_t& flags, std::uint8_t bit, bool on) {
  if (on) flags |= bit;
}

void ReadAll(TRegistryEx& reg, TSetupInfo& s, std::uint8_t& changes) {
  const std::int32_t version = reg.ReadIntegerDef("Version", 0);

  s.File.SearchFlags = 0;
  s.File.LyricsPath = reg.ReadStringDef("LyricsPath", "");
  // Kept in a byte; multiplied unsigned so a wild stored value wraps instead
  // of overflowing.
  s.File.SimilarStrength =
      static_cast<std::uint8_t>(static_cast<std::uint32_t>(reg.ReadIntegerDef("SimilarStrength", 3)) * 10u);
  SetFlag(s.File.SearchFlags, sf_FindSubFolder, reg.ReadBoolDef("FindSubFolder", true));
  SetFlag(s.File.SearchFlags, sf_SimilarSearch, reg.ReadBoolDef("SimilarSearch", true));
  SetFlag(s.File.SearchFlags, sf_FuzzySearch, reg.ReadBoolDef("FuzzySearch", false));
  SetFlag(s.File.SearchFlags, sf_NotPerformTitleSearch, reg.ReadBoolDef("NotPerformTitleSearch", false));
  SetFlag(s.File.SearchFlags, sf_NotPerformSameFolderSearch, reg.ReadBoolDef("NotPerformSameFolderSearch", false));

  TSetupInfo_Font font;
  font.FontName = reg.ReadStringDef("FontName", "Default");
  font.FontStyle = ReadFontStyle(reg);
  font.FontEffect = static_cast<std::uint8_t>(reg.ReadIntegerDef("FontEffect", 0));
  font.FontMinSize = static_cast<std::uint8_t>(reg.ReadIntegerDef("FontMinSize", 6));
  if (!(font == s.Font)) {
    s.Font = std::move(font);
    changes |= cf_Font;
  }

  s.Color.ActiveColor = static_cast<std::uint32_t>(reg.ReadIntegerDef("ActiveColor", 0xFFFFFF));
  s.Color.StillNotActiveColor = static_cast<std::uint32_t>(reg.ReadIntegerDef("StillNotActiveColor", 0xC0C0C0));
  s.Color.ActiveEffectColor = static_cast<std::uint32_t>(reg.ReadIntegerDef("ActiveEffectColor", 0x0000FF));
  s.Color.ActiveBkGndColor = static_cast<std::uint32_t>(reg.ReadIntegerDef("ActiveBkGndColor", 0x000000));
  s.Color.InactiveColor = static_cast<std::uint32_t>(reg.ReadIntegerDef("InactiveColor", 0x808080));
  s.Color.BackgroundColor = static_cast<std::uint32_t>(reg.ReadIntegerDef("BackgroundColor", 0x000000));

  s.BkGnd.BkGndFlags = 0;
  s.BkGnd.BkGndImageFilename = reg.ReadStringDef("BkGndImageFilename", "");
  s.BkGnd.BkGndImageFolder = reg.ReadStringDef("BkGndImageFolder", "");
  s.BkGnd.BkGndImageDrawMode = static_cast<std::uint8_t>(reg.ReadIntegerDef("BkGndImageDrawMode", 0));
  // A stored alpha is converted by the Version it was saved with; the
  // default is on the 0..255 scale whatever the Version says.
  try {
    s.BkGnd.BkGndImageBlendAlpha = BlendAlphaFromStored(reg.ReadInteger("BkGndImageBlendAlpha"), version);
  } catch (const ERegistryException&) {
    s.BkGnd.BkGndImageBlendAlpha = 127;
  }
  SetFlag(s.BkGnd.BkGndFlags, bf_BkGndDrawForbid, reg.ReadBoolDef("BkGndDrawForbid", false));
  SetFlag(s.BkGnd.BkGndFlags, bf_BkGndImageBlend, reg.ReadBoolDef("BkGndImageBlend", true));

  s.TagFlags = 0;
  s.AdjustTimeTagMSec = reg.ReadIntegerDef("AdjustTimeTagMSec", 0);
  SetFlag(s.TagFlags, tf_AmendLineEnd, reg.ReadBoolDef("AmendLineEnd", true));

  s.DisplayFlags = 0;
  s.LineSpaceMode = static_cast<std::uint8_t>(reg.ReadIntegerDef("LineSpaceMode", 0));
  SetFlag(s.DisplayFlags, df_BurdenReduction, reg.ReadBoolDef("BurdenReduction", false));
  SetFlag(s.DisplayFlags, df_UseFadeEffect, reg.ReadBoolDef("UseFadeEffect", true));
  SetFlag(s.DisplayFlags, df_FadeNextSpaceOnly, reg.ReadBoolDef("FadeNextSpaceOnly", false));
  SetFlag(s.DisplayFlags, df_HideNotHaveTag, reg.ReadBoolDef("HideNotHaveTag", false));
  SetFlag(s.DisplayFlags, df_UseRandomColorScheme, reg.ReadBoolDef("UseRandomColorScheme", false));

  s.ActiveAutoHidePause = reg.ReadIntegerDef("ActiveAutoHidePause", 1800);
  s.ActiveShortHidePause = reg.ReadIntegerDef("ActiveShortHidePause", 400);
  s.KaraokeFetchTime = reg.ReadIntegerDef("KaraokeFetchTime", 1300);
  s.KaraokeRowCount = reg.ReadIntegerDef("KaraokeRowCount", 8);
  s.KaraokeInterruptLimit = reg.ReadIntegerDef("KaraokeInterruptLimit", 400);
  s.FadeoutInterval = reg.ReadIntegerDef("FadeoutInterval", 60);
}

}  // namespace

void LoadSettings(TSetupInfo& setup, std::uint8_t& changes) noexcept {
  try {
    TRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(kSettingsKey, true)) return;
    ReadAll(reg, setup, changes);
  } catch (...) {
    // Settings reads never fail: what was read so far stays.
  }
}

void LoadPileSettings(TSetupInfo_Pile& pile) noexcept {
  try {
    TRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(kSettingsKey, true)) return;
    pile.PileFlags = 0;
    pile.PileEffectClassId = reg.ReadStringDef("PileEffectClassId", "");
    pile.PileEffectPreset = reg.ReadIntegerDef("PileEffectPreset", -1);
    SetFlag(pile.PileFlags, pf_PileEffectEnabled, reg.ReadBoolDef("PileEffectEnabled", false));
    SetFlag(pile.PileFlags, pf_PileEffectNoLyricsOnly, reg.ReadBoolDef("PileEffectNoLyricsOnly", true));
  } catch (...) {
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
