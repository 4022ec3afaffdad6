// The karaoke layout frame by frame, read from the pixels and the screen
// rows: rows alternating between the two bottom rows, a long pause clearing
// the screen, jumps forward and backward, a stopped player, the wipe growing;
// and the layout through the real DLL.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "player_host.h"
#include "render/karaoke_layout.h"
#include "render/painter.h"
#include "render/pixels.h"
#include "settings/registry_ex.h"
#include "settings/registry_override.h"
#include "settings/setting_table.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

constexpr std::uint32_t kSung = 0xFFFFFF, kUnsung = 0x0000FF;  // as pixels
const std::string kSq = "\x81\xa1";                             // ■

std::string Squares(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += kSq;
  return s;
}

// Two bottom rows on this frame; a pause of six seconds after the third line.
std::string Song() {
  return "[00:01:00]" + Squares(2) + "[00:01:50]" + Squares(2) + "[00:02:00]\r\n" +  //
         "[00:02:00]" + Squares(2) + "[00:03:00]\r\n" +                                 //
         "[00:03:00]" + Squares(3) + "[00:04:00]\r\n" +                                 //
         "[00:10:00]" + Squares(2) + "[00:11:00]\r\n" +                                 //
         "[00:11:00]" + Squares(1) + "[00:12:00]\r\n";
}

class KaraokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup_ = DefaultSetupInfo();
    setup_.Font.FontName = test::kTestFont;
    setup_.KaraokeRowCount = 0;
    setup_.Color.ActiveColor = host::PixelToColorRef(kSung);
    setup_.Color.InactiveColor = host::PixelToColorRef(kUnsung);
    setup_.Color.BackgroundColor = 0;
    ASSERT_TRUE(doc_.LoadFromText(Song(), "song.kra"));
  }
  const test::TestFrame& At(int ms, LONG state = play_state) { return Paint(frame_, dd_, k_, first_, ms, state); }
  const test::TestFrame& Paint(test::TestFrame& frame, TDrawData& dd, TKaraokeState& k, bool& first, int ms,
                               LONG state) {
    frame.Canvas().SetFontName(setup_.Font.FontName);
    TPaintTarget target{frame.Canvas(), kW, kH, setup_, doc_, bg_, dd, &k};
    const TFrameState f{state, ms * 10000LL, first, false, frame.Area()};
    first = false;
    EXPECT_EQ(Presets()[3].Paint(target, f), S_OK);
    return frame;
  }
  // The line shown in each screen row, -1 for none.
  std::vector<int> Shown() const {
    std::vector<int> v;
    for (const TKaraokeRowSlot& s : k_.RowSlots) v.push_back(s.State == krs_Free ? -1 : s.Item->Line->TimedIndex);
    return v;
  }
  int CountIn(const test::TestFrame& f, std::uint32_t pixel, int slot) const {
    const TKaraokeRowSlot& s = k_.RowSlots[slot];
    const test::Box b = test::FindBox(f, [&](std::uint32_t p) { return p == pixel; }, 0, s.Y, kW - 1,
                                      std::min(kH - 1, s.Y + k_.KaraokeMetrics.LineHeight));
    return b.Empty() ? 0 : b.Width() * b.Height();
  }

  static constexpr int kW = 360, kH = 240;
  TSetupInfo setup_;
  TLyricsControl doc_;
  TBackground bg_;
  TDrawData dd_;
  TKaraokeState k_;
  test::TestFrame frame_{kW, kH};
  bool first_ = true;
};

TEST_F(KaraokeTest, RowsAlternateAtTheBottomAndALongPauseClearsTheScreenAndStartsAfresh) {
  std::vector<std::pair<int, int>> placed;  // (line, screen row) as each line first shows
  bool clearedInPause = false;
  for (int ms = 0; ms <= 12500; ms += 100) {
    const test::TestFrame& f = At(ms);
    const std::vector<int> shown = Shown();
    for (size_t slot = 0; slot < shown.size(); ++slot)
      if (shown[slot] >= 0 && std::none_of(placed.begin(), placed.end(), [&](auto p) { return p.first == shown[slot]; }))
        placed.emplace_back(shown[slot], static_cast<int>(slot));
    if (ms == 5700) {
      EXPECT_GT(test::Count(f, [](std::uint32_t p) { return p == kSung; }), 100) << "still shown";
    }
    if (ms == 5900) clearedInPause = test::Count(f, [](std::uint32_t p) { return p == 0; }) == kW * kH;
  }
  ASSERT_EQ(k_.RowSlots.size(), 2u);
  EXPECT_GT(k_.RowSlots[1].Y, k_.RowSlots[0].Y);
  EXPECT_LE(k_.RowSlots[1].Y + k_.KaraokeMetrics.LineHeight, kH);
  // Without the pause the fourth line would take the bottom row.
  EXPECT_EQ(placed, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 0}, {3, 0}, {4, 1}}));
  EXPECT_TRUE(clearedInPause) << "sung rows go the auto-hide pause after their line";
}

