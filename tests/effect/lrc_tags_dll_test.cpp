// A standard LRC file through the real DLL: with StandardLrcTags on its line
// lights at its time; off, the tags are text and nothing is timed. Read from
// the frame's pixels.
#include <gtest/gtest.h>

#include "effect/host_fixture.h"
#include "settings/settings_store.h"

namespace lumeko {
namespace {

using LrcTags = test::HostTest;

TEST_F(LrcTags, TheLineLightsAtItsTimeOnlyWithTheSettingOn) {
  // The untimed last line is the widest either way, so the font keeps its size.
  ASSERT_TRUE(test::WriteFile(Dir / "song.lrc",
                              "[ti:Night Bus]\r\n[offset:+500]\r\n[00:02.00]WW\r\n[00:04.00]MM\r\nWWWWWWWWWWWWWWWWWWWWWWWW\r\n"));
  constexpr std::uint32_t kGreen = 0x00FF00;  // as a pixel; the active colours, on black
  for (const char* name : {"ActiveColor", "StillNotActiveColor"}) Settings.WriteInteger(name, 0x00FF00);
  Settings.WriteInteger("InactiveColor", 0xFF0000);
  Song("song");
  // Pixels in the active colour, and pixels that are not the background.
  const auto ink = [&](long long ms) {
    const host::Frame f = Host.RenderFrame(480, 240, play_state, ms * 10000);
    std::pair<int, int> n{0, 0};
    for (std::uint32_t p : f.Pixels) n.first += (p & 0xFFFFFF) == kGreen, n.second += (p & 0xFFFFFF) != 0;
    return n;
  };
  const auto off = ink(2000);
  EXPECT_EQ(off.first, 0);

  Settings.WriteInteger("StandardLrcTags", 1);
  ASSERT_TRUE(SignalPropertyChange());
  EXPECT_EQ(ink(1400).first, 0);  // the offset brings the line to 1500
  const auto on = ink(1600);
  EXPECT_GT(on.first, 0);
  EXPECT_LT(on.second, off.second);  // without the tags' text and the header lines
}

}  // namespace
}  // namespace lumeko
