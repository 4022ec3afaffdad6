// The settings store against a real (redirected) registry: defaults, types,
// ranges, the Version rule, the font-change flag and the change event.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/registry_fixture.h"
#include "platform/wide.h"

namespace lumeko {
namespace {

using test::RegistryTest;

TRegistryEx OpenSettings() {
  TRegistryEx reg(HKEY_CURRENT_USER);
  EXPECT_TRUE(reg.OpenKey(kSettingsKey, true));
  return reg;
}

TSetupInfo Load(bool* fontChanged = nullptr) {
  TSetupInfo s;
  const bool changed = LoadSettings(s);
  LoadPileSettings(s);
  if (fontChanged) *fontChanged = changed;
  return s;
}

using SettingsStore = RegistryTest;

TEST_F(SettingsStore, EmptyRegistryGivesTheDefaultsAndCreatesTheKey) {
  bool fontChanged = false;
  const TSetupInfo s = Load(&fontChanged);
  EXPECT_TRUE(TRegistry(HKEY_CURRENT_USER).KeyExists(kSettingsKey));
  EXPECT_EQ(s, DefaultSetupInfo());
  EXPECT_TRUE(fontChanged);  // from an empty record to "Default"
  EXPECT_EQ(s.File.SimilarStrength, 30);
  EXPECT_EQ(s.File.SearchFlags, sf_FindSubFolder | sf_SimilarSearch);
  EXPECT_EQ(s.Font.FontName, "Default");
  EXPECT_EQ(s.Color.StillNotActiveColor, 0xC0C0C0u);
  EXPECT_EQ(s.Color.ActiveEffectColor, 0x0000FFu);
  EXPECT_EQ(s.BkGnd.BkGndImageBlendAlpha, 127);
  EXPECT_EQ(s.Pile.PileEffectPreset, -1);
  EXPECT_EQ(s.Pile.PileFlags, pf_PileEffectNoLyricsOnly);

  EXPECT_EQ(s.ActiveAutoHidePause, 1800);
  EXPECT_EQ(s.FadeoutInterval, 60);
}

// A value inside the row's range that is not its default, distinct per row.
TSettingValue SomeValue(const TSettingDef& d, int n) {
  switch (d.Kind) {
    case TSettingKind::sk_String: return {0, "\x89\xCC" + std::string(d.Name)};  // 歌 + name
    case TSettingKind::sk_Bool: return {d.DefaultInt ? 0 : 1, {}};
    case TSettingKind::sk_Color: return {0x010203 * n, {}};
    default: break;
  }
  const std::int64_t span = static_cast<std::int64_t>(d.Max) - d.Min + 1;
  std::int32_t v = static_cast<std::int32_t>(d.Min + n % span);
  if (v == d.DefaultInt) v = v == d.Max ? d.Min : v + 1;
  return {v, {}};
}

TEST_F(SettingsStore, EveryRowOfTheTableReachesItsFieldAndReadsBack) {
  TRegistryEx reg = OpenSettings();
  reg.WriteInteger("Version", kSettingsVersion);
  int n = 0;
  for (const TSettingDef& d : SettingTable())
    if (d.Get) WriteSettingValue(reg, d, SomeValue(d, ++n));
  const TSetupInfo s = Load();
  n = 0;
  for (const TSettingDef& d : SettingTable()) {
    if (!d.Get) {
      EXPECT_FALSE(ReadSetting(s, d.Name)) << d.Name;
      continue;
    }
    EXPECT_EQ(ReadSetting(s, d.Name), SomeValue(d, ++n)) << d.Name;
  }
  EXPECT_NE(s, DefaultSetupInfo());
  // The page writes every row but the registry-only timings, Version last.
  ASSERT_FALSE(SettingSaveOrder().empty());
  EXPECT_STREQ(SettingSaveOrder().front()->Name, "FontName");
  EXPECT_STREQ(SettingSaveOrder().back()->Name, "Version");
  EXPECT_EQ(SettingSaveOrder().size(), SettingTable().size() - 5);
}

TEST_F(SettingsStore, StringsAreStoredAsUnicodeAndReadBackAsCp932) {
  TRegistryEx reg = OpenSettings();
  const std::string path = "C:\\\x89\xCC\x8E\x8C;D:\\lyrics";  // C:\歌詞;D:\lyrics
  reg.WriteString("LyricsPath", path);
  wchar_t raw[64] = {};
  DWORD size = sizeof raw;
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, ToWide(kSettingsKey).c_str(), L"LyricsPath", RRF_RT_REG_SZ,
                           nullptr, raw, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(raw), L"C:\\\u6B4C\u8A5E;D:\\lyrics");
  EXPECT_EQ(Load().File.LyricsPath, path);
}

TEST_F(SettingsStore, WrongTypesAndEmptyStringsGiveDefaults) {
  TRegistryEx reg = OpenSettings();
  reg.WriteString("KaraokeRowCount", "12");
  reg.WriteInteger("FontName", 7);
  reg.WriteString("LyricsPath", "");
  reg.WriteString("BkGndImageBlendAlpha", "200");
  const std::uint8_t two[2] = {1, 2};
  reg.WriteBinaryData("FontStyle", two, 2);
  reg.WriteBinaryData("UseFadeEffect", two, 1);
  const DWORD qword[2] = {9, 0};
  ::RegSetValueExW(reg.CurrentKey(), L"FadeoutInterval", 0, REG_QWORD, reinterpret_cast<const BYTE*>(qword), 8);
  reg.WriteExpandString("BkGndImageFolder", "%TEMP%\\bg");

  const TSetupInfo s = Load();
  EXPECT_EQ(s.KaraokeRowCount, 8);
  EXPECT_EQ(s.Font.FontName, "Default");
  EXPECT_EQ(s.File.LyricsPath, "");
  EXPECT_EQ(s.BkGnd.BkGndImageBlendAlpha, 127);
  EXPECT_EQ(s.Font.FontStyle, 0);
  EXPECT_TRUE(s.DisplayFlags & df_UseFadeEffect);
  EXPECT_EQ(s.FadeoutInterval, 60);
  EXPECT_EQ(s.BkGnd.BkGndImageFolder, "%TEMP%\\bg");  // kept as stored, not expanded

  const std::uint8_t one = fs_Bold | fs_Italic;
  reg.WriteBinaryData("FontStyle", &one, 1);
  EXPECT_EQ(Load().Font.FontStyle, fs_Bold | fs_Italic);
  reg.WriteInteger("FontStyle", 1);
  EXPECT_EQ(Load().Font.FontStyle, 0);
}

TEST_F(SettingsStore, BlendAlphaScaleFollowsTheVersion) {
  TRegistryEx reg = OpenSettings();
  reg.WriteInteger("BkGndImageBlendAlpha", 5);
  reg.WriteInteger("Version", 20000);
  EXPECT_EQ(Load().BkGnd.BkGndImageBlendAlpha, 127);  // 5 tenths
  reg.DeleteValue("Version");
  EXPECT_EQ(Load().BkGnd.BkGndImageBlendAlpha, 127);
  reg.WriteInteger("BkGndImageBlendAlpha", 10);
  EXPECT_EQ(Load().BkGnd.BkGndImageBlendAlpha, 255);
  reg.WriteInteger("Version", 20400);
  EXPECT_EQ(Load().BkGnd.BkGndImageBlendAlpha, 10);
  reg.WriteInteger("Version", 20508);
  reg.WriteInteger("BkGndImageBlendAlpha", 5);
  EXPECT_EQ(Load().BkGnd.BkGndImageBlendAlpha, 5);
  reg.DeleteValue("BkGndImageBlendAlpha");
  reg.WriteInteger("Version", 100);
  EXPECT_EQ(Load().BkGnd.BkGndImageBlendAlpha, 127);  // the default is never converted
  EXPECT_EQ(BlendAlphaFromStored(INT32_MAX, 0), INT32_MAX);
}

TEST_F(SettingsStore, ValuesOutsideTheirRangeAreFixedAsTheTableSays) {
  TRegistryEx reg = OpenSettings();
  reg.WriteInteger("Version", kSettingsVersion);
  const struct {
    const char* Name;
    std::int32_t Stored, Read;
  } cases[] = {
      {"SimilarStrength", 26, 10},        {"SimilarStrength", -3, 0},         {"FontMinSize", 262, 30},
      {"FontMinSize", 0, 6},              {"FontEffect", 9, 0},               {"BkGndImageDrawMode", -1, 0},
      {"LineSpaceMode", 258, 0},          {"KaraokeRowCount", 99, 30},        {"FadeoutInterval", 0, 1},
      {"ActiveAutoHidePause", -5, 0},     {"KaraokeFetchTime", INT32_MIN, 0}, {"BkGndImageBlendAlpha", 300, 255},
      {"AdjustTimeTagMSec", 70000, 10000}, {"ActiveColor", 0x7FFFFFFF, 0xFFFFFF},
      {"InactiveColor", static_cast<std::int32_t>(0x80000005), static_cast<std::int32_t>(0x80000005)},
      {"BackgroundColor", static_cast<std::int32_t>(0x800000FF), 0},
  };
  for (const auto& c : cases) {
    reg.WriteInteger(c.Name, c.Stored);
    EXPECT_EQ(ReadSetting(Load(), c.Name)->Int, c.Read) << c.Name << " " << c.Stored;
  }
  reg.WriteInteger("SimilarStrength", 26);
  EXPECT_EQ(Load().File.SimilarStrength, 100);  // the search's strongest
  const std::uint8_t junk = 0x13;  // bold, italic and a bit no style has
  reg.WriteBinaryData("FontStyle", &junk, 1);
  EXPECT_EQ(Load().Font.FontStyle, 0);
}

TEST_F(SettingsStore, FontChangeIsFlaggedOnlyWhenTheFontGroupDiffers) {
  TRegistryEx reg = OpenSettings();
  reg.WriteString("FontName", "IPAGothic");
  TSetupInfo s;
  EXPECT_TRUE(LoadSettings(s));

  reg.WriteInteger("ActiveColor", 0x123456);  // colours are not the font
  EXPECT_FALSE(LoadSettings(s));
  EXPECT_EQ(s.Color.ActiveColor, 0x123456u);

  reg.WriteString("FontName", "ipagothic");  // exact comparison
  EXPECT_TRUE(LoadSettings(s));

  reg.WriteInteger("FontEffect", 3);
  EXPECT_TRUE(LoadSettings(s));
  reg.WriteInteger("FontMinSize", 12);
  EXPECT_TRUE(LoadSettings(s));
  const std::uint8_t bold = fs_Bold;
  reg.WriteBinaryData("FontStyle", &bold, 1);
  EXPECT_TRUE(LoadSettings(s));
  EXPECT_FALSE(LoadSettings(s));
}

TEST_F(SettingsStore, SettingsArePerUserAndReadOnlyFromTheirKey) {
  // A value under HKLM or beside the Settings key is not a setting.
  TRegistryEx machine(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenKey(kSettingsKey, true));
  machine.WriteInteger("KaraokeRowCount", 3);
  TRegistryEx schemes(HKEY_CURRENT_USER);
  ASSERT_TRUE(schemes.OpenKey(kSchemesKey, true));
  schemes.WriteInteger("KaraokeRowCount", 4);
  EXPECT_EQ(Load().KaraokeRowCount, 8);
}

using RegistryClass = RegistryTest;

TEST_F(RegistryClass, TypedReadsRaiseAndDefaultingReadsDoNot) {
  TRegistryEx reg(HKEY_CURRENT_USER);
  EXPECT_THROW(reg.ReadInteger("x"), ERegistryException);  // no key open
  EXPECT_EQ(reg.ReadIntegerDef("x", -4), -4);
  reg.WriteIntegerSafe("x", 1);  // no key: ignored, no throw
  ASSERT_TRUE(reg.OpenKey("Software\\T", true));
  EXPECT_THROW(reg.ReadInteger("missing"), ERegistryException);
  EXPECT_EQ(reg.ReadString("missing"), "");
  reg.WriteInteger("neg", -5);
  EXPECT_EQ(reg.ReadIntegerDef("neg", 0), -5);
  EXPECT_TRUE(reg.ReadBoolDef("neg", false));
  reg.WriteBool("off", false);
  EXPECT_FALSE(reg.ReadBoolDef("off", true));
  reg.WriteString("s", "text");
  EXPECT_THROW(reg.ReadInteger("s"), ERegistryException);
  EXPECT_THROW(reg.ReadBinaryData("s"), ERegistryException);
  EXPECT_EQ(reg.ReadStringDef("s", "d"), "text");
  EXPECT_EQ(reg.ReadStringDef("neg", "d"), "d");

  // A string stored without its terminating NUL, or with one inside.
  const wchar_t raw[] = {L'a', L'b', L'\0', L'c'};
  ::RegSetValueExW(reg.CurrentKey(), L"raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 4);
  EXPECT_EQ(reg.ReadString("raw"), "ab");
  ::RegSetValueExW(reg.CurrentKey(), L"cut", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 3);
  EXPECT_EQ(reg.ReadString("cut"), "a");

  // Writes through a read-only key fail quietly in the safe forms.
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\T"));
  EXPECT_THROW(reg.WriteInteger("y", 1), ERegistryException);
  reg.WriteIntegerSafe("y", 1);
  reg.WriteBoolSafe("y", true);
  reg.WriteStringSafe("y", "z");
  EXPECT_FALSE(reg.ValueExists("y"));
  EXPECT_FALSE(reg.OpenKey("Software\\Missing", false));
  EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Missing"));
}

TEST_F(RegistryClass, ListsNamesAndDeletesWholeTrees) {
  TRegistry reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey("\\Software\\T\\a\\deep", true));  // leading "\" allowed
  reg.WriteInteger("v", 1);
  ASSERT_TRUE(reg.OpenKey("Software\\T", true));
  reg.WriteString("\x94\x92", "x");  // 白
  reg.WriteInteger("second", 2);
  ASSERT_TRUE(reg.OpenKey("Software\\T\\b", true));
  ASSERT_TRUE(reg.OpenKey("Software\\T", false));
  std::vector<std::string> values = reg.GetValueNames(), keys = reg.GetKeyNames();
  std::sort(values.begin(), values.end());
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(values, (std::vector<std::string>{"second", "\x94\x92"}));
  EXPECT_EQ(keys, (std::vector<std::string>{"a", "b"}));
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey("Software\\T"));
  EXPECT_FALSE(reg.KeyExists("Software\\T"));
  EXPECT_TRUE(reg.DeleteKey("Software\\T"));  // already gone
  EXPECT_FALSE(reg.DeleteKey("\\"));          // never the root
}

