// Real folder trees for the lyrics search, built in a scratch folder.
#pragma once

#include <string>

#include "search/lyrics_search.h"
#include "test_support/scratch.h"

namespace lumeko::test {

class SearchTree {
 public:
  SearchTree() : dir_("search") {}
  // A lyrics file at a path relative to the scratch folder (folders made).
  std::string Add(const std::string& relative);
  std::string Folder(const std::string& relative) const { return dir_ / relative; }
  const std::string& Root() const { return dir_.path(); }

 private:
  ScratchDir dir_;
};

// One search as the effect runs it; strength is the setting (0..10).
TLyricsSearchResult Find(const std::string& lyricsPath, const std::string& title, const std::string& media,
                         int strength = 3, bool similar = true, bool fuzzy = false, bool subFolders = true);

}  // namespace lumeko::test
