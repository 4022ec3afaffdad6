// Lookups by playback position: the current entry and tag, a row's state,
// the tag governing a text position.
#include <gtest/gtest.h>

#include "lyrics/lyrics_control.h"

namespace lumeko {
namespace {

TLyricsPosition Untouched() {
  TLyricsPosition p;
  p.LineIndex = p.TimelineIndex = p.SegmentStart = p.SegmentEnd = p.TagStart = p.TagEnd = p.TagDuration =
      p.Progress = -7;
  return p;
}

TEST(FindByTime, AnswersNothingBeforeTheFirstEntry) {
  TLyricsControl doc;
  TLyricsPosition pos = Untouched();
  EXPECT_FALSE(doc.FindByTime(0, pos));
  ASSERT_TRUE(doc.LoadFromText("intro\n[00:10:00]one\n[00:20:00]two\n", "x"));
  EXPECT_FALSE(doc.FindByTime(9999, pos));
  EXPECT_EQ(pos.Progress, -7);
  EXPECT_EQ(pos.LineIndex, -7);
  ASSERT_TRUE(doc.FindByTime(10000, pos));
  EXPECT_EQ(pos.LineIndex, 1);
  EXPECT_EQ(pos.TimelineIndex, 0);
  EXPECT_EQ(pos.Progress, 0);
}

TEST(FindByTime, FollowsLineTimingThroughEachEntry) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("[00:10:00]first\n[00:20:00]second\n", "x"));
  TLyricsPosition pos;
  ASSERT_TRUE(doc.FindByTime(15000, pos));
  EXPECT_EQ(pos.TimelineIndex, 0);
  EXPECT_EQ(pos.SegmentStart, 0);
  EXPECT_EQ(pos.SegmentEnd, 5);
  EXPECT_EQ(pos.TagStart, 10000);
  EXPECT_EQ(pos.TagEnd, 20000);
  EXPECT_EQ(pos.TagDuration, 10000);
  EXPECT_EQ(pos.Progress, 5000);
  // After the last tag of the song the whole last line counts as sung.
  ASSERT_TRUE(doc.FindByTime(99999999, pos));
  EXPECT_EQ(pos.TimelineIndex, 1);
  EXPECT_EQ(pos.SegmentStart, 6);
  EXPECT_EQ(pos.SegmentEnd, 6);
  EXPECT_EQ(pos.Progress, 10000);
}

TEST(FindByTime, FollowsWordTimingAndTheOffset) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("@OFFSET=1000\n[00:10:00]Hel[00:10:50]lo[00:11:00]\n", "x"));
  TLyricsPosition pos;
  EXPECT_FALSE(doc.FindByTime(10999, pos));
  ASSERT_TRUE(doc.FindByTime(11250, pos));  // tag time 10250
  EXPECT_EQ(pos.SegmentStart, 0);
  EXPECT_EQ(pos.SegmentEnd, 3);
  EXPECT_EQ(pos.Progress, 5000);
  ASSERT_TRUE(doc.FindByTime(11600, pos));
  EXPECT_EQ(pos.SegmentStart, 3);
  EXPECT_EQ(pos.SegmentEnd, 5);
  EXPECT_EQ(pos.TagStart, 10500);
  // A tag of duration 0 that is not the last one is wholly sung.
  ASSERT_TRUE(doc.LoadFromText("[00:01:00]a[00:01:00]b[00:01:00]c[00:02:00]\n", "x"));
  ASSERT_TRUE(doc.FindByTime(1000, pos));
  EXPECT_EQ(pos.TagDuration, 0);
  EXPECT_EQ(pos.Progress, 10000);
  // Positions near the ends of the 32-bit range do not overflow.
  ASSERT_TRUE(doc.LoadFromText("@OFFSET=-2147483648\n[00:00:00]a\n", "x"));
  EXPECT_FALSE(doc.FindByTime(-2147483647 - 1, pos) && pos.TimelineIndex != 0);
  ASSERT_TRUE(doc.FindByTime(2147483647, pos));
}

TEST(FindByTime, ComputesProgressOfLongTagsWithoutOverflow) {
  TLyricsControl doc;
  // 216 seconds and then a whole 99 minutes: t * 10000 leaves 32 bits.
  ASSERT_TRUE(doc.LoadFromText("[00:00:00]a\n[03:36:00]b\n[99:00:00]c\n", "x"));
  TLyricsPosition pos;
  ASSERT_TRUE(doc.FindByTime(108000, pos));
  EXPECT_EQ(pos.Progress, 5000);
  ASSERT_TRUE(doc.FindByTime(216000 + (5940000 - 216000) / 4, pos));
  EXPECT_EQ(pos.Progress, 2500);
}

