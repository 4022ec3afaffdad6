// Another visualization stacked under the lyrics, through the real DLL: our
// stripes effect, created by class identifier as the player's effects are and
// read back from frame pixels; and the list of installed effects the
// property page offers.
#include <gtest/gtest.h>

#include "effect/host_fixture.h"
#include "effect/pattern_effect/pattern_effect.h"
#include "settings/installed_effects.h"

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

}  // namespace
}  // namespace lumeko
