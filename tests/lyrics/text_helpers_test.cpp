// Boolean words, delimited lists, character search and path expansion.
#include "lyrics/text_helpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "lyrics/path_expand.h"
#include "platform/file_io.h"
#include "test_support/scratch.h"

namespace lumeko {
namespace {

using ::testing::ElementsAre;

TEST(ParseBoolWord, ReadsEveryWordInAnyCaseAndNothingElse) {
  for (const char* w : {"on", "On", "ON", "enable", "True", "yes", "1"}) EXPECT_EQ(ParseBoolWord(w), true) << w;
  for (const char* w : {"off", "Disable", "FALSE", "no", "0"}) EXPECT_EQ(ParseBoolWord(w), false) << w;
  for (const char* w : {"", " ", "yes!", " on", "on ", "2", "enabled", "\x82\x6E\x82\x6D"})  // the last: full-width ON
    EXPECT_FALSE(ParseBoolWord(w).has_value()) << w;
}

TEST(SplitDelimited, ReadsFolderListsWithQuotesAndEmptyItems) {
  EXPECT_THAT(SplitDelimited("C:\\Lyrics; \"D:\\My Lyrics\" ;E:\\x", ";"),
              ElementsAre("C:\\Lyrics", "D:\\My Lyrics", "E:\\x"));
  EXPECT_THAT(SplitDelimited("a;;b", ";"), ElementsAre("a", "", "b"));
  EXPECT_THAT(SplitDelimited("a;", ";"), ElementsAre("a", ""));
  EXPECT_THAT(SplitDelimited("a ; b  ", ";"), ElementsAre("a", "b"));
  EXPECT_TRUE(SplitDelimited("", ";").empty());
  EXPECT_TRUE(SplitDelimited(" \t\r\n", ";").empty());
  // Separators and doubled quotes inside quotes; a quoted item followed directly
  // by text starts a new item; an unclosed quote runs to the end.
  EXPECT_THAT(SplitDelimited("\"a;b\"\"c\";d", ";"), ElementsAre("a;b\"c", "d"));
  EXPECT_THAT(SplitDelimited("\"a\"b", ";"), ElementsAre("a", "b"));
  EXPECT_THAT(SplitDelimited("\"open;x", ";"), ElementsAre("open;x"));
  EXPECT_THAT(SplitDelimited("a,b;c", ",;"), ElementsAre("a", "b", "c"));
  // A separator byte that is the second byte of a double-byte character is text:
  // 0x83 0x7C is a katakana, 0x7C is '|'.
  EXPECT_THAT(SplitDelimited("\x83\x7C|x", "|"), ElementsAre("\x83\x7C", "x"));
}

TEST(FindFirstOf, SkipsSecondBytesOfDoubleByteCharacters) {
  EXPECT_EQ(FindFirstOf("\t =", "@TITLE=x"), 7u);
  EXPECT_EQ(FindFirstOf("\t =", "@TITLE\tx=y"), 7u);
  EXPECT_EQ(FindFirstOf("=", "abc"), 0u);
  EXPECT_EQ(FindFirstOf("=", ""), 0u);
  // 0x81 0x5B is a long vowel mark; its second byte is '['.
  EXPECT_EQ(FindFirstOf("[", "\x81\x5B["), 3u);
  EXPECT_EQ(FindFirstOf("\\", "\x95\x5C\\"), 3u);
  EXPECT_EQ(FindFirstOf("x", "\x82"), 0u);  // lone lead byte at the end
}

TEST(CaseFreeText, FoldsOnlyAsciiLettersOutsideDoubleByteCharacters) {
  EXPECT_EQ(UpperAscii("@title\x83\x61z"), "@TITLE\x83\x61Z");  // 0x83 0x61 keeps its 'a'
  EXPECT_TRUE(SameTextAscii("@BgFile", "@BGFILE"));
  EXPECT_FALSE(SameTextAscii("\x83\x61", "\x83\x41"));  // two different katakana
  EXPECT_LT(CompareTextAscii("@A=1", "@b=0"), 0);
  EXPECT_GT(CompareTextAscii("@AB", "@a"), 0);
  EXPECT_EQ(CompareTextAscii("abc", "ABC"), 0);
}

bool AllFoldersExist(const std::string&) { return true; }
bool NoFolderExists(const std::string&) { return false; }

TEST(ExpandRelativePath, JoinsNamesToAnExistingFolder) {
  const char* cwd = "D:\\Work";
  EXPECT_EQ(ExpandRelativePathIn("pic.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\pic.jpg");
  EXPECT_EQ(ExpandRelativePathIn("..\\bg\\a.png", "C:\\Lyrics\\Song", cwd, AllFoldersExist), "C:\\Lyrics\\bg\\a.png");
  EXPECT_EQ(ExpandRelativePathIn(".\\a\\.\\b.jpg", "C:\\Lyrics\\", cwd, AllFoldersExist), "C:\\Lyrics\\a\\b.jpg");
  EXPECT_EQ(ExpandRelativePathIn("..\\..\\..\\x.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("a//b.jpg", "C:/Lyrics/", cwd, AllFoldersExist), "C:\\Lyrics\\a\\b.jpg");
  // Absolute names stay (normalised); rooted names take the folder's drive.
  EXPECT_EQ(ExpandRelativePathIn("E:\\Pics\\x.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "E:\\Pics\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("E:\\Pics\\..\\x.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "E:\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("\\Pics\\x.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Pics\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("\\\\srv\\share\\x.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "\\\\srv\\share\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("..\\..\\x.jpg", "\\\\srv\\share\\d", cwd, AllFoldersExist), "\\\\srv\\share\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("\\x.jpg", "\\\\srv\\share\\d", cwd, AllFoldersExist), "\\\\srv\\share\\x.jpg");
  // Drive-relative names: the folder's directory on its own drive, else the root.
  EXPECT_EQ(ExpandRelativePathIn("C:x.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("E:x.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "E:\\x.jpg");
  // A '\' that is the second byte of a double-byte character divides nothing:
  // 0x95 0x5C and 0x83 0x5C end these folder names.
  EXPECT_EQ(ExpandRelativePathIn("..\\a.jpg", "C:\\\x95\x5C\\\x83\x5C", cwd, AllFoldersExist), "C:\\\x95\x5C\\a.jpg");
  EXPECT_EQ(ExpandRelativePathIn("", "C:\\\x83\x5C", cwd, AllFoldersExist), "C:\\\x83\x5C\\");
}

TEST(ExpandRelativePath, TrimsDotsAndSpacesAtTheEndsOfNamesAsWindowsDoes) {
  const char* cwd = "D:\\Work";
  EXPECT_EQ(ExpandRelativePathIn("pic.jpg.", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\pic.jpg");
  EXPECT_EQ(ExpandRelativePathIn("pic.jpg . .", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\pic.jpg");
  EXPECT_EQ(ExpandRelativePathIn("E:\\Pics\\x.jpg..", "C:\\Lyrics", cwd, AllFoldersExist), "E:\\Pics\\x.jpg");
  EXPECT_EQ(ExpandRelativePathIn("sub\\...", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\sub\\");
  EXPECT_EQ(ExpandRelativePathIn("\\\\srv\\share\\a. ", "C:\\Lyrics", cwd, NoFolderExists), "\\\\srv\\share\\a");
  // Only the end of the last name: dots and spaces inside names stay.
  EXPECT_EQ(ExpandRelativePathIn(" a. b\\..c .jpg", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\ a. b\\..c .jpg");
  // Any other name loses one final dot, a folder name included.
  EXPECT_EQ(ExpandRelativePathIn("a.\\b..\\c.jpg", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\a\\b.\\c.jpg");
  EXPECT_EQ(ExpandRelativePathIn("", "C:\\Lyrics.", cwd, AllFoldersExist), "C:\\Lyrics\\");
  EXPECT_EQ(ExpandRelativePathIn("x.jpg", "C:\\Lyrics.\\", cwd, AllFoldersExist), "C:\\Lyrics\\x.jpg");
}

TEST(ExpandRelativePath, FallsBackToTheCurrentDirectory) {
  const char* cwd = "D:\\Work\\Here";
  // An empty name gives the folder itself, made full against the current directory.
  EXPECT_EQ(ExpandRelativePathIn("", "C:\\Lyrics", cwd, AllFoldersExist), "C:\\Lyrics\\");
  EXPECT_EQ(ExpandRelativePathIn("", "sub", cwd, AllFoldersExist), "D:\\Work\\Here\\sub\\");
  EXPECT_EQ(ExpandRelativePathIn("", "", cwd, AllFoldersExist), "D:\\");
  EXPECT_EQ(ExpandRelativePathIn("a.jpg", "", cwd, AllFoldersExist), "D:\\a.jpg");
  // A folder that does not exist leaves relative names to the current directory.
  EXPECT_EQ(ExpandRelativePathIn("pic.jpg", "C:\\Missing", cwd, NoFolderExists), "D:\\Work\\Here\\pic.jpg");
  EXPECT_EQ(ExpandRelativePathIn("..\\pic.jpg", "C:\\Missing", cwd, NoFolderExists), "D:\\Work\\pic.jpg");
  EXPECT_EQ(ExpandRelativePathIn("C:\\x\\pic.jpg", "C:\\Missing", cwd, NoFolderExists), "C:\\x\\pic.jpg");
}

#ifdef _WIN32
TEST(ExpandRelativePath, UsesRealFoldersAndLeavesTheCurrentDirectory) {
  test::ScratchDir dir("expand");
  const std::string sub = dir / "\x95\x5C\x8E\xA6";  // 表示
  ASSERT_TRUE(test::MakeDir(sub));
  const std::string before = CurrentDirectory();
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(ExpandRelativePath("a.jpg", sub), sub + "\\a.jpg");
  EXPECT_EQ(ExpandRelativePath("..\\a.jpg", sub + "\\"), dir.path() + "\\a.jpg");
  EXPECT_EQ(ExpandRelativePath("", sub), sub + "\\");
  std::string cwd = before;
  if (cwd.back() != '\\') cwd += '\\';
  EXPECT_EQ(ExpandRelativePath("a.jpg", dir / "missing"), cwd + "a.jpg");
  EXPECT_EQ(CurrentDirectory(), before);
}
#endif

}  // namespace
}  // namespace lumeko
