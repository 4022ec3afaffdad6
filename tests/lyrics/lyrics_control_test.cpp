// Loading lyrics files: header tags, time tags, line and word timing, the
// finished timeline, the background schedule and the settings that act on them.
#include "lyrics/lyrics_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "test_support/scratch.h"

namespace lumeko {
namespace {

struct Tag {
  int pos, start, end;
  bool operator==(const Tag&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Tag& t) {
  return o << "{" << t.pos << "," << t.start << "," << t.end << "}";
}

std::vector<Tag> Tags(const TLyricsLineInfo* e) {
  std::vector<Tag> out;
  if (!e) return out;
  for (const TTimeTag& t : e->TimeTags) {
    EXPECT_EQ(t.Duration, t.EndTime - t.StartTime);
    out.push_back({t.Position, t.StartTime, t.EndTime});
  }
  return out;
}

std::vector<std::string> Lines(const TLyricsControl& doc) {
  std::vector<std::string> out;
  for (int i = 0; i < doc.LineCount(); ++i) out.push_back(doc.GetLine(i));
  return out;
}

std::vector<int> Starts(const TLyricsControl& doc) {
  std::vector<int> out;
  for (int i = 0; i < doc.TimedLineCount(); ++i) out.push_back(doc.GetTimelineInfo(i)->StartTime);
  return out;
}

using ::testing::ElementsAre;

TEST(LyricsFormat, SplitsLinesAtEveryLineEndAndStopsAtNul) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText(std::string("a\r\nb\nc\rd\r\n\r\ne\0f\ng", 17), "x.kra"));
  EXPECT_THAT(Lines(doc), ElementsAre("a", "b", "c", "d", "", "e"));
  ASSERT_TRUE(doc.LoadFromText("last\n", "x"));
  EXPECT_THAT(Lines(doc), ElementsAre("last"));
  ASSERT_TRUE(doc.LoadFromText("\n\n", "x"));
  EXPECT_THAT(Lines(doc), ElementsAre("", ""));
  ASSERT_TRUE(doc.LoadFromText("", "empty.kra"));
  EXPECT_EQ(doc.LineCount(), 0);
  EXPECT_EQ(doc.TimedLineCount(), 0);
  EXPECT_EQ(doc.FileName(), "empty.kra");
  // Trimming takes control bytes and spaces, not the full-width space or a BOM.
  ASSERT_TRUE(doc.LoadFromText(" \t\x01x\x81\x40 \x7F\n\xEF\xBB\xBFy", "x"));
  EXPECT_THAT(Lines(doc), ElementsAre("x\x81\x40 \x7F", "\xEF\xBB\xBFy"));
}

TEST(LyricsFormat, ReadsTimeTagsPositionByPosition) {
  TLyricsControl doc;
  const char* text =
      "[00:12:34]Hello\n"
      "[]zero\n"
      "[7]seven\n"
      "[01:2]a\n"
      "[01:23:4]b\n"
      "[00:75:00]c\n"
      "[99:99:99]d\n"
      "[01:23.45]dot\n"
      "[1:23:45]short\n"
      "[01:23:456]long\n"
      "[ab]x[01:00\n";
  ASSERT_TRUE(doc.LoadFromText(text, "x"));
  EXPECT_FALSE(doc.HasWordTags());
  EXPECT_THAT(Lines(doc), ElementsAre("Hello", "zero", "seven", "a", "b", "c", "d", "[01:23.45]dot", "[1:23:45]short",
                                      "[01:23:456]long", "[ab]x[01:00"));
  auto start = [&](int line) { return doc.GetLineInfo(line)->StartTime; };
  EXPECT_EQ(start(0), 12340);
  EXPECT_EQ(start(1), 0);
  EXPECT_EQ(start(2), 420000);
  EXPECT_EQ(start(3), 62000);
  EXPECT_EQ(start(4), 83040);
  EXPECT_EQ(start(5), 75000);
  EXPECT_EQ(start(6), 99 * 60000 + 99000 + 990);
  for (int i = 7; i <= 10; ++i) EXPECT_EQ(start(i), -1) << i;
  EXPECT_EQ(doc.TimedLineCount(), 7);
  EXPECT_EQ(doc.GetLineInfo(0)->TextLength, 5);
}

TEST(LyricsFormat, IgnoresBracketsInsideDoubleByteCharacters) {
  TLyricsControl doc;
  // 0x81 0x5B (a long vowel mark) ends in '['; "\x81[00:01:00]" must not
  // be read as a tag, while a real '[' after a whole character is one.
  ASSERT_TRUE(doc.LoadFromText("\x83\x8B\x81[00:01:00]x\n\x83\x8B\x81\x5B[00:02:00]y\n\x82", "x"));
  EXPECT_THAT(Lines(doc), ElementsAre("\x83\x8B\x81[00:01:00]x", "\x83\x8B\x81\x5By", "\x82"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, -1);
  EXPECT_EQ(doc.GetLineInfo(1)->StartTime, 2000);
  EXPECT_EQ(doc.GetLineInfo(1)->TimeTags[0].Position, 4);
}

TEST(LyricsHeader, StoresTagsByUpperCaseNameAndLetsTheLastWin) {
  TLyricsControl doc;
  doc.DefaultTags().SetValue("@BGFILE", "default.jpg");
  doc.DefaultTags().SetValue("@Custom", "keep");
  const char* text =
      "@title = Song = One\n"
      "[00:01:00]first\n"
      "  @AIRTIST\tSomeone=Artist  \n"
      "@novalue\n"
      "[00:02:00]second\n"
      "@ALBUM=x\n"
      "@album=y\n"
      "@BGFILE=\n"
      "@CUSTOM=changed\n";
  ASSERT_TRUE(doc.LoadFromText(text, "x"));
  EXPECT_THAT(Lines(doc), ElementsAre("first", "second"));  // headers leave no line behind
  EXPECT_EQ(doc.GetTag(ltTitle), "Song = One");
  EXPECT_EQ(doc.GetTag(ltArtist), "Artist");
  EXPECT_EQ(doc.GetTag(ltAlbum), "y");
  EXPECT_EQ(doc.GetTag(ltBgFile), "");  // an empty value switches the default off
  EXPECT_EQ(doc.GetTag(99), "");
  std::vector<std::string> names;
  for (const auto& e : doc.Tags().Entries()) names.push_back(e.Name + "=" + e.Value);
  EXPECT_THAT(names, ElementsAre("@AIRTIST=Artist", "@ALBUM=y", "@Custom=changed", "@TITLE=Song = One"));
  // A later load starts again from the defaults.
  ASSERT_TRUE(doc.LoadFromText("x", "y"));
  EXPECT_EQ(doc.GetTag(ltBgFile), "default.jpg");
  EXPECT_EQ(doc.GetTag(ltTitle), "");
}

TEST(LyricsTiming, SplitsRepeatedLineTagsIntoTimelineEntries) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("[00:10:00][00:50:00]Chorus\n[00:20:00]Verse\nno time\nHello[01:00:00]\n", "x"));
  EXPECT_FALSE(doc.HasWordTags());
  EXPECT_THAT(Starts(doc), ElementsAre(10000, 20000, 50000, 60000));
  EXPECT_EQ(doc.GetTimedLine(0), "Chorus");
  EXPECT_EQ(doc.GetTimedLine(2), "Chorus");
  EXPECT_EQ(doc.GetText(true, 1), "Verse");
  EXPECT_EQ(doc.GetText(false, 2), "no time");
  // Each entry runs to the next entry's start; the last has duration 0.
  EXPECT_THAT(Tags(doc.GetTimelineInfo(0)), ElementsAre(Tag{0, 10000, 20000}, Tag{6, 20000, 20000}));
  EXPECT_THAT(Tags(doc.GetTimelineInfo(2)), ElementsAre(Tag{0, 50000, 60000}, Tag{6, 60000, 60000}));
  EXPECT_THAT(Tags(doc.GetTimelineInfo(3)), ElementsAre(Tag{5, 60000, 60000}, Tag{5, 60000, 60000}));
  EXPECT_EQ(doc.GetTimelineInfo(0)->Duration, 10000);
  EXPECT_EQ(doc.GetTimelineInfo(3)->Duration, 0);
  // The line's own record is the first entry; the untimed line stays out.
  EXPECT_EQ(doc.GetLineInfo(0), doc.GetTimelineInfo(0));
  EXPECT_EQ(doc.GetLineInfo(2)->StartTime, -1);
  EXPECT_TRUE(doc.GetLineInfo(2)->TimeTags.empty());
}

