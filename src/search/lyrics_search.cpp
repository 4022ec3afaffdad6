// The exact search and the order of folders and ways.
//
// By file name every folder is tried for the exact name before any folder is
// tried for a similar one; by title all ways are tried in one folder before
// the next. Each way covers a folder's subfolders (depth first, listing
// order) before the next folder is taken. Every loop stops at the first hit.
#include "search/lyrics_search.h"

#include <new>

#include "lyrics/text_helpers.h"
#include "platform/cp932.h"
#include "platform/path_parts.h"
#include "search/folder_listing.h"
#include "search/name_comparer.h"
#include "search/search_explanation.h"

namespace lumeko {

bool SameTextIgnoreCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
  for (size_t i = 0; i < a.size();) {
    const size_t n = CharLength(a, i);
    if (n == 2) {
      // A second byte may look like an ASCII letter; it is compared exactly.
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else if (lower(a[i]) != lower(b[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

namespace {

// A folder as the listing wants it: ending in a real separator.
std::string WithTrailingBackslash(const std::string& folder) {
  if (!folder.empty() && FileNameStart(folder) == folder.size() && folder.back() == '\\')
    return folder;
  return folder + '\\';
}

}  // namespace

TLyricsSearch::TLyricsSearch(TFolderSource& folders)
    : Source(folders), Comparer(std::make_unique<TNameComparer>()), Listings(std::make_unique<TFolderCache>(folders)) {}
TLyricsSearch::~TLyricsSearch() = default;

void TLyricsSearch::SetSimilarStrength(std::uint8_t value) {
  Strength = value;
  Threshold = 100 - (value & 0x7F);
}

void TLyricsSearch::Begin() {
  FoundFile.clear();
  MatchKind = lmk_Nothing;
  BestScore = 0;
  Comparer->Begin();
  // Each search sees the folders as they are when it starts.
  Listings = std::make_unique<TFolderCache>(Source);
}

void TLyricsSearch::Found(const std::string& path, int extIndex, int kind) {
  FoundFile = path;
  FoundExtIndex = static_cast<std::uint8_t>(extIndex);
  MatchKind = kind;
}

std::vector<std::string> TLyricsSearch::Folders(const std::string& lyricsPathList) const {
  std::vector<std::string> folders = SplitDelimited(lyricsPathList, ";");
  for (std::string& f : folders) f = WithTrailingBackslash(f);
  return folders;
}

bool TLyricsSearch::SearchTree(TSearchWay way, const std::string& folder, bool recurse, int depth,
                               const std::function<bool(const std::string&)>& inFolder) {
  if (Explain) Explain->BeginTry(way, folder, depth);
  if (inFolder(folder)) return true;
  if (!recurse || depth >= kMaxSubFolderDepth) return false;
  const std::vector<std::string> subs = Listings->SubFolders(folder);
  for (const std::string& sub : subs)
    if (SearchTree(way, folder + sub + '\\', recurse, depth + 1, inFolder)) return true;
  return false;
}

bool TLyricsSearch::FindExact(const std::string& folder, const std::string& baseName, bool recurse) {
  return SearchTree(TSearchWay::Exact, folder, recurse, 0, [&](const std::string& f) {
    for (int i = 0; i < kLyricsExtensionCount; ++i) {
      const std::string name = baseName + kLyricsExtensions[i];
      const bool exists = Listings->FileExists(f, name);
      if (Explain)
        Explain->Add({f + name, i, exists ? lmk_Exact : lmk_Nothing, -1,
                      exists ? TCandidateOutcome::Accepted : TCandidateOutcome::Missing});
      if (exists) {
        Found(f + name, i, lmk_Exact);
        return true;
      }
    }
    return false;
  });
}

std::string TLyricsSearch::SearchByFileName(const std::string& lyricsPathList, const std::string& mediaPath,
                                            bool fuzzy, bool similar, bool subFolders, bool skipSameFolder) {
  Begin();
  std::vector<std::string> folders = Folders(lyricsPathList);
  const size_t nameStart = FileNameStart(mediaPath);
  // A media path without a folder part has no folder of its own to search.
  if (!skipSameFolder && nameStart > 0) folders.insert(folders.begin(), WithTrailingBackslash(mediaPath.substr(0, nameStart)));
  const std::string name = BaseNameOf(mediaPath);
  if (Explain) Explain->BeginSearch(TSearchBy::FileName, name, folders, !skipSameFolder && nameStart > 0);

  // An empty name would make every short file look similar.
  if (name.empty()) return FoundFile;
  for (size_t i = 0; i < folders.size(); ++i) {
    if (Explain) Explain->AtRoot(i);
    if (FindExact(folders[i], name, subFolders)) return FoundFile;
  }
  if (!similar && !fuzzy) return FoundFile;

  const TWanted wanted = Prepare(name);
  for (size_t i = 0; i < folders.size(); ++i) {
    if (Explain) Explain->AtRoot(i);
    if (similar && SimilarSearch(folders[i], wanted, false, subFolders)) break;
    if (fuzzy && FuzzySearch(folders[i], wanted, subFolders)) break;
  }
  return FoundFile;
}

std::string TLyricsSearch::SearchByTitle(const std::string& lyricsPathList, const std::string& title, bool fuzzy,
                                         bool similar, bool subFolders) {
  Begin();
  const std::vector<std::string> folders = Folders(lyricsPathList);
  if (Explain) Explain->BeginSearch(TSearchBy::Title, title, folders, false);
  if (title.empty()) return FoundFile;  // an untitled item has nothing to look for
  const TWanted wanted = Prepare(title);
  for (size_t i = 0; i < folders.size(); ++i) {
    if (Explain) Explain->AtRoot(i);
    if (FindExact(folders[i], title, subFolders)) break;
    if (similar && SimilarSearch(folders[i], wanted, true, subFolders)) break;
    if (fuzzy && FuzzySearch(folders[i], wanted, subFolders)) break;
  }
  return FoundFile;
}

TLyricsSearchResult FindLyricsFor(const TLyricsSearchOptions& o, const std::string& title,
                                  const std::string& mediaPath, TFolderSource& folders, TSearchExplanation* explain) {
  TLyricsSearchResult result;
  bool stopped = false;
  try {
    TLyricsSearch search(folders);
    search.SetSimilarStrength(o.SimilarStrength);
    if (explain) {
      *explain = TSearchExplanation();
      explain->Threshold = search.Threshold;
      explain->Similar = o.SimilarSearch;
      explain->Fuzzy = o.FuzzySearch;
      explain->SubFolders = o.FindSubFolder;
      explain->TitleSearch = !o.NotPerformTitleSearch;
      explain->SameFolderSearch = !o.NotPerformSameFolderSearch;
      search.SetExplanation(explain);
    }
    if (!mediaPath.empty())
      search.SearchByFileName(o.LyricsPath, mediaPath, o.FuzzySearch, o.SimilarSearch, o.FindSubFolder,
                              o.NotPerformSameFolderSearch);
    if (search.FoundFile.empty() && !o.NotPerformTitleSearch)
      search.SearchByTitle(o.LyricsPath, title, o.FuzzySearch, o.SimilarSearch, o.FindSubFolder);
    result.File = search.FoundFile;
    result.MatchKind = search.MatchKind;
    result.BestScore = search.BestScore;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    // A fault in the pattern engine: no lyrics this time, rather than an
    // error that would reach the player.
    result = TLyricsSearchResult();
    stopped = true;
  }
  if (explain) explain->Decide(result, stopped);
  return result;
}

}  // namespace lumeko
