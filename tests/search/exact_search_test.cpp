// The exact way and the order of folders, extensions and ways, on real trees.
#include <gtest/gtest.h>

#include "search/search_fixture.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/wide.h"
#endif

namespace lumeko {
namespace {

using test::Find;
using test::SearchTree;

// 表 and ソ end in 0x5C, the byte of '\'.
const std::string kOmote = "\x95\x5C";
const std::string kSong = "\x83\x5C\x83\x93\x83\x4F";  // ソング

TEST(ExactSearch, TakesExtensionsInOrderBesideTheMediaFile) {
  SearchTree t;
  t.Add("Music\\Song.LRC");
  const std::string kra = t.Add("Music\\Song.KRA");
  t.Add("Music\\Song.TXT");
  auto r = Find("", "Other title", t.Folder("Music\\Song.wma"));
  EXPECT_EQ(r.File, kra);
  EXPECT_EQ(r.MatchKind, lmk_Exact);

  SearchTree only;
  const std::string txt = only.Add("Music\\Song.TXT");
  TLyricsSearch s(test::TestFolders());
  EXPECT_EQ(s.SearchByFileName("", only.Folder("Music\\Song.wma"), false, false, false, false), txt);
  EXPECT_EQ(s.FoundExtIndex, 2);
  // Letter case is the file system's business: a lower-case file answers.
  EXPECT_FALSE(s.SearchByFileName("", only.Folder("Music\\SONG.wma"), false, false, false, false).empty());
}

TEST(ExactSearch, SameFolderSwitchAndEmptyListsLeaveNothingToSearch) {
  SearchTree t;
  t.Add("Music\\Song.KRA");
  TLyricsSearch s(test::TestFolders());
  s.SetSimilarStrength(30);
  EXPECT_EQ(s.SearchByFileName("", t.Folder("Music\\Song.wma"), true, true, true, true), "");
  EXPECT_EQ(s.MatchKind, lmk_Nothing);
  EXPECT_EQ(s.SearchByTitle("", "Song", true, true, true), "");

  TLyricsSearchOptions o;
  o.NotPerformSameFolderSearch = true;
  EXPECT_EQ(FindLyricsFor(o, "Song", t.Folder("Music\\Song.wma"), test::TestFolders()).File, "");
}

TEST(ExactSearch, FolderListWalksWholeTreesInOrder) {
  SearchTree t;
  t.Add("A\\x.txt");
  const std::string deep = t.Add("B\\sub\\deeper\\Title.LRC");
  const std::string inC = t.Add("C\\Title.KRA");
  const std::string list = t.Folder("A") + ";" + t.Folder("B") + ";" + t.Folder("C");
  // With subfolders the second folder's whole tree comes before the third.
  EXPECT_EQ(Find(list, "Title", "", 3, false, false, true).File, deep);
  EXPECT_EQ(Find(list, "Title", "", 3, false, false, false).File, inC);
  EXPECT_EQ(Find(t.Folder("A") + ";" + t.Folder("B"), "Title", "", 3, false, false, false).File, "");

  // By file name every folder is tried for the exact name before any for a
  // similar one: the media's own folder only has a similar file.
  t.Add("Media\\Title (live).KRA");
  EXPECT_EQ(Find(list, "", t.Folder("Media\\Title.wma")).File, deep);
}

TEST(ExactSearch, FolderEntriesMayBeQuotedAndCarryJapaneseNames) {
  SearchTree t;
  const std::string inQuoted = t.Add("My;Lyrics\\" + kSong + ".LRC");
  // A quoted entry keeps its ';' and the blanks around entries go.
  EXPECT_EQ(Find("  \"" + t.Folder("My;Lyrics") + "\" ;" + t.Folder("none"), kSong, "").File, inQuoted);
  // A trailing '\' on an entry is not doubled.
  EXPECT_EQ(Find("\"" + t.Folder("My;Lyrics") + "\\\"", kSong, "").File, inQuoted);

  // Folder and name parts split only at a real '\': 表 ends in the byte 0x5C.
  const std::string beside = t.Add(kOmote + "\\" + kOmote + kSong + ".KRA");
  EXPECT_EQ(Find("", "x", t.Folder(kOmote + "\\" + kOmote + kSong + ".mp3")).File, beside);
  EXPECT_EQ(Find(t.Folder(kOmote), kOmote + kSong, "").File, beside);
}

TEST(ExactSearch, TitleSearchFollowsOnlyWhenTheNameFindsNothing) {
  SearchTree t;
  const std::string byName = t.Add("L\\Track01.LRC");
  const std::string byTitle = t.Add("L\\Blue Moon.LRC");
  const std::string lib = t.Folder("L");
  EXPECT_EQ(Find(lib, "Blue Moon", t.Folder("M\\Track01.wma")).File, byName);
  EXPECT_EQ(Find(lib, "Blue Moon", t.Folder("M\\Track02.wma")).File, byTitle);
  EXPECT_EQ(Find(lib, "Blue Moon", "").File, byTitle);

  TLyricsSearchOptions o;
  o.LyricsPath = lib;
  o.NotPerformTitleSearch = true;
  EXPECT_EQ(FindLyricsFor(o, "Blue Moon", t.Folder("M\\Track02.wma"), test::TestFolders()).File, "");
  EXPECT_EQ(FindLyricsFor(o, "Blue Moon", "", test::TestFolders()).File, "");

  // A web address splits only at '\' and ':', so its name keeps the slashes
  // and cannot name a file; the title decides.
  EXPECT_EQ(Find(lib, "Blue Moon", "http://example.org/music/Track01.mp3").File, byTitle);
  // No title and no media: nothing is looked for, not every short file.
  EXPECT_EQ(Find(lib, "", "").File, "");
}

#ifdef _WIN32
TEST(ExactSearch, EmptyListEntryMeansTheRootOfTheCurrentDrive) {
  SearchTree t;
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryW(ToWide(t.Root()).c_str()));
  const std::string name = "lumeko-root-" + std::to_string(GetCurrentProcessId());
  const std::string drive = t.Root().substr(0, 2);  // "C:"
  ASSERT_TRUE(test::WriteFile(drive + "\\" + name + ".TXT", "x"));
  const auto r = Find(t.Folder("none") + ";", name, "", 3, false, false, false);
  DeleteFileW(ToWide(drive + "\\" + name + ".TXT").c_str());
  SetCurrentDirectoryW(saved);
  EXPECT_EQ(r.File, "\\" + name + ".TXT");
}

#endif

TEST(ExactSearch, SubfolderWalkEndsOnCyclesAndVeryDeepTrees) {
  SearchTree t;
  // 70 levels: a file at level 10 is found, one at level 66 is beyond the cap.
  std::string rel = "deep";
  std::string at10, at66;
  for (int i = 1; i <= 70; ++i) {
    rel += "\\d";
    if (i == 10) at10 = t.Add(rel + "\\Near.KRA");
    if (i == 66) at66 = t.Add(rel + "\\Far.KRA");
  }
  EXPECT_EQ(Find(t.Folder("deep"), "Near", "").File, at10);
  EXPECT_EQ(Find(t.Folder("deep"), "Far", "").File, "");

  // A link back to its own parent: the walk must not go round it. Where the
  // file system cannot make the link, the cap above is what keeps us safe.
  t.Add("loop\\inner\\x.txt");
#ifdef _WIN32
  const bool linked = CreateSymbolicLinkW(ToWide(t.Folder("loop\\inner\\back")).c_str(),
                                          ToWide(t.Folder("loop")).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
#else
  t.AddLink("loop\\inner\\back");
  const bool linked = true;
#endif
  EXPECT_EQ(Find(t.Folder("loop"), "Missing", "", 3, true, true, true).File, "");
#ifdef _WIN32
  // Gone before the scratch folder is cleared, which must not walk it either.
  if (linked) RemoveDirectoryW(ToWide(t.Folder("loop\\inner\\back")).c_str());
#endif
  if (!linked) GTEST_SKIP() << "no directory links here";
}

}  // namespace
}  // namespace lumeko
