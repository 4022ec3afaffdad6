// Files no one should write: garbage, NULs, cut characters, huge sizes. The
// document must hold what the rules give, with no crash and no long stall.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "lyrics/lyrics_control.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

std::string Garbage(size_t n, std::uint32_t seed) {
  std::string s(n, '\0');
  for (char& c : s) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  return s;
}

// Each timeline entry's tags are in order of position and the durations add up.
void ExpectSoundTimeline(const TLyricsControl& doc) {
  for (int k = 0; k < doc.TimedLineCount(); ++k) {
    const TLyricsLineInfo* e = doc.GetTimelineInfo(k);
    ASSERT_FALSE(e->TimeTags.empty());
    ASSERT_GE(e->LineIndex, 0);
    ASSERT_LT(e->LineIndex, doc.LineCount());
    EXPECT_EQ(e->StartTime, e->TimeTags.front().StartTime);
    for (size_t i = 1; i < e->TimeTags.size(); ++i)
      ASSERT_LE(e->TimeTags[i - 1].Position, e->TimeTags[i].Position);
    EXPECT_LE(e->TimeTags.back().Position, e->TextLength);
  }
}

TEST(LyricsBadInput, GarbageParsesIntoSomethingSound) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    // Garbage with tag-like bytes sprinkled in, so tags and headers occur.
    std::string text = Garbage(20000, seed);
    for (size_t i = 0; i + 12 < text.size(); i += 97) text.replace(i, 10, seed % 2 ? "[00:01:23]" : "\n@X=1\n[0]");
    TLyricsControl doc;
    ASSERT_TRUE(doc.LoadFromText(text, "g.kra"));
    ExpectSoundTimeline(doc);
    for (int i = 0; i < doc.LineCount(); ++i) EXPECT_EQ(doc.GetLineInfo(i)->LineIndex, i);
    TLyricsPosition pos;
    for (std::int32_t t : {-2147483647 - 1, 0, 83000, 2147483647}) doc.FindByTime(t, pos);
  }
}

TEST(LyricsBadInput, CutCharactersAndNulsEndWhereTheRulesSay) {
  TLyricsControl doc;
  // A lone lead byte at a line end does not swallow the line end or the next '['.
  ASSERT_TRUE(doc.LoadFromText("[00:01:00]a\x82\r\n[00:02:00]b\x82\n\x82[00:03:00]c", "x"));
  ASSERT_EQ(doc.LineCount(), 3);
  EXPECT_EQ(doc.GetLine(0), "a\x82");
  EXPECT_EQ(doc.GetLine(1), "b\x82");
  // "\x82[" is one double-byte character: no tag there.
  EXPECT_EQ(doc.GetLine(2), "\x82[00:03:00]c");
  EXPECT_EQ(doc.TimedLineCount(), 2);
  // A NUL in the middle ends the text, also inside a tag or a header.
  ASSERT_TRUE(doc.LoadFromText(std::string("[00:01:00]ab\0[00:02:00]cd\n@TITLE=x", 33), "x"));
  EXPECT_EQ(doc.LineCount(), 1);
  EXPECT_EQ(doc.GetLine(0), "ab");
  EXPECT_EQ(doc.GetTag(ltTitle), "");
  ASSERT_TRUE(doc.LoadFromText(std::string("[00:0\0" "1:00]x", 12), "x"));
  EXPECT_EQ(doc.GetLine(0), "[00:0");
}

TEST(LyricsBadInput, HugeMinutesAndLongTagsStayText) {
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText("[999999999999:00:00]a\n[99:99:99]b\n[" + std::string(100000, '9') + "]c\n", "x"));
  EXPECT_EQ(doc.GetLineInfo(0)->StartTime, -1);
  EXPECT_EQ(doc.GetLineInfo(1)->StartTime, 6039990);
  EXPECT_EQ(doc.GetLineInfo(2)->StartTime, -1);
  EXPECT_EQ(doc.GetLine(2).size(), 100003u);
}

TEST(LyricsBadInput, HundredThousandTagsOnOneLine) {
  std::string line;
  for (int i = 0; i < 100000; ++i) {
    const int cs = i % 100, s = (i / 100) % 100, m = (i / 10000) % 100;
    char tag[16];
    std::snprintf(tag, sizeof tag, "[%02d:%02d:%02d]", m, s, cs);
    line += tag;
    line += (i % 3 == 0) ? "" : "x";
  }
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText(line + "\n[99:00:00]end\n", "x"));
  EXPECT_TRUE(doc.HasWordTags());
  ASSERT_EQ(doc.TimedLineCount(), 2);
  ExpectSoundTimeline(doc);
  TLyricsPosition pos;
  ASSERT_TRUE(doc.FindByTime(50000, pos));
  EXPECT_EQ(pos.TimelineIndex, 0);
  // The same line in line timing: every tag at position 0 gives one entry each.
  std::string lineTimed;
  for (int i = 0; i < 100000; ++i) lineTimed += "[00:01:00]";
  ASSERT_TRUE(doc.LoadFromText(lineTimed + "chorus\n", "x"));
  EXPECT_FALSE(doc.HasWordTags());
  EXPECT_EQ(doc.TimedLineCount(), 100000);
  EXPECT_EQ(doc.LineCount(), 1);
}

TEST(LyricsBadInput, LargeFilesLoadWhole) {
  test::ScratchDir dir("lyrics");
  // 20 MB of word-timed lines and a 1 MB line among them.
  std::string text;
  text.reserve(21 << 20);
  int n = 0;
  while (text.size() < (20u << 20)) {
    char buf[96];
    const int t = n % 5000000;
    std::snprintf(buf, sizeof buf, "[%02d:%02d:%02d]\x89\xCC[%02d:%02d:%02d]word\x81\x5B\n", t / 60000 % 100,
                  t / 1000 % 60, t / 10 % 100, t / 60000 % 100, t / 1000 % 60, (t / 10 + 1) % 100);
    text += buf;
    if (++n == 1000) text += std::string(1 << 20, 'L') + "\n";
  }
  const std::string path = dir / "big.kra";
  ASSERT_TRUE(test::WriteFile(path, text));
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromFile(path));
  EXPECT_EQ(doc.LineCount(), n + 1);
  EXPECT_TRUE(doc.HasWordTags());
  EXPECT_EQ(doc.TimedLineCount(), n);
  size_t longest = 0;
  for (int i = 0; i < doc.LineCount(); ++i) longest = std::max(longest, doc.GetLine(i).size());
  EXPECT_EQ(longest, 1u << 20);
}

TEST(LyricsBadInput, MillionsOfHeaderLinesCostLinearTime) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "@T" + std::to_string(i) + "=v\n";
  for (int i = 0; i < 200000; ++i) text += "@t" + std::to_string(i) + "=\n";  // each removes one
  for (int i = 0; i < 5000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "@BGFILEEX<%02d:%02d>=p", 99 - i % 100, i / 100);
    text += name + std::to_string(i) + "\n";
  }
  TLyricsControl doc;
  ASSERT_TRUE(doc.LoadFromText(text, "x"));
  EXPECT_EQ(doc.LineCount(), 0);
  EXPECT_EQ(doc.Tags().Count(), 5000);
  ASSERT_EQ(doc.BgFileCount(), 5000);  // the one at 00:00 takes the start's place
  for (int i = 1; i < doc.BgFileCount(); ++i) ASSERT_LE(doc.GetBgFile(i - 1).Time, doc.GetBgFile(i).Time);
}

}  // namespace
}  // namespace lumeko