TEST(LyricsTiming, WordTagsSortLinesAndCloseEachLine) {
  TLyricsControl doc;
  const char* text =
      "[00:05:00]Hel[00:05:50]lo\n"   // no end tag: closed at the next start
      "untimed\n"
      "[00:01:00]Fir[00:01:50]st[00:02:00]\n"
      "wo[00:09:00]rd\n";             // first tag not at 0: copied to 0
  ASSERT_TRUE(doc.LoadFromText(text, "x"));
  EXPECT_TRUE(doc.HasWordTags());
  EXPECT_THAT(Lines(doc), ElementsAre("First", "Hello", "untimed", "word"));
  for (int i = 0; i < doc.LineCount(); ++i) EXPECT_EQ(doc.GetLineInfo(i)->LineIndex, i);
  EXPECT_THAT(Starts(doc), ElementsAre(1000, 5000, 9000));
  EXPECT_THAT(Tags(doc.GetTimelineInfo(0)), ElementsAre(Tag{0, 1000, 1500}, Tag{3, 1500, 2000}, Tag{5, 2000, 2000}));
  EXPECT_THAT(Tags(doc.GetTimelineInfo(1)), ElementsAre(Tag{0, 5000, 5500}, Tag{3, 5500, 9000}, Tag{5, 9000, 9000}));
  EXPECT_THAT(Tags(doc.GetTimelineInfo(2)), ElementsAre(Tag{0, 9000, 9000}, Tag{2, 9000, 9000}, Tag{4, 9000, 9000}));
  EXPECT_EQ(doc.GetTimelineInfo(1)->EndTime, 9000);
  EXPECT_EQ(doc.GetTimedLine(1), "Hello");
}

