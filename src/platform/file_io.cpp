// Whole-file reads: CreateFileW on Windows, stdio natively.
#include "platform/file_io.h"

#include "platform/cp932.h"

#ifdef _WIN32
#include <windows.h>
#include "platform/unique_handle.h"
#include "platform/wide.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#endif

namespace lumeko {

std::optional<std::string> ReadWholeFile(const std::u16string& path, std::uint64_t maxBytes) {
  std::string data;
  if (!ReadWholeFile(path, data, maxBytes)) return std::nullopt;
  return data;
}

std::optional<std::string> ReadWholeFile(const std::string& cp932Path, std::uint64_t maxBytes) {
  return ReadWholeFile(Cp932ToUtf16(cp932Path), maxBytes);
}

bool ReadWholeFile(const std::string& cp932Path, std::string& data, std::uint64_t maxBytes) {
  return ReadWholeFile(Cp932ToUtf16(cp932Path), data, maxBytes);
}

#ifdef _WIN32

bool ReadWholeFile(const std::u16string& path, std::string& data, std::uint64_t maxBytes) {
  data.clear();
  if (path.empty()) return false;
  UniqueFileHandle file(CreateFileW(reinterpret_cast<LPCWSTR>(path.c_str()), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
    return false;
  data.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < data.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file.get(), data.data() + done, chunk, &got, nullptr)) {
      data.clear();
      return false;
    }
    if (got == 0) break;  // the file shrank while we read it
    done += got;
  }
  data.resize(done);
  return true;
}

bool FileExists(const std::u16string& path) {
  if (path.empty()) return false;
  const DWORD a = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.c_str()));
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& cp932Path) {
  if (cp932Path.empty()) return false;
  const DWORD a = GetFileAttributesW(ToWide(cp932Path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CurrentDirectory() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(buf.size()), buf.data());
    if (n == 0) return std::string();
    if (n < buf.size()) {
      buf.resize(n);
      return FromWide(buf);
    }
    buf.resize(n);  // n counts the terminator when the buffer was short
  }
}

#else

bool ReadWholeFile(const std::u16string& widePath, std::string& data, std::uint64_t maxBytes) {
  data.clear();
  if (widePath.empty()) return false;
  const std::string path = Utf16ToUtf8(widePath);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  struct stat st{};
  if (fstat(fileno(f), &st) == 0 && st.st_size > 0 && static_cast<std::uint64_t>(st.st_size) <= maxBytes)
    data.reserve(static_cast<size_t>(st.st_size));  // one allocation for the usual case
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (data.size() + n > maxBytes) {
      std::fclose(f);
      data.clear();
      return false;
    }
    data.append(buf, n);
  }
  const bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) data.clear();
  return !bad;
}

bool FileExists(const std::u16string& path) {
  struct stat st{};
  return !path.empty() && stat(Utf16ToUtf8(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& cp932Path) {
  struct stat st{};
  return !cp932Path.empty() && stat(Cp932ToUtf8(cp932Path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string CurrentDirectory() {
  std::string buf(4096, '\0');
  if (!getcwd(buf.data(), buf.size())) return std::string();
  buf.resize(std::char_traits<char>::length(buf.c_str()));
  return Utf8ToCp932(buf);
}

#endif

// By CP932 path: the same, through the path's UTF-16 spelling.
bool FileExists(const std::string& cp932Path) { return FileExists(Cp932ToUtf16(cp932Path)); }

}  // namespace lumeko
