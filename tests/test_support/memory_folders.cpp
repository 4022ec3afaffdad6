#include "test_support/memory_folders.h"

#include "platform/cp932.h"
#include "platform/path_parts.h"

namespace lumeko::test {

namespace {

char16_t UpperChar(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xFF41 && c <= 0xFF5A)) return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  if (c >= 0x2170 && c <= 0x217F) return static_cast<char16_t>(c - 0x10);
  return c;
}

// '*' any run, '?' one character; both sides already upper-cased.
bool Glob(std::u16string_view name, std::u16string_view mask) {
  size_t n = 0, m = 0, starM = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == u'*') {
      starM = m++;
      starN = n;
    } else if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
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

}  // namespace

std::u16string TMemoryFolders::Upper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = UpperChar(c);
  return out;
}

std::u16string TMemoryFolders::Key(const std::string& folder) {
  std::string f = folder;
  if (f.empty() || FileNameStart(f) != f.size()) f += '\\';
  return Upper(Cp932ToUtf16(f));
}

void TMemoryFolders::Add(const std::string& path, bool directory, bool reparsePoint) {
  const size_t start = FileNameStart(path);
  if (start == 0 || start == path.size()) return;
  const std::string folder = path.substr(0, start), name = path.substr(start);
  // The folder above, up to the drive.
  if (folder.size() > 1 && folder.back() == '\\' && FileNameStart(folder.substr(0, folder.size() - 1)) > 0)
    Add(folder.substr(0, folder.size() - 1), true, false);
  std::vector<TFolderEntry>& entries = folders_[Key(folder)];
  const std::u16string upper = Upper(Cp932ToUtf16(name));
  for (const TFolderEntry& e : entries)
    if (e.Upper == upper) return;
  entries.push_back({name, upper, directory, reparsePoint});
}

void TMemoryFolders::AddFile(const std::string& path) { Add(path, false, false); }

void TMemoryFolders::AddFolder(const std::string& path, bool reparsePoint) { Add(path, true, reparsePoint); }

std::vector<TFolderEntry> TMemoryFolders::List(const std::string& folder) {
  const auto it = folders_.find(Key(folder));
  return it == folders_.end() ? std::vector<TFolderEntry>() : it->second;
}

std::vector<std::string> TMemoryFolders::ListMatching(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  const std::u16string upperMask = Upper(Cp932ToUtf16(mask));
  for (const TFolderEntry& e : List(folder))
    if (!e.Directory && Glob(e.Upper, upperMask)) names.push_back(e.Name);
  return names;
}

bool TMemoryFolders::IsFile(const std::string& path) {
  const size_t start = FileNameStart(path);
  const std::u16string upper = Upper(Cp932ToUtf16(path.substr(start)));
  for (const TFolderEntry& e : List(path.substr(0, start)))
    if (!e.Directory && e.Upper == upper) return true;
  return false;
}

}  // namespace lumeko::test
