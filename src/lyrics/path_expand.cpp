// Full-path expansion by the Windows rules over CP932 or UTF-16 text.
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

// The character at text[i] is this many code units long: a CP932 double-byte
// character is two bytes, a UTF-16 unit is one (surrogates are never
// separators, so a pair needs no care).
size_t Step(std::string_view text, size_t i) { return CharLength(text, i); }
size_t Step(std::u16string_view, size_t) { return 1; }

template <typename C>
bool IsSep(C c) { return c == C('\\') || c == C('/'); }

template <typename C>
bool IsDriveLetter(C c) { return (c >= C('A') && c <= C('Z')) || (c >= C('a') && c <= C('z')); }

template <typename C>
bool HasDrive(std::basic_string_view<C> p) { return p.size() >= 2 && IsDriveLetter(p[0]) && p[1] == C(':'); }

template <typename C>
bool IsUnc(std::basic_string_view<C> p) { return p.size() >= 2 && IsSep(p[0]) && IsSep(p[1]); }

template <typename C>
std::basic_string<C> Text(const char* ascii) {
  std::basic_string<C> out;
  for (; *ascii; ++ascii) out += C(*ascii);
  return out;
}

// Components of text, split at separators outside double-byte characters.
template <typename C>
std::vector<std::basic_string_view<C>> SplitComponents(std::basic_string_view<C> text) {
  std::vector<std::basic_string_view<C>> parts;
  size_t start = 0, i = 0;
  while (i < text.size()) {
    if (IsSep(text[i])) {
      if (i > start) parts.push_back(text.substr(start, i - start));
      start = ++i;
    } else {
      i += Step(text, i);
    }
  }
  if (i > start) parts.push_back(text.substr(start, i - start));
  return parts;
}

template <typename C>
bool EndsWithSep(std::basic_string_view<C> text) {
  if (text.empty()) return false;
  // The last byte is a separator only when it is not the trail of a lead byte.
  size_t i = 0, last = 0;
  while (i < text.size()) {
    last = i;
    i += Step(text, i);
  }
  return IsSep(text[last]) && last == text.size() - 1;
}

// Root of an absolute path ("C:\" or "\\server\share\") and where the rest
// begins. For UNC the server and share are the root; ".." never climbs them.
template <typename C>
struct Rooted {
  std::basic_string<C> root;
  std::basic_string_view<C> rest;
};

template <typename C>
Rooted<C> SplitUnc(std::basic_string_view<C> p) {
  size_t i = 2;
  std::basic_string<C> root = Text<C>("\\\\");
  for (int part = 0; part < 2; ++part) {
    while (i < p.size() && IsSep(p[i]) && part > 0) ++i;
    const size_t start = i;
    while (i < p.size() && !IsSep(p[i])) i += Step(p, i);
    if (part == 1 && i == start) break;  // "\\server" alone: no share
    root.append(p.substr(start, i - start));
    root += C('\\');
    if (i < p.size()) ++i;
  }
  return {root, p.substr(i < p.size() ? i : p.size())};
}

// Root of the current directory (for rooted names such as "\pics").
template <typename C>
std::basic_string<C> RootOf(std::basic_string_view<C> dir) {
  if (HasDrive(dir)) return std::basic_string<C>(dir.substr(0, 2)) + C('\\');
  if (IsUnc(dir)) return SplitUnc(dir).root;
  return Text<C>("\\");
}

