// A standard LRC file through the real DLL: with StandardLrcTags on its line
// lights at its time; off, the tags are text and nothing is timed. Read from
// the frame's pixels.
#include <gtest/gtest.h>

#include "effect/host_fixture.h"
#include "settings/settings_store.h"

namespace lumeko {
namespace {

constexpr std::uint32_t kGreen = 0x00FF00, kBlue = 0x0000FF;  // as pixels

struct TInk {
  int Active = 0;  // pixels in the active colour
  int Any = 0;     // pixels that are not the background
};

TInk Ink(const host::Frame& f) {
  TInk ink;
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) {
      const std::uint32_t p = f.Pixel(x, y);
      ink.Active += p == kGreen;
      ink.Any += p != 0;
    }
  return ink;
}

using LrcTags = test::HostTest;

TEST_F(LrcTags, TheLineLightsAtItsTimeOnlyWithTheSettingOn) {
  // The untimed last line is the widest either way, so the font keeps its size.
  ASSERT_TRUE(test::WriteFile(Dir / "song.lrc",
                              "[ti:Night Bus]\r\n[offset:+500]\r\n[00:02.00]WW\r\n[00:04.00]MM\r\nWWWWWWWWWWWWWWWWWWWWWWWW\r\n"));
  Settings.WriteInteger("BackgroundColor", 0);
  Settings.WriteInteger("ActiveBkGndColor", 0);
  Settings.WriteInteger("ActiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kGreen)));
  Settings.WriteInteger("StillNotActiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kGreen)));
  Settings.WriteInteger("InactiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kBlue)));
  Song("song");
  const auto frame = [&](long long ms) { return Ink(Host.RenderFrame(480, 240, play_state, ms * 10000)); };

  const TInk off = frame(2000);
  EXPECT_EQ(off.Active, 0);
  EXPECT_GT(off.Any, 0);

  Settings.WriteInteger("StandardLrcTags", 1);
  ASSERT_TRUE(SignalPropertyChange());
  EXPECT_EQ(frame(1400).Active, 0);  // the offset brings the line to 1500
  const TInk on = frame(1600);
  EXPECT_GT(on.Active, 0);
  // Without the tags' text and the header lines there is less to draw.
  EXPECT_LT(on.Any, off.Any);
}

}  // namespace
}  // namespace lumeko
