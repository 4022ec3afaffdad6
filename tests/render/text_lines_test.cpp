// The list layouts through the real DLL, as the player drives it: the two
// layers of the active line, the band behind it, the inactive lines, the
// wipe edge and the frames that must not repaint.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "effect/registry_ex.h"
#include "effect/registry_override.h"
#include "effect/setup_info.h"
#include "player_host.h"
#include "render/pixels.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using host::Frame;
using host::PlayerHost;

// As pixels (0x00RRGGBB).
constexpr std::uint32_t kActive = 0xFFFFFF, kStill = 0x00FF00, kInactive = 0x0000FF, kBand = 0x800000;

const std::string kSq = "\x81\xa1";  // ■
std::string Squares(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += kSq;
  return s;
}

bool Is(std::uint32_t p, std::uint32_t want) {
  // Antialiased edges blend into the background; the glyph's inside is exact.
  return p == want;
}

test::Box BoxOf(const Frame& f, std::uint32_t colour, int y0, int y1) {
  test::Box b{f.Width, y1 + 1, -1, -1};
  for (int y = y0; y <= y1 && y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x)
      if (Is(f.Pixel(x, y), colour)) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x);
        b.bottom = std::max(b.bottom, y);
      }
  return b.right < 0 ? test::Box{} : b;
}

class TextLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    override_ = std::make_unique<TRegistryOverride>(false, ro_CurrentUser);
    ASSERT_TRUE(override_->Active());
    TRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
    reg.WriteString("FontName", test::kTestFont);
    reg.WriteInteger("ActiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kActive)));
    reg.WriteInteger("StillNotActiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kStill)));
    reg.WriteInteger("InactiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kInactive)));
    reg.WriteInteger("ActiveBkGndColor", static_cast<std::int32_t>(host::PixelToColorRef(kBand)));
    reg.WriteInteger("BackgroundColor", 0);
    // Word-timed: the first line is sung in two tags of two squares each;
    // the last line is the widest and decides the font size.
    ASSERT_TRUE(test::WriteFile(dir_ / "song.kra",
                                "[00:01:00]" + Squares(2) + "[00:02:00]" + Squares(2) + "[00:03:00]\r\n" +
                                    "[00:03:00]" + Squares(4) + "\r\n" + "[00:05:00]" + Squares(4) + "\r\n" +
                                    "[00:07:00]" + Squares(16) + "\r\n"));
  }
  void TearDown() override { override_.reset(); }

  static void Set(const char* name, std::int32_t value) {
    TRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
    reg.WriteInteger(name, value);
  }

  void Start(int preset) {
    ASSERT_EQ(host_.Load(PlayerHost::DefaultEffectPath()), S_OK);
    host_.SetPreset(preset);
    host_.NotifyNewMedia(ToWideForTest(dir_ / "song.mp3"), L"song");
  }
  static std::wstring ToWideForTest(const std::string& s) { return std::wstring(s.begin(), s.end()); }
  Frame At(int ms, LONG state = play_state) { return host_.RenderFrame(kW, kH, state, ms * 10000LL); }

  static constexpr int kW = 360, kH = 240;
  test::ScratchDir dir_{"render-lines"};
  std::unique_ptr<TRegistryOverride> override_;
  PlayerHost host_;
};

TEST_F(TextLinesTest, ActiveLineInTwoLayersOverItsBandAndInactiveLinesBelow) {
  Start(0);
  const Frame f = At(1500);  // half way through the first tag
  ASSERT_EQ(f.Result, S_OK);
  const test::Box sung = BoxOf(f, kActive, 0, kH - 1);
  const test::Box still = BoxOf(f, kStill, 0, kH - 1);
  ASSERT_FALSE(sung.Empty());
  ASSERT_FALSE(still.Empty());
  EXPECT_LT(sung.right, still.right) << "the unsung part keeps the base colour";
  EXPECT_LE(sung.bottom, still.bottom + 1);
  // The band of ActiveBkGndColor spans the row from the left edge.
  EXPECT_EQ(f.Pixel(0, (still.top + still.bottom) / 2), kBand);
  EXPECT_EQ(f.Pixel(kW - 1, (still.top + still.bottom) / 2), kBand);
  // The other lines are below, in InactiveColor, on BackgroundColor.
  const test::Box inactive = BoxOf(f, kInactive, 0, kH - 1);
  ASSERT_FALSE(inactive.Empty());
  EXPECT_GT(inactive.top, still.bottom);
  EXPECT_EQ(f.Pixel(0, inactive.top), 0u);
  // Centred: the active line's squares sit around the middle.
  EXPECT_NEAR((sung.left + still.right) / 2.0, kW / 2.0, 4);

  // The wipe grows through the line: at 2.5 s three of its four squares.
  const Frame g = At(2500);
  const test::Box sung2 = BoxOf(g, kActive, 0, kH - 1);
  const double square = (still.right - sung.left + 1) / 4.0;
  // At 1.5 s one square of four is sung, at 2.5 s three: the sung part's
  // right edge moves by two squares' advance.
  EXPECT_LT(sung.right - sung.left + 1, square + 2);
  EXPECT_NEAR(sung2.right - sung.right, 2 * square, 3);
}

TEST_F(TextLinesTest, SamePositionRepaintsNothingAndStoppedHasNoActiveLine) {
  Start(1);
  const Frame a = At(1500);
  host_.ClearTarget(0x123456);
  const Frame b = At(1500);
  EXPECT_EQ(a.Pixels, b.Pixels) << "the frame bitmap is copied again unchanged";

  const Frame stopped = At(0, stop_state);
  EXPECT_TRUE(BoxOf(stopped, kActive, 0, kH - 1).Empty());
  EXPECT_TRUE(BoxOf(stopped, kStill, 0, kH - 1).Empty());
  const test::Box inactive = BoxOf(stopped, kInactive, 0, kH - 1);
  ASSERT_FALSE(inactive.Empty());
  // Left-aligned: the lines start half a font size in from the left edge.
  EXPECT_GT(inactive.left, 2);
  EXPECT_LT(inactive.left, kW / 6);
  EXPECT_LT(inactive.top, kH / 8) << "with no active line the list starts at the top";
}

TEST_F(TextLinesTest, StoppingWhereItPlayedTakesTheActiveLineAway) {
  Start(0);
  ASSERT_FALSE(BoxOf(At(1500), kActive, 0, kH - 1).Empty());
  // The player stops without moving the position: nothing is sung any more,
  // on this frame and the ones after it.
  for (int i = 0; i < 2; ++i) {
    const Frame stopped = At(1500, stop_state);
    EXPECT_TRUE(BoxOf(stopped, kActive, 0, kH - 1).Empty()) << i;
    EXPECT_TRUE(BoxOf(stopped, kStill, 0, kH - 1).Empty()) << i;
    EXPECT_FALSE(BoxOf(stopped, kInactive, 0, kH - 1).Empty()) << i;
  }
  // Playing again from there brings it back.
  EXPECT_FALSE(BoxOf(At(1500), kActive, 0, kH - 1).Empty());
}

TEST_F(TextLinesTest, FrameEffectOnTheTopLayerOnlyAndNoBandInTheBackgroundColour) {
  Set("FontEffect", 1);
  Set("ActiveBkGndColor", 0);  // the same as BackgroundColor
  Start(0);
  const Frame f = At(1500);
  const test::Box sung = BoxOf(f, kActive, 0, kH - 1);
  const test::Box red = BoxOf(f, 0xFF0000, 0, kH - 1);  // ActiveEffectColor, red
  ASSERT_FALSE(sung.Empty());
  ASSERT_FALSE(red.Empty());
  EXPECT_NEAR(red.left, sung.left, 2) << "the frame hugs the sung glyphs";
  EXPECT_LE(red.right, sung.right + 3) << "and is clipped with them";
  EXPECT_LE(red.bottom, sung.bottom + 1) << "inactive lines carry no effect";
  const test::Box still = BoxOf(f, kStill, 0, kH - 1);
  EXPECT_EQ(f.Pixel(0, (still.top + still.bottom) / 2), 0u) << "no band";
}

TEST_F(TextLinesTest, HideNotHaveTagCountsTimedLinesOnly) {
  // An untimed title line above the song.
  ASSERT_TRUE(test::WriteFile(dir_ / "song.kra", "Title\r\n[00:01:00]" + Squares(4) + "\r\n[00:03:00]" + Squares(4) +
                                                    "\r\n[00:05:00]" + Squares(16) + "\r\n"));
  Start(0);
  // Line timing: the whole active line is in ActiveColor.
  const test::Box shown = BoxOf(At(1500), kActive, 0, kH - 1);
  host_.Unload();
  Set("HideNotHaveTag", 1);
  Start(0);
  const test::Box hidden = BoxOf(At(1500), kActive, 0, kH - 1);
  ASSERT_FALSE(shown.Empty());
  ASSERT_FALSE(hidden.Empty());
  EXPECT_LT(hidden.top, shown.top) << "without the title line the active line is the first row";
}

}  // namespace
}  // namespace lumeko