TEST(FindByTime, EqualStartsAreDecidedByTheProbeOrder) {
  TLyricsControl doc;
  // Five entries at one time between two others: the first probe (index 3 of
  // 0..6) meets the run in its middle, and later positions take its last one.
  ASSERT_TRUE(doc.LoadFromText("[00:01:00]a\n[00:05:00]b\n[00:05:00]c\n[00:05:00]d\n[00:05:00]e\n[00:05:00]f\n"
                               "[00:09:00]g\n",
                               "x"));
  TLyricsPosition pos;
  ASSERT_TRUE(doc.FindByTime(5000, pos));
  EXPECT_EQ(pos.TimelineIndex, 3);
  ASSERT_TRUE(doc.FindByTime(5001, pos));
  EXPECT_EQ(pos.TimelineIndex, 5);
  ASSERT_TRUE(doc.FindByTime(4999, pos));
  EXPECT_EQ(pos.TimelineIndex, 0);
  // Two entries: probe 0 is met first.
  ASSERT_TRUE(doc.LoadFromText("[00:05:00]x\n[00:05:00]y\n", "x"));
  ASSERT_TRUE(doc.FindByTime(5000, pos));
  EXPECT_EQ(pos.TimelineIndex, 0);
  ASSERT_TRUE(doc.FindByTime(5001, pos));
  EXPECT_EQ(pos.TimelineIndex, 1);
}

TEST(GetLinePosition, TellsRowsBeforeWithinAndAfter) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("@OFFSET=100\n[00:10:00]ab[00:11:00]cd[00:12:00]\n", "x"));
  TLyricsPosition pos = Untouched();
  EXPECT_EQ(doc.GetLinePosition(0, 10099, pos), lpsBefore);
  EXPECT_EQ(pos.SegmentStart, 1);
  EXPECT_EQ(pos.SegmentEnd, 1);
  EXPECT_EQ(pos.Progress, 0);
  EXPECT_EQ(pos.TagStart, -7);  // tag fields stay as they were
  EXPECT_EQ(doc.GetLinePosition(0, 10100, pos), lpsWithin);  // at the first tag
  EXPECT_EQ(pos.Progress, 0);
  EXPECT_EQ(doc.GetLinePosition(0, 12100, pos), lpsWithin);  // at the last tag
  EXPECT_EQ(pos.SegmentStart, 4);
  EXPECT_EQ(pos.Progress, 10000);
  pos = Untouched();
  EXPECT_EQ(doc.GetLinePosition(0, 12101, pos), lpsAfter);
  EXPECT_EQ(pos.SegmentStart, 1);
  EXPECT_EQ(pos.SegmentEnd, 4);
  EXPECT_EQ(pos.Progress, 10000);
  EXPECT_EQ(pos.TagDuration, -7);
  EXPECT_EQ(doc.GetLinePosition(0, 11600, pos), lpsWithin);
  EXPECT_EQ(pos.SegmentStart, 2);
  EXPECT_EQ(pos.SegmentEnd, 4);
  EXPECT_EQ(pos.Progress, 5000);
}

TEST(GetTagAtPosition, GivesTheGoverningTagInPlaybackTime) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("@OFFSET=1000\n[00:10:00]ab[00:11:00]cd[00:12:00]\n", "x"));
  TLyricsPosition pos = Untouched();
  ASSERT_TRUE(doc.GetTagAtPosition(0, 3, pos));
  EXPECT_EQ(pos.SegmentStart, 2);
  EXPECT_EQ(pos.SegmentEnd, 4);
  EXPECT_EQ(pos.TagStart, 12000);
  EXPECT_EQ(pos.TagEnd, 13000);
  EXPECT_EQ(pos.TagDuration, 1000);
  EXPECT_EQ(pos.Progress, -7);
  ASSERT_TRUE(doc.GetTagAtPosition(0, 2147483647, pos));  // the line's end
  EXPECT_EQ(pos.SegmentStart, 4);
  EXPECT_EQ(pos.TagStart, 13000);
  EXPECT_FALSE(doc.GetTagAtPosition(0, -1, pos));
  // Position 0 takes the first of two tags standing there; later positions the last.
  ASSERT_TRUE(doc.LoadFromText("[00:10:00][00:10:20]ab[00:11:00]\n", "x"));
  ASSERT_TRUE(doc.GetTagAtPosition(0, 0, pos));
  EXPECT_EQ(pos.TagStart, 10000);
  EXPECT_EQ(pos.SegmentEnd, 0);
  ASSERT_TRUE(doc.GetTagAtPosition(0, 1, pos));
  EXPECT_EQ(pos.TagStart, 10200);
  EXPECT_EQ(pos.SegmentEnd, 2);
}

}  // namespace
}  // namespace lumeko
