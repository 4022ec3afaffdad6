// Folder trees for the lyrics search: real ones in a scratch folder on
// Windows, in-memory ones natively (where there is no Windows file system).
#pragma once

#include <string>

#include "platform/folder_source.h"
#include "search/lyrics_search.h"
#include "test_support/scratch.h"

namespace lumeko::test {

class SearchTree {
 public:
  SearchTree();
  // A lyrics file at a '\'-separated path relative to the tree (folders made).
  std::string Add(const std::string& relative);
  // A folder that is a link or junction: listed, never walked (in memory only).
  void AddLink(const std::string& relative);
  std::string Folder(const std::string& relative) const { return root_ + "\\" + relative; }
  const std::string& Root() const { return root_; }

 private:
#ifdef _WIN32
  ScratchDir dir_;
#endif
  std::string root_;
};

// What the search's tests search: the system's folders on Windows, the
// in-memory trees natively.
TFolderSource& TestFolders();

// One search as the effect runs it; strength is the setting (0..10).
TLyricsSearchResult Find(const std::string& lyricsPath, const std::string& title, const std::string& media,
                         int strength = 3, bool similar = true, bool fuzzy = false, bool subFolders = true);

}  // namespace lumeko::test
