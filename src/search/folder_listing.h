// Folder listings for the lyrics search, by CP932 path through the W file API.
//
// The one idea: the file system decides what a wildcard mask matches and how
// letter case compares, so masks go to FindFirstFileW as they are and entries
// come back in the order it gives. Folders that cannot be listed simply list
// nothing. Never follow a reparse point into a subfolder: a junction or a
// symbolic link can lead back up the tree and make a walk endless.
#pragma once

#include <string>
#include <vector>

namespace lumeko {

// Subfolder walks stop this many levels below the folder they start in, so a
// pathological tree cannot exhaust the stack.
constexpr int kMaxSubFolderDepth = 64;

// Names of the files (not folders) that match folder + mask, in listing order.
// folder ends with '\'.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask);

// Names of the subfolders of folder (which ends with '\'), in listing order,
// without "." and "..", and without reparse points.
std::vector<std::string> ListSubFolders(const std::string& folder);

}  // namespace lumeko
