// Out-of-memory paths of the lyrics parser, swept: every allocation a load
// makes is failed in turn. Each load answers, never throws: either the
// whole document or an empty one with the default tags. Nothing leaks, and
// the same document loads whole right after.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lyrics/lyrics_control.h"
#include "test_support/failing_allocator.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

// Headers of every kind, word tags, a line sorted by its time, repeated
// tags of a line-timed chorus cannot mix with word tags, so two files.
const char kWordTimed[] =
    "@TITLE=\x96\xE9\x96\xBE\x82\xAF\r\n@OFFSET=-120\r\n@TIMERATIO=1.5\r\n@AMENDTAG=off\r\n"
    "@BGFILE=dawn.bmp\r\n@BGFILEEX<00:10:00>=dusk.jpg\r\n@bgfileex<00:05:00>=noon.jpg\r\n"
    "[00:03:00]\x89\xCC[00:03:50]\x8E\x8C [00:04:00]two[00:04:40]\r\n"
    "[00:01:00]first [00:01:30]\x95\x5C[00:02:00]\r\n\r\nno tag [bad] [01:2x]\r\n";
const char kLineTimed[] =
    "@AIRTIST=x\n[00:01:00][00:20:00][00:40:00]chorus\n[00:05:00]verse\n[00:09:00]\n[00:12:00]end\n";
// Read with the LRC tags on: their headers and both tag forms.
const char kLrc[] = "[ti:\x96\xE9]\n[offset:+250]\n[00:01.00]a<00:01.50>b<00:02.000>\n[01:00]x [by:y]\n";

// What gtest has recorded in this test so far: a failure's message is memory
// the sweep must not count as leaked.
int Recorded() { return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count(); }

std::string Snapshot(const TLyricsControl& doc) {
  std::string s = doc.FileName() + "|" + std::to_string(doc.Offset()) + "|" + std::to_string(doc.HasWordTags());
  const auto info = [&](const TLyricsLineInfo* i) {
    s += "(" + std::to_string(i->LineIndex) + "," + std::to_string(i->StartTime) + "," + std::to_string(i->EndTime) +
         "," + std::to_string(i->TextLength);
    for (const TTimeTag& t : i->TimeTags) s += ";" + std::to_string(t.Position) + "@" + std::to_string(t.StartTime);
    s += ")";
  };
  for (int i = 0; i < doc.LineCount(); ++i) {
    s += "\n" + doc.GetLine(i);
    info(doc.GetLineInfo(i));
  }
  for (int i = 0; i < doc.TimedLineCount(); ++i) info(doc.GetTimelineInfo(i));
  for (const auto& e : doc.Tags().Entries()) s += "\n" + e.Name + "=" + e.Value;
  for (const TBgFileEx& b : doc.BgFiles()) s += "\n" + std::to_string(b.Time) + ">" + b.FileName;
  return s;
}

TEST(LyricsOutOfMemory, EveryAllocationOfALoadFailsInTurn) {
  test::ScratchDir dir("oom");
  for (const char* text : {kWordTimed, kLineTimed, kLrc}) {
    const TLyricsParseOptions options{text == kLrc};
    const std::string path = dir / "song.kra";
    ASSERT_TRUE(test::WriteFile(path, text));
    TLyricsControl reference;
    reference.SetParseOptions(options);
    reference.DefaultTags().SetValue("@BGFILE", "default.jpg");
    EXPECT_FALSE(reference.LoadFromFile(dir / "missing.kra"));
    const std::string empty = Snapshot(reference);  // the default tags and their picture
    ASSERT_TRUE(reference.LoadFromFile(path));
    const std::string whole = Snapshot(reference);

    const long points = test::SweepAllocationFailures([&](long k) {
      const long live = test::LiveAllocations();
      const int recorded = Recorded();
      bool fired = false;
      {
        TLyricsControl doc;
        doc.SetParseOptions(options);
        doc.DefaultTags().SetValue("@BGFILE", "default.jpg");
        test::FailAllocation(k);
        bool loaded = false;
        EXPECT_NO_THROW(loaded = doc.LoadFromFile(path)) << "allocation " << k;
        fired = test::StopFailingAllocations();
        EXPECT_EQ(Snapshot(doc), loaded ? whole : empty) << "allocation " << k;
        EXPECT_TRUE(doc.LoadFromFile(path));
        EXPECT_EQ(Snapshot(doc), whole) << "after allocation " << k;
      }
      if (Recorded() == recorded) {
        EXPECT_EQ(test::LiveAllocations(), live) << "allocation " << k;
      }
      return fired;
    });
    EXPECT_GT(points, 10);
    std::printf("lyrics load: %ld allocation failure points\n", points);
  }
}

}  // namespace
}  // namespace lumeko
