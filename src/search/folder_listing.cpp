// Masks answered from cached listings (see folder_listing.h).
#include "search/folder_listing.h"

#include "platform/cp932.h"

namespace lumeko {
namespace {

// Characters that make the file system read a mask or a name in ways a
// plain comparison would not: its wildcards, path separators, the '~' of
// short names.
bool NeedsFileSystem(std::u16string_view text) {
  return text.find_first_of(u"?<>\"|\\/:~") != std::u16string_view::npos;
}

// Whether the short 8.3 name of a file might match "*part*...*.EXT" when its
// long name does not. A short name keeps the first three characters of the
// last extension (blanks dropped) and at most eight in front of it.
bool ShortNameMightMatch(std::u16string_view upperName, std::u16string_view upperMask) {
  const size_t maskDot = upperMask.rfind(u'.');
  if (maskDot == std::u16string_view::npos) return true;  // not a mask we reason about
  const std::u16string_view maskExt = upperMask.substr(maskDot + 1);
  if (maskExt.find(u'*') != std::u16string_view::npos) return true;
  size_t literal = 0;
  for (char16_t c : upperMask.substr(0, maskDot))
    if (c != u'*') ++literal;
  if (literal > 8) return false;
  const size_t dot = upperName.rfind(u'.');
  if (dot == std::u16string_view::npos) return maskExt.empty();
  std::u16string ext;
  for (char16_t c : upperName.substr(dot + 1))
    if (c != u' ' && ext.size() < 3) ext += c;
  return ext == maskExt;
}

}  // namespace

bool MatchesStarMask(std::u16string_view name, std::u16string_view mask) {
  // Greedy matching with one backtrack point: the last '*' seen.
  size_t n = 0, m = 0, starM = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == u'*') {
      starM = m++;
      starN = n;
    } else if (m < mask.size() && mask[m] == name[n]) {
      ++m;
      ++n;
    } else if (starM != std::u16string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

std::u16string TFolderCache::UpperOf(const std::string& cp932) { return source_.Upper(Cp932ToUtf16(cp932)); }

const std::vector<TFolderEntry>& TFolderCache::Entries(const std::string& folder) {
  auto it = listings_.find(folder);
  if (it != listings_.end()) return it->second;
  return listings_.emplace(folder, source_.List(folder)).first->second;
}

std::vector<std::string> TFolderCache::ListFiles(const std::string& folder, const std::string& mask) {
  const std::u16string upperMask = UpperOf(mask);
  if (NeedsFileSystem(upperMask)) return source_.ListMatching(folder, mask);
  std::vector<std::string> names;
  for (const TFolderEntry& e : Entries(folder)) {
    if (e.Directory) continue;
    if (MatchesStarMask(e.Upper, upperMask))
      names.push_back(e.Name);
    else if (ShortNameMightMatch(e.Upper, upperMask))
      return source_.ListMatching(folder, mask);
  }
  return names;
}

bool TFolderCache::FileExists(const std::string& folder, const std::string& name) {
  const std::u16string upperName = UpperOf(name);
  if (NeedsFileSystem(upperName) || upperName.find(u'*') != std::u16string::npos)
    return source_.IsFile(folder + name);
  for (const TFolderEntry& e : Entries(folder))
    if (!e.Directory && e.Upper == upperName) return true;
  return false;
}

std::vector<std::string> TFolderCache::SubFolders(const std::string& folder) {
  std::vector<std::string> names;
  for (const TFolderEntry& e : Entries(folder))
    if (e.Directory && !e.ReparsePoint) names.push_back(e.Name);
  return names;
}

}  // namespace lumeko
