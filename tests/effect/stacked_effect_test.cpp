// Another visualization stacked under the lyrics, through the real DLL: our
// stripes effect, created by class identifier as the player's effects are and
// read back from frame pixels; the list of installed effects the property
// page offers; and the page opened by the player's Properties button.
#include <gtest/gtest.h>

#include "effect/host_fixture.h"
#include "effect/pattern_effect/pattern_effect.h"
#include "settings/installed_effects.h"
#include "settings/scheme_store.h"
#include "ui/modal_driver.h"

namespace lumeko {
namespace {

constexpr int kW = 64, kH = 48;

class StackedEffect : public test::HostTest {
 protected:
  void SetUp() override {
    test::HostTest::SetUp();
    ASSERT_TRUE(context_.Active()) << "the stripes effect's manifest";
    for (const char* c : {"ActiveColor", "StillNotActiveColor", "InactiveColor"}) Settings.WriteInteger(c, 0xFFFFFF);
    Settings.WriteInteger("BackgroundColor", 0x0000FF);  // red
    Settings.WriteString("FontName", "IPAGothic");
    Settings.WriteBool("PileEffectEnabled", true);
    Settings.WriteString("PileEffectClassId", test::kPatternEffectClassId);
    Settings.WriteInteger("PileEffectPreset", 1);
    ASSERT_TRUE(test::WriteFile(Dir / "sung.lrc", "[00:00:00]\x81\xa1\x81\xa1\x81\xa1\x81\xa1\r\n"));
  }
  // How many pixels of a frame show the stripes of preset, red and white.
  struct TCounts {
    int Stripes = 0, Red = 0, White = 0;
  };
  TCounts Count(int preset, long long ms) {
    const host::Frame f = Host.RenderFrame(kW, kH, play_state, ms * 10000);
    TCounts c;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        c.Stripes += f.Pixel(x, y) == test::PatternPixel(preset, x, y);
        c.Red += f.Pixel(x, y) == 0xFF0000;
        c.White += f.Pixel(x, y) == 0xFFFFFF;
      }
    return c;
  }
  test::TPatternEffectContext context_;
};

TEST_F(StackedEffect, DrawsOnlyForSongsWithoutLyricsUnlessToldOtherwise) {
  Song("silent");
  // Its own first preset until the player sets one; then the stored one.
  EXPECT_EQ(Count(0, 500).Stripes, kW * kH);
  ASSERT_EQ(Host.SetPreset(2), S_OK);
  EXPECT_EQ(Count(1, 600).Stripes, kW * kH);
  Song("sung");
  TCounts c = Count(1, 500);
  EXPECT_TRUE(c.Stripes == 0 && c.Red > kW * kH / 2 && c.White > 20) << c.Stripes << " " << c.Red << " " << c.White;

  // Under the lyrics too: the stripes, and the text over them.
  Host.Unload();
  Settings.WriteBool("PileEffectNoLyricsOnly", false);
  Song("sung");
  c = Count(0, 500);
  EXPECT_TRUE(c.Stripes > kW * kH / 2 && c.Red == 0 && c.White > 20) << c.Stripes << " " << c.White;
}

TEST_F(StackedEffect, ThePageListsTheEffectsThatCanBeCreated) {
  TRegistry machine(HKEY_LOCAL_MACHINE);
  for (const auto& [name, classId] : std::initializer_list<std::pair<std::string, const char*>>{
           {kOwnEffectEntry, "{37A95726-3491-4CD1-97E8-2A4A4A0617C2}"},
           {"Missing", "{9B6F3B0A-5C1D-4E55-9A0B-0C2C7E0D1F00}"},
           {"Stripes", test::kPatternEffectClassId},
           {"NotAClass", "stripes"},
           {"NoClass", nullptr}}) {
    ASSERT_TRUE(machine.OpenKey(std::string(kPlayerEffectsKey) + "\\" + name + "\\Properties", true));
    if (classId) machine.WriteString("classid", classId);
  }
  ASSERT_TRUE(machine.OpenKey(std::string(kPlayerEffectsKey) + "\\NoProperties", true));

  const std::vector<TEffectData> list = ListInstalledEffects();  // COM is the host's
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(ToWide(list[0].Title), test::kPatternTitle);
  EXPECT_EQ(list[0].ClassId, test::kPatternEffectClassId);
  EXPECT_EQ(list[0].Presets, (std::vector<std::string>{"Vertical", "Horizontal"}));
}

// The page's scheme list: the combo box that lists "Green".
struct TFind {
  HWND Combo = nullptr;
};
BOOL CALLBACK FindSchemeList(HWND w, LPARAM p) {
  wchar_t cls[32] = {};
  ::GetClassNameW(w, cls, 32);
  if (std::wstring(cls) == L"ComboBox" &&
      ::SendMessageW(w, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Green")) >= 0)
    reinterpret_cast<TFind*>(p)->Combo = w;
  return TRUE;
}

// The centre pixel of a frame of another instance than the host's.
std::uint32_t CentreOf(IWMPEffects2* effect, long long ms) {
  UniqueHDC dc(::CreateCompatibleDC(nullptr));
  BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32}};
  void* bits = nullptr;
  UniqueHBITMAP dib(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  SelectGuard select(dc.get(), dib.get());
  TimedLevel levels{};
  levels.state = play_state;
  levels.timeStamp = ms * 10000;
  RECT r{0, 0, kW, kH};
  EXPECT_EQ(effect->Render(&levels, dc.get(), &r), S_OK);
  ::GdiFlush();
  return static_cast<std::uint32_t*>(bits)[kH / 2 * kW + kW / 2] & 0xFFFFFF;
}

TEST_F(StackedEffect, PropertiesOpensThePageWhoseOkReloadsOneInstanceAndWhichEndsTheStacking) {
  TColorScheme green;
  green.Color.BackgroundColor = 0x00FF00;
  ASSERT_TRUE(WriteColorScheme("Green", green));
  Song("silent");
  EXPECT_EQ(Count(0, 500).Stripes, kW * kH);
  // A second instance, made while the stacking is off, shows the red background.
  Settings.WriteBool("PileEffectEnabled", false);
  IWMPEffects2* second = nullptr;
  ASSERT_EQ(Host.CreateAnother(&second), S_OK);
  EXPECT_EQ(CentreOf(second, 500), 0xFF0000u);

  const HWND player = Host.OpenWindow(kW, kH);
  bool ownerDisabled = false;
  test::TModalDriver user(test::TModalDriver::Captioned(L"LUMEKOの設定", player), [&](HWND page) {
    ownerDisabled = !::IsWindowEnabled(player);
    TFind find;
    ::EnumChildWindows(page, FindSchemeList, reinterpret_cast<LPARAM>(&find));
    ASSERT_TRUE(find.Combo);
    ::SendMessageW(find.Combo, CB_SETCURSEL, 0, 0);
    ::SendMessageW(::GetParent(find.Combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(find.Combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(find.Combo));
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(Host.ShowProperties(player), S_OK);
  EXPECT_TRUE(user.Ran());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(::IsWindowEnabled(player));

  // The first instance to draw reloads: the scheme's background, and the
  // stacked effect is gone for good; the other keeps what it had.
  const TCounts c = Count(0, 600);
  EXPECT_EQ(c.Stripes, 0);
  EXPECT_EQ(Host.RenderFrame(kW, kH, play_state, 700 * 10000).Pixel(kW / 2, kH / 2), 0x00FF00u);
  EXPECT_EQ(CentreOf(second, 700), 0xFF0000u);
  second->Release();
}

}  // namespace
}  // namespace lumeko
