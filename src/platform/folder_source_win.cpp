// The system's folders as the lyrics search sees them (see folder_source.h).
#include <windows.h>

#include "platform/folder_source.h"
#include "platform/unique_handle.h"
#include "platform/wide.h"

namespace lumeko {
namespace {

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

std::u16string U16(std::wstring_view w) { return std::u16string(w.begin(), w.end()); }

// Calls take(entry, CP932 name) for every entry of pattern but "." and ".."
// whose name CP932 can spell.
template <typename Take>
void Find(const std::string& pattern, Take&& take) {
  WIN32_FIND_DATAW fd;
  UniqueFindHandle find(::FindFirstFileExW(ToWide(pattern).c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  do {
    if (IsDotEntry(fd.cFileName)) continue;
    std::string name = FromWide(fd.cFileName);
    if (ToWide(name) == fd.cFileName) take(fd, std::move(name));
  } while (::FindNextFileW(find.get(), &fd));
}

class TSystemFolders final : public TFolderSource {
 public:
  std::vector<TFolderEntry> List(const std::string& folder) override {
    std::vector<TFolderEntry> entries;
    Find(folder + "*", [&](const WIN32_FIND_DATAW& fd, std::string&& name) {
      entries.push_back({std::move(name), Upper(U16(fd.cFileName)), (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    });
    return entries;
  }

  std::vector<std::string> ListMatching(const std::string& folder, const std::string& mask) override {
    std::vector<std::string> names;
    Find(folder + mask, [&](const WIN32_FIND_DATAW& fd, std::string&& name) {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(std::move(name));
    });
    return names;
  }

  bool IsFile(const std::string& path) override {
    const DWORD a = ::GetFileAttributesW(ToWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::u16string Upper(std::u16string_view text) override {
    if (text.empty()) return std::u16string();
    std::u16string out(text.size(), u'\0');
    const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, reinterpret_cast<LPCWSTR>(text.data()),
                                  static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(out.data()),
                                  static_cast<int>(out.size()), nullptr, nullptr, 0);
    if (n != static_cast<int>(text.size())) return std::u16string(text);
    return out;
  }
};

}  // namespace

TFolderSource& SystemFolders() {
  static TSystemFolders folders;
  return folders;
}

}  // namespace lumeko
