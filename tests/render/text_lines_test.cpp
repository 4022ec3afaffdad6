// The list layouts through their painters: the two layers of the active
// line, the band behind it, the inactive lines, the wipe edge and the frames
// that must not repaint; one end-to-end case through the real DLL.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "player_host.h"
#include "render/painter.h"
#include "render/pixels.h"
#include "settings/registry_ex.h"
#include "settings/registry_override.h"
#include "settings/setting_table.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using host::Frame;
using host::PlayerHost;

// As pixels (0x00RRGGBB).
constexpr std::uint32_t kActive = 0xFFFFFF, kStill = 0x00FF00, kInactive = 0x0000FF, kBand = 0x800000;

const std::string kSq = "\x81\xa1";  // ■
const RECT kWhole{0, 0, 360, 240};

std::string Squares(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += kSq;
  return s;
}

bool Is(std::uint32_t p, std::uint32_t want) {
  // Antialiased edges blend into the background; the glyph's inside is exact.
  return p == want;
}

int WidthOf(const Frame& f) { return f.Width; }
int WidthOf(const test::TestFrame& f) { return f.Width(); }
int HeightOf(const Frame& f) { return f.Height; }
int HeightOf(const test::TestFrame& f) { return f.Height(); }

template <typename F>
test::Box BoxOf(const F& f, std::uint32_t colour, int y0, int y1) {
  test::Box b{WidthOf(f), y1 + 1, -1, -1};
  for (int y = y0; y <= y1 && y < HeightOf(f); ++y)
    for (int x = 0; x < WidthOf(f); ++x)
      if (Is(f.Pixel(x, y), colour)) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x);
        b.bottom = std::max(b.bottom, y);
      }
  return b.right < 0 ? test::Box{} : b;
}

// The song: the first line is sung in two tags of two squares each; the
// last line is the widest and decides the font size.
std::string Song() {
  return "[00:01:00]" + Squares(2) + "[00:02:00]" + Squares(2) + "[00:03:00]\r\n" + "[00:03:00]" + Squares(4) +
         "\r\n" + "[00:05:00]" + Squares(4) + "\r\n" + "[00:07:00]" + Squares(16) + "\r\n";
}

class TextLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup_ = DefaultSetupInfo();
    setup_.Font.FontName = test::kTestFont;
    setup_.Color.ActiveColor = host::PixelToColorRef(kActive);
    setup_.Color.StillNotActiveColor = host::PixelToColorRef(kStill);
    setup_.Color.InactiveColor = host::PixelToColorRef(kInactive);
    setup_.Color.ActiveBkGndColor = host::PixelToColorRef(kBand);
    setup_.Color.BackgroundColor = 0;
    ASSERT_TRUE(doc_.LoadFromText(Song(), "song.kra"));
  }
  // One frame of the preset's painter at ms; the first frame is a changed one.
  const test::TestFrame& At(int ms, LONG state = play_state, int preset = 0) {
    frame_.Canvas().SetFontName(setup_.Font.FontName);
    TPaintTarget target{frame_.Canvas(), kW, kH, setup_, doc_, bg_, dd_};
    const TFrameState f{state, ms * 10000LL, first_, false, frame_.Area()};
    first_ = false;
    EXPECT_EQ(Presets()[preset].Paint(target, f), S_OK);
    return frame_;
  }

  static constexpr int kW = 360, kH = 240;
  TSetupInfo setup_;
  TLyricsControl doc_;
  TBackground bg_;
  TDrawData dd_;
  test::TestFrame frame_{kW, kH};
  bool first_ = true;
};

TEST_F(TextLinesTest, ActiveLineInTwoLayersOverItsBandAndInactiveLinesBelow) {
  const test::TestFrame& f = At(1500);  // half way through the first tag
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
  const test::TestFrame& g = At(2500);
  const double square = (still.right - sung.left + 1) / 4.0;
  const int sungRight = sung.right, sungWidth = sung.right - sung.left + 1;
  const test::Box sung2 = BoxOf(g, kActive, 0, kH - 1);
  // At 1.5 s one square of four is sung, at 2.5 s three: the sung part's
  // right edge moves by two squares' advance.
  EXPECT_LT(sungWidth, square + 2);
  EXPECT_NEAR(sung2.right - sungRight, 2 * square, 3);
}

