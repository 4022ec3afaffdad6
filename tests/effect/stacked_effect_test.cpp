// Another visualization stacked under the lyrics, through the real DLL: our
// stripes effect, created by class identifier as the player's effects are and
// read back from frame pixels; and the list of installed effects the
// property page offers.
#include <gtest/gtest.h>

#include "effect/pattern_effect/pattern_effect.h"
#include "platform/wide.h"
#include "player_host.h"
#include "settings/installed_effects.h"
#include "settings/registry_ex.h"
#include "settings/registry_fixture.h"
#include "settings/setup_info.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

constexpr int kW = 64, kH = 48;

// How many pixels of a frame show the stripes of preset, red and white.
struct TCounts {
  int Stripes = 0, Red = 0, White = 0;
};
TCounts Count(const host::Frame& f, int preset) {
  TCounts c;
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) {
      c.Stripes += f.Pixel(x, y) == test::PatternPixel(preset, x, y);
      c.Red += f.Pixel(x, y) == 0xFF0000;
      c.White += f.Pixel(x, y) == 0xFFFFFF;
    }
  return c;
}

class StackedEffect : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(context_.Active()) << "the stripes effect's manifest";
    ASSERT_TRUE(reg_.OpenKey(kSettingsKey, true));
    for (const char* c : {"ActiveColor", "StillNotActiveColor", "InactiveColor"}) reg_.WriteInteger(c, 0xFFFFFF);
    reg_.WriteInteger("BackgroundColor", 0x0000FF);  // red
    reg_.WriteString("FontName", "IPAGothic");
    reg_.WriteBool("PileEffectEnabled", true);
    reg_.WriteString("PileEffectClassId", test::kPatternEffectClassId);
    reg_.WriteInteger("PileEffectPreset", 1);
    ASSERT_TRUE(test::WriteFile(dir_ / "sung.lrc", "[00:00.00]\x81\xa1\x81\xa1\x81\xa1\x81\xa1\r\n"));
  }
  host::Frame Play(const std::string& name) {
    EXPECT_EQ(host_.NotifyNewMedia(ToWide(dir_ / (name + ".mp3")), L"t"), S_OK);
    return host_.RenderFrame(kW, kH, play_state, 5000000);
  }

  test::TPatternEffectContext context_;
  TRegistryEx reg_{HKEY_CURRENT_USER};
  test::ScratchDir dir_{"stacked"};
  host::PlayerHost host_;
};

TEST_F(StackedEffect, DrawsOnlyForSongsWithoutLyricsUnlessToldOtherwise) {
  ASSERT_EQ(host_.Load(host::PlayerHost::DefaultEffectPath()), S_OK);
  // Its own first preset until the player sets one; then the stored one.
  EXPECT_EQ(Count(Play("silent"), 0).Stripes, kW * kH);
  ASSERT_EQ(host_.SetPreset(2), S_OK);
  EXPECT_EQ(Count(host_.RenderFrame(kW, kH, play_state, 6000000), 1).Stripes, kW * kH);
  TCounts c = Count(Play("sung"), 1);
  EXPECT_TRUE(c.Stripes == 0 && c.Red > kW * kH / 2 && c.White > 20) << c.Stripes << " " << c.Red;

  // Under the lyrics too: the stripes, and the text over them.
  host_.Unload();
  reg_.WriteBool("PileEffectNoLyricsOnly", false);
  ASSERT_EQ(host_.Load(host::PlayerHost::DefaultEffectPath()), S_OK);
  c = Count(Play("sung"), 0);
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
