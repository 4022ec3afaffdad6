// Resolving a file name against a folder by the Windows path rules, on CP932
// or UTF-16 text, without ever changing the process's current directory.
//
// The rules are those of the system's full-path expansion: drive paths, UNC
// shares, rooted and drive-relative names, '.' and '..' and doubled
// separators. They are applied here in portable code so the document builds
// natively; '\\' inside a double-byte character is never a separator.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lumeko {

// The full form of path, with relative parts taken from currentDir (itself a
// full path). "\\?\" paths are returned as they are.
std::string FullPathName(std::string_view path, std::string_view currentDir);
// The same over UTF-16, for names CP932 cannot spell.
std::u16string FullPathName(std::u16string_view path, std::u16string_view currentDir);

// fileName made a full path relative to baseFolder (empty fileName: the folder
// itself, with its trailing '\'). When the folder does not exist the name is
// resolved against the current directory instead, as an expansion through the
// current directory would. An empty baseFolder stands for the current root.
std::string ExpandRelativePath(const std::string& fileName, const std::string& baseFolder);

// The same with the current directory and the folder test supplied.
using FolderTest = bool (*)(const std::string& cp932Path);
std::string ExpandRelativePathIn(const std::string& fileName, const std::string& baseFolder,
                                 std::string_view currentDir, FolderTest folderExists);
std::u16string ExpandRelativePathIn(const std::u16string& fileName, const std::u16string& baseFolder,
                                    std::u16string_view currentDir,
                                    const std::function<bool(const std::u16string&)>& folderExists);

}  // namespace lumeko
