// An in-memory folder tree that answers the lyrics search as a disk would.
//
// Natively there is no Windows file system to search, so the search's tests
// and fuzzer build their trees here: files and folders by '\'-separated
// CP932 path, listed in the order they were added, names compared without
// regard to letter case the way the system folds them (Latin, full-width,
// Greek, Cyrillic and Roman-numeral letters), '*' and '?' in masks.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/folder_source.h"

namespace lumeko::test {

class TMemoryFolders final : public TFolderSource {
 public:
  // Adds a file, and every folder above it that is not there yet.
  void AddFile(const std::string& path);
  // Adds a folder (and those above it); a reparse point is listed but never walked.
  void AddFolder(const std::string& path, bool reparsePoint = false);

  std::vector<TFolderEntry> List(const std::string& folder) override;
  std::vector<std::string> ListMatching(const std::string& folder, const std::string& mask) override;
  bool IsFile(const std::string& path) override;
  std::u16string Upper(std::u16string_view text) override;

 private:
  void Add(const std::string& path, bool directory, bool reparsePoint);
  std::u16string Key(const std::string& folder);  // upper-cased, with its trailing '\'

  std::map<std::u16string, std::vector<TFolderEntry>> folders_;
};

}  // namespace lumeko::test