TEST(RegistryOverride, KeepsTheRealKeysUntouched) {
  const std::wstring probe = L"Software\\OB-KELMARI\\Lumeko\\OverrideProbe";
  std::string scratch;
  {
    TRegistryOverride first;
    ASSERT_TRUE(first.Active());
    scratch = first.ScratchPath();
    TRegistry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey("Software\\OB-KELMARI\\Lumeko\\OverrideProbe", true));
    reg.WriteInteger("v", 1);
    TRegistry machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKey("Software\\LumekoProbe", true));
  }
  HKEY k = nullptr;
  EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, probe.c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
  EXPECT_NE(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\LumekoProbe", 0, KEY_READ, &k), ERROR_SUCCESS);
  EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(scratch).c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);

  // Nested, with a copy of the (outer) user's settings: changes stay in the copy.
  TRegistryOverride outer;
  TRegistryEx reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
  reg.WriteInteger("KaraokeRowCount", 11);
  {
    TRegistryOverride inner(true);
    ASSERT_TRUE(inner.Active());
    EXPECT_EQ(Load().KaraokeRowCount, 11);
    TRegistryEx copy(HKEY_CURRENT_USER);
    ASSERT_TRUE(copy.OpenKey(kSettingsKey, true));
    copy.WriteInteger("KaraokeRowCount", 12);
    EXPECT_EQ(Load().KaraokeRowCount, 12);
  }
  EXPECT_EQ(Load().KaraokeRowCount, 11);
}

TEST(PropertyChangeEvent, OnlyTheFirstPollingInstanceReloads) {
  EXPECT_FALSE(SignalPropertyChange());  // no effect alive: nothing to tell
  int reloads = 0;
  EXPECT_FALSE(PollPropertyChange([&] { ++reloads; }));

  UniqueHandleH a = CreatePropertyChangeEvent();
  UniqueHandleH b = CreatePropertyChangeEvent();  // a second instance opens the same event
  ASSERT_TRUE(a && b);
  EXPECT_FALSE(PollPropertyChange([&] { ++reloads; }));
  EXPECT_TRUE(SignalPropertyChange());
  EXPECT_TRUE(PollPropertyChange([&] { ++reloads; }));
  EXPECT_FALSE(PollPropertyChange([&] { ++reloads; }));
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(::WaitForSingleObject(b.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

}  // namespace
}  // namespace lumeko
