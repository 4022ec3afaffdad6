// Another visualization stacked under the lyrics, through the real DLL: our
// stripes effect, created by class identifier as the player's effects are,
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

using host::Frame;
using host::PlayerHost;

constexpr int kW = 64, kH = 48;

// Pixels of the frame that show the stripes as the given preset paints them.
int StripePixels(const Frame& f, int preset) {
  int n = 0;
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) n += f.Pixel(x, y) == test::PatternPixel(preset, x, y);
  return n;
}

int PixelsOf(const Frame& f, std::uint32_t rgb) {
  int n = 0;
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) n += f.Pixel(x, y) == rgb;
  return n;
}

class StackedEffect : public test::RegistryTest {
 protected:
  void SetUp() override {
    test::RegistryTest::SetUp();
    ASSERT_TRUE(context_.Active()) << "the stripes effect's manifest";
    ASSERT_TRUE(reg_.OpenKey(kSettingsKey, true));
    reg_.WriteInteger("BackgroundColor", 0x0000FF);  // red
    reg_.WriteInteger("ActiveColor", 0xFFFFFF);
    reg_.WriteInteger("StillNotActiveColor", 0xFFFFFF);
    reg_.WriteInteger("InactiveColor", 0xFFFFFF);
    reg_.WriteString("FontName", "IPAGothic");
    reg_.WriteBool("PileEffectEnabled", true);
    reg_.WriteString("PileEffectClassId", test::kPatternEffectClassId);
    reg_.WriteInteger("PileEffectPreset", 1);
    ASSERT_TRUE(test::WriteFile(dir_ / "sung.lrc", "[00:00.00]\x81\xa1\x81\xa1\x81\xa1\x81\xa1\r\n"));
  }
  void Play(const std::string& name) { ASSERT_EQ(host_.NotifyNewMedia(ToWide(dir_ / (name + ".mp3")), L"t"), S_OK); }
  Frame At(long long ms) { return host_.RenderFrame(kW, kH, play_state, ms * 10000); }

  test::TPatternEffectContext context_;
  TRegistryEx reg_{HKEY_CURRENT_USER};
  test::ScratchDir dir_{"stacked"};
  PlayerHost host_;
};

TEST_F(StackedEffect, DrawsOnlyForSongsWithoutLyricsUnlessToldOtherwise) {
  ASSERT_EQ(host_.Load(PlayerHost::DefaultEffectPath()), S_OK);
  Play("silent");
  // Its own first preset until the player sets one; then the stored one.
  EXPECT_EQ(StripePixels(At(0), 0), kW * kH);
  ASSERT_EQ(host_.SetPreset(2), S_OK);
  EXPECT_EQ(StripePixels(At(100), 1), kW * kH);

  Play("sung");
  Frame f = At(500);
  EXPECT_EQ(PixelsOf(f, test::kPatternA) + PixelsOf(f, test::kPatternB), 0);
  EXPECT_GT(PixelsOf(f, 0xFF0000), kW * kH / 2);
  EXPECT_GT(PixelsOf(f, 0xFFFFFF), 20);

  // Under the lyrics too: the stripes, and the text over them.
  host_.Unload();
  reg_.WriteBool("PileEffectNoLyricsOnly", false);
  ASSERT_EQ(host_.Load(PlayerHost::DefaultEffectPath()), S_OK);
  Play("sung");
  f = At(500);
  EXPECT_GT(StripePixels(f, 0), kW * kH / 2);
  EXPECT_GT(PixelsOf(f, 0xFFFFFF), 20);
  EXPECT_EQ(PixelsOf(f, 0xFF0000), 0);
}

TEST_F(StackedEffect, ThePageListsTheEffectsThatCanBeCreated) {
  const std::string effects = kPlayerEffectsKey;
  TRegistry machine(HKEY_LOCAL_MACHINE);
  const auto entry = [&](const std::string& name, const char* classId) {
    ASSERT_TRUE(machine.OpenKey(effects + "\\" + name + "\\Properties", true));
    if (classId) machine.WriteString("classid", classId);
  };
  entry(kOwnEffectEntry, "{37A95726-3491-4CD1-97E8-2A4A4A0617C2}");
  entry("Missing", "{9B6F3B0A-5C1D-4E55-9A0B-0C2C7E0D1F00}");
  entry("Stripes", test::kPatternEffectClassId);
  entry("NotAClass", "stripes");
  entry("NoClass", nullptr);
  ASSERT_TRUE(machine.OpenKey(effects + "\\NoProperties", true));
  machine.CloseKey();

  const PlayerHost comOnThisThread;
  const std::vector<TEffectData> list = ListInstalledEffects();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(ToWide(list[0].Title), test::kPatternTitle);
  EXPECT_EQ(list[0].ClassId, test::kPatternEffectClassId);
  EXPECT_EQ(list[0].Presets, (std::vector<std::string>{"Vertical", "Horizontal"}));
}

}  // namespace
}  // namespace lumeko
