// The karaoke plan against a font of known widths: rows, their start times,
// the screen row each goes to and where it starts, worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/fixed_measurer.h"
#include "render/karaoke_layout.h"

namespace lumeko {
namespace {

const std::string kSq = "\x81\xa1";  // ■, one character height wide

std::string Squares(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += kSq;
  return s;
}

TSetupInfo Timing(int rowCount, int minSize = 6) {
  TSetupInfo s;
  s.Font.FontMinSize = static_cast<std::uint8_t>(minSize);
  s.KaraokeRowCount = rowCount;
  s.ActiveAutoHidePause = 1800;
  s.ActiveShortHidePause = 400;
  s.KaraokeFetchTime = 1300;
  s.KaraokeInterruptLimit = 400;
  return s;
}

struct TRow {
  int slot, x, start;
  bool operator==(const TRow&) const = default;
};
void PrintTo(const TRow& r, std::ostream* o) { *o << "{" << r.slot << "," << r.x << "," << r.start << "}"; }

std::vector<TRow> Rows(const TKaraokeLineData& line) {
  std::vector<TRow> v;
  for (const TKaraokeItemData& item : line.Items) v.push_back({item.Slot, item.X, item.StartTime});
  return v;
}

TEST(KaraokeLayout, RowsAlternatePullLeftBreakWrapAndStartAfreshAfterAPause) {
  // 400 × 250, four rows: characters 48 px (36 pt), rows 50 px high; the
  // widest line is wider than the frame, so the block spans it; indent 18,
  // usable width 364, preferred break 273.
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("[00:01:00]" + Squares(6) + "[00:02:00]\r\n"    // bottom-but-one, at the indent
                               "[00:02:00]" + Squares(1) + "[00:03:00]\r\n"    // bottom, pulled left
                               "[00:03:00]" + Squares(2) + "[00:04:00]\r\n"    // a row higher: two rows follow
                               "[00:04:00]" + Squares(10) + "[00:05:00]\r\n"   // two rows of five
                               "[00:05:00]" + Squares(25) + "[00:06:00]\r\n"   // five rows: wraps to the top
                               "[00:09:00]" + Squares(1) + "[00:10:00]\r\n",   // after a pause: afresh
                               "song.kra"));
  test::FixedMeasurer m;
  TKaraokeState k;
  LayoutKaraoke(k, m, doc, Timing(4), 400, 250);
  EXPECT_EQ(k.KaraokeMetrics.FontSize, 36);
  EXPECT_EQ(k.KaraokeMetrics.LineHeight, 50);
  ASSERT_EQ(k.RowSlots.size(), 4u);
  EXPECT_EQ(k.RowSlots[0].Y, 24);  // from 250 - 18 upwards, 52 a row
  EXPECT_EQ(k.RowSlots[3].Y, 180);
  ASSERT_EQ(k.KaraokeLines.size(), 6u);
  EXPECT_EQ(Rows(k.KaraokeLines[0]), (std::vector<TRow>{{2, 18, 1000}}));
  // Right-aligned it would start at 334; the row above ends 288 px in, so it
  // starts 2 × 36 before that.
  EXPECT_EQ(Rows(k.KaraokeLines[1]), (std::vector<TRow>{{3, 216, 2000}}));
  EXPECT_EQ(Rows(k.KaraokeLines[2]), (std::vector<TRow>{{1, 18, 3000}}));
  // The second row starts half way through the tag's width: half its time.
  EXPECT_EQ(Rows(k.KaraokeLines[3]), (std::vector<TRow>{{2, 18, 4000}, {3, 142, 4500}}));
  EXPECT_EQ(Rows(k.KaraokeLines[4]),
            (std::vector<TRow>{{0, 18, 5000}, {1, 62, 5200}, {2, 62, 5400}, {3, 62, 5600}, {0, 142, 5800}}));
  EXPECT_EQ(Rows(k.KaraokeLines[5]), (std::vector<TRow>{{2, 18, 9000}}));
  EXPECT_EQ(k.KaraokeLines[3].Items[1].LineOffset, 240);
  EXPECT_EQ(k.KaraokeLines[3].EndTime, 5000);
}

TEST(KaraokeLayout, RowsThatCannotFitAndCharactersWiderThanTheFrameStillLayOut) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("[00:01:00]" + Squares(2) + "[00:02:00]\r\n", "song.kra"));
  test::FixedMeasurer m;
  TKaraokeState k;
  // Twenty rows of 9 px need 260 px: the rows follow from the height instead,
  // 18 of 13 px; a count far beyond the frame falls back to the smallest size.
  for (int rowCount : {20, 1000, -5}) {
    LayoutKaraoke(k, m, doc, Timing(rowCount), 400, 250);
    const int pitch = k.KaraokeMetrics.LineHeight + 2;
    EXPECT_GT(k.KaraokeMetrics.LineHeight, 2) << rowCount;
    ASSERT_FALSE(k.RowSlots.empty()) << rowCount;
    EXPECT_GE(k.RowSlots.front().Y, 0) << rowCount;
    for (size_t i = 1; i < k.RowSlots.size(); ++i) EXPECT_EQ(k.RowSlots[i].Y - k.RowSlots[i - 1].Y, pitch) << rowCount;
    if (rowCount == 20) {
      EXPECT_EQ(k.RowSlots.size(), 18u);
    }
  }
  // A frame narrower than one character: each character is a row of its own.
  LayoutKaraoke(k, m, doc, Timing(0, 36), 30, 250);
  ASSERT_EQ(k.KaraokeLines.size(), 1u);
  ASSERT_EQ(k.KaraokeLines[0].ItemCount(), 2);
  EXPECT_EQ(k.KaraokeLines[0].Items[1].Text, kSq);
  FreeKaraokeLayout(k);
  EXPECT_TRUE(k.KaraokeLines.empty() && k.RowSlots.empty() && k.KaraokeQueue.Empty());
}

}  // namespace
}  // namespace lumeko
