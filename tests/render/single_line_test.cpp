// The single-line layout read back from the pixels: the fade of a line that
// is left, step by step over frames, never over a picture, only before an
// empty line with FadeNextSpaceOnly; the wrapped rows centred; and the fade
// through the real DLL, timed by the frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "player_host.h"
#include "render/fade_clock.h"
#include "render/painter.h"
#include "render/pixels.h"
#include "settings/registry_ex.h"
#include "settings/registry_override.h"
#include "settings/setting_table.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

const std::string kSq = "\x81\xa1";  // ■

std::string Squares(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += kSq;
  return s;
}

// White faded toward black by weight, as the frame stores it.
std::uint32_t Faded(int weight) {
  const std::uint32_t c = (255u * static_cast<std::uint32_t>(255 - weight)) >> 8;
  return c << 16 | c << 8 | c;
}

int CountOf(const test::TestFrame& f, std::uint32_t pixel) {
  return test::Count(f, [&](std::uint32_t p) { return p == pixel; });
}

class TSteppedClock final : public TFadeClock {
 public:
  std::int64_t Now(std::int64_t) override { return now; }
  std::int64_t TicksPerMs() const override { return 1; }
  std::int64_t now = 1000;
};

class SingleLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup_ = DefaultSetupInfo();
    setup_.Font.FontName = test::kTestFont;
    setup_.Color.ActiveColor = 0xFFFFFF;
    setup_.Color.BackgroundColor = 0;
    setup_.DisplayFlags = df_UseFadeEffect;
    // A line, an empty timed line that ends it, then a line much later.
    Load("[00:01:00]" + Squares(3) + "[00:02:00]\r\n[00:02:00]\r\n[00:09:00]" + Squares(1) + "[00:10:00]\r\n");
  }
  void Load(const std::string& text) {
    ASSERT_TRUE(doc_.LoadFromText(text, "song.kra"));
    first_ = true;
  }
  const test::TestFrame& At(int ms, LONG state = play_state) {
    frame_.Canvas().SetFontName(setup_.Font.FontName);
    TPaintTarget target{frame_.Canvas(), kW, kH, setup_, doc_, bg_, dd_, nullptr, &clock_};
    const TFrameState f{state, ms * 10000LL, first_, false, frame_.Area()};
    first_ = false;
    EXPECT_EQ(Presets()[2].Paint(target, f), S_OK);
    return frame_;
  }

  static constexpr int kW = 360, kH = 240;
  TSetupInfo setup_;
  TLyricsControl doc_;
  TBackground bg_;
  TDrawData dd_;
  TSteppedClock clock_;
  test::TestFrame frame_{kW, kH};
  bool first_ = true;
};

TEST_F(SingleLineTest, ALineLeftFadesTenStepsAtMostThreeAFrame) {
  struct Case {
    int interval, tick;             // FadeoutInterval and clock ms between frames
    std::vector<int> weights;       // the line's blend weight frame by frame, then gone
  } cases[] = {
      {60, 60, {0, 25, 50, 75, 100, 125, 150, 175, 200, 225}},
      {60, 240, {0, 25, 100, 175}},  // a slow frame rate: three steps a frame
      {0, 1, {0, 25, 50}},           // no interval: a step a millisecond
  };
  for (const Case& c : cases) {
    setup_.FadeoutInterval = c.interval;
    first_ = true;
    ASSERT_GT(CountOf(At(1500), 0xFFFFFF), 100);
    for (size_t i = 0; i <= c.weights.size(); ++i) {
      const test::TestFrame& f = At(2000 + static_cast<int>(i) * 10);
      EXPECT_EQ(CountOf(f, 0xFFFFFF), 0) << "the empty line shows nothing";
      if (i < c.weights.size()) {
        EXPECT_GT(CountOf(f, Faded(c.weights[i])), 100) << c.interval << "/" << c.tick << " frame " << i;
      } else if (c.interval > 0) {
        EXPECT_EQ(CountOf(f, 0), kW * kH) << "gone after ten steps";
      }
      clock_.now += c.tick;
    }
  }
}

