// The lyrics search as the settings ask for it (see search_options.h).
#include "effect/search_options.h"

namespace lumeko {

TLyricsSearchOptions SearchOptionsFrom(const TSetupInfo_File& file) {
  TLyricsSearchOptions o;
  o.LyricsPath = file.LyricsPath;
  o.SimilarStrength = file.SimilarStrength;  // already × 10: passed on as it is
  o.FindSubFolder = file.SearchFlags & sf_FindSubFolder;
  o.SimilarSearch = file.SearchFlags & sf_SimilarSearch;
  o.FuzzySearch = file.SearchFlags & sf_FuzzySearch;
  o.NotPerformTitleSearch = file.SearchFlags & sf_NotPerformTitleSearch;
  o.NotPerformSameFolderSearch = file.SearchFlags & sf_NotPerformSameFolderSearch;
  return o;
}

}  // namespace lumeko
