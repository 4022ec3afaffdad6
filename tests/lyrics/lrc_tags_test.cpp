// LRC tags read beside the native ones: each LRC form must give exactly the
// document its native spelling gives, and with the option off a file reads
// as it always did.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>

#include "lyrics/lyrics_control.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

// Everything a load decides, in one comparable text.
std::string Snapshot(const TLyricsControl& doc) {
  std::ostringstream o;
  o << "words=" << doc.HasWordTags() << " offset=" << doc.Offset() << "\n";
  for (const TTagList::Entry& t : doc.Tags().Entries()) o << t.Name << "=" << t.Value << "\n";
  auto record = [&](const TLyricsLineInfo& e) {
    o << " #" << e.LineIndex << " " << e.StartTime << ".." << e.EndTime << "/" << e.Duration << " len "
      << e.TextLength << ":";
    for (const TTimeTag& t : e.TimeTags)
      o << " " << t.Position << "@" << t.StartTime << "-" << t.EndTime << "/" << t.Duration;
    o << "\n";
  };
  for (int i = 0; i < doc.LineCount(); ++i) {
    o << "line '" << doc.GetLine(i) << "'";
    record(*doc.GetLineInfo(i));
  }
  for (int k = 0; k < doc.TimedLineCount(); ++k) {
    o << "entry";
    record(*doc.GetTimelineInfo(k));
  }
  return o.str();
}

std::string Parsed(std::string_view text, bool lrc) {
  TLyricsControl doc;
  doc.SetParseOptions(TLyricsParseOptions{lrc});
  EXPECT_TRUE(doc.LoadFromText(text, "song.lrc"));
  return Snapshot(doc);
}

TEST(LrcTags, EachFormGivesTheDocumentOfItsNativeSpelling) {
  const struct {
    const char* lrc;
    const char* native;
  } cases[] = {
      {"[00:12.34]Hello\n[00:15.00]World", "[00:12:34]Hello\n[00:15:00]World"},
      {"[01:02]one\n[01:03.5x]two", "[01:02]one\n[01:03.5x]two"},
      {"[00:10.00][00:50.00]Chorus\n[00:20.00]Verse\n[00:60.00]",
       "[00:10:00][00:50:00]Chorus\n[00:20:00]Verse\n[00:60:00]"},
      {"[00:01.00]Hel<00:01.50>lo<00:02.00>\n[00:03.00]<00:03.00>next", "[00:01:00]Hel[00:01:50]lo[00:02:00]\n"
                                                                         "[00:03:00][00:03:00]next"},
      {"\x89\xCC<00:05.00>\x8E\x8C<00:06.10>", "\x89\xCC[00:05:00]\x8E\x8C[00:06:10]"},
      {"[ti:Song]\n[AR: The Artist ]\n[al:Album = One]\n[offset:+500]\n[00:10.00]x",
       "@TITLE=Song\n@AIRTIST=The Artist\n@ALBUM=Album = One\n@OFFSET=-500\n[00:10:00]x"},
      {"@OFFSET=100\n[offset:-250]\n[00:01.00]a", "@OFFSET=250\n[00:01:00]a"},
      {"[offset:300]\n@OFFSET=100\n[00:01.00]a", "@OFFSET=100\n[00:01:00]a"},
      {"[offset:abc]\n[offset:-2147483648]\n[00:01.00]a", "@OFFSET=2147483647\n[00:01:00]a"},
      {"@TITLE=old\n[ti:]\n[00:01.00]a", "[00:01:00]a"},
      {"@TIMERATIO=2\n[00:10.00]a<00:11.00>b", "@TIMERATIO=2\n[00:10:00]a[00:11:00]b"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.lrc, true), Parsed(c.native, false)) << c.lrc;

  // Milliseconds and long songs, which the native tag cannot write.
  TLyricsControl doc;
  doc.SetParseOptions(TLyricsParseOptions{true});
  ASSERT_TRUE(doc.LoadFromText("[01:02.345]ms\n[100:00.00]late", "x.lrc"));
  ASSERT_EQ(doc.TimedLineCount(), 2);
  EXPECT_EQ(doc.GetTimelineInfo(0)->StartTime, 62345);
  EXPECT_EQ(doc.GetTimelineInfo(1)->StartTime, 6000000);
}

