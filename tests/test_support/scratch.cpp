#include "test_support/scratch.h"

#include <atomic>
#include <string>

#include "platform/cp932.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include "platform/wide.h"
#else
#include <filesystem>
#include <fstream>
#include <unistd.h>
#endif

namespace lumeko::test {

std::string Join(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (a.back() == '\\' || a.back() == '/') return a + b;
  return a + kSep + b;
}

namespace {
std::atomic<int> counter{0};
}

#ifdef _WIN32

ScratchDir::ScratchDir(const std::string& tag) {
  wchar_t tmp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH, tmp);
  std::string base = FromWide(tmp);
  path_ = Join(base, "lumeko-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(counter++));
  MakeDir(path_);
}

namespace {
void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = dir + L"\\" + name;
      if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(full);
      else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryW(full.c_str());
      else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}
}  // namespace

ScratchDir::~ScratchDir() { RemoveTree(ToWide(path_)); }

bool WriteFile(const std::string& cp932Path, const std::string& content) {
  HANDLE h = CreateFileW(ToWide(cp932Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == content.size();
}

bool MakeDir(const std::string& cp932Path) {
  std::wstring w = ToWide(cp932Path);
  for (size_t i = 3; i < w.size(); ++i)
    if (w[i] == L'\\' || w[i] == L'/') CreateDirectoryW(w.substr(0, i).c_str(), nullptr);
  return CreateDirectoryW(w.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string SourceDir() {
  // LUMEKO_SOURCE_DIR is a Unix path; Wine maps it through drive Z:.
  std::string unix = LUMEKO_SOURCE_DIR;
  std::string p = "Z:" + unix;
  for (char& c : p)
    if (c == '/') c = '\\';
  return Utf8ToCp932(p);
}

#else

ScratchDir::ScratchDir(const std::string& tag) {
  path_ = (std::filesystem::temp_directory_path() /
           ("lumeko-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++)))
              .string();
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(Cp932ToUtf8(path_), ec);
}

bool WriteFile(const std::string& cp932Path, const std::string& content) {
  std::ofstream f(Cp932ToUtf8(cp932Path), std::ios::binary);
  f.write(content.data(), static_cast<std::streamsize>(content.size()));
  return static_cast<bool>(f);
}

bool MakeDir(const std::string& cp932Path) {
  std::error_code ec;
  std::filesystem::create_directories(Cp932ToUtf8(cp932Path), ec);
  return !ec;
}

std::string SourceDir() { return Utf8ToCp932(LUMEKO_SOURCE_DIR); }

#endif

}  // namespace lumeko::test
