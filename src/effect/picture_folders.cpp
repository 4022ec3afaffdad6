// The system's picture folders (see picture_folders.h).
#include "effect/picture_folders.h"

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeko {

namespace {

std::wstring W(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }
std::u16string U16(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }

// A picture file may be plain, read-only or archived (or compressed, and so
// on); hidden and system files and folders are left out.
constexpr DWORD kNotAPicture = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_DEVICE;

class TSystemPictureFolders final : public TPictureFolders {
 public:
  std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& mask) override {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW fd;
    UniqueFindHandle find(::FindFirstFileExW(W(folder + mask).c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                             nullptr, 0));
    if (!find) return names;
    do {
      if (!(fd.dwFileAttributes & kNotAPicture)) names.push_back(U16(fd.cFileName));
    } while (::FindNextFileW(find.get(), &fd));
    return names;
  }

  bool FolderExists(const std::u16string& folder) override {
    const DWORD a = ::GetFileAttributesW(W(folder).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::u16string CurrentDirectory() override {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = ::GetCurrentDirectoryW(static_cast<DWORD>(buf.size()), buf.data());
      if (n == 0) return u"\\";
      if (n < buf.size()) return U16(std::wstring_view(buf.data(), n));
      buf.resize(n);
    }
  }
};

}  // namespace

TPictureFolders& SystemPictureFolders() {
  static TSystemPictureFolders folders;
  return folders;
}

}  // namespace lumeko
