// Background pattern lists to picture files (see bkgnd_pattern.h).
//
// Templates are replaced one name after the other over the whole pattern, with
// the pattern's own "%" signs held as markers outside the UTF-16 range, so an
// inserted value is never read as a template or a marker, whatever it holds.
#include "effect/bkgnd_pattern.h"

#include "lyrics/path_expand.h"

namespace lumeko {

namespace {

// Markers for the pattern's "%" (a lone one) and "%%" while templates are replaced.
constexpr char32_t kPercent = 0x110000;
constexpr char32_t kDoublePercent = 0x110001;

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool IsSep(char16_t c) { return c == u'\\' || c == u'/' || c == u':'; }

// Where the name part of path begins.
size_t NameStart(std::u16string_view path) {
  for (size_t i = path.size(); i > 0; --i)
    if (IsSep(path[i - 1])) return i;
  return 0;
}

// The extension of the name part, dot included; empty when it has none.
std::u16string_view ExtensionOf(std::u16string_view path) {
  const size_t dot = path.rfind(u'.');
  return dot != std::u16string_view::npos && dot >= NameStart(path) ? path.substr(dot) : std::u16string_view();
}

void ReplaceAll(std::u32string& text, const char* name, const std::u16string& value) {
  std::u32string token(1, kPercent);
  for (const char* p = name; *p; ++p) token += static_cast<char32_t>(*p);
  token += kPercent;
  const std::u32string with(value.begin(), value.end());
  for (size_t at = text.find(token); at != std::u32string::npos; at = text.find(token, at + with.size()))
    text.replace(at, token.size(), with);
}

// The file the expanded pattern p names, or empty.
std::u16string Resolve(const std::u16string& folder, std::u16string_view pattern, const TBkGndTemplates& values,
                       TPictureFolders& folders, const TRandomPick& pick) {
  std::u16string p = ExpandBkGndTemplates(pattern, values);
  const std::u16string_view ext = ExtensionOf(p);
  if (ext.empty()) {
    p += u".*";
  } else if (ext != u".*" && !IsPictureExtension(ext)) {
    // A dot that only an inserted value brought ("Mr. Blue" for %TITLE%) is
    // no extension the user wrote: look for any picture of that name.
    if (!ExtensionOf(ExpandBkGndTemplates(pattern, {})).empty()) return {};
    p += u".*";
  }

  const std::u16string full = ExpandRelativePathIn(p, folder, folders.CurrentDirectory(),
                                                   [&](const std::u16string& f) { return folders.FolderExists(f); });
  const size_t nameStart = NameStart(full);
  const std::u16string dir = full.substr(0, nameStart);
  std::vector<std::u16string> found;
  for (std::u16string& name : folders.FindFiles(dir, full.substr(nameStart)))
    if (IsPictureExtension(ExtensionOf(name))) found.push_back(std::move(name));
  if (found.empty()) return {};
  size_t index = 0;
  if (found.size() > 1 && pick) index = pick(found.size());
  return dir + found[index < found.size() ? index : 0];
}

}  // namespace

bool IsPictureExtension(std::u16string_view ext) {
  std::u16string upper(ext);
  for (char16_t& c : upper) c = UpperAscii(c);
  return upper == u".BMP" || upper == u".JPG" || upper == u".JPEG";
}

std::u16string ExpandBkGndTemplates(std::u16string_view pattern, const TBkGndTemplates& values) {
  std::u32string text;
  text.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != u'%') {
      text += UpperAscii(pattern[i]);
    } else if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
      text += kDoublePercent;
      ++i;
    } else {
      text += kPercent;
    }
  }
  ReplaceAll(text, "TITLE", values.Title);
  ReplaceAll(text, "LYRICS", values.Lyrics);
  ReplaceAll(text, "@AIRTIST", values.Artist);
  ReplaceAll(text, "@TITLE", values.SongTitle);
  ReplaceAll(text, "@ALBUM", values.Album);

  std::u16string out;
  out.reserve(text.size());
  for (const char32_t c : text) {
    if (c == kPercent) continue;
    out += c == kDoublePercent ? u'%' : static_cast<char16_t>(c);
  }
  return out;
}

std::u16string ResolveBkGndPattern(const std::u16string& folder, std::u16string_view list,
                                   const TBkGndTemplates& values, TPictureFolders& folders,
                                   const TRandomPick& pick) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(u';', start);
    if (end == std::u16string_view::npos) end = list.size();
    if (end > start) {
      std::u16string found = Resolve(folder, list.substr(start, end - start), values, folders, pick);
      if (!found.empty()) return found;
    }
    start = end + 1;
  }
  return {};
}

}  // namespace lumeko
