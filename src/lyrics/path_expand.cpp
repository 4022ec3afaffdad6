// Full-path expansion by the Windows rules over CP932 text.
//
// A path splits into a root ("C:\", "\\server\share\", or nothing for a
// relative name) and components; relative and rooted names borrow the root or
// the whole of the current directory, then '.' and '..' are resolved with '..'
// stopping at the root. The trailing separator of the input is kept; a final
// dot of each name and the dots and spaces ending the path are not, as the
// system drops them too.
#include "lyrics/path_expand.h"

#include <vector>

#include "platform/cp932.h"
#include "platform/file_io.h"

namespace lumeko {

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrive(std::string_view p) { return p.size() >= 2 && IsDriveLetter(p[0]) && p[1] == ':'; }

bool IsUnc(std::string_view p) { return p.size() >= 2 && IsSep(p[0]) && IsSep(p[1]); }

// Components of text, split at separators outside double-byte characters.
std::vector<std::string_view> SplitComponents(std::string_view text) {
  std::vector<std::string_view> parts;
  size_t start = 0, i = 0;
  while (i < text.size()) {
    if (IsSep(text[i])) {
      if (i > start) parts.push_back(text.substr(start, i - start));
      start = ++i;
    } else {
      i += CharLength(text, i);
    }
  }
  if (i > start) parts.push_back(text.substr(start, i - start));
  return parts;
}

bool EndsWithSep(std::string_view text) {
  if (text.empty()) return false;
  // The last byte is a separator only when it is not the trail of a lead byte.
  size_t i = 0, last = 0;
  while (i < text.size()) {
    last = i;
    i += CharLength(text, i);
  }
  return IsSep(text[last]) && last == text.size() - 1;
}

// Root of an absolute path ("C:\" or "\\server\share\") and where the rest
// begins. For UNC the server and share are the root; ".." never climbs them.
struct Rooted {
  std::string root;
  std::string_view rest;
};

Rooted SplitUnc(std::string_view p) {
  size_t i = 2;
  std::string root = "\\\\";
  for (int part = 0; part < 2; ++part) {
    while (i < p.size() && IsSep(p[i]) && part > 0) ++i;
    const size_t start = i;
    while (i < p.size() && !IsSep(p[i])) i += CharLength(p, i);
    if (part == 1 && i == start) break;  // "\\server" alone: no share
    root.append(p.substr(start, i - start));
    root += '\\';
    if (i < p.size()) ++i;
  }
  return {root, p.substr(i < p.size() ? i : p.size())};
}

// Root of the current directory (for rooted names such as "\pics").
std::string RootOf(std::string_view dir) {
  if (HasDrive(dir)) return std::string(dir.substr(0, 2)) + '\\';
  if (IsUnc(dir)) return SplitUnc(dir).root;
  return "\\";
}

std::string Normalise(const std::string& root, std::string_view rest, bool keepTrailingSep) {
  std::vector<std::string_view> kept;
  for (std::string_view c : SplitComponents(rest)) {
    if (c == ".") continue;
    if (c == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    // A name ending in a dot loses that one dot (a name of dots alone is a
    // name), so a.\b is a\b as the system sees it.
    if (c.back() == '.' && c.find_first_not_of('.') != std::string_view::npos) c.remove_suffix(1);
    kept.push_back(c);
  }
  // Windows drops dots and spaces at the very end of a path, so "pic.jpg."
  // names pic.jpg; a last name made only of them goes, leaving the separator.
  bool dropped = false;
  if (!keepTrailingSep && !kept.empty()) {
    std::string_view& last = kept.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.remove_suffix(1);
    if (last.empty()) {
      kept.pop_back();
      dropped = true;
    }
  }
  std::string out = root;
  for (size_t k = 0; k < kept.size(); ++k) {
    if (k > 0) out += '\\';
    out.append(kept[k]);
  }
  if ((keepTrailingSep || dropped) && !kept.empty()) out += '\\';
  return out;
}

// currentDir's root and the part after it.
Rooted SplitFull(std::string_view dir) {
  if (IsUnc(dir)) return SplitUnc(dir);
  if (HasDrive(dir)) {
    std::string_view rest = dir.substr(2);
    return {std::string(dir.substr(0, 2)) + '\\', rest};
  }
  return {"\\", dir};
}

}  // namespace

std::string FullPathName(std::string_view path, std::string_view currentDir) {
  if (path.size() >= 4 && IsSep(path[0]) && IsSep(path[1]) && path[2] == '?' && IsSep(path[3]))
    return std::string(path);
  const bool trailing = EndsWithSep(path);
  if (IsUnc(path)) {
    const Rooted r = SplitUnc(path);
    return Normalise(r.root, r.rest, trailing);
  }
  if (HasDrive(path)) {
    std::string_view rest = path.substr(2);
    if (!rest.empty() && IsSep(rest[0])) return Normalise(std::string(path.substr(0, 2)) + '\\', rest, trailing);
    // Drive-relative ("C:pic.jpg"): against the current directory when it is on
    // that drive, otherwise against the drive's root.
    if (HasDrive(currentDir) && (currentDir[0] | 0x20) == (path[0] | 0x20)) {
      const Rooted cur = SplitFull(currentDir);
      std::string joined(cur.rest);
      joined += '\\';
      joined.append(rest);
      return Normalise(cur.root, joined, trailing);
    }
    return Normalise(std::string(path.substr(0, 2)) + '\\', rest, trailing);
  }
  if (!path.empty() && IsSep(path[0])) return Normalise(RootOf(currentDir), path, trailing);
  const Rooted cur = SplitFull(currentDir);
  std::string joined(cur.rest);
  joined += '\\';
  joined.append(path);
  return Normalise(cur.root, joined, trailing);
}

std::string ExpandRelativePathIn(const std::string& fileName, const std::string& baseFolder,
                                 std::string_view currentDir, FolderTest folderExists) {
  std::string folder = baseFolder;
  if (!EndsWithSep(folder)) folder += '\\';
  folder = FullPathName(folder, currentDir);
  if (fileName.empty()) return folder;
  if (folderExists && folderExists(folder)) return FullPathName(fileName, folder);
  return FullPathName(fileName, currentDir);
}

std::string ExpandRelativePath(const std::string& fileName, const std::string& baseFolder) {
  return ExpandRelativePathIn(fileName, baseFolder, CurrentDirectory(), &FolderExists);
}

}  // namespace lumeko
