// FindFirstFileW/FindNextFileW listings and the masks answered from them.
#include "search/folder_listing.h"

#include <windows.h>

#include <utility>

#include "platform/unique_handle.h"
#include "platform/wide.h"

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
  UniqueFindHandle find(FindFirstFileExW(ToWide(pattern).c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  do {
    std::string name;
    if (!IsDotEntry(fd.cFileName) && HasCp932Name(fd.cFileName, name)) take(fd, std::move(name));
  } while (FindNextFileW(find.get(), &fd));
}

bool IsFile(std::uint32_t attributes) { return !(attributes & FILE_ATTRIBUTE_DIRECTORY); }

// Characters that make the file system read a mask or a name in ways a
// plain comparison would not: its wildcards, path separators, the '~' of
// short names.
bool NeedsFileSystem(std::wstring_view text) {
  return text.find_first_of(L"?<>\"|\\/:~") != std::wstring_view::npos;
}

// Whether the short 8.3 name of a file might match "*part*...*.EXT" when its
// long name does not. A short name keeps the first three characters of the
// last extension (blanks dropped) and at most eight in front of it.
bool ShortNameMightMatch(std::wstring_view upperName, std::wstring_view upperMask) {
  const size_t maskDot = upperMask.rfind(L'.');
  if (maskDot == std::wstring_view::npos) return true;  // not a mask we reason about
  const std::wstring_view maskExt = upperMask.substr(maskDot + 1);
  if (maskExt.find(L'*') != std::wstring_view::npos) return true;
  size_t literal = 0;
  for (wchar_t c : upperMask.substr(0, maskDot))
    if (c != L'*') ++literal;
  if (literal > 8) return false;
  const size_t dot = upperName.rfind(L'.');
  if (dot == std::wstring_view::npos) return maskExt.empty();
  std::wstring ext;
  for (wchar_t c : upperName.substr(dot + 1))
    if (c != L' ' && ext.size() < 3) ext += c;
  return ext == maskExt;
}

}  // namespace

std::wstring UpperForNames(std::wstring_view text) {
  if (text.empty()) return std::wstring();
  std::wstring out(text.size(), L'\0');
  const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                              out.data(), static_cast<int>(out.size()), nullptr, nullptr, 0);
  if (n != static_cast<int>(text.size())) return std::wstring(text);
  return out;
}

bool MatchesStarMask(std::wstring_view name, std::wstring_view mask) {
  // Greedy matching with one backtrack point: the last '*' seen.
  size_t n = 0, m = 0, starM = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == L'*') {
      starM = m++;
      starN = n;
    } else if (m < mask.size() && mask[m] == name[n]) {
      ++m;
      ++n;
    } else if (starM != std::wstring_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == L'*') ++m;
  return m == mask.size();
}

std::vector<std::string> ListFilesDirect(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  List(folder + mask, [&](const WIN32_FIND_DATAW& fd, std::string&& name) {
    if (IsFile(fd.dwFileAttributes)) names.push_back(std::move(name));
  });
  return names;
}

const std::vector<TFolderCache::TEntry>& TFolderCache::Entries(const std::string& folder) {
  auto it = Listings.find(folder);
  if (it != Listings.end()) return it->second;
  std::vector<TEntry> entries;
  List(folder + "*", [&](const WIN32_FIND_DATAW& fd, std::string&& name) {
    entries.push_back({std::move(name), UpperForNames(fd.cFileName), static_cast<std::uint32_t>(fd.dwFileAttributes)});
  });
  return Listings.emplace(folder, std::move(entries)).first->second;
}

std::vector<std::string> TFolderCache::ListFiles(const std::string& folder, const std::string& mask) {
  const std::wstring upperMask = UpperForNames(ToWide(mask));
  if (NeedsFileSystem(upperMask)) return ListFilesDirect(folder, mask);
  std::vector<std::string> names;
  for (const TEntry& e : Entries(folder)) {
    if (!IsFile(e.Attributes)) continue;
    if (MatchesStarMask(e.Upper, upperMask))
      names.push_back(e.Name);
    else if (ShortNameMightMatch(e.Upper, upperMask))
      return ListFilesDirect(folder, mask);
  }
  return names;
}

bool TFolderCache::FileExists(const std::string& folder, const std::string& name) {
  const std::wstring upperName = UpperForNames(ToWide(name));
  if (NeedsFileSystem(upperName) || upperName.find(L'*') != std::wstring::npos) {
    const DWORD a = GetFileAttributesW(ToWide(folder + name).c_str());
    return a != INVALID_FILE_ATTRIBUTES && IsFile(a);
  }
  for (const TEntry& e : Entries(folder))
    if (IsFile(e.Attributes) && e.Upper == upperName) return true;
  return false;
}

std::vector<std::string> TFolderCache::SubFolders(const std::string& folder) {
  std::vector<std::string> names;
  for (const TEntry& e : Entries(folder))
    if ((e.Attributes & FILE_ATTRIBUTE_DIRECTORY) && !(e.Attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      names.push_back(e.Name);
  return names;
}

}  // namespace lumeko