TEST_F(KaraokeTest, JumpsDropSkippedRowsUnseenAndCatchUpBackwardsInOneFrame) {
  At(500);  // the first line shows, the next two are not due yet
  for (int ms : {10500, 10550, 10600, 10650}) {
    At(ms);
    for (int line : Shown()) EXPECT_TRUE(line < 1 || line > 2) << "line " << line << " at " << ms;
  }
  // Back to 2.5 s: the same frame as a player that starts there.
  const test::TestFrame& back = At(2500);
  test::TestFrame fresh(kW, kH);
  TDrawData dd;
  TKaraokeState k;
  bool first = true;
  Paint(fresh, dd, k, first, 2500, play_state);
  int differ = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) differ += back.Pixel(x, y) != fresh.Pixel(x, y);
  EXPECT_EQ(differ, 0);
  EXPECT_GT(CountIn(back, kUnsung, 1), 0) << "the line being sung shows its unsung part";
}

TEST_F(KaraokeTest, AStoppedPlayerShowsTheBackgroundAloneAndTheRowsComeBackOnPlay) {
  EXPECT_EQ(test::Count(At(2500, stop_state), [](std::uint32_t p) { return p == 0; }), kW * kH);
  EXPECT_GT(test::Count(At(2500), [](std::uint32_t p) { return p == kSung; }), 100);
  EXPECT_EQ(test::Count(At(2500, stop_state), [](std::uint32_t p) { return p == 0; }), kW * kH);
  EXPECT_GT(test::Count(At(0, stop_state), [](std::uint32_t p) { return p == 0; }), kW * kH - 1);
  EXPECT_GT(test::Count(At(2600), [](std::uint32_t p) { return p == kSung; }), 100);
}

TEST_F(KaraokeTest, TheSungPartOfARowOnlyGrowsAndStaysWithinItsWidth) {
  At(500);
  int lastWidth = -1, lastCount = 0;
  for (int ms = 1000; ms <= 2100; ms += 40) {
    const test::TestFrame& f = At(ms);
    const TKaraokeRowSlot& slot = k_.RowSlots[0];
    ASSERT_NE(slot.Item, nullptr);
    ASSERT_EQ(slot.Item->Line->TimedIndex, 0);
    const int count = test::Count(f, [](std::uint32_t p) { return p == kSung; });
    EXPECT_GE(slot.SungWidth, lastWidth) << ms;
    EXPECT_GE(count, lastCount) << ms;
    const test::Box sung = test::FindBox(f, [](std::uint32_t p) { return p == kSung; });
    if (!sung.Empty()) {
      EXPECT_LE(sung.right, slot.Item->X + slot.SungWidth) << ms;
    }
    lastWidth = slot.SungWidth;
    lastCount = count;
  }
  EXPECT_EQ(k_.RowSlots[0].State, krs_Sung);
  EXPECT_EQ(CountIn(frame_, kUnsung, 0), 0);
}

TEST_F(KaraokeTest, NegativeTimingsCountAsNone) {
  setup_.KaraokeFetchTime = setup_.KaraokeInterruptLimit = -100000;
  setup_.ActiveAutoHidePause = setup_.ActiveShortHidePause = -100000;
  EXPECT_GT(CountIn(At(1000), kUnsung, 0), 0) << "fetched when it starts, not never";
  EXPECT_EQ(Shown(), (std::vector<int>{0, -1}));
  At(2100);  // drawn sung
  At(2150);
  EXPECT_EQ(Shown(), (std::vector<int>{-1, 1})) << "gone as soon as it is over";
}

// Through the real DLL: the row shows unsung, then wiped further a frame
// later; the player's media announcement drops the layout, and the next frame
// shows what a player starting there would.
TEST(KaraokeThroughTheEffect, ShowsAndWipesTheRowsAndStartsAgainAfterAMediaAnnouncement) {
  TRegistryOverride scratch(false, ro_CurrentUser);
  ASSERT_TRUE(scratch.Active());
  {
    TRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(kSettingsKey, true));
    reg.WriteString("FontName", test::kTestFont);
    reg.WriteInteger("ActiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kSung)));
    reg.WriteInteger("InactiveColor", static_cast<std::int32_t>(host::PixelToColorRef(kUnsung)));
  }
  test::ScratchDir dir("render-karaoke");
  ASSERT_TRUE(test::WriteFile(dir / "song.kra", Song()));
  const std::string media = dir / "song.mp3";
  auto start = [&](host::PlayerHost& host) {
    ASSERT_EQ(host.Load(host::PlayerHost::DefaultEffectPath()), S_OK);
    host.SetPreset(3);
    host.NotifyNewMedia(std::wstring(media.begin(), media.end()), L"song");
  };
  host::PlayerHost host;
  start(host);
  auto count = [](const host::Frame& f, std::uint32_t pixel) {
    return std::count_if(f.Pixels.begin(), f.Pixels.end(), [&](std::uint32_t p) { return (p & 0xFFFFFF) == pixel; });
  };
  const host::Frame a = host.RenderFrame(360, 240, play_state, 12'000'000);
  ASSERT_EQ(a.Result, S_OK);
  const host::Frame b = host.RenderFrame(360, 240, play_state, 18'000'000);
  EXPECT_GT(count(a, kUnsung), 100);
  EXPECT_GT(count(a, kSung), 10);
  EXPECT_GT(count(b, kSung), count(a, kSung) + 100);
  EXPECT_LT(count(b, kUnsung), count(a, kUnsung));

  ASSERT_EQ(host.MediaInfo(L"song"), S_OK);  // the same item: nothing is loaded again
  const host::Frame c = host.RenderFrame(360, 240, play_state, 25'000'000);
  host::PlayerHost fresh;
  start(fresh);
  EXPECT_EQ(c.Pixels, fresh.RenderFrame(360, 240, play_state, 25'000'000).Pixels);
}

}  // namespace
}  // namespace lumeko
