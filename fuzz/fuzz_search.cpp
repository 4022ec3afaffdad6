// Runs the whole lyrics lookup (exact, similar and fuzzy ways, by name and
// by title) over an in-memory folder of arbitrary file names.
// Input: a flags byte (1 similar, 2 fuzzy, 4 subfolders, 8 no title search,
// 16 explained),
// a strength byte, then lines: the title, the media file's name, and one
// lyrics folder entry a line. Sizes are capped like a real folder's.
// Checks that any answer is a file of the tree, found in a way that exists,
// with a score that is a percentage; explained, the same answer with a rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "search/lyrics_search.h"
#include "search/search_explanation.h"
#include "test_support/memory_folders.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 4096) return 0;
  const std::uint8_t flags = data[0];
  const int strength = data[1] % 11;
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 2; i < size; ++i) {
    if (data[i] == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (line.size() < 200) {
      line += static_cast<char>(data[i]);
    }
  }
  lines.push_back(line);
  if (lines.size() > 66) lines.resize(66);
  const std::string title = lines[0];
  const std::string media = lines.size() > 1 && !lines[1].empty() ? "C:\\Music\\" + lines[1] : std::string();

  lumeko::test::TMemoryFolders folders;
  for (size_t i = 2; i < lines.size(); ++i)
    if (!lines[i].empty()) folders.AddFile("C:\\Lyrics\\" + lines[i]);
  folders.AddFile("C:\\Music\\x.txt");

  lumeko::TLyricsSearchOptions o;
  o.LyricsPath = "C:\\Lyrics;C:\\Nowhere";
  o.SimilarStrength = static_cast<std::uint8_t>(strength * 10);
  o.SimilarSearch = flags & 1;
  o.FuzzySearch = flags & 2;
  o.FindSubFolder = flags & 4;
  o.NotPerformTitleSearch = flags & 8;
  lumeko::TSearchExplanation e;
  const lumeko::TLyricsSearchResult r = lumeko::FindLyricsFor(o, title, media, folders, flags & 16 ? &e : nullptr);
  if (flags & 16) {
    Require(e.Winner == r.File && (e.Rule == lumeko::TWinningRule::Nothing) == r.File.empty());
    Require(lumeko::FindLyricsFor(o, title, media, folders).File == r.File);
  }
  if (!r.File.empty()) {
    Require(folders.IsFile(r.File));
    Require(r.MatchKind >= lumeko::lmk_Exact && r.MatchKind <= lumeko::lmk_ContainedIn);
    Require(r.BestScore >= 0 && r.BestScore <= 100);
  }
  return 0;
}
