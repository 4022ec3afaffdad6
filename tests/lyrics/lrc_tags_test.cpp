// LRC tags read beside the native ones: each LRC form must give exactly the
// document its native spelling gives, and with the option off a file reads
// as it always did.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>

#include "lyrics/lyrics_control.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

// Everything a load decides, in one comparable text.
std::string Parsed(std::string_view text, bool lrc) {
  TLyricsControl doc;
  doc.SetParseOptions(TLyricsParseOptions{lrc});
  EXPECT_TRUE(doc.LoadFromText(text, "song.lrc"));
  std::ostringstream o;
  o << doc.HasWordTags() << " " << doc.Offset() << "\n";
  for (const TTagList::Entry& t : doc.Tags().Entries()) o << t.Name << "=" << t.Value << "\n";
  for (int i = 0; i < doc.LineCount() + doc.TimedLineCount(); ++i) {
    const bool line = i < doc.LineCount();
    const TLyricsLineInfo& e = line ? *doc.GetLineInfo(i) : *doc.GetTimelineInfo(i - doc.LineCount());
    o << (line ? doc.GetLine(i) : "entry") << " #" << e.LineIndex << " " << e.StartTime << ".." << e.EndTime << "/"
      << e.Duration << " " << e.TextLength << ":";
    for (const TTimeTag& t : e.TimeTags) o << " " << t.Position << "@" << t.StartTime << "-" << t.EndTime;
    o << "\n";
  }
  return o.str();
}

TEST(LrcTags, EachFormGivesTheDocumentOfItsNativeSpelling) {
  const char* const cases[][2] = {
      {"\x89\xCC<00:05.00>\x8E\x8C<00:06.10>", "\x89\xCC[00:05:00]\x8E\x8C[00:06:10]"},
      {"[ti:Song]\n[AR: The Artist ]\n[al:Album = One]\n[offset:+500]\n[00:10.00]x",
       "@TITLE=Song\n@AIRTIST=The Artist\n@ALBUM=Album = One\n@OFFSET=-500\n[00:10:00]x"},
      {"@OFFSET=100\n[offset:-250]\n[00:01.00]a", "@OFFSET=250\n[00:01:00]a"},
      {"[offset:300]\n@OFFSET=100\n[00:01]a", "@OFFSET=100\n[00:01]a"},
      {"[offset:abc]\n[offset:-2147483648]\n[00:01.00]a", "@OFFSET=2147483647\n[00:01:00]a"},
      {"@TITLE=old\n[ti:]\n[00:01.00]a", "[00:01:00]a"},
      {"@TIMERATIO=2\n[00:10.00]a<00:11.00>b", "@TIMERATIO=2\n[00:10:00]a[00:11:00]b"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c[0], true), Parsed(c[1], false)) << c[0];
  // Milliseconds and long songs, which the native tag cannot write.
  const std::string ms = Parsed("[01:02.345]ms\n[100:00.00]late", true);
  EXPECT_NE(ms.find("ms #0 62345..6000000"), std::string::npos) << ms;
  EXPECT_NE(ms.find("late #1 6000000.."), std::string::npos) << ms;
}

// Random LRC files (line, repeated and word tags among words that look like
// tags) against their native spelling.
TEST(LrcTags, RandomFilesMatchTheirNativeSpelling) {
  std::mt19937 rng(20261208);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const char* const words[] = {"la", " ", "\x89\xCC", "x]", "", "[by:me]", "<", "\x83\x5D"};
  for (int file = 0; file < 300; ++file) {
    std::string lrc, native;
    for (int l = 1 + pick(6); l > 0; --l) {
      for (int t = pick(4); t > 0; --t) {
        char a[16], b[16];
        const int mm = pick(100), ss = pick(100), cc = pick(100);
        std::snprintf(a, sizeof a, pick(3) ? "[%02d:%02d.%02d]" : "<%02d:%02d.%02d>", mm, ss, cc);
        std::snprintf(b, sizeof b, "[%02d:%02d:%02d]", mm, ss, cc);
        const char* w = words[pick(8)];
        lrc += std::string(a) + w;
        native += std::string(b) + w;
      }
      lrc += "\n";
      native += "\n";
    }
    ASSERT_EQ(Parsed(lrc, true), Parsed(native, false)) << lrc;
  }
}

TEST(LrcTags, OtherShapesStayText) {
  for (const char* line : {"[1:23.45]a", "[01:23.4]a", "[01:23.4567]a", "[0123:45.67]a", "[01:2.34]a", "[01-23.45]a",
                           "<01:23:45>a", "<01:23.45a", "a<>b", "[01:23.45>a", "<01:23.45]a", "[by:someone]",
                           "[ti:Song] and text", "[ti:Song", "[ti:\x83\x5D", "[ offset:1]", "\x83[00:01.00]"})
    EXPECT_EQ(Parsed(line, true), "0 0\n" + std::string(line) + " #0 -1..0/0 " + std::to_string(strlen(line)) + ":\n");
}

TEST(LrcTags, AnOffsetBringsTheLyricsEarlierAndTheOptionReloadsTheFile) {
  test::ScratchDir dir("lrc");
  const std::string path = dir / "a.lrc";
  ASSERT_TRUE(test::WriteFile(path, "[offset:+500]\n[00:10.00]one\n[00:20.00]two\n"));
  TLyricsControl doc;
  doc.SetDefaultOffset(200);
  ASSERT_TRUE(doc.LoadFromFile(path));  // off: all three lines are text
  EXPECT_EQ(doc.GetLine(0), "[offset:+500]");
  EXPECT_EQ(doc.GetLine(2), "[00:20.00]two");
  EXPECT_EQ(doc.TimedLineCount(), 0);
  EXPECT_EQ(doc.Offset(), 200);

  doc.SetParseOptions(TLyricsParseOptions{true});
  ASSERT_EQ(doc.TimedLineCount(), 2);
  EXPECT_EQ(doc.Offset(), -500);
  TLyricsPosition pos;
  EXPECT_FALSE(doc.FindByTime(9499, pos));
  EXPECT_TRUE(doc.FindByTime(9500, pos));
  ASSERT_TRUE(doc.GetTagAtPosition(1, 0, pos));
  EXPECT_EQ(pos.TagStart, 19500);

  doc.SetParseOptions(TLyricsParseOptions{false});
  EXPECT_EQ(doc.LineCount(), 3);
  EXPECT_EQ(doc.TimedLineCount(), 0);
}

}  // namespace
}  // namespace lumeko
