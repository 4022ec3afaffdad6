// The fuzzy way: names without separators compared through the dictionary.
#include <gtest/gtest.h>

#include "search/search_fixture.h"

namespace lumeko {
namespace {

using test::Find;
using test::SearchTree;

const std::string kHelloWorldKana =
    "\x83\x6E\x83\x8D\x81\x5B\x81\x45\x83\x8F\x81\x5B\x83\x8B\x83\x68";  // ハロー・ワールド
const std::string kHelloWorldHalf = "\xCA\xDB\xB0\xDC\xB0\xD9\xC4\xDE";    // ﾊﾛｰﾜｰﾙﾄﾞ
const std::string kSakuraHira = "\x82\xB3\x82\xAD\x82\xE7";                // さくら
const std::string kSakuraKata = "\x83\x54\x83\x4E\x83\x89";                // サクラ
const std::string kSakuraHalf = "\xBB\xB8\xD7";                            // ｻｸﾗ
const std::string kHelloFull = "\x82\x67\x82\x85\x82\x8C\x82\x8C\x82\x8F";  // Ｈｅｌｌｏ

TEST(FuzzySearch, HalfWidthKanaMatchThroughTheDictionary) {
  SearchTree t;
  const std::string half = t.Add("L\\" + kHelloWorldHalf + ".txt");
  // 10 bytes against 6: score 60.
  EXPECT_EQ(Find(t.Folder("L"), kHelloWorldKana, "", 3, true, true).File, "");
  auto r = Find(t.Folder("L"), kHelloWorldKana, "", 4, true, true);
  EXPECT_EQ(r.File, half);
  EXPECT_EQ(r.MatchKind, lmk_Contains);
  EXPECT_EQ(r.BestScore, 60);
  // The fuzzy way is off unless asked for.
  EXPECT_EQ(Find(t.Folder("L"), kHelloWorldKana, "", 4, true, false).File, "");
}

TEST(FuzzySearch, SameNameWithoutSeparatorsIsTakenFirst) {
  SearchTree t;
  const std::string dashed = t.Add("L\\hello-world.LRC");
  auto r = Find(t.Folder("L"), "Hello World", "", 3, false, true);
  EXPECT_EQ(r.File, dashed);
  EXPECT_EQ(r.MatchKind, lmk_Stripped);

  SearchTree k;
  k.Add("L\\" + kSakuraHalf + ".LRC");  // 3 bytes against 6: refused at 3
  const std::string kata = k.Add("L\\" + kSakuraKata + ".LRC");
  r = Find(k.Folder("L"), kSakuraHira, "", 3, false, true);
  EXPECT_EQ(r.File, kata);
  EXPECT_EQ(r.MatchKind, lmk_Contains);
  EXPECT_EQ(r.BestScore, 100);

  SearchTree w;
  const std::string ascii = w.Add("L\\Hello.KRA");
  EXPECT_EQ(Find(w.Folder("L"), kHelloFull, "", 3, false, true).File, "");  // 50
  EXPECT_EQ(Find(w.Folder("L"), kHelloFull, "", 5, false, true).File, ascii);
}

TEST(FuzzySearch, PartOfTheWantedNameCountsOnlyAtHighStrength) {
  SearchTree t;
  const std::string part = t.Add("L\\HelloWorld.LRC");
  EXPECT_EQ(Find(t.Folder("L"), "Hello World Extended", "", 7, false, true).File, "");
  auto r = Find(t.Folder("L"), "Hello World Extended", "", 8, false, true);
  EXPECT_EQ(r.File, part);
  EXPECT_EQ(r.MatchKind, lmk_ContainedIn);
  EXPECT_EQ(r.BestScore, 55);

  // A title that is no pattern fails its own comparisons, but the candidate
  // used as the pattern still finds it inside the title.
  r = Find(t.Folder("L"), "*Hello World", "", 8, true, true);
  EXPECT_EQ(r.File, part);
  EXPECT_EQ(r.MatchKind, lmk_ContainedIn);
}

TEST(FuzzySearch, ByFileNameAfterEveryFolderFailedTheSimilarWay) {
  SearchTree t;
  t.Add("A\\unrelated.KRA");
  const std::string found = t.Add("B\\sub\\" + kHelloWorldHalf + ".KRA");
  TLyricsSearch s(test::TestFolders());
  s.SetSimilarStrength(40);
  EXPECT_EQ(s.SearchByFileName(t.Folder("A") + ";" + t.Folder("B"), t.Folder("M\\" + kHelloWorldKana + ".mp3"),
                               true, true, true, false),
            found);
  EXPECT_EQ(s.MatchKind, lmk_Contains);
  EXPECT_EQ(s.FoundExtIndex, 0);
}

}  // namespace
}  // namespace lumeko
