// Folder listings for the lyrics search, read once per search and reused.
//
// The exact, similar and fuzzy ways ask the same folders for files by
// wildcard masks (*words*.LRC, *.KRA) and for subfolders. Each folder is
// listed once through the folder source; a mask is then answered from that
// listing by the file system's own rules (case-insensitive through its
// upper-case mapping, listing order kept). Whenever the file system could
// answer differently (a '?' or another special character in the mask, a
// short 8.3 name that might match where the long name does not) the
// question goes to the file system itself. Never follows a reparse point
// into a subfolder: a junction or a link can lead back up the tree.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_source.h"

namespace lumeko {

// Subfolder walks stop this many levels below the folder they start in, so a
// pathological tree cannot exhaust the stack.
constexpr int kMaxSubFolderDepth = 64;

class TFolderCache {
 public:
  explicit TFolderCache(TFolderSource& source) : source_(source) {}
  // folder ends with '\'. Names of the files (not folders) matching
  // folder + mask, in listing order.
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask);
  // Whether folder + name names an existing file (not a folder).
  bool FileExists(const std::string& folder, const std::string& name);
  // Names of the subfolders, in listing order, without "." and "..", and
  // without reparse points.
  std::vector<std::string> SubFolders(const std::string& folder);

 private:
  const std::vector<TFolderEntry>& Entries(const std::string& folder);
  std::u16string UpperOf(const std::string& cp932);

  TFolderSource& source_;
  std::map<std::string, std::vector<TFolderEntry>> listings_;
};

// Whether a name matches a mask made of literal parts and '*' (no other
// wildcard), letter case aside; both already upper-cased.
bool MatchesStarMask(std::u16string_view upperName, std::u16string_view upperMask);

}  // namespace lumeko
