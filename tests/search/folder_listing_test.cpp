// Masks answered from one listing must say what the file system says.
#include "search/folder_listing.h"

#include <gtest/gtest.h>

#include "search/search_fixture.h"

namespace lumeko {
namespace {

const std::string kHelloFull = "\x82\x67\x82\x85\x82\x8C\x82\x8C\x82\x8F";  // Ｈｅｌｌｏ
const std::string kHelloFullSmall = "\x82\x88\x82\x85\x82\x8C\x82\x8C\x82\x8F";  // ｈｅｌｌｏ
const std::string kKana = "\x83\x6E\x83\x8D\x81\x5B";                        // ハロー
const std::string kHalf = "\xCA\xDB\xB0";                                    // ﾊﾛｰ

TEST(FolderListing, MasksAgreeWithTheFileSystem) {
  test::SearchTree t;
  const char* const names[] = {"Hello World.KRA", "hello_world.kra", "HELLO.LRC", "Song.kraoke", "Song.KRA.bak",
                               "a.b.LRC", "World Hello.TXT", "Hel lo.KRA", "x.lrc ", "README", "Track~1.TXT"};
  for (const char* n : names) t.Add(std::string("F\\") + n);
  t.Add("F\\" + kHelloFull + ".KRA");
  t.Add("F\\" + kHelloFullSmall + " 2.LRC");
  t.Add("F\\" + kKana + ".TXT");
  t.Add("F\\" + kHalf + ".TXT");
  t.Add("F\\Sub.KRA\\inner.KRA");  // a folder named like a lyrics file

  const std::string folder = t.Folder("F") + "\\";
  const std::string masks[] = {"*.KRA", "*.LRC", "*.TXT", "*Hello*World*.KRA", "*HELLO*.LRC", "*hello*.kra",
                               "*" + kHelloFull + "*.KRA", "*" + kHelloFullSmall + "*.LRC", "*" + kKana + "*.TXT",
                               "*World*.TXT", "*Hel*lo*.KRA", "*Hel?lo*.KRA", "*~1*.TXT", "*"};
  for (const std::string& mask : masks) {
    TFolderCache cache(test::TestFolders());
    EXPECT_EQ(cache.ListFiles(folder, mask), test::TestFolders().ListMatching(folder, mask)) << mask;
  }

  TFolderCache cache(test::TestFolders());
  EXPECT_TRUE(cache.FileExists(folder, "hello world.kra"));
  EXPECT_TRUE(cache.FileExists(folder, kHelloFullSmall + ".KRA"));  // full-width letters have case too
  EXPECT_FALSE(cache.FileExists(folder, kKana + ".KRA"));
  EXPECT_FALSE(cache.FileExists(folder, "Sub.KRA"));  // a folder is no lyrics file
  EXPECT_FALSE(cache.FileExists(folder, "missing.KRA"));
  EXPECT_FALSE(cache.FileExists(t.Folder("nowhere") + "\\", "Hello World.KRA"));
  EXPECT_EQ(cache.SubFolders(folder), std::vector<std::string>{"Sub.KRA"});
}

TEST(FolderListing, ExistenceAgreesWithTheFileSystemForCasedLetters) {
  test::SearchTree t;
  // Greek, Cyrillic, full-width Latin and Roman numerals have cases too.
  const std::string lower = "\x83\xBF\x84\x77\x82\x81\xEE\xEF", upper = "\x83\x9F\x84\x47\x82\x60\x87\x54";
  t.Add("F\\" + lower + ".KRA");
  t.Add("F\\Song~1.LRC");
  const std::string folder = t.Folder("F") + "\\";
  TFolderCache cache(test::TestFolders());
  for (const std::string& n : {lower + ".KRA", upper + ".KRA", lower + ".kra", upper + ".LRC", std::string("SONG~1.lrc"),
                               std::string("song~2.LRC"), std::string("F\\..\\F\\Song~1.LRC")})
    EXPECT_EQ(cache.FileExists(folder, n), test::TestFolders().IsFile(folder + n)) << n;
  EXPECT_TRUE(cache.FileExists(folder, upper + ".KRA"));
}

TEST(FolderListing, StarMasksMatchLikeTheFileSystem) {
  EXPECT_TRUE(MatchesStarMask(u"HELLO WORLD.KRA", u"*HELLO*WORLD*.KRA"));
  EXPECT_TRUE(MatchesStarMask(u"HELLOWORLD.KRA", u"*HELLO*WORLD*.KRA"));
  EXPECT_FALSE(MatchesStarMask(u"WORLD HELLO.KRA", u"*HELLO*WORLD*.KRA"));
  EXPECT_FALSE(MatchesStarMask(u"HELLO WORLD.KRA.BAK", u"*HELLO*WORLD*.KRA"));
  EXPECT_TRUE(MatchesStarMask(u"A.KRA.KRA", u"*.KRA"));
  EXPECT_TRUE(MatchesStarMask(u"", u"*"));
  EXPECT_FALSE(MatchesStarMask(u"", u"*.KRA"));
  EXPECT_EQ(test::TestFolders().Upper(u"abc\xFF41\x3042"), u"ABC\xFF21\x3042");  // ａ becomes Ａ, kana stay
}

}  // namespace
}  // namespace lumeko
