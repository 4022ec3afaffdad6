#include "search/search_fixture.h"

namespace lumeko::test {

std::string SearchTree::Add(const std::string& relative) {
  const std::string path = dir_ / relative;
  const size_t cut = FileNameStart(path);
  if (cut > 0) MakeDir(path.substr(0, cut - 1));
  WriteFile(path, "[00:01.00]la\r\n");
  return path;
}

TLyricsSearchResult Find(const std::string& lyricsPath, const std::string& title, const std::string& media,
                         int strength, bool similar, bool fuzzy, bool subFolders) {
  TLyricsSearchOptions o;
  o.LyricsPath = lyricsPath;
  o.SimilarStrength = static_cast<std::uint8_t>(strength * 10);
  o.SimilarSearch = similar;
  o.FuzzySearch = fuzzy;
  o.FindSubFolder = subFolders;
  return FindLyricsFor(o, title, media);
}

}  // namespace lumeko::test
