#include "search/search_fixture.h"

#include "platform/path_parts.h"
#include "test_support/memory_folders.h"

namespace lumeko::test {

#ifdef _WIN32

SearchTree::SearchTree() : dir_("search"), root_(dir_.path()) {}

std::string SearchTree::Add(const std::string& relative) {
  const std::string path = Folder(relative);
  const size_t cut = FileNameStart(path);
  if (cut > 0) MakeDir(path.substr(0, cut - 1));
  WriteFile(path, "[00:01.00]la\r\n");
  return path;
}

void SearchTree::AddLink(const std::string&) {}

TFolderSource& TestFolders() { return SystemFolders(); }

#else

namespace {
TMemoryFolders& Memory() {
  static TMemoryFolders folders;
  return folders;
}
int trees = 0;
}  // namespace

SearchTree::SearchTree() : root_("C:\\search" + std::to_string(++trees)) {}

std::string SearchTree::Add(const std::string& relative) {
  const std::string path = Folder(relative);
  Memory().AddFile(path);
  return path;
}

void SearchTree::AddLink(const std::string& relative) { Memory().AddFolder(Folder(relative), true); }

TFolderSource& TestFolders() { return Memory(); }

#endif

TLyricsSearchResult Find(const std::string& lyricsPath, const std::string& title, const std::string& media,
                         int strength, bool similar, bool fuzzy, bool subFolders) {
  TLyricsSearchOptions o;
  o.LyricsPath = lyricsPath;
  o.SimilarStrength = static_cast<std::uint8_t>(strength * 10);
  o.SimilarSearch = similar;
  o.FuzzySearch = fuzzy;
  o.FindSubFolder = subFolders;
  return FindLyricsFor(o, title, media, TestFolders());
}

}  // namespace lumeko::test
