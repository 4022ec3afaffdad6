// FindFirstFileW/FindNextFileW listings, converted to CP932 names.
#include "search/folder_listing.h"

#include <windows.h>

#include "platform/unique_handle.h"
#include "platform/wide.h"

#include <utility>

namespace lumeko {
namespace {

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// A name that has no CP932 spelling could not be opened by the path we would
// build from it, so such entries are not offered at all.
bool HasCp932Name(const wchar_t* name, std::string& cp932) {
  cp932 = FromWide(name);
  return ToWide(cp932) == name;
}

// Calls take(entry, CP932 name) for every entry of pattern except "." and "..".
template <typename Take>
void List(const std::string& pattern, Take&& take) {
  WIN32_FIND_DATAW fd;
  // FindExInfoBasic skips the short names, which nothing here reads.
  UniqueFindHandle find(FindFirstFileExW(ToWide(pattern).c_str(), FindExInfoBasic, &fd,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  do {
    std::string name;
    if (!IsDotEntry(fd.cFileName) && HasCp932Name(fd.cFileName, name)) take(fd, std::move(name));
  } while (FindNextFileW(find.get(), &fd));
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  List(folder + mask, [&](const WIN32_FIND_DATAW& fd, std::string&& name) {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(std::move(name));
  });
  return names;
}

std::vector<std::string> ListSubFolders(const std::string& folder) {
  std::vector<std::string> names;
  List(folder + "*", [&](const WIN32_FIND_DATAW& fd, std::string&& name) {
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      names.push_back(std::move(name));
  });
  return names;
}

}  // namespace lumeko