template <typename C>
std::basic_string<C> Normalise(const std::basic_string<C>& root, std::basic_string_view<C> rest, bool keepTrailingSep) {
  std::vector<std::basic_string_view<C>> kept;
  const std::basic_string<C> dot = Text<C>("."), dotDot = Text<C>("..");
  for (std::basic_string_view<C> c : SplitComponents(rest)) {
    if (c == dot) continue;
    if (c == dotDot) {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    // A name ending in a dot loses that one dot (a name of dots alone is a
    // name), so a.\b is a\b as the system sees it.
    if (c.back() == C('.') && c.find_first_not_of(C('.')) != std::basic_string_view<C>::npos) c.remove_suffix(1);
    kept.push_back(c);
  }
  // Windows drops dots and spaces at the very end of a path, so "pic.jpg."
  // names pic.jpg; a last name made only of them goes, leaving the separator.
  bool dropped = false;
  if (!keepTrailingSep && !kept.empty()) {
    std::basic_string_view<C>& last = kept.back();
    while (!last.empty() && (last.back() == C('.') || last.back() == C(' '))) last.remove_suffix(1);
    if (last.empty()) {
      kept.pop_back();
      dropped = true;
    }
  }
  std::basic_string<C> out = root;
  for (size_t k = 0; k < kept.size(); ++k) {
    if (k > 0) out += C('\\');
    out.append(kept[k]);
  }
  if ((keepTrailingSep || dropped) && !kept.empty()) out += C('\\');
  return out;
}

// currentDir's root and the part after it.
template <typename C>
Rooted<C> SplitFull(std::basic_string_view<C> dir) {
  if (IsUnc(dir)) return SplitUnc(dir);
  if (HasDrive(dir)) return {std::basic_string<C>(dir.substr(0, 2)) + C('\\'), dir.substr(2)};
  return {Text<C>("\\"), dir};
}

template <typename C>
std::basic_string<C> Full(std::basic_string_view<C> path, std::basic_string_view<C> currentDir) {
  using String = std::basic_string<C>;
  if (path.size() >= 4 && IsSep(path[0]) && IsSep(path[1]) && path[2] == C('?') && IsSep(path[3])) return String(path);
  const bool trailing = EndsWithSep(path);
  if (IsUnc(path)) {
    const Rooted<C> r = SplitUnc(path);
    return Normalise(r.root, r.rest, trailing);
  }
  if (HasDrive(path)) {
    std::basic_string_view<C> rest = path.substr(2);
    if (!rest.empty() && IsSep(rest[0])) return Normalise(String(path.substr(0, 2)) + C('\\'), rest, trailing);
    // Drive-relative ("C:pic.jpg"): against the current directory when it is on
    // that drive, otherwise against the drive's root.
    if (HasDrive(currentDir) && (currentDir[0] | 0x20) == (path[0] | 0x20)) {
      const Rooted<C> cur = SplitFull(currentDir);
      String joined(cur.rest);
      joined += C('\\');
      joined.append(rest);
      return Normalise(cur.root, std::basic_string_view<C>(joined), trailing);
    }
    return Normalise(String(path.substr(0, 2)) + C('\\'), rest, trailing);
  }
  if (!path.empty() && IsSep(path[0])) return Normalise(RootOf(currentDir), path, trailing);
  const Rooted<C> cur = SplitFull(currentDir);
  String joined(cur.rest);
  joined += C('\\');
  joined.append(path);
  return Normalise(cur.root, std::basic_string_view<C>(joined), trailing);
}

template <typename C, typename Test>
std::basic_string<C> ExpandIn(const std::basic_string<C>& fileName, const std::basic_string<C>& baseFolder,
                              std::basic_string_view<C> currentDir, Test&& folderExists) {
  std::basic_string<C> folder = baseFolder;
  if (!EndsWithSep(std::basic_string_view<C>(folder))) folder += C('\\');
  folder = Full(std::basic_string_view<C>(folder), currentDir);
  if (fileName.empty()) return folder;
  if (folderExists(folder)) return Full(std::basic_string_view<C>(fileName), std::basic_string_view<C>(folder));
  return Full(std::basic_string_view<C>(fileName), currentDir);
}

}  // namespace

std::string FullPathName(std::string_view path, std::string_view currentDir) { return Full(path, currentDir); }

std::u16string FullPathName(std::u16string_view path, std::u16string_view currentDir) {
  return Full(path, currentDir);
}

std::string ExpandRelativePathIn(const std::string& fileName, const std::string& baseFolder,
                                 std::string_view currentDir, FolderTest folderExists) {
  return ExpandIn(fileName, baseFolder, currentDir,
                  [&](const std::string& f) { return folderExists && folderExists(f); });
}

std::u16string ExpandRelativePathIn(const std::u16string& fileName, const std::u16string& baseFolder,
                                    std::u16string_view currentDir,
                                    const std::function<bool(const std::u16string&)>& folderExists) {
  return ExpandIn(fileName, baseFolder, currentDir,
                  [&](const std::u16string& f) { return folderExists && folderExists(f); });
}

std::string ExpandRelativePath(const std::string& fileName, const std::string& baseFolder) {
  return ExpandRelativePathIn(fileName, baseFolder, CurrentDirectory(), &FolderExists);
}

}  // namespace lumeko
