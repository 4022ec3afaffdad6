// Scratch folders and files for tests, by CP932 path, on both builds.
// Paths use '\' on Windows and '/' natively, joined by Join().
#pragma once

#include <string>

namespace lumeko::test {

#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

std::string Join(const std::string& a, const std::string& b);

// A fresh empty folder under the system's temporary folder, removed with all
// it holds when the object dies.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }  // CP932, no trailing separator
  std::string operator/(const std::string& name) const { return Join(path_, name); }

 private:
  std::string path_;
};

bool WriteFile(const std::string& cp932Path, const std::string& content);
bool MakeDir(const std::string& cp932Path);  // with its parents

// The repo's folder, CP932 (for samples and test data).
std::string SourceDir();

}  // namespace lumeko::test
