// Finding the lyrics file of a media item on disk.
//
// A TLyricsSearch lives for one media change. It looks first by the media
// file's own name, then by the title, in the media file's folder and the
// folders of LyricsPath (optionally their subfolders), each way trying the
// exact name before the similar and fuzzy comparisons of name_comparer.h.
// A name or title that is no valid pattern never ends a search: that
// comparison simply finds nothing and the next candidate, folder or way is
// tried. Nothing here throws for anything found on disk or in a title.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumeko {

class TFolderCache;
class TFolderSource;
class TNameComparer;
struct TSearchExplanation;
enum class TSearchWay;

// Extensions of lyrics files, tried in this order everywhere.
inline constexpr const char* kLyricsExtensions[] = {".KRA", ".LRC", ".TXT"};
inline constexpr int kLyricsExtensionCount = 3;

// How a file was found (MatchKind).
enum TLyricsMatchKind : std::int32_t {
  lmk_Exact = 0,       // the name itself
  lmk_Stripped = 1,    // the same once separators are removed
  lmk_Similar = 2,     // similar, or the same without a leading bracketed part
  lmk_Contains = 3,    // the candidate contains the wanted name
  lmk_ContainedIn = 4, // the wanted name contains the candidate
  lmk_Nothing = 9,
};

class TLyricsSearch {
 public:
  // folders answers every question about the disk.
  explicit TLyricsSearch(TFolderSource& folders);
  ~TLyricsSearch();
  TLyricsSearch(const TLyricsSearch&) = delete;
  TLyricsSearch& operator=(const TLyricsSearch&) = delete;

  // value is the SimilarStrength setting × 10 (0..100).
  void SetSimilarStrength(std::uint8_t value);
  // From now on the searches record what they try into explanation (not
  // owned; null records nothing).
  void SetExplanation(TSearchExplanation* explanation) { Explain = explanation; }

  std::string SearchByFileName(const std::string& lyricsPathList, const std::string& mediaPath, bool fuzzy,
                               bool similar, bool subFolders, bool skipSameFolder);
  std::string SearchByTitle(const std::string& lyricsPathList, const std::string& title, bool fuzzy, bool similar,
                            bool subFolders);

  // folder ends with '\'. True (and FoundFile set) when folder + baseName +
  // an extension exists, here or, with recurse, in a subfolder.
  bool FindExact(const std::string& folder, const std::string& baseName, bool recurse);

  std::string FoundFile;
  std::uint8_t FoundExtIndex = 0;
  std::int32_t MatchKind = lmk_Nothing;
  std::int32_t BestScore = 0;
  std::uint8_t Strength = 0;
  std::int32_t Threshold = 100;

 private:
  // The wanted name and what the comparisons make of it, computed once a way.
  struct TWanted {
    std::string Name;      // as given
    int Len0 = 0;          // its length with room for an extension
    std::string Mask;      // separators turned into '*', for the listing
    std::string AnyText;   // separators turned into ".*", a pattern
    std::string Stripped;  // separators removed
    std::string Core;      // separators and a leading bracketed part removed
  };
  TWanted Prepare(const std::string& name);
  void Begin();
  std::vector<std::string> Folders(const std::string& lyricsPathList) const;
  // Runs inFolder on folder, then (with recurse, while nothing is found) on
  // each subfolder depth first in listing order.
  bool SearchTree(TSearchWay way, const std::string& folder, bool recurse, int depth,
                  const std::function<bool(const std::string&)>& inFolder);
  bool Accepts(int score) const { return score >= Threshold && score > BestScore; }
  void Found(const std::string& path, int extIndex, int kind);

  bool SimilarInFolder(const std::string& folder, const TWanted& w, bool byTitle);
  bool FuzzyInFolder(const std::string& folder, const TWanted& w);
  bool SimilarSearch(const std::string& folder, const TWanted& w, bool byTitle, bool recurse);
  bool FuzzySearch(const std::string& folder, const TWanted& w, bool recurse);

  TFolderSource& Source;
  std::unique_ptr<TNameComparer> Comparer;
  // The exact, similar and fuzzy ways walk the same trees: each folder is
  // listed once for all of them.
  std::unique_ptr<TFolderCache> Listings;
  TSearchExplanation* Explain = nullptr;
};

// The settings one lookup uses (the file group of the settings).
struct TLyricsSearchOptions {
  std::string LyricsPath;            // folders joined by ";"
  std::uint8_t SimilarStrength = 30; // the stored setting (× 10)
  bool FindSubFolder = true;
  bool SimilarSearch = true;
  bool FuzzySearch = false;
  bool NotPerformTitleSearch = false;
  bool NotPerformSameFolderSearch = false;
};

struct TLyricsSearchResult {
  std::string File;  // empty: no lyrics
  std::int32_t MatchKind = lmk_Nothing;
  std::int32_t BestScore = 0;
};

// The whole lookup for one media item: by the media path (when not empty),
// then by the title unless the options forbid it, in folders. Anything that
// goes wrong finds nothing, but memory running out passes on as
// std::bad_alloc, so the caller can try again instead of taking the song
// for one without lyrics. With explain, every folder, way and candidate
// tried is recorded there, with the answer and the rule that chose it.
TLyricsSearchResult FindLyricsFor(const TLyricsSearchOptions& options, const std::string& title,
                                  const std::string& mediaPath, TFolderSource& folders,
                                  TSearchExplanation* explain = nullptr);

// Equal, ASCII letters compared without regard to case (CP932 names).
bool SameTextIgnoreCase(const std::string& a, const std::string& b);

}  // namespace lumeko