TEST_F(TextLinesTest, SamePositionRepaintsNothingAndStoppedHasNoActiveLine) {
  At(1500, play_state, 1);
  ::FillRect(frame_.Handle(), &kWhole, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  const test::Box none = BoxOf(At(1500, play_state, 1), kActive, 0, kH - 1);
  EXPECT_TRUE(none.Empty()) << "nothing was painted over the grey";

  const test::TestFrame& stopped = At(0, stop_state, 1);
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
  ASSERT_FALSE(BoxOf(At(1500), kActive, 0, kH - 1).Empty());
  // The player stops without moving the position: nothing is sung any more,
  // on this frame and the ones after it.
  for (int i = 0; i < 2; ++i) {
    const test::TestFrame& stopped = At(1500, stop_state);
    EXPECT_TRUE(BoxOf(stopped, kActive, 0, kH - 1).Empty()) << i;
    EXPECT_TRUE(BoxOf(stopped, kStill, 0, kH - 1).Empty()) << i;
    EXPECT_FALSE(BoxOf(stopped, kInactive, 0, kH - 1).Empty()) << i;
  }
  // Playing again from there brings it back.
  EXPECT_FALSE(BoxOf(At(1500), kActive, 0, kH - 1).Empty());
}

TEST_F(TextLinesTest, FrameEffectOnTheTopLayerOnlyAndNoBandInTheBackgroundColour) {
  setup_.Font.FontEffect = 1;
  setup_.Color.ActiveBkGndColor = 0;  // the same as BackgroundColor
  const test::TestFrame& f = At(1500);
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
  ASSERT_TRUE(doc_.LoadFromText("Title\r\n[00:01:00]" + Squares(4) + "\r\n[00:03:00]" + Squares(4) +
                                    "\r\n[00:05:00]" + Squares(16) + "\r\n",
                                "song.kra"));
  // Line timing: the whole active line is in ActiveColor.
  const test::Box shown = BoxOf(At(1500), kActive, 0, kH - 1);
  setup_.DisplayFlags |= df_HideNotHaveTag;
  first_ = true;
  const test::Box hidden = BoxOf(At(1500), kActive, 0, kH - 1);
  ASSERT_FALSE(shown.Empty());
  ASSERT_FALSE(hidden.Empty());
  EXPECT_LT(hidden.top, shown.top) << "without the title line the active line is the first row";
}

// The same layout through the real DLL, as the player drives it: the frame
// bitmap is copied again unchanged when nothing moved.
TEST(TextLinesThroughTheEffect, DrawsTheSongAndCopiesAnUnchangedFrameAgain) {
  TRegistryOverride scratch(false, ro_CurrentUser);
  ASSERT_TRUE(scratch.Active());
  {
    TRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
    reg.WriteString("FontName", test::kTestFont);
    reg.WriteInteger("ActiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kActive)));
  }
  test::ScratchDir dir("render-lines");
  ASSERT_TRUE(test::WriteFile(dir / "song.kra", Song()));
  PlayerHost host;
  ASSERT_EQ(host.Load(PlayerHost::DefaultEffectPath()), S_OK);
  host.SetPreset(0);
  const std::string media = dir / "song.mp3";
  host.NotifyNewMedia(std::wstring(media.begin(), media.end()), L"song");
  const Frame a = host.RenderFrame(360, 240, play_state, 15'000'000);
  ASSERT_EQ(a.Result, S_OK);
  EXPECT_FALSE(BoxOf(a, kActive, 0, 239).Empty());
  host.ClearTarget(0x123456);
  const Frame b = host.RenderFrame(360, 240, play_state, 15'000'000);
  EXPECT_EQ(a.Pixels, b.Pixels);
}

}  // namespace
}  // namespace lumeko