TEST(LyricsTiming, CleansTagsThatGoBackOrCrowdOnePosition) {
  TLyricsControl doc;
  // Tags at one position: only the first and the last of the run stay; a tag
  // earlier than the one before it goes.
  ASSERT_TRUE(doc.LoadFromText("[00:01:00]a[00:02:00][00:03:00][00:04:00]b[00:01:50]c[00:05:00]\n", "x"));
  EXPECT_THAT(Tags(doc.GetTimelineInfo(0)),
              ElementsAre(Tag{0, 1000, 2000}, Tag{1, 2000, 4000}, Tag{1, 4000, 5000}, Tag{3, 5000, 5000}));
}

TEST(LyricsTiming, AmendsLineEndsWrittenAfterTheNextStart) {
  const char* text = "[00:01:00]one[00:05:00]\n[00:03:00]two[00:04:00]\n";
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText(text, "x"));
  EXPECT_THAT(Tags(doc.GetTimelineInfo(0)), ElementsAre(Tag{0, 1000, 3000}, Tag{3, 3000, 3000}));
  // The setting off (the file leaves it open), and a file that decides itself.
  TLyricsControl off;
  off.SetAmendLineEnd(false);
  ASSERT_TRUE(off.LoadFromText(text, "x"));
  EXPECT_THAT(Tags(off.GetTimelineInfo(0)), ElementsAre(Tag{0, 1000, 5000}, Tag{3, 5000, 5000}));
  ASSERT_TRUE(doc.LoadFromText(std::string("@AMENDTAG=off\n") + text, "x"));
  EXPECT_EQ(doc.GetTimelineInfo(0)->EndTime, 5000);
  ASSERT_TRUE(off.LoadFromText(std::string("@AmendTag=Yes\n") + text, "x"));
  EXPECT_EQ(off.GetTimelineInfo(0)->EndTime, 3000);
}

