// The similar way: listing by the words of the name, nearest length wins.
#include <gtest/gtest.h>

#include "search/search_fixture.h"

namespace lumeko {
namespace {

using test::Find;
using test::SearchTree;

const std::string kSakura = "\x83\x54\x83\x4E\x83\x89";          // サクラ
const std::string kSakuraSong = "\x8D\xF7\x82\xCC\x89\xCC";      // 桜の歌
const std::string kOpen = "\x81\x69", kClose = "\x81\x6A";       // （ ）

TEST(SimilarSearch, JoinedWordsAndBracketedPrefixesScoreFull) {
  SearchTree t;
  const std::string joined = t.Add("L\\Hello_World.LRC");
  auto r = Find(t.Folder("L"), "Hello World", "");
  EXPECT_EQ(r.File, joined);
  EXPECT_EQ(r.MatchKind, lmk_Similar);
  EXPECT_EQ(r.BestScore, 100);

  SearchTree b;
  const std::string bracketed = b.Add("L\\" + kOpen + "Artist" + kClose + "Hello World.KRA");
  r = Find(b.Folder("L"), "Hello World", "");
  EXPECT_EQ(r.File, bracketed);
  EXPECT_EQ(r.BestScore, 100);

  SearchTree j;
  const std::string jp = j.Add("L\\" + kOpen + kSakura + kClose + kSakuraSong + ".KRA");
  EXPECT_EQ(Find(j.Folder("L"), kSakuraSong, "").File, jp);
}

TEST(SimilarSearch, StrengthSetsHowFarTheLengthMayBe) {
  SearchTree t;
  // 26 characters and an extension against 11 + 4: score 50.
  const std::string longer = t.Add("L\\Hello World - Extended Mix.KRA");
  EXPECT_EQ(Find(t.Folder("L"), "Hello World", "", 3).File, "");
  auto r = Find(t.Folder("L"), "Hello World", "", 5);
  EXPECT_EQ(r.File, longer);
  EXPECT_EQ(r.BestScore, 50);
  // Without the similar way the same file is not considered at all.
  EXPECT_EQ(Find(t.Folder("L"), "Hello World", "", 5, false).File, "");
}

TEST(SimilarSearch, BestScoreOfAllExtensionsWinsAndTiesGoToTheFirstMet) {
  SearchTree t;
  t.Add("L\\Hello World (x).LRC");                        // 78
  const std::string kra = t.Add("L\\Hello World!.KRA");   // 93
  t.Add("L\\Hello World#.LRC");                           // 93, met later
  EXPECT_EQ(Find(t.Folder("L"), "Hello World", "").File, kra);
  const std::string txt = t.Add("L\\Hello-World.TXT");    // 100
  auto r = Find(t.Folder("L"), "Hello World", "");
  EXPECT_EQ(r.File, txt);
  EXPECT_EQ(r.BestScore, 100);
}

TEST(SimilarSearch, ByFileNameScoresTheWholeListedName) {
  SearchTree t;
  const std::string lib = t.Folder("L");
  t.Add("L\\" + kOpen + "Artist" + kClose + "Track 01.LRC");
  // By file name the bracket stays and makes the name too long (54)...
  TLyricsSearch s(test::TestFolders());
  s.SetSimilarStrength(30);
  EXPECT_EQ(s.SearchByFileName(lib, t.Folder("M\\Track 01.wma"), false, true, true, false), "");
  // ...by title it is removed (100).
  EXPECT_FALSE(s.SearchByTitle(lib, "Track 01", false, true, true).empty());
  EXPECT_EQ(s.BestScore, 100);

  const std::string near = t.Add("L\\Track_01.KRA");
  EXPECT_EQ(s.SearchByFileName(lib, t.Folder("M\\Track 01.wma"), false, true, true, false), near);
  EXPECT_EQ(s.MatchKind, lmk_Similar);
}

TEST(SimilarSearch, FolderDecidesBeforeItsSubfoldersAndEachStartsAfresh) {
  SearchTree t;
  t.Add("L\\Hello World - Extended Mix.KRA");  // refused here (50)...
  const std::string inSub = t.Add("L\\sub\\Hello World!.LRC");
  EXPECT_EQ(Find(t.Folder("L"), "Hello World", "").File, inSub);
  // ...but an accepted file in the folder ends the search before the
  // better one below it.
  const std::string inRoot = t.Add("L\\Hello World (x).TXT");
  t.Add("L\\sub\\Hello_World.KRA");
  EXPECT_EQ(Find(t.Folder("L"), "Hello World", "").File, inRoot);
  EXPECT_EQ(Find(t.Folder("L"), "Hello World", "", 3, true, false, false).File, inRoot);
}

TEST(SimilarSearch, TitlesFullOfPatternCharactersAreContained) {
  SearchTree t;
  const std::string plus = t.Add("L\\C++_Love_$100.LRC");
  auto r = Find(t.Folder("L"), "C++ Love $100", "");
  EXPECT_EQ(r.File, plus);
  EXPECT_EQ(r.BestScore, 100);

  // A title that is no valid pattern finds nothing by comparison, yet the
  // search goes on: the next folder's exact name, the next search.
  const std::string exact = t.Add("L\\Star Light.KRA");
  t.Add("K\\Star Light (live).LRC");
  const std::string list = t.Folder("L") + ";" + t.Folder("K");
  for (const char* bad : {"*Star Light", "?Star (Light", "Star Light\\", "Star Light**"}) {
    TLyricsSearch s(test::TestFolders());
    s.SetSimilarStrength(30);
    EXPECT_EQ(s.SearchByTitle(list, bad, true, true, true), "") << bad;
    EXPECT_EQ(s.SearchByTitle(list, "Star Light", true, true, true), exact) << bad;
  }
}

}  // namespace
}  // namespace lumeko
