// Folder listings for the lyrics search, read once per search and reused.
//
// The exact, similar and fuzzy ways ask the same folders for files by
// wildcard masks (*words*.LRC, *.KRA) and for subfolders. Each folder is
// listed once through FindFirstFileW/FindNextFileW; a mask is then answered
// from that listing by the file system's own rules (case-insensitive through
// the system's upper-case mapping, listing order kept). Whenever the file
// system could answer differently (a '?' or another special character in the
// mask, a short 8.3 name that might match where the long name does not) the
// question goes to the file system itself. Never follows a reparse point
// into a subfolder: a junction or a link can lead back up the tree.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lumeko {

// Subfolder walks stop this many levels below the folder they start in, so a
// pathological tree cannot exhaust the stack.
constexpr int kMaxSubFolderDepth = 64;

class TFolderCache {
 public:
  // folder ends with '\'. Names of the files (not folders) matching
  // folder + mask, in listing order.
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask);
  // Whether folder + name names an existing file (not a folder).
  bool FileExists(const std::string& folder, const std::string& name);
  // Names of the subfolders, in listing order, without "." and "..", and
  // without reparse points.
  std::vector<std::string> SubFolders(const std::string& folder);

 private:
  struct TEntry {
    std::string Name;     // CP932
    std::wstring Upper;   // UTF-16, upper-cased as the file system compares
    std::uint32_t Attributes;
  };
  const std::vector<TEntry>& Entries(const std::string& folder);
  std::map<std::string, std::vector<TEntry>> Listings;
};

// The file system's names of files matching folder + mask, asked directly.
std::vector<std::string> ListFilesDirect(const std::string& folder, const std::string& mask);

// Upper case as the file system compares names.
std::wstring UpperForNames(std::wstring_view text);

// Whether a name matches a mask made of literal parts and '*' (no other
// wildcard), letter case aside; both already upper-cased.
bool MatchesStarMask(std::wstring_view upperName, std::wstring_view upperMask);

}  // namespace lumeko