TEST(LyricsTiming, ScalesLineTimesByTheRatioAndClampsThem) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("@TIMERATIO=2\n@BGFILEEX<00:01:00>=b.jpg\n[00:00:15]a\n", "x"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, 75);  // 150 / 2
  EXPECT_EQ(doc.GetBgFile(1).Time, 1000 * 10000);  // background times are not scaled
  ASSERT_TRUE(doc.LoadFromText("@TIMERATIO= 0.5 \n[00:00:15]a\n", "x"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, 300);
  ASSERT_TRUE(doc.LoadFromText("@TIMERATIO=3\n[00:00:01]a\n", "x"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, 3);  // 10 / 3 truncated
  ASSERT_TRUE(doc.LoadFromText("@TIMERATIO=-2\n[00:00:15]a\n", "x"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, -75);
  // Unreadable or unusable ratios leave times as written.
  for (const char* r : {"abc", "0", "-0", "0.0", "inf", "nan", "1e999", "1,5", "", "2x"}) {
    ASSERT_TRUE(doc.LoadFromText(std::string("@TIMERATIO=") + r + "\n[00:00:15]a\n", "x"));
    EXPECT_EQ(doc.GetLineInfo(0)->StartTime, 150) << r;
  }
  // A tiny ratio would push times past 32 bits: they stop at the range's ends.
  ASSERT_TRUE(doc.LoadFromText("@TIMERATIO=1e-300\n[99:00:00]a\n[00:00:00]zero\n", "x"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(doc.GetLineInfo(1)->StartTime, 0);
  ASSERT_TRUE(doc.LoadFromText("@TIMERATIO=-1e-300\n[99:00:00]a\n[01:00:00]b\n", "x"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, std::numeric_limits<std::int32_t>::min());
  for (int i = 0; i < doc.TimedLineCount(); ++i)
    for (const TTimeTag& t : doc.GetTimelineInfo(i)->TimeTags)
      EXPECT_EQ(static_cast<std::int64_t>(t.Duration), std::clamp<std::int64_t>(static_cast<std::int64_t>(t.EndTime) - t.StartTime,
                                                                          std::numeric_limits<std::int32_t>::min(),
                                                                          std::numeric_limits<std::int32_t>::max()));
}

TEST(LyricsOffset, FileOffsetWinsOverTheSetting) {
  TLyricsControl doc;
  doc.SetDefaultOffset(200);
  ASSERT_TRUE(doc.LoadFromText("@OFFSET=500\n", "x"));
  EXPECT_EQ(doc.Offset(), 500);
  doc.SetDefaultOffset(300);
  EXPECT_EQ(doc.Offset(), 500);
  ASSERT_TRUE(doc.LoadFromText("a\n", "x"));
  EXPECT_EQ(doc.Offset(), 300);
  for (const char* bad : {"x5", "5x", "", "99999999999", "1.5"}) {
    ASSERT_TRUE(doc.LoadFromText(std::string("@OFFSET=") + bad + "\n", "x"));
    EXPECT_EQ(doc.Offset(), 300) << bad;
  }
  ASSERT_TRUE(doc.LoadFromText("@OFFSET=-250\n", "x"));
  EXPECT_EQ(doc.Offset(), -250);
  doc.SetDefaultOffset(0);
  EXPECT_EQ(doc.Offset(), -250);
}

TEST(LyricsBackground, SchedulesPicturesByTimeFromZero) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("@BGFILEEX<01:00:00>=b.jpg\n@BGFILE=a.jpg\n@bgfileex<00:30>=c.jpg\n@BGFILEEX<1:00>=bad\n", "x"));
  ASSERT_EQ(doc.BgFileCount(), 3);
  EXPECT_EQ(doc.GetBgFile(0).Time, 0);
  EXPECT_EQ(doc.GetBgFile(0).FileName, "a.jpg");
  EXPECT_EQ(doc.GetBgFile(1).Time, 30000ll * 10000);
  EXPECT_EQ(doc.GetBgFile(1).FileName, "c.jpg");
  EXPECT_EQ(doc.GetBgFile(2).Time, 600000000ll);
  EXPECT_EQ(doc.GetBgFile(2).FileName, "b.jpg");
  // A picture at time 0 takes the place of the whole-song picture.
  ASSERT_TRUE(doc.LoadFromText("@BGFILE=a.jpg\n@BGFILEEX<00:00:00>=z.jpg\n", "x"));
  ASSERT_EQ(doc.BgFileCount(), 1);
  EXPECT_EQ(doc.GetBgFile(0).FileName, "z.jpg");
  // No pictures at all: still one entry at 0, with an empty name.
  ASSERT_TRUE(doc.LoadFromText("", "x"));
  ASSERT_EQ(doc.BgFileCount(), 1);
  EXPECT_EQ(doc.GetBgFile(0).FileName, "");
}

TEST(LyricsLoad, MissingFilesEmptyTheDocumentButKeepTheOffset) {
  test::ScratchDir dir("lyrics");
  const std::string path = dir / "\x89\xCC.kra";  // 歌.kra
  ASSERT_TRUE(test::WriteFile(path, "@OFFSET=700\n@BGFILE=a.jpg\n[00:01:00]a\n"));
  TLyricsControl doc;
  doc.DefaultTags().SetValue("@BGFILE", "default.jpg");
  ASSERT_TRUE(doc.LoadFromFile(path));
  EXPECT_EQ(doc.FileName(), path);
  EXPECT_EQ(doc.Offset(), 700);
  EXPECT_EQ(doc.GetBgFile(0).FileName, "a.jpg");
  EXPECT_FALSE(doc.LoadFromFile(dir / "missing.kra"));
  EXPECT_EQ(doc.FileName(), "");
  EXPECT_EQ(doc.LineCount(), 0);
  EXPECT_EQ(doc.TimedLineCount(), 0);
  EXPECT_EQ(doc.Offset(), 700);
  EXPECT_EQ(doc.GetBgFile(0).FileName, "default.jpg");
  EXPECT_FALSE(doc.LoadFromFile(dir.path()));  // a folder is no file
  EXPECT_FALSE(doc.LoadFromFile(""));
}

TEST(LyricsLoad, ChangingTheLineEndSettingReparsesOnlyWhenTheFileLeavesIt) {
  test::ScratchDir dir("lyrics");
  const std::string path = dir / "a.kra";
  ASSERT_TRUE(test::WriteFile(path, "[00:01:00]one[00:05:00]\n[00:03:00]two[00:04:00]\n"));
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromFile(path));
  EXPECT_EQ(doc.GetTimelineInfo(0)->EndTime, 3000);
  doc.SetAmendLineEnd(false);
  EXPECT_EQ(doc.GetTimelineInfo(0)->EndTime, 5000);
  EXPECT_EQ(doc.FileName(), path);
  ASSERT_TRUE(test::WriteFile(path, "@AMENDTAG=1\n[00:01:00]one[00:05:00]\n[00:03:00]two[00:04:00]\n"));
  ASSERT_TRUE(doc.LoadFromFile(path));
  ASSERT_TRUE(test::WriteFile(path, "changed"));
  doc.SetAmendLineEnd(true);  // the file decides: no reload
  EXPECT_EQ(doc.LineCount(), 2);
}

}  // namespace
}  // namespace lumeko