TEST_F(SingleLineTest, NothingFadesOverAPictureAndTheBackgroundShowsBeforeTheFirstLine) {
  // A plain green picture stretched over the frame.
  auto pic = std::make_unique<TBkGndPicture>();
  ASSERT_TRUE(OpenPicture(test::MakeBmp(4, 4, 0x00C000, 0x00C000), *pic));
  bg_.BkGndPicture = std::move(pic);
  setup_.BkGnd.BkGndImageDrawMode = 1;
  setup_.BkGnd.BkGndFlags = 0;
  PrepareBackground(bg_, 0, BkGndOptionsOf(setup_), kW, kH);
  EXPECT_EQ(CountOf(At(500), 0x00C000), kW * kH) << "no line yet: the picture alone";
  EXPECT_GT(CountOf(At(1500), 0xFFFFFF), 100);
  for (int ms : {2000, 2060, 2120}) {
    clock_.now += 60;
    EXPECT_EQ(CountOf(At(ms), 0x00C000), kW * kH) << ms;
  }
}

TEST_F(SingleLineTest, FadeNextSpaceOnlyFadesBeforeAnEmptyLineAndAStoppedPlayerShowsNothing) {
  setup_.DisplayFlags |= df_FadeNextSpaceOnly;
  Load("[00:01:00]" + Squares(3) + "[00:02:00]\r\n[00:02:00]" + Squares(2) + "[00:03:00]\r\n[00:03:00]\r\n");
  At(1500);
  const test::TestFrame& replaced = At(2500);
  EXPECT_EQ(CountOf(replaced, Faded(0)), 0) << "a line followed by a line goes at once";
  EXPECT_GT(CountOf(replaced, 0xFFFFFF), 100);
  EXPECT_GT(CountOf(At(3000), Faded(0)), 100) << "a line followed by an empty line fades";

  setup_.DisplayFlags = 0;  // no fades: a line that is left vanishes
  first_ = true;
  ASSERT_GT(CountOf(At(2500), 0xFFFFFF), 100);
  EXPECT_EQ(CountOf(At(2500, stop_state), 0), kW * kH);
}

TEST_F(SingleLineTest, ALongLineWrapsIntoRowsCentredBothWays) {
  setup_.Font.FontMinSize = 20;  // 40 squares do not fit one row at 20 pt
  Load("[00:01:00]" + Squares(40) + "[00:02:00]\r\n");
  const test::Box box = test::FindBox(At(1500), test::IsWhite);
  ASSERT_FALSE(box.Empty());
  EXPECT_NEAR(box.top, kH - 1 - box.bottom, 3);
  EXPECT_NEAR(box.left, kW - 1 - box.right, 3);
  EXPECT_GT(box.Height(), kH / 3) << "several rows";
  EXPECT_LT(box.Width(), kW);
}

// Through the real DLL: frames 60 ms apart step the fade once each, as a
// viewer at that frame rate would see it.
TEST(SingleLineThroughTheEffect, TheFadeFollowsTheFramesTimes) {
  TRegistryOverride scratch(false, ro_CurrentUser);
  ASSERT_TRUE(scratch.Active());
  {
    TRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
    reg.WriteString("FontName", test::kTestFont);
    reg.WriteInteger("ActiveColor", 0xFFFFFF);
    reg.WriteInteger("BackgroundColor", 0);
  }
  test::ScratchDir dir("render-single");
  ASSERT_TRUE(test::WriteFile(dir / "song.kra", "[00:01:00]" + Squares(3) + "[00:02:00]\r\n[00:02:00]\r\n"));
  host::PlayerHost host;
  ASSERT_EQ(host.Load(host::PlayerHost::DefaultEffectPath()), S_OK);
  ASSERT_EQ(host.UseFrameTimesForFades(), S_OK);
  host.SetPreset(2);
  const std::string media = dir / "song.mp3";
  host.NotifyNewMedia(std::wstring(media.begin(), media.end()), L"song");
  auto count = [](const host::Frame& f, std::uint32_t pixel) {
    return static_cast<int>(
        std::count_if(f.Pixels.begin(), f.Pixels.end(), [&](std::uint32_t p) { return (p & 0xFFFFFF) == pixel; }));
  };
  ASSERT_GT(count(host.RenderFrame(360, 240, play_state, 15'000'000), 0xFFFFFF), 100);
  for (int step = 0; step < 3; ++step) {
    const host::Frame f = host.RenderFrame(360, 240, play_state, (2000 + step * 60) * 10000LL);
    EXPECT_GT(count(f, Faded(25 * step)), 100) << step;
  }
}

}  // namespace
}  // namespace lumeko
