// What the lyrics search asks of the file system, behind one seam.
//
// A folder's entries with their names upper-cased as the file system
// compares them, the file system's own answer to a wildcard mask (its rules
// for '?', short 8.3 names and the like), and whether a path is a file. The
// system's folders answer on Windows; tests and fuzzers hand the search an
// in-memory tree instead, so the search itself builds and runs anywhere.
// Paths are CP932 with '\' separators, folders end in '\'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumeko {

struct TFolderEntry {
  std::string Name;      // CP932
  std::u16string Upper;  // the name upper-cased as the file system compares names
  bool Directory = false;
  bool ReparsePoint = false;  // a junction or link: never followed
};

class TFolderSource {
 public:
  virtual ~TFolderSource() = default;
  // Every entry of folder but "." and "..", in listing order. Names that
  // have no CP932 spelling are left out: no path built from them would open.
  virtual std::vector<TFolderEntry> List(const std::string& folder) = 0;
  // Names of the files (not folders) of folder matching mask, as the file
  // system itself matches it.
  virtual std::vector<std::string> ListMatching(const std::string& folder, const std::string& mask) = 0;
  // Whether path names an existing file (not a folder).
  virtual bool IsFile(const std::string& path) = 0;
  // Upper case as the file system compares names.
  virtual std::u16string Upper(std::u16string_view text) = 0;
};

#ifdef _WIN32
// The system's folders, through FindFirstFileExW and friends.
TFolderSource& SystemFolders();
#endif

}  // namespace lumeko