namespace lumeko {
namespace {

TEST(LyricsSample, TheBundledSongIsWordTimedAndInOrder) {
  TLyricsControl doc;
  const std::string path = test::Join(test::Join(test::SourceDir(), "samples"), "yoake-no-metronome.kra");
  ASSERT_TRUE(doc.LoadFromFile(path));
  EXPECT_TRUE(doc.HasWordTags());
  EXPECT_EQ(doc.GetTag(ltTitle), "\x96\xE9\x96\xBE\x82\xAF\x82\xCC\x83\x81\x83\x67\x83\x8D\x83\x6D\x81\x5B\x83\x80");
  EXPECT_FALSE(doc.GetTag(ltArtist).empty());
  EXPECT_EQ(doc.TimedLineCount(), 27);
  for (int k = 0; k < doc.TimedLineCount(); ++k) {
    const TLyricsLineInfo* e = doc.GetTimelineInfo(k);
    // One empty timed line closes the first verse; every other is sung word by word.
    EXPECT_EQ(e->TimeTags.size() == 1, k == 4) << k;
    if (k != 4) {
      EXPECT_GT(e->TimeTags.size(), 2u);
    }
    EXPECT_EQ(e->TimeTags.back().Position, e->TextLength);  // every line closes at its end
    if (k > 0) {
      EXPECT_LT(doc.GetTimelineInfo(k - 1)->EndTime, e->StartTime);
    }
  }
  EXPECT_GT(doc.GetTimelineInfo(5)->StartTime - doc.GetTimelineInfo(3)->EndTime, 6000) << "a pause after it";
  EXPECT_GT(doc.GetTimelineInfo(26)->EndTime, 120000);
}

}  // namespace
}  // namespace lumeko