// Random LRC files against their native spelling, tag for tag.
TEST(LrcTags, RandomFilesMatchTheirNativeSpelling) {
  std::mt19937 rng(20261208);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const char* const words[] = {"la", " ", "\x89\xCC", "x]", "", "[by:me]", "<", "\x83\x5D"};
  for (int file = 0; file < 300; ++file) {
    std::string lrc, native;
    const int lines = 1 + pick(6);
    for (int l = 0; l < lines; ++l) {
      for (int t = pick(4); t > 0; --t) {
        char a[16], b[16];
        const int mm = pick(100), ss = pick(100), cc = pick(100);
        const bool word = l > 0 && pick(3) == 0;
        std::snprintf(a, sizeof a, word ? "<%02d:%02d.%02d>" : "[%02d:%02d.%02d]", mm, ss, cc);
        std::snprintf(b, sizeof b, "[%02d:%02d:%02d]", mm, ss, cc);
        lrc += a;
        native += b;
        const char* w = words[pick(8)];
        lrc += w;
        native += w;
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
                           "[ti:Song] and text", "[ti:Song", "[ti:\x83\x5D", "[ offset:1]", "\x83[00:01.00]"}) {
    TLyricsControl doc;
    doc.SetParseOptions(TLyricsParseOptions{true});
    ASSERT_TRUE(doc.LoadFromText(line, "x.lrc"));
    ASSERT_EQ(doc.LineCount(), 1) << line;
    EXPECT_EQ(doc.GetLine(0), line);
    EXPECT_EQ(doc.TimedLineCount(), 0) << line;
    EXPECT_EQ(doc.Tags().Count(), 0) << line;
  }
}

TEST(LrcTags, SwitchedOffTheFileReadsAsBefore) {
  const char* const file = "[ti:Song]\n[offset:500]\n[00:01.00]one<00:01.50>two\n[00:02]three\n";
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText(file, "x.lrc"));
  ASSERT_EQ(doc.LineCount(), 4);
  EXPECT_EQ(doc.GetLine(0), "[ti:Song]");
  EXPECT_EQ(doc.GetLine(1), "[offset:500]");
  EXPECT_EQ(doc.GetLine(2), "[00:01.00]one<00:01.50>two");
  EXPECT_EQ(doc.GetLine(3), "three");  // a native tag all the same
  EXPECT_EQ(doc.TimedLineCount(), 1);
  EXPECT_EQ(doc.Offset(), 0);
  EXPECT_EQ(doc.GetTag(ltTitle), "");
}

TEST(LrcTags, AnOffsetBringsTheLyricsEarlierAndChangingTheOptionReloads) {
  test::ScratchDir dir("lrc");
  const std::string path = dir / "a.lrc";
  ASSERT_TRUE(test::WriteFile(path, "[offset:+500]\n[00:10.00]one\n[00:20.00]two\n"));
  TLyricsControl doc;
  doc.SetDefaultOffset(200);
  ASSERT_TRUE(doc.LoadFromFile(path));
  EXPECT_EQ(doc.TimedLineCount(), 0);
  EXPECT_EQ(doc.Offset(), 200);

  doc.SetParseOptions(TLyricsParseOptions{true});
  EXPECT_EQ(doc.FileName(), path);
  ASSERT_EQ(doc.TimedLineCount(), 2);
  EXPECT_EQ(doc.Offset(), -500);
  TLyricsPosition pos;
  EXPECT_FALSE(doc.FindByTime(9499, pos));
  ASSERT_TRUE(doc.FindByTime(9500, pos));
  EXPECT_EQ(pos.LineIndex, 0);
  ASSERT_TRUE(doc.GetTagAtPosition(1, 0, pos));
  EXPECT_EQ(pos.TagStart, 19500);

  doc.SetParseOptions(TLyricsParseOptions{false});
  EXPECT_EQ(doc.TimedLineCount(), 0);
  EXPECT_EQ(doc.LineCount(), 3);
}

}  // namespace
}  // namespace lumeko
