// Reading and preparing the tag-defaults file.
#include "effect/tag_defaults.h"

#include <windows.h>

#include <algorithm>

#include "platform/file_io.h"
#include "platform/path_parts.h"
#include "platform/wide.h"

namespace lumeko {
namespace {

// Upper case through CP932 and the system's mapping, so full-width letters
// are raised too and no second byte of a character is touched.
std::string Upper(const std::string& text) {
  std::wstring w = ToWide(text);
  if (w.empty()) return text;
  std::wstring out(w.size(), L'\0');
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, w.data(), static_cast<int>(w.size()), out.data(),
                    static_cast<int>(out.size()), nullptr, nullptr, 0) != static_cast<int>(w.size()))
    return text;
  return FromWide(out);
}

// Case-insensitive order, the same on every system (ordinal, not the user's
// collation), so which duplicate survives does not depend on the locale.
bool LessIgnoreCase(const std::string& a, const std::string& b) {
  const std::wstring wa = ToWide(a), wb = ToWide(b);
  return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()),
                              TRUE) == CSTR_LESS_THAN;
}

}  // namespace

std::wstring TagFilePathFor(const std::wstring& modulePath) {
  const std::u16string path(modulePath.begin(), modulePath.end());
  const std::u16string tag = WithExtension(path, u".@tag");
  return std::wstring(tag.begin(), tag.end());
}

std::string TagEntryName(const std::string& entry) { return entry.substr(0, entry.find('=')); }

std::optional<std::vector<std::string>> ReadTagDefaults(const std::wstring& tagFilePath) {
  // A tag file is a few lines; anything near this size is not one.
  constexpr std::uint64_t kMaxTagFileBytes = 1024 * 1024;
  const std::u16string path(tagFilePath.begin(), tagFilePath.end());
  if (!FileExists(path)) return std::nullopt;
  const std::optional<std::string> text = ReadWholeFile(path, kMaxTagFileBytes);
  if (!text) return std::vector<std::string>();
  const std::string upper = Upper(*text);

  std::vector<std::string> lines;
  size_t start = 0;
  while (start < upper.size()) {
    size_t end = upper.find_first_of("\r\n", start);
    if (end == std::string::npos) end = upper.size();
    if (end > start) lines.push_back(upper.substr(start, end - start));  // blank lines hold no entry
    if (end < upper.size() && upper[end] == '\r' && end + 1 < upper.size() && upper[end + 1] == '\n') ++end;
    start = end + 1;
  }
  std::stable_sort(lines.begin(), lines.end(), LessIgnoreCase);

  std::vector<std::string> kept;
  for (std::string& line : lines)
    if (kept.empty() || TagEntryName(kept.back()) != TagEntryName(line)) kept.push_back(std::move(line));
  return kept;
}

std::unique_ptr<TTagList> LoadTagDefaults(const std::wstring& modulePath, bool* blankBgFile) {
  if (blankBgFile) *blankBgFile = false;
  std::optional<std::vector<std::string>> lines = ReadTagDefaults(TagFilePathFor(modulePath));
  if (!lines) return nullptr;
  auto tags = std::make_unique<TTagList>();
  for (const std::string& line : *lines) {
    const size_t eq = line.find('=');
    if (blankBgFile && eq != std::string::npos && eq + 1 == line.size() && TagEntryName(line) == "@BGFILE")
      *blankBgFile = true;
    if (eq != std::string::npos) tags->SetValue(std::string_view(line).substr(0, eq), std::string_view(line).substr(eq + 1));
  }
  return tags;
}

}  // namespace lumeko
